#include "tool/diagnostics/machine_report.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A document's path as SARIF names it: a URI reference with '/' between
// folders, every byte outside the unreserved set percent-encoded; an
// absolute path as a file URI.
TEST(UriDi, PathsAsUris) {
  const std::vector<std::pair<std::string, std::string>> casi = {
      {"L_linea.txt", "L_linea.txt"},
      {"Λ mia/Città-.txt", "%CE%9B%20mia/Citt%C3%A0-.txt"},
#ifdef _WIN32
      {"/tmp/a#b?c.txt", "/tmp/a%23b%3Fc.txt"},  // no drive: not absolute here
      {"Λ mia\\Città-.txt", "%CE%9B%20mia/Citt%C3%A0-.txt"},
      {"C:\\Dati\\x y.txt", "file:///C:/Dati/x%20y.txt"},
      {"\\Dati/x.txt", "/Dati/x.txt"},
#else
      {"/tmp/a#b?c.txt", "file:///tmp/a%23b%3Fc.txt"},
      {"/tmp/a b/L_linea.txt", "file:///tmp/a%20b/L_linea.txt"},
      {"./L_linea.txt", "./L_linea.txt"},
      {"a\\b.txt", "a%5Cb.txt"},   // '\' is a character of the name here
      {"C:/x.txt", "C%3A/x.txt"},  // no drives here: ':' is a character too
#endif
  };
  for (const auto& [percorso, uri] : casi) EXPECT_EQ(uri_di(percorso), uri) << percorso;
}

}  // namespace
