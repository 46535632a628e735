// scenario blame LINE_SOURCE TRAIN_SOURCE --at METRES: what a cell of the
// track holds, field by field, and for each field the source row that set
// it (file:line), as `git blame` tells which change wrote a line. The build
// runs in memory, as check runs it, and keeps for every cell the rows that
// set its fields: the same record the diagnostics' notes come from.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/findings.h"
#include "tool/cell_view.h"
#include "tool/commands.h"
#include "tool/encoding.h"
#include "tool/exit_codes.h"
#include "tool/number_option.h"
#include "tool/in_memory_build.h"
#include "tool/line_table.h"
#include "tool/shown_text.h"
#include "tool/standard_output.h"

namespace {

struct opzioni_blame {
  opzioni_build lettura;  // the documents and identifiers, read as check reads them
  std::optional<int64_t> metri, cella, da, a;  // --at, --cell, --from, --to
  std::string formato = "text";
};

// The source documents with their line tables, made when first needed.
struct righe_sorgenti {
  const documenti_mostrati& documenti;
  std::optional<tabella_righe> linea, treno;

  // The document of `l` and its table; null when `l` names none.
  const documento_mostrato* documento(const luogo& l, const tabella_righe*& t) {
    const documento_mostrato* d = documenti.di(l.doc);
    if (d == nullptr) return nullptr;
    std::optional<tabella_righe>& tabella = l.doc == documento::linea ? linea : treno;
    if (!tabella) tabella = crea_tabella_righe(d->testo);
    t = &*tabella;
    return d;
  }
};

// A source row: the document as named, the line and column of the place,
// the line's text.
struct riga_sorgente {
  std::string file;
  uint32_t riga = 0, colonna = 0;
  std::string testo;  // Windows-1252
};

// The row at `l`; none when no row is known.
std::optional<riga_sorgente> riga_di(righe_sorgenti& r, const luogo& l) {
  if (!l.esiste()) return std::nullopt;
  const tabella_righe* t = nullptr;
  const documento_mostrato* d = r.documento(l, t);
  if (d == nullptr) return std::nullopt;
  const punto_testo p = punto_di(*t, d->testo, l.inizio);
  return riga_sorgente{d->nome, p.riga, p.colonna,
                       std::string(testo_riga(*t, d->testo, p.riga))};
}

// "Vardelia_Corvessa-.txt:126: segnale,   42550, ...".
std::string testo_riga_sorgente(const riga_sorgente& s) {
  return s.file + ":" + std::to_string(s.riga) + ": " + testo_mostrato(s.testo);
}

json json_riga(const std::optional<riga_sorgente>& s) {
  if (!s) return nullptr;
  return {{"file", s->file},
          {"line", s->riga},
          {"column", s->colonna},
          {"text", cp1252_a_utf8(s->testo)}};
}

constexpr const char* rientro = "             ";  // under the value

// One field of the cell: its name, what it holds, and the row behind it.
void campo(std::string& out, const char* nome, const std::string& valore,
           const std::optional<riga_sorgente>& s, bool mostra_senza_riga) {
  char testa[32];
  std::snprintf(testa, sizeof testa, "  %-10s ", nome);
  out += testa + valore + "\n";
  if (s) {
    out += rientro + testo_riga_sorgente(*s) + "\n";
  } else if (mostra_senza_riga) {
    out += std::string(rientro) + "set by no row\n";
  }
}

void blame_testo(std::string& out, const costruzione_in_memoria& c, righe_sorgenti& righe,
                 const contesto_celle& x, size_t i) {
  const cella& k = c.st.percorso[i];
  const provenienza_cella p =
      i < c.provenienza.size() ? c.provenienza[i] : provenienza_cella{};
  out += testa_cella(x, i) + "\n";

  const std::string cosa = testo_caratteristica(k, i, x);
  const auto riga_caratteristica = riga_di(righe, p.caratteristica);
  if (p.completamento && riga_caratteristica) {
    campo(out, "feature", cosa, std::nullopt, false);
    out += std::string(rientro) + "added by the build's code-point completion, for " +
           testo_riga_sorgente(*riga_caratteristica) + "\n";
  } else {
    campo(out, "feature", cosa.empty() ? "nothing" : cosa, riga_caratteristica,
          k.codice != codice_cella::nulla);
  }
  if (p.valore_abbassato) {
    out += std::string(rientro) +
           "its value capped at 180 by the build's code-point completion\n";
  }
  if (i == cella_timbrata) {
    out +=
        std::string(rientro) + "stamp and race_code are the build's own, set by no row\n";
  }

  const std::string marca = testo_preavviso(c.st.percorso, i);
  campo(out, "approach", marca.empty() ? "none" : marca, riga_di(righe, p.preavviso),
        k.preavviso != 0);
  campo(out, "mountain",
        k.tipo_montagna == 0 ? "none" : "type " + std::to_string(k.tipo_montagna),
        riga_di(righe, p.montagna), k.tipo_montagna != 0);
  campo(out, "speed", std::to_string(velocita_kmh(k)) + " km/h",
        riga_di(righe, p.velocita), true);
  campo(out, "gradient", con_segno(pendenza_per_mille(k)) + " per mille",
        riga_di(righe, p.pendenza), true);
  campo(out, "adhesion", std::to_string(k.aderenza), riga_di(righe, p.aderenza), true);
}

json blame_json(const costruzione_in_memoria& c, righe_sorgenti& righe,
                const contesto_celle& x, size_t i) {
  const provenienza_cella p =
      i < c.provenienza.size() ? c.provenienza[i] : provenienza_cella{};
  json j = json_cella(c.st.percorso, i, x);
  json s;
  s["feature"] = json_riga(riga_di(righe, p.caratteristica));
  s["completion"] = p.completamento      ? json("added")
                    : p.valore_abbassato ? json("lowered")
                                         : json(nullptr);
  s["approach_mark"] = json_riga(riga_di(righe, p.preavviso));
  s["mountain"] = json_riga(riga_di(righe, p.montagna));
  s["speed"] = json_riga(riga_di(righe, p.velocita));
  s["gradient"] = json_riga(riga_di(righe, p.pendenza));
  s["adhesion"] = json_riga(riga_di(righe, p.aderenza));
  j["sources"] = std::move(s);
  return j;
}

// A feature placed at a position p stands on cell round(p / 50 + 1): the
// cell after the one at p, for signals, boards and signs.
bool posto_dopo(uint8_t codice) {
  switch (codice) {
    case codice_cella::segnale:
    case codice_cella::inizio_rallentamento:
    case codice_cella::fine_rallentamento:
    case codice_cella::avviso_rallentamento:
    case codice_cella::indicatori_v_max:
    case codice_cella::cartello_indicatore:
      return true;
    default:
      return false;
  }
}

int comando_blame(const opzioni_blame& o) {
  const int modi = (o.metri ? 1 : 0) + (o.cella ? 1 : 0) + (o.da || o.a ? 1 : 0);
  if (modi != 1) {
    return fallimento(modi == 0
                          ? "give the place with --at METRES, --cell N or --from/--to"
                          : "give the place one way only: --at, --cell or --from/--to");
  }
  if (o.da && o.a && *o.da > *o.a) {
    return fallimento("--from " + std::to_string(*o.da) + " lies past --to " +
                      std::to_string(*o.a));
  }
  const opzioni_build& lettura = o.lettura;
  costruzione_in_memoria c;
  std::string errore = prepara_costruzione(lettura, c);
  if (errore.empty()) errore = esegui_costruzione(lettura, c);
  if (!errore.empty()) return fallimento(errore);
  const auto& celle = c.st.percorso;
  if (celle.empty()) {
    std::fprintf(stderr, "scenario: error: no track to explain: %s\n",
                 c.esito.status.message().c_str());
    return uscita::errori;
  }

  // The cells asked for.
  const int64_t ultima = static_cast<int64_t>(celle.size()) - 1;
  int64_t da = 0, a = 0;
  if (o.cella) {
    da = a = *o.cella;
  } else if (o.metri) {
    da = a = *o.metri < 0 ? -1 : *o.metri / metri_cella;
  } else {
    da = o.da ? (*o.da + metri_cella - 1) / metri_cella : 0;
    if (o.da && *o.da < 0) da = 0;
    a = o.a ? (*o.a < 0 ? -1 : *o.a / metri_cella) : ultima;
  }
  if (da < 0 || da > ultima || a < da) {
    return fallimento("no cell of the track lies there: its cells are 0 to " +
                      std::to_string(ultima) + " (0 to " +
                      std::to_string(ultima * metri_cella) + " m)");
  }
  a = std::min(a, ultima);

  const documenti_mostrati documenti = c.documenti(lettura);
  righe_sorgenti righe{documenti, {}, {}};
  contesto_celle x{&c.st.elementi};
  const conteggio_reperti conteggio = conta_reperti(c.reperti, c.regole);
  const bool errori = c.errori();

  std::string out;
  if (o.formato == "json") {
    json j;
    j["line_source"] = lettura.sorgente_linea;
    j["train_source"] = lettura.sorgente_treno;
    j["errors"] = conteggio.errori;
    json lista = json::array();
    for (int64_t i = da; i <= a; ++i) lista.push_back(blame_json(c, righe, x, i));
    j["cells"] = std::move(lista);
    out = testo_json(j);
  } else {
    for (int64_t i = da; i <= a; ++i) {
      if (i > da) out += "\n";
      blame_testo(out, c, righe, x, static_cast<size_t>(i));
    }
    if (o.metri && *o.metri >= 0) {
      const auto dopo = static_cast<int64_t>(std::nearbyint(*o.metri / 50.0 + 1));
      if (dopo != da && dopo <= ultima && posto_dopo(celle[dopo].codice)) {
        out += "note: the " + std::string(nome_caratteristica(celle[dopo].codice)) +
               " on cell " + std::to_string(dopo) + " was placed near " +
               std::to_string(*o.metri) + " m: features placed at a position stand on " +
               "the cell after it (see --cell " + std::to_string(dopo) + ")\n";
      }
    }
  }
  const int stato = stampa(out, errori ? uscita::errori : uscita::ok);
  if (stato != uscita::errori) return stato;
  const std::string perche =
      conteggio.errori > 0 ? "the documents hold " + std::to_string(conteggio.errori) +
                                 (conteggio.errori == 1 ? " error" : " errors")
                           : perche_fermata(c);
  std::fprintf(stderr,
               "scenario: %s (see 'scenario check'): the cells are shown as the build "
               "left them\n",
               perche.c_str());
  return stato;
}

}  // namespace

esecuzione registra_blame(CLI::App& c, const opzioni_globali&) {
  auto o = std::make_shared<opzioni_blame>();
  opzioni_lettura(c, o->lettura, false);
  c.add_option_function<int64_t>(
       "--at", [o](const int64_t& v) { o->metri = v; },
       "The cell at this many metres (cell i covers i * 50 m to i * 50 + 49 m)")
      ->check(metres())
      ->type_name("METRES");
  c.add_option_function<int64_t>(
       "--cell", [o](const int64_t& v) { o->cella = v; }, "The cell with this index")
      ->check(whole_number(0, 1'000'000'000))
      ->type_name("N");
  c.add_option_function<int64_t>(
       "--from", [o](const int64_t& v) { o->da = v; }, "The cells from this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_option_function<int64_t>(
       "--to", [o](const int64_t& v) { o->a = v; }, "The cells up to this many metres")
      ->check(metres())
      ->type_name("METRES");
  c.add_option("--format", o->formato, "text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->type_name("FORMAT");
  return [o] { return comando_blame(*o); };
}
