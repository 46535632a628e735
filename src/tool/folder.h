// The folders the tool writes into.
#pragma once

#include <string>

#include "base/status.h"

// `cartella` without trailing slashes ("/" stays), so that file paths joined
// to it read as the user would write them.
std::string cartella_pulita(std::string cartella);

// Creates the folder and its parents where missing.
Status crea_cartella(const std::string& cartella);
