// libFuzzer target: the reader and the build in memory, no file system (see
// memory_check.h). Any failed check aborts, so libFuzzer keeps the input as
// a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "memory_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto problems =
      memory_check::run_case(build_check::split_input(data, size)).problems;
  if (problems.empty()) return 0;
  for (const std::string& p : problems)
    std::fprintf(stderr, "scenario_fuzz_memory: %s\n", p.c_str());
  std::abort();
}
