# Registers a test that runs a target. Under a cross build ctest runs it through
# the emulator (Wine), which first needs a prefix of its own: a fixture makes it.
if(CMAKE_CROSSCOMPILING AND NOT TEST wine_prefix)
  find_program(PEARL_WINEBOOT wineboot REQUIRED)
  add_test(NAME wine_prefix COMMAND "${PEARL_WINEBOOT}" --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
endif()

function(pearl_add_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
