#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

Status write_at(const file_out& f, uint64_t offset, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::pwrite(f.handle, p, left, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno("cannot write", f.path, errno);
    }
    p += n;
    offset += static_cast<uint64_t>(n);
    left -= static_cast<size_t>(n);
  }
  return Status::Ok();
}

Status replace_file_in_pieces(const std::string& path,
                              const std::function<Status(const file_out&)>& write) {
  // Only a file is replaced: the rename would put a plain file in the place
  // of a device or a pipe (as root, even of /dev/null). A folder in the way
  // is left to the rename, which refuses it.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    return Status::Failure("cannot replace", path, "not a regular file");
  }
  // A fresh temporary name beside the target, so nothing else is clobbered.
  std::string temp = path + ".XXXXXX";
  const file_out f{::mkostemp(temp.data(), O_CLOEXEC), path};
  if (f.handle < 0) return Status::FromErrno("cannot create", path, errno);
  ::fchmod(f.handle, 0644);
  // Failures name the file being replaced: the temporary one is removed.
  Status s = Status::Ok();
  try {
    s = write(f);
  } catch (...) {
    ::close(f.handle);
    ::unlink(temp.c_str());
    throw;
  }
  if (::close(f.handle) != 0 && s.ok()) s = Status::FromErrno("cannot write", path, errno);
  if (s.ok() && ::rename(temp.c_str(), path.c_str()) != 0) {
    s = Status::FromErrno("cannot replace", path, errno);
  }
  if (!s.ok()) ::unlink(temp.c_str());
  return s;
}

Status replace_file(const std::string& path, std::string_view bytes) {
  return replace_file_in_pieces(path,
                                [&](const file_out& f) { return write_at(f, 0, bytes); });
}

Status read_file(const std::string& path, std::string& bytes) {
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno("cannot open", path, errno);
  // Read straight into the string, sized by the file's size; a small buffer
  // then finds the end, or more of a file that grew meanwhile.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0)
    bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  char more[4096];
  for (;;) {
    const bool into_string = done < bytes.size();
    ssize_t n = into_string ? ::read(fd, bytes.data() + done, bytes.size() - done)
                            : ::read(fd, more, sizeof more);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      bytes.clear();
      return Status::FromErrno("cannot read", path, err);
    }
    if (n == 0) break;
    if (!into_string) bytes.append(more, static_cast<size_t>(n));
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  ::close(fd);
  return Status::Ok();
}

bool file_exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Status remove_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    return Status::FromErrno("cannot delete", path, errno);
  }
  return Status::Ok();
}
