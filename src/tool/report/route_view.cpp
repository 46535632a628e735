#include "tool/report/route_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "base/rounding.h"
#include "format/cell_meaning.h"
#include "scenario/scenario_state.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/diagnostics/line_table.h"
#include "tool/diagnostics/source_rows.h"
#include "tool/platform/encoding.h"

namespace {

// A document's rows by keyword, made when first asked for.
struct documento_vista {
  source_index* sorgenti = nullptr;
  documento quale = documento::nessuno;
  std::optional<righe_sorgente> righe;

  const righe_sorgente& indice() {
    if (!righe) righe = indicizza_righe(quale, *sorgenti->lines(quale));
    return *righe;
  }
};

struct costruttore {
  const scenario_state& st;
  source_index& sorgenti;
  documento_vista linea;
  documento_vista treno;
  vista_percorso v;

  fonte_riga fonte(const luogo& l) {
    const uint32_t n = numero_riga(l);
    return n == 0 ? fonte_riga{} : fonte_riga{l.doc, n};
  }

  uint32_t numero_riga(const luogo& l) {
    const line_table* t = sorgenti.lines(l.doc);
    return t == nullptr ? 0 : t->point(l.inizio).line;
  }

  // A document's own name, without its folder.
  static std::string nome_proprio(const std::string& nome) {
    const size_t barra = nome.find_last_of('/');
    return barra == std::string::npos ? nome : nome.substr(barra + 1);
  }

  // The rows that set cell k's fields, where the build kept them.
  const provenienza_cella& provenienza(int64_t k) const {
    static const provenienza_cella nessuna;
    const std::vector<provenienza_cella>* p = st.provenienza;
    if (p == nullptr || k < 0 || static_cast<size_t>(k) >= p->size()) return nessuna;
    return (*p)[static_cast<size_t>(k)];
  }
  luogo origine(int64_t k) const { return provenienza(k).caratteristica; }

  // "40450 m, km 43.470".
  std::string posto(int64_t m) const {
    std::string out = std::to_string(m) + " m";
    if (std::optional<int64_t> km = progressiva_di(st.elementi, m)) {
      out += ", km " + formato_km(*km);
    }
    return out;
  }

  // The values of the feature on cell k, named as the reference names the
  // row's fields, on a line of their own.
  static std::string valori(const cella& c, size_t k) {
    const std::string v = testo_voci(dati_caratteristica(c, k));
    return v.empty() ? "" : "\n" + v;
  }

  void segni_delle_celle();
  void stazioni();
  void profili();
  void montagne();
  void progressive();
  void reperti(const std::vector<rendered_diagnostic>& diagnostiche);
};

void costruttore::segni_delle_celle() {
  const auto& p = st.percorso;
  for (size_t k = 0; k < p.size(); ++k) {
    const cella& c = p[k];
    if (libera(c)) continue;  // nothing, or a mountain's marker
    const int64_t m = static_cast<int64_t>(k) * metri_cella;
    const std::string dove = " \u2014 " + posto(m);
    const luogo da = origine(static_cast<int64_t>(k));
    segno s;
    s.da = s.a = m;
    switch (c.codice) {
      case codice_cella::segnale:
        s.tipo = tipo_segno::segnale;
        s.suggerimento = "Signal" + dove + valori(c, k);
        break;
      case codice_cella::inizio_rallentamento: {
        // Its end board: the next one from the same row (the one before
        // it, where the two share a cell, was overwritten by the start).
        size_t e = k;
        for (size_t j = k + 1; j < p.size(); ++j) {
          if (p[j].codice == codice_cella::fine_rallentamento && origine(j) == da) {
            e = j;
            break;
          }
        }
        s.tipo = tipo_segno::rallentamento;
        s.a = static_cast<int64_t>(e) * metri_cella;
        s.valore = c.dato_a;
        s.suggerimento = "Slowdown " + std::to_string(c.dato_a) + " km/h" + dove +
                         " to " + posto(s.a) + valori(c, k);
        break;
      }
      case codice_cella::avviso_rallentamento:
        s.tipo = tipo_segno::avviso;
        s.valore = c.dato_a;
        s.suggerimento = "Slowdown warning board " + std::to_string(c.dato_a) + " km/h" +
                         dove + valori(c, k);
        break;
      case codice_cella::indicatori_v_max:
        s.tipo = tipo_segno::indicatori;
        s.suggerimento = "Speed-limit boards" + dove + valori(c, k);
        break;
      case codice_cella::abbattimento:
      case codice_cella::abbattimento_nullo: {
        s.tipo = tipo_segno::abbattimento;
        s.valore = c.codice == codice_cella::abbattimento ? c.dato_a : 0;
        s.suggerimento = "Code point " + std::to_string(s.valore) + dove;
        // A code point the build added names the board or signal it serves.
        const provenienza_cella& fonti = provenienza(static_cast<int64_t>(k));
        s.aggiunto = fonti.completamento;
        if (fonti.valore_abbassato)
          s.suggerimento += "\nits value lowered to 180 by the build";
        break;
      }
      case codice_cella::cartello_indicatore:
        s.tipo = tipo_segno::cartello;
        if (c.dato_a >= 1 && c.dato_a <= slot::primo_cartello) {
          const std::string& nome = st.elementi[static_cast<size_t>(c.dato_a)].nome;
          s.etichetta = cp1252_a_utf8(nome);
        }
        s.suggerimento = "Indicator sign \u201c" + s.etichetta + "\u201d" + dove;
        break;
      default:
        continue;  // stop points come with their stations; markers with mountains
    }
    s.fonte = fonte(da);
    v.segni.push_back(std::move(s));
  }
}

void costruttore::stazioni() {
  // Signs take slots 80 down; stations fill slots 1 up to the first empty one.
  std::vector<bool> cartello(slot::primo_cartello + 1, false);
  std::map<int32_t, int64_t> fermate;  // station slot -> cell of its stop point
  for (size_t k = 0; k < st.percorso.size(); ++k) {
    const cella& c = st.percorso[k];
    if (c.codice == codice_cella::cartello_indicatore && c.dato_a >= 1 &&
        c.dato_a <= slot::primo_cartello) {
      cartello[static_cast<size_t>(c.dato_a)] = true;
    }
    if (c.codice == codice_cella::fermata) fermate[c.dato_a] = static_cast<int64_t>(k);
  }
  const std::vector<const riga_indicizzata*> righe =
      righe_con(treno.indice(), {riga_id::stazione});
  const elemento vuoto{};
  for (int32_t i = 1; i < slot::primo_cartello && !cartello[static_cast<size_t>(i)];
       ++i) {
    const elemento& e = st.elementi[static_cast<size_t>(i)];
    if (e == vuoto) break;
    segno s;
    s.tipo = tipo_segno::stazione;
    s.da = e.inizio;
    s.a = e.fine;
    s.etichetta = cp1252_a_utf8(e.nome);
    if (s.etichetta.empty()) s.etichetta = "station " + std::to_string(i);
    // The ends of the line and the longer stations keep their names first.
    s.priorita = (i == 1 ? 1000000 : 0) + (e.fine - e.inizio) + (e.tipo < 25 ? 1 : 0);
    s.valore = e.progressiva;
    s.suggerimento = "Station " + s.etichetta + " \u2014 " + posto(e.progressiva) +
                     "\ntipo " + std::to_string(e.tipo) + ", area " +
                     std::to_string(e.inizio) + " to " + std::to_string(e.fine) + " m";
    if (e.orario != 0) {
      char ora[32];
      std::snprintf(ora, sizeof ora, "%02d:%02d:%02d", e.orario / 3600,
                    e.orario / 60 % 60, e.orario % 60);
      s.suggerimento += ", time " + std::string(ora);
    }
    luogo l;
    auto f = fermate.find(i);
    if (f != fermate.end()) {
      l = origine(f->second);
      const int64_t m = f->second * metri_cella;
      segno fermata;
      fermata.tipo = tipo_segno::fermata;
      fermata.da = fermata.a = m;
      fermata.suggerimento = "Stop point of " + s.etichetta + " \u2014 " + posto(m);
      fermata.fonte = fonte(l);
      v.segni.push_back(std::move(fermata));
    }
    // Without a stop point the station is the i-th station row.
    if (!l.esiste() && static_cast<size_t>(i) <= righe.size() &&
        righe[static_cast<size_t>(i - 1)]->numero == e.progressiva) {
      l = righe[static_cast<size_t>(i - 1)]->riga;
    }
    s.fonte = fonte(l);
    v.segni.push_back(std::move(s));
  }
}

void costruttore::profili() {
  // The gradient, speed and adhesion fills reach cell numero_celle - 3.
  const int64_t celle = std::clamp<int64_t>(int64_t{st.numero_celle} - 2, 0,
                                            static_cast<int64_t>(st.percorso.size()));
  v.fine = celle * metri_cella;

  // Runs of equal value, each with the row whose value the fill carried
  // into its first cell.
  const auto tratti = [&](int64_t celle, auto valore, luogo provenienza_cella::*campo,
                          std::vector<tratto_costante>& out) {
    int64_t i = 0;
    while (i < celle) {
      int64_t j = i + 1;
      while (j < celle && valore(st.percorso[static_cast<size_t>(j)]) ==
                              valore(st.percorso[static_cast<size_t>(i)])) {
        ++j;
      }
      tratto_costante t;
      t.da = i * metri_cella;
      t.a = j * metri_cella;
      t.valore = valore(st.percorso[static_cast<size_t>(i)]);
      t.fonte = fonte(provenienza(i).*campo);
      out.push_back(std::move(t));
      i = j;
    }
  };
  tratti(
      celle, [](const cella& c) { return c.velocita * 5.0; },
      &provenienza_cella::velocita, v.velocita);
  tratti(
      celle, [](const cella& c) { return static_cast<double>(c.aderenza); },
      &provenienza_cella::aderenza, v.aderenza);
  // A gradient byte of 0 (-100 per mille) is a cell the fill never reached
  // (the reading stopped early): the elevation ends there.
  int64_t con_pendenza = 0;
  while (con_pendenza < celle &&
         st.percorso[static_cast<size_t>(con_pendenza)].pendenza != 0)
    ++con_pendenza;
  tratti(
      con_pendenza, [](const cella& c) { return c.pendenza - 100.0; },
      &provenienza_cella::pendenza, v.pendenze);

  double z = 0;
  v.quota.push_back({0, 0});
  for (const tratto_costante& t : v.pendenze) {
    z += t.valore * static_cast<double>(t.a - t.da) / 1000.0;
    v.quota.push_back({t.a, z});
  }
}

void costruttore::montagne() {
  for (int32_t j = 1;
       j <= st.numero_montagne && j < static_cast<int32_t>(st.montagna_inizio.size());
       ++j) {
    tratto_costante t;
    t.da = st.montagna_inizio[static_cast<size_t>(j)];
    t.a = st.montagna_fine[static_cast<size_t>(j)];
    const int64_t primo =
        static_cast<int64_t>(arrotonda(static_cast<double>(t.da) / metri_cella));
    const int64_t ultimo =
        static_cast<int64_t>(arrotonda(static_cast<double>(t.a) / metri_cella - 1));
    luogo l;
    for (int64_t k = std::max<int64_t>(primo, 0);
         k <= ultimo && k < static_cast<int64_t>(st.percorso.size()); ++k) {
      const cella& c = st.percorso[static_cast<size_t>(k)];
      if (t.valore == 0) t.valore = c.tipo_montagna;
      if (!l.esiste()) l = provenienza(k).montagna;
    }
    // The row's own tipo tells whether the type came with markers.
    std::optional<int64_t> tipo_riga;
    if (l.esiste()) {
      if (const line_table* righe = sorgenti.lines(l.doc)) {
        tipo_riga = valore_campo(righe->line(righe->point(l.inizio).line),
                                 tipo_di(riga_id::montagna), "tipo");
      }
    }
    t.suggerimento = "Mountain (tunnel), " +
                     testo_tipo_montagna(static_cast<int64_t>(t.valore), tipo_riga) +
                     ", from " + posto(t.da) + " to " + posto(t.a);
    t.fonte = fonte(l);
    v.montagne.push_back(std::move(t));
  }
}

void costruttore::progressive() {
  std::vector<int64_t> confini = {0, v.fine};
  for (int s : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const elemento& e = st.elementi[static_cast<size_t>(s)];
    if (e.inizio > 0 && e.inizio < v.fine) confini.push_back(e.inizio);
  }
  std::sort(confini.begin(), confini.end());
  confini.erase(std::unique(confini.begin(), confini.end()), confini.end());
  const std::vector<const riga_indicizzata*> righe = righe_con(
      linea.indice(),
      {riga_id::progressiva_uno, riga_id::progressiva_due, riga_id::progressiva_tre});
  for (size_t i = 0; i + 1 < confini.size(); ++i) {
    const int64_t da = confini[i], a = confini[i + 1];
    const std::optional<int64_t> km = progressiva_di(st.elementi, da);
    if (!km) continue;
    const std::optional<int64_t> dopo = progressiva_di(st.elementi, da + 1);
    campata_km c{da, a, *km, dopo && *dopo < *km ? -1 : 1};

    // Where this entry takes over.
    luogo l;
    for (const riga_indicizzata* r : righe) {
      if (r->numero == da) l = r->riga;
    }
    segno s;
    s.tipo = tipo_segno::passaggio;
    s.da = s.a = da;
    s.etichetta = "km " + formato_km(*km);
    const bool segue = !v.progressive.empty() && v.progressive.back().a == da;
    s.suggerimento =
        segue
            ? "Progressive hands over at " + std::to_string(da) + " m: km " +
                  formato_km(v.progressive.back().km_da +
                             v.progressive.back().verso *
                                 (da - v.progressive.back().da)) +
                  " \u2192 km " + formato_km(*km)
            : "Progressive starts at " + std::to_string(da) + " m: km " + formato_km(*km);
    s.suggerimento += c.verso > 0 ? ", rising" : ", falling";
    s.fonte = fonte(l);
    v.segni.push_back(s);

    // A post at every whole kilometre.
    const auto su_km = [](int64_t x) { return ((x % 1000) + 1000) % 1000; };
    int64_t m =
        c.verso > 0 ? da + (su_km(*km) == 0 ? 0 : 1000 - su_km(*km)) : da + su_km(*km);
    for (; m < a; m += 1000) {
      const int64_t n = (*km + c.verso * (m - da)) / 1000;
      segno p;
      p.tipo = tipo_segno::cippo;
      p.da = p.a = m;
      p.valore = static_cast<int32_t>(n);
      p.etichetta = std::to_string(n);
      p.priorita = n % 100 == 0  ? 5
                   : n % 50 == 0 ? 4
                   : n % 10 == 0 ? 3
                   : n % 5 == 0  ? 2
                                 : 1;
      p.suggerimento =
          "Kilometre post " + std::to_string(n) + " \u2014 " + std::to_string(m) + " m";
      v.segni.push_back(std::move(p));
    }
    v.progressive.push_back(c);
  }
}

void costruttore::reperti(const std::vector<rendered_diagnostic>& diagnostiche) {
  for (const rendered_diagnostic& d : diagnostiche) {
    const std::optional<int64_t>& m = d.metres;
    if (!m || *m < 0 || *m > v.fine) continue;
    segno s;
    s.tipo = tipo_segno::reperto;
    s.da = s.a = *m;
    s.livello = d.level;
    s.etichetta = "!";
    s.suggerimento = std::string(severity_word(d.level)) + ": " + d.message;
    if (!d.label.empty()) s.suggerimento += " [" + d.label + "]";
    if (d.place) s.fonte = fonte_riga{d.place->document, d.place->start.line};
    v.segni.push_back(std::move(s));
  }
}

}  // namespace

vista_percorso crea_vista(const scenario_state& st,
                          const std::vector<rendered_diagnostic>& diagnostiche,
                          source_index& sorgenti) {
  const documenti_mostrati& documenti = sorgenti.documents();
  costruttore c{st, sorgenti, {}, {}, {}};
  c.linea.sorgenti = &sorgenti;
  c.linea.quale = documento::linea;
  c.treno.sorgenti = &sorgenti;
  c.treno.quale = documento::treno;
  c.v.ha_percorso = st.percorso_creato();
  c.v.nome_linea = costruttore::nome_proprio(documenti.linea.nome);
  c.v.nome_treno = costruttore::nome_proprio(documenti.treno.nome);
  c.v.lunghezza = st.elementi[slot::dimensioni].fine;
  if (c.v.ha_percorso) {
    c.profili();
    c.progressive();
    c.montagne();
    c.stazioni();
    c.segni_delle_celle();
  }
  c.reperti(diagnostiche);
  return std::move(c.v);
}

vista_percorso crea_vista(const scenario_state& st, const std::vector<reperto>& reperti,
                          const documenti_mostrati& documenti,
                          const regole_avvisi& regole) {
  source_index sorgenti(documenti);
  const diagnostic_renderer renderer(sorgenti, st, regole);
  return crea_vista(st, renderer.render(reperti), sorgenti);
}

std::string suggerimento(const vista_percorso& v, const std::string& testo,
                         const fonte_riga& f, bool aggiunto, bool breve) {
  if (!f.esiste()) return testo;
  std::string out = testo + (aggiunto ? "\nadded by the build for " : "\n");
  if (breve) {
    out += f.doc == documento::linea ? "L:" : "T:";
  } else {
    out += (f.doc == documento::linea ? v.nome_linea : v.nome_treno) + ":";
  }
  return out + std::to_string(f.numero);
}
