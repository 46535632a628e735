// The rows the encoders lay into the track, as named records, and the
// order their fields stand in on a source line. One table per row kind
// serves the reader (which reads the fields in this order) and anything
// that needs a field's name.
#pragma once

#include <cstdint>
#include <string_view>

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

struct riga_indicatori {
  int32_t posizione = 0;  // metres
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;  // first set
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;  // second set
};

struct riga_montagna {
  int32_t inizio = 0, fine = 0;  // metres
  int32_t tipo = 0;              // above 10: type tipo - 10 with markers
};

// A field of a row: its name and where it goes. Every field of these rows
// is a 32-bit whole number; the first is the row's position.
template <class R>
struct campo_riga {
  std::string_view nome;
  int32_t R::*membro;
};

inline constexpr campo_riga<riga_segnale> campi_segnale[] = {
    {"posizione", &riga_segnale::posizione}, {"sx", &riga_segnale::sx},
    {"s1", &riga_segnale::s1},               {"s2", &riga_segnale::s2},
    {"s3", &riga_segnale::s3},               {"rapp", &riga_segnale::rapp},
    {"dx", &riga_segnale::dx},               {"d1", &riga_segnale::d1},
    {"d2", &riga_segnale::d2},               {"d3", &riga_segnale::d3},
    {"tempo", &riga_segnale::tempo}};

inline constexpr campo_riga<riga_rallentamento> campi_rallentamento[] = {
    {"x", &riga_rallentamento::x},       {"v", &riga_rallentamento::v},
    {"l", &riga_rallentamento::l},       {"f_tt", &riga_rallentamento::f_tt},
    {"f_ta", &riga_rallentamento::f_ta}, {"d_v", &riga_rallentamento::d_v}};

inline constexpr campo_riga<riga_indicatori> campi_indicatori[] = {
    {"posizione", &riga_indicatori::posizione}, {"vas", &riga_indicatori::vas},
    {"vbs", &riga_indicatori::vbs},             {"vcs", &riga_indicatori::vcs},
    {"strisces", &riga_indicatori::strisces},   {"vad", &riga_indicatori::vad},
    {"vbd", &riga_indicatori::vbd},             {"vcd", &riga_indicatori::vcd},
    {"strisced", &riga_indicatori::strisced}};

inline constexpr campo_riga<riga_montagna> campi_montagna[] = {
    {"inizio", &riga_montagna::inizio},
    {"fine", &riga_montagna::fine},
    {"tipo", &riga_montagna::tipo}};
