// Keyword tests on a token: a keyword matches wherever it occurs in the
// token. Most tests ignore the case of the letters; a few header keywords
// must match exactly.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

// Exact match, letter case included.
inline bool contiene(std::string_view token, std::string_view chiave) {
  return token.find(chiave) != std::string_view::npos;
}

// Match ignoring the case of the letters A to Z (the keywords are plain
// ASCII; other bytes must match as they stand).
inline bool contiene_nc(std::string_view token, std::string_view chiave) {
  auto minuscola = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  auto uguali = [&](char a, char b) { return minuscola(a) == minuscola(b); };
  return std::search(token.begin(), token.end(), chiave.begin(), chiave.end(), uguali) !=
         token.end();
}

// A section line: a token holding "[" and "]" that does not begin with "-"
// (leading blanks are already gone from a token).
inline bool riga_sezione(std::string_view token) {
  return contiene(token, "[") && contiene(token, "]") &&
         !(token.size() > 0 && token.front() == '-');
}

// Levenshtein distance of two short lower-case words.
inline size_t distanza(std::string_view a, std::string_view b) {
  std::vector<size_t> riga(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) riga[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonale = riga[0];
    riga[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t sopra = riga[j];
      riga[j] = std::min(
          {riga[j] + 1, riga[j - 1] + 1, diagonale + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonale = sopra;
    }
  }
  return riga[b.size()];
}
