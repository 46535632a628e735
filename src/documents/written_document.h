// Test support for the documents: runs a writer in a private folder and
// reads the bytes it wrote back as lines, with small helpers to take a
// keyword row apart.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scenario/naming.h"
#include "documents/documents.h"
#include "scenario/scenario_state.h"
#include "base/status.h"
#include "support/temp_folder.h"

// Splits `bytes` into lines. Fails unless every line, the last one
// included, ends in CR LF and no other CR or LF occurs.
inline ::testing::AssertionResult righe_crlf(const std::string& bytes,
                                             std::vector<std::string>& righe) {
  righe.clear();
  size_t inizio = 0;
  while (inizio < bytes.size()) {
    size_t fine = bytes.find("\r\n", inizio);
    if (fine == std::string::npos) {
      return ::testing::AssertionFailure()
             << "line " << righe.size() << " is not ended by CR LF";
    }
    std::string riga = bytes.substr(inizio, fine - inizio);
    if (riga.find_first_of("\r\n") != std::string::npos) {
      return ::testing::AssertionFailure()
             << "line " << righe.size() << " holds a CR or LF";
    }
    righe.push_back(riga);
    inizio = fine + 2;
  }
  return ::testing::AssertionSuccess();
}

// A document written by its writer into a private folder, read back.
struct documento_scritto {
  std::string bytes;
  std::vector<std::string> righe;
};

using writer_fn = Status (*)(const scenario_state&);

inline documento_scritto scrivi_e_rileggi(writer_fn writer, file_kind kind) {
  temp_folder cartella;
  scenario_state st;
  st.cartella = cartella.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  documento_scritto d;
  Status s = writer(st);
  EXPECT_TRUE(s.ok()) << s.message();
  d.bytes = read_bytes(file_path(st, kind));
  EXPECT_TRUE(righe_crlf(d.bytes, d.righe));
  return d;
}

// The comma-separated fields of a row, as they stand (spaces kept).
inline std::vector<std::string> campi(const std::string& riga) {
  std::vector<std::string> out;
  size_t inizio = 0;
  for (;;) {
    size_t virgola = riga.find(',', inizio);
    out.push_back(riga.substr(inizio, virgola - inizio));
    if (virgola == std::string::npos) return out;
    inizio = virgola + 1;
  }
}

// A field read as a whole number, blanks around it ignored; an empty field
// reads as 0 like the reader's. Anything else fails the test.
inline long numero(const std::string& campo) {
  size_t a = campo.find_first_not_of(' ');
  if (a == std::string::npos) return 0;
  size_t b = campo.find_last_not_of(' ');
  std::string t = campo.substr(a, b - a + 1);
  char* fine = nullptr;
  long v = std::strtol(t.c_str(), &fine, 10);
  EXPECT_TRUE(fine != nullptr && *fine == '\0' && !t.empty())
      << "not a number: '" << campo << "'";
  return v;
}

inline bool inizia_con(const std::string& s, const std::string& p) {
  return s.compare(0, p.size(), p) == 0;
}
