#include "reader/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads the fields named by `letture` ('t' a text field, 'n' a 32-bit whole
// number) and renders what each gave.
std::vector<std::string> leggi(std::string_view testo, std::string_view letture,
                               bool* alla_fine = nullptr) {
  field_reader r{testo};
  std::vector<std::string> out;
  for (char l : letture) {
    if (l == 't') {
      out.emplace_back(read_text(r));
    } else {
      out.push_back(std::to_string(read_whole<int32_t>(r)));
    }
  }
  if (alla_fine != nullptr) *alla_fine = at_end(r);
  return out;
}

struct caso {
  const char* nome;
  std::string testo;
  const char* letture;
  std::vector<std::string> attesi;
  bool alla_fine;
};

// Cases print by their names in test listings.
void PrintTo(const caso& c, std::ostream* os) { *os << c.nome; }

class Campi : public ::testing::TestWithParam<caso> {};

TEST_P(Campi, ReadAsTheRowsExpect) {
  const caso& c = GetParam();
  bool fine = false;
  EXPECT_EQ(leggi(c.testo, c.letture, &fine), c.attesi);
  EXPECT_EQ(fine, c.alla_fine);
}

INSTANTIATE_TEST_SUITE_P(
    FieldReader, Campi,
    ::testing::Values(
        // A decimal comma: the row takes -4 and "5" is left as the next token.
        caso{"StrayFive",
             "pendenza,  1250,   -4,5\r\n[fine]\r\n",
             "tnntt",
             {"pendenza", "1250", "-4", "5", "[fine]"},
             true},
        caso{"EmptySpeedBoardFields",
             "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0\r\n",
             "tnnnnnnnnn",
             {"indicatori_vmax", "1000", "90", "95", "100", "0", "0", "0", "0", "0"},
             true},
        // Blanks alone separate numbers; nothing is consumed before the next.
        caso{"ClockRow",
             "orologio,    19              59            55 \r\nx",
             "tnnnt",
             {"orologio", "19", "59", "55", "x"},
             true},
        caso{"TextKeepsInnerBlanksDropsOuterOnes",
             "cartello_indicatore,  7950,   (  Cippo  )(Km 28+000)  \r\nx\r\n",
             "tntt",
             {"cartello_indicatore", "7950", "(  Cippo  )(Km 28+000)", "x"},
             true},
        caso{"ALineWithoutCommaIsOneField",
             "Roma S. Pietro\r\n",
             "t",
             {"Roma S. Pietro"},
             true},
        caso{"QuotesAreOrdinaryCharacters", "\"a\",b\r\n", "tt", {"\"a\"", "b"}, true},
        caso{"LoneLfAndLoneCrEndLines", "a\nb\rc", "ttt", {"a", "b", "c"}, true},
        caso{"EmptyLinesAreEmptyFields",
             "[fine]\r\n \r\n\r\n",
             "tt",
             {"[fine]", ""},
             false},
        caso{"NumberBeforeLineEndAndEmptyNumberAtLineEnd",
             "a, 7\r\n\r\n5",
             "tnnn",
             {"a", "7", "0", "5"},
             true},
        caso{"MinusWithoutDigitsReadsZero", "-, -0,-12", "nnn", {"0", "0", "-12"}, true},
        caso{"BlankAfterMinusEndsTheField", "- 5", "nn", {"0", "5"}, true},
        caso{"WidestValues",
             "2147483647,-2147483648",
             "nn",
             {"2147483647", "-2147483648"},
             true},
        caso{"BlanksOnlyLeftGiveAnEmptyField", "a,   ", "tt", {"a", ""}, true},
        caso{"NulByteIsTextLikeAnyOther",
             std::string("a\0b,c", 5),
             "tt",
             {std::string("a\0b", 3), "c"},
             true}),
    [](const ::testing::TestParamInfo<caso>& i) { return i.param.nome; });

template <typename Int>
bool fallisce(std::string_view testo) {
  field_reader r{testo};
  try {
    read_whole<Int>(r);
  } catch (const reading_failure&) {
    return true;
  }
  return false;
}

TEST(FieldReader, NumbersThatCannotBeReadFail) {
  for (const char* t :
       {"12a,", "4.5,", "+5,", "x", "1-2", "\"3\"",
        "1234567890123456789012345678901234567890,", "2147483648", "-2147483649"}) {
    EXPECT_TRUE(fallisce<int32_t>(t)) << t;
  }
  EXPECT_TRUE(fallisce<int32_t>(std::string("1\0", 2)));
  EXPECT_TRUE(fallisce<int32_t>("")) << "the end of the document";
}

TEST(FieldReader, NumbersAreReadAtTheWidthOfTheirDestination) {
  EXPECT_TRUE(fallisce<int16_t>("32768"));
  EXPECT_TRUE(fallisce<int16_t>("-32769"));
  EXPECT_FALSE(fallisce<int16_t>("-32768"));
  EXPECT_TRUE(fallisce<uint8_t>("256"));
  EXPECT_TRUE(fallisce<uint8_t>("-1"));
  EXPECT_FALSE(fallisce<uint8_t>("255"));
}

TEST(FieldReader, TextAtTheEndOfTheDocumentFails) {
  field_reader r{"a\r\n"};
  EXPECT_EQ(read_text(r), "a");
  EXPECT_TRUE(at_end(r));
  EXPECT_THROW(read_text(r), reading_failure);
}

}  // namespace
