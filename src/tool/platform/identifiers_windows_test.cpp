// Paths as a Windows user types them: '\' separates folders as '/' does, a
// drive letter starts a root, and a name cannot hold \ / : * ? " < > | or
// control characters.
#include <gtest/gtest.h>

#include "tool/platform/folder.h"
#include "tool/platform/identifiers.h"

namespace {

TEST(IdentifiersWindows, BackslashEndsAFolder) {
  EXPECT_EQ(linea_dal_nome("C:\\Users\\Niccolò\\Città_linea.txt"), "Città");
  EXPECT_EQ(linea_dal_nome("mia/sub\\Vardelia_linea.txt"), "Vardelia");
  EXPECT_EQ(treno_dal_nome("mia\\Vardelia_Corvessa-.txt", "Vardelia"), "Corvessa");
  EXPECT_EQ(linea_dal_nome("Vardelia_linea.txt\\"), "");
}

TEST(IdentifiersWindows, ANameCannotHoldWhatWindowsForbids) {
  struct Caso {
    std::string treno, errore;
  } casi[] = {
      {"a\\b", "the train identifier 'a\\b' holds '\\', which a file name cannot hold"},
      {"a:b", "the train identifier 'a:b' holds ':', which a file name cannot hold"},
      {"a?", "the train identifier 'a?' holds '?', which a file name cannot hold"},
      {"a|b", "the train identifier 'a|b' holds '|', which a file name cannot hold"},
      {"a\tb",
       "the train identifier 'a\tb' holds the control character U+0009, which a file "
       "name should not hold"},
      {"Più è", ""},
  };
  for (const Caso& c : casi) {
    identificativi id;
    EXPECT_EQ(trova_identificativi("a.txt", "b.txt", std::string("L"), c.treno, id),
              c.errore);
  }
}

TEST(FoldersWindows, TrailingSeparatorsGoButARootKeepsItsOwn) {
  struct Caso {
    const char* typed;
    const char* clean;
  } casi[] = {
      {"out\\dir\\", "out\\dir"},
      {"out/dir\\/", "out/dir"},
      {"C:\\", "C:\\"},
      {"C:\\\\", "C:\\"},
      {"C:", "C:"},
      {"\\", "\\"},
      {"", "."},
  };
  for (const Caso& c : casi) EXPECT_EQ(cartella_pulita(c.typed), c.clean) << c.typed;
}

}  // namespace
