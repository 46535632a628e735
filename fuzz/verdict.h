// How every fuzz target ends a case: silently when its checks hold; else
// each problem on stderr and an abort, so that libFuzzer keeps the input as
// a finding.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline int verdetto(const char* target, const std::vector<std::string>& problems) {
  if (problems.empty()) return 0;
  for (const std::string& p : problems)
    std::fprintf(stderr, "%s: %s\n", target, p.c_str());
  std::abort();
}
