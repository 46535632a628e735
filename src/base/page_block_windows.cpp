#include <windows.h>

#include <new>

#include "base/page_block.h"

// Windows gives large pages only to a process with the right to lock
// memory; ordinary pages, committed at once, serve here.
page_block::page_block(size_t size) : mapped_(size) {
  mapping_ = ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (mapping_ == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(mapping_);
}

page_block::~page_block() { ::VirtualFree(mapping_, 0, MEM_RELEASE); }
