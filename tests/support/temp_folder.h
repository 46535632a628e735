// Test support: a private temporary folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class temp_folder {
 public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // The names of the regular files in the folder, sorted.
  std::vector<std::string> files() const;

 private:
  std::string path_;
};

// Paths are UTF-8 here, as in the programs; the standard library would take
// a plain string in the code page on Windows.
std::filesystem::path utf8_path(const std::string& utf8);

// The whole content of a file ("" when it cannot be read).
std::string read_bytes(const std::string& path);
// Writes `bytes` to `path`, replacing it.
void write_bytes(const std::string& path, const std::string& bytes);
