// Findings for machines: JSON of the tool's own shape, and SARIF 2.1.0 for
// editors and code-scanning services. Both say what the text report says:
// the same findings, severities, messages, places and notes.
#pragma once

#include <string>
#include <vector>

#include "tool/diagnostics/rendered.h"

//   {"version": 1, "diagnostics": [{"severity", "name", "code", "message",
//    "location": {"file", "line", "column", "end_line", "end_column",
//    "offset", "length"}, "cell", "metres", "notes": [...]}, ...],
//    "errors": N, "warnings": N, "not_shown": {"errors": N, "warnings": N}}
// The counts take in `omessi`, the findings left out by the limits; file
// names and messages are made valid UTF-8 (U+FFFD for what is not).
std::string resa_json(const std::vector<rendered_diagnostic>& diagnostiche,
                      const conteggio_reperti& omessi = {});

// One run of the tool, a rule for every finding the tool can report (with
// its explanation), a result for each finding with its physical location
// and its end, and the notes as related locations.
// The findings left out by the limits are counted in the run's properties.
std::string resa_sarif(const std::vector<rendered_diagnostic>& diagnostiche,
                       const conteggio_reperti& omessi = {});

// A path as a URI reference: every byte but the unreserved ones and '/'
// percent-encoded; an absolute path as a file URI ("file:///tmp/a%20b.txt").
std::string uri_di(const std::string& percorso);
