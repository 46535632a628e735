// One fuzz case of the tool's diagnostics: whatever the documents hold,
// every finding points inside its document (its line and column exist, and
// are where its byte offset lies, counted here afresh), the text form quotes
// the document's own line, and the text, JSON and SARIF forms are
// well-formed and say the same: the same findings in the same order, with
// the same severities, messages, places and notes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tool/diagnostics/machine_report.h"
#include "tool/diagnostics/text_report.h"
#include "tool/platform/encoding.h"
#include "tool_case.h"

namespace diagnostics_check {

// Lines and columns (1-based, bytes), lines ending at CR LF, a lone CR or
// a lone LF: counted here without the tool's line table.
struct posto {
  uint32_t riga = 1, colonna = 1;
};

struct righe_documento {
  std::string_view testo;
  std::vector<size_t> inizi{0};  // where each line starts
  std::vector<size_t> fini;      // where its text ends (its line end or the end)

  explicit righe_documento(std::string_view t) : testo(t) {
    for (size_t i = 0; i < t.size(); ++i) {
      if (t[i] != '\r' && t[i] != '\n') continue;
      fini.push_back(i);
      if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
      // A line end at the very end opens no further line.
      if (i + 1 < t.size()) inizi.push_back(i + 1);
    }
    if (fini.size() < inizi.size()) fini.push_back(t.size());
  }

  // The place of byte `offset`; one inside a line end or past the document
  // stands just past its line's text.
  posto di(uint64_t offset) const {
    const size_t r = static_cast<size_t>(
        std::upper_bound(inizi.begin(), inizi.end(), offset) - inizi.begin() - 1);
    return {static_cast<uint32_t>(r + 1),
            static_cast<uint32_t>(std::min<uint64_t>(offset, fini[r]) - inizi[r] + 1)};
  }

  std::string_view riga(uint32_t n) const {
    return testo.substr(inizi[n - 1], fini[n - 1] - inizi[n - 1]);
  }
};

// How the terminal shows `riga`: UTF-8, a tab up to the next stop of 8,
// control characters as U+FFFD. Also the column the first `fino` bytes take.
inline std::string mostrata(std::string_view riga, size_t fino, size_t& colonna_fino) {
  std::vector<std::string> colonne;  // one character a column
  colonna_fino = 0;
  for (size_t i = 0; i < riga.size(); ++i) {
    if (i == fino) colonna_fino = colonne.size();
    const unsigned char b = static_cast<unsigned char>(riga[i]);
    if (b == '\t') {
      colonne.resize(colonne.size() + 8 - colonne.size() % 8, " ");
      continue;
    }
    std::string c;
    aggiungi_utf8(c, b < 0x20 || b == 0x7F ? U'\uFFFD' : da_cp1252(b));
    colonne.push_back(c);
  }
  if (fino >= riga.size()) colonna_fino = colonne.size();
  // A line wider than 200 columns: the 200 around the caret (100 before it
  // where there are), "…" for each side cut off.
  size_t da = 0, a = colonne.size();
  if (colonne.size() > 200) {
    da = std::min(colonna_fino > 100 ? colonna_fino - 100 : 0, colonne.size() - 200);
    a = da + 200;
  }
  std::string out = da > 0 ? "\u2026" : "";
  for (size_t c = da; c < a; ++c) out += colonne[c];
  if (a < colonne.size()) out += "\u2026";
  colonna_fino = colonna_fino - da + (da > 0 ? 1 : 0);
  return out;
}

inline std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> out;
  std::istringstream in(testo);
  for (std::string r; std::getline(in, r);) out.push_back(r);
  return out;
}

inline std::vector<std::string> run_case(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  auto fail = [&](const std::string& what) { problems.push_back(what); };
  build_check::fuzz_case f;
  opzioni_build o;
  costruzione_in_memoria c;
  if (!tool_case::costruisci(data, size, f, o, c))
    return {tool_case::senza_identificativi};
  const documenti_mostrati docs = c.documenti(o);
  const righe_documento righe_linea(docs.linea.testo), righe_treno(docs.treno.testo);
  auto righe_di = [&](documento d) -> const righe_documento& {
    return d == documento::linea ? righe_linea : righe_treno;
  };

  const std::vector<rendered_diagnostic> resi =
      render_findings(c.reperti, docs, c.st, c.regole);
  const std::string testo = resa_testo(resi, {false});
  nlohmann::json j, s;
  try {
    j = nlohmann::json::parse(resa_json(resi));
    s = nlohmann::json::parse(resa_sarif(resi));
  } catch (const std::exception& e) {
    return {std::string("JSON or SARIF not made or not well-formed: ") + e.what()};
  }
  const nlohmann::json& diag = j.at("diagnostics");
  const nlohmann::json& results = s.at("runs").at(0).at("results");
  if (diag.size() != c.reperti.size() || results.size() != c.reperti.size()) {
    return {"findings " + std::to_string(c.reperti.size()) + ", JSON " +
            std::to_string(diag.size()) + ", SARIF " + std::to_string(results.size())};
  }
  const conteggio_reperti n = conta_reperti(c.reperti, c.regole);
  if (j.at("errors") != n.errori || j.at("warnings") != n.avvisi) fail("JSON counts");

  const std::vector<std::string> linee = righe(testo);
  size_t k = 0;  // the next line of the text form
  const std::string riepilogo_atteso = riepilogo(n);
  // One block of the text form: the header, then the quoted line and the
  // caret where there is a place.
  auto blocco = [&](const luogo& l, std::string_view livello,
                    const std::string& messaggio, const std::string& dove_in_json) {
    const documento_mostrato* d = docs.di(l.doc);
    std::string atteso;
    if (d != nullptr) {
      const posto p = righe_di(l.doc).di(l.inizio);
      atteso =
          d->nome + ":" + std::to_string(p.riga) + ":" + std::to_string(p.colonna) + ": ";
    } else {
      atteso = "scenario: ";
    }
    atteso += std::string(livello) + ": " + messaggio;
    if (k >= linee.size() || linee[k].compare(0, atteso.size(), atteso) != 0) {
      fail(dove_in_json + ": text line " + std::to_string(k + 1) + " is not '" + atteso +
           "'");
      return false;
    }
    ++k;
    if (d == nullptr) return true;
    const posto p = righe_di(l.doc).di(l.inizio);
    size_t colonna = 0;
    const std::string riga =
        mostrata(righe_di(l.doc).riga(p.riga), p.colonna - 1, colonna);
    std::string numero = std::to_string(p.riga);
    const size_t larghezza = std::max<size_t>(5, numero.size());
    const std::string quota =
        std::string(larghezza - numero.size(), ' ') + numero + " | ";
    if (k + 1 >= linee.size() || linee[k] != quota + riga) {
      fail(dove_in_json + ": the quoted line is not line " + numero + " of " + d->nome);
      return false;
    }
    const std::string caret =
        std::string(larghezza, ' ') + " | " + std::string(colonna, ' ') + "^";
    if (linee[k + 1].compare(0, caret.size(), caret) != 0)
      fail(dove_in_json + ": the caret is not under column " + std::to_string(p.colonna));
    k += 2;
    return true;
  };

  for (size_t i = 0; i < c.reperti.size(); ++i) {
    const reperto& r = c.reperti[i];
    const nlohmann::json& dj = diag[i];
    const nlohmann::json& sj = results[i];
    const std::string dove =
        "finding " + std::to_string(i) + " (" + std::string(descrivi(r.id).nome) + ")";
    // Every place inside its document.
    for (const luogo* l : {&r.dove, &r.riga, &r.origine}) {
      if (!l->esiste()) continue;
      const documento_mostrato* d = docs.di(l->doc);
      if (d == nullptr) {
        fail(dove + ": a place in no document");
      } else if (uint64_t{l->inizio} + l->lunghezza > d->testo.size()) {
        fail(dove + ": a span past the end of " + d->nome);
      }
    }
    if (!problems.empty()) return problems;

    const std::string livello(severity_word(severity_shown(r, c.regole)));
    const std::string messaggio = dj.at("message");
    if (dj.at("severity") != livello || sj.at("level") != livello)
      fail(dove + ": severity");
    if (sj.at("message").at("text") != messaggio) fail(dove + ": SARIF message");
    if (dj.at("name") != descrivi(r.id).nome || sj.at("ruleId") != descrivi(r.id).nome)
      fail(dove + ": name");

    if (const documento_mostrato* d = docs.di(r.dove.doc)) {
      const posto a = righe_di(r.dove.doc).di(r.dove.inizio);
      const posto b = righe_di(r.dove.doc).di(uint64_t{r.dove.inizio} + r.dove.lunghezza);
      const nlohmann::json& lj = dj.at("location");
      if (lj.at("file") != d->nome || lj.at("line") != a.riga ||
          lj.at("column") != a.colonna || lj.at("end_line") != b.riga ||
          lj.at("end_column") != b.colonna)
        fail(dove + ": JSON location " + lj.dump() + ", counted " +
             std::to_string(a.riga) + ":" + std::to_string(a.colonna));
      const nlohmann::json& region =
          sj.at("locations").at(0).at("physicalLocation").at("region");
      if (region.at("startLine") != a.riga || region.at("startColumn") != a.colonna)
        fail(dove + ": SARIF region " + region.dump());
      // A span that is not empty gives its end, on its line or a later one.
      const bool fine = b.riga > a.riga || (b.riga == a.riga && b.colonna > a.colonna);
      if (fine ? (region.value("endLine", 0u) != b.riga ||
                  region.value("endColumn", 0u) != b.colonna)
               : (region.contains("endLine") || region.contains("endColumn")))
        fail(dove + ": SARIF end " + region.dump());
    } else if (!dj.at("location").is_null() || sj.contains("locations")) {
      fail(dove + ": a location for a finding without a place");
    }
    if (!blocco(r.dove, livello, messaggio, dove)) return problems;

    // The notes: at the row that took the cell (or the like), then at the
    // error where the build stops, for an error found by reading on.
    std::vector<const luogo*> note;
    for (const luogo* l : {&r.origine, &r.dopo_errore}) {
      if (l->esiste()) note.push_back(l);
    }
    if (dj.at("notes").size() != note.size() ||
        sj.contains("relatedLocations") != !note.empty() ||
        (!note.empty() && sj.at("relatedLocations").size() != note.size())) {
      fail(dove + ": notes");
      return problems;
    }
    for (size_t n = 0; n < note.size(); ++n) {
      const nlohmann::json& nj = dj.at("notes").at(n);
      const posto a = righe_di(note[n]->doc).di(note[n]->inizio);
      const nlohmann::json& rel = sj.at("relatedLocations").at(n);
      if (nj.at("location").at("line") != a.riga ||
          nj.at("location").at("column") != a.colonna ||
          rel.at("physicalLocation").at("region").at("startLine") != a.riga ||
          rel.at("message").at("text") != nj.at("message"))
        fail(dove + ": the note's place");
      if (!blocco(*note[n], "note", nj.at("message"), dove + " note")) return problems;
    }
  }
  // The first error shown is the one the build's status comes from, as
  // the one-shot program records it.
  if (c.st.codice_errore != 0) {
    for (const reperto& r : c.reperti) {
      if (severity_shown(r, c.regole) != severity::error) continue;
      if (descrivi(r.id).codice != c.st.codice_errore) {
        fail("the first error is " + std::string(descrivi(r.id).nome) +
             ", not one of status " + std::to_string(c.st.codice_errore));
      }
      break;
    }
  }
  const bool finito = riepilogo_atteso.empty()
                          ? k == linee.size()
                          : k + 1 == linee.size() && linee[k] + "\n" == riepilogo_atteso;
  if (!finito)
    fail("the text form does not end with the summary '" + riepilogo_atteso + "'");
  return problems;
}

}  // namespace diagnostics_check
