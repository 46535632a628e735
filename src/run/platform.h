// What the run needs of the machine it runs on: a window with one label, a
// modal message box, the program's own folder, and the end of the process.
// The terminal backend prints to stderr; a desktop backend, where built,
// shows real windows behind the same operations.
#pragma once

#include <functional>
#include <string>

struct platform {
  // Shows the window with its one label, not modal, painted once.
  std::function<void(const std::string& label)> mostra_finestra;
  // Takes the window away (the run is over).
  std::function<void()> chiudi_finestra;
  // Shows a modal box with one OK button and waits until it is closed.
  // Returns the box's answer.
  std::function<int(const std::string& text)> mostra_messaggio;
  // Ends the process at once with `exit_status`. Tests inject one that
  // returns, so callers must return right after calling it.
  std::function<void(int exit_status)> termina;
};

// The terminal backend: the label and messages go to stderr, one line each.
platform terminal_platform();

// A platform that shows nothing and never ends the process: for running the
// build inside another program (tests, benchmarks, the fuzzer). Its message
// box answers OK at once.
platform silent_platform();

// The platform the program uses: the desktop window where one is built in
// (FLTK on X11, the Win32 API on Windows) and a display can be had, the
// terminal otherwise.
platform default_platform();

// The folder that holds the running program file (not the current
// directory), without a trailing separator. Empty if it cannot be found.
std::string program_folder();

// Readies the process before the run: a failing file operation must come
// back as an error (not end the process, nor wait on a system dialog).
void prepare_process();
