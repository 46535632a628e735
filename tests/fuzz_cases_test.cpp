// The fuzzers' kept inputs replayed in the ordinary test run: every file of
// fuzz/regressions/ (inputs that once failed) and fuzz/seeds/ (hand-written
// seeds) goes through the same build and the same checks as in the fuzzers:
// the core's on files and in memory, and the author's tool's (its
// diagnostics, its agreement with the one-shot build, its report); those of
// fuzz/regressions-decoders/ and fuzz/seeds-decoders/ through the decoders'
// checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../fuzz/agreement_check.h"
#include "../fuzz/build_check.h"
#include "../fuzz/decoder_check.h"
#include "../fuzz/decoder_seeds.h"
#include "../fuzz/diagnostics_check.h"
#include "../fuzz/memory_check.h"
#include "../fuzz/report_check.h"
#include "documents/documents.h"
#include "format/decode.h"
#include "scenario/codici.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const fs::path fuzz_folder = fs::path(__FILE__).parent_path().parent_path() / "fuzz";

struct kept_input {
  std::string folder;  // "regressions" or "seeds"
  std::string name;
};

std::vector<kept_input> kept_inputs(std::initializer_list<const char*> folders = {
                                        "regressions", "seeds"}) {
  std::vector<kept_input> inputs;
  for (const char* folder : folders) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fuzz_folder / folder, ec)) {
      const std::string name = entry.path().filename().string();
      if (entry.is_regular_file() && name.front() != '.')
        inputs.push_back({folder, name});
    }
  }
  std::sort(inputs.begin(), inputs.end(), [](const kept_input& a, const kept_input& b) {
    return a.folder + "/" + a.name < b.folder + "/" + b.name;
  });
  return inputs;
}

build_check::case_result replay(const std::string& bytes) {
  temp_folder dir;
  return build_check::run_case(
      build_check::split_input(reinterpret_cast<const uint8_t*>(bytes.data()),
                               bytes.size()),
      dir.path());
}

std::string problems_text(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& p : problems) text += "\n  " + p;
  return text;
}

std::string problems_text(const build_check::case_result& r) {
  return problems_text(r.problems);
}

// One test over the whole folders, so a case added to them is replayed by
// the next test run without the test list being discovered again.
TEST(FuzzKeptInputs, PassTheFuzzerChecks) {
  const auto inputs = kept_inputs();
  EXPECT_FALSE(inputs.empty()) << "no input in " << fuzz_folder;
  for (const kept_input& input : inputs) {
    const std::string path = (fuzz_folder / input.folder / input.name).string();
    SCOPED_TRACE(path);
    const std::string bytes = read_bytes(path);
    ASSERT_TRUE(!bytes.empty() || fs::file_size(path) == 0) << "cannot read it";
    const auto r = replay(bytes);
    EXPECT_TRUE(r.problems.empty()) << "status " << r.codice_errore << problems_text(r);
    // The in-memory target's checks hold too, and its build ends alike.
    const auto m = memory_check::run_case(build_check::split_input(
        reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(m.problems.empty())
        << "in memory, status " << m.codice_errore << problems_text(m);
    EXPECT_EQ(m.codice_errore, r.codice_errore);
    EXPECT_EQ(m.build_ok, r.build_ok);
    EXPECT_EQ(m.messages, r.messages);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (const auto& [target, problems] :
         {std::pair{"diagnostics", diagnostics_check::run_case(data, bytes.size())},
          std::pair{"agreement", agreement_check::run_case(data, bytes.size())},
          std::pair{"report", report_check::run_case(data, bytes.size())}}) {
      EXPECT_TRUE(problems.empty()) << target << ":" << problems_text(problems);
    }
  }
}

// The seeds reach the outcomes their names promise, so the checks above
// run over every way a build can end.
struct seed_outcome {
  const char* name;
  int32_t codice_errore;
  const char* message;  // the error box, "" for none
  bool build_ok;
};

TEST(FuzzSeeds, ReachTheirOutcomes) {
  const seed_outcome table[] = {
      {"every_row_salva_linea_1", 0, "", true},
      {"every_row_salva_linea_0", 0, "", true},
      {"line_source_missing", codice::linea_mancante, "", false},
      {"train_source_missing", codice::errore_lettura, "", true},
      {"error_1250_code_point_in_cell_1", 0, " Errore n. 1250", false},
      {"error_1251_board_in_cell_1", 0, " Errore n. 1251", false},
      {"no_generale_line", codice::generale_mancante, "", false},
      {"no_route_length", codice::errore_lettura, "", false},
      {"route_too_long", codice::percorso_troppo_lungo, "", false},
      {"longest_route", 0, "", true},
      {"rows_beyond_the_track", codice::oltre_percorso, "", true},
      {"empty", codice::generale_mancante, "", false},
      {"stop_point_in_first_100_m", codice::fermata_iniziale, "", true},
      {"slowdown_approach_cells_taken", codice::preavvisi_occupati, "", true},
      {"no_room_before_start_board", codice::codice_finestra, "", true},
      {"eighty_signs_leave_no_station_slot", codice::stazioni_esaurite, "", true},
      {"eighty_one_signs", codice::errore_lettura, "", true},
  };
  for (const seed_outcome& s : table) {
    SCOPED_TRACE(s.name);
    const auto r = replay(read_bytes((fuzz_folder / "seeds" / s.name).string()));
    EXPECT_TRUE(r.problems.empty()) << problems_text(r);
    EXPECT_EQ(r.codice_errore, s.codice_errore);
    EXPECT_EQ(r.build_ok, s.build_ok);
    if (*s.message == '\0') {
      EXPECT_TRUE(r.messages.empty());
    } else {
      EXPECT_EQ(r.messages, std::vector<std::string>{s.message});
    }
  }
}

// The slowdown seed makes the build place code points of its own.
TEST(FuzzSeeds, SlowdownSeedGetsCodePointsFromTheBuild) {
  const std::string bytes =
      read_bytes((fuzz_folder / "seeds/slowdowns_and_code_points").string());
  temp_folder dir;
  const auto r = build_check::run_case(
      build_check::split_input(reinterpret_cast<const uint8_t*>(bytes.data()),
                               bytes.size()),
      dir.path());
  ASSERT_TRUE(r.problems.empty()) << problems_text(r);
  std::vector<cella> percorso;
  const decode_status d =
      decode_percorso(read_bytes(dir.file("Vardelia_Corvessa.dat")), percorso);
  ASSERT_TRUE(d.ok) << d.message;
  int placed = 0;
  for (const cella& c : percorso) {
    if (c.codice == codice_cella::abbattimento && c.dato_a == 180) ++placed;
  }
  EXPECT_GE(placed, 3) << "three windows before the start board at least";
}

// The built-in documents, joined as the seed maker joins them, pass with
// status 0 for both values of the build flag.
TEST(FuzzSeeds, BuiltInDocumentsPass) {
  temp_folder source;
  scenario_state st;
  st.cartella = source.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  ASSERT_TRUE(dati_linea(st).ok());
  ASSERT_TRUE(dati_treno(st).ok());
  build_check::fuzz_case c;
  c.line = read_bytes(file_path(st, file_kind::line_source));
  c.train = read_bytes(file_path(st, file_kind::train_source));
  for (int32_t j : {0, 1}) {
    c.salva_linea = j;
    const std::string joined = build_check::join_input(c);
    const auto r = replay(joined);
    EXPECT_TRUE(r.problems.empty()) << "salva_linea " << j << problems_text(r);
    EXPECT_EQ(r.codice_errore, 0) << "salva_linea " << j;
    EXPECT_TRUE(r.build_ok);
  }
}

// ---------------------------------------------------------------------------
// The decoders' target.

std::vector<std::string> replay_decoders(const std::string& bytes) {
  return decoder_check::run_case(reinterpret_cast<const uint8_t*>(bytes.data()),
                                 bytes.size());
}

TEST(FuzzKeptInputs, PassTheDecoderChecks) {
  const auto inputs = kept_inputs({"regressions-decoders", "seeds-decoders"});
  EXPECT_FALSE(inputs.empty()) << "no input in " << fuzz_folder;
  for (const kept_input& input : inputs) {
    const std::string path = (fuzz_folder / input.folder / input.name).string();
    SCOPED_TRACE(path);
    const std::string bytes = read_bytes(path);
    ASSERT_TRUE(!bytes.empty() || fs::file_size(path) == 0) << "cannot read it";
    const auto problems = replay_decoders(bytes);
    EXPECT_TRUE(problems.empty()) << problems_text(problems);
  }
}

// Whether file A and file B of a seed decode.
void expect_decodes(const std::string& bytes, bool a, bool b) {
  const decoder_check::decoder_case c = decoder_check::split_input(
      reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  file_binario f;
  EXPECT_EQ(decodifica_binario(c.file_a, c.tipo, "a", f).empty(), a) << "file A";
  EXPECT_EQ(decodifica_binario(c.file_b, c.tipo, "b", f).empty(), b) << "file B";
}

// The hand-made seeds reach the decodings and the errors their names
// promise, so the checks run over both.
TEST(FuzzSeeds, DecoderSeedsReachTheirOutcomes) {
  const struct {
    const char* name;
    bool a, b;  // file A decodes, file B decodes
  } table[] = {
      {"empty", true, true},
      {"track_every_feature_json", true, true},
      {"track_beside_a_damaged_scenario", true, true},
      {"track_cut_short", false, true},
      {"track_against_a_damaged_one", true, false},
      {"scenario_names_of_every_byte_text", true, true},
      {"scenario_cut_in_slot_86", false, false},
      {"scenario_bytes_after_slot_86", false, false},
      {"scenario_name_past_the_end", false, false},
      {"scenario_against_a_damaged_one", true, false},
      {"plan_unknown_tag", false, true},
      {"plan_odd_count", false, true},
      {"plan_value_cut_short", false, true},
      {"plan_special_values_json_points", true, true},
      {"plan_empty_against_one_point", true, true},
  };
  for (const auto& s : table) {
    SCOPED_TRACE(s.name);
    expect_decodes(read_bytes((fuzz_folder / "seeds-decoders" / s.name).string()), s.a,
                   s.b);
  }
}

// The seeds the fuzz run makes from the built-in scenario decode on both
// sides and pass.
TEST(FuzzSeeds, BuiltInFilesPassTheDecoderChecks) {
  scenario_state st;
  ASSERT_EQ(decoder_seeds::costruisci(st), "");
  for (const decoder_seeds::seme& s : decoder_seeds::semi(st)) {
    SCOPED_TRACE(s.nome);
    const std::string bytes = decoder_check::join_input(s.c);
    expect_decodes(bytes, true, true);
    const auto problems = replay_decoders(bytes);
    EXPECT_TRUE(problems.empty()) << problems_text(problems);
  }
}

}  // namespace
