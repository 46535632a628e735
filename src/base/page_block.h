// Memory taken from the system in whole pages, for buffers a writer uses
// again and again. One implementation per system: page_block_posix.cpp,
// page_block_windows.cpp.
#pragma once

#include <cstddef>

// `size` bytes aligned to `size` (a power of two). On Linux they lie in one
// huge page where the system gives one, so 2 MiB cost one page fault
// instead of 512. Throws std::bad_alloc when the system has no memory.
class page_block {
 public:
  explicit page_block(size_t size);
  ~page_block();
  page_block(const page_block&) = delete;
  page_block& operator=(const page_block&) = delete;

  char* data() const { return data_; }

 private:
  void* mapping_;
  size_t mapped_;
  char* data_;
};
