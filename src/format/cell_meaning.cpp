#include "format/cell_meaning.h"

#include <algorithm>
#include <iterator>

#include "format/layout.h"

namespace {

// The fields a feature's values are packed into; the other fields of a cell
// (speed, gradient, ...) mean the same on every cell.
enum class dato : uint8_t { a, b, c, d, tempo };

struct campo_dato {
  dato id;
  std::string_view nome;  // the layout's name
  int64_t (*valore)(const cella& c);
};

template <dato D, auto M>
constexpr campo_dato campo_di() {
  return {D, nome_campo<M>(), [](const cella& c) -> int64_t { return c.*M; }};
}

constexpr campo_dato campi_dato[] = {
    campo_di<dato::a, &cella::dato_a>(), campo_di<dato::b, &cella::dato_b>(),
    campo_di<dato::c, &cella::dato_c>(), campo_di<dato::d, &cella::dato_d>(),
    campo_di<dato::tempo, &cella::tempo>()};

constexpr bool campi_in_ordine() {
  for (size_t i = 0; i < std::size(campi_dato); ++i) {
    if (static_cast<size_t>(campi_dato[i].id) != i) return false;
  }
  return true;
}
static_assert(campi_in_ordine(), "campi_dato follows the order of dato");

struct lettore {
  const cella& c;
  std::vector<dato> riservati;  // hold the build's own values
  std::vector<dato> usati;
  std::vector<voce> out;

  int64_t valore(dato campo) const {
    return campi_dato[static_cast<size_t>(campo)].valore(c);
  }
  bool riservato(dato campo) const {
    return std::find(riservati.begin(), riservati.end(), campo) != riservati.end();
  }
  // A value of the feature taken from `campo`.
  void metti(dato campo, std::string_view nome, int64_t v) {
    usati.push_back(campo);
    if (!riservato(campo)) out.push_back({nome, v});
  }
  void intero(dato campo, std::string_view nome) { metti(campo, nome, valore(campo)); }
  // A field that packs two digits: tens, then units.
  void decine(dato campo, std::string_view nome) {
    metti(campo, nome, valore(campo) / 10);
  }
  void unita(dato campo, std::string_view nome) {
    metti(campo, nome, valore(campo) % 10);
  }
  // A speed pair of speed-limit boards: hundreds and above the first set's
  // speed / 5, the last two digits the second set's.
  void prima_serie(dato campo, std::string_view nome) {
    metti(campo, nome, valore(campo) / 100 * 5);
  }
  void seconda_serie(dato campo, std::string_view nome) {
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
  if (timbrata) l.riservati = {dato::a, dato::b};
  // dato_d of a signal: rapp * 10 + sx * 3 + dx.
  const int64_t lati = c.dato_d % 10;
  switch (c.codice) {
    case codice_cella::segnale:
      // In the order of the row.
      l.metti(dato::d, "sx", lati / 3);
      l.decine(dato::a, "s1");
      l.decine(dato::b, "s2");
      l.decine(dato::c, "s3");
      l.decine(dato::d, "rapp");
      l.metti(dato::d, "dx", lati % 3);
      l.unita(dato::a, "d1");
      l.unita(dato::b, "d2");
      l.unita(dato::c, "d3");
      l.intero(dato::tempo, "tempo");
      break;
    case codice_cella::fine_rallentamento:
    case codice_cella::inizio_rallentamento:
      l.intero(dato::a, "v");
      l.intero(dato::b, "d_v");
      l.intero(dato::c, "f_tt");
      break;
    case codice_cella::avviso_rallentamento:
      l.intero(dato::a, "v");
      l.intero(dato::b, "d_v");
      break;
    case codice_cella::preavviso_rallentamento:
      l.intero(dato::a, "numero");
      l.intero(dato::b, "numero_d_v");  // the number again when d_v is set
      break;
    case codice_cella::indicatori_v_max:
      l.prima_serie(dato::a, "vas");
      l.prima_serie(dato::b, "vbs");
      l.prima_serie(dato::c, "vcs");
      l.decine(dato::d, "strisces");
      l.seconda_serie(dato::a, "vad");
      l.seconda_serie(dato::b, "vbd");
      l.seconda_serie(dato::c, "vcd");
      l.unita(dato::d, "strisced");
      break;
    case codice_cella::fermata:
    case codice_cella::cartello_indicatore:
      l.intero(dato::a, "slot");
      break;
    case codice_cella::abbattimento:
      l.intero(dato::a, "valore");
      break;
    default:  // nothing, a mountain marker, a code point of value 0, or unknown
      break;
  }
  if (timbrata) {
    l.out.push_back({"stamp", c.dato_a});
    l.out.push_back({"race_code", c.dato_b});
  }
  for (const campo_dato& campo : campi_dato) {
    const bool usato =
        std::find(l.usati.begin(), l.usati.end(), campo.id) != l.usati.end();
    if (!usato && !l.riservato(campo.id) && l.valore(campo.id) != 0) {
      l.out.push_back({campo.nome, l.valore(campo.id)});
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
