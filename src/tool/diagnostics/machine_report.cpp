#include "tool/diagnostics/machine_report.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "tool/platform/encoding.h"
#include "tool/platform/system.h"

using json = nlohmann::ordered_json;

namespace {

json luogo_json(const rendered_place& p) {
  return {{"file", utf8_valido(p.file)}, {"line", p.start.line},
          {"column", p.start.column},    {"end_line", p.end.line},
          {"end_column", p.end.column},  {"offset", p.offset},
          {"length", p.length}};
}

json fisica(const rendered_place& p) {
  json region = {{"startLine", p.start.line}, {"startColumn", p.start.column}};
  // A span that is not empty ends where it ends, on its line or a later one.
  if (p.end.line > p.start.line ||
      (p.end.line == p.start.line && p.end.column > p.start.column)) {
    region["endLine"] = p.end.line;
    region["endColumn"] = p.end.column;
  }
  return {{"physicalLocation",
           {{"artifactLocation", {{"uri", uri_di(utf8_valido(p.file))}}},
            {"region", region}}}};
}

}  // namespace

std::string uri_di(const std::string& percorso) {
  static const char* cifre = "0123456789ABCDEF";
  // A URI separates folders with '/' whatever the system's separator. An
  // absolute path becomes a file URI ("/tmp/x" file:///tmp/x, "C:\x"
  // file:///C:/x, the drive's colon kept); any other stays a relative
  // reference.
  const bool unita =
      percorso.size() >= 3 && percorso[1] == ':' && root_length(percorso) == 3;
  std::string out = !absolute_path(percorso) ? "" : unita ? "file:///" : "file://";
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

std::string resa_json(const std::vector<rendered_diagnostic>& diagnostiche,
                      const conteggio_reperti& omessi) {
  json lista = json::array();
  for (const rendered_diagnostic& d : diagnostiche) {
    json j = {{"severity", severity_word(d.level)},
              {"name", d.name},
              {"code", d.code},
              {"message", utf8_valido(d.message)}};
    j["location"] = d.place ? luogo_json(*d.place) : json(nullptr);
    if (d.cell >= 0) j["cell"] = d.cell;
    if (d.metres) {
      j["metres"] = *d.metres;
      if (!d.km.empty()) j["km"] = d.km;
    }
    json note = json::array();
    for (const rendered_note& n : d.notes) {
      if (n.place)
        note.push_back({{"message", n.message}, {"location", luogo_json(*n.place)}});
    }
    j["notes"] = note;
    lista.push_back(j);
  }
  const conteggio_reperti c = count(diagnostiche);
  json out = {{"version", 1},
              {"diagnostics", lista},
              {"errors", c.errori + omessi.errori},
              {"warnings", c.avvisi + omessi.avvisi}};
  if (omessi.errori + omessi.avvisi > 0)
    out["not_shown"] = {{"errors", omessi.errori}, {"warnings", omessi.avvisi}};
  return out.dump(2) + "\n";
}

std::string resa_sarif(const std::vector<rendered_diagnostic>& diagnostiche,
                       const conteggio_reperti& omessi) {
  json rules = json::array();
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    const descrizione_reperto& d = descrivi(static_cast<reperto_id>(i));
    json regola = {
        {"id", d.nome},
        {"shortDescription", {{"text", std::string(d.messaggio)}}},
        {"fullDescription", {{"text", std::string(d.spiegazione)}}},
        {"defaultConfiguration", {{"level", severity_word(livello_predefinito(d))}}}};
    if (d.codice != 0) regola["properties"] = {{"statusCode", d.codice}};
    rules.push_back(regola);
  }
  json results = json::array();
  for (const rendered_diagnostic& d : diagnostiche) {
    json risultato = {{"ruleId", d.name},
                      {"ruleIndex", static_cast<size_t>(d.id)},
                      {"level", severity_word(d.level)},
                      {"message", {{"text", utf8_valido(d.message)}}}};
    if (d.place) risultato["locations"] = json::array({fisica(*d.place)});
    json correlati = json::array();
    for (const rendered_note& n : d.notes) {
      if (!n.place) continue;
      json nota = fisica(*n.place);
      nota["id"] = correlati.size();
      nota["message"] = {{"text", n.message}};
      correlati.push_back(nota);
    }
    if (!correlati.empty()) risultato["relatedLocations"] = correlati;
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
