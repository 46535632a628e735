// The generated 1,000,000 m scenario builds with status 0, and every row it
// holds reaches the track: one board, signal, sign or stop point per row,
// and the code points the build adds around each slowdown.
#include "support/long_scenario.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "documents/documents.h"
#include "run/source_files.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "track/memorizza_percorso.h"

namespace {

class LongScenario : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    generated_ = new long_scenario(make_long_scenario());
    folder_ = new temp_folder();
    st_ = new scenario_state();
    st_->cartella = folder_->path();
    st_->linea = identificativo_linea;
    st_->treno = identificativo_treno;
    ASSERT_TRUE(write_long_scenario(*st_, *generated_).ok());
    const esito_build e = memorizza_percorso_in_cartella(*st_, 1);
    ASSERT_EQ(e.tipo, esito::fatto) << e.status.message();
  }
  static void TearDownTestSuite() {
    delete st_;
    delete folder_;
    delete generated_;
  }

  static std::array<int, 256> cells_by_code() {
    std::array<int, 256> n{};
    for (const cella& c : st_->percorso) ++n[c.codice];
    return n;
  }

  static long_scenario* generated_;
  static temp_folder* folder_;
  static scenario_state* st_;
};

long_scenario* LongScenario::generated_ = nullptr;
temp_folder* LongScenario::folder_ = nullptr;
scenario_state* LongScenario::st_ = nullptr;

TEST_F(LongScenario, IsLargeAndBuildsWithStatusZero) {
  const long_scenario& s = *generated_;
  EXPECT_GE(s.curves, 1000);
  EXPECT_GE(s.gradients, 1000);
  EXPECT_GE(s.speed_boards, 1000);
  EXPECT_GE(s.signals, 990);
  EXPECT_GE(s.slowdowns, 990);
  EXPECT_LE(s.mountains, 80);
  EXPECT_LE(s.signs, 80);
  EXPECT_LE(s.stations, 59);
  EXPECT_LT(s.stations + 1, 80 - s.signs);  // stations stay below the signs

  EXPECT_EQ(st_->codice_errore, 0) << "at " << st_->posizione_errore << " m";
  EXPECT_EQ(st_->elementi[slot::dimensioni].fine, long_route_length);
  EXPECT_EQ(st_->lunghezza_tracciato, long_route_length + 7000);
  EXPECT_EQ(st_->numero_celle, (long_route_length + 7000) / 50);
}

TEST_F(LongScenario, EveryRowReachesTheTrack) {
  const long_scenario& s = *generated_;
  const std::array<int, 256> n = cells_by_code();
  EXPECT_EQ(n[codice_cella::segnale], s.signals);
  EXPECT_EQ(n[codice_cella::inizio_rallentamento], s.slowdowns);
  EXPECT_EQ(n[codice_cella::fine_rallentamento], s.slowdowns);
  EXPECT_EQ(n[codice_cella::avviso_rallentamento], s.slowdowns);  // all start past 1500 m
  // Half the slowdowns lay their four approach marks.
  EXPECT_EQ(n[codice_cella::preavviso_rallentamento], 4 * (s.slowdowns / 2));
  EXPECT_EQ(n[codice_cella::indicatori_v_max], s.speed_boards);
  EXPECT_EQ(n[codice_cella::cartello_indicatore], s.signs);
  EXPECT_EQ(n[codice_cella::fermata], s.stations);
  // Code points: the rows with a positive value, plus the build's own. Each
  // block of two slowdowns gets three windows before each start board, one
  // inside the 500 m slowdown and one before the signal after each end
  // board; the signals before the warning boards already have code points
  // on both cells before them.
  const int blocks = s.slowdowns / 2;
  const int rows_of_zero = n[codice_cella::abbattimento_nullo];
  EXPECT_GT(rows_of_zero, 0);
  EXPECT_EQ(n[codice_cella::abbattimento], (s.code_points - rows_of_zero) + 9 * blocks);

  for (int i = 1; i <= s.stations; ++i) {
    EXPECT_EQ(st_->elementi[i].nome, "Stazione " + std::to_string(i)) << "slot " << i;
  }
  EXPECT_TRUE(st_->elementi[s.stations + 1].nome.empty());
  EXPECT_FALSE(st_->elementi[slot::primo_cartello - s.signs + 1].nome.empty());
  EXPECT_TRUE(st_->elementi[slot::primo_cartello - s.signs].nome.empty());
}

TEST_F(LongScenario, FilesHoldTheWholeRoute) {
  // One 15-byte record per cell.
  EXPECT_EQ(std::filesystem::file_size(file_path(*st_, file_kind::track)),
            15u * static_cast<size_t>(st_->numero_celle + 1));
  // Per component: two 16-bit integers (4 bytes each), two empty points
  // (2 bytes each), a double (10 bytes) for every other metre.
  const size_t metres = static_cast<size_t>(st_->lunghezza_tracciato) + 1;
  EXPECT_EQ(std::filesystem::file_size(file_path(*st_, file_kind::line_plan)),
            2 * (2 * 4 + 2 * 2 + (metres - 4) * 10));
  // The polyline turns: it is not the straight line along +y.
  const tracciato_t punti = punti_del_tracciato(st_->tracciato);
  ASSERT_TRUE(punti.esiste());
  EXPECT_NE(punti.valore[punti.indice(999'000, 0)], 0.0);
}

}  // namespace
