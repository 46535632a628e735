// What the reader records when it stops, and which source documents it
// leaves on disk.
#include "reader/memorizza_dati.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "reader/source_fixture.h"
#include "scenario/codici.h"

namespace {

using righe = std::vector<std::string>;

// A line source: [generale], the header rows, [curve], the body rows, [fine].
righe linea(const righe& intestazione, const righe& corpo) {
  righe l = {"[generale]"};
  l.insert(l.end(), intestazione.begin(), intestazione.end());
  l.push_back("[curve]");
  l.insert(l.end(), corpo.begin(), corpo.end());
  l.push_back("[fine]");
  return l;
}
righe linea(const righe& corpo) { return linea({"lunghezza percorso, 10000"}, corpo); }

righe treno(const righe& corpo) {
  righe t = {"[generale]"};
  t.insert(t.end(), corpo.begin(), corpo.end());
  t.push_back("[fine]");
  return t;
}

righe molti(int n, const std::string& prima, int passo, const std::string& dopo,
            int da = 0) {
  righe out;
  for (int i = 0; i < n; ++i)
    out.push_back(prima + std::to_string(da + i * passo) + dopo);
  return out;
}
righe unisci(righe a, const righe& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string segnale_a = ",   2, 4, 1,  1, 0,    2,  2,1,1, 0";
const std::string lungo(70000, 'a');

// The finding a document must give: what, in which document, on which line
// (0: the document is not there) and the text its place covers.
struct atteso {
  reperto_id id = reperto_id::numero;  // numero: no error at all
  documento doc = documento::nessuno;
  int riga = 0;
  std::string testo;
};
const atteso nessuno{};

void controlla(const sorgenti& s, const atteso& a) {
  const reperto* r = s.ultimo_errore();
  if (a.id == reperto_id::numero) {
    EXPECT_EQ(r, nullptr) << descrivi(r->id).nome;
    return;
  }
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(descrivi(r->id).nome, descrivi(a.id).nome);
  EXPECT_EQ(r->dove.doc, a.doc);
  EXPECT_EQ(s.riga_di(r->dove), a.riga);
  EXPECT_EQ(s.testo_di(r->dove), a.testo);
  // The status the finding names is the one recorded.
  EXPECT_EQ(descrivi(r->id).codice, s.st.codice_errore);
}

struct caso {
  const char* nome;
  righe l, t;
  int32_t codice;
  int32_t posizione;  // posizione_errore (0 where the code sets none)
  bool resta_linea, resta_treno;
  atteso reperto_atteso;  // the last error found
};

// Cases print by their names in test listings.
void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

class Stato : public ::testing::TestWithParam<caso> {};

TEST_P(Stato, RecordsTheCodeAndLeavesTheDocumentsAsTabled) {
  const caso& c = GetParam();
  sorgenti s;
  if (!c.l.empty()) s.linea(c.l);
  if (!c.t.empty()) s.treno(c.t);
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, c.codice);
  EXPECT_EQ(s.st.posizione_errore, c.posizione);
  EXPECT_EQ(s.resta_linea(), c.resta_linea);
  EXPECT_EQ(s.resta_treno(), c.resta_treno);
  controlla(s, c.reperto_atteso);
}

const righe treno_vuoto = treno({});

INSTANTIATE_TEST_SUITE_P(
    MemorizzaDati, Stato,
    ::testing::Values(
        caso{"Ok", linea({}), treno_vuoto, 0, 0, false, false, nessuno},
        caso{"RouteTooLong1", linea({"lunghezza percorso, 1000001"}, {}), treno_vuoto, codice::percorso_troppo_lungo,
             0, false, true, {reperto_id::percorso_troppo_lungo, documento::linea, 2, "1000001"}},
        caso{"ProgressiveNotOn50m2",
             linea({"lunghezza percorso, 10000",
                    "progressiva chilometrica uno, 31100, 3075, 0"},
                   {}),
             treno_vuoto, codice::progressiva_non_multipla, 0, false, false, {reperto_id::progressiva_non_multipla, documento::linea, 3, "progressiva chilometrica uno"}},
        caso{"RepetitionStart3",
             linea({"lunghezza percorso, 10000",
                    "ripetizione segnali 9 codici, 8010, 330700"},
                   {}),
             treno_vuoto, codice::ripetizione_inizio, 0, false, true, {reperto_id::ripetizione_inizio, documento::linea, 3, "8010"}},
        caso{"RepetitionEnd4",
             linea({"lunghezza percorso, 10000",
                    "ripetizione segnali 9 codici, 8000, 330710"},
                   {}),
             treno_vuoto, codice::ripetizione_fine, 0, false, true, {reperto_id::ripetizione_fine, documento::linea, 3, "330710"}},
        caso{"RepetitionCodes5",
             linea({"lunghezza percorso, 10000",
                    "ripetizione segnali codici, 8000, 330700"},
                   {}),
             treno_vuoto, codice::ripetizione_codici, 0, false, true, {reperto_id::ripetizione_codici, documento::linea, 3, "ripetizione segnali codici"}},
        caso{"SignOnATakenCell6",
             linea({"indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0",
                    "cartello_indicatore, 1000, (X)"}),
             treno_vuoto, codice::cartello_occupato, 1000, false, true, {reperto_id::cartello_occupato, documento::linea, 5, "1000"}},
        caso{"CodePointOnATakenCell7", linea({}),
             treno({"abbattimento, 7050, 270", "abbattimento, 7060, 270"}), codice::abbattimento_occupato, 7060,
             false, false, {reperto_id::abbattimento_occupato, documento::treno, 3, "7060"}},
        caso{"StationNotOn50m8", linea({}),
             treno({"stazione,1025,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), codice::stazione_non_multipla, 1025, false,
             false, {reperto_id::stazione_non_multipla, documento::treno, 2, "1025"}},
        caso{"StationLength9", linea({}),
             treno({"stazione,1000,22,250,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), codice::lunghezza_stazione, 1000, false,
             false, {reperto_id::lunghezza_stazione, documento::treno, 2, "250"}},
        caso{"NoSlotForAStation10",
             linea(molti(79, "cartello_indicatore, ", 100, ", (S)", 500)),
             treno({"stazione,9000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), codice::stazioni_esaurite, 0, false,
             false, {reperto_id::stazioni_esaurite, documento::treno, 2, "stazione"}},
        caso{"LineRowBeyondTheTrack15", linea({"pendenza, 16950, 5"}), treno_vuoto, codice::oltre_percorso,
             16950, false, false, {reperto_id::oltre_percorso, documento::linea, 4, "16950"}},
        caso{"TrainRowBeyondTheTrack15", linea({}), treno({"velocita, 16950, 50"}), codice::oltre_percorso,
             16950, false, false, {reperto_id::oltre_percorso, documento::treno, 2, "16950"}},
        caso{"StationBeyondTheTrack15", linea({}),
             treno({"stazione,16300,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), codice::oltre_percorso, 16300,
             false, false, {reperto_id::oltre_percorso, documento::treno, 2, "16300"}},
        caso{"LastRowInsideTheTrack", linea({"pendenza, 16900, 5"}),
             treno({"stazione,16200,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), 0, 0, false,
             false, nessuno},
        caso{"SignalOnATakenCell16", linea({}),
             treno({"segnale, 1025" + segnale_a, "segnale, 1075" + segnale_a}), codice::segnale_occupato, 1075,
             false, false, {reperto_id::segnale_occupato, documento::treno, 3, "1075"}},
        caso{"WarningBoardTaken17", linea({}),
             treno({"segnale, 1800" + segnale_a,
                    "rallentamento, 3000, 60, 1000, 0, 1, 0"}),
             codice::avviso_occupato, 3000, false, false, {reperto_id::avviso_occupato, documento::treno, 3, "3000"}},
        caso{"StartBoardTaken18", linea({}),
             treno({"segnale, 3000" + segnale_a,
                    "rallentamento, 3000, 60, 1000, 0, 1, 0"}),
             codice::inizio_occupato, 3000, false, false, {reperto_id::inizio_occupato, documento::treno, 3, "3000"}},
        caso{"EndBoardTaken19", linea({}),
             treno({"segnale, 4000" + segnale_a,
                    "rallentamento, 3000, 60, 1000, 0, 1, 0"}),
             codice::fine_occupato, 3000, false, false, {reperto_id::fine_occupato, documento::treno, 3, "3000"}},
        caso{"ApproachCellsTaken20", linea({}),
             treno({"abbattimento, 1650, 270", "rallentamento, 3000, 60, 1000, 0, 1, 0"}),
             codice::preavvisi_occupati, 3000, false, false, {reperto_id::preavvisi_occupati, documento::treno, 3, "3000"}},
        caso{"SpeedBoardsTaken21",
             linea({"indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0",
                    "indicatori_vmax, 1010, 90, 95, 100, 0, , , , 0"}),
             treno_vuoto, codice::indicatori_occupati, 1010, false, true, {reperto_id::indicatori_occupati, documento::linea, 5, "1010"}},
        caso{"StationsTooClose22", linea({}),
             treno({"stazione,3100,22,400,0,0,0,0,0,0,0,0,0,0,0,0,0,A",
                    "stazione,3600,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,B"}),
             codice::stazioni_vicine, 3600, false, false, {reperto_id::stazioni_vicine, documento::treno, 3, "3600"}},
        caso{"StationsJustFarEnough", linea({}),
             treno({"stazione,3100,22,400,0,0,0,0,0,0,0,0,0,0,0,0,0,A",
                    "stazione,3750,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,B"}),
             0, 0, false, false, nessuno},
        caso{"StopPointWithinTheFirst100m24", linea({}),
             treno({"stazione,0,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), codice::fermata_iniziale, 0, false,
             false, {reperto_id::fermata_iniziale, documento::treno, 2, "0"}},
        caso{"LineSourceMissing101", {}, treno_vuoto, codice::linea_mancante, 0, false, true, {reperto_id::linea_mancante, documento::linea, 0, ""}},
        caso{"NoGenerale102",
             {"lunghezza percorso, 10000", "[fine]"},
             treno_vuoto,
             codice::generale_mancante,
             0,
             false,
             true, {reperto_id::generale_mancante, documento::linea, 1, ""}},
        caso{"GeneraleOnTheLastLine102", {"[generale]"}, treno_vuoto, codice::generale_mancante, 0, false, true,
             {reperto_id::generale_mancante, documento::linea, 1, ""}},
        caso{"CurveWithoutRadius103", linea({"curvas, 1000, 100"}), treno_vuoto, codice::curva_errata, 0,
             false, true, {reperto_id::curva_senza_classe, documento::linea, 4, "curvas"}},
        caso{"CurvePast1000000m103",
             linea({"lunghezza percorso, 1000000"}, {"curvad1, 999000, 5000"}),
             treno_vuoto, codice::curva_errata, 0, false, true, {reperto_id::curva_oltre_limite, documento::linea, 4, "5000"}},
        // Code 15 of the line half ends the train half at its first signal.
        caso{"LineCode15EndsTheTrainAtASignal", linea({"pendenza, 16950, 5"}),
             treno({"velocita, 0, 100", "segnale, 1050" + segnale_a,
                    "velocita, 1000, 50"}),
             codice::oltre_percorso, 1050, false, false, {reperto_id::oltre_percorso, documento::linea, 4, "16950"}}),
    [](const ::testing::TestParamInfo<caso>& i) { return i.param.nome; });

// Every failure below ends through the failure exit: status 25, both
// documents deleted.
struct guasto {
  const char* nome;
  righe l, t;
  atteso causa;
};

// Cases print by their names in test listings.
void PrintTo(const guasto& c, std::ostream* os) { *os << c.nome; }

class Guasto : public ::testing::TestWithParam<guasto> {};

TEST_P(Guasto, EndsWith25AndBothDocumentsDeleted) {
  const guasto& g = GetParam();
  sorgenti s;
  s.linea(g.l);
  if (!g.t.empty()) s.treno(g.t);
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, codice::errore_lettura);
  EXPECT_FALSE(s.resta_linea());
  EXPECT_FALSE(s.resta_treno());
  controlla(s, g.causa);
}

INSTANTIATE_TEST_SUITE_P(
    MemorizzaDati, Guasto,
    ::testing::Values(
        guasto{"RowBeforeTheRouteLength", linea({}, {"pendenza, 0, 0"}), treno_vuoto, {reperto_id::senza_percorso, documento::linea, 3, "0"}},
        guasto{"NoRouteLength", linea({}, {}), treno_vuoto, {reperto_id::percorso_mancante, documento::linea, 1, "[generale]"}},
        guasto{"TrainSourceMissing", linea({}), {}, {reperto_id::treno_mancante, documento::treno, 0, ""}},
        guasto{"EndOfFileInsideARow",
               {"[generale]", "lunghezza percorso, 10000", "[curve]", "pendenza, 100"},
               treno_vuoto, {reperto_id::fine_documento, documento::linea, 4, "pendenza"}},
        guasto{"EndOfFileInsideTheHeaderSkip", {"[generale]", "-a", "-b"}, treno_vuoto, {reperto_id::fine_documento, documento::linea, 3, "-b"}},
        guasto{"FieldThatIsNotANumber", linea({"pendenza, 1O0, 5"}), treno_vuoto, {reperto_id::non_numero, documento::linea, 4, "1O0"}},
        guasto{"FortyDigitNumber",
               linea({"pendenza, 1234567890123456789012345678901234567890, 5"}),
               treno_vuoto, {reperto_id::valore_troppo_grande, documento::linea, 4, "1234567890123456789012345678901234567890"}},
        guasto{"RouteLengthWithANulByte",
               {"[generale]",
                std::string("lunghezza percorso, 10\0"
                            "00",
                            24),
                "[fine]"},
               treno_vuoto, {reperto_id::non_numero, documento::linea, 2, std::string("10\0" "0", 4)}},
        guasto{"EightyOneSigns",
               linea(molti(81, "cartello_indicatore, ", 100, ", (S)", 500)), treno_vuoto, {reperto_id::troppi_cartelli, documento::linea, 84, "8500"}},
        guasto{"EightyOneMountains", linea(molti(81, "montagna, ", 200, ", 50, 2", 500)),
               treno_vuoto, {reperto_id::troppe_montagne, documento::linea, 84, "16500"}},
        guasto{"GradientCursorPastTheLastCell",
               linea({"lunghezza percorso, 0"},
                     unisci({"pendenza, 6800, 1"}, molti(6, "pendenza, 6800, ", 1, ""))),
               treno_vuoto, {reperto_id::fuori_dal_percorso, documento::linea, 10, "6800"}},
        guasto{"AdhesionCursorPastTheLastCell", linea({"lunghezza percorso, 0"}, {}),
               treno(unisci({"aderenza, 6800, 1"}, molti(6, "aderenza, 6800, ", 1, ""))), {reperto_id::fuori_dal_percorso, documento::treno, 8, "6800"}},
        guasto{"CurvePastThePolyline",
               linea({"lunghezza percorso, 0"}, {"curvad1, 6000, 2000"}), treno_vuoto, {reperto_id::fuori_dal_percorso, documento::linea, 4, "2000"}},
        guasto{"SignalBelowCell8", linea({}), treno({"segnale, 300" + segnale_a}), {reperto_id::fuori_dal_percorso, documento::treno, 2, "300"}},
        guasto{"SignAtANegativePosition", linea({"cartello_indicatore, -200, (X)"}),
               treno_vuoto, {reperto_id::fuori_dal_percorso, documento::linea, 4, "-200"}},
        guasto{"CodePointAtANegativePosition", linea({}),
               treno({"abbattimento, -100, 270"}), {reperto_id::fuori_dal_percorso, documento::treno, 2, "-100"}},
        guasto{"SlowdownEndPastTheTrack", linea({}),
               treno({"rallentamento, 3000, 60, 100000, 0, 0, 0"}), {reperto_id::fuori_dal_percorso, documento::treno, 2, "3000"}},
        guasto{"MountainEndPastTheTrack", linea({"montagna, 1000, 100000, 2"}),
               treno_vuoto, {reperto_id::fuori_dal_percorso, documento::linea, 4, "1000"}},
        guasto{"SignTextOver65535Bytes", linea({"cartello_indicatore, 1000, " + lungo}),
               treno_vuoto, {reperto_id::nome_troppo_lungo, documento::linea, 4, lungo}},
        guasto{"StationNameOver65535Bytes", linea({}),
               treno({"stazione,3000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0," + lungo}), {reperto_id::nome_troppo_lungo, documento::treno, 2, lungo}},
        guasto{"SpeedOver255Units", linea({}),
               treno({"velocita, 0, 1300", "velocita, 1000, 50"}), {reperto_id::valore_troppo_grande, documento::treno, 2, "1300"}},
        guasto{"ClockValueOver16Bits", linea({}), treno({"orologio, 40000, 0, 0"}), {reperto_id::valore_troppo_grande, documento::treno, 2, "40000"}},
        guasto{"StationKindOver8Bits", linea({}),
               treno({"stazione,3000,300,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}), {reperto_id::valore_troppo_grande, documento::treno, 2, "300"}},
        guasto{"StationTimeOver32Bits", linea({}),
               treno({"stazione,3000,22,200,0,0,0,0,0,0,0,0,0,0,1000000,0,0,X"}), {reperto_id::valore_troppo_grande, documento::treno, 2, "1000000,0,0"}},
        guasto{"SpeedBoardPairOver16Bits",
               linea({"indicatori_vmax, 1000, 2000, 95, 100, 0, , , , 0"}), treno_vuoto, {reperto_id::valore_troppo_grande, documento::linea, 4, "1000"}},
        guasto{"TruncatedTrainSource", linea({}), {"[generale]", "stazione, 0, 8, 500"}, {reperto_id::fine_documento, documento::treno, 2, "stazione"}}),
    [](const ::testing::TestParamInfo<guasto>& i) { return i.param.nome; });

TEST(MemorizzaDati, ANegativeRouteLengthCreatesNoTrack) {
  sorgenti s;
  s.linea(linea({"lunghezza percorso, -8000"}, {}));
  s.treno(treno_vuoto);
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, codice::errore_lettura);
  EXPECT_TRUE(s.st.percorso.empty());
  EXPECT_FALSE(s.st.tracciato.esiste());
}

TEST(MemorizzaDati, LineCode15StillReadsTheTrainSource) {
  sorgenti s;
  s.linea(linea({"pendenza, 0, 2", "pendenza, 16950, 5", "pendenza, 100, 9"}));
  s.treno(treno({"velocita, 0, 100", "velocita, 1000, 50"}));
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, codice::oltre_percorso);
  EXPECT_EQ(s.c(0).pendenza, 102) << "the body stopped at the row beyond the track";
  EXPECT_EQ(s.c(300).pendenza, 102);
  EXPECT_EQ(s.c(19).velocita, 20);
  EXPECT_EQ(s.c(20).velocita, 10);
}

TEST(MemorizzaDati, EightySignsLeaveNoSlotForAStation) {
  sorgenti s;
  s.linea(linea(molti(80, "cartello_indicatore, ", 100, ", (S)", 500)));
  s.treno(treno({"stazione,9000,22,200,0,0,0,0,0,0,0,0,0,0,0,0,0,X"}));
  s.leggi();
  EXPECT_EQ(s.st.codice_errore, codice::stazioni_esaurite);
  EXPECT_EQ(s.st.elementi[1].nome, "(S)") << "the last sign keeps its slot";
  EXPECT_EQ(s.st.elementi[1].progressiva, 0);
  EXPECT_EQ(s.st.elementi[0].nome, "");
}

TEST(MemorizzaDati, AStaleTrackIsNotKept) {
  sorgenti s;
  s.st.percorso.assign(10, cella{});
  s.st.tracciato.crea(100);
  s.treno(treno_vuoto);
  s.leggi();  // no line source
  EXPECT_EQ(s.st.codice_errore, codice::linea_mancante);
  EXPECT_TRUE(s.st.percorso.empty());
  EXPECT_FALSE(s.st.tracciato.esiste());
}

// Hostile documents end with a status code, never a crash.
TEST(MemorizzaDati, HostileDocuments) {
  struct {
    const char* nome;
    std::string l, t;
    int32_t codice;
  } casi[] = {
      {"EmptyLineSource", "", testo_crlf(treno_vuoto), codice::generale_mancante},
      {"OnlyCommas", std::string(500, ','), testo_crlf(treno_vuoto), codice::generale_mancante},
      {"TrainOnlyCommas", testo_crlf(linea({})), std::string(500, ','), 0},
      {"TruncatedLine", testo_crlf(linea({"pendenza, 0, 5"})).substr(0, 59),
       testo_crlf(treno_vuoto), codice::errore_lettura},
      {"TruncatedInsideAKeyword", testo_crlf(linea({"pendenza, 0, 5"})).substr(0, 52),
       testo_crlf(treno_vuoto), 0},
      {"NulInAKeyword", testo_crlf(linea({std::string("pend\0enza, 0, 5", 15)})),
       testo_crlf(treno_vuoto), 0},
      {"HundredThousandCharacterLine", testo_crlf(linea({std::string(100000, 'x')})),
       testo_crlf(treno({std::string(100000, '-')})), 0},
      {"NoLineEnds", "[generale],lunghezza percorso,10000,[curve],pendenza,0,5,[fine]",
       "[generale],velocita,0,50,[fine]", 0},
      {"BinaryNoise", std::string("\xFF\xFE\x00\x01[generale]\r\n\x80\x81", 18),
       testo_crlf(treno_vuoto), codice::errore_lettura},
  };
  for (const auto& c : casi) {
    sorgenti s;
    s.linea_grezza(c.l);
    s.treno_grezzo(c.t);
    s.leggi();
    EXPECT_EQ(s.st.codice_errore, c.codice) << c.nome;
    EXPECT_FALSE(s.resta_linea()) << c.nome;
  }
}

// Rows of real keywords with random values, now and then with a wrong
// number of fields, a hostile value, a lost line end or a cut.
TEST(MemorizzaDati, RandomRowsNeverEscapeTheStatusCodes) {
  const std::vector<std::pair<std::string, unsigned>> righe_note = {
      {"pendenza", 2},
      {"curvad2", 2},
      {"curvas5", 2},
      {"curva", 2},
      {"montagna", 3},
      {"indicatori_vmax", 9},
      {"cartello_indicatore", 2},
      {"segnale", 11},
      {"rallentamento", 6},
      {"abbattimento", 2},
      {"stazione", 17},
      {"velocita", 2},
      {"aderenza", 2},
      {"orologio", 3},
      {"sabbia", 1},
      {"-", 0},
      {"[fine]", 0},
      {"ripetizione segnali 9 codici", 2},
      {"progressiva chilometrica uno", 3},
      {"sfondo due", 1},
      {"lunghezza percorso", 1}};
  const std::vector<std::string> ostili = {
      "",     "-4,5",   "1e3", "(Zona)", "99999999999",
      "-200", "100025", "75",  "-",      std::string(1, '\0')};
  std::mt19937 caso(12345);
  auto valore = [&]() {
    if (caso() % 40 == 0) return ostili[caso() % ostili.size()];
    return std::to_string(caso() % 5 == 0 ? caso() % 20 : caso() % 240 * 50);
  };
  auto documento_a_caso = [&](std::string testo) {
    for (int riga = 0; riga < 30; ++riga) {
      const auto& [chiave, campi] = righe_note[caso() % righe_note.size()];
      testo += chiave;
      const unsigned n = caso() % 20 == 0 ? caso() % 18 : campi;
      for (unsigned i = 0; i < n; ++i) testo += ", " + valore();
      if (caso() % 50 != 0) testo += "\r\n";
    }
    if (caso() % 10 == 0) testo.resize(caso() % testo.size());
    return testo;
  };
  std::map<int32_t, int> visti;
  for (int prova = 0; prova < 600; ++prova) {
    sorgenti s(static_cast<int32_t>(prova % 2));
    s.linea_grezza(
        documento_a_caso("[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n"));
    s.treno_grezzo(documento_a_caso("[generale]\r\n"));
    s.leggi();
    const int32_t stato = s.st.codice_errore;
    ++visti[stato];
    EXPECT_TRUE(codice::in(codice::tutti, stato)) << stato;
    EXPECT_FALSE(s.resta_linea()) << stato;
    EXPECT_EQ(s.resta_treno(), codice::in(codice::fine_nella_linea, stato)) << stato;
    // Every status but 0 comes with a finding that names it.
    const reperto* r = s.ultimo_errore();
    if (stato != 0) {
      ASSERT_NE(r, nullptr) << stato;
      EXPECT_EQ(descrivi(r->id).codice, stato) << descrivi(r->id).nome;
    }
    if (!s.st.percorso.empty()) {
      EXPECT_EQ(s.st.percorso.size(), static_cast<size_t>(s.st.numero_celle) + 1);
    }
  }
  EXPECT_GE(visti.size(), 10u) << "the documents should reach many outcomes";
}

}  // namespace

namespace {

// Each field of a cell remembers the row that set it: a feature its row, a
// fill the row whose value it carries.
TEST(MemorizzaDati, ProvenanceNamesTheRowOfEachField) {
  sorgenti s;
  s.linea(linea({"pendenza, 0, 2", "pendenza, 1000, 5", "montagna, 500, 1500, 12"}));
  s.treno(treno({"velocita, 0, 100", "segnale, 2050" + segnale_a}));
  s.leggi();
  ASSERT_EQ(s.st.codice_errore, 0);
  const auto riga = [&](size_t cella, luogo provenienza_cella::*campo) {
    return s.riga_di(s.provenienza.at(cella).*campo);
  };
  EXPECT_EQ(riga(10, &provenienza_cella::pendenza), 4) << "the first gradient, carried";
  EXPECT_EQ(riga(25, &provenienza_cella::pendenza), 5) << "the last one, up to the end";
  EXPECT_EQ(riga(15, &provenienza_cella::montagna), 6);
  EXPECT_EQ(riga(5, &provenienza_cella::velocita), 2);
  EXPECT_EQ(riga(42, &provenienza_cella::caratteristica), 3);
  EXPECT_EQ(riga(40, &provenienza_cella::preavviso), 3);
  EXPECT_FALSE(s.provenienza.at(41).caratteristica.esiste()) << "nothing set it";
  EXPECT_FALSE(s.provenienza.at(5).aderenza.esiste()) << "no adhesion row: the default";
}

}  // namespace
