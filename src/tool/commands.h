// The tool's commands. Each returns the exit status and says on stderr, in
// one line, what stopped it.
#pragma once

#include "tool/options.h"

// build (`scrivi`) or check (nothing written).
int comando_build(const opzioni_build& o, bool scrivi);

int comando_new(const opzioni_new& o);

// "scenario: <messaggio>" on stderr; the status of a usage or file failure.
int fallimento(const std::string& messaggio);
