# Cross build for 64-bit Windows with Debian's mingw-w64; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PEARL_MINGW_TRIPLET x86_64-w64-mingw32)

# The posix thread model: Debian's win32-model GCC 12 has no std::thread or
# std::mutex, so test and benchmark libraries may fail to build with it.
find_program(CMAKE_C_COMPILER ${PEARL_MINGW_TRIPLET}-gcc-posix)
find_program(CMAKE_CXX_COMPILER ${PEARL_MINGW_TRIPLET}-g++-posix)
find_program(CMAKE_RC_COMPILER ${PEARL_MINGW_TRIPLET}-windres)
find_program(PEARL_WINE wine)
if(NOT CMAKE_C_COMPILER OR NOT CMAKE_CXX_COMPILER OR NOT CMAKE_RC_COMPILER)
  message(FATAL_ERROR "mingw-w64 (${PEARL_MINGW_TRIPLET}, posix) not found: run scripts/install-deps")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${PEARL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static C and C++ runtimes: the executables need no toolchain DLL on Windows or under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# ctest prefixes every test command that names a target with Wine. Without it
# the Windows tests could not run, and that must fail the build, not skip them.
if(NOT PEARL_WINE)
  message(FATAL_ERROR "Wine not found: run scripts/install-deps")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${PEARL_WINE}")
