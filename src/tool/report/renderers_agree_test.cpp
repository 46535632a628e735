// Findings rendered once and printed four ways: the text on the terminal,
// JSON, SARIF and the report page must say the same thing of each finding.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "scenario/scenario_state.h"
#include "tool/diagnostics/machine_report.h"
#include "tool/diagnostics/rendered.h"
#include "tool/diagnostics/text_report.h"
#include "tool/report/html_report.h"
#include "tool/report/route_view.h"

namespace {

// One finding as each printer tells it.
struct told {
  std::string severity, message, label, place;  // place "file:line:column" or ""
  std::vector<std::string> notes;               // "message @ file:line:column"
  bool operator==(const told&) const = default;
};

void PrintTo(const told& t, std::ostream* os) {
  *os << t.severity << " | " << t.message << " | " << t.label << " | " << t.place;
  for (const std::string& n : t.notes) *os << " | " << n;
}

std::vector<told> from_text(const std::string& text) {
  std::vector<told> out;
  const std::regex head(
      R"(^(?:(\S+:\d+:\d+)|scenario): (error|warning|note): (.*?)(?: \[([^\]]*)\])?$)");
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, head)) continue;
    if (m[2] == "note" && !out.empty()) {
      out.back().notes.push_back(m[3].str() + " @ " + m[1].str());
    } else {
      out.push_back({m[2], m[3], m[4], m[1], {}});
    }
  }
  return out;
}

std::string place_of(const nlohmann::json& l) {
  return l.is_null()
             ? ""
             : l["file"].get<std::string>() + ":" + std::to_string(l["line"].get<int>()) +
                   ":" + std::to_string(l["column"].get<int>());
}

std::vector<told> from_json(const std::string& text) {
  std::vector<told> out;
  const nlohmann::json j = nlohmann::json::parse(text);
  for (const auto& d : j["diagnostics"]) {
    told t{d["severity"], d["message"], "", place_of(d["location"]), {}};
    for (const auto& n : d["notes"])
      t.notes.push_back(n["message"].get<std::string>() + " @ " +
                        place_of(n["location"]));
    out.push_back(t);
  }
  return out;
}

// The file as its URI, which for these names is the name itself.
std::string place_of_sarif(const nlohmann::json& l) {
  const auto& r = l["physicalLocation"]["region"];
  return l["physicalLocation"]["artifactLocation"]["uri"].get<std::string>() + ":" +
         std::to_string(r["startLine"].get<int>()) + ":" +
         std::to_string(r["startColumn"].get<int>());
}

std::vector<told> from_sarif(const std::string& text) {
  std::vector<told> out;
  const auto s = nlohmann::json::parse(text);
  for (const auto& r : s["runs"][0]["results"]) {
    told t{r["level"],
           r["message"]["text"],
           "",
           r.contains("locations") ? place_of_sarif(r["locations"][0]) : "",
           {}};
    if (r.contains("relatedLocations")) {
      for (const auto& n : r["relatedLocations"])
        t.notes.push_back(n["message"]["text"].get<std::string>() + " @ " +
                          place_of_sarif(n));
    }
    out.push_back(t);
  }
  return out;
}

std::string unescape(std::string s) {
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{"&lt;", "<"},
                                                        {"&gt;", ">"},
                                                        {"&quot;", "\""},
                                                        {"&#39;", "'"},
                                                        {"&amp;", "&"}}) {
    for (size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + 1))
      s.replace(i, from.size(), to);
  }
  return s;
}

std::vector<told> from_page(const std::string& page) {
  std::vector<told> out;
  const size_t list = page.find("<ul class=\"reperti\">");
  if (list == std::string::npos) return out;
  const std::string items = page.substr(list, page.find("</ul>", list) - list);
  const std::regex item(
      R"(<li class="\w+">(?:<a [^>]*>)?(?:<code>([^<]*)</code>)?(?:</a>)? ?<span class="gravita">(\w+):</span> (.*?)(?: \[([^\]]*)\])?((?:<br/><span class="origine">.*?</span>)*)</li>)");
  const std::regex note(
      R"(<br/><span class="origine">(.*?): <code>([^<]*)</code></span>)");
  for (auto it = std::sregex_iterator(items.begin(), items.end(), item);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    told t{m[2], unescape(m[3]), unescape(m[4]), unescape(m[1]), {}};
    const std::string notes = m[5];
    for (auto n = std::sregex_iterator(notes.begin(), notes.end(), note);
         n != std::sregex_iterator(); ++n)
      t.notes.push_back(unescape((*n)[1]) + " @ " + unescape((*n)[2]));
    out.push_back(t);
  }
  return out;
}

TEST(Renderers, TextJsonSarifAndThePageTellTheSameFindings) {
  const std::string linea = "[generale]\r\npercorso_lunghezza,\t5000\r\n[fine]\r\n";
  const std::string treno =
      "[generale]\r\n"
      "stazione, 1000, 22, 300, 0,0,0,0,0,0,0,0,0,0,0,0,0, Alfa\r\n"
      "stazione, 1100, 22, 300, 0,0,0,0,0,0,0,0,0,0,0,0,0, Beta\r\n"
      "segnale, 3000, 2, 4\r\n"
      "segnale, 3010, 2, 4\r\n";
  const documenti_mostrati docs{{"a/L_linea.txt", linea}, {"L_T-.txt", treno}};
  const auto at = [&](documento d, std::string_view needle, uint32_t length) {
    const std::string& t = d == documento::linea ? linea : treno;
    return luogo{d, static_cast<uint32_t>(t.find(needle)), length};
  };
  std::vector<reperto> findings;
  reperto tab = nuovo_reperto(reperto_id::tabulazione, at(documento::linea, "\t", 1));
  findings.push_back(tab);
  reperto vicine = nuovo_reperto(reperto_id::stazioni_vicine,
                                 at(documento::treno, "stazione, 1100", 8));
  vicine.origine = at(documento::treno, "stazione, 1000", 8);
  vicine.ha_posizione = true;
  vicine.posizione = 1100;
  findings.push_back(vicine);
  reperto presa =
      nuovo_reperto(reperto_id::segnale_occupato, at(documento::treno, "3010", 4));
  presa.origine = at(documento::treno, "segnale, 3000", 7);
  presa.cella = 61;
  findings.push_back(presa);
  findings.push_back(nuovo_reperto(reperto_id::memoria_esaurita));

  scenario_state st;
  for (const bool werror : {false, true}) {
    regole_avvisi rules;
    rules.come_errori = werror;
    const std::vector<rendered_diagnostic> d = render_findings(findings, docs, st, rules);
    const std::vector<told> text = from_text(resa_testo(d, {}));
    ASSERT_EQ(text.size(), findings.size());
    // What the text says, checked on its own first.
    EXPECT_EQ(text[0].severity, werror ? "error" : "warning");
    EXPECT_EQ(text[0].label, werror ? "-Werror,-Wtab" : "-Wtab");
    EXPECT_EQ(text[0].place, "a/L_linea.txt:2:20");
    EXPECT_EQ(text[1].notes,
              std::vector<std::string>{"the previous station is here @ L_T-.txt:2:1"});
    EXPECT_EQ(text[2].notes,
              std::vector<std::string>{"the cell was first taken here @ L_T-.txt:4:1"});
    EXPECT_EQ(text[3].place, "");

    // JSON and SARIF carry no label; the page carries everything.
    std::vector<told> without_labels = text;
    for (told& t : without_labels) t.label.clear();
    EXPECT_EQ(from_json(resa_json(d)), without_labels) << "JSON";
    EXPECT_EQ(from_sarif(resa_sarif(d)), without_labels) << "SARIF";

    source_index sources(docs);
    const vista_percorso view = crea_vista(st, d, sources);
    contenuto_report page;
    page.linea = "L";
    page.treno = "T";
    page.documenti = &docs;
    page.diagnostiche = &d;
    page.st = &st;
    page.vista = &view;
    EXPECT_EQ(from_page(pagina_report(page)), text) << "page";
  }
}

// SARIF regions end where the span ends, on its own line or a later one.
TEST(Renderers, SarifRegionsCarryTheirEnd) {
  const std::string linea = "ab\ncd\n";
  const documenti_mostrati docs{{"L_linea.txt", linea}, {"T-.txt", ""}};
  scenario_state st;
  const std::vector<reperto> findings = {
      nuovo_reperto(reperto_id::riga_sconosciuta, {documento::linea, 1, 3}),
      nuovo_reperto(reperto_id::riga_sconosciuta, {documento::linea, 0, 2}),
      nuovo_reperto(reperto_id::riga_sconosciuta, {documento::linea, 6, 0})};
  const auto s = nlohmann::json::parse(resa_sarif(render_findings(findings, docs, st)));
  const auto& results = s["runs"][0]["results"];
  const auto region = [&](int i) {
    return results[i]["locations"][0]["physicalLocation"]["region"];
  };
  EXPECT_EQ(region(0),
            (nlohmann::json{
                {"startLine", 1}, {"startColumn", 2}, {"endLine", 2}, {"endColumn", 2}}));
  EXPECT_EQ(region(1),
            (nlohmann::json{
                {"startLine", 1}, {"startColumn", 1}, {"endLine", 1}, {"endColumn", 3}}));
  EXPECT_EQ(region(2), (nlohmann::json{{"startLine", 2}, {"startColumn", 3}}));
}

}  // namespace
