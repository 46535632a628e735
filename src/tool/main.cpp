// scenario: the author's tool. Checks the source documents of a scenario,
// builds its binary files from them, or starts a new one.
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>

#include "tool/command_line.h"
#include "tool/exit_codes.h"

int main(int argc, char** argv) {
  // A write past a file size limit must fail with an error, not kill us.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return esegui_scenario(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "scenario: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scenario: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "scenario: unexpected failure\n");
  }
  return uscita::fallimento;
}
