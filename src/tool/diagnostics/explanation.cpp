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
#include "tool/diagnostics/row_reference.h"
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
  // The rows it concerns, each as the reference names its fields.
  const std::vector<const tipo_riga*> righe = righe_del_reperto(d);
  if (!righe.empty()) {
    out += "\n  The rows it concerns (scenario explain KEYWORD tells more):\n";
    for (const tipo_riga* t : righe) out += "    " + riga_dei_campi(*t) + "\n";
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
    parole += (parole.empty() ? "" : ", ") +
              std::string(parole_chiave()[static_cast<size_t>(t.parola)].parola);
  std::string nomi_blocchi;
  for (const blocco_documento& b : blocchi) {
    if (nomi_blocchi.find(b.nome) == std::string::npos)
      nomi_blocchi += (nomi_blocchi.empty() ? "" : ", ") + std::string(b.nome);
  }
  out += "\nThe rows of the documents, by keyword:\n" + a_capo(parole + ".");
  out += "\nThe blocks of the documents:\n" + a_capo(nomi_blocchi + ".");
  out +=
      "\n'scenario explain NAME', 'scenario explain CODE', 'scenario explain KEYWORD' or "
      "'scenario explain BLOCK' tells more.\n";
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
    if (const tipo_riga* t = tipo_per_parola(parola)) {
      out = come_testo(riferimento_riga(*t)) + "\n";
    } else if (const auto b = blocchi_per_parola(parola); !b.empty()) {
      riferimento r;
      for (const blocco_documento* x : b) {
        const riferimento uno = riferimento_blocchi(x->del_treno, x->nome);
        r.insert(r.end(), uno.begin(), uno.end());
      }
      out = come_testo(r) + "\n";
    }
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
  for (const blocco_documento& b : blocchi) prova(b.nome.substr(1, b.nome.size() - 2));
  return migliore;
}
