#include "tool/folder.h"

#include <filesystem>
#include <system_error>

std::string cartella_pulita(std::string cartella) {
  while (cartella.size() > 1 && cartella.back() == '/') cartella.pop_back();
  return cartella.empty() ? "." : cartella;
}

Status crea_cartella(const std::string& cartella) {
  std::error_code ec;
  std::filesystem::create_directories(cartella, ec);
  if (ec) return Status::Failure("cannot create folder", cartella, ec.message());
  if (!std::filesystem::is_directory(cartella, ec)) {
    return Status::Failure("cannot create folder", cartella,
                           "a file of that name exists");
  }
  return Status::Ok();
}
