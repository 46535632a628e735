// Text at the Windows API. File names and the system's messages are UTF-16
// there; everywhere else in the programs they are UTF-8. Windows only.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not UTF-8 become U+FFFD.
std::wstring utf16(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

// Why a file operation failed, from its Windows error code (GetLastError),
// as one clause: in the words of the POSIX build where the two systems mean
// the same ("No such file or directory", "Permission denied", ...), so that
// a line reads alike on both and in one language; in the system's own words
// otherwise.
std::string system_reason(unsigned long error);
