#include "documents/document_writer.h"

#include <memory>

#include "base/file_io.h"

bool riempi_tabella(tabella_documento& t, std::initializer_list<sezione> sezioni) {
  size_t righe = 0;
  for (sezione s : sezioni) righe += s.size();
  if (righe + 1 > t.size()) return false;  // no slot left for the marker
  size_t i = 0;
  for (sezione s : sezioni) {
    for (const char* riga : s) t[i++] = riga;
  }
  t[i] = marcatore_fine;
  return true;
}

std::string immagine_tabella(const tabella_documento& t) {
  std::string bytes;
  for (const std::string& riga : t) {
    if (riga == marcatore_fine) break;
    bytes += riga;
    bytes += "\r\n";
  }
  return bytes;
}

Status scrivi_documento(const std::string& path, std::initializer_list<sezione> sezioni) {
  auto t = std::make_unique<tabella_documento>();  // 1001 strings: kept off the stack
  if (!riempi_tabella(*t, sezioni)) {
    return Status::failure("cannot fill the line table for", path,
                           "the document has more than 1000 lines");
  }
  return replace_file(path, immagine_tabella(*t));
}
