// libFuzzer target: the decoders of the three binary files and the tool's
// dump and diff over them, in memory (see decoder_check.h). Any failed check
// aborts, so libFuzzer keeps the input as a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "decoder_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto problems = decoder_check::run_case(data, size);
  if (problems.empty()) return 0;
  for (const std::string& p : problems)
    std::fprintf(stderr, "scenario_fuzz_decoders: %s\n", p.c_str());
  std::abort();
}
