// libFuzzer target: the reader and the whole build on documents made from
// the input (see build_check.h for the input layout and the checks). Any
// failed check aborts, so libFuzzer keeps the input as a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "build_check.h"

namespace {

std::string folder;

void remove_folder() {
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = build_check::make_private_folder();
  if (folder.empty()) {
    std::fprintf(stderr, "scenario_fuzz: cannot create a private folder\n");
    std::exit(2);
  }
  std::atexit(remove_folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto problems =
      build_check::run_case(build_check::split_input(data, size), folder).problems;
  if (problems.empty()) return 0;
  for (const std::string& p : problems)
    std::fprintf(stderr, "scenario_fuzz: %s\n", p.c_str());
  std::abort();
}
