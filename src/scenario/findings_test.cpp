#include "scenario/findings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Every finding can be explained: a message, an explanation, an example row,
// and a stable name of its own that finds it again.
TEST(Findings, EachHasAnExplanationAndAUniqueName) {
  std::set<std::string> nomi;
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    const reperto_id id = static_cast<reperto_id>(i);
    const descrizione_reperto& d = descrivi(id);
    SCOPED_TRACE(std::string(d.nome));
    EXPECT_FALSE(d.messaggio.empty());
    EXPECT_FALSE(d.spiegazione.empty());
    EXPECT_FALSE(d.esempio.empty());
    EXPECT_TRUE(nomi.insert(std::string(d.nome)).second) << "name used twice";
    EXPECT_EQ(reperto_per_nome(d.nome), id);
    // Warnings and notes record no status; errors of the reader do (the two
    // numbered errors of the build are shown in their own box).
    if (d.livello != severity::error) {
      EXPECT_EQ(d.codice, 0);
    }
  }
  EXPECT_EQ(reperto_per_nome("no-such-finding"), reperto_id::numero);
}

}  // namespace
