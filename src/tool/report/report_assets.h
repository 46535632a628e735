// The report page's script and style sheet, from report_page.js and
// report_page.css beside this file, built into the tool.
#pragma once

extern const char* const script_report;
extern const char* const stile_report;
