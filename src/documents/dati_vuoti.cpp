// The blank scenario of `scenario new --blank`: the smallest pair of source
// documents that holds every block of the row table in its order and one row
// of each kind (two stations, where a run starts and ends), on a line of
// 10 km, placed so that the pair builds with no finding; and crew documents
// that match it. Its rows keep clear of the cells the reference's examples
// take, so each example can be put into the pair and still build cleanly.
#include <cstdio>
#include <string>
#include <vector>

#include "documents/document_writer.h"
#include "documents/documents.h"
#include "reader/row_kinds.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"

namespace {

// The blank's rows, by kind, in the order they are written within a block.
struct riga_vuota {
  riga_id id;
  const char* testo;
};

// clang-format off
constexpr riga_vuota righe_vuote[] = {
    {riga_id::lunghezza, "lunghezza percorso,    10000"},
    {riga_id::progressiva_uno, "progressiva chilometrica uno,    0,    0,    0"},
    {riga_id::progressiva_due, "progressiva chilometrica due,    0,    0,    0"},
    {riga_id::progressiva_tre, "progressiva chilometrica tre,    0,    0,    0"},
    {riga_id::sfondo_uno, "sfondo uno,    1"},
    {riga_id::sfondo_due, "sfondo due,    0"},
    {riga_id::sfondo_tre, "sfondo tre,    0"},
    {riga_id::ripetizione, "ripetizione segnali 9 codici,    0,    0"},
    {riga_id::curva, "curvas1,  3000,  200"},
    {riga_id::pendenza, "pendenza,  0,   0"},
    {riga_id::montagna, "montagna,   2000,  2500,  2"},
    {riga_id::indicatori, "indicatori_vmax,  500,  60,  60,  60,  0,  ,  ,  ,  0"},
    {riga_id::cartello, "cartello_indicatore,  9500,   (Km 9+500)"},
    {riga_id::vetture, "numero vetture,    8"},
    {riga_id::massa, "percentuale massa frenata,    100"},
    {riga_id::sabbia, "sabbia,    100"},
    {riga_id::orologio, "orologio,    8,    0,    0"},
    {riga_id::aderenza, "aderenza,       0,    70"},
    {riga_id::velocita, "velocita,       0,    60"},
    {riga_id::stazione,
     "stazione,       0,  8,  500,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, 0, 0, Partenza"},
    {riga_id::stazione,
     "stazione,    9000, 12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   8,10, 0, Arrivo"},
    {riga_id::rallentamento, "rallentamento,    6000,   60,   500,   0,   1,   0"},
    {riga_id::segnale, "segnale,    2500,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
    {riga_id::abbattimento, "abbattimento,    8500,   270"},
};
// clang-format on

// The lines of one document: every block of it in order, each with the
// blank's rows of its kinds.
std::vector<std::string> righe_documento(bool del_treno) {
  std::vector<std::string> out;
  for (const blocco_documento& b : blocchi) {
    if (b.del_treno != del_treno) continue;
    out.emplace_back(b.nome);
    for (riga_id id : b.righe) {
      for (const riga_vuota& r : righe_vuote) {
        if (r.id == id) out.emplace_back(r.testo);
      }
    }
  }
  return out;
}

Status scrivi(const std::string& path, const std::vector<std::string>& righe) {
  std::vector<const char*> testi;
  for (const std::string& r : righe) testi.push_back(r.c_str());
  return scrivi_documento(path, {sezione(testi)});
}

// `testo` cut or padded with blanks to `larghezza` bytes.
std::string a_misura(std::string_view testo, size_t larghezza) {
  std::string out(testo.substr(0, larghezza));
  out.resize(larghezza, ' ');
  return out;
}

}  // namespace

std::vector<std::string> righe_linea_vuota() { return righe_documento(false); }
std::vector<std::string> righe_treno_vuoto() { return righe_documento(true); }

Status dati_linea_vuota(const scenario_state& st) {
  return scrivi(file_path(st, file_kind::line_source), righe_linea_vuota());
}

Status dati_treno_vuoto(const scenario_state& st) {
  return scrivi(file_path(st, file_kind::train_source), righe_treno_vuoto());
}

Status dati_note_vuote(const scenario_state& st, const nomi_scenario& n) {
  return scrivi(
      file_path(st, file_kind::notes),
      {"  Treno " + n.treno + " sulla linea " + n.linea +
           ", da Partenza (ore 8.00) ad Arrivo (ore 8.10).",
       "  Qui l'autore presenta lo scenario al macchinista: il treno, la linea, il",
       "tempo, le fermate e i rallentamenti in vigore.", "   "});
}

// clang-format off
Status dati_rallentamenti_vuoti(const scenario_state& st, const nomi_scenario& n) {
  const std::string riga_vuota =
      " |   |                            |            |          |         |            |";
  std::vector<std::string> righe = {
      "",
      "                               Modulo M. 3",
      "                           ORDINE DI RALLENTAMENTO",
      " ________________________________________________________________________________",
      "  Linea  " + n.linea,
      "",
      "  Si ordina al macchinista del treno " + n.treno +
          " di effettuare i seguenti rallentamenti",
      "  _______________________________________________________________________________",
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      " |___|____________________________|____________|__________|_________|____________|",
      riga_vuota,
      // The blank's one slowdown: 60 km/h for 500 m from 6000 m.
      " | 1 |Partenza - Arrivo           |      6.000 |    60    |    500  |     A      |",
      riga_vuota,
      " |___|____________________________|____________|__________|_________|____________|",
      "",
      "              Prescrizioni specifiche",
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di.......",
      " D - Rallentamneto N. ... e N. ...  sono contigui",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
  };
  return scrivi(file_path(st, file_kind::slowdown_form), righe);
}

Status dati_scheda_vuota(const scenario_state& st, const nomi_scenario& n) {
  std::vector<std::string> righe = {
      "",
      "",
      "  ___________________                                               ______________",
      " |                   |                    SCHEDA 1/1               |              |",
      " |   TRENO n.        |                   da: Partenza              |     V60      |",
      " |" + a_misura(" " + n.treno, 19) + "|                    a: Arrivo                |     100%     |",
      " |___________________|                                             |______________|",
      "  Linea " + n.linea,
      "",
      "  ________________________________________________________________________________",
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
      " | Lim.|Marc.|          |  Rs |                            |                |     |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
      " |  60 |  60 |    0.000 |     |Partenza                    |       08.00.00 |     |",
      " |     |     |          |     |                            |                |     |",
      " |     |     |    9.000 |     |Arrivo                      |     08.10      |     |",
      " |_____|_____|__________|_____|____________________________|________________|_____|",
      "",
  };
  return scrivi(file_path(st, file_kind::train_sheet), righe);
}
// clang-format on
