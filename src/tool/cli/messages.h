// The one place the tool prints from. What a command prints goes to stdout
// in one piece, and a failure to write it (a full disk, a closed pipe) is a
// failure like any other; every line on stderr starts "scenario: " and shows
// control characters as escapes, so that a file name cannot act on the
// terminal.
#pragma once

#include <string>
#include <string_view>

// Writes `testo` to stdout and flushes it. Returns `stato`, or the failure
// status once the line saying what failed is on stderr.
int stampa(const std::string& testo, int stato);

// "scenario: <testo>" on stderr.
void avvisa(const std::string& testo);

// "scenario: <messaggio>" on stderr; the status of a usage or file failure.
int fallimento(const std::string& messaggio);

// Text made elsewhere (rendered findings, their summary) on stderr as it is.
void scrivi_su_stderr(std::string_view testo);
