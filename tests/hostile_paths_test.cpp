// The author's tool against hostile paths and resources: links, hard links
// and descriptors that lead to an output, outputs that collide, names too
// long, pipes without a writer, devices, oversize files, interrupts and the
// umask. Whatever the case, the author's documents and the earlier outputs
// stay byte for byte as they were and no temporary file is left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/long_scenario.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace fs = std::filesystem;

extern char** environ;

namespace {

// Everything below a folder: each regular file's bytes and mode, each
// link's target, each folder; links are not followed.
using snapshot = std::map<std::string, std::string>;

snapshot take_snapshot(const std::string& root) {
  snapshot s;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(e.path(), root).string();
    struct stat st {};
    ::lstat(e.path().c_str(), &st);
    if (S_ISLNK(st.st_mode)) {
      s[name] = "link to " + fs::read_symlink(e.path()).string();
    } else if (S_ISREG(st.st_mode)) {
      s[name] = "mode " + std::to_string(st.st_mode & 07777) + ", bytes " +
                std::to_string(std::hash<std::string>{}(read_bytes(e.path().string())));
    } else {
      s[name] = "node of type " + std::to_string(st.st_mode & S_IFMT);
    }
  }
  return s;
}

// The names in `after` that are not in `before`, or differ from it.
std::vector<std::string> changes(const snapshot& before, const snapshot& after) {
  std::vector<std::string> out;
  for (const auto& [name, what] : after) {
    auto it = before.find(name);
    if (it == before.end()) {
      out.push_back("new: " + name);
    } else if (it->second != what) {
      out.push_back("changed: " + name);
    }
  }
  for (const auto& [name, what] : before) {
    if (after.count(name) == 0) out.push_back("gone: " + name);
  }
  return out;
}

// A temporary file of the writer: an output's name and six more characters.
bool is_temporary(const std::string& name) {
  for (const char* end : {".dat.", ".sim.", ".html.", ".svg.", ".txt."}) {
    const size_t at = name.rfind(end);
    if (at != std::string::npos && name.size() == at + std::string(end).size() + 6)
      return true;
  }
  return false;
}

std::vector<std::string> temporaries(const std::string& root) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (is_temporary(e.path().filename().string())) out.push_back(e.path().string());
  }
  return out;
}

// The built-in documents in "a", and the three files built from them in
// "out", made once for every case.
class Hostile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(d.file("a"));
    fs::create_directory(d.file("l"));  // for each case's own links
    ASSERT_EQ(esegui(d.file("a"), {"new", "."}).stato, 0);
    const esito_tool r =
        esegui(d.path(), {"build", "-o", "out", "-Wno-decimal-comma",
                          "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt"});
    ASSERT_EQ(r.stato, 0) << r.err;
  }

  const std::string line = "a/Vardelia_linea.txt";
  const std::string train = "a/Vardelia_Corvessa-.txt";
  temp_folder d;
};

struct refusal {
  std::string name;
  std::function<void(const std::string& root)> prepare;
  std::vector<std::string> arguments;
  std::string stdout_redirect;  // "" for none
  std::string says;             // what the one line holds
};
void PrintTo(const refusal& c, std::ostream* os) { *os << c.name; }

class HostileRefusals : public Hostile, public ::testing::WithParamInterface<refusal> {};

// Every refusal is one line on stderr and status 2, with the whole tree as
// it was: no document, no earlier output and no mode changed, nothing new.
TEST_P(HostileRefusals, OneLineStatus2AndNothingTouched) {
  const refusal& c = GetParam();
  if (c.prepare) c.prepare(d.path());
  const snapshot before = take_snapshot(d.path());
  const auto start = std::chrono::steady_clock::now();
  const esito_tool r = c.stdout_redirect.empty()
                           ? esegui(d.path(), c.arguments)
                           : esegui_con_uscita(d.path(), c.arguments, c.stdout_redirect);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(r.stato, 2) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("scenario: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  EXPECT_EQ(changes(before, take_snapshot(d.path())), std::vector<std::string>{});
  EXPECT_EQ(temporaries(d.path()), std::vector<std::string>{});
  EXPECT_LT(seconds, 30.0) << "nothing waits for ever";
}

void link(const std::string& target, const std::string& at) {
  ASSERT_EQ(::symlink(target.c_str(), at.c_str()), 0) << at;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileRefusals,
    ::testing::Values(
        refusal{
            "LineSourceIsALinkToTheTrackFile",
            [](const std::string& r) {
              link("../out/Vardelia_Corvessa.dat", r + "/l/Vardelia_linea.txt");
            },
            {"build", "l/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "-o", "out"},
            "",
            "the output 'out/Vardelia_Corvessa.dat' is the source document "
            "'l/Vardelia_linea.txt'"},
        refusal{
            "TrainSourceIsAHardLinkOfTheScenarioFile",
            [](const std::string& r) {
              ASSERT_EQ(::link((r + "/out/Vardelia_Corvessa.sim").c_str(),
                               (r + "/l/Vardelia_Corvessa-.txt").c_str()),
                        0);
            },
            {"build", "a/Vardelia_linea.txt", "l/Vardelia_Corvessa-.txt", "-o", "out"},
            "",
            "is the source document 'l/Vardelia_Corvessa-.txt'"},
        refusal{"StdinIsTheTrackFile",
                nullptr,
                {"build", "/dev/stdin", "a/Vardelia_Corvessa-.txt", "--line", "Vardelia",
                 "-o", "out"},
                "<out/Vardelia_Corvessa.dat >/dev/null",
                "is the source document '/dev/stdin'"},
        refusal{"ReportPageIsTheLineSourceThroughALink",
                [](const std::string& r) {
                  write_bytes(r + "/mine.html", "the author's page");
                  link("../mine.html", r + "/l/V_linea.txt");
                },
                {"report", "l/V_linea.txt", "a/Vardelia_Corvessa-.txt", "--train", "C",
                 "-o", "mine.html"},
                "",
                "the output 'mine.html' is the source document 'l/V_linea.txt'"},
        refusal{"TrainNamedLineaGivesTheTrackThePlansName",
                nullptr,
                {"build", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "--train",
                 "linea", "-o", "out"},
                "",
                "the line plan file and the track file would both be "
                "'out/Vardelia_linea.dat'"},
        refusal{"NameWithNoRoomForTheTemporarySuffix",
                nullptr,
                {"build", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "--train",
                 std::string(240, 't'), "-o", "out"},
                "",
                "the system takes names of at most 255"},
        refusal{"PipeWithNoWriterToCheck",
                [](const std::string& r) {
                  ASSERT_EQ(::mkfifo((r + "/l/p").c_str(), 0600), 0);
                },
                {"check", "l/p", "a/Vardelia_Corvessa-.txt", "--line", "Vardelia"},
                "",
                "cannot read 'l/p': a pipe that no program writes into"},
        refusal{"PipeWithNoWriterToDump",
                [](const std::string& r) {
                  ASSERT_EQ(::mkfifo((r + "/l/p.dat").c_str(), 0600), 0);
                },
                {"dump", "l/p.dat"},
                "",
                "cannot read 'l/p.dat': a pipe that no program writes into"},
        refusal{"DeviceAsASource",
                nullptr,
                {"build", "/dev/zero", "a/Vardelia_Corvessa-.txt", "--line", "Vardelia",
                 "-o", "out"},
                "",
                "cannot read '/dev/zero': not a regular file or a pipe"},
        refusal{"DocumentOverTheLimit",
                [](const std::string& r) {
                  ASSERT_EQ(
                      ::truncate((r + "/a/Vardelia_Corvessa-.txt").c_str(), 300 << 20),
                      0);
                },
                {"check", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt"},
                "",
                "larger than the limit of 256 MiB"},
        refusal{"TrackFileOverItsKindsLargestSize",
                [](const std::string& r) {
                  write_bytes(r + "/l/big.dat", "");
                  ASSERT_EQ(::truncate((r + "/l/big.dat").c_str(), 2 << 20), 0);
                },
                {"dump", "l/big.dat"},
                "",
                "cannot read 'l/big.dat': larger than the limit of 1 MiB"},
        refusal{"BuildToStdout",
                nullptr,
                {"build", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "-o", "-"},
                "",
                "cannot write them to stdout"},
        refusal{"IdentifierWithAnEscape",
                nullptr,
                {"build", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "--train",
                 "a\x1b[2Jb", "-o", "out"},
                "",
                "the train identifier 'a\\x1b[2Jb' holds the control character U+001B"},
        refusal{"NumberTooLargeForAnOption",
                nullptr,
                {"dump", "out/Vardelia_Corvessa.dat", "--from", "99999999999999999999"},
                "",
                "--from: '99999999999999999999' is not a whole number"},
        refusal{"OptionWithoutItsValue",
                nullptr,
                {"check", "a/Vardelia_linea.txt", "a/Vardelia_Corvessa-.txt", "-W"},
                "",
                "-W needs a value"}),
    [](const ::testing::TestParamInfo<refusal>& info) { return info.param.name; });

TEST_F(Hostile, PipesWithDataAreReadAndFileNamesAreShownEscaped) {
  // Process substitution: the documents through pipes, written as read.
  const std::string command = "cd " + quota(d.path()) + " && bash -c " +
                              quota(riga_di_comando({"check", "-Wno-decimal-comma",
                                                     "--line", "V", "--train", "C"}) +
                                    " <(cat " + line + ") <(cat " + train + ")") +
                              " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  // A document named with an escape: its name in diagnostics and failures
  // cannot act on the terminal.
  write_bytes(d.file("a/V\x1b]0;x\x07_linea.txt"), read_bytes(d.file(line)));
  esito_tool r = esegui(d.path(), {"check", "a/V\x1b]0;x\x07_linea.txt", train, "--line",
                                   "V", "--train", "C"});
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("a/V\\x1b]0;x\\x07_linea.txt:188:20: warning"), std::string::npos)
      << r.err;
  // As JSON, a name that is not UTF-8 is made valid.
  write_bytes(d.file("a/V\xff_linea.txt"), read_bytes(d.file(line)));
  r = esegui(d.path(), {"check", "a/V\xff_linea.txt", train, "--line", "V", "--train",
                        "C", "--format", "json"});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_NE(r.out.find("\"file\": \"a/V\xef\xbf\xbd_linea.txt\""), std::string::npos)
      << r.out;
}

TEST_F(Hostile, ReportToStdoutWritesNoFile) {
  const snapshot before = take_snapshot(d.path());
  const esito_tool r =
      esegui(d.path(), {"report", line, train, "-o", "-", "-Wno-decimal-comma"});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.out.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(changes(before, take_snapshot(d.path())), std::vector<std::string>{});
}

// New outputs take the mode the umask leaves; a replaced file keeps its own.
TEST_F(Hostile, ModesFollowTheUmaskAndAReplacedFileKeepsItsMode) {
  ASSERT_EQ(::chmod(d.file("out/Vardelia_Corvessa.sim").c_str(), 0600), 0);
  const esito_tool r = esegui(d.path(), {"build", line, train, "-o", "out2"},
                              "umask 027 && env -u NO_COLOR");
  ASSERT_EQ(r.stato, 0) << r.err;
  const esito_tool again = esegui(d.path(), {"build", line, train, "-o", "out"},
                                  "umask 077 && env -u NO_COLOR");
  ASSERT_EQ(again.stato, 0) << again.err;
  const auto mode = [&](const std::string& f) {
    struct stat st {};
    ::stat(d.file(f).c_str(), &st);
    return st.st_mode & 07777;
  };
  EXPECT_EQ(mode("out2/Vardelia_Corvessa.dat"), 0640u);
  EXPECT_EQ(mode("out2/Vardelia_linea.dat"), 0640u);
  EXPECT_EQ(mode("out/Vardelia_Corvessa.sim"), 0600u) << "kept";
  EXPECT_EQ(mode("out/Vardelia_Corvessa.dat"), 0644u) << "kept, not the umask's";
}

// Runs `program` with `arguments` in `folder`, sends `signal_number` as soon
// as the `nth` temporary file appears there, and returns the wait status.
// -1 when the program ended before that.
int interrupt_when_writing(const std::string& program,
                           const std::vector<std::string>& arguments,
                           const std::string& folder, const std::string& watched, int nth,
                           int signal_number) {
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string here = fs::current_path().string();
  fs::current_path(folder);
  pid_t pid = 0;
  // No window: the one-shot program shows its message on the console.
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("DISPLAY=", 0) != 0 &&
        std::string(*e).rfind("WAYLAND_DISPLAY=", 0) != 0)
      env.push_back(*e);
  }
  env.push_back(nullptr);
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data());
  fs::current_path(here);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -2;
  std::vector<std::string> seen;
  int status = 0;
  for (;;) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return -1;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(watched, ec)) {
      const std::string name = e.path().filename().string();
      if (!is_temporary(name) || std::find(seen.begin(), seen.end(), name) != seen.end())
        continue;
      seen.push_back(name);
      if (static_cast<int>(seen.size()) == nth) {
        ::kill(pid, signal_number);
        ::waitpid(pid, &status, 0);
        return status;
      }
    }
  }
}

TEST_F(Hostile, AnInterruptWhileWritingLeavesNoTemporaryFileAndKeepsTheOldFiles) {
  // A 1,000 km route: its plan file is 20 MB, written long enough to be
  // caught in the middle.
  const long_scenario s = make_long_scenario();
  write_bytes(d.file("a/L_linea.txt"), s.line_source);
  write_bytes(d.file("a/L_T-.txt"), s.train_source);
  const std::vector<std::string> args = {"build", "a/L_linea.txt", "a/L_T-.txt", "-o",
                                         "long"};
  fs::create_directory(d.file("long"));
  // Old files in place, to be kept or replaced whole.
  for (const char* f : {"long/L_linea.dat", "long/L_T.sim", "long/L_T.dat"})
    write_bytes(d.file(f), "old");
  int caught = 0;
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    for (int nth : {1, 2, 3}) {
      const snapshot documents = take_snapshot(d.file("a"));
      const int status = interrupt_when_writing(SCENARIO_TOOL, args, d.path(),
                                                d.file("long"), nth, signal_number);
      ASSERT_NE(status, -2) << "not started";
      // Ended before the file was seen, or before the signal came: the
      // files are checked all the same.
      if (status != -1 && WIFSIGNALED(status)) {
        ++caught;
        EXPECT_EQ(WTERMSIG(status), signal_number) << "ended by its own signal";
      }
      EXPECT_EQ(temporaries(d.path()), std::vector<std::string>{})
          << "signal " << signal_number << ", file " << nth;
      EXPECT_EQ(changes(documents, take_snapshot(d.file("a"))),
                std::vector<std::string>{});
      for (const char* f : {"long/L_linea.dat", "long/L_T.sim", "long/L_T.dat"}) {
        const std::string bytes = read_bytes(d.file(f));
        EXPECT_TRUE(bytes == "old" || bytes.size() > 1000)
            << f << " is neither old nor whole";
      }
    }
  }
  EXPECT_GE(caught, 3) << "the interrupts did not land while writing";
}

// Runs `program` in `folder` with a library that stops it before each
// rename, and sends `signal_number` at the `nth` stop, when that file's
// temporary is complete and not yet renamed. Returns the wait status, and in
// `temporaries_then` what was beside the outputs at that moment; -1 when the
// program ended before its nth rename.
int interrupt_before_rename(const std::string& program, const std::string& folder,
                            int nth, int signal_number,
                            std::vector<std::string>& temporaries_then) {
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> words;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string w = *e;
    if (w.rfind("DISPLAY=", 0) != 0 && w.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
        w.rfind("LD_PRELOAD=", 0) != 0 && w.rfind("ASAN_OPTIONS=", 0) != 0)
      words.push_back(w);
  }
  words.push_back(std::string("LD_PRELOAD=") + STOP_BEFORE_RENAME);
  // Under the sanitizers the preloaded library comes before their runtime.
  const char* asan = std::getenv("ASAN_OPTIONS");
  words.push_back(std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") +
                  (asan != nullptr && *asan != 0 ? ":" : "") +
                  "verify_asan_link_order=0");
  std::vector<char*> env;
  for (std::string& w : words) env.push_back(w.data());
  env.push_back(nullptr);
  const std::string here = fs::current_path().string();
  fs::current_path(folder);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data());
  fs::current_path(here);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -2;
  int status = 0;
  for (int stops = 0;;) {
    if (::waitpid(pid, &status, WUNTRACED) != pid) return -2;
    if (!WIFSTOPPED(status)) return -1;
    if (++stops == nth) {
      temporaries_then = temporaries(folder);
      ::kill(pid, signal_number);
      ::kill(pid, SIGCONT);
      ::waitpid(pid, &status, 0);
      return status;
    }
    ::kill(pid, SIGCONT);
  }
}

TEST_F(Hostile, TheOneShotProgramRemovesItsTemporaryFilesOnAnInterrupt) {
  fs::create_directory(d.file("run"));
  fs::copy_file(SCENARIO_PROGRAM, d.file("run/scenario_build"));
  ::chmod(d.file("run/scenario_build").c_str(), 0755);
  // The five documents are renamed in place first, then the three binary
  // files: an interrupt before each of those leaves no temporary behind.
  for (int nth : {1, 6, 7, 8}) {
    std::vector<std::string> then;
    const int status = interrupt_before_rename(d.file("run/scenario_build"),
                                               d.file("run"), nth, SIGTERM, then);
    ASSERT_GE(status, 0) << "file " << nth << ": the run ended before its rename";
    EXPECT_EQ(then.size(), 1u) << "file " << nth << ": one temporary in place";
    ASSERT_TRUE(WIFSIGNALED(status)) << "file " << nth;
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(temporaries(d.file("run")), std::vector<std::string>{}) << "file " << nth;
  }
}

}  // namespace
