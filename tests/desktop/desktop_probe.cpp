// Drives the platform the program uses, one step per line on stdin, so that a
// script can look at the screen between the steps.
//
//   desktop_probe window   shows the window, prints "shown"; after a line (or
//                          the end of stdin) takes it away, prints "closed";
//                          after another line ends with status 0.
//   desktop_probe errore A shows the window, prints "shown", then reports
//                          error A, which ends the process once the box is
//                          closed. Should it return, prints "errore returned"
//                          and ends with status 3.
#include <cstdio>
#include <iostream>
#include <string>

#include "run/errore.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"

namespace {

void say(const char* word) {
  std::printf("%s\n", word);
  std::fflush(stdout);
}

void wait_for_line() {
  std::string line;
  std::getline(std::cin, line);
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "window" && argc == 2) {
    platform p = default_platform();
    p.mostra_finestra("Attendere");
    say("shown");
    wait_for_line();
    p.chiudi_finestra();
    say("closed");
    wait_for_line();
    return 0;
  }
  if (mode == "errore" && argc == 3) {
    platform p = default_platform();
    p.mostra_finestra("Attendere");
    say("shown");
    scenario_state st;
    errore(st, p, argv[2]);
    say("errore returned");
    return 3;
  }
  std::fprintf(stderr, "usage: desktop_probe window | desktop_probe errore NUMBER\n");
  return 2;
}
