#include "tool/diagnostics/message.h"

#include <string_view>

#include "reader/row_kinds.h"
#include "tool/diagnostics/kilometric.h"

namespace {

// The name of the finding's field, from the row table.
std::string nome_campo(const reperto& r) {
  if (r.tipo < 0 || static_cast<size_t>(r.tipo) >= std::size(tipi_riga)) return "field";
  const tipo_riga& t = tipi_riga[r.tipo];
  if (r.campo < 0 || static_cast<size_t>(r.campo) >= t.campi.size()) return "field";
  return std::string(t.campi[static_cast<size_t>(r.campo)].nome);
}

// Where a misplaced row goes, from where it was found (`limite`) and the
// part its kind belongs to.
std::string dove_va(const reperto& r) {
  if (r.tipo < 0 || static_cast<size_t>(r.tipo) >= std::size(tipi_riga)) {
    return "it belongs in " + std::string(nome_sezione(r.limite));
  }
  const int proprio = tipi_riga[r.tipo].sezione;
  if (proprio == sezione_riga::corpo_linea &&
      r.limite == sezione_riga::intestazione_linea) {
    return "rows of this kind are read only after the header ends, at the first section "
           "line such as \"[curve]\"; is that line missing before this one?";
  }
  if (proprio == sezione_riga::intestazione_linea &&
      r.limite == sezione_riga::corpo_linea) {
    return "it is a header row, read only between \"[generale]\" and the first section "
           "line: move it up there";
  }
  if (proprio == sezione_riga::treno) return "it is a row of the train source";
  return proprio == sezione_riga::intestazione_linea
             ? "it is a row of the line source's header"
             : "it is a row of the line source, after its header";
}

std::string buco(std::string_view nome, const reperto& r,
                 const std::array<elemento, slot::numero>& elementi,
                 const contesto_messaggio& c) {
  std::optional<int64_t> metri = metri_di(r);
  if (nome == "cella") return std::to_string(r.cella);
  if (nome == "metri") return metri ? std::to_string(*metri) + " m" : "? m";
  if (nome == "cella_e_metri") {
    // A row's position and the cell it addresses are not the same metre: a
    // signal at 26000 m stands on cell 521, which starts at 26050 m.
    std::string out = "cell " + std::to_string(r.cella) + " at " +
                      std::to_string(int64_t{r.cella} * metri_cella) + " m";
    if (r.ha_posizione && int64_t{r.cella} * metri_cella != r.posizione)
      out += ", for the row's position " + std::to_string(r.posizione) + " m";
    return out;
  }
  if (nome == "testo") return std::string(c.testo);
  if (nome == "valore_campo") {
    return r.limite == static_cast<int64_t>(motivo::nome_vuoto)
               ? "empty"
               : std::to_string(r.valore);
  }
  if (nome == "perche")
    return r.valore == 1 ? ", the farthest of its approach marks," : "";
  if (nome == "campo") return nome_campo(r);
  if (nome == "riga_nota") return c.riga_nota > 0 ? std::to_string(c.riga_nota) : "?";
  if (nome == "motivo") {
    // Outside its field's values: which they are, from the row table.
    if (r.limite == static_cast<int64_t>(motivo::fuori_intervallo) && r.tipo >= 0 &&
        static_cast<size_t>(r.tipo) < std::size(tipi_riga) && r.campo >= 0 &&
        static_cast<size_t>(r.campo) < tipi_riga[r.tipo].campi.size()) {
      const descrizione_campo& f = tipi_riga[r.tipo].campi[static_cast<size_t>(r.campo)];
      const std::string unita = f.unita.empty() ? "" : " " + std::string(f.unita);
      return "it lies outside the values it takes, " + std::to_string(f.ammessi.minimo) +
             " to " + std::to_string(f.ammessi.massimo) + unita;
    }
    return std::string(testo_motivo(r.limite));
  }
  const uint32_t riga = c.riga;
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
  if (nome == "sezione") return dove_va(r);
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

std::string testo_nota(const reperto& r, const contesto_messaggio& c) {
  const std::string_view nota = descrivi(r.id).nota;
  if (nota.empty()) return "the cell was first taken here";
  return riempi_modello(nota,
                        [&](std::string_view nome) { return buco(nome, r, {}, c); });
}

std::optional<int64_t> metri_di(const reperto& r) {
  if (r.ha_posizione) return r.posizione;
  if (r.cella >= 0) return int64_t{r.cella} * metri_cella;
  return std::nullopt;
}

std::string componi_messaggio(const reperto& r,
                              const std::array<elemento, slot::numero>& elementi,
                              const contesto_messaggio& c) {
  std::string out = riempi_modello(descrivi(r.id).messaggio, [&](std::string_view nome) {
    return buco(nome, r, elementi, c);
  });
  if (r.simili > 0) {
    out += " (and " + std::to_string(r.simili) + " more like it in this document)";
  }
  return out;
}
