#include "tool/diagnostics/message.h"

#include <string_view>

#include "reader/row_kinds.h"
#include "tool/diagnostics/kilometric.h"

namespace {

std::string buco(std::string_view nome, const reperto& r,
                 const std::array<elemento, slot::numero>& elementi, uint32_t riga) {
  std::optional<int64_t> metri = metri_di(r);
  if (nome == "cella") return std::to_string(r.cella);
  if (nome == "metri") return metri ? std::to_string(*metri) + " m" : "? m";
  if (nome == "km") {
    std::optional<int64_t> km = metri ? progressiva_di(elementi, *metri) : std::nullopt;
    return km ? std::string(", km ").append(formato_km(*km)) : "";
  }
  if (nome == "valore") return std::to_string(r.valore);
  if (nome == "limite") return std::to_string(r.limite);
  if (nome == "riga") return riga > 0 ? std::to_string(riga) : "?";
  if (nome == "caratteristica") return std::string(nome_caratteristica(r.valore));
  const auto parole = parole_chiave();
  const bool parola = r.valore >= 0 && static_cast<size_t>(r.valore) < parole.size();
  if (nome == "parola") return parola ? std::string(parole[r.valore].parola) : "?";
  if (nome == "suggerimento") {
    return parola ? "; did you mean '" + std::string(parole[r.valore].parola) + "'?" : "";
  }
  if (nome == "sezione") return std::string(nome_sezione(r.limite));
  if (nome == "altre") {
    return r.valore > 0 ? " (and " + std::to_string(r.valore) + " more line" +
                              (r.valore == 1 ? ")" : "s)")
                        : "";
  }
  return std::string("{").append(nome).append("}");  // not a hole: kept as written
}

}  // namespace

std::string riempi_modello(std::string_view modello,
                           const std::function<std::string(std::string_view)>& buco) {
  std::string out;
  size_t i = 0;
  while (i < modello.size()) {
    const size_t aperta = modello.find('{', i);
    const size_t chiusa =
        aperta == std::string_view::npos ? aperta : modello.find('}', aperta);
    if (chiusa == std::string_view::npos) {
      out.append(modello.substr(i));
      break;
    }
    out.append(modello.substr(i, aperta - i));
    out.append(buco(modello.substr(aperta + 1, chiusa - aperta - 1)));
    i = chiusa + 1;
  }
  return out;
}

std::string testo_nota(const reperto& r) {
  if (r.id == reperto_id::stazioni_vicine) return "the previous station is here";
  return "the cell was first taken here";
}

std::optional<int64_t> metri_di(const reperto& r) {
  if (r.ha_posizione) return r.posizione;
  if (r.cella >= 0) return int64_t{r.cella} * metri_cella;
  return std::nullopt;
}

std::string componi_messaggio(const reperto& r,
                              const std::array<elemento, slot::numero>& elementi,
                              uint32_t riga) {
  std::string out = riempi_modello(descrivi(r.id).messaggio, [&](std::string_view nome) {
    return buco(nome, r, elementi, riga);
  });
  if (r.simili > 0) {
    out += " (and " + std::to_string(r.simili) + " more like it in this document)";
  }
  return out;
}
