#include "track/binary_files.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/file_io.h"
#include "base/page_block.h"
#include "format/layout.h"
#include "scenario/naming.h"

namespace {

// The line plan and track files are written in pieces of 1 MiB, through
// buffers used again and again: their megabytes are never held whole, so
// memory and page faults stay the same for any route. Pieces of 40 KiB
// took the kernel twice the time of one write per file (a call each, and
// on a loaded machine a chance each to be set aside).
constexpr size_t byte_per_pezzo = size_t{1} << 20;

// The two buffers of byte_per_pezzo, in one block of whole pages (one huge
// page where the system gives one).
struct buffer_pezzi {
  page_block pagine{2 * byte_per_pezzo};
  char* x() const { return pagine.data(); }
  char* y() const { return pagine.data() + byte_per_pezzo; }
};

// The buffers, made on the first file and kept for every later one: mapping
// a block costs a system call and a page fault, more than writing a short
// track file. The writers run on one thread and never inside each other.
const buffer_pezzi& pezzi() {
  static const buffer_pezzi b;
  return b;
}

// Points computed at a time, into arrays on the stack.
constexpr size_t punti_per_blocco = 512;

constexpr size_t byte_intero = dimensione_tag + larghezza_valore(tracciato_t::intero);
constexpr size_t byte_reale = dimensione_tag + larghezza_valore(tracciato_t::reale);
constexpr size_t byte_vuoto = dimensione_tag;

// Bytes of each half of the line plan file: the x and the y of a metre
// always have the same type.
uint64_t byte_per_meta(const tracciato_a_tratti& t) {
  if (!t.esiste()) return 0;
  const uint64_t metri = static_cast<uint64_t>(t.ultimo) + 1;
  const uint64_t posati = static_cast<uint64_t>(t.posati);
  const uint64_t inizio = std::min<uint64_t>(posati, 2);
  return inizio * byte_intero + (posati - inizio) * byte_reale +
         (metri - posati) * byte_vuoto;
}

// Gives the line plan file of `t` to `scrivi(offset, bytes)` in pieces: the
// x half from byte 0 and the y half from byte_per_meta(t), side by side, so
// the points are walked once.
template <class F>
Status emetti_tracciato(const tracciato_a_tratti& t, F&& scrivi) {
  const uint64_t meta = byte_per_meta(t);
  const buffer_pezzi& b = pezzi();
  uint64_t at = 0;  // where the buffers go in the x half
  char* px = b.x();
  char* py = b.y();
  auto svuota = [&]() -> Status {
    const size_t n = static_cast<size_t>(px - b.x());
    Status s = scrivi(at, std::string_view(b.x(), n));
    if (s.ok()) s = scrivi(meta + at, std::string_view(b.y(), n));
    at += n;
    px = b.x();
    py = b.y();
    return s;
  };
  auto spazio = [&] { return static_cast<size_t>(b.x() + byte_per_pezzo - px); };

  if (t.posati >= 2) {
    px = write_elemento_tracciato(px, tracciato_t::intero, 0);
    px = write_elemento_tracciato(px, tracciato_t::intero, 0);
    py = write_elemento_tracciato(py, tracciato_t::intero, 0);
    py = write_elemento_tracciato(py, tracciato_t::intero, 1);
  }
  cammino_tracciato c{&t};
  double x[punti_per_blocco], y[punti_per_blocco];
  while (const size_t n = prossimi_punti(c, x, y, punti_per_blocco)) {
    if (spazio() < n * byte_reale) {
      if (Status s = svuota(); !s.ok()) return s;
    }
    for (size_t i = 0; i < n; ++i) {
      px = write_elemento_tracciato(px, tracciato_t::reale, x[i]);
      py = write_elemento_tracciato(py, tracciato_t::reale, y[i]);
    }
  }
  for (int32_t m = std::max(t.posati, 0); m <= t.ultimo; ++m) {
    if (spazio() < byte_vuoto) {
      if (Status s = svuota(); !s.ok()) return s;
    }
    px = write_elemento_tracciato(px, tracciato_t::vuoto, 0);
    py = write_elemento_tracciato(py, tracciato_t::vuoto, 0);
  }
  return svuota();
}

// Gives the track file of `percorso` to `scrivi(offset, bytes)` in pieces.
template <class F>
Status emetti_percorso(const std::vector<cella>& percorso, F&& scrivi) {
  constexpr size_t celle_per_pezzo = byte_per_pezzo / dimensione_cella;
  const buffer_pezzi& b = pezzi();
  for (size_t i = 0; i < percorso.size(); i += celle_per_pezzo) {
    const size_t n = std::min(celle_per_pezzo, percorso.size() - i);
    char* p = b.x();
    for (size_t k = i; k < i + n; ++k) p = write_record(p, percorso[k]);
    Status s =
        scrivi(i * dimensione_cella, std::string_view(b.x(), n * dimensione_cella));
    if (!s.ok()) return s;
  }
  return Status::success();
}

// The image of `size` bytes that `emetti(scrivi)` gives, whole in memory.
template <class E>
std::string in_memoria(uint64_t size, E&& emetti) {
  std::string bytes(size, '\0');
  emetti([&](uint64_t at, std::string_view pezzo) {
    std::memcpy(bytes.data() + at, pezzo.data(), pezzo.size());
    return Status::success();
  });
  return bytes;
}

// Replaces the file at `path` with what `emetti(scrivi)` gives.
template <class E>
Status su_file(const std::string& path, E&& emetti) {
  return replace_file_in_pieces(path, [&](const file_out& f) {
    return emetti(
        [&](uint64_t at, std::string_view pezzo) { return write_at(f, at, pezzo); });
  });
}

}  // namespace

std::string immagine_tracciato(const tracciato_a_tratti& tracciato) {
  return in_memoria(2 * byte_per_meta(tracciato),
                    [&](auto&& scrivi) { return emetti_tracciato(tracciato, scrivi); });
}

Status scrivi_tracciato(const std::string& path, const tracciato_a_tratti& tracciato) {
  return su_file(path,
                 [&](auto&& scrivi) { return emetti_tracciato(tracciato, scrivi); });
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
  return in_memoria(percorso.size() * dimensione_cella,
                    [&](auto&& scrivi) { return emetti_percorso(percorso, scrivi); });
}

Status scrivi_file_binari(const scenario_state& st) {
  if (st.salva_linea != 0) {
    Status s = scrivi_tracciato(file_path(st, file_kind::line_plan), st.tracciato);
    if (!s.ok()) return s;
  }
  Status s =
      replace_file(file_path(st, file_kind::scenario), immagine_elementi(st.elementi));
  if (!s.ok()) return s;
  return su_file(file_path(st, file_kind::track),
                 [&](auto&& scrivi) { return emetti_percorso(st.percorso, scrivi); });
}
