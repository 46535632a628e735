// The scenario notes as written: paragraph layout, line widths and bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"

namespace {

TEST(NotesDocument, ParagraphsAndClosingLinesStandWhereTheyBelong) {
  documento_scritto d = scrivi_e_rileggi(dati_note, file_kind::notes);
  const std::vector<std::string>& r = d.righe;
  ASSERT_EQ(r.size(), 28u);
  const std::set<size_t> inizi = {0,  4,  20, 23,
                                  24, 25, 26};  // paragraphs and closing lines
  std::vector<size_t> lunghe;
  for (size_t i = 0; i < 27; ++i) {
    ASSERT_GE(r[i].size(), 3u) << "line " << i;
    if (inizi.count(i)) {
      EXPECT_TRUE(inizia_con(r[i], "  ") && r[i][2] != ' ') << "line " << i;
    } else {
      EXPECT_NE(r[i][0], ' ') << "line " << i;
    }
    EXPECT_NE(r[i].back(), ' ') << "line " << i;
    if (r[i].size() > 98) lunghe.push_back(i);
  }
  EXPECT_EQ(r[27], "   ");
  EXPECT_EQ(lunghe.size(), 4u);
  size_t piu_lunga = 0;
  for (size_t i : lunghe) {
    EXPECT_GE(r[i].size(), 184u) << "line " << i;
    EXPECT_LE(r[i].size(), 287u) << "line " << i;
    piu_lunga = std::max(piu_lunga, r[i].size());
  }
  EXPECT_EQ(piu_lunga, 287u);  // over 255 characters, written whole
  // Every hand-broken line within a paragraph runs 91 to 98 characters; a
  // word cut at its end carries "-" and goes on in lower case.
  int tagli = 0;
  for (size_t i = 0; i < 23; ++i) {
    bool ultima_del_paragrafo = inizi.count(i + 1) > 0;
    if (ultima_del_paragrafo || r[i].size() > 98) continue;
    EXPECT_GE(r[i].size(), 91u) << "line " << i;
    if (r[i].back() == '-') {
      ++tagli;
      EXPECT_TRUE(r[i + 1][0] >= 'a' && r[i + 1][0] <= 'z') << "line " << i + 1;
    }
  }
  EXPECT_GT(tagli, 0);
}

TEST(NotesDocument, AccentedLettersAreSingleBytes) {
  documento_scritto d = scrivi_e_rileggi(dati_note, file_kind::notes);
  std::set<unsigned char> alti;
  for (unsigned char c : d.bytes) {
    if (c >= 0x80) alti.insert(c);
  }
  EXPECT_EQ(alti, (std::set<unsigned char>{0xE0, 0xE8, 0xF2, 0xF9}));  // à è ò ù
  EXPECT_NE(d.bytes.find("( "), std::string::npos);
  EXPECT_NE(d.bytes.find(" )"), std::string::npos);
  EXPECT_NE(d.bytes.find('\''), std::string::npos);
}

}  // namespace
