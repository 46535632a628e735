#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "tool/system.h"

std::vector<std::string> arguments_utf8(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void prepare_terminal() {
  // A write past a file size limit must fail with an error, not kill us.
  std::signal(SIGXFSZ, SIG_IGN);
}

bool colour_terminal() { return ::isatty(STDERR_FILENO) == 1; }

std::string_view path_separators() { return "/"; }

std::string_view forbidden_in_names() { return "/"; }

size_t root_length(std::string_view path) {
  return !path.empty() && path.front() == '/' ? 1 : 0;
}

bool same_entry(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
