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
// or an interrupt the temporary file is removed. A device or a pipe at
// `path` is refused and left as it is. A new file gets the mode the umask
// leaves; a replaced file keeps its own.
Status replace_file_in_pieces(const std::string& path,
                              const std::function<Status(const file_out&)>& write);

// The same with the whole image at hand: one write.
Status replace_file(const std::string& path, std::string_view bytes);

// Which file a path or a descriptor leads to, as the system tells one file
// from another (device and inode; volume and file index on Windows).
struct file_id {
  bool known = false;
  uint64_t device = 0;
  uint64_t number = 0;
  bool operator==(const file_id&) const = default;
};

// The file whose directory entry is `path` itself, a link not followed:
// what writing `path` would replace. Not known when there is none.
file_id entry_id(const std::string& path);

// What reading accepts: at most `max_bytes`, from a regular file or a pipe
// that gives data; `id`, where given, receives the file that was read.
struct read_limits {
  uint64_t max_bytes = UINT64_MAX;
  file_id* id = nullptr;
};

// Reads the whole file at `path` into `bytes`. It never waits for a pipe
// that has no writer: a device, a folder, a pipe that gives nothing and a
// file over the limit are refused with a message that says so.
Status read_file(const std::string& path, std::string& bytes,
                 const read_limits& limits = {});

// How many bytes the temporary name of replace_file_in_pieces adds to the
// name it replaces: a name must leave room for them.
constexpr size_t temporary_suffix_length = 7;

// Removes the temporary files being written when the process is stopped
// by an interrupt (Ctrl-C, a terminal hang-up, a termination request), then
// lets the interrupt end the process as it would have. A front end calls it
// once, first thing.
void remove_temporary_files_on_interrupt();

bool file_exists(const std::string& path);

// Deletes the file at `path`; a file that is already missing is no failure.
Status remove_file(const std::string& path);
