// The program's one error report of its own.
#pragma once

#include <string>

struct platform;
struct scenario_state;

// The text of the box: " Errore n. " followed directly by `a`.
std::string messaggio_errore(const std::string& a);

// Shows " Errore n. <a>" in a modal OK box, waits for it, then ends the
// process. Only a test's injected end returns; callers return right after.
void errore(scenario_state& st, const platform& p, const std::string& a);
