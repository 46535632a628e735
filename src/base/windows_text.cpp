#include "base/windows_text.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstring>

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

namespace {

// The C library's number for the errors both systems share; 0 for others.
int posix_error(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return 0;
  }
}

}  // namespace

std::string system_reason(unsigned long error) {
  if (int e = posix_error(error)) return std::strerror(e);
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
