// Replaces the runtime's array allocation for programs linked with the stand-in,
// so that tests can make a nothrow allocation fail and see the pixel buffer's
// allocation and release in the call record. Every array form is replaced, and
// all go to malloc and free, so that allocation and release always pair up, also
// under AddressSanitizer and valgrind.

#include <cstdlib>
#include <new>
#include <string>

#include "windows_api_standin/standin_state.h"

void* operator new[](std::size_t bytes) {
  if (void* block = std::malloc(bytes == 0 ? 1 : bytes)) {
    return block;
  }
  throw std::bad_alloc();
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  StandinState& state = Standin();
  if (state.failNextNothrowArrayAllocation) {
    state.failNextNothrowArrayAllocation = false;
    state.calls.push_back("new[](" + std::to_string(bytes) + ") failed");
    return nullptr;
  }
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block != nullptr) {
    state.calls.push_back("new[](" + std::to_string(bytes) + ")");
    state.nothrowArrays[block] = bytes;
  }
  return block;
}

void operator delete[](void* block) noexcept {
  StandinState& state = Standin();
  if (const auto array = state.nothrowArrays.find(block); array != state.nothrowArrays.end()) {
    state.calls.push_back("delete[](" + std::to_string(array->second) + ")");
    state.nothrowArrays.erase(array);
  }
  std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept { operator delete[](block); }

void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete[](block); }
