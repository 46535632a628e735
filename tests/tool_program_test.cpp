// Whole-program tests of the author's tool: the built `scenario` run as a
// user runs it, in a folder of its own, its stdout, stderr and exit status
// compared as text.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "format/decode.h"
#include "format/slot_meaning.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"
#include "track/memorizza_percorso.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> nomi_in(const std::string& cartella) {
  if (!fs::exists(cartella)) return {};
  std::vector<std::string> nomi;
  for (const auto& e : fs::directory_iterator(cartella)) {
    nomi.push_back(e.path().filename().string());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

const std::vector<std::string> tre_file = {"Vardelia_Corvessa.dat",
                                           "Vardelia_Corvessa.sim", "Vardelia_linea.dat"};

// The built-in documents, as `scenario new` writes them into `cartella`.
void nuovo(const temp_folder& cartella) {
  esito_tool r = esegui(cartella.path(), {"new", "."});
  ASSERT_EQ(r.stato, 0) << r.err;
}

// A small line and train whose second signal takes the cell of the first;
// a tab and a Windows-1252 "à" stand before the field in question.
const std::string linea_piccola =
    "[generale]\r\n"
    "lunghezza percorso,    10000\r\n"
    "progressiva chilometrica uno,    0,    3050,    0\r\n"
    "[curve]\r\n"
    "[fine]\r\n";
const std::string treno_segnale_doppio =
    "[generale]\r\n"
    "[segnali]\r\n"
    "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n"
    "segnale,\t1060,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n"
    "[fine]\r\n";

// ---------------------------------------------------------------------------
// The command line.

TEST(ToolCommandLine, HelpAndVersionGoToStdout) {
  temp_folder d;
  esito_tool r = esegui(d.path(), {"--version"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out, "scenario " SCENARIO_VERSION "\n");
  EXPECT_EQ(r.err, "");

  struct Caso {
    std::vector<std::string> argomenti;
    std::vector<std::string> parti;  // each must be in the help text
  } casi[] = {
      {{"--help"},
       {"Usage: scenario [OPTIONS] [SUBCOMMAND]", "build", "check", "new", "explain",
        "--color", "--explain WORD"}},
      {{"build", "--help"},
       {"Usage: scenario build [OPTIONS] LINE_SOURCE TRAIN_SOURCE", "--no-plan",
        "--force", "--line NAME", "--train NAME", "-o,--output DIR"}},
      {{"check", "--help"},
       {"Usage: scenario check [OPTIONS] LINE_SOURCE TRAIN_SOURCE", "--line NAME"}},
      {{"new", "-h"},
       {"Usage: scenario new [OPTIONS] [DIR]", "--force", "--blank", "--line NAME",
        "--train NAME", "--list"}},
      {{"check", "--help"}, {"-W", "--format FORMAT"}},
  };
  for (const Caso& c : casi) {
    r = esegui(d.path(), c.argomenti);
    EXPECT_EQ(r.stato, 0) << c.argomenti[0];
    EXPECT_EQ(r.err, "");
    for (const std::string& p : c.parti) EXPECT_NE(r.out.find(p), std::string::npos) << p;
  }
  EXPECT_EQ(nomi_in(d.path()), std::vector<std::string>{}) << "nothing written";
}

// Whatever a command prints, stdout on a full device or closed ends the run
// with status 2 and one line saying so: the status of a run whose output
// was lost would tell a script or an editor that all went well.
// Each command's help ends with the exit statuses it gives.
TEST(ToolCommandLine, HelpStatesEachCommandsOwnExitStatuses) {
  temp_folder d;
  const struct {
    const char* comando;
    const char* stati;
  } casi[] = {
      {"check",
       "Exit status: 0 no error in the documents, 1 errors in the documents, 2 a usage "
       "error or a file failure."},
      {"dump",
       "Exit status: 0 the file was shown, 2 a usage error or a file that cannot be read "
       "or is damaged."},
      {"diff",
       "Exit status: 0 the files are equal, 1 they differ, 2 a usage error or a file "
       "that "
       "cannot be read or is damaged."},
      {"new",
       "Exit status: 0 the documents were written (or listed), 2 a usage error or a file "
       "or folder failure."},
      {"explain",
       "Exit status: 0 the word was explained, 2 a word that names nothing, or a usage "
       "error."},
  };
  for (const auto& c : casi) {
    const esito_tool r = esegui(d.path(), {c.comando, "--help"});
    EXPECT_EQ(r.stato, 0) << c.comando;
    const size_t stati = r.out.find("Exit status:");
    ASSERT_NE(stati, std::string::npos) << r.out;
    std::string resto = r.out.substr(stati);
    while (!resto.empty() && resto.back() == '\n') resto.pop_back();
    EXPECT_EQ(resto, c.stati) << c.comando;
  }
}

TEST(ToolCommandLine, OutputThatCannotBeWrittenIsOneLineAndStatus2) {
  if (!fs::is_character_file("/dev/full"))
    GTEST_SKIP() << "/dev/full is not a device here";
  temp_folder d;
  nuovo(d);
  const std::string L = "Vardelia_linea.txt", T = "Vardelia_Corvessa-.txt";
  ASSERT_EQ(esegui(d.path(), {"build", "-o", "o", L, T}).stato, 0);
  const std::vector<std::string> comandi[] = {
      {"--version"},
      {"--help"},
      {"explain"},
      {"explain", "16"},
      {"new", "--force", "n"},
      {"check", "--format=json", L, T},
      {"check", "--format=sarif", L, T},
      {"report", "-Wno-decimal-comma", "-o", "r.html", L, T},
      {"dump", "o/Vardelia_Corvessa.sim"},
      {"blame", "--cell", "3", L, T, "-Wno-decimal-comma"},
  };
  const struct {
    const char* redirezione;
    const char* perche;
  } uscite[] = {{">/dev/full", "No space left on device"},
                {">&-", "Bad file descriptor"}};
  for (const auto& comando : comandi) {
    for (const auto& u : uscite) {
      const esito_tool r = esegui_con_uscita(d.path(), comando, u.redirezione);
      EXPECT_EQ(r.stato, 2) << riga_di_comando(comando) << " " << u.redirezione;
      EXPECT_EQ(r.err,
                std::string("scenario: cannot write the output: ") + u.perche + "\n")
          << riga_di_comando(comando) << " " << u.redirezione;
    }
  }
}

TEST(ToolCommandLine, UsageErrorsAreOneLineAndStatus2) {
  temp_folder d;
  write_bytes(d.file("a.txt"), "x");
  write_bytes(d.file("b.txt"), "x");
  struct Caso {
    std::vector<std::string> argomenti;
    std::string err;
  } casi[] = {
      {{},
       "scenario: a command is required: build, check, new, explain, report, serve, dump, "
       "diff or blame (see 'scenario --help')\n"},
      {{"frobnicate"},
       "scenario: the following argument was not expected: frobnicate (see 'scenario "
       "--help')\n"},
      {{"build", "--bogus", "a.txt", "b.txt"},
       "scenario: the following argument was not expected: --bogus (see 'scenario build "
       "--help')\n"},
      {{"check", "L_linea.txt"},
       "scenario: TRAIN_SOURCE is required (see 'scenario check --help')\n"},
      {{"--color=blue"},
       "scenario: --color: blue not in {auto,always,never} (see 'scenario --help')\n"},
      {{"--color=blue", "check", "a.txt", "b.txt"},
       "scenario: --color: blue not in {auto,always,never} (see 'scenario check "
       "--help')\n"},
      {{"check", "L_linea.txt", "L_T-.txt"},
       "scenario: cannot open 'L_linea.txt': No such file or directory\n"},
      {{"build", "--line", "L", "--train", "T", "a.txt", "missing.txt"},
       "scenario: cannot open 'missing.txt': No such file or directory\n"},
      {{"check", "a.txt", "b.txt"},
       "scenario: cannot tell the line identifier from 'a.txt': the name is not "
       "'<line>_linea.txt' (give it with --line NAME)\n"},
      {{"check", "--line", "L", "a.txt", "b.txt"},
       "scenario: cannot tell the train identifier from 'b.txt': the name is not "
       "'L_<train>-.txt' (give it with --train NAME)\n"},
      {{"build", "--line", "Λ", "--train", "T", "a.txt", "b.txt"},
       "scenario: the line identifier 'Λ' holds a character with no Windows-1252 form: "
       "U+039B\n"},
      {{"check", "--line", "L", "--train", "T€Ж", "a.txt", "b.txt"},
       "scenario: the train identifier 'T€Ж' holds a character with no Windows-1252 "
       "form: "
       "U+0416\n"},
      {{"new"}, "scenario: DIR is required (see 'scenario new --help')\n"},
  };
  for (const Caso& c : casi) {
    esito_tool r = esegui(d.path(), c.argomenti);
    std::string detto = c.argomenti.empty() ? "(none)" : riga_di_comando(c.argomenti);
    EXPECT_EQ(r.stato, 2) << detto;
    EXPECT_EQ(r.err, c.err) << detto;
    EXPECT_EQ(r.out, "") << detto;
  }
  EXPECT_EQ(nomi_in(d.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// ---------------------------------------------------------------------------
// new.

TEST(ToolNew, WritesTheFiveBuiltInDocuments) {
  temp_folder d;
  esito_tool r = esegui(d.path(), {"new", "a/b"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "wrote a/b/Vardelia_linea.txt\n"
            "wrote a/b/Vardelia_Corvessa-.txt\n"
            "wrote a/b/Vardelia_Corvessa_note.txt\n"
            "wrote a/b/Vardelia_Corvessa_rallentamenti.txt\n"
            "wrote a/b/Vardelia_Corvessa_scheda_treno.txt\n");

  // The same bytes the core's writers give.
  temp_folder atteso;
  scenario_state st;
  st.cartella = atteso.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  for (auto w : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    ASSERT_TRUE(w(st).ok());
  }
  ASSERT_EQ(nomi_in(d.file("a/b")), atteso.files());
  for (const std::string& nome : atteso.files()) {
    EXPECT_TRUE(read_bytes(d.file("a/b/" + nome)) == read_bytes(atteso.file(nome)))
        << nome;
  }

  // A folder typed with separators at its end names the files the same.
  r = esegui(d.path(), {"new", "--force", "a/b//"});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("wrote a/b/Vardelia_linea.txt\n")) << r.out;
}

TEST(ToolNew, RefusesToReplaceAFileWithoutForce) {
  temp_folder d;
  write_bytes(d.file("Vardelia_Corvessa_note.txt"), "my notes");
  esito_tool r = esegui(d.path(), {"new", "."});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err,
            "scenario: './Vardelia_Corvessa_note.txt' already exists (use --force to "
            "replace it)\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(d.files(), std::vector<std::string>{"Vardelia_Corvessa_note.txt"})
      << "nothing else written";
  EXPECT_EQ(read_bytes(d.file("Vardelia_Corvessa_note.txt")), "my notes");

  r = esegui(d.path(), {"new", "--force", "."});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(d.files().size(), 5u);
  EXPECT_NE(read_bytes(d.file("Vardelia_Corvessa_note.txt")), "my notes");
}

// ---------------------------------------------------------------------------
// Diagnostics as the author sees them.

TEST(ToolDiagnostics, CheckShowsTheFindingsWithPlacesAndLines) {
  temp_folder d;
  write_bytes(d.file("Città_linea.txt"), linea_piccola);
  write_bytes(d.file("Città_Più-.txt"), treno_segnale_doppio);
  esito_tool r = esegui(d.path(), {"check", "Città_linea.txt", "./Città_Più-.txt"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(
      r.err,
      "./Città_Più-.txt:4:9: warning: tab in a source line [-Wtab]\n"
      "    4 | segnale,        1060,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
      "      |         ^~~~~~~~\n"
      "./Città_Più-.txt:4:10: error: signal on a cell already taken (cell 22 at 1100 m, "
      "for the row's position 1060 m, "
      "km 4.110) [signal-cell-taken, 16]\n"
      "    4 | segnale,        1060,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
      "      |                 ^~~~\n"
      "./Città_Più-.txt:3:1: note: the cell was first taken here\n"
      "    3 | segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
      "      | ^~~~~~~\n"
      "./Città_Più-.txt:4:49: note: the build stops at this error: rows after line 4 are "
      "read on for their errors but not built\n"
      "    4 | segnale,        1060,   2, 4, 1,  1, 0,    2,  2,1,1, 0\n"
      "      |                                                        ^\n"
      "1 error and 1 warning generated.\n");
}

// The same findings as JSON on stdout, for editors: each with its place as
// line, column and byte span, the cell, metres and kilometric progressive,
// and its notes with their places.
TEST(ToolDiagnostics, CheckAsJsonGivesEachFindingWithItsPlaceAndNotes) {
  using json = nlohmann::json;
  temp_folder d;
  write_bytes(d.file("L_linea.txt"), linea_piccola);
  write_bytes(d.file("L_T-.txt"), treno_segnale_doppio);
  esito_tool r = esegui(d.path(), {"check", "--format=json", "L_linea.txt", "L_T-.txt"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err, "");
  const json j = json::parse(r.out);
  EXPECT_EQ(j["version"], 1);
  EXPECT_EQ(j["errors"], 1);
  EXPECT_EQ(j["warnings"], 1);
  std::vector<std::string> nomi;
  for (const json& x : j["diagnostics"])
    nomi.push_back(x["severity"].get<std::string>() + " " + x["name"].get<std::string>());
  EXPECT_EQ(nomi, (std::vector<std::string>{"warning tab", "error signal-cell-taken",
                                            "note reading-stopped"}));
  const json& errore = j["diagnostics"][1];
  EXPECT_EQ(errore["code"], 16);
  EXPECT_EQ(
      errore["message"],
      "signal on a cell already taken (cell 22 at 1100 m, for the row's position 1060 m, "
      "km 4.110)");
  EXPECT_EQ(errore["location"], json::parse(R"({"file":"L_T-.txt","line":4,"column":10,)"
                                            R"("end_line":4,"end_column":14,"offset":85,)"
                                            R"("length":4})"));
  EXPECT_EQ(errore["cell"], 22);
  EXPECT_EQ(errore["metres"], 1060);
  EXPECT_EQ(errore["km"], "4.110");
  ASSERT_EQ(errore["notes"].size(), 1u);
  EXPECT_EQ(errore["notes"][0]["message"], "the cell was first taken here");
  EXPECT_EQ(errore["notes"][0]["location"]["line"], 3);
}

// What check says the built-in documents make (ToolBuild.EndsWithWhatWasBuilt
// checks the numbers against the files).
const std::string riepilogo_incorporato =
    "scenario: 45 stations, 179 signals, 0 code points added by the build\n";

// The built-in line source holds one decimal comma ("-4,5" on line 188):
// the only warning of the built-in documents. Without it they are silent.
TEST(ToolDiagnostics, BuiltInDocumentsWarnOnlyOfTheirDecimalComma) {
  temp_folder d;
  nuovo(d);
  esito_tool r =
      esegui(d.path(), {"check", "Vardelia_linea.txt", "Vardelia_Corvessa-.txt"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out, "");
  const std::string avviso =
      "Vardelia_linea.txt:188:20: warning: '-4,5' has a decimal comma: the field reads "
      "-4 "
      "and what follows the comma is read as the next row [-Wdecimal-comma]\n"
      "  188 | pendenza,  1250,   -4,5\n"
      "      |                    ^~~~\n"
      "1 warning generated.\n";
  EXPECT_EQ(r.err, avviso + riepilogo_incorporato);
  r = esegui(d.path(), {"check", "-Wno-decimal-comma", "Vardelia_linea.txt",
                        "Vardelia_Corvessa-.txt"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.err, riepilogo_incorporato);
  // Each -W takes one value, wherever it stands: here before the sources
  // and another option.
  r = esegui(d.path(), {"check", "-Wno-decimal-comma", "Vardelia_linea.txt",
                        "Vardelia_Corvessa-.txt", "-Werror"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.err, riepilogo_incorporato);
  r = esegui(d.path(),
             {"check", "-Werror", "Vardelia_linea.txt", "Vardelia_Corvessa-.txt"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_NE(
      r.err.find("error: '-4,5' has a decimal comma: the field reads -4 and what "
                 "follows the comma is read as the next row [-Werror,-Wdecimal-comma]"),
      std::string::npos)
      << r.err;
}

// Each problem the build can find in a document, in a small pair of
// documents, and the place the tool names for it: the first error line of
// `check`, "file:line:column: error: ... [status]".
struct diagnosi {
  const char* nome;
  std::vector<std::string> linea;  // whole line source, lines without CR LF
  std::vector<std::string> treno;  // rows of the train source's body
  std::string attesa;              // "L:2:21" or "T:3:16": document, line, column
  int codice;                      // the number shown in brackets
};

void PrintTo(const diagnosi& d, std::ostream* os) { *os << d.nome; }

std::vector<std::string> con_corpo(std::vector<std::string> corpo,
                                   std::vector<std::string> testa = {
                                       "lunghezza percorso, 10000"}) {
  std::vector<std::string> l = {"[generale]"};
  l.insert(l.end(), testa.begin(), testa.end());
  l.push_back("[curve]");
  l.insert(l.end(), corpo.begin(), corpo.end());
  l.push_back("[fine]");
  return l;
}

std::vector<std::string> ripeti(int n, const std::string& prima, int da, int passo,
                                const std::string& dopo) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i)
    out.push_back(prima + std::to_string(da + i * passo) + dopo);
  return out;
}

const std::string resto_segnale = ", 2, 4, 1, 1, 0, 2, 2, 1, 1, 0";
const std::string stazione_a(int posizione, int lunghezza) {
  return "stazione," + std::to_string(posizione) + ",22," + std::to_string(lunghezza) +
         ",0,0,0,0,0,0,0,0,0,0,0,0,0,X";
}
const std::string rallentamento_3000 = "rallentamento, 3000, 60, 500, 0, 0, 0";
const std::string rallentamento_marcato = "rallentamento, 3000, 60, 1000, 0, 1, 0";

// The lines of a document, each ended by CR LF.
std::string con_crlf(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

class ToolDiagnosi : public ::testing::TestWithParam<diagnosi> {};

TEST_P(ToolDiagnosi, PointsAtThePlaceOfTheProblem) {
  const diagnosi& c = GetParam();
  std::vector<std::string> treno = {"[generale]"};
  treno.insert(treno.end(), c.treno.begin(), c.treno.end());
  treno.push_back("[fine]");
  temp_folder d;
  write_bytes(d.file("L_linea.txt"), con_crlf(c.linea));
  write_bytes(d.file("L_T-.txt"), con_crlf(treno));
  const esito_tool r = esegui(d.path(), {"check", "L_linea.txt", "L_T-.txt"});
  EXPECT_EQ(r.stato, 1) << r.err;
  const std::string file = c.attesa[0] == 'L' ? "L_linea.txt" : "L_T-.txt";
  const std::string inizio = file + c.attesa.substr(1) + ": error: ";
  const size_t a = r.err.find(": error: ");
  ASSERT_NE(a, std::string::npos) << r.err;
  const size_t riga =
      r.err.rfind('\n', a) == std::string::npos ? 0 : r.err.rfind('\n', a) + 1;
  const std::string prima = r.err.substr(riga, r.err.find('\n', a) - riga);
  EXPECT_EQ(prima.substr(0, inizio.size()), inizio) << r.err;
  // The finding's name beside its number.
  const std::regex etichetta(" \\[[a-z0-9]+(-[a-z0-9]+)*, " + std::to_string(c.codice) +
                             "\\]$");
  EXPECT_TRUE(std::regex_search(prima, etichetta)) << prima;
}

INSTANTIATE_TEST_SUITE_P(
    EveryProblem, ToolDiagnosi,
    ::testing::Values(
        diagnosi{"RouteTooLong",
                 con_corpo({}, {"lunghezza percorso, 1000001"}),
                 {},
                 "L:2:21",
                 1},
        diagnosi{"ProgressiveNotOn50",
                 con_corpo({}, {"lunghezza percorso, 10000",
                                "progressiva chilometrica uno, 31100, 3075, 0"}),
                 {},
                 "L:3:1",
                 2},
        diagnosi{"RepetitionStart",
                 con_corpo({}, {"lunghezza percorso, 10000",
                                "ripetizione segnali 9 codici, 8010, 330700"}),
                 {},
                 "L:3:31",
                 3},
        diagnosi{"RepetitionEnd",
                 con_corpo({}, {"lunghezza percorso, 10000",
                                "ripetizione segnali 9 codici, 8000, 330710"}),
                 {},
                 "L:3:37",
                 4},
        diagnosi{"RepetitionCodes",
                 con_corpo({}, {"lunghezza percorso, 10000",
                                "ripetizione segnali codici, 8000, 330700"}),
                 {},
                 "L:3:1",
                 5},
        diagnosi{"SignOnATakenCell",
                 con_corpo({"indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0",
                            "cartello_indicatore, 1000, (X)"}),
                 {},
                 "L:5:22",
                 6},
        diagnosi{"CodePointOnATakenCell",
                 con_corpo({}),
                 {"abbattimento, 7050, 270", "abbattimento, 7060, 270"},
                 "T:3:15",
                 7},
        diagnosi{"StationNotOn50", con_corpo({}), {stazione_a(1025, 200)}, "T:2:10", 8},
        diagnosi{"StationLength", con_corpo({}), {stazione_a(1000, 250)}, "T:2:18", 9},
        diagnosi{"NoSlotForAStation",
                 con_corpo(ripeti(79, "cartello_indicatore, ", 500, 100, ", (S)")),
                 {stazione_a(9000, 200)},
                 "T:2:1",
                 10},
        diagnosi{"NoRoomBeforeASignal",
                 con_corpo({"indicatori_vmax, 1450, 90, 95, 100, 0, , , , 0",
                            "indicatori_vmax, 1400, 90, 95, 100, 0, , , , 0"}),
                 {"segnale, 1500" + resto_segnale, rallentamento_3000},
                 "T:2:1",
                 11},
        diagnosi{"NoRoomBeforeAStartBoard",
                 con_corpo({}),
                 {"abbattimento, 2800, 75", "abbattimento, 2750, 75",
                  "abbattimento, 2700, 75", rallentamento_3000},
                 "T:5:1",
                 12},
        diagnosi{"NoRoomInsideASlowdown",
                 con_corpo({}),
                 {"abbattimento, 3450, 75", "abbattimento, 3400, 75",
                  "abbattimento, 3500, 75", rallentamento_3000},
                 "T:5:1",
                 13},
        diagnosi{
            "LineRowBeyondTheTrack", con_corpo({"pendenza, 16950, 5"}), {}, "L:4:11", 15},
        diagnosi{"SignalOnATakenCell",
                 con_corpo({}),
                 {"segnale, 1025" + resto_segnale, "segnale, 1075" + resto_segnale},
                 "T:3:10",
                 16},
        diagnosi{"WarningBoardTaken",
                 con_corpo({}),
                 {"segnale, 1800" + resto_segnale, rallentamento_marcato},
                 "T:3:16",
                 17},
        diagnosi{"StartBoardTaken",
                 con_corpo({}),
                 {"segnale, 3000" + resto_segnale, rallentamento_marcato},
                 "T:3:16",
                 18},
        diagnosi{"EndBoardTaken",
                 con_corpo({}),
                 {"segnale, 4000" + resto_segnale, rallentamento_marcato},
                 "T:3:16",
                 19},
        diagnosi{"ApproachCellsTaken",
                 con_corpo({}),
                 {"abbattimento, 1650, 270", rallentamento_marcato},
                 "T:3:16",
                 20},
        diagnosi{"SpeedBoardsTaken",
                 con_corpo({"indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0",
                            "indicatori_vmax, 1010, 90, 95, 100, 0, , , , 0"}),
                 {},
                 "L:5:18",
                 21},
        diagnosi{
            "StationsTooClose",
            con_corpo({}),
            {"stazione,3100,22,400,0,0,0,0,0,0,0,0,0,0,0,0,0,A", stazione_a(3600, 200)},
            "T:3:10",
            22},
        diagnosi{
            "StopPointInTheFirst100m", con_corpo({}), {stazione_a(0, 200)}, "T:2:10", 24},
        diagnosi{"NoGenerale", {"lunghezza percorso, 10000", "[fine]"}, {}, "L:1:1", 102},
        diagnosi{
            "CurveWithoutRadius", con_corpo({"curvas, 1000, 100"}), {}, "L:4:1", 103},
        diagnosi{"CurvePast1000000m",
                 con_corpo({"curvad1, 999000, 5000"}, {"lunghezza percorso, 1000000"}),
                 {},
                 "L:4:18",
                 103},
        // The reading failure, by cause.
        diagnosi{"DocumentEndsInsideARow",
                 {"[generale]", "lunghezza percorso, 10000", "[curve]", "pendenza, 100"},
                 {},
                 "L:4:1",
                 25},
        diagnosi{"NotANumber", con_corpo({"pendenza, 1O0, 5"}), {}, "L:4:11", 25},
        diagnosi{"ValueTooLarge", con_corpo({}), {"orologio, 40000, 0, 0"}, "T:2:11", 25},
        diagnosi{"OutsideTheTrack",
                 con_corpo({}),
                 {"segnale, 300" + resto_segnale},
                 "T:2:10",
                 25},
        diagnosi{"RowBeforeTheRouteLength",
                 con_corpo({"pendenza, 0, 0"}, {}),
                 {},
                 "L:3:11",
                 25},
        diagnosi{"NoRouteLength", {"[generale]", "[fine]"}, {}, "L:1:1", 25},
        diagnosi{"NegativeRouteLength",
                 con_corpo({}, {"lunghezza percorso, -8000"}),
                 {},
                 "L:2:21",
                 25},
        diagnosi{"NameTooLong",
                 con_corpo({"cartello_indicatore, 1000, " + std::string(70000, 'a')}),
                 {},
                 "L:4:28",
                 25},
        diagnosi{"EightyOneSigns",
                 con_corpo(ripeti(81, "cartello_indicatore, ", 500, 100, ", (S)")),
                 {},
                 "L:84:22",
                 25},
        // The reserved places of cell 1, named by the row that took it.
        diagnosi{
            "ReservedCell1", con_corpo({}), {"abbattimento, 50, 270"}, "T:2:1", 1250},
        diagnosi{"ReservedRaceCodePlace",
                 con_corpo({"indicatori_vmax, 0, 0, 100, 0, 0, , , , 0"}),
                 {},
                 "L:4:1",
                 1251}),
    [](const ::testing::TestParamInfo<diagnosi>& i) { return i.param.nome; });

// A row read where it does not belong is ignored: the warning says where it
// belongs, quoting the row as typed. A row that overwrites a feature names
// what it overwrote, and is an error unless -Wno-error=overwritten.
TEST(ToolDiagnostics, WarningsSayWhereARowBelongsAndWhatItOverwrote) {
  struct caso {
    std::vector<std::string> linea, treno;  // the train source's body rows
    std::string avviso;                     // the first warning's line
  } casi[] = {
      {con_corpo({"sfondo uno, 3"}),
       {},
       "L_linea.txt:4:1: warning: 'sfondo uno' is not read here: it is a header row, "
       "read "
       "only between \"[generale]\" and the first section line: move it up there "
       "[-Wmisplaced-row]"},
      {con_corpo({}, {"lunghezza percorso, 10000", "Pendenza, 0, 2"}),
       {},
       "L_linea.txt:3:1: warning: 'Pendenza' is not read here: rows of this kind are "
       "read "
       "only after the header ends, at the first section line such as \"[curve]\"; is "
       "that line missing before this one? [-Wmisplaced-row]"},
      {con_corpo({"velocita, 0, 100"}),
       {},
       "L_linea.txt:4:1: warning: 'velocita' is not read here: it is a row of the train "
       "source [-Wmisplaced-row]"},
      {con_corpo({}),
       {"curvas1, 1350, 150"},
       "L_T-.txt:2:1: warning: 'curvas1' is not read here: it is a row of the line "
       "source, "
       "after its header [-Wmisplaced-row]"},
      {con_corpo({}),
       {"abbattimento, 9000, 0", stazione_a(8950, 200)},
       "L_T-.txt:3:1: error: this row overwrites the code point of value 0 that cell "
       "180 held [-Woverwritten]"},
  };
  for (const caso& c : casi) {
    std::vector<std::string> treno = {"[generale]"};
    treno.insert(treno.end(), c.treno.begin(), c.treno.end());
    treno.push_back("sabbia, 100");  // a train source gives a row of its own
    treno.push_back("[fine]");
    temp_folder d;
    write_bytes(d.file("L_linea.txt"), con_crlf(c.linea));
    write_bytes(d.file("L_T-.txt"), con_crlf(treno));
    const bool errore = c.avviso.find(": error: ") != std::string::npos;
    esito_tool r = esegui(d.path(), {"check", "L_linea.txt", "L_T-.txt"});
    EXPECT_EQ(r.stato, errore ? 1 : 0) << r.err;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.avviso);
    if (errore) {
      // Back to a warning, then one warning and what was built.
      r = esegui(d.path(),
                 {"check", "-Wno-error=overwritten", "L_linea.txt", "L_T-.txt"});
      EXPECT_EQ(r.stato, 0) << r.err;
    }
    const size_t riepilogo = r.err.find("\n1 warning generated.\nscenario: ");
    EXPECT_NE(riepilogo, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n', riepilogo + 30), r.err.size() - 1) << r.err;
    EXPECT_TRUE(r.err.ends_with(" added by the build\n")) << r.err;
  }
}

// Findings come in the order of the documents, whatever order they were
// found in (tabs are found by a scan of the whole document, before its
// rows are read), and the limits take the first ones: text and JSON alike.
TEST(ToolDiagnostics, FindingsInDocumentOrder) {
  using json = nlohmann::json;
  temp_folder d;
  write_bytes(d.file("L_linea.txt"),
              con_crlf(con_corpo({"pendenza, 1250, -4,5", "pendenza,\t2000, 1"})));
  write_bytes(d.file("L_T-.txt"),
              con_crlf({"[generale]", "velocita,\t0, 100", "[fine]"}));
  const std::vector<std::string> attesi = {"L_linea.txt:4:17 decimal-comma",
                                           "L_linea.txt:5:10 tab", "L_T-.txt:2:10 tab"};
  esito_tool r = esegui(d.path(), {"check", "L_linea.txt", "L_T-.txt"});
  EXPECT_EQ(r.stato, 0) << r.err;
  std::vector<std::string> testo;
  const std::regex avviso("^([^ ]+:[0-9]+:[0-9]+): warning: .*\\[-W([a-z-]+)\\]$");
  std::smatch m;
  for (size_t i = 0, f; i < r.err.size(); i = f + 1) {
    f = r.err.find('\n', i);
    const std::string riga = r.err.substr(i, f - i);
    if (std::regex_match(riga, m, avviso)) testo.push_back(m[1].str() + " " + m[2].str());
  }
  EXPECT_EQ(testo, attesi) << r.err;
  r = esegui(d.path(), {"check", "--format=json", "L_linea.txt", "L_T-.txt"});
  std::vector<std::string> da_json;
  const json tutti = json::parse(r.out);
  for (const json& x : tutti["diagnostics"]) {
    da_json.push_back(x["location"]["file"].get<std::string>() + ":" +
                      std::to_string(x["location"]["line"].get<int>()) + ":" +
                      std::to_string(x["location"]["column"].get<int>()) + " " +
                      x["name"].get<std::string>());
  }
  EXPECT_EQ(da_json, attesi);
  r = esegui(d.path(),
             {"check", "--warning-limit=1", "--format=json", "L_linea.txt", "L_T-.txt"});
  const json j = json::parse(r.out);
  ASSERT_EQ(j["diagnostics"].size(), 1u);
  EXPECT_EQ(j["diagnostics"][0]["name"], "decimal-comma");
}

TEST(ToolDiagnostics, ColourOnlyOnATerminalWithoutNoColor) {
  temp_folder d;
  write_bytes(d.file("L_linea.txt"), linea_piccola);
  write_bytes(d.file("L_T-.txt"), treno_segnale_doppio);
  const std::vector<std::string> check = {"check", "L_linea.txt", "L_T-.txt"};
  const std::string rosso = "\033[1;31merror:";

  EXPECT_EQ(esegui(d.path(), check).err.find('\033'), std::string::npos)
      << "not a terminal";
  std::vector<std::string> sempre = check;
  sempre.insert(sempre.begin() + 1, "--color=always");
  EXPECT_NE(esegui(d.path(), sempre).err.find(rosso), std::string::npos);

  // On a terminal: `script` gives the tool one.
  if (std::system("command -v script >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "script (bsdutils) is not installed";
  }
  temp_folder cattura;
  auto terminale = [&](const std::string& ambiente, const std::vector<std::string>& a) {
    std::string interno = ambiente + " " + riga_di_comando(a);
    std::string comando = "cd " + quota(d.path()) + " && script -qec " + quota(interno) +
                          " /dev/null </dev/null >" + quota(cattura.file("tty"));
    int raw = std::system(comando.c_str());
    EXPECT_TRUE(raw != -1 && WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << interno;
    return read_bytes(cattura.file("tty"));
  };
  EXPECT_NE(terminale("env -u NO_COLOR", check).find(rosso), std::string::npos);
  std::string senza = terminale("NO_COLOR=1", check);
  EXPECT_NE(senza.find("error:"), std::string::npos);
  EXPECT_EQ(senza.find('\033'), std::string::npos);
  std::vector<std::string> mai = check;
  mai.push_back("--color=never");  // after the command, too
  EXPECT_EQ(terminale("env -u NO_COLOR", mai).find('\033'), std::string::npos);
}

// ---------------------------------------------------------------------------
// build and check leave the author's documents alone.

// What is wrong with the built-in documents in a case.
enum class guasto {
  nessuno,
  segnale_doppio,   // a second signal on a taken cell: errors, a track
  cella_riservata,  // a code point on cell 1: the build stops with 1250
  senza_percorso,   // no route length: no track at all
};

struct CasoSorgenti {
  const char* nome;
  guasto g;
  std::vector<std::string> argomenti;  // after the command; the sources follow
  int stato;
  std::vector<std::string> in_uscita;  // what the output folder holds after
};

void PrintTo(const CasoSorgenti& c, std::ostream* os) { *os << c.nome; }

void inserisci_dopo(std::string& testo, const std::string& dopo,
                    const std::string& riga) {
  size_t at = testo.find(dopo);
  ASSERT_NE(at, std::string::npos) << dopo;
  testo.insert(at + dopo.size(), riga);
}

class ToolSources : public ::testing::TestWithParam<CasoSorgenti> {};

TEST_P(ToolSources, StayByteIdenticalAndNoTemporaryFileIsLeft) {
  const CasoSorgenti& c = GetParam();
  temp_folder d;
  fs::create_directory(d.file("src"));
  temp_folder sorgente;
  nuovo(sorgente);
  std::string linea = read_bytes(sorgente.file("Vardelia_linea.txt"));
  std::string treno = read_bytes(sorgente.file("Vardelia_Corvessa-.txt"));
  switch (c.g) {
    case guasto::nessuno:
      break;
    case guasto::segnale_doppio:
      inserisci_dopo(treno, "[segnali]\r\n",
                     "segnale,    1060,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n");
      break;
    case guasto::cella_riservata:
      inserisci_dopo(treno, "[codici]\r\n", "abbattimento,      50,   270\r\n");
      break;
    case guasto::senza_percorso:
      inserisci_dopo(linea, "lunghezza percorso,    ", "x");
      break;
  }
  write_bytes(d.file("src/Vardelia_linea.txt"), linea);
  write_bytes(d.file("src/Vardelia_Corvessa-.txt"), treno);
  fs::create_directory(d.file("out"));
  if (std::string(c.nome) == "OutputNameTakenByAFolder") {
    fs::create_directory(d.file("out/Vardelia_Corvessa.sim"));
  }

  std::vector<std::string> a = c.argomenti;
  a.push_back("src/Vardelia_linea.txt");
  a.push_back("src/Vardelia_Corvessa-.txt");
  esito_tool r = esegui(d.path(), a);
  EXPECT_EQ(r.stato, c.stato) << r.err;
  EXPECT_EQ(nomi_in(d.file("src")),
            (std::vector<std::string>{"Vardelia_Corvessa-.txt", "Vardelia_linea.txt"}));
  EXPECT_TRUE(read_bytes(d.file("src/Vardelia_linea.txt")) == linea);
  EXPECT_TRUE(read_bytes(d.file("src/Vardelia_Corvessa-.txt")) == treno);
  EXPECT_EQ(nomi_in(d.file("out")), c.in_uscita);
  EXPECT_EQ(nomi_in(d.path()), (std::vector<std::string>{"out", "src"}));
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ToolSources,
    ::testing::Values(
        CasoSorgenti{"Check", guasto::nessuno, {"check"}, 0, {}},
        CasoSorgenti{"CheckDoubledSignal", guasto::segnale_doppio, {"check"}, 1, {}},
        CasoSorgenti{"CheckReservedCell", guasto::cella_riservata, {"check"}, 1, {}},
        CasoSorgenti{"CheckNoTrack", guasto::senza_percorso, {"check"}, 1, {}},
        CasoSorgenti{"Build", guasto::nessuno, {"build", "-o", "out"}, 0, tre_file},
        CasoSorgenti{"BuildNoPlan",
                     guasto::nessuno,
                     {"build", "--no-plan", "-o", "out"},
                     0,
                     {"Vardelia_Corvessa.dat", "Vardelia_Corvessa.sim"}},
        CasoSorgenti{
            "BuildDoubledSignal", guasto::segnale_doppio, {"build", "-o", "out"}, 1, {}},
        CasoSorgenti{"BuildDoubledSignalForced",
                     guasto::segnale_doppio,
                     {"build", "--force", "-o", "out"},
                     1,
                     tre_file},
        CasoSorgenti{"BuildReservedCellForced",
                     guasto::cella_riservata,
                     {"build", "--force", "-o", "out"},
                     1,
                     {}},
        CasoSorgenti{"BuildNoTrackForced",
                     guasto::senza_percorso,
                     {"build", "--force", "-o", "out"},
                     1,
                     {}},
        // The scenario file cannot replace a folder: status 2, the line plan
        // written before it stays, no temporary file.
        CasoSorgenti{"OutputNameTakenByAFolder",
                     guasto::nessuno,
                     {"build", "-o", "out"},
                     2,
                     {"Vardelia_Corvessa.sim", "Vardelia_linea.dat"}}),
    [](const ::testing::TestParamInfo<CasoSorgenti>& info) { return info.param.nome; });

TEST(ToolBuild, RefusesToWriteOverASourceDocument) {
  temp_folder d;
  nuovo(d);
  fs::rename(d.file("Vardelia_Corvessa-.txt"), d.file("L_T.sim"));
  std::string prima = read_bytes(d.file("L_T.sim"));
  esito_tool r = esegui(d.path(), {"build", "--line", "L", "--train", "T",
                                   "Vardelia_linea.txt", "L_T.sim"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err,
            "scenario: the output './L_T.sim' is the source document 'L_T.sim' (write "
            "elsewhere with -o DIR)\n");
  EXPECT_TRUE(read_bytes(d.file("L_T.sim")) == prima);
  EXPECT_EQ(d.files().size(), 5u) << "nothing written";
}

// Without an error, check and build end with what was built: the stations
// and signals the written files hold and the code points the build added.
TEST(ToolBuild, EndsWithWhatWasBuilt) {
  temp_folder d;
  nuovo(d);
  const std::string L = "Vardelia_linea.txt", T = "Vardelia_Corvessa-.txt";
  esito_tool r = esegui(d.path(), {"build", "-Wno-decimal-comma", "-o", "out", L, T});
  ASSERT_EQ(r.stato, 0) << r.err;
  std::smatch m;
  ASSERT_TRUE(
      std::regex_match(r.err, m,
                       std::regex("scenario: ([0-9]+) stations, ([0-9]+) signals, "
                                  "([0-9]+) code points added by the build; wrote 3 "
                                  "files\n")))
      << r.err;
  std::array<elemento, slot::numero> elementi;
  ASSERT_TRUE(
      decode_elementi(read_bytes(d.file("out/Vardelia_Corvessa.sim")), elementi).ok);
  int stazioni = 0;
  for (size_t s = 1; s <= slot::primo_cartello; ++s)
    stazioni += ruolo_di(s, elementi[s]) == ruolo_slot::stazione;
  std::vector<cella> percorso;
  ASSERT_TRUE(
      decode_percorso(read_bytes(d.file("out/Vardelia_Corvessa.dat")), percorso).ok);
  const auto segnali =
      std::count_if(percorso.begin(), percorso.end(),
                    [](const cella& c) { return c.codice == codice_cella::segnale; });
  EXPECT_EQ(std::stoi(m[1]), stazioni);
  EXPECT_EQ(std::stoi(m[2]), segnali);
  EXPECT_EQ(m[3], "0") << "no slowdown in the built-in run: no code point to add";
  EXPECT_EQ(r.err.substr(0, r.err.find(";")) + "\n", riepilogo_incorporato);

  // Without the line plan, two files.
  r = esegui(d.path(), {"build", "-Wno-decimal-comma", "--no-plan", "-o", "out2", L, T});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, riepilogo_incorporato.substr(0, riepilogo_incorporato.size() - 1) +
                       "; wrote 2 files\n");
}

TEST(ToolBuild, FailureToCreateTheOutputFolderIsOneLine) {
  temp_folder d;
  nuovo(d);
  write_bytes(d.file("file"), "");
  esito_tool r = esegui(d.path(), {"build", "-o", "file/out", "-Wno-decimal-comma",
                                   "Vardelia_linea.txt", "Vardelia_Corvessa-.txt"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err.rfind("scenario: cannot create folder 'file/out': ", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

// The names the scenario file stores in slots 85 (line) and 86 (train).
std::array<std::string, 2> nomi_salvati(const std::string& sim) {
  std::array<elemento, slot::numero> elementi;
  decode_status d = decode_elementi(sim, elementi);
  EXPECT_TRUE(d.ok) << d.message;
  return {elementi[slot::linea].nome, elementi[slot::treno].nome};
}

TEST(ToolBuild, IdentifiersNameTheFilesAsTypedAndAreStoredInWindows1252) {
  temp_folder d;
  std::string treno = treno_segnale_doppio;
  treno.erase(treno.find("segnale,\t1060"),
              treno.find("[fine]") - treno.find("segnale,\t1060"));
  write_bytes(d.file("Città_linea.txt"), linea_piccola);
  write_bytes(d.file("Città_Più-.txt"), treno);
  esito_tool r =
      esegui(d.path(), {"build", "-o", "out", "Città_linea.txt", "Città_Più-.txt"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(
      nomi_in(d.file("out")),
      (std::vector<std::string>{"Città_Più.dat", "Città_Più.sim", "Città_linea.dat"}));
  EXPECT_EQ(nomi_salvati(read_bytes(d.file("out/Città_Più.sim"))),
            (std::array<std::string, 2>{"Citt\xE0", "Pi\xF9"}));

  // The same from --line and --train, whatever the documents are called.
  fs::rename(d.file("Città_linea.txt"), d.file("linea.txt"));
  fs::rename(d.file("Città_Più-.txt"), d.file("treno.txt"));
  r = esegui(d.path(), {"build", "-o", "out2", "--line", "Città", "--train", "Più",
                        "linea.txt", "treno.txt"});
  ASSERT_EQ(r.stato, 0) << r.err;
  for (const char* nome : {"Città_Più.dat", "Città_Più.sim", "Città_linea.dat"}) {
    EXPECT_TRUE(read_bytes(d.file(std::string("out2/") + nome)) ==
                read_bytes(d.file(std::string("out/") + nome)))
        << nome;
  }
}

// ---------------------------------------------------------------------------
// The same files as the one-shot program and the core.

TEST(ToolBuild, WritesTheSameFilesAsTheOneShotProgram) {
  temp_folder d;
  ASSERT_EQ(esegui(d.path(), {"new", "D"}).stato, 0);
  esito_tool r = esegui(d.path(), {"build", "D/Vardelia_linea.txt",
                                   "D/Vardelia_Corvessa-.txt", "-o", "OUT"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err.find("error"), std::string::npos) << r.err;
  EXPECT_EQ(nomi_in(d.file("OUT")), tre_file);

  temp_folder uno;
  fs::copy_file(SCENARIO_PROGRAM, uno.file("scenario_build"));
  std::string comando =
      "cd / && " + quota(uno.file("scenario_build")) + " </dev/null >/dev/null 2>&1";
  ASSERT_EQ(std::system(comando.c_str()), 0);
  for (const std::string& nome : tre_file) {
    EXPECT_TRUE(read_bytes(d.file("OUT/" + nome)) == read_bytes(uno.file(nome))) << nome;
  }
}

// The documents as the core takes them in memory, built and written by
// memorizza_percorso into `cartella`.
esito memorizza_in(const std::string& cartella, const std::string& linea,
                   const std::string& treno, int32_t j) {
  scenario_state st;
  st.cartella = cartella;
  st.linea = "L";
  st.treno = "T";
  sorgenti_lettura s;
  s.linea = {"L_linea.txt", stato_documento::presente, linea};
  s.treno = {"L_T-.txt", stato_documento::presente, treno};
  return memorizza_percorso(st, s, j).tipo;
}

TEST(ToolBuild, ForceWritesWhatTheCoreBuildWrites) {
  struct Caso {
    const char* nome;
    std::string linea, treno;
    bool piano;
  } casi[] = {
      {"doubled signal", linea_piccola, treno_segnale_doppio, true},
      {"doubled signal, no plan", linea_piccola, treno_segnale_doppio, false},
      {"row cut short", linea_piccola, "[generale]\r\n[segnali]\r\nsegnale, 1050, 2",
       true},
      {"no route length", "[generale]\r\nlunghezza percorso, 1x0\r\n", "", true},
      // Errors past the first are read on for the report, never built.
      {"several errors", linea_piccola,
       "[generale]\r\nsegnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\n"
       "stazione, 3100, 22, 250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X\r\n"
       "segnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\nabbattimento, 1100, 270\r\n"
       "segnale, 5050, 2, 4\r\nvelocita, 0, 2000\r\n[fine]\r\n",
       true},
      {"code point on the reserved cell 1",
       "[generale]\r\nlunghezza percorso, 3000\r\n[fine]\r\n",
       "[generale]\r\nabbattimento,      50,   270\r\n[fine]\r\n", true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    temp_folder d, core;
    write_bytes(d.file("L_linea.txt"), c.linea);
    write_bytes(d.file("L_T-.txt"), c.treno);
    std::vector<std::string> a = {"build", "--force",     "-o",
                                  "out",   "L_linea.txt", "L_T-.txt"};
    if (!c.piano) a.push_back("--no-plan");
    esito_tool r = esegui(d.path(), a);
    EXPECT_EQ(r.stato, 1) << "errors are still errors";
    esito e = memorizza_in(core.path(), c.linea, c.treno, c.piano ? 1 : 0);
    EXPECT_EQ(nomi_in(d.file("out")), nomi_in(core.path()));
    for (const std::string& nome : nomi_in(core.path())) {
      EXPECT_TRUE(read_bytes(d.file("out/" + nome)) == read_bytes(core.file(nome)))
          << nome;
    }
    bool scritti = e == esito::fatto;
    EXPECT_EQ(!nomi_in(core.path()).empty(), scritti);
    EXPECT_EQ(
        r.err.find("scenario: binary files written despite the errors (--force)\n") !=
            std::string::npos,
        scritti)
        << r.err;
  }
}

}  // namespace

namespace {

// explain: by status code, by name, by warning option; every finding listed.
// A blank start under the author's names: the pair builds with no finding
// (check and build end with the summary alone), the names as typed name the
// files and are stored in Windows-1252; a name Windows-1252 cannot hold is
// refused before anything is written.
TEST(ToolNew, BlankPairUnderTheAuthorsNamesBuildsWithNoFinding) {
  const struct {
    const char* linea;
    const char* treno;
    const char* linea_1252;
    const char* treno_1252;
  } nomi[] = {
      {"Prova", "Treno", "Prova", "Treno"},
      {"Città", "Più", "Citt\xE0", "Pi\xF9"},
      {"Linea Nuova", "Treno 7", "Linea Nuova", "Treno 7"},
  };
  for (const auto& n : nomi) {
    SCOPED_TRACE(n.linea);
    temp_folder d;
    esito_tool r = esegui(d.path(), {"new", "mia", "--blank", "--line", n.linea,
                                     "--train", n.treno});
    ASSERT_EQ(r.stato, 0) << r.err;
    const std::string l = std::string(n.linea), t = std::string(n.treno);
    EXPECT_EQ(r.out, "wrote mia/" + l + "_linea.txt\nwrote mia/" + l + "_" + t +
                         "-.txt\nwrote mia/" + l + "_" + t + "_note.txt\nwrote mia/" + l +
                         "_" + t + "_rallentamenti.txt\nwrote mia/" + l + "_" + t +
                         "_scheda_treno.txt\n");
    const std::string linea = "mia/" + l + "_linea.txt";
    const std::string treno = "mia/" + l + "_" + t + "-.txt";
    r = esegui(d.path(), {"check", linea, treno});
    EXPECT_EQ(r.stato, 0) << r.err;
    EXPECT_EQ(r.err, "scenario: 2 stations, 1 signal, 4 code points added by the build\n");
    r = esegui(d.path(), {"build", "-o", "out", linea, treno});
    EXPECT_EQ(r.stato, 0) << r.err;
    EXPECT_EQ(r.err,
              "scenario: 2 stations, 1 signal, 4 code points added by the build; wrote 3 "
              "files\n");
    EXPECT_EQ(nomi_salvati(read_bytes(d.file("out/" + l + "_" + t + ".sim"))),
              (std::array<std::string, 2>{n.linea_1252, n.treno_1252}));
    // The crew documents name them in Windows-1252 too.
    EXPECT_NE(read_bytes(d.file("mia/" + l + "_" + t + "_rallentamenti.txt"))
                  .find("Linea  " + std::string(n.linea_1252)),
              std::string::npos);
  }

  temp_folder d;
  esito_tool r = esegui(d.path(), {"new", "mia", "--blank", "--line", "\xCE\xA9mega"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err,
            "scenario: the line identifier '\xCE\xA9mega' holds a character with no "
            "Windows-1252 form: U+03A9\n");
  EXPECT_EQ(nomi_in(d.file("mia")), std::vector<std::string>{}) << "nothing written";
}

// The built-in scenario under other names, and what new can write.
TEST(ToolNew, TheBuiltInScenarioUnderOtherNamesAndTheList) {
  temp_folder d;
  esito_tool r = esegui(d.path(), {"new", ".", "--line", "Altra", "--train", "Corsa"});
  ASSERT_EQ(r.stato, 0) << r.err;
  r = esegui(d.path(), {"check", "Altra_linea.txt", "Altra_Corsa-.txt"});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_NE(r.err.find("45 stations, 179 signals"), std::string::npos) << r.err;

  r = esegui(d.path(), {"new", "--list"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_NE(r.out.find("  built-in  the built-in scenario"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  blank     --blank:"), std::string::npos) << r.out;
  r = esegui(d.path(), {"new"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err, "scenario: DIR is required (see 'scenario new --help')\n");
}

TEST(ToolExplain, TellsWhatAFindingMeansWithAnExample) {
  temp_folder d;
  esito_tool r = esegui(d.path(), {"explain", "16"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out.rfind("signal-cell-taken (error, status 16)\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("For example:\n    segnale, 1025,"), std::string::npos) << r.out;
  // The rows it concerns, as the reference lists their fields.
  EXPECT_NE(r.out.find("\n    segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, "
                       "tempo\n"),
            std::string::npos)
      << r.out;
  r = esegui(d.path(), {"--explain", "-Wextra-fields"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out.rfind("extra-fields (warning, -Wextra-fields)\n", 0), 0u) << r.out;
  // 25 is recorded for every cause of the reading failure.
  r = esegui(d.path(), {"explain", "25"});
  EXPECT_NE(r.out.find("not-a-number (error, status 25)"), std::string::npos);
  EXPECT_NE(r.out.find("document-ends-inside-row (error, status 25)"), std::string::npos);
  r = esegui(d.path(), {"explain"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_NE(r.out.find("stations-too-close"), std::string::npos);
  EXPECT_NE(r.out.find("out-of-order"), std::string::npos);
  // The number of the one-shot program's error box.
  r = esegui(d.path(), {"explain", "1250"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out.rfind("reserved-cell-1-taken (error, error box 1250)\n", 0), 0u)
      << r.out;
  // A row by its keyword, in any letter case.
  r = esegui(d.path(), {"explain", "Stazione"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out.rfind("stazione (a row of the train source)\n", 0), 0u) << r.out;
  // A block by its name.
  r = esegui(d.path(), {"explain", "[segnali]"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out.rfind("[segnali] (a block of the train source)\n", 0), 0u) << r.out;
  // A word that names nothing: one line, and the nearest name when one is near.
  const struct {
    const char* parola;
    const char* err;
  } ignote[] = {
      {"nonsense",
       "scenario: no finding, status code or row is called 'nonsense' (see 'scenario "
       "explain')\n"},
      {"stazzione",
       "scenario: no finding, status code or row is called 'stazzione'; did you mean "
       "'stazione'? (see 'scenario explain')\n"},
      {"signal-cell-taekn",
       "scenario: no finding, status code or row is called 'signal-cell-taekn'; did you "
       "mean 'signal-cell-taken'? (see 'scenario explain')\n"},
      {"14",
       "scenario: no finding, status code or row is called '14' (see 'scenario "
       "explain')\n"},
  };
  for (const auto& c : ignote) {
    r = esegui(d.path(), {"explain", c.parola});
    EXPECT_EQ(r.stato, 2) << c.parola;
    EXPECT_EQ(r.out, "") << c.parola;
    EXPECT_EQ(r.err, c.err) << c.parola;
  }
}

}  // namespace
