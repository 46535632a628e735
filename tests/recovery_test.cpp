// Every error in one run, each at its own row: `check` reads on past an
// error, setting the row aside, while the status (and what `build --force`
// writes) stays that of the build, which stops at its first error. What
// builds but is surely wrong is an error by default, and each such lint can
// be made a warning again or switched off.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "scenario/findings.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"
#include "track/memorizza_percorso.h"

namespace {

using json = nlohmann::json;

std::string crlf(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// An error as the author reads it: its name, its document and line.
using errore = std::tuple<std::string, char, int>;

struct esito_check {
  int stato = -1;
  json j;
  std::string err;
};

esito_check check(const temp_folder& d, std::vector<std::string> altri = {}) {
  std::vector<std::string> a = {"check", "--format=json", "--error-limit=0",
                                "L_linea.txt", "L_T-.txt"};
  a.insert(a.end(), altri.begin(), altri.end());
  const esito_tool r = esegui(d.path(), a);
  esito_check e{r.stato, json::parse(r.out, nullptr, false), r.err};
  return e;
}

std::vector<errore> errori_di(const json& j) {
  std::vector<errore> out;
  for (const json& x : j["diagnostics"]) {
    if (x["severity"] != "error") continue;
    const std::string file = x["location"]["file"];
    out.emplace_back(x["name"], file == "L_linea.txt" ? 'L' : 'T', x["location"]["line"]);
  }
  return out;
}

// The status the build records for the two documents, as the one-shot
// program's core records it.
int32_t stato_del_build(const std::string& linea, const std::string& treno) {
  auto st = std::make_unique<scenario_state>();
  sorgenti_lettura s;
  s.linea = {"L_linea.txt", stato_documento::presente, linea};
  s.treno = {"L_T-.txt", stato_documento::presente, treno};
  costruisci_scenario(*st, s, 1);
  return st->codice_errore;
}

const std::string firma_segnale = ", 2, 4, 1, 1, 0, 2, 2, 1, 1, 0";
const std::string resto_stazione = ", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X";

struct documenti_con_errori {
  const char* nome;
  std::vector<std::string> linea, treno;
  std::vector<errore> attesi;  // in the order shown: the build's own first
};

void PrintTo(const documenti_con_errori& c, std::ostream* os) { *os << c.nome; }

class EveryError : public ::testing::TestWithParam<documenti_con_errori> {};

TEST_P(EveryError, IsReportedAtItsRowInOneRunTheBuildsOwnFirst) {
  const documenti_con_errori& c = GetParam();
  temp_folder d;
  const std::string linea = crlf(c.linea), treno = crlf(c.treno);
  write_bytes(d.file("L_linea.txt"), linea);
  write_bytes(d.file("L_T-.txt"), treno);
  const esito_check r = check(d);
  ASSERT_FALSE(r.j.is_discarded()) << r.err;
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(errori_di(r.j), c.attesi) << r.j.dump(1);
  // The first error shown is the one the build's status comes from.
  ASSERT_FALSE(r.j["diagnostics"].empty());
  json primo;
  for (const json& x : r.j["diagnostics"]) {
    if (x["severity"] == "error") {
      primo = x;
      break;
    }
  }
  EXPECT_EQ(primo["code"], stato_del_build(linea, treno));
  // No note says that rows were not read where the tool read them all on.
  for (const json& x : r.j["diagnostics"]) {
    for (const json& n : x["notes"]) {
      EXPECT_EQ(n["message"].get<std::string>().find("were not read"), std::string::npos);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, EveryError,
    ::testing::Values(
        documenti_con_errori{
            "SevenFaultsInBothDocuments",
            {"[generale]", "lunghezza percorso, 10000", "[curve]",
             "cartello_indicatore, 2000, A", "cartello_indicatore, 2000, B",
             "pendenza, 3000, 2", "[fine]"},
            {"[generale]", "velocita, 0, 100", "velocita, 2000, 1300",
             "velocita, 4000, 100", "segnale, 1050" + firma_segnale,
             "segnale, 1050" + firma_segnale, "segnale, 5050, 2, 4, 1, 1, 0, 2, 2, 1, 1",
             "segnale, 6050" + firma_segnale, "segnale, 7x50" + firma_segnale,
             "stazione, 3100, 22, 250" + resto_stazione, "abbattimento, 1100, 270",
             "[fine]"},
            {{"sign-cell-taken", 'L', 5},
             {"value-out-of-range", 'T', 3},
             {"signal-cell-taken", 'T', 6},
             {"short-row", 'T', 7},
             {"not-a-number", 'T', 9},
             {"station-length-not-on-100", 'T', 10},
             {"code-point-cell-taken", 'T', 11}}},
        // The build stops at the station; the code point found only by
        // reading on lies before it in the document, after it in the list.
        documenti_con_errori{
            "AnErrorFoundPastTheFirstThatComesBeforeIt",
            {"[generale]", "lunghezza percorso, 10000", "[curve]", "[fine]"},
            {"[generale]", "segnale, 1050" + firma_segnale,
             "stazione, 3100, 22, 250" + resto_stazione, "abbattimento, 1100, 270",
             "segnale, 6050, 2, 4", "[fine]"},
            {{"station-length-not-on-100", 'T', 3},
             {"code-point-cell-taken", 'T', 4},
             {"short-row", 'T', 5}}},
        documenti_con_errori{
            "StationsOutOfOrderAndTooClose",
            {"[generale]", "lunghezza percorso, 20000", "[curve]", "[fine]"},
            {"[generale]", "stazione, 9000, 22, 400" + resto_stazione,
             "stazione, 3000, 22, 400" + resto_stazione,
             "stazione, 9500, 22, 400" + resto_stazione, "[fine]"},
            {{"stations-out-of-order", 'T', 3}, {"stations-too-close", 'T', 4}}}),
    [](const ::testing::TestParamInfo<documenti_con_errori>& i) { return i.param.nome; });

// An error found past the first but before it in the documents says that
// the build stopped earlier: the first speed does not fit, but it is laid
// only when the next speed row is read, after the station where the build
// stops. A short row names its field and the line it took it from.
TEST(Recovery, NotesTellWhereEachErrorWasFound) {
  temp_folder d;
  write_bytes(d.file("L_linea.txt"),
              crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "[fine]"}));
  write_bytes(
      d.file("L_T-.txt"),
      crlf({"[generale]", "velocita, 0, 2000", "stazione, 3100, 22, 250" + resto_stazione,
            "segnale, 5050, 2, 4, 1, 1, 0, 2, 2, 1, 1", "segnale, 6050" + firma_segnale,
            "velocita, 7000, 100", "[fine]"}));
  const esito_check r = check(d);
  ASSERT_FALSE(r.j.is_discarded()) << r.err;
  EXPECT_EQ(errori_di(r.j), (std::vector<errore>{{"station-length-not-on-100", 'T', 3},
                                                 {"value-out-of-range", 'T', 2},
                                                 {"short-row", 'T', 4}}));
  const json& diag = r.j["diagnostics"];
  const auto trova = [&](const std::string& nome) {
    for (const json& x : diag) {
      if (x["name"] == nome) return x;
    }
    ADD_FAILURE() << "no " << nome << " in " << diag.dump(1);
    return json();
  };
  const json velocita = trova("value-out-of-range");
  ASSERT_EQ(velocita["notes"].size(), 2u) << velocita.dump(1);
  EXPECT_EQ(velocita["notes"][0]["location"]["line"], 6);
  EXPECT_EQ(velocita["notes"][1]["message"],
            "found by reading on past the error here, where the build stops");
  EXPECT_EQ(velocita["notes"][1]["location"]["line"], 3);

  const json corta = trova("short-row");
  EXPECT_EQ(corta["message"],
            "the 'segnale' row has 10 of its 11 fields: its field 'tempo' was read from "
            "line 5");
  EXPECT_EQ(corta["notes"][0]["location"]["line"], 5);
}

// The one fault alone: the last speed does not fit, and is found at the end
// of the document. The error is its row's, every row was read, and no note
// says otherwise.
TEST(Recovery, TheLastSpeedIsReportedAtItsRow) {
  temp_folder d;
  write_bytes(d.file("L_linea.txt"),
              crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "[fine]"}));
  write_bytes(d.file("L_T-.txt"),
              crlf({"[generale]", "velocita, 0, 100", "velocita, 2000, 1300",
                    "segnale, 5050" + firma_segnale, "[fine]"}));
  const esito_check r = check(d);
  ASSERT_FALSE(r.j.is_discarded()) << r.err;
  ASSERT_EQ(r.j["diagnostics"].size(), 1u) << r.j.dump(1);
  const json& x = r.j["diagnostics"][0];
  EXPECT_EQ(x["name"], "value-out-of-range");
  EXPECT_EQ(x["location"]["line"], 3);
  EXPECT_EQ(x["location"]["column"], 17);
  ASSERT_EQ(x["notes"].size(), 1u);
  EXPECT_EQ(x["notes"][0]["location"]["line"], 5);  // the end of the document, after "[fine]"
}

// Each lint that is an error by default: raised by one small document, an
// error that counts in the status; a warning with -Wno-error=NAME, gone
// with -Wno-NAME. (The built-in documents raise none: their check, in the
// tool's program tests, has no error.)
TEST(Recovery, LintsThatAreErrorsByDefault) {
  const std::vector<std::string> linea = {"[generale]", "lunghezza percorso, 10000",
                                          "[curve]", "[fine]"};
  struct caso {
    const char* nome;
    std::string treno;  // the whole document
    int riga;
  } casi[] = {
      {"empty-train-source", "", 1},
      {"empty-train-source", crlf({"velocita, 0, 100", "[fine]"}), 1},
      {"misspelt-keyword",
       crlf({"[generale]", "sabbia, 10", "stazone, 3100, 22, 400" + resto_stazione,
             "[fine]"}),
       3},
      {"overwritten",
       crlf({"[generale]", "segnale, 3200" + firma_segnale,
             "stazione, 3100, 22, 400" + resto_stazione, "[fine]"}),
       3},
      {"not-windows-1252",
       crlf({"[generale]",
             "stazione, 3100, 22, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
             "Citt\xc3\xa0",
             "[fine]"}),
       2},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    temp_folder d;
    write_bytes(d.file("L_linea.txt"), crlf(linea));
    write_bytes(d.file("L_T-.txt"), c.treno);
    esito_check r = check(d);
    ASSERT_FALSE(r.j.is_discarded()) << r.err;
    EXPECT_EQ(r.stato, 1);
    ASSERT_EQ(errori_di(r.j), (std::vector<errore>{{c.nome, 'T', c.riga}}))
        << r.j.dump(1);

    r = check(d, {"-Wno-error=" + std::string(c.nome)});
    EXPECT_EQ(r.stato, 0) << r.j.dump(1);
    EXPECT_EQ(r.j["diagnostics"].size(), 1u);
    EXPECT_EQ(r.j["diagnostics"][0]["severity"], "warning");

    r = check(d, {"-Wno-" + std::string(c.nome)});
    EXPECT_EQ(r.stato, 0);
    EXPECT_TRUE(r.j["diagnostics"].empty()) << r.j.dump(1);
  }
}

// Values the build takes but that cannot mean what the author wants, and a
// row lost to the reader's passing over of dashes: warnings at their field
// or row. -Werror=NAME makes one of them an error.
TEST(Recovery, ImplausibleValuesAreWarnings) {
  const std::vector<std::string> linea_base = {"[generale]", "lunghezza percorso, 10000",
                                               "[curve]"};
  struct caso {
    const char* nome;
    std::string linea_riga, treno_riga;  // one row added to either document
    std::string messaggio;
  } casi[] = {
      {"negative length", "", "stazione, 3000, 22, -200" + resto_stazione,
       "'lunghezza' is -200: it lies outside the values it takes, 0 to 2147483647 m"},
      {"end before start", "montagna, 3000, 2000, 2", "",
       "'fine' is 2000: it lies before the row's start"},
      {"clock", "", "orologio, 25, 61, 99",
       "'ore' is 25: it lies outside the values it takes, 0 to 23 h"},
      {"station kind", "", "stazione, 3000, 0, 200" + resto_stazione,
       "'tipo' is 0: it lies outside the station kinds 1 to 30"},
      {"empty name", "",
       "stazione, 3000, 22, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,",
       "'nome' is empty: the station has no name to show"},
      {"negative position", "pendenza, -50, 2", "",
       "'posizione' is -50: it lies outside the values it takes, 0 to 1006900 m"},
      {"dash", "", "velocita-max, 1000, 100",
       "'velocita-max' holds a \"-\" and is passed over with the token after it"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::vector<std::string> linea = linea_base;
    if (!c.linea_riga.empty()) linea.push_back(c.linea_riga);
    linea.push_back("[fine]");
    std::vector<std::string> treno = {"[generale]", "sabbia, 10"};
    if (!c.treno_riga.empty()) treno.push_back(c.treno_riga);
    treno.push_back("[fine]");
    temp_folder d;
    write_bytes(d.file("L_linea.txt"), crlf(linea));
    write_bytes(d.file("L_T-.txt"), crlf(treno));
    esito_check r = check(d);
    ASSERT_FALSE(r.j.is_discarded()) << r.err;
    EXPECT_EQ(r.stato, 0) << r.j.dump(1);
    std::vector<std::string> messaggi;
    for (const json& x : r.j["diagnostics"]) messaggi.push_back(x["message"]);
    EXPECT_NE(std::find(messaggi.begin(), messaggi.end(), c.messaggio), messaggi.end())
        << r.j.dump(1);
  }
  // One of them, an error on demand.
  temp_folder d;
  write_bytes(d.file("L_linea.txt"),
              crlf({"[generale]", "lunghezza percorso, 10000", "[curve]",
                    "montagna, 3000, 2000, 2", "[fine]"}));
  write_bytes(d.file("L_T-.txt"), crlf({"[generale]", "sabbia, 10", "[fine]"}));
  EXPECT_EQ(check(d, {"-Werror=implausible-value"}).stato, 1);
}

}  // namespace
