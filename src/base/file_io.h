// Whole-file operations on the one folder a run works in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/status.h"

// A file being written under its temporary name. Failures name `path`, the
// file it is to replace. `handle` is the system's own: a descriptor on
// POSIX, a HANDLE on Windows.
struct file_out {
#ifdef _WIN32
  void* handle = nullptr;
#else
  int handle = -1;
#endif
  const std::string& path;
};

// Writes all of `bytes` into `f` at byte `offset`.
Status write_at(const file_out& f, uint64_t offset, std::string_view bytes);

// Replaces the file at `path` with what `write` writes into it, in pieces at
// offsets that together cover the file. It is written under a temporary
// name in the same folder and renamed over the old file only when `write`
// returns ok, so a failure midway never leaves a truncated file where a
// good one stood, and a longer old file leaves nothing behind; on a failure
// the temporary file is removed. A device or a pipe at `path` is refused
// and left as it is.
Status replace_file_in_pieces(const std::string& path,
                              const std::function<Status(const file_out&)>& write);

// The same with the whole image at hand: one write.
Status replace_file(const std::string& path, std::string_view bytes);

// Reads the whole file at `path` into `bytes`.
Status read_file(const std::string& path, std::string& bytes);

bool file_exists(const std::string& path);

// Deletes the file at `path`; a file that is already missing is no failure.
Status remove_file(const std::string& path);
