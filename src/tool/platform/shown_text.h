// Text from the documents and the binary files as the terminal shows it.
#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes in UTF-8, tabs expanded to the next multiple of 8
// columns, and control characters, which would act on the terminal, shown
// as U+FFFD.
std::string testo_mostrato(std::string_view cp1252);
