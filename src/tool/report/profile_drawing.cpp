#include "tool/report/profile_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tool/report/drawing_text.h"
#include "tool/report/markup.h"

namespace profilo {

double scale_verticali::y_quota(double z) const {
  return quota_alto + quota_altezza * (quota_alta - z) / (quota_alta - quota_bassa);
}

double scale_verticali::y_velocita(double kmh) const {
  return velocita_alto + velocita_altezza * (1 - kmh / velocita_massima);
}

double scale_verticali::y_aderenza(double a) const {
  return aderenza_alto + 4 +
         (aderenza_altezza - 8) * (aderenza_alta - a) / (aderenza_alta - aderenza_bassa);
}

scale_verticali scale_di(const vista_percorso& v) {
  scale_verticali s;
  double basso = 0, alto = 0;
  for (const punto_quota& p : v.quota) {
    basso = std::min(basso, p.quota);
    alto = std::max(alto, p.quota);
  }
  const double margine = std::max(1.0, (alto - basso) * 0.08);
  s.quota_bassa = basso - margine;
  s.quota_alta = alto + margine;

  double m = 50;
  for (const tratto_costante& t : v.velocita) m = std::max(m, t.valore);
  for (const segno& g : v.segni) {
    if (g.tipo == tipo_segno::rallentamento)
      m = std::max(m, static_cast<double>(g.valore));
  }
  s.velocita_massima = std::ceil(m / 50) * 50;

  if (!v.aderenza.empty()) {
    s.aderenza_bassa = s.aderenza_alta = v.aderenza.front().valore;
    for (const tratto_costante& t : v.aderenza) {
      s.aderenza_bassa = std::min(s.aderenza_bassa, t.valore);
      s.aderenza_alta = std::max(s.aderenza_alta, t.valore);
    }
  }
  if (s.aderenza_alta - s.aderenza_bassa < 10) s.aderenza_bassa = s.aderenza_alta - 10;
  return s;
}

}  // namespace profilo

namespace {

using namespace profilo;

// The lanes of marks: which kind, its name, its top and height.
struct corsia {
  tipo_segno tipo;
  const char* nome;
  double alto;
  double altezza;
};
constexpr corsia corsie[] = {
    {tipo_segno::stazione, "Stations", 22, 38},
    {tipo_segno::segnale, "Signals", 60, 16},
    {tipo_segno::rallentamento, "Slowdowns", 76, 16},
    {tipo_segno::abbattimento, "Code points", 92, 16},
    {tipo_segno::indicatori, "Speed boards", 108, 16},
    {tipo_segno::cartello, "Indicator signs", 124, 28},
    {tipo_segno::reperto, "Findings", 152, 20},
};

const corsia& corsia_di(tipo_segno t) {
  switch (t) {
    case tipo_segno::fermata:
      return corsie[0];
    case tipo_segno::avviso:
      return corsie[2];
    default:
      break;
  }
  for (const corsia& c : corsie) {
    if (c.tipo == t) return c;
  }
  return corsie[6];
}

// The route's metres as drawn at the whole route's scale.
struct scala {
  double k;  // SVG units per metre
  double x(int64_t m) const { return sinistra + static_cast<double>(m) * k; }
};

void titolo(std::string& out, const std::string& testo) {
  if (testo.empty()) return;
  out += "<title>";
  testo_xml(out, testo);
  out += "</title>";
}

// A mark drawn from the symbol `simbolo` at metre m.
void usa(std::string& out, const scala& s, const char* simbolo, int64_t m, double y,
         const std::string& suggerimento, const char* classe = nullptr) {
  out += "<use href=\"#" + std::string(simbolo) + "\" x=\"" + numero(s.x(m)) + "\" y=\"" +
         numero(y) + "\" data-m=\"" + std::to_string(m) + "\"";
  if (classe != nullptr) out += " class=\"" + std::string(classe) + "\"";
  out += ">";
  titolo(out, suggerimento);
  out += "</use>";
}

// A bar over da..a (at least 2 units wide, as the script keeps it).
void barra(std::string& out, const scala& s, int64_t da, int64_t a, double y, double h,
           const char* classe, const std::string& suggerimento) {
  const double x = s.x(da), w = std::max(2.0, s.x(a) - x);
  out += "<rect class=\"" + std::string(classe) + "\" x=\"" + numero(x) + "\" y=\"" +
         numero(y) + "\" width=\"" + numero(w) + "\" height=\"" + numero(h) +
         "\" data-m=\"" + std::to_string(da) + "\" data-a=\"" + std::to_string(a) + "\">";
  titolo(out, suggerimento);
  out += "</rect>";
}

// A label that shows only at the scales where it has room.
// A label at the plot's edge is pushed inside it, so that it shows whole.
void etichetta(std::string& out, const scala& s, const etichetta_posata& e, double y,
               const char* classe, double px) {
  const double w = larghezza_testo(e.testo, px) / 2;
  const double x = std::clamp(s.x(e.metri), sinistra + w,
                              std::max(sinistra + w, larghezza - destra - w));
  out += "<text class=\"" + std::string(classe) + (e.scala_minima > s.k ? " h" : "") +
         "\" x=\"" + numero(x) + "\" y=\"" + numero(y) + "\" data-m=\"" +
         std::to_string(e.metri) + "\" data-k=\"" + numero(e.scala_minima, 7) + "\">";
  testo_xml(out, e.testo);
  out += "</text>";
}

// "0,60,12;600,-11,13;...;341000": each stretch's start, value and source
// line (0 when not known), then the end of the last, for the script's
// readout and labels.
std::string serie(const std::vector<tratto_costante>& tt) {
  std::string out;
  for (const tratto_costante& t : tt) {
    out += std::to_string(t.da) + "," + numero(t.valore, 2) + "," +
           std::to_string(t.fonte.numero) + ";";
  }
  out += tt.empty() ? "" : std::to_string(tt.back().a);
  return out;
}

// Route ticks every `passo` metres and the grid lines through the charts.
void asse(std::string& out, const vista_percorso& v, const scala& s) {
  const int64_t passo = passo_tondo(70 / s.k);
  out += "<g id=\"asse\">";
  for (int64_t m = 0; m <= v.fine; m += passo) {
    const std::string x = numero(s.x(m));
    out += "<line class=\"griglia\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" +
           numero(quota_alto) + "\" y2=\"" + numero(asse_alto + 6) + "\"/>";
    out += "<text class=\"tacca\" x=\"" + x + "\" y=\"" + numero(asse_alto + 17) + "\">" +
           testo_km(m, passo) + "</text>";
  }
  out += "</g>";
}

// Gradient values in the band and speed values over their steps, where they
// have room at the whole route's scale (the script redoes them on zoom).
void valori(std::string& out, const vista_percorso& v, const scala& s,
            const scale_verticali& sv) {
  out += "<g id=\"valori\">";
  for (const tratto_costante& t : v.pendenze) {
    const std::string testo = numero(t.valore, 1);
    if ((s.x(t.a) - s.x(t.da)) < larghezza_testo(testo, 9) + 4) continue;
    out += "<text class=\"vp\" x=\"" + numero(s.x((t.da + t.a) / 2)) + "\" y=\"" +
           numero(pendenza_alto + 12) + "\">" + testo + "</text>";
  }
  for (const tratto_costante& t : v.velocita) {
    const std::string testo = numero(t.valore, 0);
    if ((s.x(t.a) - s.x(t.da)) < larghezza_testo(testo, 9) + 4) continue;
    out += "<text class=\"vv\" x=\"" + numero(s.x((t.da + t.a) / 2)) + "\" y=\"" +
           numero(sv.y_velocita(t.valore) - 3) + "\">" + testo + "</text>";
  }
  out += "</g>";
}

const char* stile =
    "#profilo{font-family:'DejaVu Sans',Verdana,sans-serif;font-size:11px}"
    "#profilo .h{display:none}"
    "#profilo .corsia{fill:#444}"
    "#profilo .fondo{fill:#f7f7f4}"
    "#profilo .riga{stroke:#e2e2dc}"
    "#profilo .griglia{stroke:#e6e6e0}"
    "#profilo .tacca,#profilo .km{text-anchor:middle;font-size:10px;fill:#333}"
    "#profilo .km{font-size:9px;fill:#5d4037}"
    "#profilo .scala{text-anchor:end;font-size:9px;fill:#666}"
    "#profilo .dati path,#profilo .dati line{vector-effect:non-scaling-stroke}"
    "#profilo .monte{fill:#d7ccc8;opacity:.7}"
    "#profilo .terreno{fill:#e8f0e0}"
    "#profilo .quota{fill:none;stroke:#33691e;stroke-width:1.5}"
    "#profilo .sale{fill:#f4c7b8}#profilo .scende{fill:#c8e0f4}#profilo .piano{fill:#eee}"
    "#profilo .vp{text-anchor:middle;font-size:9px;fill:#333}"
    "#profilo .vv{text-anchor:middle;font-size:9px;fill:#0d47a1}"
    "#profilo .linea{fill:none;stroke:#1565c0;stroke-width:1.5}"
    "#profilo .ral{fill:none;stroke:#ef6c00;stroke-width:2.5}"
    "#profilo .ader{fill:none;stroke:#6a1b9a;stroke-width:1.2}"
    "#profilo .fine{stroke:#333;stroke-dasharray:4 3}"
    "#profilo .staz{fill:#9e9e9e}#profilo "
    ".nome{text-anchor:middle;font-size:10px;fill:#111}"
    "#profilo .barra-ral{fill:#ef6c00}"
    "#profilo .testo-car{text-anchor:middle;font-size:8px;fill:#00695c}"
    "#profilo .rep-line{stroke:#c62828;stroke-width:1;stroke-dasharray:3 2}"
    "#profilo .avviso-rep{fill:#f9a825}#profilo .nota-rep{fill:#0277bd}"
    "#profilo .zero{fill:#fff;stroke:#6a1b9a}";

// Symbols of the marks, each centred on (0, 0).
const char* simboli =
    "<defs>"
    "<g id=\"p-fer\"><path d=\"M0-5V5M0-5h5l-1.5 2 1.5 2H0\" stroke=\"#000\" "
    "fill=\"#000\"/></g>"
    "<g id=\"p-sig\"><path d=\"M0 6V-1\" stroke=\"#333\"/><circle cy=\"-3\" r=\"3\" "
    "fill=\"#c62828\" stroke=\"#333\" stroke-width=\".6\"/></g>"
    "<g id=\"p-avv\"><path d=\"M0-5 5 4H-5Z\" fill=\"#fff\" stroke=\"#ef6c00\" "
    "stroke-width=\"1.5\"/></g>"
    "<g id=\"p-ab\"><path d=\"M0-4 4 0 0 4-4 0Z\" fill=\"#6a1b9a\"/></g>"
    "<g id=\"p-ind\"><rect x=\"-3.5\" y=\"-4.5\" width=\"7\" height=\"9\" fill=\"#fff\" "
    "stroke=\"#1565c0\" stroke-width=\"1.4\"/></g>"
    "<g id=\"p-car\"><rect x=\"-4\" y=\"-3\" width=\"8\" height=\"6\" "
    "fill=\"#00897b\"/></g>"
    "<g id=\"p-rep\"><circle r=\"6\" fill=\"#c62828\"/><path d=\"M0-3.5V1M0 2.5V3.5\" "
    "stroke=\"#fff\" stroke-width=\"1.6\"/></g>"
    "<g id=\"p-km\"><path d=\"M0-4V3\" stroke=\"#5d4037\"/></g>"
    "<g id=\"p-pas\"><path d=\"M0-5 5 0 0 5-5 0Z\" fill=\"#fff\" stroke=\"#5d4037\" "
    "stroke-width=\"1.4\"/></g>"
    "</defs>";

}  // namespace

std::string disegna_profilo(const vista_percorso& v, const opzioni_disegno& o) {
  const int64_t fine = std::max<int64_t>(v.fine, 1);
  const scala s{piano / static_cast<double>(fine)};
  const scale_verticali sv = scale_di(v);
  std::string out;
  out.reserve(1 << 16);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"profilo\" viewBox=\"0 0 " +
         numero(larghezza) + " " + numero(altezza) + "\" width=\"" + numero(larghezza) +
         "\" height=\"" + numero(altezza) + "\" data-fine=\"" + std::to_string(fine) +
         "\" data-x0=\"" + numero(sinistra) + "\" data-w=\"" + numero(piano) +
         "\" data-y-quota=\"" + numero(quota_alto) + "\" data-y-pendenza=\"" +
         numero(pendenza_alto) + "\" data-y-velocita=\"" + numero(velocita_alto) +
         "\" data-h-velocita=\"" + numero(velocita_altezza) + "\" data-y-asse=\"" +
         numero(asse_alto) + "\"";
  out += " data-km=\"";
  for (const campata_km& c : v.progressive) {
    out += std::to_string(c.da) + "," + std::to_string(c.a) + "," +
           std::to_string(c.km_da) + "," + std::to_string(c.verso) + ";";
  }
  out += "\" data-pend=\"" + serie(v.pendenze) + "\" data-vel=\"" + serie(v.velocita) +
         "\" data-ader=\"" + serie(v.aderenza) + "\" data-vmax=\"" +
         numero(sv.velocita_massima) + "\" data-linea=\"" + testo_xml(v.nome_linea) +
         "\" data-treno=\"" + testo_xml(v.nome_treno) + "\">";
  titolo(out, o.titolo);
  out += "<style>";
  out += stile;
  out += "</style>";
  out += simboli;
  out += "<clipPath id=\"ritaglio\"><rect x=\"" + numero(sinistra - 6) +
         "\" y=\"0\" width=\"" + numero(piano + 12) + "\" height=\"" + numero(altezza) +
         "\"/></clipPath>";
  out += "<rect class=\"fondo\" x=\"0\" y=\"0\" width=\"" + numero(larghezza) +
         "\" height=\"" + numero(altezza) + "\"/>";
  out += "<text x=\"8\" y=\"14\" font-weight=\"bold\">";
  testo_xml(out, o.titolo);
  out += "</text>";

  // Lane names, the charts' names and scales, the horizontal grid.
  for (const corsia& c : corsie) {
    out += "<text class=\"corsia\" x=\"8\" y=\"" + numero(c.alto + c.altezza / 2 + 4) +
           "\">" + c.nome + "</text>";
    out += "<line class=\"riga\" x1=\"" + numero(sinistra) + "\" x2=\"" +
           numero(larghezza - destra) + "\" y1=\"" + numero(c.alto + c.altezza) +
           "\" y2=\"" + numero(c.alto + c.altezza) + "\"/>";
  }
  const auto nome_grafico = [&](const char* nome, double y) {
    out += "<text class=\"corsia\" x=\"8\" y=\"" + numero(y) + "\">" + nome + "</text>";
  };
  nome_grafico("Elevation (m)", quota_alto + 12);
  nome_grafico("Gradient (\u2030)", pendenza_alto + 12);
  nome_grafico("Speed (km/h)", velocita_alto + 12);
  nome_grafico("Adhesion", aderenza_alto + 12);
  nome_grafico("Route (km)", asse_alto + 17);
  nome_grafico("Line km", asse_alto + 38);
  const auto scala_y = [&](double y, const std::string& testo) {
    out += "<line class=\"riga\" x1=\"" + numero(sinistra) + "\" x2=\"" +
           numero(larghezza - destra) + "\" y1=\"" + numero(y) + "\" y2=\"" + numero(y) +
           "\"/><text class=\"scala\" x=\"" + numero(sinistra - 4) + "\" y=\"" +
           numero(y + 3) + "\">" + testo + "</text>";
  };
  if (!v.quota.empty()) {
    double basso = v.quota.front().quota, alto = basso;
    for (const punto_quota& p : v.quota) {
      basso = std::min(basso, p.quota);
      alto = std::max(alto, p.quota);
    }
    scala_y(sv.y_quota(alto), numero(alto, 1));
    if (alto != basso) scala_y(sv.y_quota(basso), numero(basso, 1));
  }
  for (double kmh = 0; kmh <= sv.velocita_massima; kmh += 50) {
    scala_y(sv.y_velocita(kmh), numero(kmh, 0));
  }
  scala_y(sv.y_aderenza(sv.aderenza_alta), numero(sv.aderenza_alta, 0));
  scala_y(sv.y_aderenza(sv.aderenza_bassa), numero(sv.aderenza_bassa, 0));

  out += "<g clip-path=\"url(#ritaglio)\">";
  asse(out, v, s);

  // The data, x in metres.
  out += "<g class=\"dati\" id=\"dati\" transform=\"matrix(" + numero(s.k, 9) +
         " 0 0 1 " + numero(sinistra) + " 0)\">";
  for (const tratto_costante& t : v.montagne) {
    out += "<rect class=\"monte\" x=\"" + std::to_string(t.da) + "\" width=\"" +
           std::to_string(std::max<int64_t>(t.a - t.da, 1)) + "\" y=\"" +
           numero(quota_alto) + "\" height=\"" +
           numero(pendenza_alto + pendenza_altezza - quota_alto) + "\">";
    titolo(out, suggerimento(v, t.suggerimento, t.fonte, false, o.per_pagina));
    out += "</rect>";
  }
  if (v.quota.size() > 1) {
    std::string linea;
    for (size_t i = 0; i < v.quota.size(); ++i) {
      linea += (i == 0 ? "M" : "L") + std::to_string(v.quota[i].metri) + " " +
               numero(sv.y_quota(v.quota[i].quota));
    }
    out += "<path class=\"terreno\" d=\"" + linea + "V" +
           numero(quota_alto + quota_altezza) + "H0Z\"/>";
    out += "<path class=\"quota\" id=\"quota\" d=\"" + linea + "\"/>";
  }
  // The gradient band, one path per sense.
  std::string sale, scende, piatto;
  for (const tratto_costante& t : v.pendenze) {
    std::string& d = t.valore > 0 ? sale : t.valore < 0 ? scende : piatto;
    d += "M" + std::to_string(t.da) + " " + numero(pendenza_alto) + "H" +
         std::to_string(t.a) + "V" + numero(pendenza_alto + pendenza_altezza) + "H" +
         std::to_string(t.da) + "Z";
  }
  out += "<path class=\"sale\" d=\"" + sale + "\"/><path class=\"scende\" d=\"" + scende +
         "\"/><path class=\"piano\" d=\"" + piatto + "\"/>";
  // The speed limit as a step line, the slowdowns' lower limits over it.
  const auto gradini = [&](const std::vector<tratto_costante>& tt, auto y,
                           const char* classe, const char* id) {
    if (tt.empty()) return;
    std::string d;
    for (const tratto_costante& t : tt) {
      if (d.empty()) {
        d += 'M';
        d += std::to_string(t.da);
        d += ' ';
      } else {
        d += 'V';
      }
      d += numero(y(t.valore));
      d += 'H';
      d += std::to_string(t.a);
    }
    out +=
        "<path class=\"" + std::string(classe) + "\" id=\"" + id + "\" d=\"" + d + "\"/>";
  };
  gradini(
      v.velocita, [&](double kmh) { return sv.y_velocita(kmh); }, "linea", "velocita");
  std::string rallentamenti;
  for (const segno& g : v.segni) {
    if (g.tipo != tipo_segno::rallentamento) continue;
    rallentamenti += "M" + std::to_string(g.da) + " " + numero(sv.y_velocita(g.valore)) +
                     "H" + std::to_string(std::max(g.a, g.da + 50));
  }
  out += "<path class=\"ral\" id=\"rallentamenti\" d=\"" + rallentamenti + "\"/>";
  gradini(
      v.aderenza, [&](double a) { return sv.y_aderenza(a); }, "ader", "aderenza");
  if (v.lunghezza > 0 && v.lunghezza <= v.fine) {
    out += "<line class=\"fine\" x1=\"" + std::to_string(v.lunghezza) + "\" x2=\"" +
           std::to_string(v.lunghezza) + "\" y1=\"" + numero(corsie[0].alto) +
           "\" y2=\"" + numero(asse_alto) + "\"/>";
  }
  out += "</g>";

  valori(out, v, s, sv);

  // The marks, each at its metres.
  out += "<g id=\"segni\">";
  std::vector<etichetta_da_posare> nomi, cartelli, cippi;
  for (const segno& g : v.segni) {
    const corsia& c = corsia_di(g.tipo);
    const double y = c.alto + c.altezza / 2;
    const std::string tip =
        suggerimento(v, g.suggerimento, g.fonte, g.aggiunto, o.per_pagina);
    switch (g.tipo) {
      case tipo_segno::stazione:
        barra(out, s, g.da, g.a, c.alto + 16, 6, "staz", tip);
        nomi.push_back({g.valore, g.etichetta, g.priorita});
        break;
      case tipo_segno::fermata:
        usa(out, s, "p-fer", g.da, c.alto + 31, tip);
        break;
      case tipo_segno::segnale:
        usa(out, s, "p-sig", g.da, y, tip);
        break;
      case tipo_segno::rallentamento:
        barra(out, s, g.da, g.a, y - 3, 6, "barra-ral", tip);
        break;
      case tipo_segno::avviso:
        usa(out, s, "p-avv", g.da, y, tip);
        break;
      case tipo_segno::abbattimento:
        usa(out, s, "p-ab", g.da, y, tip, g.valore == 0 ? "zero" : nullptr);
        break;
      case tipo_segno::indicatori:
        usa(out, s, "p-ind", g.da, y, tip);
        break;
      case tipo_segno::cartello:
        usa(out, s, "p-car", g.da, c.alto + 7, tip);
        cartelli.push_back({g.da, g.etichetta, 0});
        break;
      case tipo_segno::reperto: {
        const char* classe = g.livello == severity::error   ? nullptr
                             : g.livello == severity::warning ? "avviso-rep"
                                                            : "nota-rep";
        const std::string x = numero(s.x(g.da));
        out += "<line class=\"rep-line\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" +
               numero(c.alto + c.altezza) + "\" y2=\"" + numero(asse_alto) +
               "\" data-m=\"" + std::to_string(g.da) + "\"/>";
        usa(out, s, "p-rep", g.da, y, tip, classe);
        break;
      }
      case tipo_segno::cippo:
        usa(out, s, "p-km", g.da, asse_alto + 28, tip);
        cippi.push_back({g.da, g.etichetta, g.priorita});
        break;
      case tipo_segno::passaggio:
        usa(out, s, "p-pas", g.da, asse_alto + 28, tip);
        cippi.push_back({g.da, g.etichetta, 1000});
        break;
    }
  }
  for (const etichetta_posata& e : posa_etichette(nomi, 10, 6)) {
    etichetta(out, s, e, corsie[0].alto + 11, "nome", 10);
  }
  for (const etichetta_posata& e : posa_etichette(cartelli, 8, 4)) {
    etichetta(out, s, e, corsie[5].alto + 24, "testo-car", 8);
  }
  for (const etichetta_posata& e : posa_etichette(cippi, 9, 6)) {
    etichetta(out, s, e, asse_alto + 40, "km", 9);
  }
  out += "</g></g>";

  // The cursor's hairline, moved by the script.
  out += "<line id=\"cursore\" class=\"h\" x1=\"0\" x2=\"0\" y1=\"" +
         numero(corsie[0].alto) + "\" y2=\"" + numero(asse_alto + 44) +
         "\" stroke=\"#000\" stroke-width=\".6\"/>";
  out += "</svg>";
  return out;
}
