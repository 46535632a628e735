// The folders the tool writes into.
#pragma once

#include <filesystem>
#include <string>

#include "base/status.h"

// `cartella` without trailing separators (a root such as "/" keeps its own),
// so that file paths joined to it read as the user would write them.
std::string cartella_pulita(std::string cartella);

// The path of a UTF-8 name for the standard library, which on Windows would
// take a plain string in the code page.
std::filesystem::path percorso_fs(const std::string& utf8);

// Creates the folder and its parents where missing.
Status crea_cartella(const std::string& cartella);
