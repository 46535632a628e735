#include "track/binary_files.h"

#include "base/file_io.h"
#include "format/layout.h"
#include "scenario/naming.h"

std::string immagine_tracciato(const tracciato_t& tracciato) {
  // Sized once and filled in place: the image runs to megabytes (tens of
  // them for a long route), and appending it a byte at a time cost more than
  // writing the file.
  const size_t n = tracciato.tipo.size();
  size_t size = 0;
  for (size_t i = 0; i < n; ++i) size += dimensione_elemento_tracciato(tracciato.tipo[i]);
  std::string bytes(size, '\0');
  char* p = bytes.data();
  for (size_t i = 0; i < n; ++i)
    p = write_elemento_tracciato(p, tracciato.tipo[i], tracciato.valore[i]);
  return bytes;
}

std::string immagine_elementi(const std::array<elemento, slot::numero>& elementi) {
  size_t size = 0;
  for (const elemento& e : elementi) size += record_size(e);
  std::string bytes(size, '\0');
  char* p = bytes.data();
  for (const elemento& e : elementi) p = write_record(p, e);
  return bytes;
}

std::string immagine_percorso(const std::vector<cella>& percorso) {
  std::string bytes(percorso.size() * dimensione_cella, '\0');
  char* p = bytes.data();
  for (const cella& c : percorso) p = write_record(p, c);
  return bytes;
}

Status scrivi_file_binari(const scenario_state& st) {
  if (st.salva_linea != 0) {
    Status s = replace_file(file_path(st, file_kind::line_plan),
                            immagine_tracciato(st.tracciato));
    if (!s.ok()) return s;
  }
  Status s =
      replace_file(file_path(st, file_kind::scenario), immagine_elementi(st.elementi));
  if (!s.ok()) return s;
  return replace_file(file_path(st, file_kind::track), immagine_percorso(st.percorso));
}
