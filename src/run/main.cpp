// The program: builds the built-in scenario in its own folder and ends.
// It takes no arguments and reads no configuration.
#include <cstdio>
#include <exception>
#include <new>

#include "base/file_io.h"
#include "run/exit_status.h"
#include "run/platform.h"
#include "run/run.h"
#include "scenario/scenario_state.h"

int main() {
  prepare_process();
  remove_temporary_files_on_interrupt();
  try {
    scenario_state st;
    st.cartella = program_folder();
    if (st.cartella.empty()) {
      std::fprintf(stderr, "scenario_build: cannot find the program's own folder\n");
      return exit_status::failure;
    }
    return esegui(st, default_platform());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "scenario_build: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scenario_build: %s\n", e.what());
  }
  return exit_status::failure;
}
