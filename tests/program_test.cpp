// Whole-program tests: the built program copied into a private folder and
// run as a user would, with no arguments and no display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "format/decode.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct run_result {
  int exit_status = -1;
  std::string err;
};

// Copies the program into `dir` and runs it from another working folder.
run_result run_program(const temp_folder& dir) {
  std::string program = dir.file("scenario_build");
  fs::copy_file(SCENARIO_PROGRAM, program, fs::copy_options::overwrite_existing);
  std::string err_file = dir.path() + ".stderr";
  std::string command = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY '" + program +
                        "' </dev/null >/dev/null 2>'" + err_file + "'";
  int raw = std::system(command.c_str());
  run_result r;
  if (raw != -1 && WIFEXITED(raw)) r.exit_status = WEXITSTATUS(raw);
  r.err = read_bytes(err_file);
  fs::remove(err_file);
  return r;
}

const std::vector<std::string> six_files = {"Vardelia_Corvessa.dat",
                                            "Vardelia_Corvessa.sim",
                                            "Vardelia_Corvessa_note.txt",
                                            "Vardelia_Corvessa_rallentamenti.txt",
                                            "Vardelia_Corvessa_scheda_treno.txt",
                                            "Vardelia_linea.dat",
                                            "scenario_build"};

TEST(Program, RunLeavesSixFilesAndPrintsOnlyTheLabel) {
  temp_folder dir;
  run_result r = run_program(dir);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "Attendere\n");
  EXPECT_EQ(dir.files(), six_files) << "the two source documents are deleted";

  // Track file: cells 0..6820; cell 1 holds 5121.
  std::string track = read_bytes(dir.file("Vardelia_Corvessa.dat"));
  ASSERT_EQ(track.size(), 102315u);
  std::vector<cella> percorso;
  decode_status d = decode_percorso(track, percorso);
  ASSERT_TRUE(d.ok) << d.message;
  ASSERT_EQ(percorso.size(), 6821u);
  EXPECT_EQ(percorso[1].dato_a, 5121);

  // Scenario file: the 87 slots and their names, nothing after.
  std::array<elemento, slot::numero> elementi;
  d = decode_elementi(read_bytes(dir.file("Vardelia_Corvessa.sim")), elementi);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(elementi[0].nome, "");
  EXPECT_EQ(elementi[1].nome, "Roma Termini");
  EXPECT_EQ(elementi[85].nome, "Vardelia");
  EXPECT_EQ(elementi[86].nome, "Corvessa");

  // Line plan file: 2 x 341001 tagged elements, the last two of each half empty.
  std::string plan = read_bytes(dir.file("Vardelia_linea.dat"));
  tracciato_t tracciato;
  d = decode_tracciato(plan, tracciato);
  ASSERT_TRUE(d.ok) << d.message;
  ASSERT_EQ(tracciato.tipo.size(), 682002u);
  EXPECT_EQ(tracciato.ultimo, 341000);
  EXPECT_EQ(plan.substr(0, 10),
            std::string("\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00", 10));
  const std::vector<uint8_t>& tags = tracciato.tipo;
  for (size_t half : {size_t{0}, size_t{341001}}) {
    EXPECT_EQ(tags[half + 0], 2);
    EXPECT_EQ(tags[half + 1], 2);
    EXPECT_EQ(tags[half + 2], 5);
    EXPECT_EQ(tags[half + 340998], 5);
    EXPECT_EQ(tags[half + 340999], 0);
    EXPECT_EQ(tags[half + 341000], 0);
  }
}

TEST(Program, SecondRunIsByteIdentical) {
  temp_folder dir;
  ASSERT_EQ(run_program(dir).exit_status, 0);
  std::vector<std::string> first;
  for (const std::string& name : six_files) first.push_back(read_bytes(dir.file(name)));
  ASSERT_EQ(run_program(dir).exit_status, 0);
  EXPECT_EQ(dir.files(), six_files);
  for (size_t i = 0; i < six_files.size(); ++i) {
    EXPECT_TRUE(read_bytes(dir.file(six_files[i])) == first[i]) << six_files[i];
  }
}

}  // namespace
