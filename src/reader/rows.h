// The rows of the two source documents as named records, and the fields of
// each row in the order they stand on a source line: the field's name, where
// its value goes, its unit, the values it takes and what it means. The reader
// reads a row field by field from its table (at the width of the member the
// value goes to); the row table (row_kinds.h) shows the same fields to
// authors and their tools.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <variant>

#include "format/layout.h"
#include "format/records.h"

// --- what a field is, for authors ------------------------------------------

// How a field is written: a whole number stored at 32, 16 or 8 bits (an
// 8-bit field holds 0 to 255), or a text running to the comma or line end.
enum class formato_campo : uint8_t { intero_32, intero_16, intero_8, testo };

// The values a field is meant to hold, both ends included; empty where the
// field's width is its only limit.
struct intervallo {
  int64_t minimo = 1;
  int64_t massimo = 0;
  constexpr bool esiste() const { return minimo <= massimo; }
};

// One field of a row as authors see it.
struct descrizione_campo {
  std::string_view nome;
  formato_campo formato;
  std::string_view unita;  // "m", "km/h", ...; empty for a count, a code or a text
  intervallo ammessi;
  std::string_view significato;  // one sentence
  bool posizione;                // the row's position along the route
};

// --- the row records -----------------------------------------------------

// A position and the value that holds from there on (gradient, line speed,
// adhesion).
struct riga_valore {
  int32_t posizione = 0;  // metres
  int32_t valore = 0;
};

struct riga_curva {
  int32_t inizio = 0;     // metres
  int32_t lunghezza = 0;  // metres
};

struct riga_montagna {
  int32_t inizio = 0, fine = 0;  // metres
  int32_t tipo = 0;              // above 10: type tipo - 10 with markers
};

struct riga_indicatori {
  int32_t posizione = 0;                            // metres
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;  // first set
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;  // second set
};

struct riga_cartello {
  int32_t posizione = 0;  // metres
  std::string_view testo;
};

struct riga_segnale {
  int32_t posizione = 0;  // metres
  int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0;
  int32_t tempo = 0;
};

struct riga_rallentamento {
  int32_t x = 0;  // start, metres
  int32_t v = 0;  // speed on the boards, km/h
  int32_t l = 0;  // length, metres
  int32_t f_tt = 0, f_ta = 0, d_v = 0;
};

struct riga_abbattimento {
  int32_t posizione = 0;  // metres
  int32_t valore = 0;
};

// The values of a station row that do not go straight into its slot.
struct riga_stazione {
  int32_t lunghezza = 0;  // metres
  int32_t ore = 0, minuti = 0, secondi = 0;
  std::string_view nome;
};

// --- where a field goes --------------------------------------------------

namespace rows_detail {

template <class T>
constexpr formato_campo formato_di() {
  static_assert(std::is_same_v<T, int32_t> || std::is_same_v<T, int16_t> ||
                    std::is_same_v<T, uint8_t> || std::is_same_v<T, std::string_view>,
                "a field holds a 32, 16 or 8-bit whole number or a text");
  if constexpr (std::is_same_v<T, int32_t>) return formato_campo::intero_32;
  if constexpr (std::is_same_v<T, int16_t>) return formato_campo::intero_16;
  if constexpr (std::is_same_v<T, uint8_t>) return formato_campo::intero_8;
  if constexpr (std::is_same_v<T, std::string_view>) return formato_campo::testo;
}

}  // namespace rows_detail

// The members a field of a row of record R can go to: a member of R, at the
// width the field is read at; rows whose every field goes into a slot of
// `elementi` have R = elemento. The station alone also fills its slot, as
// it reads.
template <class R>
struct membri_riga {
  using tipo = std::variant<int32_t R::*, int16_t R::*, uint8_t R::*>;
  static constexpr bool anche_nel_slot = false;
};
template <>
struct membri_riga<riga_cartello> {
  using tipo = std::variant<int32_t riga_cartello::*, std::string_view riga_cartello::*>;
  static constexpr bool anche_nel_slot = false;
};
template <>
struct membri_riga<riga_stazione> {
  using tipo =
      std::variant<int32_t riga_stazione::*, std::string_view riga_stazione::*,
                   int32_t elemento::*, int16_t elemento::*, uint8_t elemento::*>;
  static constexpr bool anche_nel_slot = true;
};

template <class R>
using membro_campo = typename membri_riga<R>::tipo;

// A field of a row of record R.
template <class R>
struct campo_riga {
  std::string_view nome;
  membro_campo<R> membro;
  std::string_view unita;
  intervallo ammessi;
  std::string_view significato;
  bool posizione = false;

  constexpr descrizione_campo descrizione() const {
    const formato_campo f = std::visit(
        [](auto m) {
          return rows_detail::formato_di<
              typename layout_detail::membro<decltype(m)>::tipo>();
        },
        membro);
    return {nome, f, unita, ammessi, significato, posizione};
  }
};

// A table's fields as authors see them.
template <class R, size_t N>
constexpr std::array<descrizione_campo, N> descrizioni_di(
    const campo_riga<R> (&campi)[N]) {
  std::array<descrizione_campo, N> out{};
  for (size_t i = 0; i < N; ++i) out[i] = campi[i].descrizione();
  return out;
}

// The index of the field called `nome`; a name the table lacks does not
// compile where a constant is asked for.
template <class R, size_t N>
consteval size_t indice_campo(const campo_riga<R> (&campi)[N], std::string_view nome) {
  for (size_t i = 0; i < N; ++i) {
    if (campi[i].nome == nome) return i;
  }
  throw "no field of that name";
}

// A table is sound when its names are distinct, only its first field is a
// position, and every range lies within what the field's width can hold.
template <class R, size_t N>
constexpr bool campi_coerenti(const campo_riga<R> (&campi)[N]) {
  for (size_t i = 0; i < N; ++i) {
    const descrizione_campo d = campi[i].descrizione();
    if (d.nome.empty() || d.significato.empty()) return false;
    if (d.posizione && i != 0) return false;
    for (size_t j = 0; j < i; ++j) {
      if (campi[j].nome == d.nome) return false;
    }
    if (d.ammessi.esiste()) {
      int64_t minimo = std::numeric_limits<int32_t>::min();
      int64_t massimo = std::numeric_limits<int32_t>::max();
      if (d.formato == formato_campo::intero_16) {
        minimo = std::numeric_limits<int16_t>::min();
        massimo = std::numeric_limits<int16_t>::max();
      } else if (d.formato == formato_campo::intero_8) {
        minimo = 0;
        massimo = std::numeric_limits<uint8_t>::max();
      } else if (d.formato == formato_campo::testo) {
        return false;
      }
      if (d.ammessi.minimo < minimo || d.ammessi.massimo > massimo) return false;
    }
  }
  return true;
}

// --- the fields of each row ------------------------------------------------

namespace ammessi {
constexpr intervallo nessuno{};
// The longest route is 1,000,000 m and its track 7000 m longer; a row needs
// 100 m of track after its position, a station 800 m.
constexpr intervallo posizione{0, 1'006'900};
constexpr intervallo posizione_stazione{0, 1'006'200};
constexpr intervallo metri{0, std::numeric_limits<int32_t>::max()};
constexpr intervallo cifra{0, 9};
constexpr intervallo byte{0, 255};
constexpr intervallo interruttore{0, 1};
}  // namespace ammessi

// The line source's header: each row fills a reserved slot.
inline constexpr campo_riga<elemento> campi_lunghezza[] = {
    {"lunghezza",
     &elemento::fine,
     "m",
     {0, 1'000'000},
     "The length of the route; the track runs on 7000 m past it."}};

inline constexpr campo_riga<elemento> campi_progressiva[] = {
    {"inizio", &elemento::inizio, "m", ammessi::metri,
     "The route position from which this kilometric reference holds; a multiple of 50."},
    {"fine", &elemento::fine, "m", ammessi::nessuno,
     "The offset that turns a route position into the kilometric progressive (position "
     "plus offset when rising, offset minus position when falling); a multiple of 50."},
    {"progressiva", &elemento::progressiva, "", ammessi::interruttore,
     "0 when the kilometric progressive rises along the route, 1 when it falls."}};

inline constexpr campo_riga<elemento> campi_sfondo_uno[] = {
    {"sfondo", &elemento::inizio, "", ammessi::nessuno,
     "The line's first background value, kept in the scenario as written."}};
inline constexpr campo_riga<elemento> campi_sfondo_due[] = {
    {"sfondo", &elemento::progressiva, "", ammessi::nessuno,
     "The line's second background value, kept in the scenario as written."}};
inline constexpr campo_riga<elemento> campi_sfondo_tre[] = {
    {"sfondo", &elemento::fine, "", ammessi::nessuno,
     "The line's third background value, kept in the scenario as written."}};

inline constexpr campo_riga<elemento> campi_ripetizione[] = {
    {"inizio", &elemento::inizio, "m", ammessi::metri,
     "The first position of the signal-code repetition; a multiple of 50."},
    {"fine", &elemento::fine, "m", ammessi::metri,
     "The last position of the signal-code repetition; a multiple of 50, 0 for none."}};

// The line source's body.
inline constexpr campo_riga<riga_valore> campi_pendenza[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the gradient starts; gradient rows come in ascending order.", true},
    {"pendenza",
     &riga_valore::valore,
     "per mille",
     {-100, 155},
     "The gradient from here to the next gradient row, kept in one byte as the gradient "
     "plus 100."}};

inline constexpr campo_riga<riga_curva> campi_curva[] = {
    {"inizio", &riga_curva::inizio, "m", ammessi::posizione,
     "Where the curve starts; curve rows come in ascending order.", true},
    {"lunghezza",
     &riga_curva::lunghezza,
     "m",
     {0, 1'000'000},
     "The length of the curve; its radius class (1 to 6) and side (s or d) are in the "
     "keyword."}};

inline constexpr campo_riga<riga_montagna> campi_montagna[] = {
    {"inizio", &riga_montagna::inizio, "m", ammessi::posizione,
     "Where the mountain stretch starts.", true},
    {"fine", &riga_montagna::fine, "m", ammessi::posizione,
     "Where the mountain stretch ends."},
    {"tipo",
     &riga_montagna::tipo,
     "",
     {0, 265},
     "The mountain type; 10 more than the type also lays a marker on every fourth free "
     "cell."}};

inline constexpr campo_riga<riga_indicatori> campi_indicatori[] = {
    {"posizione", &riga_indicatori::posizione, "m", ammessi::posizione,
     "Where the speed-limit boards stand.", true},
    {"vas",
     &riga_indicatori::vas,
     "km/h",
     {0, 495},
     "The first set's speed for category A; a multiple of 5."},
    {"vbs",
     &riga_indicatori::vbs,
     "km/h",
     {0, 495},
     "The first set's speed for category B; a multiple of 5."},
    {"vcs",
     &riga_indicatori::vcs,
     "km/h",
     {0, 495},
     "The first set's speed for category C; a multiple of 5."},
    {"strisces", &riga_indicatori::strisces, "", ammessi::cifra,
     "The number of stripes on the first set."},
    {"vad",
     &riga_indicatori::vad,
     "km/h",
     {0, 495},
     "The second set's speed for category A; a multiple of 5, empty for none."},
    {"vbd",
     &riga_indicatori::vbd,
     "km/h",
     {0, 495},
     "The second set's speed for category B; a multiple of 5, empty for none."},
    {"vcd",
     &riga_indicatori::vcd,
     "km/h",
     {0, 495},
     "The second set's speed for category C; a multiple of 5, empty for none."},
    {"strisced", &riga_indicatori::strisced, "", ammessi::cifra,
     "The number of stripes on the second set."}};

inline constexpr campo_riga<riga_cartello> campi_cartello[] = {
    {"posizione", &riga_cartello::posizione, "m", ammessi::posizione,
     "Where the sign stands.", true},
    {"testo", &riga_cartello::testo, "", ammessi::nessuno,
     "The text on the sign, at most 65535 bytes."}};

// The train source.
inline constexpr campo_riga<elemento> campi_massa[] = {
    {"percentuale", &elemento::inizio, "%", ammessi::nessuno,
     "The train's braked-weight percentage."}};

inline constexpr campo_riga<elemento> campi_vetture[] = {
    {"vetture", &elemento::progressiva, "", ammessi::nessuno,
     "The number of cars in the train."}};

inline constexpr campo_riga<riga_valore> campi_velocita[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the speed limit starts; speed rows come in ascending order.", true},
    {"velocita",
     &riga_valore::valore,
     "km/h",
     {0, 1275},
     "The line speed limit from here to the next speed row, kept in units of 5 km/h."}};

inline constexpr campo_riga<riga_valore> campi_aderenza[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the adhesion value starts; adhesion rows come in ascending order.", true},
    {"aderenza", &riga_valore::valore, "", ammessi::byte,
     "The rail adhesion value from here to the next adhesion row."}};

inline constexpr campo_riga<elemento> campi_orologio[] = {
    {"ore",
     &elemento::valore_3,
     "h",
     {0, 23},
     "The hour on the clock when the run starts."},
    {"minuti",
     &elemento::valore_4,
     "min",
     {0, 59},
     "The minutes on the clock when the run starts."},
    {"secondi",
     &elemento::valore_5,
     "s",
     {0, 59},
     "The seconds on the clock when the run starts."}};

inline constexpr campo_riga<elemento> campi_sabbia[] = {
    {"sabbia", &elemento::valore_1, "", ammessi::nessuno, "The train's supply of sand."}};

inline constexpr campo_riga<riga_segnale> campi_segnale[] = {
    {"posizione",
     &riga_segnale::posizione,
     "m",
     {325, 1'006'900},
     "Where the signal stands; its approach marks lie up to 400 m before it.",
     true},
    {"sx",
     &riga_segnale::sx,
     "",
     {0, 2},
     "The signal's first side code; only a signal whose sx is 2 keeps its time."},
    {"s1", &riga_segnale::s1, "", ammessi::cifra,
     "The first digit of the first code pair."},
    {"s2", &riga_segnale::s2, "", ammessi::cifra,
     "The first digit of the second code pair."},
    {"s3", &riga_segnale::s3, "", ammessi::cifra,
     "The first digit of the third code pair."},
    {"rapp", &riga_segnale::rapp, "", ammessi::cifra,
     "One more digit of the signal, kept beside its side codes."},
    {"dx", &riga_segnale::dx, "", {0, 2}, "The signal's second side code."},
    {"d1", &riga_segnale::d1, "", ammessi::cifra,
     "The second digit of the first code pair."},
    {"d2", &riga_segnale::d2, "", ammessi::cifra,
     "The second digit of the second code pair."},
    {"d3", &riga_segnale::d3, "", ammessi::cifra,
     "The second digit of the third code pair."},
    {"tempo", &riga_segnale::tempo, "", ammessi::byte,
     "The signal's time, 0 for none; 1 to 100 are raised to 101."}};

inline constexpr campo_riga<riga_rallentamento> campi_rallentamento[] = {
    {"x", &riga_rallentamento::x, "m", ammessi::posizione,
     "Where the slowdown starts; past 1500 m a warning board stands 1200 m before it.",
     true},
    {"v",
     &riga_rallentamento::v,
     "km/h",
     {0, 32767},
     "The speed written on the slowdown's boards."},
    {"l", &riga_rallentamento::l, "m", {0, 1'000'000}, "The length of the slowdown."},
    {"f_tt",
     &riga_rallentamento::f_tt,
     "",
     {-32768, 32767},
     "A value written on the start and end boards."},
    {"f_ta", &riga_rallentamento::f_ta, "", ammessi::nessuno,
     "Not 0 to lay four approach marks before the warning board."},
    {"d_v",
     &riga_rallentamento::d_v,
     "",
     {-32768, 32767},
     "A value written on the boards when not 0; it also numbers the approach marks a "
     "second time."}};

inline constexpr campo_riga<riga_abbattimento> campi_abbattimento[] = {
    {"posizione", &riga_abbattimento::posizione, "m", ammessi::posizione,
     "Where the code point stands.", true},
    {"valore",
     &riga_abbattimento::valore,
     "",
     {-32768, 32767},
     "The code point's value; 0 or less lays a code point of value 0."}};

// A station: most fields go straight into its slot, in this order (not the
// slot's).
inline constexpr campo_riga<riga_stazione> campi_stazione[] = {
    {"posizione", &elemento::progressiva, "m", ammessi::posizione_stazione,
     "Where the station stands; a multiple of 50.", true},
    {"tipo", &elemento::tipo, "", ammessi::byte,
     "The station's kind: 5 to 8 lay out its area apart, 25 and above have no stop "
     "point."},
    {"lunghezza", &riga_stazione::lunghezza, "m", ammessi::metri,
     "The length of the station; a multiple of 100."},
    {"opzione_1", &elemento::opzione_1, "", ammessi::byte,
     "A flag kept with the station."},
    {"opzione_5", &elemento::opzione_5, "", ammessi::byte,
     "A flag kept with the station; cleared for the first station and for one shorter "
     "than 600 m."},
    {"opzione_4", &elemento::opzione_4, "", ammessi::byte,
     "Not 0 to lengthen the station's area by 50 m; cleared for the first station and "
     "for kinds 5 to 8."},
    {"valore_1", &elemento::valore_1, "", ammessi::nessuno,
     "A value kept with the station."},
    {"valore_2", &elemento::valore_2, "", ammessi::nessuno,
     "A value kept with the station."},
    {"opzione_2", &elemento::opzione_2, "", ammessi::byte,
     "A flag kept with the station."},
    {"valore_3", &elemento::valore_3, "", ammessi::nessuno,
     "A value kept with the station."},
    {"valore_4", &elemento::valore_4, "", ammessi::nessuno,
     "A value kept with the station."},
    {"valore_5", &elemento::valore_5, "", ammessi::nessuno,
     "A value kept with the station."},
    {"opzione_3", &elemento::opzione_3, "", ammessi::byte,
     "A value kept with the station."},
    {"ore", &riga_stazione::ore, "h", ammessi::nessuno,
     "The hour of the timetable time."},
    {"minuti",
     &riga_stazione::minuti,
     "min",
     {0, 59},
     "The minutes of the timetable time."},
    {"secondi",
     &riga_stazione::secondi,
     "s",
     {0, 59},
     "The seconds of the timetable time."},
    {"nome", &riga_stazione::nome, "", ammessi::nessuno,
     "The station's name, at most 65535 bytes."}};

static_assert(campi_coerenti(campi_lunghezza) && campi_coerenti(campi_progressiva) &&
              campi_coerenti(campi_sfondo_uno) && campi_coerenti(campi_sfondo_due) &&
              campi_coerenti(campi_sfondo_tre) && campi_coerenti(campi_ripetizione) &&
              campi_coerenti(campi_pendenza) && campi_coerenti(campi_curva) &&
              campi_coerenti(campi_montagna) && campi_coerenti(campi_indicatori) &&
              campi_coerenti(campi_cartello) && campi_coerenti(campi_massa) &&
              campi_coerenti(campi_vetture) && campi_coerenti(campi_velocita) &&
              campi_coerenti(campi_aderenza) && campi_coerenti(campi_orologio) &&
              campi_coerenti(campi_sabbia) && campi_coerenti(campi_segnale) &&
              campi_coerenti(campi_rallentamento) && campi_coerenti(campi_abbattimento) &&
              campi_coerenti(campi_stazione));
