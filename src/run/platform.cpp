#include "run/platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

platform terminal_platform() {
  platform p;
  p.mostra_finestra = [](const std::string& label) {
    std::fprintf(stderr, "%s\n", label.c_str());
    std::fflush(stderr);
  };
  p.chiudi_finestra = [] {};
  p.mostra_messaggio = [](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    return 1;  // the OK button
  };
  p.termina = [](int exit_status) { std::exit(exit_status); };
  return p;
}

platform silent_platform() {
  platform p;
  p.mostra_finestra = [](const std::string&) {};
  p.chiudi_finestra = [] {};
  p.mostra_messaggio = [](const std::string&) { return 1; };
  p.termina = [](int) {};
  return p;
}

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
