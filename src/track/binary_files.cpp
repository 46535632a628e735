#include "track/binary_files.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "format/byte_sink.h"
#include "base/file_io.h"
#include "scenario/naming.h"

namespace {

// A string field: 16-bit byte count, then the Windows-1252 bytes. Names
// longer than 65535 bytes cannot be counted; they are cut at that length
// so the count always matches the bytes that follow.
void put_string(byte_sink& out, const std::string& text) {
  size_t n = std::min<size_t>(text.size(), std::numeric_limits<uint16_t>::max());
  out.u16(static_cast<uint16_t>(n));
  out.raw(std::string_view(text).substr(0, n));
}

void put_elemento(byte_sink& out, const elemento& e) {
  out.u8(e.tipo);           //  0  tipo
  out.i32(e.inizio);        //  1  inizio
  out.i32(e.fine);          //  5  fine
  out.i32(e.progressiva);   //  9  progressiva
  out.u8(e.opzione_1);      // 13  opzione_1
  put_string(out, e.nome);  // 14  count n, 16 nome
  out.i16(e.valore_1);      // 16+n valore_1
  out.i16(e.valore_2);      // 18+n valore_2
  out.i16(e.valore_3);      // 20+n valore_3
  out.i16(e.valore_4);      // 22+n valore_4
  out.i16(e.valore_5);      // 24+n valore_5
  out.u8(e.opzione_2);      // 26+n opzione_2
  out.u8(e.opzione_3);      // 27+n opzione_3
  out.u8(e.opzione_4);      // 28+n opzione_4
  out.u8(e.opzione_5);      // 29+n opzione_5
  out.i32(e.orario);        // 30+n orario
}

void put_cella(byte_sink& out, const cella& c) {
  out.u8(c.codice);         //  0 codice
  out.i16(c.dato_a);        //  1 dato_a
  out.i16(c.dato_b);        //  3 dato_b
  out.i16(c.dato_c);        //  5 dato_c
  out.i16(c.dato_d);        //  7 dato_d
  out.u8(c.tempo);          //  9 tempo
  out.u8(c.preavviso);      // 10 preavviso
  out.u8(c.tipo_montagna);  // 11 tipo_montagna
  out.u8(c.velocita);       // 12 velocita
  out.u8(c.pendenza);       // 13 pendenza
  out.u8(c.aderenza);       // 14 aderenza
}

// Bytes of one polyline element in the line plan file: its tag, and 2 more
// for a 16-bit integer or 8 for a double.
size_t element_size(uint8_t tipo) {
  switch (tipo) {
    case tracciato_t::intero:
      return 4;
    case tracciato_t::reale:
      return 10;
    default:
      return 2;
  }
}

// Little-endian stores into a buffer already sized for them.
char* store_16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v);
  p[1] = static_cast<char>(v >> 8);
  return p + 2;
}

char* store_64(char* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
  return p + 8;
}

}  // namespace

std::string immagine_tracciato(const tracciato_t& tracciato) {
  // Sized once and filled in place: the image runs to megabytes (tens of
  // them for a long route), and appending it a byte at a time cost more than
  // writing the file.
  const size_t n = tracciato.tipo.size();
  size_t size = 0;
  for (size_t i = 0; i < n; ++i) size += element_size(tracciato.tipo[i]);
  std::string bytes(size, '\0');
  char* p = bytes.data();
  for (size_t i = 0; i < n; ++i) {
    switch (tracciato.tipo[i]) {
      case tracciato_t::intero:
        p = store_16(p, tracciato_t::intero);
        p = store_16(p, static_cast<uint16_t>(static_cast<int16_t>(tracciato.valore[i])));
        break;
      case tracciato_t::reale: {
        uint64_t bits;
        std::memcpy(&bits, &tracciato.valore[i], sizeof bits);
        p = store_16(p, tracciato_t::reale);
        p = store_64(p, bits);
        break;
      }
      default:
        p = store_16(p, tracciato_t::vuoto);
        break;
    }
  }
  return bytes;
}

std::string immagine_elementi(const std::array<elemento, slot::numero>& elementi) {
  byte_sink out;
  out.bytes.reserve(slot::numero * 40);
  for (const elemento& e : elementi) put_elemento(out, e);
  return std::move(out.bytes);
}

std::string immagine_percorso(const std::vector<cella>& percorso) {
  byte_sink out;
  out.bytes.reserve(percorso.size() * 15);
  for (const cella& c : percorso) put_cella(out, c);
  return std::move(out.bytes);
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
