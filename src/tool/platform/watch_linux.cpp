// The documents watched with inotify: a watch on each folder (renames and
// new files there), and one on each file itself, which follows a document
// reached through a link; that one is set again after every change, as a
// save by rename puts another file in the document's place. Stop requests
// reach the waiting thread through a pipe written by the signal handler.
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iterator>
#include <map>
#include <set>

#include "tool/platform/watch.h"

namespace {

int stop_pipe[2] = {-1, -1};

extern "C" void on_stop(int signal_number) {
  const int saved = errno;
  const char byte = static_cast<char>(signal_number);
  [[maybe_unused]] const ssize_t n = ::write(stop_pipe[1], &byte, 1);
  errno = saved;
}

constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

constexpr uint32_t folder_events = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                   IN_DELETE_SELF | IN_MOVE_SELF;
constexpr uint32_t file_events = IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF;

}  // namespace

struct document_watch::state {
  int inotify = -1;
  std::map<int, std::set<std::string>> folders;  // watch -> the names watched there
  std::set<int> file_watches;
  std::vector<std::string> files;
  struct sigaction before[std::size(stop_signals)]{};
  bool signals_taken = false;

  void watch_files() {
    for (const std::string& f : files) {
      const int w = ::inotify_add_watch(inotify, f.c_str(), file_events);
      if (w >= 0 && folders.count(w) == 0) file_watches.insert(w);
    }
  }

  // Whether the events waiting name one of the files; reads them all.
  bool relevant_events() {
    alignas(inotify_event) char buffer[16384];
    bool found = false;
    for (;;) {
      const ssize_t n = ::read(inotify, buffer, sizeof buffer);
      if (n <= 0) break;
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        if (e->mask & IN_Q_OVERFLOW) {
          found = true;  // some were lost: take it as a change
          continue;
        }
        if (file_watches.count(e->wd) > 0) {
          if (e->mask & IN_IGNORED) file_watches.erase(e->wd);
          found = true;
          continue;
        }
        const auto folder = folders.find(e->wd);
        if (folder == folders.end()) continue;
        if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) found = true;
        if (e->len > 0 && folder->second.count(e->name) > 0) found = true;
      }
    }
    return found;
  }
};

document_watch::document_watch() : s_(std::make_unique<state>()) {}

document_watch::~document_watch() {
  if (s_->signals_taken) {
    for (size_t i = 0; i < std::size(stop_signals); ++i)
      ::sigaction(stop_signals[i], &s_->before[i], nullptr);
  }
  if (s_->inotify >= 0) ::close(s_->inotify);
  // A stop request this watch took is spent with it.
  char drained[16];
  while (stop_pipe[0] >= 0 && ::read(stop_pipe[0], drained, sizeof drained) > 0) {
  }
}

std::string document_watch::start(const std::vector<std::string>& files) {
  s_->inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (s_->inotify < 0)
    return std::string("cannot watch the documents: ") + std::strerror(errno);
  for (const std::string& f : files) {
    const size_t slash = f.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : f.substr(0, slash);
    const std::string name = slash == std::string::npos ? f : f.substr(slash + 1);
    const int w = ::inotify_add_watch(s_->inotify, folder.c_str(), folder_events);
    if (w < 0) {
      return "cannot watch the folder '" + folder + "': " + std::strerror(errno);
    }
    s_->folders[w].insert(name);
  }
  s_->files = files;
  s_->watch_files();

  if (stop_pipe[0] < 0 && ::pipe2(stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return std::string("cannot wait for a stop request: ") + std::strerror(errno);
  for (size_t i = 0; i < std::size(stop_signals); ++i) {
    ::sigaction(stop_signals[i], nullptr, &s_->before[i]);
    // A signal the caller ignores (nohup) stays ignored.
    if (s_->before[i].sa_handler == SIG_IGN) continue;
    struct sigaction sa {};
    sa.sa_handler = on_stop;
    sa.sa_flags = SA_RESTART;
    sigemptyset(&sa.sa_mask);
    ::sigaction(stop_signals[i], &sa, nullptr);
  }
  s_->signals_taken = true;
  // A browser that goes away mid-answer must not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  return "";
}

document_watch::event document_watch::wait(int milliseconds) {
  using clock = std::chrono::steady_clock;
  const auto end = clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    int left = -1;
    if (milliseconds >= 0) {
      const auto rest =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now());
      left = static_cast<int>(std::max<int64_t>(0, rest.count()));
    }
    pollfd fds[2] = {{stop_pipe[0], POLLIN, 0}, {s_->inotify, POLLIN, 0}};
    const int n = ::poll(fds, 2, left);
    if (n < 0 && errno != EINTR) return event::stop;  // nothing left to wait with
    if (n > 0 && (fds[0].revents & POLLIN)) return event::stop;
    if (n > 0 && (fds[1].revents & POLLIN) && s_->relevant_events()) {
      s_->watch_files();
      return event::changed;
    }
    if (n == 0) return event::timed_out;
  }
}
