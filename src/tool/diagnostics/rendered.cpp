#include "tool/diagnostics/rendered.h"

#include "scenario/scenario_state.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/diagnostics/message.h"
#include "tool/platform/encoding.h"

namespace {

// The text of a one-line span as a message quotes it: UTF-8, control
// characters shown, at most 40 characters.
std::string citazione(const std::optional<rendered_place>& p) {
  if (!p || p->start.line != p->end.line) return "";
  std::string_view t = p->line_text;
  const size_t colonna = p->start.column - 1;  // columns count bytes
  if (colonna > t.size()) return "";
  t = t.substr(colonna, p->length);
  constexpr size_t massimo = 40;
  const bool lungo = t.size() > massimo;
  std::string out = controlli_visibili(cp1252_a_utf8(t.substr(0, massimo)));
  if (lungo) out += "\u2026";
  return out;
}

}  // namespace

std::optional<rendered_place> diagnostic_renderer::place(const luogo& l) const {
  const documento_mostrato* d = sources_.document(l.doc);
  if (d == nullptr) return std::nullopt;
  const line_table& t = *sources_.lines(l.doc);
  rendered_place p;
  p.document = l.doc;
  p.file = d->nome;
  p.offset = l.inizio;
  p.length = l.lunghezza;
  p.start = t.point(l.inizio);
  p.end = t.point(l.inizio + l.lunghezza);
  p.line_text = t.line(p.start.line);
  return p;
}

rendered_diagnostic diagnostic_renderer::render(const reperto& r) const {
  const descrizione_reperto& d = descrivi(r.id);
  rendered_diagnostic out;
  out.id = r.id;
  out.level = severity_shown(r, rules_);
  out.name = d.nome;
  out.code = d.codice;
  out.label = etichetta(r, rules_);
  out.place = place(r.dove);
  const std::optional<rendered_place> nota = place(r.origine);
  contesto_messaggio c;
  c.riga = out.place ? out.place->start.line : 0;
  c.riga_nota = nota ? nota->start.line : 0;
  const std::string testo = citazione(out.place);
  c.testo = testo;
  out.message = componi_messaggio(r, st_.elementi, c);
  out.cell = r.cella;
  out.metres = metri_di(r);
  if (out.metres) {
    if (const std::optional<int64_t> km = progressiva_di(st_.elementi, *out.metres))
      out.km = formato_km(*km);
  }
  out.folded = r.simili;
  if (nota) out.notes.push_back({testo_nota(r, c), nota});
  if (std::optional<rendered_place> primo = place(r.dopo_errore)) {
    out.notes.push_back({"found by reading on past the error here, where the build stops",
                         std::move(primo)});
  }
  return out;
}

std::vector<rendered_diagnostic> diagnostic_renderer::render(
    const std::vector<reperto>& findings) const {
  std::vector<rendered_diagnostic> out;
  out.reserve(findings.size());
  for (const reperto& r : findings) out.push_back(render(r));
  return out;
}

std::vector<rendered_diagnostic> render_findings(const std::vector<reperto>& findings,
                                                 const documenti_mostrati& documents,
                                                 const scenario_state& st,
                                                 const regole_avvisi& rules) {
  source_index sources(documents);
  return diagnostic_renderer(sources, st, rules).render(findings);
}

conteggio_reperti count(const std::vector<rendered_diagnostic>& diagnostics) {
  conteggio_reperti c;
  for (const rendered_diagnostic& d : diagnostics) aggiungi(c, d.level, 1 + d.folded);
  return c;
}

std::string place_text(const rendered_place& p) {
  return p.file + ":" + std::to_string(p.start.line) + ":" +
         std::to_string(p.start.column);
}
