#include "scenario/codici.h"
#include "reader/progressive_ordina.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "scenario/scenario_state.h"

namespace {

struct voce {
  int32_t inizio, fine, progressiva;
  bool operator==(const voce&) const = default;
};
using tre_voci = std::array<voce, 3>;  // slots 81, 82, 83

struct caso {
  const char* nome;
  tre_voci prima;
  tre_voci dopo;
};

void PrintTo(const voce& v, std::ostream* os) {
  *os << "(" << v.inizio << ", " << v.fine << ", " << v.progressiva << ")";
}

tre_voci ordina(const tre_voci& voci, scenario_state& st) {
  for (int i = 0; i < 3; ++i) {
    elemento& e = st.elementi[81 + i];
    e.inizio = voci[i].inizio;
    e.fine = voci[i].fine;
    e.progressiva = voci[i].progressiva;
    e.nome = "slot";  // other fields are not touched
  }
  progressive_ordina(st);
  tre_voci out;
  for (int i = 0; i < 3; ++i) {
    const elemento& e = st.elementi[81 + i];
    out[i] = {e.inizio, e.fine, e.progressiva};
    EXPECT_EQ(e.nome, "slot");
  }
  return out;
}

// Cases print by their names in test listings.
void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

class Ordina : public ::testing::TestWithParam<caso> {};

TEST_P(Ordina, PutsTheEntriesInDescendingStartOrder) {
  scenario_state st;
  EXPECT_EQ(ordina(GetParam().prima, st), GetParam().dopo);
  EXPECT_EQ(st.codice_errore, 0);
}

constexpr voce zero{0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    ProgressiveOrdina, Ordina,
    ::testing::Values(
        caso{"AlreadyOrderedOnlyTheFallingOffsetGrows",
             {{{315950, 412050, 1}, {284500, -284500, 0}, {31100, 3050, 0}}},
             {{{315950, 412150, 1}, {284500, -284500, 0}, {31100, 3050, 0}}}},
        caso{"OnlyUnoMovesToTheTop",
             {{zero, zero, {31100, 3050, 0}}},
             {{{31100, 3050, 0}, zero, zero}}},
        caso{"LargestSecond",
             {{{10, 1, 0}, {30, 2, 0}, {20, 3, 0}}},
             {{{30, 2, 0}, {20, 3, 0}, {10, 1, 0}}}},
        caso{"LargestThird",
             {{{20, 1, 0}, {10, 2, 0}, {30, 3, 0}}},
             {{{30, 3, 0}, {20, 1, 0}, {10, 2, 0}}}},
        caso{"EqualStartsBehindTheFirstPutCBeforeB",
             {{{30, 1, 0}, {10, 2, 0}, {10, 3, 0}}},
             {{{30, 1, 0}, {10, 3, 0}, {10, 2, 0}}}},
        caso{"EqualStartsBehindTheFirstPutBBeforeA",
             {{{10, 1, 0}, {10, 2, 0}, {30, 3, 0}}},
             {{{30, 3, 0}, {10, 2, 0}, {10, 1, 0}}}},
        // Shared largest starts follow the same order instead of being cleared.
        caso{"TwoShareTheLargestStart",
             {{{50, 1, 0}, {50, 2, 1}, {10, 3, 0}}},
             {{{50, 102, 1}, {50, 1, 0}, {10, 3, 0}}}},
        caso{"ThreeShareTheLargestStart",
             {{{50, 1, 0}, {50, 2, 0}, {50, 3, 0}}},
             {{{50, 3, 0}, {50, 2, 0}, {50, 1, 0}}}},
        caso{"ZeroStartsOffsetInSlot83",
             {{zero, zero, {0, 500, 0}}},
             {{{0, 500, 0}, zero, zero}}},
        caso{"ZeroStartsOffsetInSlot82",
             {{{0, -5, 0}, {0, 500, 1}, zero}},
             {{{0, 600, 1}, {0, -5, 0}, zero}}},
        caso{"ZeroStartsOffsetInSlot81",
             {{{0, 500, 0}, zero, {0, -7, 1}}},
             {{{0, 500, 0}, zero, {0, 93, 1}}}},
        caso{"AllZeroStaysZero", {{zero, zero, zero}}, {{zero, zero, zero}}},
        caso{"ZeroStartsWithoutPositiveOffsetAreCleared",
             {{{0, -100, 1}, {0, 0, 2}, {0, -3, 0}}},
             {{zero, zero, zero}}},
        // Starts that cancel out are not "no starts".
        caso{"StartsSummingToZeroAreOrdered",
             {{{100, 1, 0}, {-100, 2, 0}, {0, 3, 0}}},
             {{{100, 1, 0}, {0, 3, 0}, {-100, 2, 0}}}},
        caso{"OnlyProgressiva1GetsTheHundred",
             {{{30, 5, 2}, {20, 5, 1}, {10, 5, -1}}},
             {{{30, 5, 2}, {20, 105, 1}, {10, 5, -1}}}}),
    [](const ::testing::TestParamInfo<caso>& i) { return i.param.nome; });

TEST(ProgressiveOrdina, AnOffsetThatCannotTakeTheHundredIsRefused) {
  scenario_state st;
  const tre_voci voci = {
      {{300, std::numeric_limits<int32_t>::max() - 50, 1}, {200, 0, 0}, zero}};
  EXPECT_EQ(ordina(voci, st), voci);
  EXPECT_EQ(st.codice_errore, codice::errore_lettura);
}

}  // namespace
