#include "tool/inspect/binary_input.h"

#include "base/file_io.h"
#include "format/decode.h"

namespace {

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

constexpr std::string_view coda_track = ".dat";

// The largest file of each kind a build can write, rounded up: a route of
// at most 1,000 km makes 20,001 cells of 15 bytes, 87 slots with names of
// at most 65,535 bytes, and a plan of about 20 bytes a metre.
uint64_t massimo(tipo_binario t) {
  switch (t) {
    case tipo_binario::percorso:
      return uint64_t{1} << 20;
    case tipo_binario::elementi:
      return uint64_t{16} << 20;
    case tipo_binario::tracciato:
      break;
  }
  return uint64_t{32} << 20;
}

}  // namespace

std::string_view parola_tipo(tipo_binario t) {
  switch (t) {
    case tipo_binario::percorso:
      return "track";
    case tipo_binario::elementi:
      return "scenario";
    case tipo_binario::tracciato:
      return "plan";
  }
  return "track";
}

std::optional<tipo_binario> tipo_da_parola(std::string_view parola) {
  for (tipo_binario t :
       {tipo_binario::percorso, tipo_binario::elementi, tipo_binario::tracciato}) {
    if (parola == parola_tipo(t)) return t;
  }
  return std::nullopt;
}

std::optional<tipo_binario> tipo_dal_nome(std::string_view percorso) {
  const size_t barra = percorso.rfind('/');
  const std::string_view nome =
      barra == std::string_view::npos ? percorso : percorso.substr(barra + 1);
  if (finisce_con(nome, "_linea.dat")) return tipo_binario::tracciato;
  if (finisce_con(nome, ".sim")) return tipo_binario::elementi;
  if (finisce_con(nome, coda_track)) return tipo_binario::percorso;
  return std::nullopt;
}

std::string scenario_accanto(const std::string& percorso_track) {
  if (!finisce_con(percorso_track, coda_track)) return percorso_track + ".sim";
  return percorso_track.substr(0, percorso_track.size() - coda_track.size()) + ".sim";
}

std::string decodifica_binario(std::string_view immagine, tipo_binario tipo,
                               const std::string& nome, file_binario& f) {
  f.tipo = tipo;
  decode_status d;
  switch (tipo) {
    case tipo_binario::percorso:
      d = decode_percorso(immagine, f.percorso);
      break;
    case tipo_binario::elementi:
      d = decode_elementi(immagine, f.elementi);
      break;
    case tipo_binario::tracciato:
      d = decode_tracciato(immagine, f.tracciato);
      break;
  }
  if (d.ok) return "";
  return "'" + nome + "' is damaged at byte " + std::to_string(d.offset) + ": " +
         d.message;
}

std::string leggi_binario(const std::string& percorso, tipo_binario tipo,
                          file_binario& f) {
  std::string immagine;
  const Status s = read_file(percorso, immagine, {massimo(tipo)});
  if (!s.ok()) return s.message();
  return decodifica_binario(immagine, tipo, percorso, f);
}

scenario_vicino leggi_vicino(const std::string& percorso_track) {
  scenario_vicino v;
  v.percorso = scenario_accanto(percorso_track);
  if (!file_exists(v.percorso)) return v;
  v.problema = leggi_binario(v.percorso, tipo_binario::elementi, v.file);
  v.letto = v.problema.empty();
  return v;
}
