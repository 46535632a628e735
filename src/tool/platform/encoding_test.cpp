#include "tool/platform/encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Encoding, Cp1252ToUtf8) {
  EXPECT_EQ(cp1252_a_utf8("Citt\xE0 \x80 \x93x\x94 \x9F"), "Città € “x” Ÿ");
  // The five bytes without a character.
  EXPECT_EQ(cp1252_a_utf8("\x81\x8D\x8F\x90\x9D"), "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(Encoding, Utf8ToCp1252) {
  struct Caso {
    const char* utf8;
    esito_cp1252 esito;
    std::string testo;
    char32_t carattere;
  } casi[] = {
      {"Vardelia", esito_cp1252::fatto, "Vardelia", 0},
      {"Città €“”ŸÿŒ", esito_cp1252::fatto, "Citt\xE0 \x80\x93\x94\x9F\xFF\x8C", 0},
      {"", esito_cp1252::fatto, "", 0},
      {"aΛb", esito_cp1252::senza_forma, "", U'\u039B'},
      {"\u0081", esito_cp1252::senza_forma, "", U'\u0081'},  // a C1 control
      {"😀", esito_cp1252::senza_forma, "", U'\U0001F600'},
      {"a\xE0", esito_cp1252::utf8_non_valido, "", 0},         // Windows-1252 itself
      {"\xC3", esito_cp1252::utf8_non_valido, "", 0},          // cut short
      {"\xC0\xAF", esito_cp1252::utf8_non_valido, "", 0},      // overlong
      {"\xED\xA0\x80", esito_cp1252::utf8_non_valido, "", 0},  // a surrogate
  };
  for (const Caso& c : casi) {
    conversione_cp1252 r = utf8_a_cp1252(c.utf8);
    EXPECT_EQ(r.esito, c.esito) << c.utf8;
    EXPECT_EQ(r.testo, c.testo) << c.utf8;
    EXPECT_EQ(r.carattere, c.carattere) << c.utf8;
  }
}

TEST(Encoding, EveryCp1252CharacterComesBack) {
  for (int b = 1; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    conversione_cp1252 r = utf8_a_cp1252(cp1252_a_utf8(byte));
    if (da_cp1252(static_cast<unsigned char>(b)) == U'\uFFFD') {
      EXPECT_EQ(r.esito, esito_cp1252::senza_forma) << b;
    } else {
      EXPECT_EQ(r.testo, byte) << b;
    }
  }
}

TEST(Encoding, CharacterNames) {
  EXPECT_EQ(nome_carattere(U'\u039B'), "U+039B");
  EXPECT_EQ(nome_carattere(U'\U0001F600'), "U+1F600");
}

}  // namespace
