// libFuzzer target: see report_check.h.
#include <cstddef>
#include <cstdint>

#include "report_check.h"
#include "verdict.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return verdetto("scenario_fuzz_report", report_check::run_case(data, size));
}
