// The records of the three binary files: the track cell, the scenario slot
// and the plan polyline. Field order and widths are those of the files.
//
// Text (names) is held as the Windows-1252 bytes themselves, one byte per
// character.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The length of track one cell stands for, in metres.
inline constexpr int64_t metri_cella = 50;

// One 50 m track cell. Field order and widths are those of the track file.
struct cella {
  uint8_t codice = 0;  // what stands here: 0 nothing, 1 signal, ... 14 sign
  int16_t dato_a = 0;
  int16_t dato_b = 0;
  int16_t dato_c = 0;
  int16_t dato_d = 0;
  uint8_t tempo = 0;          // time value of a signal
  uint8_t preavviso = 0;      // approach mark ahead of a signal or stop
  uint8_t tipo_montagna = 0;  // mountain type covering the cell, 0 = none
  uint8_t velocita = 0;       // line speed limit in units of 5 km/h
  uint8_t pendenza = 0;       // gradient per mille + 100
  uint8_t aderenza = 0;       // rail adhesion value

  bool operator==(const cella&) const = default;
};

// Feature codes held in cella::codice.
namespace codice_cella {
constexpr uint8_t nulla = 0;
constexpr uint8_t segnale = 1;
constexpr uint8_t fine_rallentamento = 2;
constexpr uint8_t inizio_rallentamento = 3;
constexpr uint8_t avviso_rallentamento = 4;
constexpr uint8_t preavviso_rallentamento = 5;
constexpr uint8_t indicatori_v_max = 6;
constexpr uint8_t fermata = 10;
constexpr uint8_t marcatore_montagna = 11;
constexpr uint8_t abbattimento = 12;
constexpr uint8_t abbattimento_nullo = 13;
constexpr uint8_t cartello_indicatore = 14;
}  // namespace codice_cella

// A cell is free when nothing stands on it but, at most, a mountain marker.
inline bool libera(const cella& c) {
  return c.codice == codice_cella::nulla || c.codice == codice_cella::marcatore_montagna;
}

// One slot of `elementi`: a station, an indicator sign or a header record.
// Field order and widths are those of the scenario file.
struct elemento {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t progressiva = 0;
  uint8_t opzione_1 = 0;
  std::string nome;  // Windows-1252 bytes
  int16_t valore_1 = 0;
  int16_t valore_2 = 0;
  int16_t valore_3 = 0;
  int16_t valore_4 = 0;
  int16_t valore_5 = 0;
  uint8_t opzione_2 = 0;
  uint8_t opzione_3 = 0;
  uint8_t opzione_4 = 0;
  uint8_t opzione_5 = 0;
  int32_t orario = 0;

  bool operator==(const elemento&) const = default;
};

// Reserved slots of `elementi`.
namespace slot {
constexpr int primo_cartello = 80;  // signs grow down from here
constexpr int progressiva_tre = 81;
constexpr int progressiva_due = 82;
constexpr int progressiva_uno = 83;
constexpr int dimensioni = 84;  // braked mass %, route length, cars
constexpr int linea = 85;       // backgrounds, line id, stamps
constexpr int treno = 86;       // code repetition, train id, sand, clock
constexpr int numero = 87;
}  // namespace slot

// The build's own check values: cell 1's dato_a and slot 85's valore_1.
namespace timbro {
constexpr int16_t cella = 5121;
constexpr int16_t linea = 610;
}  // namespace timbro

// The plan polyline point by point, as the line plan file holds it: one
// point per metre, x and y. Every element keeps its own type (empty, 16-bit
// integer or double) because the file records it. Storage is two flat
// arrays, the metre index varying fastest (all x values, then all y values),
// so a long route costs no allocation per element. The build keeps the
// polyline as its stretches (format/tracciato.h); this form is what the
// decoder reads back and what a caller that wants the points gets.
struct tracciato_t {
  enum tipo_valore : uint8_t { vuoto = 0, intero = 2, reale = 5 };

  int32_t ultimo = -1;         // last metre index; -1 while there is no polyline
  std::vector<uint8_t> tipo;   // 2 * (ultimo + 1) type tags
  std::vector<double> valore;  // 2 * (ultimo + 1) values

  bool esiste() const { return ultimo >= 0; }
  size_t indice(int32_t metro, int componente) const {
    return static_cast<size_t>(componente) * static_cast<size_t>(ultimo + 1) +
           static_cast<size_t>(metro);
  }
  // Creates the polyline afresh for metres 0..ultimo, every point empty.
  void crea(int32_t nuovo_ultimo) {
    ultimo = nuovo_ultimo;
    size_t n = 2 * static_cast<size_t>(ultimo + 1);
    tipo.assign(n, vuoto);
    valore.assign(n, 0.0);
  }
  void elimina() {
    ultimo = -1;
    tipo.clear();
    tipo.shrink_to_fit();
    valore.clear();
    valore.shrink_to_fit();
  }
  void metti_intero(int32_t metro, int componente, int16_t v) {
    size_t i = indice(metro, componente);
    tipo[i] = intero;
    valore[i] = v;
  }
  void metti_reale(int32_t metro, int componente, double v) {
    size_t i = indice(metro, componente);
    tipo[i] = reale;
    valore[i] = v;
  }
};
