// How each record of the binary files lies in its file, said once: a table
// of named fields in file order, from which the writer, the decoders and a
// field-by-field dump are all driven. The tables are compile-time tuples, so
// writing a record unrolls to one store per field.
//
// A field is declared by its member, its name and its kind:
//   campo<&cella::dato_a>{"dato_a"}     an integer, little-endian, as wide as
//                                       the member's type (int16_t: 2 bytes);
//   campo_testo<&elemento::nome>{"nome"}  a 16-bit byte count, then the bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "format/little_endian.h"
#include "format/records.h"

namespace layout_detail {

// The record and the type of a pointer to member.
template <class M>
struct membro;
template <class R, class T>
struct membro<T R::*> {
  using record = R;
  using tipo = T;
};

}  // namespace layout_detail

// An integer field, stored at the width of its member's type.
template <auto M>
struct campo {
  using record = typename layout_detail::membro<decltype(M)>::record;
  using tipo = typename layout_detail::membro<decltype(M)>::tipo;
  static_assert(std::is_integral_v<tipo>, "a campo holds an integer");
  static constexpr size_t larghezza_fissa = sizeof(tipo);
  static constexpr bool variabile = false;

  std::string_view nome;

  size_t larghezza(const record&) const { return larghezza_fissa; }
  char* write(char* p, const record& r) const { return store_le(p, r.*M); }
  const char* read(const char* p, record& r) const {
    r.*M = load_le<tipo>(p);
    return p + larghezza_fissa;
  }
  // Reads at `at` when the field fits in `image`; `at` is then past it.
  bool read(std::string_view image, size_t& at, record& r) const {
    if (image.size() - at < larghezza_fissa) return false;
    read(image.data() + at, r);
    at += larghezza_fissa;
    return true;
  }
  int64_t valore(const record& r) const { return r.*M; }
};

// A counted string: its byte count in 16 bits, then the Windows-1252 bytes,
// no terminator. A text over 65535 bytes cannot be counted; it is cut at
// that length so the count always matches the bytes that follow.
template <auto M>
struct campo_testo {
  using record = typename layout_detail::membro<decltype(M)>::record;
  static_assert(
      std::is_same_v<typename layout_detail::membro<decltype(M)>::tipo, std::string>,
      "a campo_testo holds a std::string");
  using conteggio = uint16_t;
  static constexpr size_t larghezza_fissa = sizeof(conteggio);
  static constexpr bool variabile = true;

  std::string_view nome;

  static size_t byte_scritti(const record& r) {
    return std::min<size_t>((r.*M).size(), std::numeric_limits<conteggio>::max());
  }
  size_t larghezza(const record& r) const { return larghezza_fissa + byte_scritti(r); }
  char* write(char* p, const record& r) const {
    const size_t n = byte_scritti(r);
    p = store_le(p, static_cast<conteggio>(n));
    if (n != 0) std::memcpy(p, (r.*M).data(), n);
    return p + n;
  }
  // Reads the count and the bytes when both fit in `image`. When they do
  // not, `at` is left on the part that runs past the end: the count, or the
  // first byte of the text.
  bool read(std::string_view image, size_t& at, record& r) const {
    if (image.size() - at < larghezza_fissa) return false;
    const size_t n = load_le<conteggio>(image.data() + at);
    at += larghezza_fissa;
    if (image.size() - at < n) return false;
    (r.*M).assign(image.data() + at, n);
    at += n;
    return true;
  }
  std::string_view valore(const record& r) const { return r.*M; }
};

// The table of each record, in file order, with each field's byte offset.
template <class R>
struct layout;

// Track file: one record per cell, cells 0..n in order.
template <>
struct layout<cella> {
  static constexpr auto campi = std::tuple{
      campo<&cella::codice>{"codice"},                // 0
      campo<&cella::dato_a>{"dato_a"},                // 1
      campo<&cella::dato_b>{"dato_b"},                // 3
      campo<&cella::dato_c>{"dato_c"},                // 5
      campo<&cella::dato_d>{"dato_d"},                // 7
      campo<&cella::tempo>{"tempo"},                  // 9
      campo<&cella::preavviso>{"preavviso"},          // 10
      campo<&cella::tipo_montagna>{"tipo_montagna"},  // 11
      campo<&cella::velocita>{"velocita"},            // 12
      campo<&cella::pendenza>{"pendenza"},            // 13
      campo<&cella::aderenza>{"aderenza"},            // 14
  };
};

// Scenario file: the slots 0..86 in order, each its fixed part plus its name.
template <>
struct layout<elemento> {
  static constexpr auto campi = std::tuple{
      campo<&elemento::tipo>{"tipo"},                // 0
      campo<&elemento::inizio>{"inizio"},            // 1
      campo<&elemento::fine>{"fine"},                // 5
      campo<&elemento::progressiva>{"progressiva"},  // 9
      campo<&elemento::opzione_1>{"opzione_1"},      // 13
      campo_testo<&elemento::nome>{"nome"},          // 14 count n, 16 the bytes
      campo<&elemento::valore_1>{"valore_1"},        // 16 + n
      campo<&elemento::valore_2>{"valore_2"},        // 18 + n
      campo<&elemento::valore_3>{"valore_3"},        // 20 + n
      campo<&elemento::valore_4>{"valore_4"},        // 22 + n
      campo<&elemento::valore_5>{"valore_5"},        // 24 + n
      campo<&elemento::opzione_2>{"opzione_2"},      // 26 + n
      campo<&elemento::opzione_3>{"opzione_3"},      // 27 + n
      campo<&elemento::opzione_4>{"opzione_4"},      // 28 + n
      campo<&elemento::opzione_5>{"opzione_5"},      // 29 + n
      campo<&elemento::orario>{"orario"},            // 30 + n
  };
};

// The name of the field whose member is M, looked up in its record's table
// when compiling: a member the table lacks does not compile.
template <auto M>
consteval std::string_view nome_campo() {
  using R = typename layout_detail::membro<decltype(M)>::record;
  std::string_view nome;
  std::apply(
      [&](const auto&... c) {
        ((std::is_same_v<std::remove_cvref_t<decltype(c)>, campo<M>> ? (nome = c.nome, 0)
                                                                     : 0),
         ...);
      },
      layout<R>::campi);
  if (nome.empty()) throw "the member is not a field of its record's layout";
  return nome;
}

// Bytes of a record without the text of its counted strings.
template <class R>
constexpr size_t dimensione_fissa() {
  return std::apply([](const auto&... c) { return (c.larghezza_fissa + ... + 0); },
                    layout<R>::campi);
}

// True when every field of R has a fixed width.
template <class R>
constexpr bool record_fisso() {
  return std::apply([](const auto&... c) { return (!c.variabile && ...); },
                    layout<R>::campi);
}

static_assert(record_fisso<cella>(), "every cell has the same size");
constexpr size_t dimensione_cella = dimensione_fissa<cella>();
static_assert(dimensione_cella == 15, "the track file holds 15 bytes per cell");
constexpr size_t dimensione_fissa_slot = dimensione_fissa<elemento>();
static_assert(dimensione_fissa_slot == 34, "a scenario slot is 34 bytes plus its name");
constexpr size_t numero_slot = slot::numero;  // as a size, for byte counts

// Bytes of `r` in its file.
template <class R>
size_t record_size(const R& r) {
  return std::apply([&](const auto&... c) { return (c.larghezza(r) + ...); },
                    layout<R>::campi);
}

// Writes `r` at `p`, which has room for record_size(r) bytes; returns the
// byte after it.
template <class R>
char* write_record(char* p, const R& r) {
  std::apply([&](const auto&... c) { ((p = c.write(p, r)), ...); }, layout<R>::campi);
  return p;
}

// Reads a record of fixed width from `p`, which holds all of it.
template <class R>
const char* read_record(const char* p, R& r) {
  static_assert(record_fisso<R>(), "a record with a counted string is read checked");
  std::apply([&](const auto&... c) { ((p = c.read(p, r)), ...); }, layout<R>::campi);
  return p;
}

// Reads a record from `image` at `at`, field by field while they fit, and
// leaves `at` past what was read. Returns the name of the field that runs
// past the end of `image` (`at` then on that field), or "" when all fit.
template <class R>
std::string_view read_record(std::string_view image, size_t& at, R& r) {
  std::string_view cut;
  std::apply(
      [&](const auto&... c) {
        (void)((c.read(image, at, r) || (cut = c.nome, false)) && ...);
      },
      layout<R>::campi);
  return cut;
}

// Calls f(nome, valore) for every field of `r` in file order; valore is an
// int64_t for an integer field, a std::string_view for a counted string.
template <class R, class F>
void visit_fields(const R& r, F&& f) {
  std::apply([&](const auto&... c) { (f(c.nome, c.valore(r)), ...); }, layout<R>::campi);
}

// The same for two records side by side: f(nome, valore in a, valore in b).
template <class R, class F>
void visit_fields(const R& a, const R& b, F&& f) {
  std::apply([&](const auto&... c) { (f(c.nome, c.valore(a), c.valore(b)), ...); },
             layout<R>::campi);
}

// Line plan file: 2 x (ultimo + 1) elements, every x value (metres
// 0..ultimo) then every y value, each a 16-bit tag (tracciato_t::tipo_valore)
// and a value as wide as the tag says. No header, no count.
constexpr size_t dimensione_tag = sizeof(uint16_t);

// Bytes of the value after `tag`: none for an empty element, an int16_t or
// a double; -1 for a tag the file never holds.
constexpr int larghezza_valore(uint16_t tag) {
  switch (tag) {
    case tracciato_t::vuoto:
      return 0;
    case tracciato_t::intero:
      return sizeof(int16_t);
    case tracciato_t::reale:
      return sizeof(double);
    default:
      return -1;
  }
}

// Bytes of one element as written: a type the file does not know is
// written as an empty element. Each type has its own case so its size folds
// to a constant; this runs once per element of images of megabytes.
inline size_t dimensione_elemento_tracciato(uint8_t tipo) {
  switch (tipo) {
    case tracciato_t::intero:
      return dimensione_tag + larghezza_valore(tracciato_t::intero);
    case tracciato_t::reale:
      return dimensione_tag + larghezza_valore(tracciato_t::reale);
    default:
      return dimensione_tag;
  }
}

// Writes one element at `p`; returns the byte after it. The value is taken
// by reference so it is loaded only for a type that has one.
inline char* write_elemento_tracciato(char* p, uint8_t tipo, const double& valore) {
  switch (tipo) {
    case tracciato_t::intero:
      p = store_le(p, uint16_t{tracciato_t::intero});
      return store_le(p, static_cast<int16_t>(valore));
    case tracciato_t::reale:
      p = store_le(p, uint16_t{tracciato_t::reale});
      return store_le(p, valore);
    default:
      return store_le(p, uint16_t{tracciato_t::vuoto});
  }
}

// The value after `tag` (a known tag) at `p`; 0 for an empty element.
inline double read_valore_tracciato(const char* p, uint16_t tag) {
  switch (tag) {
    case tracciato_t::intero:
      return load_le<int16_t>(p);
    case tracciato_t::reale:
      return load_le<double>(p);
    default:
      return 0.0;
  }
}
