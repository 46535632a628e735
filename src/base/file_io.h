// Whole-file operations on the one folder a run works in.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"

// Replaces the file at `path` with exactly `bytes`. The image is written in
// one go under a temporary name in the same folder and renamed over the old
// file, so a failure midway never leaves a truncated file where a good one
// stood, and a longer old file leaves nothing behind.
Status replace_file(const std::string& path, std::string_view bytes);

// Reads the whole file at `path` into `bytes`.
Status read_file(const std::string& path, std::string& bytes);

bool file_exists(const std::string& path);

// Deletes the file at `path`; a file that is already missing is no failure.
Status remove_file(const std::string& path);
