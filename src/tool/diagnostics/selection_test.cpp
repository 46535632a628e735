#include "tool/diagnostics/selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

reperto a(reperto_id id, documento doc, uint32_t inizio) {
  reperto r;
  r.id = id;
  r.dove = {doc, inizio, 1};
  return r;
}

// Each finding told apart by its id and offset.
std::vector<std::string> come_testo(const std::vector<reperto>& reperti) {
  std::vector<std::string> out;
  for (const reperto& r : reperti) {
    out.push_back(std::string(descrivi(r.id).nome) + "@" +
                  std::to_string(static_cast<int>(r.dove.doc)) + ":" +
                  std::to_string(r.dove.inizio));
  }
  return out;
}

using enum reperto_id;
constexpr documento L = documento::linea, T = documento::treno, N = documento::nessuno;

// As the reader finds them: the tabs of a document first (found by a scan
// of the whole document), a finding of the train source before one of the
// line source's (the track finishing), the reserved places' errors last.
const std::vector<reperto> come_trovati = {
    a(tabulazione, T, 90),        a(tabulazione, L, 40),
    a(errore_1250, N, 0),         a(campi_in_piu, L, 12),
    a(segnale_occupato, T, 30),   a(codice_senza_posto_segnale, L, 300),
    a(lettura_interrotta, T, 30), a(memoria_esaurita, N, 0),
};

TEST(InOrdineDiDocumento, LineBeforeTrainByOffsetPlacelessLastAsFound) {
  EXPECT_EQ(
      come_testo(in_ordine_di_documento(come_trovati)),
      (std::vector<std::string>{
          "extra-fields@1:12", "tab@1:40", "no-room-for-code-point-before-signal@1:300",
          // One place: the order found, the error before its note.
          "signal-cell-taken@2:30", "reading-stopped@2:30", "tab@2:90",
          "reserved-cell-1-taken@0:0", "out-of-memory@0:0"}));
}

// The limits count in the order shown: the first errors and warnings of the
// documents are shown, whatever order they were found in.
TEST(ScegliReperti, LimitsApplyInDocumentOrder) {
  const reperti_scelti s = scegli_reperti(come_trovati, {}, {.errori = 2, .avvisi = 1});
  EXPECT_EQ(come_testo(s.mostrati),
            (std::vector<std::string>{"extra-fields@1:12",
                                      "no-room-for-code-point-before-signal@1:300",
                                      "signal-cell-taken@2:30", "reading-stopped@2:30"}));
  EXPECT_EQ(s.omessi.errori, 2);
  EXPECT_EQ(s.omessi.avvisi, 2);
}

// An error's label names it beside its number; a warning's gives its option.
TEST(Etichetta, NameBesideNumberOrTheWarningsOption) {
  const struct {
    reperto_id id;
    bool werror;
    const char* atteso;
  } casi[] = {
      {segnale_occupato, false, "signal-cell-taken, 16"},
      {non_numero, false, "not-a-number, 25"},
      {curva_senza_classe, false, "curve-without-radius, 103"},
      {errore_1250, false, "reserved-cell-1-taken, 1250"},
      {errore_1251, false, "reserved-race-code-taken, 1251"},
      {tabulazione, false, "-Wtab"},
      {tabulazione, true, "-Werror,-Wtab"},
      {lettura_interrotta, true, ""},
  };
  for (const auto& c : casi) {
    regole_avvisi regole;
    regole.come_errori = c.werror;
    EXPECT_EQ(etichetta(a(c.id, L, 0), regole), c.atteso) << descrivi(c.id).nome;
  }
}

}  // namespace
