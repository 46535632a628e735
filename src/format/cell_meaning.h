// What the values of a track cell mean: the inverse of how the encoders lay
// a source row into a cell, with each value named as in that row
// ("segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo"), and
// the units of the speed and the gradient. A value the build packs
// (s1 * 10 + d1) is unpacked as tens and units, which gives the row's
// values back whenever they are digits as the rows use them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/records.h"

// One value read by its meaning.
struct voce {
  std::string_view nome;
  int64_t valore = 0;

  bool operator==(const voce&) const = default;
};

// "sx=2 s1=4 s2=1": values as the tool shows them and tests spell them.
std::string testo_voci(const std::vector<voce>& voci);

// The values of the feature on cell `indice`, named for the feature; on
// cell 1 the build's stamp and race code take the place of dato_a and
// dato_b. Any other of dato_a..dato_d and tempo that is set although the
// feature does not use it follows under its field name, so nothing the
// cell holds is left out.
std::vector<voce> dati_caratteristica(const cella& c, size_t indice);

// An approach mark (cella::preavviso = lati * 10 + numero): mark `numero`
// of a signal whose sides are `lati` = sx * 3 + dx, 2 * numero cells after
// it, or of a station stop `numero` cells after it (lati 8). A signal with
// sx 2 and dx 2 writes the same numbers as a station, so whose mark it is
// is told from the track: the signal or stop found where the mark points.
struct preavviso_letto {
  enum class di : uint8_t { ignoto, segnale, fermata };

  int numero = 0;  // 1..4
  int lati = 0;    // 0..25
  di di_chi = di::ignoto;
  size_t cella = 0;  // the signal's or stop's cell, when found

  int sx() const { return lati / 3; }
  int dx() const { return lati % 3; }
};

// The approach mark on cell `i` of `percorso`; none for a cell without one
// and for a value no mark has (a units digit other than 1..4).
std::optional<preavviso_letto> leggi_preavviso(const std::vector<cella>& percorso,
                                               size_t i);

// Line speed in km/h, gradient per mille.
inline int64_t velocita_kmh(const cella& c) { return int64_t{c.velocita} * 5; }
inline int64_t pendenza_per_mille(const cella& c) { return int64_t{c.pendenza} - 100; }

// The cell whose dato_a and dato_b hold the build's stamp and race code.
constexpr size_t cella_timbrata = 1;
