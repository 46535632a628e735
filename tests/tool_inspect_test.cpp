// Whole-program tests of the tool's inspection commands, dump, diff and
// blame: the built `scenario` run in a folder of its own, its output read
// as the author reads it, or parsed back where it is JSON.
#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <type_traits>
#include <vector>

#include "documents/documents.h"
#include "format/layout.h"
#include "format/tracciato.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"
#include "tool/platform/encoding.h"
#include "track/memorizza_percorso.h"

namespace {

using json = nlohmann::json;

std::string crlf(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& r : righe) out += r + "\r\n";
  return out;
}

// A small line and train with one feature of every kind: a station (stop on
// cell 23), a sign (cell 51), speed-limit boards (61), a slowdown from
// 5000 m with approach marks (73..76), warning (77), start (101) and end
// (121) boards, signals on cells 70, 91 and 141, code points from rows on
// 68, 69 and 160, and a mountain with markers over cells 120..139.
const std::string linea_prova = crlf({
    "[generale]",
    "lunghezza percorso,    10000",
    "progressiva chilometrica uno,    0,    3050,    0",
    "[curve]",
    "curvas1,  1350,  150",
    "[pendenze]",
    "pendenza, 0, 2",
    "pendenza, 4000, -5",
    "[montagne]",
    "montagna, 6000, 7000, 12",
    "[cartelli]",
    "cartello indicatore, 2500, Km 5",
    "[indicazioni]",
    "indicatori_v, 3000, 100, 90, 80, 1, 60, 50, 40, 2",
    "[fine]",
});
const std::string treno_prova = crlf({
    "[generale]",                                                                   // 1
    "[aderenze]",                                                                   // 2
    "aderenza, 0, 60",                                                              // 3
    "[vel_limite]",                                                                 // 4
    "velocita, 0, 100",                                                             // 5
    "velocita, 8000, 120",                                                          // 6
    "[stazioni]",                                                                   // 7
    "stazione,   1000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   8, 0, 0, Alfa",  // 8
    "[rallentamenti]",                                                              // 9
    "rallentamento, 5000, 60, 1000, 1, 1, 10",                                      // 10
    "[segnali]",                                                                    // 11
    "segnale,    4500,   2, 4, 1,  1, 0,    1,  2,1,1, 0",                          // 12
    "segnale,    3450,   2, 3, 1,  0, 0,    0,  1,1,0, 0",                          // 13
    "segnale,    7000,   2, 4, 1,  1, 0,    1,  2,1,1, 0",                          // 14
    "abbattimento, 3400, 270",                                                      // 15
    "abbattimento, 3450, 270",                                                      // 16
    "abbattimento, 8000, 270",                                                      // 17
    "[fine]",
});

// A folder holding the small documents as L_linea.txt and L_T-.txt.
struct cartella_prova {
  temp_folder d;
  cartella_prova() {
    write_bytes(d.file("L_linea.txt"), linea_prova);
    write_bytes(d.file("L_T-.txt"), treno_prova);
  }
  esito_tool esegui(const std::vector<std::string>& argomenti) const {
    return ::esegui(d.path(), argomenti);
  }
  // Builds the documents into `uscita` with the tool; a feature overwritten
  // (an error by default) is built all the same where a test wants one.
  void costruisci(const std::string& uscita = "o") const {
    const esito_tool r = esegui(
        {"build", "L_linea.txt", "L_T-.txt", "-o", uscita, "-Wno-error=overwritten"});
    ASSERT_EQ(r.stato, 0) << r.err;
  }
};

// The lines of `testo`, without their ends.
std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> out;
  size_t inizio = 0;
  for (size_t fine; (fine = testo.find('\n', inizio)) != std::string::npos;
       inizio = fine + 1) {
    out.push_back(testo.substr(inizio, fine - inizio));
  }
  if (inizio < testo.size()) out.push_back(testo.substr(inizio));
  return out;
}

bool contiene(const std::string& testo, const std::string& parte) {
  return testo.find(parte) != std::string::npos;
}

// `testo` with its one `da` replaced by `a`.
std::string sostituito(std::string testo, const std::string& da, const std::string& a) {
  const size_t at = testo.find(da);
  EXPECT_NE(at, std::string::npos) << da;
  if (at != std::string::npos) testo.replace(at, da.size(), a);
  return testo;
}

// ---------------------------------------------------------------------------
// dump.

// The record fields of a JSON dump against the record itself, name by name
// as the layout gives them.
template <class R>
void confronta_record(const json& j, const R& r, const std::string& dove) {
  visit_fields(r, [&](std::string_view nome, const auto& v) {
    const json& campo = j.at(std::string(nome));
    if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
      EXPECT_EQ(campo.get<int64_t>(), v) << dove << " " << nome;
    } else {
      EXPECT_EQ(campo.get<std::string>(), cp1252_a_utf8(v)) << dove << " " << nome;
    }
  });
}

TEST(ToolDump, JsonGivesBackWhatTheBuildStored) {
  // The built-in documents, built by the core into the folder; the state it
  // held is what the three files must give back.
  temp_folder d;
  scenario_state st;
  st.cartella = d.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  ASSERT_TRUE(dati_linea(st).ok());
  ASSERT_TRUE(dati_treno(st).ok());
  const std::string linea = read_bytes(d.file("Vardelia_linea.txt"));
  const std::string treno = read_bytes(d.file("Vardelia_Corvessa-.txt"));
  sorgenti_lettura s;
  s.linea = {"Vardelia_linea.txt", stato_documento::presente, linea};
  s.treno = {"Vardelia_Corvessa-.txt", stato_documento::presente, treno};
  ASSERT_EQ(memorizza_percorso(st, s, 1).tipo, esito::fatto);

  esito_tool r = esegui(d.path(), {"dump", "--format=json", "Vardelia_Corvessa.dat"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  json j = json::parse(r.out);
  EXPECT_EQ(j["kind"], "track");
  EXPECT_EQ(j["scenario_file"], "Vardelia_Corvessa.sim");
  ASSERT_EQ(j["cells"].size(), st.percorso.size());
  for (size_t i = 0; i < st.percorso.size(); ++i) {
    const json& c = j["cells"][i];
    ASSERT_EQ(c["cell"], i);
    EXPECT_EQ(c["metres"], 50 * i);
    confronta_record(c["record"], st.percorso[i], "cell " + std::to_string(i));
  }
  // The signal the README's example moves: at 42550 m, on cell 852, whose
  // 42600 m read km 45.650 on this line.
  const json& segnale = j["cells"][852];
  EXPECT_EQ(segnale["progressive_m"], 45650);
  EXPECT_EQ(segnale["feature"]["name"], "signal");
  EXPECT_EQ(segnale["feature"]["values"]["s1"], 4);

  r = esegui(d.path(), {"dump", "--format=json", "Vardelia_Corvessa.sim"});
  ASSERT_EQ(r.stato, 0) << r.err;
  j = json::parse(r.out);
  ASSERT_EQ(j["slots"].size(), st.elementi.size());
  for (size_t k = 0; k < st.elementi.size(); ++k) {
    confronta_record(j["slots"][k]["record"], st.elementi[k],
                     "slot " + std::to_string(k));
  }
  EXPECT_EQ(j["slots"][slot::linea]["values"]["race_code"],
            j["slots"][slot::linea]["race_code_expected"]);

  r = esegui(d.path(), {"dump", "--format=json", "--points", "Vardelia_linea.dat"});
  ASSERT_EQ(r.stato, 0) << r.err;
  j = json::parse(r.out);
  const tracciato_t t = punti_del_tracciato(st.tracciato);
  EXPECT_EQ(j["last_metre"], t.ultimo);
  ASSERT_EQ(j["points"].size(), static_cast<size_t>(t.ultimo) + 1);
  for (int32_t m = 0; m <= t.ultimo; ++m) {
    const json& p = j["points"][static_cast<size_t>(m)];
    ASSERT_EQ(p[0], m);
    for (int componente : {0, 1}) {
      const json& v = p[static_cast<size_t>(componente) + 1];
      const size_t i = t.indice(m, componente);
      switch (t.tipo[i]) {
        case tracciato_t::intero:
          ASSERT_TRUE(v.is_number_integer()) << m;
          ASSERT_EQ(v.get<int64_t>(), t.valore[i]) << m;
          break;
        case tracciato_t::reale:
          ASSERT_TRUE(v.is_number_float()) << m;
          ASSERT_EQ(v.get<double>(), t.valore[i]) << m;  // every bit back
          break;
        default:
          ASSERT_TRUE(v.is_null()) << m;
      }
    }
  }
}

TEST(ToolDump, TextShowsEachRecordByWhatItMeans) {
  cartella_prova p;
  p.costruisci();
  esito_tool r = p.esegui({"dump", "o/L_T.dat", "--from", "1000", "--to", "1150"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "track file 'o/L_T.dat': 341 cells, 0 to 17000 m\n"
      "kilometric progressive and names from 'o/L_T.sim'\n"
      "speed in km/h, gradient per mille\n"
      "  cell   metres        km  speed  gradient  adhesion  mountain  feature\n"
      "    20     1000     4.050    100        +2        60         0  approach mark 3 "
      "of the station stop on cell 23\n"
      "    21     1050     4.100    100        +2        60         0  approach mark 2 "
      "of the station stop on cell 23\n"
      "    22     1100     4.150    100        +2        60         0  approach mark 1 "
      "of the station stop on cell 23\n"
      "    23     1150     4.200    100        +2        60         0  station stop "
      "point slot=1 \"Alfa\"\n");

  r = p.esegui({"dump", "o/L_T.dat"});
  ASSERT_EQ(r.stato, 0) << r.err;
  for (const char* riga : {
           "    51     2550     5.600    100        +2        60         0  indicator "
           "sign "
           "slot=80 \"Km 5\"",
           "    61     3050     6.100    100        +2        60         0  set of "
           "speed-limit boards vas=100 vbs=90 vcs=80 strisces=1 vad=60 vbd=50 vcd=40 "
           "strisced=2",
           "    83     4150     7.200    100        -5        60         0  code point "
           "valore=180; approach mark 4 of the signal on cell 91",
           "   135     6750     9.800    100        -5        60         2  mountain "
           "marker; approach mark 3 of the signal on cell 141",
       }) {
    EXPECT_TRUE(contiene(r.out, std::string(riga) + "\n")) << riga;
  }

  // Without the scenario file beside it there is no progressive to show.
  write_bytes(p.d.file("copia.dat"), read_bytes(p.d.file("o/L_T.dat")));
  r = p.esegui({"dump", "copia.dat", "--from", "50", "--to", "50"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(righe_di(r.out).at(1),
            "no kilometric progressive: no scenario file 'copia.sim' beside it");
  EXPECT_EQ(righe_di(r.out).at(4),
            "     1       50         -    100        +2        60         0  stamp=5121 "
            "race_code=2586");

  r = p.esegui({"dump", "o/L_T.sim"});
  ASSERT_EQ(r.stato, 0) << r.err;
  for (const char* riga : {
           "slot  1  station \"Alfa\": kind=12 position_m=1000 area_start_m=800 "
           "area_end_m=1200 opzione_1=0 opzione_2=0 opzione_3=0 opzione_4=0 opzione_5=0 "
           "valore_1=1 valore_2=1 valore_3=4 valore_4=1 valore_5=1 time_s=28800 "
           "(08:00:00)",
           "slots 2 to 79  empty",
           "slot 80  indicator sign \"Km 5\"",
           "slot 81  kilometric progressive: start_m=0 offset_m=3050 direction=0 "
           "(rising, km "
           "3.050 at its start)",
           "slot 82  kilometric progressive not set",
           "slot 85  line \"L\": background_1=0 background_2=0 background_3=0 "
           "check_value=610 race_code=33996 (agrees with the identifiers)",
       }) {
    EXPECT_TRUE(contiene(r.out, std::string(riga) + "\n")) << riga << "\n" << r.out;
  }

  r = p.esegui({"dump", "o/L_linea.dat", "--points", "--from", "1350", "--to", "1352"});
  ASSERT_EQ(r.stato, 0) << r.err;
  const std::vector<std::string> piano = righe_di(r.out);
  ASSERT_GE(piano.size(), 6u) << r.out;
  EXPECT_EQ(piano[0],
            "line plan file 'o/L_linea.dat': 34002 elements (4 integer, 33994 real, 4 "
            "empty)");
  EXPECT_EQ(piano[1], "points: metres 0 to 17000, 16999 with both values");
  EXPECT_EQ(piano[2], "first point: metre 0 (0, 0)");
  const std::vector<std::string> punti(piano.end() - 3, piano.end());
  EXPECT_EQ(punti,
            (std::vector<std::string>{"1350  0  1350", "1351  -1e-04  1351",
                                      "1352  -0.00030000000000000003  1351.99999999"}));
}

// A station's stop point written over a signal leaves the signal's approach
// marks pointing at a cell with no signal: they are shown for what they
// are, with the sides they carry, and JSON names no cell for them.
TEST(ToolDump, MarksOfASignalAStationOverwroteBelongToNoSignal) {
  cartella_prova p;
  write_bytes(p.d.file("L_T-.txt"),
              sostituito(treno_prova, "[fine]",
                         "[stazioni]\r\nstazione,   4400, 12,  400,  0, 0, 0,  1,1,0,  "
                         "4,1,1,    0,   8, 0, 0, Beta\r\n[fine]"));
  p.costruisci();
  esito_tool r = p.esegui({"dump", "o/L_T.dat", "--from", "4150", "--to", "4550"});
  ASSERT_EQ(r.stato, 0) << r.err;
  for (const char* riga : {
           "    83     4150     7.200    100        -5        60         0  code point "
           "valore=180; approach mark 4 of a signal with sx=2 dx=1",
           "    85     4250     7.300    100        -5        60         0  approach "
           "mark 3 of a signal with sx=2 dx=1",
           "    91     4550     7.600    100        -5        60         0  station stop "
           "point slot=2 dato_b=11 dato_c=11 dato_d=7 \"Beta\"",
       }) {
    EXPECT_TRUE(contiene(r.out, std::string(riga) + "\n")) << riga << "\n" << r.out;
  }
  r = p.esegui({"dump", "--format=json", "o/L_T.dat", "--from", "4150", "--to", "4150"});
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(
      json::parse(r.out)["cells"][0]["approach_mark"],
      json({{"number", 4}, {"sx", 2}, {"dx", 1}, {"of", nullptr}, {"cell", nullptr}}));
}

TEST(ToolDump, DamagedFilesGiveOneLineNamingTheOffset) {
  temp_folder d;
  std::string scenario_vuoto(87 * 34, '\0');
  struct caso {
    const char* nome;
    std::string byte;
    std::string err;
  } casi[] = {
      {"x.dat", std::string(15 * 3 + 7, '\0'),
       "scenario: 'x.dat' is damaged at byte 45: track file: 52 bytes are not a whole "
       "number of 15-byte cells: cell 3 at byte 45 is cut short\n"},
      {"x.sim", scenario_vuoto.substr(0, 86 * 34 + 20),
       "scenario: 'x.sim' is damaged at byte 2944: scenario file: slot 86 (from byte "
       "2924) cut short: valore_3 at byte 2944 runs past the end at byte 2944\n"},
      {"y.sim", scenario_vuoto + "z",
       "scenario: 'y.sim' is damaged at byte 2958: scenario file: 1 bytes after slot 86, "
       "from byte 2958\n"},
      {"x_linea.dat", std::string("\2\0\1\0\3\0", 6),
       "scenario: 'x_linea.dat' is damaged at byte 4: line plan file: element 1 at byte "
       "4 "
       "has tag 3, which no element type uses\n"},
      {"missing.dat", "",
       "scenario: cannot open 'missing.dat': No such file or directory\n"},
  };
  for (const caso& c : casi) {
    if (!c.byte.empty()) write_bytes(d.file(c.nome), c.byte);
    esito_tool r = esegui(d.path(), {"dump", c.nome});
    EXPECT_EQ(r.stato, 2) << c.nome;
    EXPECT_EQ(r.out, "") << c.nome;
    EXPECT_EQ(r.err, c.err) << c.nome;
    // diff reads its files the same way, either side.
    write_bytes(d.file("a_" + std::string(c.nome)), c.byte);
    r = esegui(d.path(), {"diff", c.nome, "a_" + std::string(c.nome)});
    EXPECT_EQ(r.stato, 2) << c.nome;
    EXPECT_EQ(r.err, c.err) << c.nome;
  }
  // --kind reads a file as the kind it names, whatever its name says.
  write_bytes(d.file("slots.sim"), scenario_vuoto);
  esito_tool r = esegui(d.path(), {"dump", "--kind", "track", "slots.sim"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(
      r.err,
      "scenario: 'slots.sim' is damaged at byte 2955: track file: 2958 bytes are not "
      "a whole number of 15-byte cells: cell 197 at byte 2955 is cut short\n");
}

// ---------------------------------------------------------------------------
// diff.

// The built-in documents written by `new`, one row replaced, built into
// `uscita`; also built unchanged into "prima".
struct due_build {
  temp_folder d;
  std::string prima = "prima", dopo = "dopo";

  explicit due_build(const std::string& riga, const std::string& nuova) {
    EXPECT_EQ(esegui(d.path(), {"new", "doc"}).stato, 0);
    costruisci(prima);
    for (const char* nome : {"doc/Vardelia_linea.txt", "doc/Vardelia_Corvessa-.txt"}) {
      std::string testo = read_bytes(d.file(nome));
      const size_t at = testo.find("\n" + riga + "\r");
      if (at == std::string::npos) continue;
      testo.replace(at + 1, riga.size(), nuova);
      write_bytes(d.file(nome), testo);
    }
    costruisci(dopo);
  }
  void costruisci(const std::string& uscita) {
    const esito_tool r = esegui(d.path(), {"build", "doc/Vardelia_linea.txt",
                                           "doc/Vardelia_Corvessa-.txt", "-o", uscita});
    EXPECT_EQ(r.stato, 0) << r.err;
  }
  esito_tool diff(const std::string& file, const std::string& formato = "text") {
    return esegui(d.path(),
                  {"diff", "--format=" + formato, prima + "/" + file, dopo + "/" + file});
  }
};

TEST(ToolDiff, OneRowChangedShowsThatRowsCellsAndNothingElse) {
  struct caso {
    const char* cosa;
    std::string riga, nuova;
    std::vector<int> celle;          // the cells that differ
    std::vector<std::string> campi;  // and the fields that differ in each
    bool piano_diverso;
  };
  std::vector<int> celle_velocita;
  for (int i = 20; i < 164; ++i) celle_velocita.push_back(i);
  const caso casi[] = {
      // 95 km/h from 1000 m up to the next speed row at 8200 m (cell 164).
      {"a speed",
       "velocita,    1000,    95",
       "velocita,    1000,   100",
       celle_velocita,
       {"velocita"},
       false},
      {"a signal's first aspect",
       "segnale,   42550,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
       "segnale,   42550,   2, 5, 1,  0, 0,    1,  3,1,0, 0",
       {852},
       {"dato_a"},
       false},
      {"a code point's value",
       "abbattimento,    7050,   270",
       "abbattimento,    7050,   250",
       {141},
       {"dato_a"},
       false},
      {"a curve's radius", "curvas1,  1350,  150", "curvas2,  1350,  150", {}, {}, true},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    due_build b(c.riga, c.nuova);
    esito_tool r = b.diff("Vardelia_Corvessa.dat", "json");
    EXPECT_EQ(r.stato, c.celle.empty() ? 0 : 1) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["equal"], c.celle.empty());
    EXPECT_TRUE(j["only_in_one"].is_null());
    std::vector<int> celle;
    for (const json& d : j["differences"]) {
      celle.push_back(d["cell"]);
      std::vector<std::string> campi;
      for (const json& f : d["fields"]) campi.push_back(f["field"]);
      EXPECT_EQ(campi, c.campi) << "cell " << d["cell"];
    }
    EXPECT_EQ(celle, c.celle);

    r = b.diff("Vardelia_Corvessa.sim");
    EXPECT_EQ(r.stato, 0);
    EXPECT_EQ(r.out, "") << "the scenario file is the same";
    r = b.diff("Vardelia_linea.dat", "json");
    EXPECT_EQ(r.stato, c.piano_diverso ? 1 : 0);
    EXPECT_EQ(json::parse(r.out)["stretches"].empty(), !c.piano_diverso);
  }
}

TEST(ToolDiff, TextShowsEachDifferenceFieldByFieldWithMetres) {
  due_build b("segnale,   42550,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
              "segnale,   42550,   2, 5, 1,  0, 0,    1,  3,1,0, 0");
  esito_tool r = b.diff("Vardelia_Corvessa.dat");
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "cell 852, 42600 m, km 45.650\n"
            "  dato_a: 43 -> 53\n"
            "  A: signal sx=2 s1=4 s2=1 s3=0 rapp=0 dx=1 d1=3 d2=1 d3=0 tempo=0\n"
            "  B: signal sx=2 s1=5 s2=1 s3=0 rapp=0 dx=1 d1=3 d2=1 d3=0 tempo=0\n"
            "1 cell differs\n");

  due_build curva("curvas1,  1350,  150", "curvas2,  1350,  150");
  r = curva.diff("Vardelia_linea.dat");
  EXPECT_EQ(r.stato, 1);
  const std::vector<std::string> righe = righe_di(r.out);
  ASSERT_EQ(righe.size(), 3u) << r.out;
  EXPECT_EQ(righe[0], "metres 1351 to 340998: 339648 points differ");
  EXPECT_EQ(righe[1], "  at 1351: (-1e-04, 1351) -> (-2e-04, 1351)");

  due_build stazione(
      "stazione,   31100, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, "
      "0, Maccarese-Fregene",
      "stazione,   31100, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 5, "
      "0, Maccarese");
  r = stazione.diff("Vardelia_Corvessa.sim");
  EXPECT_EQ(r.stato, 1);
  const std::vector<std::string> slot = righe_di(r.out);
  ASSERT_EQ(slot.size(), 6u) << r.out;
  EXPECT_EQ(slot[0], "slot 7");
  EXPECT_EQ(slot[1], "  nome: \"Maccarese-Fregene\" -> \"Maccarese\"");
  EXPECT_EQ(slot[2], "  orario: 0 -> 300");
  EXPECT_TRUE(
      slot[4].starts_with("  B: station \"Maccarese\": kind=22 position_m=31100"));
  EXPECT_EQ(slot[5], "1 slot differs");
}

// Each field that differs glossed by its meaning: the feature a code
// stands for, the mark an approach value makes, the speed in km/h; the
// features in full where the feature's fields differ.
TEST(ToolDiff, TextGlossesEachFieldByWhatItMeans) {
  cartella_prova p;
  p.costruisci("a");
  std::string treno = sostituito(treno_prova, "abbattimento, 8000, 270\r\n", "");
  treno = sostituito(treno, "velocita, 8000, 120", "velocita, 8100, 120");
  treno = sostituito(treno, "segnale,    4500,   2,", "segnale,    4500,   1,");  // sx
  write_bytes(p.d.file("L_T-.txt"), treno);
  p.costruisci("b");
  const esito_tool r = p.esegui({"diff", "a/L_T.dat", "b/L_T.dat"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "cell 83, 4150 m, km 7.200\n"
            "  preavviso: 74 (approach mark 4 of the signal on cell 91) -> 44 (approach "
            "mark 4 of the signal on cell 91)\n"
            "cell 85, 4250 m, km 7.300\n"
            "  preavviso: 73 (approach mark 3 of the signal on cell 91) -> 43 (approach "
            "mark 3 of the signal on cell 91)\n"
            "cell 87, 4350 m, km 7.400\n"
            "  preavviso: 72 (approach mark 2 of the signal on cell 91) -> 42 (approach "
            "mark 2 of the signal on cell 91)\n"
            "cell 89, 4450 m, km 7.500\n"
            "  preavviso: 71 (approach mark 1 of the signal on cell 91) -> 41 (approach "
            "mark 1 of the signal on cell 91)\n"
            "cell 91, 4550 m, km 7.600\n"
            "  dato_d: 7 -> 4\n"
            "  A: signal sx=2 s1=4 s2=1 s3=1 rapp=0 dx=1 d1=2 d2=1 d3=1 tempo=0\n"
            "  B: signal sx=1 s1=4 s2=1 s3=1 rapp=0 dx=1 d1=2 d2=1 d3=1 tempo=0\n"
            "cell 160, 8000 m, km 11.050\n"
            "  codice: 12 (code point) -> 0 (nothing)\n"
            "  dato_a: 270 -> 0\n"
            "  velocita: 24 (120 km/h) -> 20 (100 km/h)\n"
            "  A: code point valore=270\n"
            "  B: nothing\n"
            "cell 161, 8050 m, km 11.100\n"
            "  velocita: 24 (120 km/h) -> 20 (100 km/h)\n"
            "7 cells differ\n");
}

TEST(ToolDiff, FilesOfDifferentSizesAndKinds) {
  cartella_prova p;
  p.costruisci("a");
  write_bytes(p.d.file("L_linea.txt"),
              crlf({"[generale]", "lunghezza percorso,    9000", "[fine]"}));
  p.costruisci("b");
  esito_tool r = p.esegui({"diff", "--format=json", "a/L_T.dat", "b/L_T.dat"});
  EXPECT_EQ(r.stato, 1);
  const json j = json::parse(r.out);
  EXPECT_EQ(j["only_in_one"], json({{"file", "A"}, {"from", 321}, {"to", 340}}));
  r = p.esegui({"diff", "a/L_T.dat", "b/L_T.dat"});
  EXPECT_EQ(r.stato, 1);
  const std::vector<std::string> righe = righe_di(r.out);
  ASSERT_GE(righe.size(), 2u);
  EXPECT_EQ(righe[righe.size() - 2], "cells 321 to 340 (16050 to 17000 m) only in A");
  EXPECT_EQ(righe.back(), "321 cells differ");

  // Scenario files under names that tell no kind: --kind tells it.
  write_bytes(p.d.file("a.bin"), read_bytes(p.d.file("a/L_T.sim")));
  write_bytes(p.d.file("b.bin"), read_bytes(p.d.file("b/L_T.sim")));
  r = p.esegui({"diff", "a.bin", "b.bin"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(
      r.err,
      "scenario: cannot tell the kind of 'a.bin' from its name (give it with --kind "
      "track|scenario|plan)\n");
  r = p.esegui({"diff", "--kind", "scenario", "--format=json", "a.bin", "b.bin"});
  EXPECT_EQ(r.stato, 1) << r.err;
  const json s = json::parse(r.out);
  EXPECT_EQ(s["kind"], "scenario");
  EXPECT_EQ(s["equal"], false);
  EXPECT_EQ(s["slots_differing"], 3);
  ASSERT_EQ(s["differences"].size(), 3u);
  // The sign, the kilometric progressive and the route length.
  const json& cartello = s["differences"][0];
  EXPECT_EQ(cartello["slot"], 80);
  EXPECT_EQ(cartello["fields"], json::parse(R"([{"field":"nome","a":"Km 5","b":""}])"));
  EXPECT_EQ(cartello["a"]["role"], "indicator_sign");
  EXPECT_EQ(cartello["b"]["role"], "empty");
  EXPECT_EQ(s["differences"][1]["slot"], 81);
  const json& dimensioni = s["differences"][2];
  EXPECT_EQ(dimensioni["slot"], 84);
  EXPECT_EQ(dimensioni["fields"],
            json::parse(R"([{"field":"fine","a":10000,"b":9000}])"));
  EXPECT_EQ(dimensioni["b"]["values"]["route_length_m"], 9000);
  r = p.esegui({"diff", "--kind", "scenario", "--format=json", "a.bin", "a.bin"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(json::parse(r.out),
            json::parse(R"({"kind":"scenario","a":"a.bin","b":"a.bin","equal":true,)"
                        R"("slots_differing":0,"differences":[]})"));

  r = p.esegui({"diff", "a/L_T.dat", "b/L_T.sim"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err,
            "scenario: 'a/L_T.dat' is a track file and 'b/L_T.sim' a scenario file: diff "
            "compares two files of one kind\n");
  r = p.esegui({"diff", "a/L_linea.dat", "a/L_T.sim"});
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err,
            "scenario: 'a/L_linea.dat' is a plan file and 'a/L_T.sim' a scenario file: "
            "diff compares two files of one kind\n");
  r = p.esegui({"diff", "a/L_T.dat", "a/L_T.dat"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out, "");
}

// A plan one metre longer than another: the last point it gives both values
// to differs alone, and its last metre is in it only.
TEST(ToolDiff, PlanStretchesOfOneMetreAndMetresOnlyInOneFile) {
  cartella_prova p;
  p.costruisci("a");
  write_bytes(p.d.file("L_linea.txt"),
              sostituito(linea_prova, "lunghezza percorso,    10000",
                         "lunghezza percorso,    10001"));
  p.costruisci("b");
  esito_tool r = p.esegui({"diff", "a/L_linea.dat", "b/L_linea.dat"});
  EXPECT_EQ(r.stato, 1);
  const std::vector<std::string> righe = righe_di(r.out);
  ASSERT_EQ(righe.size(), 3u) << r.out;
  EXPECT_EQ(righe[0], "metre 16999: 1 point differs");
  EXPECT_TRUE(righe[1].starts_with("  at 16999: (-, -) -> (-233.6")) << righe[1];
  EXPECT_EQ(righe[2], "metre 17001 only in B");

  r = p.esegui({"diff", "--format=json", "a/L_linea.dat", "b/L_linea.dat"});
  EXPECT_EQ(r.stato, 1);
  const json j = json::parse(r.out);
  EXPECT_EQ(j["equal"], false);
  ASSERT_EQ(j["stretches"].size(), 2u);
  const json& uno = j["stretches"][0];
  EXPECT_EQ(uno["from"], 16999);
  EXPECT_EQ(uno["to"], 16999);
  EXPECT_TRUE(uno["only_in"].is_null());
  EXPECT_EQ(uno["first"]["a"], json::parse("[16999, null, null]"));
  const json& solo = j["stretches"][1];
  EXPECT_EQ(solo["from"], 17001);
  EXPECT_EQ(solo["only_in"], "B");
  EXPECT_TRUE(solo["last"]["a"].is_null());
  EXPECT_EQ(solo["last"]["b"], json::parse("[17001, null, null]"));
}

// ---------------------------------------------------------------------------
// blame.

TEST(ToolBlame, ExplainsEachFieldOfAPlaceByTheRowThatSetIt) {
  cartella_prova p;
  const std::vector<std::string> sorgenti = {"blame", "L_linea.txt", "L_T-.txt"};
  const auto blame = [&](std::vector<std::string> dove) {
    std::vector<std::string> a = sorgenti;
    a.insert(a.end(), dove.begin(), dove.end());
    return p.esegui(a);
  };
  const std::string fill =
      "  speed      100 km/h\n"
      "             L_T-.txt:5: velocita, 0, 100\n"
      "  gradient   -5 per mille\n"
      "             L_linea.txt:8: pendenza, 4000, -5\n"
      "  adhesion   60\n"
      "             L_T-.txt:3: aderenza, 0, 60\n";
  struct caso {
    const char* cosa;
    std::vector<std::string> dove;
    std::string out;
  } casi[] = {
      {"a signal",
       {"--cell", "91"},
       "cell 91, 4550 m, km 7.600\n"
       "  feature    signal sx=2 s1=4 s2=1 s3=1 rapp=0 dx=1 d1=2 d2=1 d3=1 tempo=0\n"
       "             L_T-.txt:12: segnale,    4500,   2, 4, 1,  1, 0,    1,  2,1,1, 0\n"
       "  approach   none\n"
       "  mountain   none\n" +
           fill},
      {"a slowdown's start board",
       {"--at", "5070"},
       "cell 101, 5050 m, km 8.100\n"
       "  feature    slowdown start board v=60 d_v=10 f_tt=1\n"
       "             L_T-.txt:10: rallentamento, 5000, 60, 1000, 1, 1, 10\n"
       "  approach   none\n"
       "  mountain   none\n" +
           fill},
      {"a code point the completion added, on a signal's approach mark",
       {"--at", "4150"},
       "cell 83, 4150 m, km 7.200\n"
       "  feature    code point valore=180\n"
       "             added by the build's code-point completion, for L_T-.txt:10: "
       "rallentamento, 5000, 60, 1000, 1, 1, 10\n"
       "  approach   approach mark 4 of the signal on cell 91\n"
       "             L_T-.txt:12: segnale,    4500,   2, 4, 1,  1, 0,    1,  2,1,1, 0\n"
       "  mountain   none\n" +
           fill},
      {"a code point from a row, its value capped",
       {"--cell", "69"},
       "cell 69, 3450 m, km 6.500\n"
       "  feature    code point valore=180\n"
       "             L_T-.txt:16: abbattimento, 3450, 270\n"
       "             its value capped at 180 by the build's code-point completion\n"
       "  approach   none\n"
       "  mountain   none\n"
       "  speed      100 km/h\n"
       "             L_T-.txt:5: velocita, 0, 100\n"
       "  gradient   +2 per mille\n"
       "             L_linea.txt:7: pendenza, 0, 2\n"
       "  adhesion   60\n"
       "             L_T-.txt:3: aderenza, 0, 60\n"},
      {"a plain cell in a mountain",
       {"--cell", "130"},
       "cell 130, 6500 m, km 9.550\n"
       "  feature    nothing\n"
       "  approach   none\n"
       "  mountain   type 2, with markers (tipo 12)\n"
       "             L_linea.txt:10: montagna, 6000, 7000, 12\n" +
           fill},
      {"the stamped cell",
       {"--cell", "1"},
       "cell 1, 50 m, km 3.100\n"
       "  feature    stamp=5121 race_code=2586\n"
       "             stamp and race_code are the build's own, set by no row\n"
       "  approach   none\n"
       "  mountain   none\n"
       "  speed      100 km/h\n"
       "             L_T-.txt:5: velocita, 0, 100\n"
       "  gradient   +2 per mille\n"
       "             L_linea.txt:7: pendenza, 0, 2\n"
       "  adhesion   60\n"
       "             L_T-.txt:3: aderenza, 0, 60\n"},
      {"past the fills",
       {"--cell", "340"},
       "cell 340, 17000 m, km 20.050\n"
       "  feature    nothing\n"
       "  approach   none\n"
       "  mountain   none\n"
       "  speed      0 km/h\n"
       "             set by no row\n"
       "  gradient   -100 per mille\n"
       "             set by no row\n"
       "  adhesion   0\n"
       "             set by no row\n"},
  };
  for (const caso& c : casi) {
    const esito_tool r = blame(c.dove);
    EXPECT_EQ(r.stato, 0) << c.cosa << ": " << r.err;
    EXPECT_EQ(r.err, "") << c.cosa;
    EXPECT_EQ(r.out, c.out) << c.cosa;
  }

  // A signal is placed on the cell after its position: --at says where.
  esito_tool r = blame({"--at", "4500"});
  EXPECT_EQ(righe_di(r.out).back(),
            "note: the signal on cell 91 was placed near 4500 m: features placed at a "
            "position stand on the cell after it (see --cell 91)");

  // A stretch: every cell in it, apart.
  r = blame({"--from", "5000", "--to", "5100"});
  EXPECT_EQ(r.stato, 0);
  EXPECT_TRUE(r.out.starts_with("cell 100, 5000 m"));
  EXPECT_TRUE(contiene(r.out, "\n\ncell 101, 5050 m"));
  EXPECT_TRUE(contiene(r.out, "\n\ncell 102, 5100 m"));
  EXPECT_FALSE(contiene(r.out, "cell 103"));
}

// Rows and names are quoted as the author sees them: a tab to the next stop
// of 8 columns, a Windows-1252 letter in UTF-8.
TEST(ToolBlame, QuotesRowsAndNamesWithTabsExpanded) {
  cartella_prova p;
  write_bytes(p.d.file("L_linea.txt"),
              sostituito(linea_prova, "cartello indicatore, 2500, Km 5",
                         "cartello indicatore,\t2500, Citt\xE0\t5"));
  const esito_tool r =
      p.esegui({"blame", "-Wno-tab", "L_linea.txt", "L_T-.txt", "--cell", "51"});
  ASSERT_EQ(r.stato, 0) << r.err;
  const std::vector<std::string> righe = righe_di(r.out);
  ASSERT_GE(righe.size(), 3u) << r.out;
  EXPECT_EQ(righe[1], "  feature    indicator sign slot=80 \"Città   5\"");
  EXPECT_EQ(righe[2],
            "             L_linea.txt:12: cartello indicatore,    2500, Città     5");
}

TEST(ToolBlame, JsonNamesTheRowOfEachField) {
  cartella_prova p;
  esito_tool r = p.esegui({"blame", "--format=json", "L_linea.txt", "L_T-.txt", "--from",
                           "4150", "--to", "4150"});
  ASSERT_EQ(r.stato, 0) << r.err;
  const json j = json::parse(r.out);
  ASSERT_EQ(j["cells"].size(), 1u);
  const json& c = j["cells"][0];
  EXPECT_EQ(c["cell"], 83);
  EXPECT_EQ(c["feature"]["values"]["valore"], 180);
  const json& s = c["sources"];
  EXPECT_EQ(s["completion"], "added");
  EXPECT_EQ(s["feature"]["line"], 10) << "the slowdown it serves";
  EXPECT_EQ(s["approach_mark"], json({{"file", "L_T-.txt"},
                                      {"line", 12},
                                      {"column", 1},
                                      {"text",
                                       "segnale,    4500,   2, 4, 1,  1, 0,    1,  "
                                       "2,1,1, 0"}}));
  EXPECT_EQ(s["gradient"]["file"], "L_linea.txt");
  EXPECT_EQ(s["gradient"]["line"], 8);
  EXPECT_TRUE(s["mountain"].is_null());
}

TEST(ToolBlame, DocumentsWithErrorsAreStillExplainedWithStatus1) {
  cartella_prova p;
  // The second signal takes the cell of the first: the reading stops there.
  write_bytes(
      p.d.file("L_T-.txt"),
      crlf({"[generale]", "[segnali]", "segnale, 1050, 2, 4, 1, 1, 0, 2, 2,1,1, 0",
            "segnale, 1060, 2, 4, 1, 1, 0, 2, 2,1,1, 0", "[fine]"}));
  esito_tool r = p.esegui({"blame", "L_linea.txt", "L_T-.txt", "--cell", "22"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err,
            "scenario: the documents hold 1 error (see 'scenario check'): the cells are "
            "shown as the build left them\n");
  EXPECT_TRUE(
      r.out.starts_with("cell 22, 1100 m, km 4.150\n"
                        "  feature    signal sx=2 s1=4 s2=1 s3=1 rapp=0 dx=2 d1=2 "
                        "d2=1 d3=1 tempo=0\n"
                        "             L_T-.txt:3: segnale"))
      << r.out;

  // No route length: no track at all, and one line says why.
  write_bytes(p.d.file("N_linea.txt"), crlf({"[generale]", "[fine]"}));
  r = p.esegui({"blame", "N_linea.txt", "--train", "T", "L_T-.txt", "--cell", "3"});
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "scenario: error: no track to explain: cannot build the track from "
            "'N_linea.txt': no route length was read (reader status 25)\n");
}

// ---------------------------------------------------------------------------
// Usage errors.

TEST(ToolInspect, UsageErrorsAreOneLineAndStatus2) {
  cartella_prova p;
  p.costruisci();
  write_bytes(p.d.file("notes.txt"), "x");
  struct caso {
    std::vector<std::string> argomenti;
    std::string err;
  } casi[] = {
      {{"dump", "notes.txt"},
       "scenario: cannot tell the kind of 'notes.txt' from its name (give it with --kind "
       "track|scenario|plan)\n"},
      {{"dump", "--kind", "road", "o/L_T.dat"},
       "scenario: --kind: road not in {track,scenario,plan} (see 'scenario dump "
       "--help')\n"},
      {{"dump", "o/L_T.dat", "--from", "500", "--to", "400"},
       "scenario: --from 500 lies past --to 400\n"},
      {{"dump", "o/L_T.sim", "--from", "500"},
       "scenario: --from and --to apply to the track and the line plan file\n"},
      {{"dump", "o/L_T.dat", "--points"},
       "scenario: --points applies to the line plan file\n"},
      {{"diff", "o/L_T.dat"}, "scenario: B is required (see 'scenario diff --help')\n"},
      {{"blame", "L_linea.txt", "L_T-.txt"},
       "scenario: give the place with --at METRES, --cell N or --from/--to\n"},
      {{"blame", "L_linea.txt", "L_T-.txt", "--at", "5", "--cell", "3"},
       "scenario: give the place one way only: --at, --cell or --from/--to\n"},
      {{"blame", "L_linea.txt", "L_T-.txt", "--from", "500", "--to", "400"},
       "scenario: --from 500 lies past --to 400\n"},
      {{"blame", "L_linea.txt", "L_T-.txt", "--cell", "341"},
       "scenario: no cell of the track lies there: its cells are 0 to 340 (0 to 17000 "
       "m)\n"},
      {{"blame", "L_linea.txt", "notes.txt", "--cell", "3"},
       "scenario: cannot tell the train identifier from 'notes.txt': the name is not "
       "'L_<train>-.txt' (give it with --train NAME)\n"},
  };
  for (const caso& c : casi) {
    const esito_tool r = p.esegui(c.argomenti);
    EXPECT_EQ(r.stato, 2) << c.argomenti[0] << " " << c.argomenti[1];
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
