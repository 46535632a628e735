// What the slots of the scenario file mean: stations from slot 1 up,
// indicator signs from slot 80 down, the kilometric progressive entries in
// 81 to 83, then the sizes, the line and the train. The name of a slot
// (station name, sign text, line or train identifier) is its `nome`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "format/cell_meaning.h"
#include "format/records.h"

enum class ruolo_slot : uint8_t {
  vuoto,        // nothing set
  stazione,     // a station with its timetable
  cartello,     // an indicator sign: its text alone
  progressiva,  // a kilometric progressive entry
  dimensioni,   // braked mass, route length, cars
  linea,        // backgrounds, line identifier, check value, race code
  treno         // signal-code repetition, train identifier, sand, clock
};

// The build adds this to the offset of a falling progressive entry
// (direction 1).
constexpr int64_t aggiunta_discendente = 100;

// "station", "indicator_sign", ...
std::string_view nome_ruolo(ruolo_slot r);

// The role of slot `s` holding `e`. Among slots 1 to 80 a slot with only a
// name is a sign (a sign with an empty text cannot be told from an empty
// slot) and one with any number set is a station.
ruolo_slot ruolo_di(size_t s, const elemento& e);

// The numbers of slot `s` by what they mean, for its role; then every other
// number that is set, under its field name. The name is not among them. A
// progressive entry that is not set gives none.
//
// progressive entry: start_m, offset_m (less the 100 m the build adds to a
//   falling entry's offset), direction (0 rising, 1 falling);
// station: kind, position_m, area_start_m, area_end_m, opzione_1..5,
//   valore_1..5, time_s (seconds after midnight);
// sizes: braked_mass_percent, route_length_m, cars;
// line: background_1..3, check_value, race_code;
// train: repetition_start_m, repetition_end_m, repetition_codes, sand,
//   clock_h, clock_m, clock_s.
std::vector<voce> voci_slot(size_t s, const elemento& e);
