// scenario: the author's tool. Checks the source documents of a scenario,
// builds its binary files from them, or starts a new one.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "tool/cli/command_line.h"
#include "tool/cli/exit_codes.h"
#include "tool/cli/messages.h"
#include "tool/platform/encoding.h"
#include "tool/platform/system.h"

int main(int argc, char** argv) {
  prepare_terminal();
  remove_temporary_files_on_interrupt();
  try {
    std::vector<std::string> arguments = arguments_utf8(argc, argv);
    std::vector<char*> pointers;
    for (std::string& a : arguments) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    return esegui_scenario(static_cast<int>(arguments.size()), pointers.data());
  } catch (const std::bad_alloc&) {
    scrivi_su_stderr("scenario: out of memory\n");
  } catch (const std::exception& e) {
    avvisa(e.what());
  } catch (...) {
    avvisa("unexpected failure");
  }
  return uscita::fallimento;
}
