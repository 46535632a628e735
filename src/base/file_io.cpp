#include "base/file_io.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// The temporary files being written, for the interrupt handler: a fixed
// table it can read without allocating or locking. A slot's name is written
// while the slot is `claimed` and read by the handler only once `ready`.
enum slot_state : int { free_slot = 0, claimed = 1, ready = 2 };
struct temporary_slot {
  std::atomic<int> state{free_slot};
  char name[4096 + 16];
};
temporary_slot temporary_slots[8];
static_assert(std::atomic<int>::is_always_lock_free);

// The slot holding `name`, or -1 when none is free or the name does not
// fit (the file is then still removed on every path but an interrupt).
int register_temporary(const std::string& name) {
  if (name.size() >= sizeof temporary_slots[0].name) return -1;
  for (int i = 0; i < static_cast<int>(std::size(temporary_slots)); ++i) {
    temporary_slot& t = temporary_slots[i];
    int expected = free_slot;
    if (!t.state.compare_exchange_strong(expected, claimed)) continue;
    std::memcpy(t.name, name.c_str(), name.size() + 1);
    t.state.store(ready);
    return i;
  }
  return -1;
}

void unregister_temporary(int slot) {
  if (slot >= 0) temporary_slots[slot].state.store(free_slot);
}

extern "C" void remove_temporaries_and_stop(int signal_number) {
  // Only what is safe in a signal handler: unlink, then the interrupt's own
  // way of ending the process.
  for (temporary_slot& t : temporary_slots) {
    if (t.state.load() == ready) ::unlink(t.name);
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

// The mode a new file gets: what the umask leaves of rw for everyone.
mode_t new_file_mode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

// On a pipe opened without waiting: true once it has a writer (its first
// byte, if it sent one, put in `first`) or had one that closed; false when
// none comes within two seconds.
bool writer_comes(int fd, std::string& first) {
  bool hung_up = false;
  for (int waited = 0; waited <= 2000; waited += 50) {
    char byte;
    const ssize_t n = ::read(fd, &byte, 1);
    if (n == 1) {
      first.push_back(byte);
      return true;
    }
    if (n < 0 && errno == EAGAIN) return true;  // a writer, nothing sent yet
    if (n < 0 && errno != EINTR) return true;   // the read proper will tell
    if (n == 0 && hung_up) return true;         // a writer came and went
    pollfd p{fd, POLLIN, 0};
    hung_up = ::poll(&p, 1, 50) > 0 && (p.revents & POLLHUP) != 0;
  }
  return false;
}

file_id id_of(const struct stat& st) {
  return {true, static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

std::string mebibytes(uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

void remove_temporary_files_on_interrupt() {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    // A signal the caller ignores (nohup) stays ignored.
    if (::sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
      continue;
    struct sigaction sa {};
    sa.sa_handler = remove_temporaries_and_stop;
    sigemptyset(&sa.sa_mask);
    ::sigaction(signal_number, &sa, nullptr);
  }
}

file_id entry_id(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {};
  return id_of(st);
}

Status write_at(const file_out& f, uint64_t offset, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::pwrite(f.handle, p, left, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::from_errno("cannot write", f.path, errno);
    }
    p += n;
    offset += static_cast<uint64_t>(n);
    left -= static_cast<size_t>(n);
  }
  return Status::success();
}

Status replace_file_in_pieces(const std::string& path,
                              const std::function<Status(const file_out&)>& write) {
  // Only a file is replaced: the rename would put a plain file in the place
  // of a device or a pipe (as root, even of /dev/null). A folder in the way
  // is left to the rename, which refuses it.
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    return Status::failure("cannot replace", path, "not a regular file");
  }
  const mode_t mode =
      exists && S_ISREG(st.st_mode) ? (st.st_mode & 07777) : new_file_mode();
  // A fresh temporary name beside the target, so nothing else is clobbered.
  std::string temp = path + ".XXXXXX";
  static_assert(sizeof ".XXXXXX" - 1 == temporary_suffix_length);
  // Interrupts wait while the name is made and registered, so that no
  // temporary file exists that the handler does not know of.
  sigset_t interrupts, before;
  sigemptyset(&interrupts);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP})
    sigaddset(&interrupts, signal_number);
  ::pthread_sigmask(SIG_BLOCK, &interrupts, &before);
  const file_out f{::mkostemp(temp.data(), O_CLOEXEC), path};
  const int create_error = errno;
  const int slot = f.handle >= 0 ? register_temporary(temp) : -1;
  ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  if (f.handle < 0) return Status::from_errno("cannot create", path, create_error);
  ::fchmod(f.handle, mode);
  const auto remove_temporary = [&] {
    ::unlink(temp.c_str());
    unregister_temporary(slot);
  };
  // Failures name the file being replaced: the temporary one is removed.
  Status s = Status::success();
  try {
    s = write(f);
  } catch (...) {
    ::close(f.handle);
    remove_temporary();
    throw;
  }
  if (::close(f.handle) != 0 && s.ok())
    s = Status::from_errno("cannot write", path, errno);
  if (s.ok() && ::rename(temp.c_str(), path.c_str()) != 0) {
    s = Status::from_errno("cannot replace", path, errno);
  }
  if (!s.ok()) {
    remove_temporary();
  } else {
    unregister_temporary(slot);
  }
  return s;
}

Status replace_file(const std::string& path, std::string_view bytes) {
  return replace_file_in_pieces(path,
                                [&](const file_out& f) { return write_at(f, 0, bytes); });
}

Status read_file(const std::string& path, std::string& bytes, const read_limits& limits) {
  bytes.clear();
  // Opened without waiting: a pipe with no writer would block the open
  // until one came, perhaps never.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Status::from_errno("cannot open", path, errno);
  const auto refuse = [&](const std::string& reason) {
    ::close(fd);
    bytes.clear();
    return Status::failure("cannot read", path, reason);
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return Status::from_errno("cannot read", path, err);
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status::from_errno("cannot read", path, EISDIR);
  }
  const bool is_pipe = S_ISFIFO(st.st_mode);
  if (!S_ISREG(st.st_mode) && !is_pipe) return refuse("not a regular file or a pipe");
  if (!is_pipe && static_cast<uint64_t>(st.st_size) > limits.max_bytes) {
    return refuse("larger than the limit of " + mebibytes(limits.max_bytes));
  }
  if (limits.id != nullptr) *limits.id = id_of(st);
  // A pipe that has no writer yet is given a moment for one to come (a
  // writer started just before us may not have opened it yet); one that
  // has a writer is then read waiting for its data, however slow.
  std::string first;
  if (is_pipe && !writer_comes(fd, first))
    return refuse("a pipe that no program writes into");
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // Read straight into the string, sized by the file's size; a small buffer
  // then finds the end, or more of a file that grew meanwhile.
  if (st.st_size > 0) bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  char more[65536];
  for (;;) {
    const bool into_string = done < bytes.size();
    ssize_t n = into_string ? ::read(fd, bytes.data() + done, bytes.size() - done)
                            : ::read(fd, more, sizeof more);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      bytes.clear();
      return Status::from_errno("cannot read", path, err);
    }
    if (n == 0) break;
    if (done + static_cast<uint64_t>(n) > limits.max_bytes) {
      return refuse("larger than the limit of " + mebibytes(limits.max_bytes));
    }
    if (!into_string) bytes.append(more, static_cast<size_t>(n));
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  ::close(fd);
  if (!first.empty()) bytes.insert(0, first);
  if (is_pipe && bytes.empty()) {
    return Status::failure("cannot read", path, "a pipe that gave no data");
  }
  return Status::success();
}

bool file_exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Status remove_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    return Status::from_errno("cannot delete", path, errno);
  }
  return Status::success();
}
