#include "tool/platform/encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

constexpr char32_t sostituto = 0xFFFD;

// Bytes 0x80 to 0x9F; every other byte is the character of the same number.
constexpr std::array<char32_t, 32> alti = {
    0x20AC,    sostituto, 0x201A, 0x0192, 0x201E, 0x2026,    0x2020, 0x2021,
    0x02C6,    0x2030,    0x0160, 0x2039, 0x0152, sostituto, 0x017D, sostituto,
    sostituto, 0x2018,    0x2019, 0x201C, 0x201D, 0x2022,    0x2013, 0x2014,
    0x02DC,    0x2122,    0x0161, 0x203A, 0x0153, sostituto, 0x017E, 0x0178};

// The Windows-1252 byte of `c`, or -1 when it has none.
int a_cp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < alti.size(); ++i) {
    if (alti[i] == c && c != sostituto) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 character at `i`, moving past it; false when the bytes
// there are not UTF-8 (overlong forms and surrogates included).
bool decodifica(std::string_view s, size_t& i, char32_t& c) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b0 = b(i);
  size_t n;
  char32_t minimo;
  if (b0 < 0x80) {
    c = b0;
    ++i;
    return true;
  } else if ((b0 & 0xE0) == 0xC0) {
    n = 1, minimo = 0x80, c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 2, minimo = 0x800, c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 3, minimo = 0x10000, c = b0 & 0x07;
  } else {
    return false;
  }
  if (i + n >= s.size()) return false;  // cut short
  for (size_t k = 1; k <= n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return false;
    c = (c << 6) | (b(i + k) & 0x3F);
  }
  if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += n + 1;
  return true;
}

}  // namespace

char32_t da_cp1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? alti[b - 0x80] : b; }

void aggiungi_utf8(std::string& out, char32_t c) {
  auto push = [&](uint32_t v) { out.push_back(static_cast<char>(v)); };
  if (c < 0x80) {
    push(c);
  } else if (c < 0x800) {
    push(0xC0 | (c >> 6));
    push(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    push(0xE0 | (c >> 12));
    push(0x80 | ((c >> 6) & 0x3F));
    push(0x80 | (c & 0x3F));
  } else {
    push(0xF0 | (c >> 18));
    push(0x80 | ((c >> 12) & 0x3F));
    push(0x80 | ((c >> 6) & 0x3F));
    push(0x80 | (c & 0x3F));
  }
}

std::string cp1252_a_utf8(std::string_view testo) {
  std::string out;
  out.reserve(testo.size());
  for (char ch : testo) aggiungi_utf8(out, da_cp1252(static_cast<unsigned char>(ch)));
  return out;
}

conversione_cp1252 utf8_a_cp1252(std::string_view utf8) {
  conversione_cp1252 r;
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    if (!decodifica(utf8, i, c)) {
      r.esito = esito_cp1252::utf8_non_valido;
      r.testo.clear();
      return r;
    }
    int b = a_cp1252(c);
    if (b < 0) {
      r.esito = esito_cp1252::senza_forma;
      r.carattere = c;
      r.testo.clear();
      return r;
    }
    r.testo.push_back(static_cast<char>(b));
  }
  return r;
}

std::string nome_carattere(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

std::string utf8_valido(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t inizio = i;
    char32_t c = 0;
    if (decodifica(text, i, c)) {
      out.append(text.substr(inizio, i - inizio));
    } else {
      aggiungi_utf8(out, U'\uFFFD');
      i = inizio + 1;
    }
  }
  return out;
}

std::string controlli_visibili(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  char buffer[8];
  while (i < text.size()) {
    const size_t inizio = i;
    char32_t c = 0;
    if (!decodifica(text, i, c)) {
      std::snprintf(buffer, sizeof buffer, "\\x%02x",
                    static_cast<unsigned>(static_cast<unsigned char>(text[inizio])));
      out += buffer;
      i = inizio + 1;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(buffer, sizeof buffer, "\\x%02x", static_cast<unsigned>(c));
      out += buffer;
    } else if (c >= 0x80 && c < 0xA0) {
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out.append(text.substr(inizio, i - inizio));
    }
  }
  return out;
}
