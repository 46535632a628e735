#include "tool/report/markup.h"

#include <cmath>
#include <cstdio>

#include "tool/platform/encoding.h"

namespace {

// The character at `s[i]` and its length in bytes; U+FFFD and 1 for a byte
// that does not start a well-formed sequence (overlong forms and surrogates
// included).
char32_t carattere_utf8(std::string_view s, size_t i, size_t& lunghezza) {
  const auto b = [&](size_t j) { return static_cast<unsigned char>(s[j]); };
  const unsigned char c = b(i);
  lunghezza = 1;
  if (c < 0x80) return c;
  size_t n;
  char32_t v;
  char32_t minimo;
  if ((c & 0xE0) == 0xC0) {
    n = 2, v = c & 0x1F, minimo = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, v = c & 0x0F, minimo = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, v = c & 0x07, minimo = 0x10000;
  } else {
    return U'\uFFFD';
  }
  if (i + n > s.size()) return U'\uFFFD';
  for (size_t j = 1; j < n; ++j) {
    if ((b(i + j) & 0xC0) != 0x80) return U'\uFFFD';
    v = (v << 6) | (b(i + j) & 0x3F);
  }
  if (v < minimo || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return U'\uFFFD';
  lunghezza = n;
  return v;
}

bool ammesso_in_xml(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return c != 0x7F && c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

void testo_xml(std::string& out, std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    size_t n;
    const char32_t c = carattere_utf8(utf8, i, n);
    i += n;
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\r':
        out += "&#13;";  // kept: a plain CR would be read as a line end
        break;
      default:
        aggiungi_utf8(out, ammesso_in_xml(c) ? c : U'\uFFFD');
    }
  }
}

std::string testo_xml(std::string_view utf8) {
  std::string out;
  testo_xml(out, utf8);
  return out;
}

std::string numero(double v, int decimali) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", decimali, v);
  std::string s = b;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}
