#include "track/race_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scenario/scenario_state.h"

namespace {

struct Codes {
  int og;
  int st;
  std::string riga;
};

Codes codes(const std::string& treno, const std::string& linea) {
  scenario_state st;
  st.elementi[slot::treno].nome = treno;
  st.elementi[slot::linea].nome = linea;
  Codes c;
  c.st = codice_gara_st(st);
  c.og = codice_gara_og(st);
  c.riga = testo_di_lavoro(st);
  return c;
}

TEST(RaceCodes, WorkedExamples) {
  struct Case {
    std::string treno, linea;
    int og, st;
  } cases[] = {
      {"abc", "De", 2529, 33388},
      {"", "", 2583, 34355},
  };
  for (const Case& c : cases) {
    Codes r = codes(c.treno, c.linea);
    EXPECT_EQ(r.og, c.og) << c.treno << "+" << c.linea;
    EXPECT_EQ(r.st, c.st) << c.treno << "+" << c.linea;
  }
}

TEST(RaceCodes, WorkingTextIsLowerCaseIdentifiersThenFiller) {
  EXPECT_EQ(codes("abc", "De").riga, "abcdeaabbccddeeffgghhiillmmnnoo");
}

TEST(RaceCodes, CaseOfLettersDoesNotCount) {
  Codes lower = codes("corvessa", "vardelia");
  Codes upper = codes("CORVESSA", "VarDelia");
  EXPECT_EQ(lower.og, upper.og);
  EXPECT_EQ(lower.st, upper.st);
  // Accented capitals of the 8-bit code page lower-case too: \xC0 -> \xE0.
  Codes accented_upper = codes("\xC0\xC9\xD2\xD9\xDE", "");
  Codes accented_lower = codes("\xE0\xE9\xF2\xF9\xFE", "");
  EXPECT_EQ(accented_upper.st, accented_lower.st);
  EXPECT_EQ(minuscola_1252(0xD7), 0xD7) << "the multiplication sign has no case";
  EXPECT_EQ(minuscola_1252(0xDF), 0xDF) << "sharp s has no capital here";
  // The capitals outside the accented block: Š Œ Ž Ÿ.
  const std::pair<unsigned char, unsigned char> coppie[] = {
      {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
  for (const auto& [maiuscola, minuscola] : coppie) {
    EXPECT_EQ(minuscola_1252(maiuscola), minuscola) << int{maiuscola};
    EXPECT_EQ(minuscola_1252(minuscola), minuscola) << int{minuscola};
  }
}

TEST(RaceCodes, OnlyTheFirst25CharactersCount) {
  std::string first25(25, 'q');
  Codes a = codes(first25 + "anything", "Vardelia");
  Codes b = codes(first25, "something else");
  EXPECT_EQ(a.og, b.og);
  EXPECT_EQ(a.st, b.st);
  EXPECT_EQ(a.og, 25 * 'q');
  EXPECT_EQ(a.st, 325 * 'q');
}

TEST(RaceCodes, SwappingIdentifiersKeepsThePlainSum) {
  Codes ab = codes("Corvessa", "Vardelia");
  Codes ba = codes("Vardelia", "Corvessa");
  EXPECT_EQ(ab.og, ba.og);
  EXPECT_NE(ab.st, ba.st);
}

TEST(RaceCodes, PunctuationAndDigitsCountWithTheirOwnCodes) {
  // " 0(_)" then the filler: 32 + 48 + 40 + 95 + 41 plus the first 20 filler letters.
  Codes r = codes(" 0(", "_)");
  EXPECT_EQ(r.og, 32 + 48 + 40 + 95 + 41 + 2034);
  EXPECT_EQ(r.st, 1 * 32 + 2 * 48 + 3 * 40 + 4 * 95 + 5 * 41 +
                      (33388 - (97 + 2 * 98 + 3 * 99 + 4 * 100 + 5 * 101)));
}

TEST(RaceCodes, HighestCodesFitTheirWidths) {
  Codes r = codes(std::string(25, '\xFF'), "");
  EXPECT_EQ(r.og, 6375);
  EXPECT_EQ(r.st, 82875);
}

}  // namespace
