#include "tool/diagnostics/explanation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

#include "reader/keywords.h"
#include "reader/row_kinds.h"
#include "scenario/findings.h"
#include "tool/diagnostics/message.h"
#include "tool/diagnostics/selection.h"

namespace {

constexpr size_t numero_reperti = static_cast<size_t>(reperto_id::numero);

const descrizione_reperto& reperto_n(size_t i) {
  return descrivi(static_cast<reperto_id>(i));
}

std::string minuscole(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Holes of a message as the author reads them in an explanation.
std::string senza_buchi(std::string_view modello) {
  return riempi_modello(modello, [](std::string_view buco) -> std::string {
    if (buco == "km" || buco == "suggerimento" || buco == "altre") return "";  // optional
    if (buco == "metri") return "<metres> m";
    if (buco == "perche") return "";
    if (buco == "cella_e_metri") return "cell <cell> at <metres> m";
    // The holes by what they hold, in the words of the messages.
    static constexpr std::pair<std::string_view, std::string_view> nomi[] = {
        {"cella", "cell"},
        {"valore", "value"},
        {"limite", "limit"},
        {"riga", "line"},
        {"riga_nota", "line"},
        {"testo", "text"},
        {"parola", "keyword"},
        {"campo", "field"},
        {"motivo", "reason"},
        {"sezione", "where it is read"},
        {"caratteristica", "feature"},
        {"valore_campo", "value"}};
    for (const auto& [buco_nome, parola] : nomi) {
      if (buco == buco_nome) return std::string("<").append(parola).append(">");
    }
    return std::string("<").append(buco).append(">");
  });
}

// `testo` in lines of at most `larghezza` characters, each indented by two.
std::string a_capo(std::string_view testo, size_t larghezza = 76) {
  std::string out, riga;
  size_t i = 0;
  while (i < testo.size()) {
    const size_t spazio = testo.find(' ', i);
    const std::string_view parola = testo.substr(
        i, spazio == std::string_view::npos ? std::string_view::npos : spazio - i);
    if (!riga.empty() && riga.size() + 1 + parola.size() > larghezza) {
      out += "  " + riga + "\n";
      riga.clear();
    }
    if (!riga.empty()) riga += ' ';
    riga += parola;
    if (spazio == std::string_view::npos) break;
    i = spazio + 1;
  }
  if (!riga.empty()) out += "  " + riga + "\n";
  return out;
}

// The lines of a finding's example.
std::vector<std::string_view> righe_esempio(std::string_view esempio) {
  std::vector<std::string_view> out;
  size_t inizio = 0;
  while (!esempio.empty() && inizio <= esempio.size()) {
    const size_t fine = esempio.find('\n', inizio);
    out.push_back(esempio.substr(inizio, fine - inizio));
    if (fine == std::string_view::npos) break;
    inizio = fine + 1;
  }
  return out;
}

std::string spiega_reperto(const descrizione_reperto& d) {
  std::string out(d.nome);
  out += " (" + std::string(severity_word(livello_predefinito(d)));
  if (d.errore_predefinito) out += " by default";
  const int32_t numero = numero_reperto(d.id);
  if (d.codice != 0) {
    out += ", status " + std::to_string(d.codice);
  } else if (numero != 0) {
    out += ", error box " + std::to_string(numero);
  }
  if (d.livello == severity::warning) out += ", -W" + std::string(d.nome);
  out += ")\n" + a_capo(senza_buchi(d.messaggio)) + "\n" + a_capo(d.spiegazione);
  if (!d.esempio.empty()) {
    out += "\n  For example:\n";
    for (std::string_view r : righe_esempio(d.esempio))
      out.append("    ").append(r).append("\n");
  }
  return out + "\n";
}

// The keyword of a row as the built-in documents spell it.
std::string_view parola_di(const tipo_riga& t) {
  return parole_chiave()[static_cast<size_t>(t.parola)].parola;
}

// The kind of row a line of an example is read as, by the reader's own
// keyword test on its first field; null for a line that is no row (a
// section line, a remark in brackets).
const tipo_riga* tipo_della_riga(std::string_view riga) {
  const std::string_view campo = riga.substr(0, riga.find(','));
  if (campo.empty() || campo.front() == '(' || campo.front() == '[') return nullptr;
  for (const tipo_riga& t : tipi_riga) {
    if (corrisponde(campo, t)) return &t;
  }
  return nullptr;
}

// The row a word names: a keyword as the documents spell it, or a row's
// single word ("curva"), letter case aside.
const tipo_riga* tipo_per_parola(std::string_view parola) {
  const std::string p = minuscole(parola);
  bool parola_nota = false;
  for (const parola_chiave_riga& k : parole_chiave()) parola_nota |= k.parola == p;
  for (const tipo_riga& t : tipi_riga) {
    if (!parola_nota && !(t.parola_b.empty() && t.parola_a == p)) continue;
    if (corrisponde_nc(p, t)) return &t;
  }
  return nullptr;
}

std::string spiega_riga(const tipo_riga& t) {
  const std::string_view parola = parola_di(t);
  std::string out(parola);
  out += " (a row of " +
         std::string(t.sezione == sezione_riga::treno ? "the train source"
                                                      : "the line source") +
         ")\n";
  std::string chi =
      "Recognised by a first field that holds \"" + std::string(t.parola_a) + "\"";
  if (!t.parola_b.empty()) chi += " and \"" + std::string(t.parola_b) + "\"";
  chi += t.solo_minuscole ? ", in lower case only." : ", in any letter case.";
  out += a_capo(chi + " Read only in " + std::string(nome_sezione(t.sezione)) + ".");

  // Rows of this kind in the findings' examples: the first for an example,
  // and every finding whose example holds one.
  std::string esempio_da, esempio;
  std::vector<std::string_view> reperti;
  for (size_t i = 0; i < numero_reperti; ++i) {
    const descrizione_reperto& d = reperto_n(i);
    for (std::string_view r : righe_esempio(d.esempio)) {
      if (tipo_della_riga(r) != &t) continue;
      if (esempio.empty()) {
        esempio_da = d.nome;
        esempio = r;
      }
      reperti.push_back(d.nome);
      break;
    }
  }
  if (!esempio.empty()) {
    out += "\n  As in the example of " + esempio_da + ":\n    " + esempio + "\n";
  }
  if (!reperti.empty()) {
    std::string lista;
    for (std::string_view n : reperti)
      lista += (lista.empty() ? "" : ", ") + std::string(n);
    out += "\n  Findings whose example holds this row:\n" + a_capo(lista + ".");
  }
  return out + "\n";
}

}  // namespace

std::string indice_spiegazioni() {
  std::string out =
      "Every finding the tool reports, by name (status code in brackets):\n";
  for (size_t i = 0; i < numero_reperti; ++i) {
    const descrizione_reperto& d = reperto_n(i);
    char riga[128];
    std::snprintf(riga, sizeof riga, "  %-40s %-8s", std::string(d.nome).c_str(),
                  std::string(severity_word(livello_predefinito(d))).c_str());
    out += riga;
    if (const int32_t n = numero_reperto(d.id); n != 0)
      out += " [" + std::to_string(n) + "]";
    out += "\n";
  }
  std::string parole;
  for (const tipo_riga& t : tipi_riga)
    parole += (parole.empty() ? "" : ", ") + std::string(parola_di(t));
  out += "\nThe rows of the documents, by keyword:\n" + a_capo(parole + ".");
  out +=
      "\n'scenario explain NAME', 'scenario explain CODE' or 'scenario explain KEYWORD' "
      "tells more.\n";
  return out;
}

std::optional<std::string> spiegazione(std::string_view parola) {
  std::string out;
  const bool numerico = !parola.empty() && parola.size() <= 9 &&
                        parola.find_first_not_of("0123456789") == std::string_view::npos;
  const std::string_view nome = parola.starts_with("-W") ? parola.substr(2) : parola;
  for (size_t i = 0; i < numero_reperti; ++i) {
    const descrizione_reperto& d = reperto_n(i);
    const int32_t n = numero_reperto(d.id);
    if ((numerico && n != 0 && std::to_string(n) == parola) || d.nome == nome)
      out += spiega_reperto(d);
  }
  if (out.empty() && !numerico) {
    if (const tipo_riga* t = tipo_per_parola(parola)) out = spiega_riga(*t);
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::string nome_vicino(std::string_view parola) {
  const std::string p = minuscole(parola);
  const size_t soglia = std::max<size_t>(1, p.size() / 4);
  std::string migliore;
  size_t minima = soglia + 1;
  const auto prova = [&](std::string_view candidato) {
    const size_t d = distanza(p, candidato);
    if (d < minima) {
      minima = d;
      migliore = candidato;
    }
  };
  for (size_t i = 0; i < numero_reperti; ++i) prova(reperto_n(i).nome);
  for (const parola_chiave_riga& k : parole_chiave()) prova(k.parola);
  return migliore;
}
