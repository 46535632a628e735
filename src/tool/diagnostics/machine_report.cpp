#include "tool/diagnostics/machine_report.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "scenario/scenario_state.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/diagnostics/line_table.h"
#include "tool/diagnostics/message.h"
#include "tool/platform/encoding.h"
#include "tool/platform/system.h"

using json = nlohmann::ordered_json;

namespace {

// A place as lines and columns of its document. The end is the byte after
// the span (the start for an empty span).
struct posizione {
  std::string file;
  bool ha_testo = false;
  punto_testo inizio, fine;
  uint32_t offset = 0, lunghezza = 0;
};

struct indici {
  const documenti_mostrati& documenti;
  std::optional<tabella_righe> linea, treno;

  std::optional<posizione> di(const luogo& l) {
    const documento_mostrato* d = documenti.di(l.doc);
    if (d == nullptr) return std::nullopt;
    posizione p;
    p.file = utf8_valido(d->nome);
    p.offset = l.inizio;
    p.lunghezza = l.lunghezza;
    std::optional<tabella_righe>& t = l.doc == documento::linea ? linea : treno;
    if (!t) t = crea_tabella_righe(d->testo);
    p.ha_testo = true;
    p.inizio = punto_di(*t, d->testo, l.inizio);
    p.fine = punto_di(*t, d->testo, l.inizio + l.lunghezza);
    return p;
  }
};

json luogo_json(const posizione& p) {
  return {{"file", p.file},
          {"line", p.inizio.riga},
          {"column", p.inizio.colonna},
          {"end_line", p.fine.riga},
          {"end_column", p.fine.colonna},
          {"offset", p.offset},
          {"length", p.lunghezza}};
}

std::string_view livello_sarif(gravita g) {
  switch (g) {
    case gravita::errore:
      return "error";
    case gravita::avviso:
      return "warning";
    case gravita::nota:
      break;
  }
  return "note";
}

json fisica(const posizione& p) {
  json region = {{"startLine", p.inizio.riga}, {"startColumn", p.inizio.colonna}};
  // A span on one line ends at its end column; a longer one at its start
  // line's end is not known here, so only the start is given.
  if (p.fine.riga == p.inizio.riga && p.fine.colonna > p.inizio.colonna) {
    region["endColumn"] = p.fine.colonna;
  }
  return {{"physicalLocation",
           {{"artifactLocation", {{"uri", uri_di(p.file)}}}, {"region", region}}}};
}

}  // namespace

std::string uri_di(const std::string& percorso) {
  static const char* cifre = "0123456789ABCDEF";
  // A URI separates folders with '/' whatever the system's separator; a path
  // from a drive ("C:\x") becomes a file URI, its colon kept.
  const bool unita =
      percorso.size() >= 3 && percorso[1] == ':' && root_length(percorso) == 3;
  std::string out = unita ? "file:///" : "";
  for (size_t i = 0; i < percorso.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(percorso[i]);
    const bool libero = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                        c == '~' || (unita && i == 1);
    if (path_separators().find(static_cast<char>(c)) != std::string_view::npos) {
      out += '/';
    } else if (libero) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += cifre[c >> 4];
      out += cifre[c & 15];
    }
  }
  return out;
}

std::string resa_json(const std::vector<reperto>& reperti,
                      const documenti_mostrati& documenti, const scenario_state& st,
                      const regole_avvisi& regole, const conteggio_reperti& omessi) {
  indici ix{documenti, {}, {}};
  json lista = json::array();
  for (const reperto& r : reperti) {
    const descrizione_reperto& d = descrivi(r.id);
    const std::optional<posizione> p = ix.di(r.dove);
    json j = {{"severity", parola_gravita(gravita_mostrata(r, regole))},
              {"name", d.nome},
              {"code", d.codice},
              {"message",
               utf8_valido(componi_messaggio(r, st.elementi, p ? p->inizio.riga : 0))}};
    if (p) {
      j["location"] = luogo_json(*p);
    } else {
      j["location"] = nullptr;
    }
    if (r.cella >= 0) j["cell"] = r.cella;
    if (const std::optional<int64_t> m = metri_di(r)) {
      j["metres"] = *m;
      if (const std::optional<int64_t> km = progressiva_di(st.elementi, *m))
        j["km"] = formato_km(*km);
    }
    json note = json::array();
    if (const std::optional<posizione> o = ix.di(r.origine)) {
      note.push_back({{"message", testo_nota(r)}, {"location", luogo_json(*o)}});
    }
    j["notes"] = note;
    lista.push_back(j);
  }
  const conteggio_reperti c = conta_reperti(reperti, regole);
  json out = {{"version", 1},
              {"diagnostics", lista},
              {"errors", c.errori + omessi.errori},
              {"warnings", c.avvisi + omessi.avvisi}};
  if (omessi.errori + omessi.avvisi > 0)
    out["not_shown"] = {{"errors", omessi.errori}, {"warnings", omessi.avvisi}};
  return out.dump(2) + "\n";
}

std::string resa_sarif(const std::vector<reperto>& reperti,
                       const documenti_mostrati& documenti, const scenario_state& st,
                       const regole_avvisi& regole, const conteggio_reperti& omessi) {
  json rules = json::array();
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
    json regola = {{"id", d.nome},
                   {"shortDescription", {{"text", std::string(d.messaggio)}}},
                   {"fullDescription", {{"text", std::string(d.spiegazione)}}},
                   {"defaultConfiguration", {{"level", livello_sarif(d.livello)}}}};
    if (d.codice != 0) regola["properties"] = {{"statusCode", d.codice}};
    rules.push_back(regola);
  }
  indici ix{documenti, {}, {}};
  json results = json::array();
  for (const reperto& r : reperti) {
    const std::optional<posizione> p = ix.di(r.dove);
    json risultato = {{"ruleId", descrivi(r.id).nome},
                      {"ruleIndex", static_cast<size_t>(r.id)},
                      {"level", livello_sarif(gravita_mostrata(r, regole))},
                      {"message",
                       {{"text", utf8_valido(componi_messaggio(
                                     r, st.elementi, p ? p->inizio.riga : 0))}}}};
    if (p) risultato["locations"] = json::array({fisica(*p)});
    if (const std::optional<posizione> o = ix.di(r.origine)) {
      json nota = fisica(*o);
      nota["id"] = 0;
      nota["message"] = {{"text", testo_nota(r)}};
      risultato["relatedLocations"] = json::array({nota});
    }
    results.push_back(risultato);
  }
  json out = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
              {"version", "2.1.0"},
              {"runs", json::array({{{"tool",
                                      {{"driver",
                                        {{"name", "scenario"},
                                         {"version", SCENARIO_VERSION},
                                         {"rules", rules}}}}},
                                     {"columnKind", "utf16CodeUnits"},
                                     {"results", results}}})}};
  if (omessi.errori + omessi.avvisi > 0) {
    out["runs"][0]["properties"] = {
        {"notShown", {{"errors", omessi.errori}, {"warnings", omessi.avvisi}}}};
  }
  return out.dump(2) + "\n";
}
