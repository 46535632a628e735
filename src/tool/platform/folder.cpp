#include "tool/platform/folder.h"

#include <algorithm>
#include <system_error>

#include "tool/platform/system.h"

std::string cartella_pulita(std::string cartella) {
  const size_t radice = std::max<size_t>(1, root_length(cartella));
  while (cartella.size() > radice &&
         path_separators().find(cartella.back()) != std::string_view::npos) {
    cartella.pop_back();
  }
  return cartella.empty() ? "." : cartella;
}

std::filesystem::path percorso_fs(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

Status crea_cartella(const std::string& cartella) {
  std::error_code ec;
  const std::filesystem::path percorso = percorso_fs(cartella);
  std::filesystem::create_directories(percorso, ec);
  if (ec) return Status::failure("cannot create folder", cartella, ec.message());
  if (!std::filesystem::is_directory(percorso, ec)) {
    return Status::failure("cannot create folder", cartella,
                           "a file of that name exists");
  }
  return Status::success();
}
