// Whole-program tests: the built program copied into a private folder and
// run as a user would, with no arguments and no display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

uint16_t u16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                               static_cast<unsigned char>(b[at + 1]) << 8);
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

  // Track file: 15 bytes for each of cells 0..6820; cell 1 holds 5121.
  std::string track = read_bytes(dir.file("Vardelia_Corvessa.dat"));
  ASSERT_EQ(track.size(), 102315u);
  EXPECT_EQ(u16(track, 16), 5121);

  // Scenario file: 87 records of 34 bytes plus their names, nothing after.
  std::string sim = read_bytes(dir.file("Vardelia_Corvessa.sim"));
  size_t at = 0;
  std::vector<std::string> names;
  for (int slot = 0; slot < 87; ++slot) {
    ASSERT_LE(at + 34, sim.size());
    uint16_t n = u16(sim, at + 14);
    names.push_back(sim.substr(at + 16, n));
    at += 34 + n;
  }
  EXPECT_EQ(at, sim.size());
  EXPECT_EQ(names[0], "");
  EXPECT_EQ(names[1], "Roma Termini");
  EXPECT_EQ(names[85], "Vardelia");
  EXPECT_EQ(names[86], "Corvessa");

  // Line plan file: 2 x 341001 tagged elements, the last two of each half empty.
  std::string plan = read_bytes(dir.file("Vardelia_linea.dat"));
  std::vector<uint16_t> tags;
  tags.reserve(682002);
  for (at = 0; at + 2 <= plan.size();) {
    uint16_t tag = u16(plan, at);
    ASSERT_TRUE(tag == 0 || tag == 2 || tag == 5) << "tag " << tag << " at " << at;
    tags.push_back(tag);
    at += 2 + (tag == 2 ? 2 : tag == 5 ? 8 : 0);
  }
  EXPECT_EQ(at, plan.size());
  ASSERT_EQ(tags.size(), 682002u);
  EXPECT_EQ(plan.substr(0, 10),
            std::string("\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00", 10));
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
