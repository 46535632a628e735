// JSON as the tool prints it: each member of the top object on a line of
// its own, and each record of an array of records on a line of its own, so a
// dump of thousands of cells reads and greps line by line and still parses
// as one document.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

using json = nlohmann::ordered_json;  // members stay in the order written

// `j` as text, ending in a line end. Bytes that are not UTF-8 become U+FFFD.
std::string testo_json(const json& j);
