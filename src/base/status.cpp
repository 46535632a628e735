#include "base/status.h"

#include <cstring>

Status Status::from_errno(const std::string& operation, const std::string& path,
                          int err) {
  return failure(operation, path, std::strerror(err));
}
