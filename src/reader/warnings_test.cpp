// Warnings and notes: each warning raised by a small document of its own, a
// clean document that raises none, and for each conflict of cells the note
// that points at the row that took the cell.
#include "reader/warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/row_kinds.h"
#include "reader/source_fixture.h"
#include "track/memorizza_percorso.h"

namespace {

using righe = std::vector<std::string>;

// A place expected in a finding: its document's line and the text it covers.
struct posto {
  documento doc = documento::nessuno;
  int riga = 0;
  std::string testo;
};

struct caso_avviso {
  const char* nome;
  std::string linea, treno;  // whole documents
  reperto_id id;
  posto dove;
};

void PrintTo(const caso_avviso& c, std::ostream* os) { *os << c.nome; }

const std::string linea_pulita =
    "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\npendenza, 0, 2\r\n[fine]\r\n";
const std::string treno_pulito =
    "[generale]\r\nvelocita, 0, 100\r\nsegnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\n"
    "stazione, 3100, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, Roma\r\n[fine]\r\n";

std::string linea_con(const std::string& riga) {
  return "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n" + riga +
         "\r\n[fine]\r\n";
}
std::string treno_con(const std::string& riga) {
  return "[generale]\r\n" + riga + "\r\n[fine]\r\n";
}

const std::vector<reperto> avvisi_di(sorgenti& s) {
  std::vector<reperto> out;
  for (const reperto& r : s.reperti) {
    if (descrivi(r.id).livello == severity::warning) out.push_back(r);
  }
  return out;
}

class Avviso : public ::testing::TestWithParam<caso_avviso> {};

TEST_P(Avviso, IsRaisedWhereTheDocumentSaysSo) {
  const caso_avviso& c = GetParam();
  sorgenti s;
  s.linea_grezza(c.linea);
  s.treno_grezzo(c.treno);
  ASSERT_EQ(memorizza_percorso(s.st, s.da_leggere(), 1).tipo, esito::fatto);
  EXPECT_EQ(s.st.codice_errore, 0) << "a warning sets no status";
  const std::vector<reperto> avvisi = avvisi_di(s);
  ASSERT_EQ(avvisi.size(), 1u);
  EXPECT_EQ(descrivi(avvisi[0].id).nome, descrivi(c.id).nome);
  EXPECT_EQ(avvisi[0].dove.doc, c.dove.doc);
  EXPECT_EQ(s.riga_di(avvisi[0].dove), c.dove.riga);
  EXPECT_EQ(s.testo_di(avvisi[0].dove), c.dove.testo);
}

const documento L = documento::linea;
const documento T = documento::treno;

INSTANTIATE_TEST_SUITE_P(
    OnePerWarning, Avviso,
    ::testing::Values(
        caso_avviso{"DecimalComma",
                    linea_con("pendenza,  1250,   -4,5"),
                    treno_pulito,
                    reperto_id::virgola_decimale,
                    {L, 4, "-4,5"}},
        caso_avviso{"ExtraFields",
                    linea_con("pendenza,  1250,   -4, 5"),
                    treno_pulito,
                    reperto_id::campi_in_piu,
                    {L, 4, "5"}},
        caso_avviso{"UnknownRow",
                    linea_con("pendolino, 1250, 4"),
                    treno_pulito,
                    reperto_id::riga_sconosciuta,
                    {L, 4, "pendolino"}},
        caso_avviso{"MisspeltKeyword",
                    linea_con("pendnza, 1250, 4"),
                    treno_pulito,
                    reperto_id::parola_quasi,
                    {L, 4, "pendnza"}},
        caso_avviso{"HeaderRowInTheBody",
                    linea_con("sfondo uno, 3"),
                    treno_pulito,
                    reperto_id::riga_fuori_posto,
                    {L, 4, "sfondo uno"}},
        caso_avviso{"LineRowInTheTrainSource",
                    linea_pulita,
                    treno_con("sabbia, 100\r\npendenza, 0, 2"),
                    reperto_id::riga_fuori_posto,
                    {T, 3, "pendenza"}},
        caso_avviso{
            "CapitalInAHeaderKeyword",
            "[generale]\r\nlunghezza percorso, 10000\r\nSfondo uno, 3\r\n[curve]\r\n"
            "[fine]\r\n",
            treno_pulito,
            reperto_id::maiuscole,
            {L, 3, "Sfondo uno"}},
        caso_avviso{"Tab",
                    linea_con("pendenza,\t0, 2"),
                    treno_pulito,
                    reperto_id::tabulazione,
                    {L, 4, "\t"}},
        caso_avviso{"LoneLineFeed",
                    "[generale]\r\nlunghezza percorso, 10000\n[curve]\r\n[fine]\r\n",
                    treno_pulito,
                    reperto_id::fine_riga_isolata,
                    {L, 2, "\n"}},
        caso_avviso{"TrailingBlanksInAName",
                    linea_con("cartello_indicatore, 7950, Km 8   "),
                    treno_pulito,
                    reperto_id::spazi_finali,
                    {L, 4, "Km 8   "}},
        caso_avviso{"LineAfterFine",
                    linea_pulita + "pendenza, 5000, 1\r\n",
                    treno_pulito,
                    reperto_id::dopo_fine,
                    {L, 6, "pendenza, 5000, 1"}},
        caso_avviso{"SpeedRowsOutOfOrder",
                    linea_pulita,
                    treno_con("velocita, 5000, 100\r\nvelocita, 3000, 60"),
                    reperto_id::fuori_ordine,
                    {T, 3, "3000"}},
        caso_avviso{"SignalTimeRaised",
                    linea_pulita,
                    treno_con("segnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 50"),
                    reperto_id::tempo_alzato,
                    {T, 2, "segnale"}},
        caso_avviso{"SignalTimeDropped",
                    linea_pulita,
                    treno_con("segnale, 1050, 1, 4, 1, 1, 0, 2, 2, 1, 1, 200"),
                    reperto_id::tempo_ignorato,
                    {T, 2, "segnale"}},
        caso_avviso{"AdhesionOver8Bits",
                    linea_pulita,
                    treno_con("aderenza, 0, 300"),
                    reperto_id::valore_troncato,
                    {T, 2, "300"}},
        caso_avviso{"SpeedOffTheGrid",
                    linea_pulita,
                    treno_con("velocita, 0, 97"),
                    reperto_id::velocita_arrotondata,
                    {T, 2, "97"}},
        caso_avviso{
            "FirstStationFlagCleared",
            linea_pulita,
            treno_con("stazione, 3100, 22, 400, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                      "Roma"),
            reperto_id::opzione_azzerata,
            {T, 2, "stazione"}},
        caso_avviso{
            "StopPointOverACodePoint",
            linea_pulita,
            treno_con("abbattimento, 3250, 270\r\n"
                      "stazione, 3100, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                      "Roma"),
            reperto_id::sovrascritto,
            {T, 3, "stazione"}}),
    [](const ::testing::TestParamInfo<caso_avviso>& i) { return i.param.nome; });

TEST(Avvisi, CleanDocumentsRaiseNone) {
  sorgenti s;
  s.linea_grezza(linea_pulita);
  s.treno_grezzo(treno_pulito);
  ASSERT_EQ(memorizza_percorso(s.st, s.da_leggere(), 1).tipo, esito::fatto);
  EXPECT_TRUE(s.reperti.empty()) << descrivi(s.reperti.front().id).nome;
}

TEST(Avvisi, SuggestTheNearestKeyword) {
  EXPECT_EQ(parole_chiave()[parola_vicina("pendnza")].parola, "pendenza");
  EXPECT_EQ(parole_chiave()[parola_vicina("SEGNALLE")].parola, "segnale");
  EXPECT_EQ(parole_chiave()[parola_vicina("stazone")].parola, "stazione");
  EXPECT_EQ(parola_vicina("completely different"), -1);
}

// Each conflict of cells: its error, and the note at the row that took the
// cell first.
struct caso_nota {
  const char* nome;
  std::string linea, treno;
  reperto_id id;
  posto nota;
};

void PrintTo(const caso_nota& c, std::ostream* os) { *os << c.nome; }

class Nota : public ::testing::TestWithParam<caso_nota> {};

TEST_P(Nota, PointsAtTheRowThatTookTheCell) {
  const caso_nota& c = GetParam();
  sorgenti s;
  s.linea_grezza(c.linea);
  s.treno_grezzo(c.treno);
  memorizza_percorso(s.st, s.da_leggere(), 1);
  const reperto* r = s.ultimo_errore();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(descrivi(r->id).nome, descrivi(c.id).nome);
  EXPECT_EQ(r->origine.doc, c.nota.doc);
  EXPECT_EQ(s.riga_di(r->origine), c.nota.riga);
  EXPECT_EQ(s.testo_di(r->origine), c.nota.testo);
}

const std::string boards = "indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0";
const std::string signal_at(int p) {
  return "segnale, " + std::to_string(p) + ", 2, 4, 1, 1, 0, 2, 2, 1, 1, 0";
}

INSTANTIATE_TEST_SUITE_P(
    EachConflict, Nota,
    ::testing::Values(
        caso_nota{"SignOnBoards",
                  linea_con(boards + "\r\ncartello_indicatore, 1000, X"),
                  treno_pulito,
                  reperto_id::cartello_occupato,
                  {L, 4, "indicatori_vmax"}},
        caso_nota{"BoardsOnBoards",
                  linea_con(boards + "\r\n" + boards),
                  treno_pulito,
                  reperto_id::indicatori_occupati,
                  {L, 4, "indicatori_vmax"}},
        caso_nota{"SignalOnBoards",
                  linea_con(boards),
                  treno_con(signal_at(1010)),
                  reperto_id::segnale_occupato,
                  {L, 4, "indicatori_vmax"}},
        caso_nota{"CodePointOnASignal",
                  linea_pulita,
                  treno_con(signal_at(1050) + "\r\nabbattimento, 1100, 270"),
                  reperto_id::abbattimento_occupato,
                  {T, 2, "segnale"}},
        caso_nota{
            "WarningBoardOnASignal",
            linea_pulita,
            treno_con(signal_at(1800) + "\r\nrallentamento, 3000, 60, 1000, 0, 1, 0"),
            reperto_id::avviso_occupato,
            {T, 2, "segnale"}},
        caso_nota{
            "StartBoardOnASignal",
            linea_pulita,
            treno_con(signal_at(3000) + "\r\nrallentamento, 3000, 60, 1000, 0, 1, 0"),
            reperto_id::inizio_occupato,
            {T, 2, "segnale"}},
        caso_nota{
            "EndBoardOnASignal",
            linea_pulita,
            treno_con(signal_at(4000) + "\r\nrallentamento, 3000, 60, 1000, 0, 1, 0"),
            reperto_id::fine_occupato,
            {T, 2, "segnale"}},
        caso_nota{
            "ApproachMarkOnACodePoint",
            linea_pulita,
            treno_con(
                "abbattimento, 1650, 270\r\nrallentamento, 3000, 60, 1000, 0, 1, 0"),
            reperto_id::preavvisi_occupati,
            {T, 2, "abbattimento"}},
        caso_nota{
            "NoRoomBeforeASignal",
            linea_con("indicatori_vmax, 1450, 90, 95, 100, 0, , , , 0\r\n"
                      "indicatori_vmax, 1400, 90, 95, 100, 0, , , , 0"),
            treno_con(signal_at(1500) + "\r\nrallentamento, 3000, 60, 500, 0, 0, 0"),
            reperto_id::codice_senza_posto_segnale,
            {L, 4, "indicatori_vmax"}},
        caso_nota{
            "NoRoomBeforeAStartBoard",
            linea_pulita,
            treno_con("abbattimento, 2800, 75\r\nabbattimento, 2750, 75\r\n"
                      "abbattimento, 2700, 75\r\nrallentamento, 3000, 60, 500, 0, 0, 0"),
            reperto_id::codice_senza_posto_finestra,
            {T, 2, "abbattimento"}},
        caso_nota{
            "NoRoomInsideASlowdown",
            linea_pulita,
            treno_con("abbattimento, 3450, 75\r\nabbattimento, 3400, 75\r\n"
                      "abbattimento, 3500, 75\r\nrallentamento, 3000, 60, 500, 0, 0, 0"),
            reperto_id::codice_senza_posto_interno,
            {T, 2, "abbattimento"}},
        caso_nota{"StationsTooClose",
                  linea_pulita,
                  treno_con("stazione,3100,22,400,0,0,0,0,0,0,0,0,0,0,0,0,0,A\r\n"
                            "stazione,3600,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,B"),
                  reperto_id::stazioni_vicine,
                  {T, 2, "stazione"}}),
    [](const ::testing::TestParamInfo<caso_nota>& i) { return i.param.nome; });

}  // namespace
