// Benchmarks of the whole run and of its steps, the long scenario for scale,
// and the budgets they are held to. With no arguments every benchmark runs,
// then the budget table is printed; the exit status is 1 when a budget is
// missed or a benchmark could not run. Google Benchmark's own flags
// (--benchmark_filter, --benchmark_repetitions, ...) work as usual; budgets
// whose benchmarks were filtered out are not judged.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "allocation_count.h"
#include "track/binary_files.h"
#include "track/memorizza_percorso.h"
#include "documents/documents.h"
#include "reader/memorizza_dati.h"
#include "base/file_io.h"
#include "scenario/naming.h"
#include "run/platform.h"
#include "run/source_files.h"
#include "run/run.h"
#include "scenario/scenario_state.h"
#include "support/long_scenario.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

using steady = std::chrono::steady_clock;

// Budgets. The work is linear in the route length, so the 1,000,000 m build
// (1,007,000 m of track against 341,000) should take about 3 times the
// built-in one. Memory is not: the line plan file is written in pieces, so
// a longer route costs only its track.
constexpr double whole_run_over_floor = 2.0;
constexpr double process_over_floor = 1.3;
constexpr double long_over_builtin = 3.0;
constexpr double peak_rss_limit_mib = 10.0;
constexpr double long_peak_rss_limit_mib = 12.0;

// The one folder every benchmark works in, removed at exit.
const std::string& work_folder() {
  static const temp_folder folder;
  return folder.path();
}

// A state ready for a build in the work folder, as the run leaves it before
// the build starts.
scenario_state fresh_state(const std::string& folder) {
  scenario_state st;
  st.cartella = folder;
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  return st;
}

size_t file_size(const std::string& path) {
  std::error_code ec;
  auto n = std::filesystem::file_size(path, ec);
  return ec ? 0 : static_cast<size_t>(n);
}

size_t total(const std::vector<size_t>& sizes) {
  return std::accumulate(sizes.begin(), sizes.end(), size_t{0});
}

std::string status_text(const scenario_state& st) {
  return "build status " + std::to_string(st.codice_errore) + " at " +
         std::to_string(st.posizione_errore) + " m";
}

// What the built-in scenario's run writes, found by running it once.
struct builtin_run {
  std::string failure;  // why it could not be prepared; empty when it could
  std::string line_source;
  std::string train_source;
  std::vector<size_t> run_files;     // the eight files a run writes
  std::vector<size_t> binary_files;  // the three binary files
};

builtin_run prepare_builtin() {
  builtin_run r;
  scenario_state st;
  st.cartella = work_folder();
  int rc = esegui(st, silent_platform());
  if (rc != 0) {
    r.failure = "the built-in run ended with status " + std::to_string(rc);
    return r;
  }
  if (st.codice_errore != 0) {
    r.failure = "the built-in run left " + status_text(st);
    return r;
  }
  for (file_kind k :
       {file_kind::notes, file_kind::slowdown_form, file_kind::train_sheet}) {
    r.run_files.push_back(file_size(file_path(st, k)));
  }
  for (file_kind k : {file_kind::line_plan, file_kind::scenario, file_kind::track}) {
    r.binary_files.push_back(file_size(file_path(st, k)));
    r.run_files.push_back(r.binary_files.back());
  }
  // The two source documents are deleted by the run; write them once more.
  const std::string line = file_path(st, file_kind::line_source);
  const std::string train = file_path(st, file_kind::train_source);
  if (!dati_linea(st).ok() || !dati_treno(st).ok() ||
      !read_file(line, r.line_source).ok() || !read_file(train, r.train_source).ok()) {
    r.failure = "the source documents could not be written and read back";
    return r;
  }
  remove_file(line);
  remove_file(train);
  if (r.line_source.empty() || r.train_source.empty()) {
    r.failure = "the source documents are empty";
    return r;
  }
  r.run_files.push_back(r.line_source.size());
  r.run_files.push_back(r.train_source.size());
  return r;
}

const builtin_run& builtin() {
  static const builtin_run r = prepare_builtin();
  return r;
}

const long_scenario& long_run() {
  static const long_scenario s = make_long_scenario();
  return s;
}

// Puts the two source documents in place for a build (the reader deletes
// them as it reads).
bool place_sources(const scenario_state& st, const std::string& line,
                   const std::string& train) {
  return replace_file(file_path(st, file_kind::line_source), line).ok() &&
         replace_file(file_path(st, file_kind::train_source), train).ok();
}

// User and system time of this thread so far, in seconds, and its page
// faults: where a step's time goes, in the program or in the kernel's file
// and memory work.
struct cpu_split {
  double user = 0;
  double system = 0;
  double faults = 0;
};

cpu_split cpu_now() {
  rusage u{};
  ::getrusage(RUSAGE_THREAD, &u);
  return {static_cast<double>(u.ru_utime.tv_sec) + u.ru_utime.tv_usec / 1e6,
          static_cast<double>(u.ru_stime.tv_sec) + u.ru_stime.tv_usec / 1e6,
          static_cast<double>(u.ru_minflt)};
}

// Adds to `sum` what was spent from `start` to `end`.
void add_cpu(cpu_split& sum, const cpu_split& start, const cpu_split& end) {
  sum.user += end.user - start.user;
  sum.system += end.system - start.system;
  sum.faults += end.faults - start.faults;
}

// Adds counters "user_ms", "sys_ms" and "faults" per iteration for `spent`.
void report_cpu(benchmark::State& state, const cpu_split& spent) {
  const auto per_iteration = benchmark::Counter::kAvgIterations;
  state.counters["user_ms"] = benchmark::Counter(spent.user * 1e3, per_iteration);
  state.counters["sys_ms"] = benchmark::Counter(spent.system * 1e3, per_iteration);
  state.counters["faults"] = benchmark::Counter(spent.faults, per_iteration);
}

// The same for everything since `start`.
void report_cpu_split(benchmark::State& state, const cpu_split& start) {
  cpu_split spent;
  add_cpu(spent, start, cpu_now());
  report_cpu(state, spent);
}

double seconds_between(steady::time_point a, steady::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// ---- The benchmarks -------------------------------------------------------

// The whole run of the built-in scenario: five documents, reading, build,
// three binary files.
void bm_whole_run(benchmark::State& state) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  const platform p = silent_platform();
  const cpu_split start = cpu_now();
  for (auto _ : state) {
    scenario_state st;
    st.cartella = work_folder();
    int rc = esegui(st, p);
    if (rc != 0 || st.codice_errore != 0) {
      state.SkipWithError(("the built-in run failed: exit status " + std::to_string(rc) +
                           ", " + status_text(st))
                              .c_str());
      break;
    }
  }
  report_cpu_split(state, start);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(total(b.run_files)));
}

// The floor: byte buffers of the given sizes written to the same folder,
// one write each, replacing the files of the previous iteration. Two ways are
// timed, because which is cheaper depends on the file system: truncating the
// old file and writing it again in place, or writing a new file and renaming
// it over the old one (as the run does). The budget takes the cheaper.
enum class replacement { in_place, renamed };

void write_floor(benchmark::State& state, const std::vector<size_t>& sizes,
                 replacement how) {
  std::vector<std::string> buffers;
  std::vector<std::string> paths;
  for (size_t i = 0; i < sizes.size(); ++i) {
    buffers.emplace_back(sizes[i], static_cast<char>('a' + i));
    paths.push_back(work_folder() + "/floor_" + std::to_string(i) + ".bin");
  }
  const cpu_split start = cpu_now();
  for (auto _ : state) {
    for (size_t i = 0; i < sizes.size(); ++i) {
      const std::string target =
          how == replacement::in_place ? paths[i] : paths[i] + ".new";
      const int flags = how == replacement::in_place ? O_TRUNC : O_EXCL;
      int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
      bool ok = fd >= 0 && ::write(fd, buffers[i].data(), buffers[i].size()) ==
                               static_cast<ssize_t>(buffers[i].size());
      if (fd >= 0 && ::close(fd) != 0) ok = false;
      if (ok && how == replacement::renamed) {
        ok = ::rename(target.c_str(), paths[i].c_str()) == 0;
      }
      if (!ok) {
        state.SkipWithError(("cannot write " + target).c_str());
        break;
      }
    }
  }
  report_cpu_split(state, start);
  for (const std::string& path : paths) ::unlink(path.c_str());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(total(sizes)));
}

void bm_floor(benchmark::State& state, bool whole_run, replacement how) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  write_floor(state, whole_run ? b.run_files : b.binary_files, how);
}

// Reading one pair of source documents into a reset state, timed alone:
// putting the documents back in place and making the state are not timed.
void time_reading(benchmark::State& state, const std::string& line,
                  const std::string& train) {
  uint64_t allocations = 0;
  int64_t points = 0;
  for (auto _ : state) {
    scenario_state st = fresh_state(work_folder());
    if (!place_sources(st, line, train)) {
      state.SkipWithError("cannot put the source documents in place");
      break;
    }
    st.salva_linea = 1;  // as the build leaves it for the reader
    const uint64_t a0 = allocations_so_far();
    const steady::time_point t0 = steady::now();
    {
      const sorgenti_su_disco sorgenti(st);
      memorizza_dati(st, sorgenti.sorgenti);
    }
    const steady::time_point t1 = steady::now();
    allocations += allocations_so_far() - a0;
    state.SetIterationTime(seconds_between(t0, t1));
    if (st.codice_errore != 0 || !st.percorso_creato()) {
      state.SkipWithError(("the reading left " + status_text(st)).c_str());
      break;
    }
    points = st.tracciato.ultimo + 1;
  }
  state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations),
                                                     benchmark::Counter::kAvgIterations);
  state.counters["points"] = static_cast<double>(points);
}

void bm_read_sources(benchmark::State& state) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  time_reading(state, b.line_source, b.train_source);
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<int64_t>(b.line_source.size() + b.train_source.size()));
}

// The plan polyline of a 1,000,000 m route with a curve every 500 m, from
// the source document to the line plan file: a line source that holds the
// header and the curves only, a train source with nothing in it. The
// reading lays the stretches; the points are computed while the file is
// written.
void bm_polyline(benchmark::State& state) {
  static const std::string line = make_curved_line_source();
  static const std::string train = "[generale]\r\n[fine]\r\n";
  uint64_t allocations = 0;
  cpu_split cpu;
  for (auto _ : state) {
    scenario_state st = fresh_state(work_folder());
    if (!place_sources(st, line, train)) {
      state.SkipWithError("cannot put the source documents in place");
      break;
    }
    st.salva_linea = 1;
    const uint64_t a0 = allocations_so_far();
    const cpu_split c0 = cpu_now();
    const steady::time_point t0 = steady::now();
    Status s = Status::success();
    {
      const sorgenti_su_disco sorgenti(st);
      memorizza_dati(st, sorgenti.sorgenti);
      if (st.codice_errore == 0) {
        s = scrivi_tracciato(file_path(st, file_kind::line_plan), st.tracciato);
      }
    }
    const steady::time_point t1 = steady::now();
    const cpu_split c1 = cpu_now();
    allocations += allocations_so_far() - a0;
    add_cpu(cpu, c0, c1);
    state.SetIterationTime(seconds_between(t0, t1));
    if (st.codice_errore != 0) {
      state.SkipWithError(("the reading left " + status_text(st)).c_str());
      break;
    }
    if (!s.ok()) {
      state.SkipWithError(s.message().c_str());
      break;
    }
  }
  state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations),
                                                     benchmark::Counter::kAvgIterations);
  report_cpu(state, cpu);
  state.SetItemsProcessed(state.iterations() * 2 *
                          int64_t{long_route_length + 7000 + 1});  // x and y per metre
}

// The three binary files of the built-in scenario, written from a finished
// state.
void bm_binary_files(benchmark::State& state) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  scenario_state st = fresh_state(work_folder());
  if (!place_sources(st, b.line_source, b.train_source) ||
      memorizza_percorso_in_cartella(st, 1).tipo != esito::fatto) {
    state.SkipWithError("the built-in scenario could not be built");
    return;
  }
  const cpu_split start = cpu_now();
  for (auto _ : state) {
    Status s = scrivi_file_binari(st);
    if (!s.ok()) {
      state.SkipWithError(s.message().c_str());
      break;
    }
  }
  report_cpu_split(state, start);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(total(b.binary_files)));
}

// The build alone (reading, finishing, race codes, binary files) of one
// pair of source documents; putting them in place is not timed. The build
// must end with status 0.
void time_build(benchmark::State& state, const std::string& line,
                const std::string& train) {
  uint64_t allocations = 0;
  cpu_split cpu;
  int64_t cells = 0;
  for (auto _ : state) {
    scenario_state st = fresh_state(work_folder());
    if (!place_sources(st, line, train)) {
      state.SkipWithError("cannot put the source documents in place");
      break;
    }
    const uint64_t a0 = allocations_so_far();
    const cpu_split c0 = cpu_now();
    const steady::time_point t0 = steady::now();
    const esito_build e = memorizza_percorso_in_cartella(st, 1);
    const steady::time_point t1 = steady::now();
    const cpu_split c1 = cpu_now();
    allocations += allocations_so_far() - a0;
    add_cpu(cpu, c0, c1);
    state.SetIterationTime(seconds_between(t0, t1));
    if (e.tipo != esito::fatto) {
      state.SkipWithError(e.status.ok() ? "the build stopped with a numbered error"
                                        : e.status.message().c_str());
      break;
    }
    if (st.codice_errore != 0) {
      state.SkipWithError(("the build left " + status_text(st)).c_str());
      break;
    }
    cells = st.numero_celle + 1;
  }
  scenario_state names = fresh_state(work_folder());
  size_t bytes = line.size() + train.size();
  for (file_kind k : {file_kind::line_plan, file_kind::scenario, file_kind::track}) {
    bytes += file_size(file_path(names, k));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
  state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations),
                                                     benchmark::Counter::kAvgIterations);
  state.counters["cells"] = static_cast<double>(cells);
  report_cpu(state, cpu);
}

void bm_build_builtin(benchmark::State& state) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  time_build(state, b.line_source, b.train_source);
}

void bm_build_long(benchmark::State& state) {
  const long_scenario& s = long_run();
  time_build(state, s.line_source, s.train_source);
  state.counters["slowdowns"] = s.slowdowns;
  state.counters["signals"] = s.signals;
  state.counters["curves"] = s.curves;
}

// ---- Child processes: the whole run as a user meets it, peak memory -----

struct child_run {
  bool ok = false;
  double seconds = 0;  // from start to end, as its caller waits
  double peak_mib = 0;
  long minor_faults = 0;
  std::string failure;
};

// Runs a program to its end, its output discarded, and reports its time,
// its peak resident memory and its page faults.
child_run run_child(const std::vector<std::string>& args) {
  child_run r;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const steady::time_point t0 = steady::now();
  int err = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (err != 0) {
    r.failure = "cannot start " + args[0];
    return r;
  }
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) {
    r.failure = "lost " + args[0];
    return r;
  }
  r.seconds = seconds_between(t0, steady::now());
  r.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  r.minor_faults = usage.ru_minflt;
  r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!r.ok) r.failure = args[0] + " did not end with status 0";
  return r;
}

// The program measured as a process: this build's, or another build named
// by SCENARIO_BENCH_PROGRAM (to compare two builds against the same floor).
std::string program_under_test() {
  const char* other = std::getenv("SCENARIO_BENCH_PROGRAM");
  return other != nullptr && *other != '\0' ? other : SCENARIO_PROGRAM;
}

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t h = v.size() / 2;
  return v.size() % 2 != 0 ? v[h] : (v[h - 1] + v[h]) / 2;
}

// The whole run as a user meets it: the program copied into a folder of
// its own and started there, paired with the floor program, which writes
// files of the sizes of the run's eight into the same folder, one write
// each, from a buffer of small pages and from one of huge pages. Every
// iteration runs the three, each first in turn, so a load that comes and
// goes falls on all alike; the time reported is the program's, and the
// counters give the medians and the ratio of the program's to the cheaper
// floor's.
void bm_process(benchmark::State& state) {
  const builtin_run& b = builtin();
  if (!b.failure.empty()) {
    state.SkipWithError(b.failure.c_str());
    return;
  }
  const std::string folder = work_folder() + "/process";
  std::error_code ec;
  std::filesystem::create_directory(folder, ec);
  const std::string program = folder + "/scenario_build";
  std::filesystem::copy_file(program_under_test(), program,
                             std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) {
    state.SkipWithError(("cannot copy " + program_under_test()).c_str());
    return;
  }
  std::vector<std::vector<std::string>> commands = {
      {program}, {SCENARIO_FLOOR, folder}, {SCENARIO_FLOOR, "--huge-pages", folder}};
  for (size_t size : b.run_files) {
    commands[1].push_back(std::to_string(size));
    commands[2].push_back(std::to_string(size));
  }

  std::vector<double> ms[3], faults[3];
  std::string failure;
  // Each replaces its files of an earlier run from the first timed one on.
  for (const auto& c : commands) {
    if (const child_run r = run_child(c); !r.ok) failure = r.failure;
  }
  for (auto _ : state) {
    if (!failure.empty()) break;
    child_run r[3];
    for (size_t k = 0; k < 3; ++k) {
      const size_t which = (k + ms[0].size()) % 3;
      r[which] = run_child(commands[which]);
      if (!r[which].ok) failure = r[which].failure;
    }
    if (!failure.empty()) break;
    state.SetIterationTime(r[0].seconds);
    for (size_t k = 0; k < 3; ++k) {
      ms[k].push_back(r[k].seconds * 1e3);
      faults[k].push_back(static_cast<double>(r[k].minor_faults));
    }
  }
  if (!failure.empty()) {
    state.SkipWithError(failure.c_str());
    return;
  }
  state.counters["run_ms"] = median(ms[0]);
  state.counters["floor_ms"] = median(ms[1]);
  state.counters["floor_huge_ms"] = median(ms[2]);
  state.counters["ratio"] = median(ms[0]) / std::min(median(ms[1]), median(ms[2]));
  state.counters["run_faults"] = median(faults[0]);
  state.counters["floor_faults"] = median(faults[1]);
  state.counters["floor_huge_faults"] = median(faults[2]);
}

std::string own_path() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

// The child mode behind the long scenario's memory figure: one build in a
// folder of its own; status 0 only when the build ended with status 0.
int build_long_once() {
  temp_folder folder;
  scenario_state st = fresh_state(folder.path());
  if (!write_long_scenario(st, make_long_scenario()).ok()) return 2;
  if (memorizza_percorso_in_cartella(st, 1).tipo != esito::fatto) return 2;
  return st.codice_errore == 0 ? 0 : 1;
}

// The peaks of the built-in program's run and of one long build, each in a
// process of its own. Taken before any benchmark runs: a child's peak counts
// the memory of the process it was started from, which is small only then.
struct peak_memory {
  child_run program;
  child_run long_build;
};

peak_memory measure_peaks() {
  peak_memory m;
  m.program = run_child({program_under_test()});
  m.long_build = run_child({own_path(), "--build-long-once"});
  return m;
}

// ---- Budgets --------------------------------------------------------------

// Passes the results to the console and keeps each benchmark's time per
// iteration in seconds (the median where repetitions give one).
class recording_reporter : public benchmark::ConsoleReporter {
 public:
  explicit recording_reporter(OutputOptions options) : ConsoleReporter(options) {}

  std::map<std::string, double> seconds;
  std::map<std::string, std::map<std::string, double>> counters;
  std::map<std::string, std::string> failures;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name;
      if (run.error_occurred) {
        failures[name] = run.error_message;
        continue;
      }
      const double s =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const bool median =
          run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if ((run.run_type == Run::RT_Iteration && !medians_.count(name)) || median) {
        seconds[name] = s;
        for (const auto& [counter, value] : run.counters) counters[name][counter] = value;
      }
      if (median) medians_.insert({name, true});
    }
    ConsoleReporter::ReportRuns(runs);
  }

 private:
  std::map<std::string, bool> medians_;
};

const char* const name_whole_run = "whole_run/builtin";
const char* const name_floor_in_place = "floor/whole_run_files/in_place";
const char* const name_floor_renamed = "floor/whole_run_files/renamed";
const char* const name_build_builtin = "build/builtin";
const char* const name_build_long = "build/long_1000000m";
const char* const name_process = "process/whole_run_vs_floor";

void register_benchmarks() {
  auto unit = benchmark::kMillisecond;
  benchmark::RegisterBenchmark(name_process, bm_process)
      ->Unit(unit)
      ->UseManualTime()
      ->MinTime(1.0);
  benchmark::RegisterBenchmark(name_whole_run, bm_whole_run)->Unit(unit)->UseRealTime();
  benchmark::RegisterBenchmark(name_floor_in_place, bm_floor, true, replacement::in_place)
      ->Unit(unit)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name_floor_renamed, bm_floor, true, replacement::renamed)
      ->Unit(unit)
      ->UseRealTime();
  benchmark::RegisterBenchmark("read_sources/builtin", bm_read_sources)
      ->Unit(unit)
      ->UseManualTime();
  benchmark::RegisterBenchmark("polyline/1000000m", bm_polyline)
      ->Unit(unit)
      ->UseManualTime();
  benchmark::RegisterBenchmark("binary_files/builtin", bm_binary_files)
      ->Unit(unit)
      ->UseRealTime();
  benchmark::RegisterBenchmark("floor/binary_files/in_place", bm_floor, false,
                               replacement::in_place)
      ->Unit(unit)
      ->UseRealTime();
  benchmark::RegisterBenchmark("floor/binary_files/renamed", bm_floor, false,
                               replacement::renamed)
      ->Unit(unit)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name_build_builtin, bm_build_builtin)
      ->Unit(unit)
      ->UseManualTime();
  benchmark::RegisterBenchmark(name_build_long, bm_build_long)
      ->Unit(unit)
      ->UseManualTime();
}

// One line of the budget table; false when the budget is missed.
bool judge(const char* what, double measured, double limit, const char* unit,
           const std::string& detail) {
  const bool met = measured <= limit;
  std::printf("  %-58s %8.2f %-3s <= %8.2f %-3s %-6s %s\n", what, measured, unit, limit,
              unit, met ? "met" : "MISSED", detail.c_str());
  return met;
}

int report_budgets(const recording_reporter& r, const peak_memory& peaks) {
  bool all_met = true;
  std::printf("\nBudgets (%u cores):\n", std::thread::hardware_concurrency());
  for (const auto& [name, message] : r.failures) {
    std::printf("  %s could not run: %s\n", name.c_str(), message.c_str());
    all_met = false;
  }
  auto ms = [&](const char* name) { return r.seconds.at(name) * 1e3; };
  auto have = [&](const char* a, const char* b) {
    return r.seconds.count(a) != 0 && r.seconds.count(b) != 0;
  };
  char detail[96];
  if (have(name_whole_run, name_floor_in_place) ||
      have(name_whole_run, name_floor_renamed)) {
    double floor = 0;
    const char* way = "";
    for (const char* name : {name_floor_in_place, name_floor_renamed}) {
      if (r.seconds.count(name) != 0 && (floor == 0 || ms(name) < floor)) {
        floor = ms(name);
        way = name == name_floor_in_place ? "in place" : "renamed";
      }
    }
    std::snprintf(detail, sizeof detail, "(floor %.2f ms %s, ratio %.2f)", floor, way,
                  ms(name_whole_run) / floor);
    all_met &= judge("whole built-in run, within 2 x the floor of its 8 files",
                     ms(name_whole_run), whole_run_over_floor * floor, "ms", detail);
  }
  if (r.counters.count(name_process) != 0) {
    const std::map<std::string, double>& c = r.counters.at(name_process);
    std::snprintf(detail, sizeof detail,
                  "(run %.2f ms, floor %.2f / %.2f ms with small / huge pages)",
                  c.at("run_ms"), c.at("floor_ms"), c.at("floor_huge_ms"));
    all_met &= judge("whole built-in run as a process, within 1.3 x its floor",
                     c.at("ratio"), process_over_floor, "x", detail);
  }
  if (have(name_build_long, name_build_builtin)) {
    std::snprintf(detail, sizeof detail, "(built-in %.2f ms, ratio %.2f)",
                  ms(name_build_builtin), ms(name_build_long) / ms(name_build_builtin));
    all_met &=
        judge("1,000,000 m build, within 3 x the built-in build", ms(name_build_long),
              long_over_builtin * ms(name_build_builtin), "ms", detail);
  }

  const struct {
    const char* what;
    const child_run& run;
    double limit;
  } peaks_judged[] = {
      {"peak resident memory of the whole built-in run", peaks.program,
       peak_rss_limit_mib},
      {"peak resident memory of one 1,000,000 m build", peaks.long_build,
       long_peak_rss_limit_mib},
  };
  for (const auto& p : peaks_judged) {
    if (!p.run.ok) {
      std::printf("  %s: %s\n", p.what, p.run.failure.c_str());
      all_met = false;
      continue;
    }
    std::snprintf(detail, sizeof detail, "(%ld page faults)", p.run.minor_faults);
    all_met &= judge(p.what, p.run.peak_mib, p.limit, "MiB", detail);
  }
  return all_met ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--build-long-once") return build_long_once();
  register_benchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  const peak_memory peaks = measure_peaks();
  recording_reporter reporter(::isatty(STDOUT_FILENO)
                                  ? recording_reporter::OO_ColorTabular
                                  : recording_reporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  int status = report_budgets(reporter, peaks);
  benchmark::Shutdown();
  return status;
}
