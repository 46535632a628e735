#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

fs::path path_of(const std::string& utf8) { return utf8_path(utf8); }

std::string utf8_of(const fs::path& p) {
  std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace

fs::path utf8_path(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

temp_folder::temp_folder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path p = fs::temp_directory_path() /
                 ("scenario-test-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(p)) {
      std::error_code ec;  // private, as the tests' files may be
      fs::permissions(p, fs::perms::owner_all, ec);
      path_ = utf8_of(p);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

temp_folder::~temp_folder() {
  std::error_code ec;
  fs::permissions(path_of(path_), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_of(path_), ec);
}

std::vector<std::string> temp_folder::files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_of(path_))) {
    if (entry.is_regular_file()) names.push_back(utf8_of(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path_of(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in),
                     std::istreambuf_iterator<char>());
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path_of(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
