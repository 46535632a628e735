#include "tool/platform/identifiers.h"

#include <gtest/gtest.h>

namespace {

TEST(Identifiers, FromTheSourceNames) {
  EXPECT_EQ(linea_dal_nome("Vardelia_linea.txt"), "Vardelia");
  EXPECT_EQ(linea_dal_nome("a/b_c/La linea_2_linea.txt"), "La linea_2");
  EXPECT_EQ(linea_dal_nome("_linea.txt"), "");
  EXPECT_EQ(linea_dal_nome("Vardelia_linea.txt/"), "");
  EXPECT_EQ(linea_dal_nome("Vardelia.txt"), "");

  EXPECT_EQ(treno_dal_nome("d/Vardelia_Corvessa-.txt", "Vardelia"), "Corvessa");
  EXPECT_EQ(treno_dal_nome("A_B_C_D-.txt", "A_B"), "C_D");
  EXPECT_EQ(treno_dal_nome("Vardelia_Corvessa-.txt", "Varde"), "") << "another line";
  EXPECT_EQ(treno_dal_nome("Vardelia_-.txt", "Vardelia"), "");
  EXPECT_EQ(treno_dal_nome("Vardelia_Corvessa.txt", "Vardelia"), "");
  EXPECT_EQ(treno_dal_nome("VardeliaXCorvessa-.txt", "Vardelia"), "");
}

TEST(Identifiers, OptionsOrNamesThenWindows1252) {
  struct Caso {
    const char* linea_src;
    const char* treno_src;
    std::optional<std::string> linea, treno;
    std::string errore;  // "" for none
    std::string linea_cp1252, treno_cp1252;
  } casi[] = {
      {"d/Città_linea.txt", "d/Città_Più-.txt", {}, {}, "", "Citt\xE0", "Pi\xF9"},
      {"a.txt", "b.txt", "L", "T", "", "L", "T"},
      // --line alone: the train name is read against the given line.
      {"a.txt", "L_T-.txt", "L", {}, "", "L", "T"},
      {"a.txt",
       "b.txt",
       {},
       "T",
       "cannot tell the line identifier from 'a.txt': the name is not '<line>_linea.txt' "
       "(give it with --line NAME)",
       "",
       ""},
      {"L_linea.txt",
       "M_T-.txt",
       {},
       {},
       "cannot tell the train identifier from 'M_T-.txt': the name is not "
       "'L_<train>-.txt' (give it with --train NAME)",
       "",
       ""},
      {"a.txt", "b.txt", "Λ", "T",
       "the line identifier 'Λ' holds a character with no Windows-1252 form: U+039B", "",
       ""},
      {"L_linea.txt",
       "L_T\xE0-.txt",
       {},
       {},
       "the train identifier 'T\xE0' is not valid UTF-8",
       "",
       ""},
      {"a.txt", "b.txt", "", "T", "the line identifier is empty", "", ""},
      {"a.txt", "b.txt", "L", "x/y",
       "the train identifier 'x/y' holds '/', which a file name cannot hold", "", ""},
  };
  for (const Caso& c : casi) {
    identificativi id;
    EXPECT_EQ(trova_identificativi(c.linea_src, c.treno_src, c.linea, c.treno, id),
              c.errore)
        << c.linea_src << " " << c.treno_src;
    if (!c.errore.empty()) continue;
    EXPECT_EQ(id.linea, c.linea ? *c.linea : linea_dal_nome(c.linea_src));
    EXPECT_EQ(id.linea_cp1252, c.linea_cp1252);
    EXPECT_EQ(id.treno_cp1252, c.treno_cp1252);
  }
}

}  // namespace
