// Waiting for the author's documents to change, or for the user to stop the
// program: what a live view needs of the system. The folders that hold the
// documents are watched, not the files, so that a document an editor saves
// by writing another file and renaming it over the old one is still
// followed. One implementation per system: watch_linux.cpp (inotify),
// watch_windows.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

class document_watch {
 public:
  document_watch();
  ~document_watch();
  document_watch(const document_watch&) = delete;
  document_watch& operator=(const document_watch&) = delete;

  // Starts watching the folders of `files` (paths as typed) and takes over
  // the stop requests (Ctrl-C, a termination request, a hang-up) until this
  // is destroyed. Returns "" or the failure to show.
  std::string start(const std::vector<std::string>& files);

  enum class event {
    changed,    // one of the files was written, created, renamed or removed
    timed_out,  // nothing within the time given
    stop,       // the user asked the program to stop
  };
  // Waits at most `milliseconds` (-1: without end). Changes to other files
  // of the folders are passed over.
  event wait(int milliseconds);

 private:
  struct state;
  std::unique_ptr<state> s_;
};
