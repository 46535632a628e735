#include <windows.h>

#include <cstdlib>

#include "base/windows_text.h"
#include "tool/platform/system.h"

namespace {

// The console as the tool found it, put back at exit.
struct console_state {
  HANDLE err = INVALID_HANDLE_VALUE;
  DWORD err_mode = 0;
  bool err_console = false;
  bool colour = false;
  UINT output_page = 0;
};

console_state console;

void put_back_console() {
  if (console.output_page != 0) ::SetConsoleOutputCP(console.output_page);
  if (console.err_console) ::SetConsoleMode(console.err, console.err_mode);
}

bool is_console(HANDLE h) {
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && h != nullptr && ::GetConsoleMode(h, &mode);
}

}  // namespace

std::vector<std::string> arguments_utf8(int argc, char** argv) {
  int n = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &n);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(utf8(wide[i]));
  ::LocalFree(wide);
  return out;
}

void prepare_terminal() {
  // A drive with no medium fails the operation instead of asking the user.
  ::SetErrorMode(SEM_FAILCRITICALERRORS);
  const bool out_console = is_console(::GetStdHandle(STD_OUTPUT_HANDLE));
  console.err = ::GetStdHandle(STD_ERROR_HANDLE);
  console.err_console = ::GetConsoleMode(console.err, &console.err_mode) != 0;
  if (!out_console && !console.err_console) return;
  // The tool writes UTF-8; a console shows it as such only in that code page.
  console.output_page = ::GetConsoleOutputCP();
  ::SetConsoleOutputCP(CP_UTF8);
  // Colour escapes are shown where the console can interpret them.
  console.colour =
      console.err_console &&
      ::SetConsoleMode(console.err, console.err_mode | ENABLE_PROCESSED_OUTPUT |
                                        ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
  std::atexit(put_back_console);
}

bool colour_terminal() { return console.colour; }

std::string_view path_separators() { return "\\/"; }

std::string_view forbidden_in_names() {
  static const std::string forbidden = [] {
    std::string s = "<>:\"/\\|?*";
    for (char c = 1; c < 0x20; ++c) s += c;
    return s;
  }();
  return forbidden;
}

size_t root_length(std::string_view path) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && path[1] == ':') {
    return path.size() >= 3 && separator(path[2]) ? 3 : 2;
  }
  return !path.empty() && separator(path.front()) ? 1 : 0;
}

bool absolute_path(std::string_view path) { return root_length(path) == 3; }

bool same_name(std::string_view a, std::string_view b) {
  // Windows compares names without regard to case, as CompareStringOrdinal
  // with ignore-case does.
  const std::wstring wa = utf16(std::string(a)), wb = utf16(std::string(b));
  return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

size_t name_length(std::string_view name) { return utf16(std::string(name)).size(); }

size_t longest_name(const std::string&) { return 255; }

std::string tool_folder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  const size_t separator = buffer.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  return utf8(std::wstring_view(buffer).substr(0, separator));
}

std::string run_instead(const std::string&, const std::vector<std::string>&) {
  // Nothing on Windows hands itself over (serve is not built there).
  return "not supported on this system";
}
