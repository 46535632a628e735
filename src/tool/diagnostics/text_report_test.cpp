#include "tool/diagnostics/text_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "scenario/scenario_state.h"

namespace {

// A finding at `lunghezza` bytes from `inizio` of document `doc`.
reperto a(reperto_id id, documento doc, uint32_t inizio, uint32_t lunghezza) {
  reperto r;
  r.id = id;
  r.dove = {doc, inizio, lunghezza};
  return r;
}

reperto in_cella(reperto r, int32_t cella, int32_t metri) {
  r.cella = cella;
  r.ha_posizione = true;
  r.posizione = metri;
  return r;
}

struct Caso {
  const char* nome;
  std::string linea;  // the documents' bytes
  std::string treno;
  std::vector<reperto> reperti;
  std::string atteso;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

void metti_progressiva(scenario_state& st, int s, int32_t inizio, int32_t fine,
                       int32_t progressiva) {
  st.elementi[s].inizio = inizio;
  st.elementi[s].fine = fine;
  st.elementi[s].progressiva = progressiva;
}

// A line whose kilometric progressive rises from 3.050 km at the start.
scenario_state con_progressiva() {
  scenario_state st;
  metti_progressiva(st, slot::progressiva_tre, 0, 3050, 0);
  return st;
}

class Resa : public ::testing::TestWithParam<Caso> {};

TEST_P(Resa, ShowsEachFindingAsCompilersDo) {
  const Caso& c = GetParam();
  documenti_mostrati d{{"dir/L_linea.txt", c.linea}, {"L_T-.txt", c.treno}};
  scenario_state st = con_progressiva();
  EXPECT_EQ(resa_testo(render_findings(c.reperti, d, st), {}), c.atteso);
}

const std::string riga_segnale = "segnale,   42200,   2, 4\r\n";

INSTANTIATE_TEST_SUITE_P(
    Casi, Resa,
    ::testing::Values(
        Caso{"SpanUnderTheField",
             "",
             "[corpo]\r\n" + riga_segnale + "[fine]\r\n",
             {in_cella(a(reperto_id::segnale_occupato, documento::treno, 20, 5), 845,
                       42200)},
             "L_T-.txt:2:12: error: signal on a cell already taken (cell 845 at 42250 m, "
             "for the row's position 42200 m, km "
             "45.250) [signal-cell-taken, 16]\n"
             "    2 | segnale,   42200,   2, 4\n"
             "      |            ^~~~~\n"
             "1 error generated.\n"},
        // Column 8 counts bytes; the caret sits under the expanded text:
        // tab to 8, "città" (0xE0 one character), tab to 16.
        Caso{
            "TabsAndANonAsciiByteBeforeTheSpan",
            "\tcitt\xE0\t42200,x\r\n",
            "",
            {a(reperto_id::non_numero, documento::linea, 7, 5)},
            "dir/L_linea.txt:1:8: error: field is not a whole number [not-a-number, 25]\n"
            "    1 |         città   42200,x\n"
            "      |                 ^~~~~\n"
            "1 error generated.\n"},
        // A tab inside the span is underlined along its whole width.
        Caso{
            "TabInsideTheSpan",
            "ab\tc\r\n",
            "",
            {a(reperto_id::non_numero, documento::linea, 1, 3)},
            "dir/L_linea.txt:1:2: error: field is not a whole number [not-a-number, 25]\n"
            "    1 | ab      c\n"
            "      |  ^~~~~~~~\n"
            "1 error generated.\n"},
        // A span that runs on past its line is underlined to the line's end.
        Caso{
            "SpanOverALineEnd",
            "ab 12\r\n34\r\n",
            "",
            {a(reperto_id::non_numero, documento::linea, 3, 6)},
            "dir/L_linea.txt:1:4: error: field is not a whole number [not-a-number, 25]\n"
            "    1 | ab 12\n"
            "      |    ^~\n"
            "1 error generated.\n"},
        // The end of the document: just past the last character of the last
        // line, whether or not a line end follows it.
        Caso{"EndOfDocumentAfterALineEnd",
             "[generale]\r\nlunghezza percorso, 5\r\n",
             "",
             {a(reperto_id::fine_documento, documento::linea, 35, 0)},
             "dir/L_linea.txt:2:22: error: the document ends inside this row "
             "[document-ends-inside-row, 25]\n"
             "    2 | lunghezza percorso, 5\n"
             "      |                      ^\n"
             "1 error generated.\n"},
        Caso{"EndOfDocumentWithoutALineEnd",
             "",
             "a\rb\nsegnale, 1",
             {a(reperto_id::fine_documento, documento::treno, 14, 0)},
             "L_T-.txt:3:11: error: the document ends inside this row "
             "[document-ends-inside-row, 25]\n"
             "    3 | segnale, 1\n"
             "      |           ^\n"
             "1 error generated.\n"},
        Caso{"EmptyDocument",
             "",
             "",
             {a(reperto_id::generale_mancante, documento::linea, 0, 0)},
             "dir/L_linea.txt:1:1: error: the line source has no \"[generale]\" line "
             "[no-generale-line, 102]\n"
             "    1 | \n"
             "      | ^\n"
             "1 error generated.\n"},
        // The row that took the cell first, in the other document.
        Caso{"NoteForTheRowThatTookTheCellFirst",
             "[corpo]\r\nsegnale, 42210, 1\r\n",
             "[corpo]\r\n" + riga_segnale,
             {[] {
               reperto r = in_cella(
                   a(reperto_id::segnale_occupato, documento::treno, 20, 5), 844, 42200);
               r.origine = {documento::linea, 18, 5};
               return r;
             }()},
             "L_T-.txt:2:12: error: signal on a cell already taken (cell 844 at 42200 m, "
             "km "
             "45.250) [signal-cell-taken, 16]\n"
             "    2 | segnale,   42200,   2, 4\n"
             "      |            ^~~~~\n"
             "dir/L_linea.txt:2:10: note: the cell was first taken here\n"
             "    2 | segnale, 42210, 1\n"
             "      |          ^~~~~\n"
             "1 error generated.\n"},
        // No document: the program's name instead of a place, no quoted line.
        // The errors of cell 1's reserved places go by their error box's
        // number.
        Caso{"FindingsWithoutADocument",
             "",
             "",
             {a(reperto_id::memoria_esaurita, documento::nessuno, 0, 0),
              a(reperto_id::errore_1250, documento::nessuno, 0, 0)},
             "scenario: error: out of memory while reading [out-of-memory, 25]\n"
             "scenario: error: cell 1 holds a feature whose value takes the place of the "
             "build's own stamp (the build stops with \" Errore n. 1250\") "
             "[reserved-cell-1-taken, 1250]\n"
             "2 errors generated.\n"},
        // A note alone is reported but counts in no summary; {riga} is the
        // line of its place.
        Caso{"NoteAloneHasNoSummary",
             "",
             "a\r\nb\r\nc\r\n",
             {a(reperto_id::lettura_interrotta, documento::treno, 3, 1)},
             "L_T-.txt:2:1: note: the build stops at this error: rows after line 2 are "
             "read on for "
             "their errors but not built\n"
             "    2 | b\n"
             "      | ^\n"},
        Caso{"NoFindingsNoText", "x", "y", {}, ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return info.param.nome; });

TEST(Resa, KilometricProgressiveOfThePosition) {
  documenti_mostrati d;
  auto messaggio = [&](const scenario_state& st, int32_t metri) {
    std::string t = resa_testo(
        render_findings(
            {in_cella(a(reperto_id::segnale_occupato, documento::nessuno, 0, 0),
                      metri / 50, metri)},
            d, st),
        {});
    return t.substr(0, t.find('\n'));
  };
  scenario_state senza;
  EXPECT_EQ(messaggio(senza, 500),
            "scenario: error: signal on a cell already taken (cell 10 at 500 m) "
            "[signal-cell-taken, 16]");

  // Falling after 20 km: the entry that starts last before the position
  // applies, less the 100 m the build added to its offset.
  scenario_state st = con_progressiva();
  metti_progressiva(st, slot::progressiva_due, 20000, 90100, 1);
  EXPECT_EQ(
      messaggio(st, 19950),
      "scenario: error: signal on a cell already taken (cell 399 at 19950 m, km 23.000) "
      "[signal-cell-taken, 16]");
  EXPECT_EQ(
      messaggio(st, 21000),
      "scenario: error: signal on a cell already taken (cell 420 at 21000 m, km 69.000) "
      "[signal-cell-taken, 16]");
}

TEST(Resa, ColoursOnlyWhenAsked) {
  documenti_mostrati d{{"L_linea.txt", "ab\r\n"}, {}};
  scenario_state st;
  std::string t = resa_testo(
      render_findings({a(reperto_id::non_numero, documento::linea, 0, 2)}, d, st),
      {.colore = true});
  EXPECT_EQ(
      t,
      "\033[1mL_linea.txt:1:1: \033[0m\033[1;31merror:\033[0m\033[1m field is not a "
      "whole number [not-a-number, 25]\033[0m\n"
      "    1 | ab\n"
      "      | \033[1;32m^~\033[0m\n"
      "1 error generated.\n");
}

TEST(Resa, SummaryCountsErrorsAndWarnings) {
  EXPECT_EQ(riepilogo({.errori = 1}), "1 error generated.\n");
  EXPECT_EQ(riepilogo({.errori = 2, .avvisi = 1, .note = 4}),
            "2 errors and 1 warning generated.\n");
  EXPECT_EQ(riepilogo({.avvisi = 3}), "3 warnings generated.\n");
  EXPECT_EQ(riepilogo({.note = 2}), "");
}

}  // namespace

namespace {

// A line far wider than a terminal is quoted as a window of 200 columns
// around the caret, "…" standing for each side cut off; the caret stays
// under the field, tabs keep their stops.
TEST(Resa, QuotesAWindowOfALongLineAroundTheCaret) {
  struct caso {
    const char* nome;
    std::string riga;
    uint32_t inizio;
    std::string citazione;  // the quoted text after " | "
    size_t caret;           // its column after " | "
  };
  const std::string lunga = std::string(50'000, 'x') + "12345" + std::string(50'000, 'y');
  const caso casi[] = {
      {"middle", lunga, 50'000,
       "\u2026" + std::string(100, 'x') + "12345" + std::string(95, 'y') + "\u2026", 101},
      {"start", lunga, 0, std::string(200, 'x') + "\u2026", 0},
      {"end", lunga, static_cast<uint32_t>(lunga.size() - 1),
       "\u2026" + std::string(200, 'y'), 200},
      {"tab before the window", "\t" + std::string(300, 'z'), 250,
       "\u2026" + std::string(200, 'z'), 150},
      {"short line whole", "segnale,\t1060", 9, "segnale,        1060", 16},
  };
  for (const caso& c : casi) {
    documenti_mostrati d{{"L_linea.txt", c.riga}, {"T-.txt", ""}};
    const std::string testo = resa_testo(
        render_findings({a(reperto_id::riga_sconosciuta, documento::linea, c.inizio, 1)},
                        d, scenario_state{}),
        {});
    const size_t riga = testo.find("\n    1 | ");
    ASSERT_NE(riga, std::string::npos) << c.nome;
    const size_t inizio = riga + 9;
    const size_t fine = testo.find('\n', inizio);
    EXPECT_EQ(testo.substr(inizio, fine - inizio), c.citazione) << c.nome;
    const std::string caret = "      | " + std::string(c.caret, ' ') + "^\n";
    EXPECT_EQ(testo.compare(fine + 1, caret.size(), caret), 0)
        << c.nome << ": " << testo.substr(fine + 1, caret.size() + 4);
  }
}

}  // namespace
