// The decoders' seeds made from the built-in scenario: its documents
// written and built in memory, its three files cut to a few KB (whole
// cells, whole slots, whole points) and joined as decoder_check.h splits
// them, for each kind with text and JSON and the options that apply.
// Written by make_decoder_seeds.cpp; replayed by the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "build_check.h"
#include "decoder_check.h"
#include "documents/documents.h"
#include "format/tracciato.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "track/memorizza_percorso.h"

namespace decoder_seeds {

using decoder_check::decoder_case;

// The built-in documents, written by their writers into a private folder
// and read back, then built in memory. Returns "" or what failed.
inline std::string costruisci(scenario_state& st) {
  st.cartella = build_check::make_private_folder();
  if (st.cartella.empty()) return "cannot create a private folder";
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  std::string linea, treno;
  Status s = dati_linea(st);
  if (s.ok()) s = dati_treno(st);
  if (s.ok()) s = read_file(file_path(st, file_kind::line_source), linea);
  if (s.ok()) s = read_file(file_path(st, file_kind::train_source), treno);
  std::error_code ec;
  std::filesystem::remove_all(st.cartella, ec);
  if (!s.ok()) return s.message();
  sorgenti_lettura sorgenti;
  sorgenti.linea = {"linea", stato_documento::presente, linea};
  sorgenti.treno = {"treno", stato_documento::presente, treno};
  const esito_build e = costruisci_scenario(st, sorgenti, 1);
  return e.tipo == esito::fatto ? "" : "the built-in scenario did not build";
}

inline std::string celle(const scenario_state& st, size_t da, size_t quante) {
  file_binario f;
  f.percorso.assign(st.percorso.begin() + static_cast<std::ptrdiff_t>(da),
                    st.percorso.begin() + static_cast<std::ptrdiff_t>(da + quante));
  return decoder_check::detail::immagine(f);
}

// Metres da..a of the polyline, as a line plan file of their own.
inline std::string metri(const tracciato_t& t, int32_t da, int32_t a) {
  file_binario f;
  f.tipo = tipo_binario::tracciato;
  f.tracciato.crea(a - da);
  for (int32_t m = da; m <= a; ++m) {
    for (int k : {0, 1}) {
      const size_t i = t.indice(m, k), j = f.tracciato.indice(m - da, k);
      f.tracciato.tipo[j] = t.tipo[i];
      f.tracciato.valore[j] = t.valore[i];
    }
  }
  return decoder_check::detail::immagine(f);
}

struct seme {
  std::string nome;
  decoder_case c;
};

// The seeds of the scenario `st` built by costruisci.
inline std::vector<seme> semi(const scenario_state& st) {
  const std::string sim = immagine_elementi(st.elementi);
  auto altri = st.elementi;
  altri[7].nome = "Maccarese";
  altri[7].orario = 300;
  const std::string sim_b = immagine_elementi(altri);
  // The signal on cell 852 with its approach marks before it.
  const std::string segnale = celle(st, 830, 70);
  std::string lenta = celle(st, 0, 200);
  lenta[20 * 15 + 12] = 19;  // cell 20's speed: 95 km/h
  const tracciato_t punti = punti_del_tracciato(st.tracciato);

  return {
      {"builtin_track_text",
       {tipo_binario::percorso, false, {}, {}, false, celle(st, 0, 200), lenta, sim}},
      {"builtin_track_json_from_to",
       {tipo_binario::percorso, true, 500, 2500, false, segnale, celle(st, 830, 60),
        sim}},
      {"builtin_track_without_scenario",
       {tipo_binario::percorso, false, {}, {}, false, segnale, segnale, {}}},
      {"builtin_scenario_text",
       {tipo_binario::elementi, false, {}, {}, false, sim, sim_b, {}}},
      {"builtin_scenario_json",
       {tipo_binario::elementi, true, {}, {}, false, sim, sim_b, {}}},
      {"builtin_plan_json_points",
       {tipo_binario::tracciato,
        true,
        10,
        60,
        true,
        metri(punti, 0, 149),
        metri(punti, 0, 139),
        {}}},
      {"builtin_plan_text_points_on_a_curve",
       {tipo_binario::tracciato,
        false,
        {},
        {},
        true,
        metri(punti, 1340, 1400),
        metri(punti, 1330, 1390),
        {}}},
  };
}

}  // namespace decoder_seeds
