// Text at the Windows API. File names and the system's messages are UTF-16
// there; everywhere else in the programs they are UTF-8. Windows only.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not UTF-8 become U+FFFD.
std::wstring utf16(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

// The system's own words for a Windows error code (GetLastError), as one
// clause: no line end, no closing full stop.
std::string system_reason(unsigned long error);
