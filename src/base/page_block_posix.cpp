#include <sys/mman.h>

#include <cstdint>
#include <new>

#include "base/page_block.h"

page_block::page_block(size_t size) : mapped_(2 * size) {
  // Twice the size, so that a stretch aligned to the size lies inside.
  mapping_ = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                    -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t a = reinterpret_cast<uintptr_t>(mapping_);
  data_ = reinterpret_cast<char*>((a + size - 1) / size * size);
  ::madvise(data_, size, MADV_HUGEPAGE);
}

page_block::~page_block() { ::munmap(mapping_, mapped_); }
