// What the tool says grows with the kinds of problem, not with the rows: a
// document of a hundred thousand unknown rows gives a handful of findings,
// the findings shown are capped by --error-limit and --warning-limit, and
// running out of memory ends in one line and status 2, never an abort.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

const std::string line_source =
    "[generale]\r\n"
    "lunghezza percorso,    10000\r\n"
    "[curve]\r\n"
    "[fine]\r\n";

// A train source of `n` rows the reader knows nothing of, and one it knows
// (a train source without any is an error of its own).
std::string unknown_rows(int n) {
  std::string out = "[generale]\r\n[segnali]\r\n";
  for (int i = 0; i < n; ++i) out += "sconosciuta, 1, 2\r\n";
  return out + "sabbia, 100\r\n[fine]\r\n";
}

size_t count_of(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

class Bounded : public ::testing::Test {
 protected:
  void write(int rows) {
    write_bytes(d.file("L_linea.txt"), line_source);
    write_bytes(d.file("L_T-.txt"), unknown_rows(rows));
  }
  temp_folder d;
};

TEST_F(Bounded, WarningsOfOneKindAreFoldedPastAFewInADocument) {
  write(1000);
  esito_tool r = esegui(d.path(), {"check", "L_linea.txt", "L_T-.txt"});
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(count_of(r.err, "[-Wunknown-row]"), 5u) << r.err;
  EXPECT_NE(
      r.err.find("L_T-.txt:7:1: warning: line matches no row and is ignored (and 995 "
                 "more like it in this document) [-Wunknown-row]"),
      std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("\n1000 warnings generated.\n"), std::string::npos) << r.err;

  r = esegui(d.path(), {"check", "L_linea.txt", "L_T-.txt", "--format", "json"});
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["diagnostics"].size(), 5u);
  EXPECT_EQ(j["warnings"], 1000);
  EXPECT_FALSE(j.contains("not_shown"));
}

TEST_F(Bounded, LimitsCapWhatIsShownAndCountWhatIsLeftOut) {
  write(4);
  struct caso {
    std::vector<std::string> options;
    size_t shown;
    std::string note;  // "" for none
  };
  const caso casi[] = {
      {{}, 4, ""},
      {{"--warning-limit", "1"}, 1, "scenario: note: 3 more warnings not shown"},
      {{"--warning-limit", "0"}, 4, ""},
      {{"-Werror", "--error-limit", "2"}, 2, "scenario: note: 2 more errors not shown"},
  };
  for (const caso& c : casi) {
    std::vector<std::string> args = {"check", "L_linea.txt", "L_T-.txt"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const esito_tool r = esegui(d.path(), args);
    EXPECT_EQ(count_of(r.err, "Wunknown-row]"), c.shown) << r.err;
    if (c.note.empty()) {
      EXPECT_EQ(r.err.find("not shown"), std::string::npos) << r.err;
    } else {
      EXPECT_NE(r.err.find(c.note), std::string::npos) << r.err;
    }
    // The summary counts every finding, shown or not.
    EXPECT_NE(r.err.find("4 "), std::string::npos) << r.err;

    args.push_back("--format=json");
    const nlohmann::json j = nlohmann::json::parse(esegui(d.path(), args).out);
    EXPECT_EQ(j["diagnostics"].size(), c.shown);
    EXPECT_EQ(j["warnings"].get<int>() + j["errors"].get<int>(), 4);
  }
}

// Under a shrinking address space the same check either completes or ends
// with "out of memory" in one line and status 2: never an abort. A
// hundred thousand unknown rows fit in a few megabytes of findings.
TEST_F(Bounded, RunningOutOfMemoryIsOneLineAndStatus2) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit";
#else
  write(100'000);
  bool completed = false, ran_out = false;
  for (const char* format : {"text", "json", "sarif"}) {
    for (int megabytes = 8; megabytes <= 64; megabytes += 8) {
      const std::string limit =
          "ulimit -v " + std::to_string(megabytes * 1024) + " && env -u NO_COLOR";
      const esito_tool r = esegui(
          d.path(), {"check", "L_linea.txt", "L_T-.txt", "--format", format}, limit);
      ASSERT_TRUE(r.stato == 0 || r.stato == 2)
          << format << " in " << megabytes << " MB: status " << r.stato << "\n"
          << r.err;
      if (r.stato == 2) {
        EXPECT_EQ(r.err, "scenario: out of memory\n") << format << " in " << megabytes;
        ran_out = true;
      } else {
        completed = true;
      }
    }
  }
  EXPECT_TRUE(completed) << "no run had room enough";
  EXPECT_TRUE(ran_out) << "no run ran out: the limits are too generous to tell";
#endif
}

}  // namespace
