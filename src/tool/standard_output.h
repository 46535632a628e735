// What the commands print goes to stdout through here, in one piece, and a
// failure to write it (a full disk, a closed pipe) is a failure like any
// other: one line on stderr and status 2.
#pragma once

#include <string>

// Writes `testo` to stdout and flushes it. Returns `stato`, or the failure
// status once the line saying what failed is on stderr.
int stampa(const std::string& testo, int stato);
