// Windows-1252, the encoding of the documents and of the names the scenario
// file stores, and UTF-8, the encoding of the terminal, the command line and
// the file names.
#pragma once

#include <string>
#include <string_view>

// The character of a Windows-1252 byte; U+FFFD for the five bytes that have
// none (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t da_cp1252(unsigned char b);

// Appends `c` to `out` in UTF-8.
void aggiungi_utf8(std::string& out, char32_t c);

std::string cp1252_a_utf8(std::string_view testo);

enum class esito_cp1252 {
  fatto,
  senza_forma,     // a character Windows-1252 cannot hold
  utf8_non_valido  // bytes that are not UTF-8
};

struct conversione_cp1252 {
  esito_cp1252 esito = esito_cp1252::fatto;
  std::string testo;       // the Windows-1252 bytes, when done
  char32_t carattere = 0;  // the first character with no form
};

conversione_cp1252 utf8_a_cp1252(std::string_view utf8);

// "U+039B": how a character is named in messages.
std::string nome_carattere(char32_t c);

// `text` with every byte that is not UTF-8 replaced by U+FFFD, for outputs
// that must be valid UTF-8 (JSON) whatever a file name holds.
std::string utf8_valido(std::string_view text);

// `text` as it may go to a terminal: control characters, which would act on
// it, written as escapes ("\t", "\n", "\r", "\x1b", "\u009b"), and bytes
// that are not UTF-8 as "\xff".
std::string controlli_visibili(std::string_view text);
