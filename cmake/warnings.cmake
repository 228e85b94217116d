# Warnings for the project's own targets only: third-party code (GoogleTest) keeps its own.
add_library(pearl_warnings INTERFACE)
target_compile_options(pearl_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference
  -Wimplicit-fallthrough -Wcast-qual -Wundef)
if(PEARL_WARNINGS_AS_ERRORS)
  target_compile_options(pearl_warnings INTERFACE -Werror)
endif()
