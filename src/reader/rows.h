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
#include <span>
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

// A value, or a run of values, of a field that means something of its own:
// what the build does with it (and, where the build knows, what it stands
// for).
struct valore_campo {
  int64_t da = 0, a = 0;  // both ends included
  std::string_view significato;
};

// One field of a row as authors see it.
struct descrizione_campo {
  std::string_view nome;
  formato_campo formato;
  std::string_view unita;  // "m", "km/h", ...; empty for a count, a code or a text
  intervallo ammessi;
  std::string_view significato;  // one sentence
  bool posizione;                // the row's position along the route
  std::string_view effetto;      // what the build does with it: where it goes, what
                                 // is rounded, cut or checked
  std::span<const valore_campo> valori;  // values with a meaning of their own
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
  std::string_view effetto = {};
  std::span<const valore_campo> valori = {};

  constexpr descrizione_campo descrizione() const {
    const formato_campo f = std::visit(
        [](auto m) {
          return rows_detail::formato_di<
              typename layout_detail::membro<decltype(m)>::tipo>();
        },
        membro);
    return {nome, f, unita, ammessi, significato, posizione, effetto, valori};
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
    if (d.nome.empty() || d.significato.empty() || d.effetto.empty()) return false;
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
//
// Each field: its name, the member it fills, its unit, the values it is meant
// to hold, what it means, whether it is the row's position, what the build
// does with it, and the values that mean something of their own. A field
// left empty (nothing between its commas) reads as 0, a text as empty.

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

// The values of the fields that mean something of their own.
namespace valori {
inline constexpr valore_campo verso_progressiva[] = {
    {0, 0, "rising: the kilometric progressive is the route position plus fine."},
    {1, 1,
     "falling: the kilometric progressive is fine minus the route position; the build "
     "adds 100 to this entry's fine."},
};
inline constexpr valore_campo tipo_montagna[] = {
    {0, 10,
     "the type as written goes into every cell of the stretch; no marker is laid. What "
     "a type looks like is the simulator's, not told by the build (the built-in line "
     "uses 2)."},
    {11, 265,
     "type minus 10, with markers: the cells get the type tipo - 10, and every fourth "
     "cell of the stretch whose feature code is 0 gets a mountain marker (cell code 11, "
     "which still counts as a free cell). The built-in line writes 12: type 2 with "
     "markers."},
};
inline constexpr valore_campo strisce[] = {
    {0, 9,
     "the number of stripes drawn on the board; the build only packs it. The built-in "
     "line counts the stripes down (2, 1, 0 or 1, 0) on the boards of a run that "
     "announces a lower speed."},
};
inline constexpr valore_campo lati_segnale[] = {
    {0, 2,
     "together with the other side code as sx * 3 + dx (0 to 8) in the signal cell's "
     "dato_d and in its approach marks. The aspect each code shows is the simulator's, "
     "not told by the build; the built-in train source has sx 2 on every signal and "
     "dx 0, 1 or 2."},
};
inline constexpr valore_campo sx_segnale[] = {
    {0, 1,
     "packed as sx * 3 + dx; the signal's time is not kept (the cell's tempo is 0)."},
    {2, 2, "packed as sx * 3 + dx; the signal keeps its time (tempo)."},
};
inline constexpr valore_campo tempo_segnale[] = {
    {0, 0, "no time."},
    {1, 100, "raised to 101 by the build (a warning says so)."},
    {101, 255, "kept as written, when sx is 2."},
};
inline constexpr valore_campo avvisi_rallentamento[] = {
    {0, 0, "no approach marks."},
    {1, 2147483647,
     "four approach marks (cell code 5) in the four cells before the warning board, "
     "numbered 1 to 4 from the one next to the board; only when x is over 1500 m."},
};
inline constexpr valore_campo valore_abbattimento[] = {
    {-32768, 0, "a code point of value 0: cell code 13, its dato_a left as it was."},
    {1, 32767,
     "a code point with this code value: cell code 12, dato_a the value. The build "
     "places its own code points with 180 and lowers one before a signal to 180; the "
     "built-in train source uses 270, which its notes call a code that makes the "
     "driver slow down."},
};
inline constexpr valore_campo tipo_stazione[] = {
    {0, 4,
     "area centred on the position (position - length / 2 to position + length / 2, "
     "50 m more with opzione_4); stop point and approach marks."},
    {5, 6,
     "area from position - length to position + 150; stop point, no approach marks; "
     "opzione_4 is cleared."},
    {7, 8,
     "area from position - length to position + length; stop point and approach marks; "
     "opzione_4 is cleared."},
    {9, 24,
     "area centred on the position, as for 0 to 4; stop point and approach marks."},
    {25, 255, "area centred on the position; no stop point and no approach marks."},
};
inline constexpr valore_campo opzione_4_stazione[] = {
    {0, 0, "the area ends where its kind puts it."},
    {1, 255,
     "for a centred area (kinds other than 5 to 8) the area ends 50 m later; the flag "
     "is then stored as 0 for the first station and for kinds 5 to 8."},
};
}  // namespace valori

// The line source's header: each row fills a reserved slot.
inline constexpr campo_riga<elemento> campi_lunghezza[] = {
    {"lunghezza",
     &elemento::fine,
     "m",
     {0, 1'000'000},
     "The length of the route; the track runs on 7000 m past it.",
     false,
     "Slot 84, fine. Sizes the track afresh: cells 0 to round((lunghezza + 7000) / 50), "
     "and the plan polyline to lunghezza + 7000 m. Over 1,000,000 the reading stops "
     "(status 1); a negative length fails (status 25)."}};

inline constexpr campo_riga<elemento> campi_progressiva[] = {
    {"inizio", &elemento::inizio, "m", ammessi::metri,
     "The route position from which this kilometric reference holds; a multiple of 50.",
     false,
     "Slot 81 (tre), 82 (due) or 83 (uno), inizio. After the header the three entries "
     "are put in order of inizio, the latest in slot 81. Not a multiple of 50: status 2 "
     "once the train source is read."},
    {"fine", &elemento::fine, "m", ammessi::nessuno,
     "The offset that turns a route position into the kilometric progressive (position "
     "plus offset when rising, offset minus position when falling); a multiple of 50.",
     false,
     "The same slot's fine; a falling entry gets 100 added after the ordering. Not a "
     "multiple of 50: status 2."},
    {"progressiva", &elemento::progressiva, "", ammessi::interruttore,
     "0 when the kilometric progressive rises along the route, 1 when it falls.", false,
     "The same slot's progressiva, as written.", valori::verso_progressiva}};

inline constexpr campo_riga<elemento> campi_sfondo_uno[] = {
    {"sfondo", &elemento::inizio, "", ammessi::nessuno,
     "The line's first background value, kept in the scenario as written.", false,
     "Slot 85, inizio, as written. What the value shows is the simulator's, not told by "
     "the build; the built-in line has 1."}};
inline constexpr campo_riga<elemento> campi_sfondo_due[] = {
    {"sfondo", &elemento::progressiva, "", ammessi::nessuno,
     "The line's second background value, kept in the scenario as written.", false,
     "Slot 85, progressiva (not fine), as written; the built-in line has 0."}};
inline constexpr campo_riga<elemento> campi_sfondo_tre[] = {
    {"sfondo", &elemento::fine, "", ammessi::nessuno,
     "The line's third background value, kept in the scenario as written.", false,
     "Slot 85, fine (not progressiva), as written; the built-in line has 0."}};

inline constexpr campo_riga<elemento> campi_ripetizione[] = {
    {"inizio", &elemento::inizio, "m", ammessi::metri,
     "The first position of the signal-code repetition; a multiple of 50.", false,
     "Slot 86, inizio. Not a multiple of 50: the reading stops (status 3)."},
    {"fine", &elemento::fine, "m", ammessi::metri,
     "The last position of the signal-code repetition; a multiple of 50, 0 for none.",
     false,
     "Slot 86, fine. Not a multiple of 50: the reading stops (status 4). The number of "
     "codes, 4 when the keyword holds a 4, else 9 when it holds a 9, goes to slot 86's "
     "progressiva, 0 when fine is 0; a keyword with neither stops the reading (status "
     "5)."}};

// The line source's body.
inline constexpr campo_riga<riga_valore> campi_pendenza[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the gradient starts; gradient rows come in ascending order.", true,
     "The cells from where the previous gradient row stopped up to cell "
     "round(posizione / 50) - 1 get the previous row's gradient (level before the first "
     "row); a row behind the previous one sets one cell only."},
    {"pendenza",
     &riga_valore::valore,
     "per mille",
     {-100, 155},
     "The gradient from here to the next gradient row, kept in one byte as the gradient "
     "plus 100.",
     false,
     "Each cell's pendenza byte = pendenza + 100 (100 is level, 89 is 11 per mille "
     "falling), from this row's cell up to the next gradient row; the last gradient runs "
     "on to cell numero_celle - 3. Outside -100 to 155 only the low 8 bits are kept (a "
     "warning says so)."}};

inline constexpr campo_riga<riga_curva> campi_curva[] = {
    {"inizio", &riga_curva::inizio, "m", ammessi::posizione,
     "Where the curve starts; curve rows come in ascending order.", true,
     "The plan polyline runs straight from where it stands up to metre inizio; a curve "
     "that starts behind it (overlapping the previous one) is laid from there on."},
    {"lunghezza",
     &riga_curva::lunghezza,
     "m",
     {0, 1'000'000},
     "The length of the curve; its radius class (1 to 6) and side (s or d) are in the "
     "keyword.",
     false,
     "The polyline turns by the class's curvature per metre (class 1 0.0001, 2 0.0002, "
     "3 0.0004, 4 0.001, 5 0.002, 6 0.003; to the left when the keyword holds an \"s\", "
     "else to the right) up to metre inizio + lunghezza. Past 1,000,000 m the reading "
     "stops (status 103)."}};

inline constexpr campo_riga<riga_montagna> campi_montagna[] = {
    {"inizio", &riga_montagna::inizio, "m", ammessi::posizione,
     "Where the mountain stretch starts.", true,
     "The stretch's first cell is round(inizio / 50). A stretch that starts 150 m or "
     "less after the previous stretch's fine gets type 3, whatever tipo says (markers "
     "as tipo says)."},
    {"fine", &riga_montagna::fine, "m", ammessi::posizione,
     "Where the mountain stretch ends.", false,
     "The stretch's last cell is round(fine / 50 - 1); it must lie on the track. At most "
     "80 stretches."},
    {"tipo",
     &riga_montagna::tipo,
     "",
     {0, 265},
     "The mountain type; 10 more than the type also lays a marker on every fourth free "
     "cell.",
     false,
     "Every cell of the stretch gets tipo_montagna = the type (tipo, or tipo - 10 from "
     "11 up), in one byte.",
     valori::tipo_montagna}};

inline constexpr campo_riga<riga_indicatori> campi_indicatori[] = {
    {"posizione", &riga_indicatori::posizione, "m", ammessi::posizione,
     "Where the speed-limit boards stand.", true,
     "The boards stand on cell round(posizione / 50 + 1), feature code 6; the cell must "
     "be free (status 21)."},
    {"vas",
     &riga_indicatori::vas,
     "km/h",
     {0, 495},
     "The first set's speed for category A; a multiple of 5.",
     false,
     "dato_a = round(vas * 20 + vad / 5): the hundreds and above carry vas / 5, the last "
     "two digits vad / 5. A pair that does not fit 16 bits fails (status 25)."},
    {"vbs",
     &riga_indicatori::vbs,
     "km/h",
     {0, 495},
     "The first set's speed for category B; a multiple of 5.",
     false,
     "dato_b = round(vbs * 20 + vbd / 5), as for vas."},
    {"vcs",
     &riga_indicatori::vcs,
     "km/h",
     {0, 495},
     "The first set's speed for category C; a multiple of 5.",
     false,
     "dato_c = round(vcs * 20 + vcd / 5), as for vas."},
    {"strisces", &riga_indicatori::strisces, "", ammessi::cifra,
     "The number of stripes on the first set.", false,
     "dato_d = strisces * 10 + strisced.", valori::strisce},
    {"vad",
     &riga_indicatori::vad,
     "km/h",
     {0, 495},
     "The second set's speed for category A; a multiple of 5, empty for none.",
     false,
     "The last two digits of dato_a, as vad / 5; empty reads 0, no second set."},
    {"vbd",
     &riga_indicatori::vbd,
     "km/h",
     {0, 495},
     "The second set's speed for category B; a multiple of 5, empty for none.",
     false,
     "The last two digits of dato_b, as vbd / 5."},
    {"vcd",
     &riga_indicatori::vcd,
     "km/h",
     {0, 495},
     "The second set's speed for category C; a multiple of 5, empty for none.",
     false,
     "The last two digits of dato_c, as vcd / 5."},
    {"strisced", &riga_indicatori::strisced, "", ammessi::cifra,
     "The number of stripes on the second set.", false, "The units of dato_d.",
     valori::strisce}};

inline constexpr campo_riga<riga_cartello> campi_cartello[] = {
    {"posizione", &riga_cartello::posizione, "m", ammessi::posizione,
     "Where the sign stands.", true,
     "The sign stands on cell round(posizione / 50 + 1), feature code 14, dato_a its "
     "slot; the cell must be free (status 6)."},
    {"testo", &riga_cartello::testo, "", ammessi::nessuno,
     "The text on the sign, at most 65535 bytes.", false,
     "The name of the sign's slot: the first sign takes slot 80, the next 79, and so on "
     "(at most 80 signs). The text runs to the comma or the line end, so it holds no "
     "comma; blanks at its end are dropped. The build does not look inside it; the "
     "built-in line writes one or two groups in parentheses, as \"(  Cippo  )(Km "
     "28+000)\"."}};

// The train source.
inline constexpr campo_riga<elemento> campi_massa[] = {
    {"percentuale", &elemento::inizio, "%", ammessi::nessuno,
     "The train's braked-weight percentage.", false,
     "Slot 84, inizio, as written; the build uses it no further (the built-in train "
     "has 125)."}};

inline constexpr campo_riga<elemento> campi_vetture[] = {
    {"vetture", &elemento::progressiva, "", ammessi::nessuno,
     "The number of cars in the train.", false,
     "Slot 84, progressiva, as written; the build uses it no further (the built-in "
     "train has 15)."}};

inline constexpr campo_riga<riga_valore> campi_velocita[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the speed limit starts; speed rows come in ascending order.", true,
     "The cells from where the previous speed row stopped up to cell round(posizione / "
     "50) - 1 get the previous row's speed (0 before the first row); a row behind the "
     "previous one sets one cell only."},
    {"velocita",
     &riga_valore::valore,
     "km/h",
     {0, 1275},
     "The line speed limit from here to the next speed row, kept in units of 5 km/h.",
     false,
     "Each cell's velocita byte = round(velocita / 5), an exact half to the even unit "
     "(a warning says when it is not a multiple of 5), from this row's cell to the next "
     "speed row; the last speed runs on to cell numero_celle - 3. Over 1275 fails "
     "(status 25)."}};

inline constexpr campo_riga<riga_valore> campi_aderenza[] = {
    {"posizione", &riga_valore::posizione, "m", ammessi::posizione,
     "Where the adhesion value starts; adhesion rows come in ascending order.", true,
     "The cells from where the previous adhesion row stopped up to cell "
     "round(posizione / 50) - 1 get the previous row's value (0 before the first row)."},
    {"aderenza", &riga_valore::valore, "", ammessi::byte,
     "The rail adhesion value from here to the next adhesion row.", false,
     "Each cell's aderenza byte, low 8 bits kept (a warning says when they are not the "
     "value); the last runs on to cell numero_celle - 3. The scale is the simulator's; "
     "the built-in train source uses 60 to 79 on a line its notes call slippery."}};

inline constexpr campo_riga<elemento> campi_orologio[] = {
    {"ore",
     &elemento::valore_3,
     "h",
     {0, 23},
     "The hour on the clock when the run starts.",
     false,
     "Slot 86, valore_3 (16 bits). The three numbers may be parted by blanks alone, as "
     "the built-in train source writes them."},
    {"minuti",
     &elemento::valore_4,
     "min",
     {0, 59},
     "The minutes on the clock when the run starts.",
     false,
     "Slot 86, valore_4."},
    {"secondi",
     &elemento::valore_5,
     "s",
     {0, 59},
     "The seconds on the clock when the run starts.",
     false,
     "Slot 86, valore_5."}};

inline constexpr campo_riga<elemento> campi_sabbia[] = {
    {"sabbia", &elemento::valore_1, "", ammessi::nessuno, "The train's supply of sand.",
     false,
     "Slot 86, valore_1 (16 bits), as written; the build uses it no further (the "
     "built-in train has 110)."}};

inline constexpr campo_riga<riga_segnale> campi_segnale[] = {
    {"posizione",
     &riga_segnale::posizione,
     "m",
     {325, 1'006'900},
     "Where the signal stands; its approach marks lie up to 400 m before it.",
     true,
     "The signal stands on cell k = round(posizione / 50 + 1), feature code 1; the cell "
     "must be free (status 16) and k at least 8. Approach marks go into the preavviso "
     "of cells k - 2, k - 4, k - 6 and k - 8: (sx * 3 + dx) * 10 + 1 to 4."},
    {"sx",
     &riga_segnale::sx,
     "",
     {0, 2},
     "The signal's first side code; only a signal whose sx is 2 keeps its time.",
     false,
     "dato_d = rapp * 10 + sx * 3 + dx.",
     valori::sx_segnale},
    {"s1", &riga_segnale::s1, "", ammessi::cifra,
     "The first digit of the first code pair.", false,
     "dato_a = s1 * 10 + d1. The built-in train source uses 3, 4 and 5."},
    {"s2", &riga_segnale::s2, "", ammessi::cifra,
     "The first digit of the second code pair.", false, "dato_b = s2 * 10 + d2."},
    {"s3", &riga_segnale::s3, "", ammessi::cifra,
     "The first digit of the third code pair.", false, "dato_c = s3 * 10 + d3."},
    {"rapp", &riga_segnale::rapp, "", ammessi::cifra,
     "One more digit of the signal, kept beside its side codes.", false,
     "The tens of dato_d; the built-in train source has 0 everywhere."},
    {"dx",
     &riga_segnale::dx,
     "",
     {0, 2},
     "The signal's second side code.",
     false,
     "dato_d = rapp * 10 + sx * 3 + dx.",
     valori::lati_segnale},
    {"d1", &riga_segnale::d1, "", ammessi::cifra,
     "The second digit of the first code pair.", false, "The units of dato_a."},
    {"d2", &riga_segnale::d2, "", ammessi::cifra,
     "The second digit of the second code pair.", false, "The units of dato_b."},
    {"d3", &riga_segnale::d3, "", ammessi::cifra,
     "The second digit of the third code pair.", false, "The units of dato_c."},
    {"tempo", &riga_segnale::tempo, "", ammessi::byte,
     "The signal's time, 0 for none; 1 to 100 are raised to 101.", false,
     "The cell's tempo byte when sx is 2, else 0.", valori::tempo_segnale}};

inline constexpr campo_riga<riga_rallentamento> campi_rallentamento[] = {
    {"x", &riga_rallentamento::x, "m", ammessi::posizione,
     "Where the slowdown starts; past 1500 m a warning board stands 1200 m before it.",
     true,
     "Start board on cell round(x / 50 + 1), code 3 (status 18 when taken); past 1500 m "
     "a warning board on cell round((x - 1200) / 50 + 1), code 4 (status 17). The build "
     "adds code points 5 to 7, 11 to 13 and 18 to 20 cells before the start board, and "
     "one in the two cells before every signal within 20 cells before the warning "
     "board."},
    {"v",
     &riga_rallentamento::v,
     "km/h",
     {0, 32767},
     "The speed written on the slowdown's boards.",
     false,
     "dato_a of the start, end and warning boards (16 bits). Below 110 the build also "
     "places a code point every 8 cells inside the slowdown and one before the first "
     "signal within 12 cells after its end."},
    {"l",
     &riga_rallentamento::l,
     "m",
     {0, 1'000'000},
     "The length of the slowdown.",
     false,
     "End board on cell round((x + l) / 50 + 1), code 2 (status 19 when taken); shorter "
     "than a cell, the start board takes the end board's place."},
    {"f_tt",
     &riga_rallentamento::f_tt,
     "",
     {-32768, 32767},
     "A value written on the start and end boards.",
     false,
     "dato_c of the start and end boards (16 bits); what it shows is the simulator's, "
     "not told by the build."},
    {"f_ta", &riga_rallentamento::f_ta, "", ammessi::nessuno,
     "Not 0 to lay four approach marks before the warning board.", false,
     "Decides the approach marks; stored nowhere. The four cells must be free (status "
     "20; the boards stay).",
     valori::avvisi_rallentamento},
    {"d_v",
     &riga_rallentamento::d_v,
     "",
     {-32768, 32767},
     "A value written on the boards when not 0; it also numbers the approach marks a "
     "second time.",
     false,
     "When not 0: dato_b of the three boards, and dato_b of each approach mark its "
     "number 1 to 4. What it shows is the simulator's, not told by the build."}};

inline constexpr campo_riga<riga_abbattimento> campi_abbattimento[] = {
    {"posizione", &riga_abbattimento::posizione, "m", ammessi::posizione,
     "Where the code point stands.", true,
     "The code point stands on cell round(posizione / 50), without the + 1 of signals "
     "and boards; the cell must be free (status 7)."},
    {"valore",
     &riga_abbattimento::valore,
     "",
     {-32768, 32767},
     "The code point's value; 0 or less lays a code point of value 0.",
     false,
     "dato_a of the cell (16 bits) when over 0.",
     valori::valore_abbattimento}};

// A station: most fields go straight into its slot, in this order (not the
// slot's).
inline constexpr campo_riga<riga_stazione> campi_stazione[] = {
    {"posizione", &elemento::progressiva, "m", ammessi::posizione_stazione,
     "Where the station stands; a multiple of 50.", true,
     "The station's slot (the first station slot 1, then 2, ...), progressiva. Not a "
     "multiple of 50: status 8. It needs 800 m of track after it."},
    {"tipo", &elemento::tipo, "", ammessi::byte,
     "The station's kind: 5 to 8 lay out its area apart, 25 and above have no stop "
     "point.",
     false,
     "The slot's tipo. The kind decides the area (the slot's inizio and fine), the stop "
     "point (cell round(fine / 50 - 1), code 10, dato_a the slot, written over whatever "
     "the cell holds) and the approach marks (preavviso 81 to 84 in the four cells "
     "before the stop point). What else a kind means is the simulator's, not told by "
     "the build; the built-in train uses 2, 4, 8, 12, 21, 22, 27 and 28.",
     valori::tipo_stazione},
    {"lunghezza", &riga_stazione::lunghezza, "m", ammessi::metri,
     "The length of the station; a multiple of 100.", false,
     "Gives the area with the kind; not a multiple of 100: status 9. The area must "
     "start at least 350 m after the previous station's area ends (status 22)."},
    {"opzione_1", &elemento::opzione_1, "", ammessi::byte,
     "A flag kept with the station.", false,
     "The slot's opzione_1, as written (the built-in train has 1 at the first "
     "station, else 0)."},
    {"opzione_5", &elemento::opzione_5, "", ammessi::byte,
     "A flag kept with the station; cleared for the first station and for one shorter "
     "than 600 m.",
     false, "The slot's opzione_5, as written but for those two cases."},
    {"opzione_4", &elemento::opzione_4, "", ammessi::byte,
     "Not 0 to lengthen the station's area by 50 m; cleared for the first station and "
     "for kinds 5 to 8.",
     false, "The slot's opzione_4, after it has lengthened the area.",
     valori::opzione_4_stazione},
    {"valore_1", &elemento::valore_1, "", ammessi::nessuno,
     "A value kept with the station.", false,
     "The slot's valore_1 (16 bits), as written."},
    {"valore_2", &elemento::valore_2, "", ammessi::nessuno,
     "A value kept with the station.", false,
     "The slot's valore_2 (16 bits), as written."},
    {"opzione_2", &elemento::opzione_2, "", ammessi::byte,
     "A flag kept with the station.", false, "The slot's opzione_2, as written."},
    {"valore_3", &elemento::valore_3, "", ammessi::nessuno,
     "A value kept with the station.", false,
     "The slot's valore_3 (16 bits), as written."},
    {"valore_4", &elemento::valore_4, "", ammessi::nessuno,
     "A value kept with the station.", false,
     "The slot's valore_4 (16 bits), as written."},
    {"valore_5", &elemento::valore_5, "", ammessi::nessuno,
     "A value kept with the station.", false,
     "The slot's valore_5 (16 bits), as written."},
    {"opzione_3", &elemento::opzione_3, "", ammessi::byte,
     "A value kept with the station.", false,
     "The slot's opzione_3, as written (the built-in train has 0, 1, 115 and 145)."},
    {"ore", &riga_stazione::ore, "h", ammessi::nessuno, "The hour of the timetable time.",
     false,
     "The slot's orario = (ore * 60 + minuti) * 60 + secondi, seconds after midnight; "
     "0, 0, 0 for no time (the built-in train gives one at its first and last station "
     "only)."},
    {"minuti",
     &riga_stazione::minuti,
     "min",
     {0, 59},
     "The minutes of the timetable time.",
     false,
     "With ore, into orario."},
    {"secondi",
     &riga_stazione::secondi,
     "s",
     {0, 59},
     "The seconds of the timetable time.",
     false,
     "With ore, into orario."},
    {"nome", &riga_stazione::nome, "", ammessi::nessuno,
     "The station's name, at most 65535 bytes.", false,
     "The slot's nome: the rest of the line up to a comma, blanks at its end dropped."}};

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
