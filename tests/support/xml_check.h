// Test support: whether files are well-formed XML, as libxml2's xmllint
// reads them (the report's pages and drawings are written to be).
#pragma once

#include <string>
#include <vector>

// "" when every file is well-formed; otherwise what xmllint said.
std::string errori_xml(const std::vector<std::string>& files);
