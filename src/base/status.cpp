#include "base/status.h"

#include <cstring>

Status Status::FromErrno(const std::string& operation, const std::string& path, int err) {
  return Failure(operation, path, std::strerror(err));
}
