#include "tool/report/html_report.h"

#include <optional>

#include "scenario/scenario_state.h"
#include "tool/platform/encoding.h"
#include "tool/report/markup.h"
#include "tool/report/report_assets.h"

namespace {

std::string x(std::string_view s) { return testo_xml(s); }

std::string plurale(size_t n, const char* parola) {
  return std::to_string(n) + " " + parola + (n == 1 ? "" : "s");
}

void lista_reperti(std::string& out, const contenuto_report& c) {
  out += "<section id=\"reperti\"><h2>Findings of the build</h2>";
  if (c.diagnostiche->empty() && c.esito_fermo.empty()) {
    out +=
        "<p class=\"nota\">The build found nothing wrong with the "
        "documents.</p></section>";
    return;
  }
  out += "<ul class=\"reperti\">";
  if (!c.esito_fermo.empty()) {
    out += "<li class=\"errore\"><span class=\"gravita\">error:</span> " +
           x(c.esito_fermo) + "</li>";
  }
  for (const rendered_diagnostic& d : *c.diagnostiche) {
    const char* classe = d.level == severity::error     ? "errore"
                         : d.level == severity::warning ? "avviso"
                                                        : "nota";
    out += "<li class=\"" + std::string(classe) + "\">";
    const std::optional<int64_t>& m = d.metres;
    const bool disegnato = m && c.vista->ha_percorso && *m >= 0 && *m <= c.vista->fine;
    if (d.place) {
      const std::string posto = x(place_text(*d.place));
      out += disegnato ? "<a href=\"#profilo\" data-m=\"" + std::to_string(*m) +
                             "\"><code>" + posto + "</code></a> "
                       : "<code>" + posto + "</code> ";
    } else if (disegnato) {
      out += "<a href=\"#profilo\" data-m=\"" + std::to_string(*m) + "\">at " +
             std::to_string(*m) + " m</a> ";
    }
    out += "<span class=\"gravita\">" + std::string(severity_word(d.level)) +
           ":</span> " + x(d.message);
    if (!d.label.empty()) out += " [" + x(d.label) + "]";
    for (const rendered_note& n : d.notes) {
      out += "<br/><span class=\"origine\">" + x(n.message);
      if (n.place) out += ": <code>" + x(place_text(*n.place)) + "</code>";
      out += "</span>";
    }
    out += "</li>";
  }
  out += "</ul></section>";
}

size_t conta(const vista_percorso& v, tipo_segno t) {
  size_t n = 0;
  for (const segno& s : v.segni) n += s.tipo == t ? 1 : 0;
  return n;
}

// One entry of the profile's legend, drawn with the profile's own symbol.
std::string voce_legenda(const char* simbolo, const char* testo) {
  return "<li><svg width=\"16\" height=\"16\" viewBox=\"-8 -8 16 16\"><use href=\"#" +
         std::string(simbolo) + "\"/></svg> " + testo + "</li>";
}

}  // namespace

std::string pagina_report(const contenuto_report& c) {
  const vista_percorso& v = *c.vista;
  const std::string titolo = c.linea + " / " + c.treno;
  std::string out;
  out.reserve(c.profilo.size() + (c.pianta ? c.pianta->svg.size() : 0) + (1 << 16));
  out +=
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\"><head>"
      "<meta charset=\"utf-8\"/>"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>"
      "<title>Route report: " +
      x(titolo) + "</title><style>";
  out += stile_report;
  out += "</style></head><body";
  if (c.dal_vivo != 0) out += " data-dal-vivo=\"" + std::to_string(c.dal_vivo) + "\"";
  out += "><header><h1>" + x(c.linea) + " <span class=\"treno\">/ " + x(c.treno) +
         "</span></h1>";

  // What the build made of the documents.
  const conteggio_reperti n = count(*c.diagnostiche);
  out += "<p class=\"sommario\">";
  if (v.ha_percorso) {
    out += "Route " + std::to_string(v.lunghezza) + " m \u00b7 " +
           plurale(conta(v, tipo_segno::stazione), "station") + " \u00b7 " +
           plurale(conta(v, tipo_segno::segnale), "signal") + " \u00b7 " +
           plurale(conta(v, tipo_segno::rallentamento), "slowdown") + " \u00b7 " +
           plurale(v.montagne.size(), "mountain") + " \u00b7 " +
           plurale(conta(v, tipo_segno::abbattimento), "code point") + " \u00b7 ";
  } else {
    out += "The documents give no track to draw. \u00b7 ";
  }
  const int errori = n.errori + (c.esito_fermo.empty() ? 0 : 1);
  if (errori == 0 && n.avvisi == 0) {
    out += "<span class=\"stato-ok\">no errors</span>";
  } else {
    out += errori > 0 ? "<span class=\"stato-errori\">" : "<span class=\"stato-avvisi\">";
    if (errori > 0) out += plurale(static_cast<size_t>(errori), "error");
    if (errori > 0 && n.avvisi > 0) out += ", ";
    if (n.avvisi > 0) out += plurale(static_cast<size_t>(n.avvisi), "warning");
    out += "</span>";
  }
  out += "</p><p class=\"fonti\">Line source <code>" + x(c.documenti->linea.nome) +
         "</code> \u00b7 train source <code>" + x(c.documenti->treno.nome) +
         "</code></p>";
  out += "</header>";

  lista_reperti(out, c);

  out += "<section id=\"sezione-pianta\"><h2>Plan of the line</h2>";
  if (c.pianta != nullptr && !c.pianta->svg.empty()) {
    out +=
        "<p class=\"nota\">Equal scale on both axes, north up; ticks every few "
        "kilometres of route. The line is drawn with " +
        std::to_string(c.pianta->punti_disegnati) + " of its " +
        std::to_string(c.pianta->punti) + " points, within " + numero(pianta::errore) +
        " px of every point left out. Click the line to show that place in the "
        "profile; the profile's visible range is shaded blue.</p>";
    out += c.pianta->svg;
  } else {
    out += "<p class=\"nota\">The documents give no plan of the line.</p>";
  }
  out += "</section>";

  out += "<section id=\"sezione-profilo\"><h2>Profile along the route</h2>";
  if (!c.profilo.empty()) {
    out +=
        "<div class=\"comandi\"><button type=\"button\" id=\"zoom-meno\" title=\"Zoom "
        "out\">\u2212</button><button type=\"button\" id=\"zoom-piu\" title=\"Zoom "
        "in\">+</button><button type=\"button\" id=\"zoom-tutto\">Whole route</button>"
        "<span id=\"intervallo\">Showing the whole route</span></div>"
        "<p class=\"nota\">Wheel or double-click to zoom, drag to pan (keys + \u2212 0 "
        "\u2190 \u2192 once clicked). Point at a mark for its values and source row.</p>";
    std::string profilo = c.profilo;
    profilo.insert(profilo.find(' '), " tabindex=\"0\"");
    out += profilo;
    out += "<p id=\"lettura\">Point at the profile to read the values at a place.</p>";
    out +=
        "<ul class=\"legenda\">" + voce_legenda("p-sig", "signal") +
        voce_legenda("p-fer", "stop point") +
        voce_legenda("p-avv", "slowdown warning board") +
        "<li><svg width=\"16\" height=\"16\"><rect y=\"5\" width=\"16\" height=\"6\" "
        "fill=\"#ef6c00\"/></svg> slowdown (start to end board)</li>" +
        voce_legenda("p-ab", "code point") + voce_legenda("p-ind", "speed-limit boards") +
        voce_legenda("p-car", "indicator sign") + voce_legenda("p-km", "kilometre post") +
        voce_legenda("p-pas", "progressive hand-over") +
        voce_legenda("p-rep", "finding") +
        "<li><svg width=\"16\" height=\"16\"><rect width=\"16\" height=\"16\" "
        "fill=\"#d7ccc8\"/></svg> mountain (tunnel)</li></ul>";
  } else {
    out += "<p class=\"nota\">The documents give no track to draw.</p>";
  }
  out += "</section>";

  out +=
      "<footer><p>Positions are metres from the start of the route; a cell's feature "
      "stands at its cell's start (cell \u00d7 50 m). The elevation is worked out from "
      "the gradients, from 0 m at the start.</p></footer>";
  // The documents themselves, once, for the rows the tooltips name.
  for (const documento_mostrato* d : {&c.documenti->linea, &c.documenti->treno}) {
    const size_t barra = d->nome.find_last_of('/');
    out += "<pre class=\"sorgente\" hidden=\"hidden\" data-doc=\"";
    out += d == &c.documenti->linea ? "L" : "T";
    out += "\" data-nome=\"" +
           x(barra == std::string::npos ? d->nome : d->nome.substr(barra + 1)) + "\">";
    testo_xml(out, cp1252_a_utf8(d->testo));
    out += "</pre>";
  }
  out += "<div id=\"tip\" role=\"tooltip\" hidden=\"hidden\"></div>";
  out += "<script>//<![CDATA[\n";
  out += script_report;
  out += "\n//]]></script></body></html>\n";
  return out;
}
