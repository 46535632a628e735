#include "tool/report/report_pages.h"

#include "tool/report/html_report.h"
#include "tool/report/plan_drawing.h"
#include "tool/report/profile_drawing.h"
#include "tool/report/route_view.h"

namespace {

// A drawing as a file of its own; "" stays "" (nothing to draw).
std::string documento_svg(const std::string& svg) {
  if (svg.empty()) return "";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + svg + "\n";
}

}  // namespace

pagine_report crea_pagine_report(const costruzione_in_memoria& c,
                                 const opzioni_build& lettura, bool svg,
                                 uint64_t dal_vivo) {
  const documenti_mostrati documenti = c.documenti(lettura);
  source_index sorgenti(documenti);
  const std::vector<rendered_diagnostic> diagnostiche =
      diagnostic_renderer(sorgenti, c.st, c.regole).render(c.reperti);
  const vista_percorso vista = crea_vista(c.st, diagnostiche, sorgenti);
  const std::string titolo = c.id.linea + " / " + c.id.treno;
  // The build keeps the polyline as its stretches; the drawing takes its points.
  const tracciato_t punti = punti_del_tracciato(c.st.tracciato);
  const disegno_pianta pianta = disegna_pianta(vista, punti, {"Plan: " + titolo, true});
  contenuto_report r;
  r.linea = c.id.linea;
  r.treno = c.id.treno;
  r.documenti = &documenti;
  r.diagnostiche = &diagnostiche;
  r.st = &c.st;
  r.vista = &vista;
  r.pianta = &pianta;
  if (vista.ha_percorso) r.profilo = disegna_profilo(vista, {"Profile: " + titolo, true});
  r.esito_fermo = perche_fermata(c);
  r.dal_vivo = dal_vivo;

  pagine_report out;
  out.pagina = pagina_report(r);
  if (svg) {
    // Complete by themselves: every tooltip names its file and carries its own.
    out.pianta =
        documento_svg(disegna_pianta(vista, punti, {"Plan: " + titolo, false}).svg);
    if (vista.ha_percorso)
      out.profilo = documento_svg(disegna_profilo(vista, {"Profile: " + titolo, false}));
  }
  return out;
}
