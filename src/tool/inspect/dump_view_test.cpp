// What dump shows of line plan files whose points lie as far apart as
// doubles go.
#include "tool/inspect/dump_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> out;
  size_t inizio = 0;
  for (size_t fine; (fine = testo.find('\n', inizio)) != std::string::npos;
       inizio = fine + 1) {
    out.push_back(testo.substr(inizio, fine - inizio));
  }
  EXPECT_EQ(inizio, testo.size()) << "the text ends in a line end";
  return out;
}

// Two points, (0, 0) and (x, 0).
file_binario due_punti(double x) {
  file_binario f;
  f.tipo = tipo_binario::tracciato;
  f.tracciato.crea(1);
  f.tracciato.metti_intero(0, 0, 0);
  f.tracciato.metti_intero(0, 1, 0);
  f.tracciato.metti_reale(1, 0, x);
  f.tracciato.metti_reale(1, 1, 0);
  return f;
}

TEST(DumpView, PathLengthIsWrittenWholeInItsLine) {
  const struct {
    double x;
    std::string inizio;  // how the line of the path length begins
    size_t larghezza;    // and its width
  } casi[] = {
      {1234.5678, "path length: 1234.568 m", 23},
      // 1.7976931348623157e308 m: 309 digits before the point.
      {1.7976931348623157e308, "path length: 17976931348623157081", 13 + 309 + 4 + 2},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.inizio);
    opzioni_dump o;
    o.file = "x_linea.dat";
    o.punti = true;
    const std::vector<std::string> r = righe_di(resa_dump(o, due_punti(c.x), {}));
    ASSERT_EQ(r.size(), 9u);
    EXPECT_TRUE(r[5].starts_with(c.inizio)) << r[5];
    EXPECT_EQ(r[5].size(), c.larghezza);
    EXPECT_EQ(r[6], " metre  x  y");
    EXPECT_EQ(r[7], "0  0  0");
  }
}

}  // namespace
