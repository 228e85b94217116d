# GoogleTest is built from Debian's source package (googletest) with whichever
# compiler this build uses, so the same test sources run natively, under the
# sanitizers and, cross-compiled, under Wine.
set(PEARL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS "${PEARL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${PEARL_GOOGLETEST_SOURCE_DIR}: run scripts/install-deps")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory("${PEARL_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
