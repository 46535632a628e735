#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "tool/platform/system.h"

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

bool absolute_path(std::string_view path) { return root_length(path) > 0; }

bool same_name(std::string_view a, std::string_view b) { return a == b; }

size_t name_length(std::string_view name) { return name.size(); }

size_t longest_name(const std::string& folder) {
  // A folder yet to be made lies on the file system of the nearest one that
  // exists; 255 is the common limit where none tells.
  std::string f = folder;
  for (;;) {
    errno = 0;
    const long limit = ::pathconf(f.c_str(), _PC_NAME_MAX);
    if (limit > 0) return static_cast<size_t>(limit);
    const size_t cut = f.find_last_of('/');
    if (errno != ENOENT || f == "/" || f == ".") return 255;
    f = cut == std::string::npos ? "." : cut == 0 ? "/" : f.substr(0, cut);
  }
}

std::string tool_folder() {
  std::string buffer(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  const size_t slash = buffer.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : buffer.substr(0, slash);
}

std::string run_instead(const std::string& program,
                        const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  return std::strerror(errno);
}
