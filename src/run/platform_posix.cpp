// What the run needs of a POSIX system beside its window.
#include <unistd.h>

#include <csignal>
#include <string>

#include "run/platform.h"

std::string program_folder() {
  std::string buffer(4096, '\0');
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  size_t slash = buffer.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return buffer.substr(0, slash);
}

void prepare_process() {
  // A write past a file size limit must fail with an error, not kill us.
  std::signal(SIGXFSZ, SIG_IGN);
}
