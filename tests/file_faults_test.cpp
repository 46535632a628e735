// File faults: the program copied into a private folder and run as a user
// would, with its folder read-only, an output name taken by a folder, or a
// file size limit that stops a write midway. Each ends the run with one line
// on stderr (operation, path, reason) and status 2, and no good file of an
// earlier run is lost or cut short. Then the two source documents missing
// when the reader looks for them, on the build itself.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "run/source_files.h"
#include "scenario/codici.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "track/memorizza_percorso.h"

namespace fs = std::filesystem;

namespace {

struct run_result {
  int exit_status = -1;  // -1 when the program did not exit by itself
  int signal = 0;        // the signal that ended it, if one did
  std::string err;
};

const std::vector<std::string> outputs = {"Vardelia_Corvessa.dat",
                                          "Vardelia_Corvessa.sim",
                                          "Vardelia_Corvessa_note.txt",
                                          "Vardelia_Corvessa_rallentamenti.txt",
                                          "Vardelia_Corvessa_scheda_treno.txt",
                                          "Vardelia_linea.dat"};

// Copies the program into `dir` (once) and runs it from another working
// folder; `wrapper` is a command placed before the program (a user switch,
// a shell that sets a limit).
run_result run_program(const temp_folder& dir, const std::string& wrapper = "") {
  const std::string program = dir.file("scenario_build");
  if (!fs::exists(program)) fs::copy_file(SCENARIO_PROGRAM, program);
  const std::string err_file = dir.path() + ".stderr";
  const std::string command = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY " + wrapper +
                              " '" + program + "' </dev/null >/dev/null 2>'" + err_file +
                              "'";
  const int raw = std::system(command.c_str());
  run_result r;
  if (raw != -1 && WIFEXITED(raw)) r.exit_status = WEXITSTATUS(raw);
  if (raw != -1 && WIFSIGNALED(raw)) r.signal = WTERMSIG(raw);
  // A shell in the wrapper reports a killed child as 128 + the signal.
  if (r.exit_status > 128) r.signal = r.exit_status - 128;
  r.err = read_bytes(err_file);
  fs::remove(err_file);
  return r;
}

std::map<std::string, std::string> snapshot(const temp_folder& dir) {
  std::map<std::string, std::string> files;
  for (const std::string& name : outputs) files[name] = read_bytes(dir.file(name));
  return files;
}

// A good run to start from: the six output files in place.
std::map<std::string, std::string> good_run(const temp_folder& dir) {
  const run_result r = run_program(dir);
  EXPECT_EQ(r.exit_status, 0) << r.err;
  auto files = snapshot(dir);
  EXPECT_EQ(files.at("Vardelia_Corvessa.dat").size(), 102315u);
  return files;
}

std::string failure_line(const std::string& operation, const std::string& path,
                         const std::string& reason) {
  return "Attendere\nscenario_build: " + operation + " '" + path + "': " + reason + "\n";
}

std::vector<std::string> with(std::vector<std::string> names,
                              const std::vector<std::string>& more) {
  names.insert(names.end(), more.begin(), more.end());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> without(const std::string& name) {
  std::vector<std::string> names;
  for (const std::string& n : outputs) {
    if (n != name) names.push_back(n);
  }
  return names;
}

bool setpriv_available() {
  return std::system("command -v setpriv >/dev/null 2>&1") == 0;
}

TEST(FileFaults, ReadOnlyFolderEndsWithOneLineAndKeepsTheFiles) {
  // Root writes into a read-only folder all the same: the run drops to the
  // unprivileged user "nobody" for it.
  temp_folder dir;
  // A coverage build writes its counters beside its objects, which "nobody"
  // may not write: that run's go to a folder of its own and are dropped.
  const std::string counters = dir.path() + ".counters";
  std::string wrapper;
  if (::geteuid() == 0) {
    if (!setpriv_available()) {
      GTEST_SKIP() << "running as root without setpriv (util-linux): cannot make the "
                      "folder read-only for the program";
    }
    wrapper = "setpriv --reuid=65534 --regid=65534 --clear-groups env GCOV_PREFIX='" +
              counters + "'";
  }
  const auto before = good_run(dir);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);

  const run_result r = run_program(dir, wrapper);
  ::chmod(dir.path().c_str(), 0755);
  fs::remove_all(counters);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, failure_line("cannot create", dir.file("Vardelia_linea.txt"),
                                "Permission denied"));
  EXPECT_EQ(snapshot(dir), before) << "every file of the earlier run is intact";
  EXPECT_EQ(dir.files(), with(outputs, {"scenario_build"}));
}

struct taken_name {
  const char* name;
  std::vector<std::string> left_over;  // files of this run left before the failure
};

// Cases print by their names in test listings.
void PrintTo(const taken_name& c, std::ostream* os) { *os << c.name; }

class OutputNameTaken : public testing::TestWithParam<taken_name> {};

TEST_P(OutputNameTaken, EndsWithOneLineAndLosesNoGoodFile) {
  temp_folder dir;
  const auto before = good_run(dir);
  const std::string taken = GetParam().name;
  fs::remove(dir.file(taken));
  ASSERT_TRUE(fs::create_directory(dir.file(taken)));

  const run_result r = run_program(dir);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, failure_line("cannot replace", dir.file(taken), "Is a directory"));
  EXPECT_TRUE(fs::is_directory(dir.file(taken))) << "the folder in the way stays";
  // No temporary file is left, and every other output is whole: the files
  // this run wrote are the same bytes, the ones it did not reach untouched.
  EXPECT_EQ(dir.files(), with(without(taken), GetParam().left_over));
  for (const std::string& name : without(taken)) {
    EXPECT_TRUE(read_bytes(dir.file(name)) == before.at(name)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    FileFaults, OutputNameTaken,
    testing::Values(
        // A crew document: the run ends before the reader, so the two source
        // documents written before it stay.
        taken_name{"Vardelia_Corvessa_note.txt",
                   {"Vardelia_Corvessa-.txt", "Vardelia_linea.txt", "scenario_build"}},
        // The scenario file: the line plan file before it is written, the
        // track file after it keeps the earlier run's image.
        taken_name{"Vardelia_Corvessa.sim", {"scenario_build"}}),
    [](const testing::TestParamInfo<taken_name>& info) {
      return std::string(info.param.name).find(".sim") != std::string::npos
                 ? "ScenarioFile"
                 : "Notes";
    });

// A file size limit of 2 MiB lets the documents, the scenario file and the
// track file through but stops the line plan file (about 6.8 MB) midway.
const std::string size_limit = "bash -c 'ulimit -f 2048 && exec \"$0\"'";

TEST(FileFaults, WriteFailingMidwayEndsWithOneLineAndCutsNoFile) {
  temp_folder dir;
  const auto before = good_run(dir);

  const run_result r = run_program(dir, size_limit);
  EXPECT_EQ(r.signal, 0) << "the size limit's signal must not end the program";
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, failure_line("cannot write", dir.file("Vardelia_linea.dat"),
                                "File too large"));
  EXPECT_EQ(snapshot(dir), before) << "the earlier line plan file is not cut short";
  EXPECT_EQ(dir.files(), with(outputs, {"scenario_build"}))
      << "no temporary file is left";
}

TEST(FileFaults, WriteFailingMidwayOnAFirstRunLeavesNoPartialFile) {
  temp_folder dir;
  const run_result r = run_program(dir, size_limit);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.err, failure_line("cannot write", dir.file("Vardelia_linea.dat"),
                                "File too large"));
  // The crew documents stand; no binary file was written, whole or in part.
  EXPECT_EQ(dir.files(),
            (std::vector<std::string>{
                "Vardelia_Corvessa_note.txt", "Vardelia_Corvessa_rallentamenti.txt",
                "Vardelia_Corvessa_scheda_treno.txt", "scenario_build"}));
}

// The source documents missing when the reader looks for them.
struct missing_source_fixture : testing::Test {
  temp_folder dir;
  scenario_state st;

  missing_source_fixture() {
    st.cartella = dir.path();
    st.linea = identificativo_linea;
    st.treno = identificativo_treno;
  }
};

using MissingSource = missing_source_fixture;

TEST_F(MissingSource, LineSourceGives101AndTheRunEndsWithNoBinaryFile) {
  const std::string train = file_path(st, file_kind::train_source);
  write_bytes(train, "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n");

  const esito_build e = memorizza_percorso_in_cartella(st, 1);
  EXPECT_EQ(st.codice_errore, codice::linea_mancante);
  ASSERT_EQ(e.tipo, esito::guasto) << "no error box: the failure report ends the run";
  EXPECT_EQ(e.status.message(), "cannot build the track from '" +
                                    file_path(st, file_kind::line_source) +
                                    "': no route length was read (reader status 101)");
  // Nothing is deleted and nothing is written.
  EXPECT_EQ(dir.files(), std::vector<std::string>{"Vardelia_Corvessa-.txt"});
}

TEST_F(MissingSource, TrainSourceGives25AndTheBuildWritesItsFiles) {
  const std::string line = file_path(st, file_kind::line_source);
  write_bytes(line, "[generale]\r\nlunghezza percorso,    3000\r\n[fine]\r\n");

  const esito_build e = memorizza_percorso_in_cartella(st, 1);
  EXPECT_EQ(e.tipo, esito::fatto) << e.status.message();
  EXPECT_EQ(st.codice_errore, codice::errore_lettura);
  EXPECT_EQ(dir.files(),
            (std::vector<std::string>{"Vardelia_Corvessa.dat", "Vardelia_Corvessa.sim",
                                      "Vardelia_linea.dat"}));
  // (3000 + 7000) / 50 = 200: cells 0..200.
  EXPECT_EQ(read_bytes(dir.file("Vardelia_Corvessa.dat")).size(), 15u * 201);
}

}  // namespace
