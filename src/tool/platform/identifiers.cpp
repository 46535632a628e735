#include "tool/platform/identifiers.h"

#include "tool/platform/encoding.h"
#include "tool/platform/system.h"

namespace {

std::string_view nome_file(std::string_view percorso) {
  size_t barra = percorso.find_last_of(path_separators());
  return barra == std::string_view::npos ? percorso : percorso.substr(barra + 1);
}

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

// Checks one identifier and converts it; returns "" or the error.
std::string converti(const std::string& che, const std::string& utf8,
                     std::string& cp1252) {
  if (utf8.empty()) return "the " + che + " identifier is empty";
  // Control characters (a tab, a line end, an escape) would go into the
  // file names and act on every terminal that lists them.
  for (const char b : utf8) {
    const auto c = static_cast<unsigned char>(b);
    if (c < 0x20 || c == 0x7F) {
      return "the " + che + " identifier '" + utf8 + "' holds the control character " +
             nome_carattere(c) + ", which a file name should not hold";
    }
  }
  size_t vietato = utf8.find_first_of(forbidden_in_names());
  if (vietato != std::string::npos) {
    const unsigned char c = static_cast<unsigned char>(utf8[vietato]);
    std::string quale = nome_carattere(c);  // a control character has no glyph
    if (c >= 0x20) quale.assign({'\'', static_cast<char>(c), '\''});
    return "the " + che + " identifier '" + utf8 + "' holds " + quale +
           ", which a file name cannot hold";
  }
  conversione_cp1252 c = utf8_a_cp1252(utf8);
  switch (c.esito) {
    case esito_cp1252::fatto:
      cp1252 = std::move(c.testo);
      return "";
    case esito_cp1252::senza_forma:
      return "the " + che + " identifier '" + utf8 +
             "' holds a character with no Windows-1252 form: " +
             nome_carattere(c.carattere);
    case esito_cp1252::utf8_non_valido:
      break;
  }
  return "the " + che + " identifier '" + utf8 + "' is not valid UTF-8";
}

}  // namespace

std::string linea_dal_nome(std::string_view percorso) {
  constexpr std::string_view coda = "_linea.txt";
  std::string_view nome = nome_file(percorso);
  if (!finisce_con(nome, coda) || nome.size() == coda.size()) return "";
  return std::string(nome.substr(0, nome.size() - coda.size()));
}

std::string treno_dal_nome(std::string_view percorso, std::string_view linea) {
  constexpr std::string_view coda = "-.txt";
  std::string_view nome = nome_file(percorso);
  size_t testa = linea.size() + 1;  // "<line>_"
  if (linea.empty() || nome.size() <= testa + coda.size()) return "";
  if (nome.substr(0, linea.size()) != linea || nome[linea.size()] != '_') return "";
  if (!finisce_con(nome, coda)) return "";
  return std::string(nome.substr(testa, nome.size() - testa - coda.size()));
}

std::string trova_identificativi(const std::string& sorgente_linea,
                                 const std::string& sorgente_treno,
                                 const std::optional<std::string>& opzione_linea,
                                 const std::optional<std::string>& opzione_treno,
                                 identificativi& id) {
  id.linea = opzione_linea ? *opzione_linea : linea_dal_nome(sorgente_linea);
  if (!opzione_linea && id.linea.empty()) {
    return "cannot tell the line identifier from '" + sorgente_linea +
           "': the name is not '<line>_linea.txt' (give it with --line NAME)";
  }
  std::string errore = converti("line", id.linea, id.linea_cp1252);
  if (!errore.empty()) return errore;

  id.treno = opzione_treno ? *opzione_treno : treno_dal_nome(sorgente_treno, id.linea);
  if (!opzione_treno && id.treno.empty()) {
    return "cannot tell the train identifier from '" + sorgente_treno +
           "': the name is not '" + id.linea +
           "_<train>-.txt' (give it with --train NAME)";
  }
  return converti("train", id.treno, id.treno_cp1252);
}
