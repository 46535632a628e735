// The result of an operation outside the reader: success, or one line that
// says what failed, on which file, and why.
#pragma once

#include <string>
#include <utility>

class Status {
 public:
  static Status success() { return Status(); }
  // "<operation> '<path>': <reason>", e.g. "cannot create '/x/a.dat': ...".
  static Status failure(const std::string& operation, const std::string& path,
                        const std::string& reason) {
    return Status(operation + " '" + path + "': " + reason);
  }
  // The failure of a system call on a file, with the system's reason.
  static Status from_errno(const std::string& operation, const std::string& path,
                           int err);

  bool ok() const { return message_.empty(); }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  explicit Status(std::string m) : message_(std::move(m)) {}
  std::string message_;
};
