#include "tool/inspect/cell_view.h"

#include "format/layout.h"
#include "scenario/findings.h"
#include "tool/diagnostics/kilometric.h"
#include "tool/platform/encoding.h"
#include "tool/platform/shown_text.h"

namespace {

// The feature's name; none for an empty cell or a code no feature has.
std::optional<std::string_view> nome_codice(uint8_t codice) {
  switch (codice) {
    case codice_cella::segnale:
    case codice_cella::fine_rallentamento:
    case codice_cella::inizio_rallentamento:
    case codice_cella::avviso_rallentamento:
    case codice_cella::preavviso_rallentamento:
    case codice_cella::indicatori_v_max:
    case codice_cella::fermata:
    case codice_cella::marcatore_montagna:
    case codice_cella::abbattimento:
    case codice_cella::abbattimento_nullo:
    case codice_cella::cartello_indicatore:
      return nome_caratteristica(codice);
    default:
      return std::nullopt;
  }
}

// The slot a station stop or an indicator sign names, with its name, where
// the scenario file is known.
const elemento* slot_nominato(const cella& c, const contesto_celle& x) {
  if (x.elementi == nullptr) return nullptr;
  if (c.codice != codice_cella::fermata && c.codice != codice_cella::cartello_indicatore)
    return nullptr;
  if (c.dato_a < 1 || c.dato_a > slot::primo_cartello) return nullptr;
  return &(*x.elementi)[static_cast<size_t>(c.dato_a)];
}

}  // namespace

std::optional<int64_t> progressiva_cella(const contesto_celle& x, size_t indice) {
  if (x.elementi == nullptr) return std::nullopt;
  return progressiva_di(*x.elementi, static_cast<int64_t>(indice) * metri_cella);
}

std::string testa_cella(const contesto_celle& x, size_t indice) {
  std::string out = "cell " + std::to_string(indice) + ", " +
                    std::to_string(static_cast<int64_t>(indice) * metri_cella) + " m";
  if (const auto km = progressiva_cella(x, indice)) out += ", km " + formato_km(*km);
  return out;
}

std::string testo_codice(uint8_t codice) {
  if (codice == codice_cella::nulla) return "";
  const auto nome = nome_codice(codice);
  return nome ? std::string(*nome) : "unknown feature " + std::to_string(codice);
}

std::string testo_caratteristica(const cella& c, size_t indice, const contesto_celle& x) {
  std::string out = testo_codice(c.codice);
  const std::string voci = testo_voci(dati_caratteristica(c, indice));
  if (!voci.empty()) out += (out.empty() ? "" : " ") + voci;
  if (const elemento* e = slot_nominato(c, x))
    out += " \"" + testo_mostrato(e->nome) + "\"";
  return out;
}

std::string testo_preavviso(const std::vector<cella>& percorso, size_t i) {
  const uint8_t p = percorso[i].preavviso;
  if (p == 0) return "";
  const auto m = leggi_preavviso(percorso, i);
  if (!m) return "preavviso=" + std::to_string(p);
  std::string out = "approach mark " + std::to_string(m->numero) + " of ";
  switch (m->di_chi) {
    case preavviso_letto::di::segnale:
      return out + "the signal on cell " + std::to_string(m->cella);
    case preavviso_letto::di::fermata:
      return out + "the station stop on cell " + std::to_string(m->cella);
    case preavviso_letto::di::ignoto:
      break;
  }
  return out + "a signal with sx=" + std::to_string(m->sx()) +
         " dx=" + std::to_string(m->dx()) + (m->lati == 8 ? " or a station stop" : "");
}

std::string con_segno(int64_t v) {
  std::string out = v > 0 ? "+" : "";
  return out.append(std::to_string(v));
}

json json_record(const cella& c) {
  json j = json::object();
  visit_fields(c, [&](std::string_view nome, int64_t v) { j[std::string(nome)] = v; });
  return j;
}

json json_cella(const std::vector<cella>& percorso, size_t i, const contesto_celle& x) {
  const cella& c = percorso[i];
  json j;
  j["cell"] = i;
  j["metres"] = static_cast<int64_t>(i) * metri_cella;
  const auto km = progressiva_cella(x, i);
  j["progressive_m"] = km ? json(*km) : json(nullptr);
  j["record"] = json_record(c);

  json f;
  f["code"] = c.codice;
  const auto nome = nome_codice(c.codice);
  f["name"] = nome ? json(std::string(*nome)) : json(nullptr);
  json valori = json::object();
  for (const voce& v : dati_caratteristica(c, i)) valori[std::string(v.nome)] = v.valore;
  f["values"] = valori;
  if (const elemento* e = slot_nominato(c, x)) f["text"] = cp1252_a_utf8(e->nome);
  j["feature"] = f;

  if (const auto m = leggi_preavviso(percorso, i)) {
    json p;
    p["number"] = m->numero;
    p["sx"] = m->sx();
    p["dx"] = m->dx();
    switch (m->di_chi) {
      case preavviso_letto::di::segnale:
        p["of"] = "signal";
        p["cell"] = m->cella;
        break;
      case preavviso_letto::di::fermata:
        p["of"] = "station_stop";
        p["cell"] = m->cella;
        break;
      case preavviso_letto::di::ignoto:
        p["of"] = nullptr;
        p["cell"] = nullptr;
        break;
    }
    j["approach_mark"] = p;
  } else {
    j["approach_mark"] = nullptr;
  }
  j["speed_kmh"] = velocita_kmh(c);
  j["gradient_per_mille"] = pendenza_per_mille(c);
  j["adhesion"] = c.aderenza;
  j["mountain"] = c.tipo_montagna;
  return j;
}
