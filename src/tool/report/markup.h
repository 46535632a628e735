// Text and numbers for the report's HTML and SVG. Every text that comes
// from the documents or the command line (names, sign texts, file names)
// goes through `testo_xml`, so that it shows as written and is never taken
// as markup, whatever bytes it holds.
#pragma once

#include <string>
#include <string_view>

// Appends `utf8` escaped for XML and HTML text and attribute values: & < > "
// ' as references; bytes that are not UTF-8, and characters XML cannot
// hold (control characters other than tab and line end, U+FFFE, U+FFFF), as
// U+FFFD.
void testo_xml(std::string& out, std::string_view utf8);
std::string testo_xml(std::string_view utf8);

// `v` with at most `decimali` decimals, trailing zeros dropped: "12.5", "-3",
// "0".
std::string numero(double v, int decimali = 1);
