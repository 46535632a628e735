#include "format/cell_meaning.h"

#include <algorithm>
#include <iterator>

#include "format/layout.h"

namespace {

// The fields a feature's values are packed into, by the layout's names; the
// other fields of a cell (speed, gradient, ...) mean the same on every cell.
constexpr std::string_view campi_dato[] = {"dato_a", "dato_b", "dato_c", "dato_d",
                                           "tempo"};

struct lettore {
  const cella& c;
  std::vector<std::string_view> riservati;  // hold the build's own values
  std::vector<std::string_view> usati;
  std::vector<voce> out;

  int64_t valore(std::string_view campo) const {
    int64_t v = 0;
    visit_fields(c, [&](std::string_view nome, int64_t x) {
      if (nome == campo) v = x;
    });
    return v;
  }
  bool riservato(std::string_view campo) const {
    return std::find(riservati.begin(), riservati.end(), campo) != riservati.end();
  }
  // A value of the feature taken from `campo`.
  void metti(std::string_view campo, std::string_view nome, int64_t v) {
    usati.push_back(campo);
    if (!riservato(campo)) out.push_back({nome, v});
  }
  void intero(std::string_view campo, std::string_view nome) {
    metti(campo, nome, valore(campo));
  }
  // A field that packs two digits: tens, then units.
  void decine(std::string_view campo, std::string_view nome) {
    metti(campo, nome, valore(campo) / 10);
  }
  void unita(std::string_view campo, std::string_view nome) {
    metti(campo, nome, valore(campo) % 10);
  }
  // A speed pair of speed-limit boards: hundreds and above the first set's
  // speed / 5, the last two digits the second set's.
  void prima_serie(std::string_view campo, std::string_view nome) {
    metti(campo, nome, valore(campo) / 100 * 5);
  }
  void seconda_serie(std::string_view campo, std::string_view nome) {
    metti(campo, nome, valore(campo) % 100 * 5);
  }
};

// The sides a station's approach marks carry (their tens digit).
constexpr int lati_fermata = 8;

}  // namespace

std::string testo_voci(const std::vector<voce>& voci) {
  std::string out;
  for (const voce& v : voci) {
    if (!out.empty()) out += ' ';
    out.append(v.nome).append("=").append(std::to_string(v.valore));
  }
  return out;
}

std::vector<voce> dati_caratteristica(const cella& c, size_t indice) {
  lettore l{c, {}, {}, {}};
  const bool timbrata = indice == cella_timbrata;
  if (timbrata) l.riservati = {"dato_a", "dato_b"};
  // dato_d of a signal: rapp * 10 + sx * 3 + dx.
  const int64_t lati = c.dato_d % 10;
  switch (c.codice) {
    case codice_cella::segnale:
      // In the order of the row.
      l.metti("dato_d", "sx", lati / 3);
      l.decine("dato_a", "s1");
      l.decine("dato_b", "s2");
      l.decine("dato_c", "s3");
      l.decine("dato_d", "rapp");
      l.metti("dato_d", "dx", lati % 3);
      l.unita("dato_a", "d1");
      l.unita("dato_b", "d2");
      l.unita("dato_c", "d3");
      l.intero("tempo", "tempo");
      break;
    case codice_cella::fine_rallentamento:
    case codice_cella::inizio_rallentamento:
      l.intero("dato_a", "v");
      l.intero("dato_b", "d_v");
      l.intero("dato_c", "f_tt");
      break;
    case codice_cella::avviso_rallentamento:
      l.intero("dato_a", "v");
      l.intero("dato_b", "d_v");
      break;
    case codice_cella::preavviso_rallentamento:
      l.intero("dato_a", "numero");
      l.intero("dato_b", "numero_d_v");  // the number again when d_v is set
      break;
    case codice_cella::indicatori_v_max:
      l.prima_serie("dato_a", "vas");
      l.prima_serie("dato_b", "vbs");
      l.prima_serie("dato_c", "vcs");
      l.decine("dato_d", "strisces");
      l.seconda_serie("dato_a", "vad");
      l.seconda_serie("dato_b", "vbd");
      l.seconda_serie("dato_c", "vcd");
      l.unita("dato_d", "strisced");
      break;
    case codice_cella::fermata:
    case codice_cella::cartello_indicatore:
      l.intero("dato_a", "slot");
      break;
    case codice_cella::abbattimento:
      l.intero("dato_a", "valore");
      break;
    default:  // nothing, a mountain marker, a code point of value 0, or unknown
      break;
  }
  if (timbrata) {
    l.out.push_back({"stamp", c.dato_a});
    l.out.push_back({"race_code", c.dato_b});
  }
  for (std::string_view campo : campi_dato) {
    const bool usato = std::find(l.usati.begin(), l.usati.end(), campo) != l.usati.end();
    if (!usato && !l.riservato(campo) && l.valore(campo) != 0) {
      l.out.push_back({campo, l.valore(campo)});
    }
  }
  return l.out;
}

std::optional<preavviso_letto> leggi_preavviso(const std::vector<cella>& percorso,
                                               size_t i) {
  const uint8_t p = percorso[i].preavviso;
  const int numero = p % 10;
  if (numero < 1 || numero > 4) return std::nullopt;
  preavviso_letto m{numero, p / 10};
  const size_t segnale = i + 2 * static_cast<size_t>(numero);
  const size_t fermata = i + static_cast<size_t>(numero);
  if (segnale < percorso.size() && percorso[segnale].codice == codice_cella::segnale &&
      percorso[segnale].dato_d % 10 == m.lati) {
    m.di_chi = preavviso_letto::di::segnale;
    m.cella = segnale;
  } else if (m.lati == lati_fermata && fermata < percorso.size() &&
             percorso[fermata].codice == codice_cella::fermata) {
    m.di_chi = preavviso_letto::di::fermata;
    m.cella = fermata;
  }
  return m;
}
