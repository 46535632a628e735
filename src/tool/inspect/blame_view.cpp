#include "tool/inspect/blame_view.h"

#include <cmath>
#include <cstdio>

#include "scenario/findings.h"
#include "tool/diagnostics/line_table.h"
#include "tool/diagnostics/source_rows.h"
#include "tool/inspect/cell_view.h"
#include "tool/platform/encoding.h"
#include "tool/platform/json_output.h"
#include "tool/platform/shown_text.h"

namespace {

// A source row: the document as named, the line and column of the place,
// the line's text.
struct riga_sorgente {
  std::string file;
  uint32_t riga = 0, colonna = 0;
  std::string testo;  // Windows-1252
};

// The row at `l`; none when no row is known.
std::optional<riga_sorgente> riga_di(source_index& r, const luogo& l) {
  const documento_mostrato* d = r.document(l.doc);
  if (d == nullptr) return std::nullopt;
  const line_table& t = *r.lines(l.doc);
  const text_point p = t.point(l.inizio);
  return riga_sorgente{d->nome, p.line, p.column, std::string(t.line(p.line))};
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

void blame_testo(std::string& out, const costruzione_in_memoria& c, source_index& righe,
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
  const auto riga_montagna = riga_di(righe, p.montagna);
  const std::optional<int64_t> tipo_riga =
      riga_montagna
          ? valore_campo(riga_montagna->testo, tipo_di(riga_id::montagna), "tipo")
          : std::nullopt;
  campo(out, "mountain",
        k.tipo_montagna == 0 ? "none" : testo_tipo_montagna(k.tipo_montagna, tipo_riga),
        riga_montagna, k.tipo_montagna != 0);
  campo(out, "speed", std::to_string(velocita_kmh(k)) + " km/h",
        riga_di(righe, p.velocita), true);
  campo(out, "gradient", con_segno(pendenza_per_mille(k)) + " per mille",
        riga_di(righe, p.pendenza), true);
  campo(out, "adhesion", std::to_string(k.aderenza), riga_di(righe, p.aderenza), true);
}

json blame_json(const costruzione_in_memoria& c, source_index& righe,
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

}  // namespace

std::string resa_blame(const costruzione_in_memoria& c,
                       const documenti_mostrati& documenti, const richiesta_blame& q) {
  const auto& celle = c.st.percorso;
  source_index righe(documenti);
  contesto_celle x{&c.st.elementi};

  std::string out;
  if (q.json) {
    json j;
    j["line_source"] = documenti.linea.nome;
    j["train_source"] = documenti.treno.nome;
    j["errors"] = conta_reperti(c.reperti, c.regole).errori;
    json lista = json::array();
    for (int64_t i = q.da; i <= q.a; ++i) lista.push_back(blame_json(c, righe, x, i));
    j["cells"] = std::move(lista);
    out = testo_json(j);
  } else {
    for (int64_t i = q.da; i <= q.a; ++i) {
      if (i > q.da) out += "\n";
      blame_testo(out, c, righe, x, static_cast<size_t>(i));
    }
    if (q.metri && *q.metri >= 0) {
      const auto dopo = static_cast<int64_t>(std::nearbyint(*q.metri / 50.0 + 1));
      if (dopo != q.da && dopo <= static_cast<int64_t>(celle.size()) - 1 &&
          posto_dopo(celle[dopo].codice)) {
        out += "note: the " + std::string(nome_caratteristica(celle[dopo].codice)) +
               " on cell " + std::to_string(dopo) + " was placed near " +
               std::to_string(*q.metri) + " m: features placed at a position stand on " +
               "the cell after it (see --cell " + std::to_string(dopo) + ")\n";
      }
    }
  }
  return out;
}
