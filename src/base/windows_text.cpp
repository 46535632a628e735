#include "base/windows_text.h"

#include <windows.h>

#include <climits>

std::wstring utf16(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int n = static_cast<int>(utf8.size());
  int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), size);
  return out;
}

std::string utf8(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  const int n = static_cast<int>(utf16.size());
  int size =
      ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data(), size, nullptr, nullptr);
  return out;
}

std::string system_reason(unsigned long error) {
  wchar_t* text = nullptr;
  DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason(text != nullptr ? text : L"", n);
  if (text != nullptr) ::LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  if (reason.empty()) return "system error " + std::to_string(error);
  return utf8(reason);
}
