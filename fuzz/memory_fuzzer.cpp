// libFuzzer target: the reader and the build in memory, no file system (see
// memory_check.h).
#include <cstddef>
#include <cstdint>

#include "memory_check.h"
#include "verdict.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return verdetto("scenario_fuzz_memory",
                  memory_check::run_case(build_check::split_input(data, size)).problems);
}
