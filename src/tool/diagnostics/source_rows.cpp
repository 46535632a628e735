#include "tool/diagnostics/source_rows.h"

#include <limits>

#include "reader/field_reader.h"
#include "reader/keywords.h"
#include "reader/row_kinds.h"
#include "tool/diagnostics/line_table.h"

righe_sorgente indicizza_righe(documento doc, const line_table& t) {
  righe_sorgente out;
  bool generale = false;  // the reader ignores what comes before it
  for (uint32_t n = 1; n <= t.lines(); ++n) {
    const std::string_view riga = t.line(n);
    field_reader r{riga, 0, doc};
    if (riga.empty()) continue;
    riga_indicizzata voce;
    voce.parola = read_text(r);
    voce.riga = {doc, t.start(n), static_cast<uint32_t>(riga.size())};
    if (!generale) {
      generale = contiene_nc(voce.parola, "[generale]");
      if (!generale) continue;
    }
    if (!at_end(r)) {
      try {
        voce.numero = read_number(r, std::numeric_limits<int64_t>::min(),
                                  std::numeric_limits<int64_t>::max());
      } catch (const reading_failure&) {
        // Not a number: a row without a position.
      }
    }
    out.righe.push_back(voce);
  }
  return out;
}

std::vector<const riga_indicizzata*> righe_con(const righe_sorgente& r,
                                               std::initializer_list<riga_id> tipi) {
  std::vector<const riga_indicizzata*> out;
  for (const riga_indicizzata& v : r.righe) {
    for (const riga_id t : tipi) {
      if (corrisponde(v.parola, t)) {
        out.push_back(&v);
        break;
      }
    }
  }
  return out;
}

std::optional<int64_t> valore_campo(std::string_view riga, const tipo_riga& t,
                                    std::string_view nome) {
  field_reader r{riga, 0, documento::nessuno};
  try {
    if (at_end(r)) return std::nullopt;
    read_text(r);  // the keyword
    for (const descrizione_campo& c : t.campi) {
      if (at_end(r)) return std::nullopt;
      if (c.formato == formato_campo::testo) {
        read_text(r);
        continue;
      }
      const int64_t v = read_number(r, std::numeric_limits<int64_t>::min() / 2,
                                    std::numeric_limits<int64_t>::max() / 2);
      if (c.nome == nome) return v;
    }
  } catch (const reading_failure&) {
  }
  return std::nullopt;
}

std::string testo_tipo_montagna(int64_t tipo_cella, std::optional<int64_t> tipo_riga) {
  std::string out = "type " + std::to_string(tipo_cella);
  if (!tipo_riga) return out;
  const bool marcatori = *tipo_riga > 10;
  const int64_t scritto = marcatori ? *tipo_riga - 10 : *tipo_riga;
  if ((scritto & 0xFF) != tipo_cella) {
    out += ", 150 m or less after the previous stretch";
    if (marcatori) out += ", with markers";
  } else if (marcatori) {
    out += ", with markers";
  }
  return out + " (tipo " + std::to_string(*tipo_riga) + ")";
}
