#include "documents/document_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"
#include "support/temp_folder.h"

namespace {

std::unique_ptr<tabella_documento> tabella(const std::vector<std::string>& slot) {
  auto t = std::make_unique<tabella_documento>();
  for (size_t i = 0; i < slot.size(); ++i) (*t)[i] = slot[i];
  return t;
}

TEST(DocumentWriter, WritesEverySlotBeforeTheMarkerWithCrLf) {
  const std::string marker(marcatore_fine);
  struct caso {
    const char* nome;
    std::vector<std::string> slot;
    std::string immagine;
  } casi[] = {
      {"ordinary lines", {"[fine]", " ", "", marker}, "[fine]\r\n \r\n\r\n"},
      {"spaces kept", {"  a  b ", marker}, "  a  b \r\n"},
      {"marker in slot 0", {marker, "after"}, ""},
      {"slots after the marker ignored", {"a", marker, "b", marker, "c"}, "a\r\n"},
      {"case differs",
       {"Riferimento fine del file", marker},
       "Riferimento fine del file\r\n"},
      {"marker plus a space", {marker + " ", marker}, marker + " \r\n"},
      {"marker inside a line", {"x " + marker, marker}, "x " + marker + "\r\n"},
      {"Windows-1252 bytes",
       {"velocit\xE0 \xE8\xF2\xF9", marker},
       "velocit\xE0 \xE8\xF2\xF9\r\n"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(immagine_tabella(*tabella(c.slot)), c.immagine) << c.nome;
  }
}

// A table with no marker ends with its last slot, number 1000.
TEST(DocumentWriter, TableWithoutMarkerStopsAtTheEndOfTheTable) {
  auto t = std::make_unique<tabella_documento>();
  for (size_t i = 0; i < t->size(); ++i) (*t)[i] = std::to_string(i);
  std::vector<std::string> righe;
  ASSERT_TRUE(righe_crlf(immagine_tabella(*t), righe));
  ASSERT_EQ(righe.size(), 1001u);
  EXPECT_EQ(righe.back(), "1000");
}

TEST(DocumentWriter, FillsSectionsInOrderAndPutsTheMarkerAfterThem) {
  constexpr const char* uno[] = {"[a]", "a1"};
  constexpr const char* due[] = {"[b]"};
  auto t = tabella({"", "", "", "", "old"});
  ASSERT_TRUE(riempi_tabella(*t, {uno, due}));
  EXPECT_EQ((*t)[0], "[a]");
  EXPECT_EQ((*t)[1], "a1");
  EXPECT_EQ((*t)[2], "[b]");
  EXPECT_EQ((*t)[3], marcatore_fine);
  EXPECT_EQ((*t)[4], "old");  // after the marker: never looked at
}

TEST(DocumentWriter, HoldsAtMostOneThousandLines) {
  std::vector<const char*> mille(1000, "r");
  auto t = std::make_unique<tabella_documento>();
  ASSERT_TRUE(riempi_tabella(*t, {mille}));
  EXPECT_EQ((*t)[1000], marcatore_fine);

  std::vector<const char*> troppe(1001, "r");
  auto u = tabella({"kept"});
  EXPECT_FALSE(riempi_tabella(*u, {troppe}));
  EXPECT_EQ((*u)[0], "kept");
  EXPECT_EQ((*u)[1], "");
}

TEST(DocumentWriter, ReplacesTheWholeFile) {
  temp_folder f;
  const std::string path = f.file("doc.txt");
  constexpr const char* righe[] = {"one", "two"};

  ASSERT_TRUE(scrivi_documento(path, {righe}).ok());  // no file before
  EXPECT_EQ(read_bytes(path), "one\r\ntwo\r\n");

  write_bytes(path, std::string(5000, 'x'));  // a longer old file
  ASSERT_TRUE(scrivi_documento(path, {righe}).ok());
  EXPECT_EQ(read_bytes(path), "one\r\ntwo\r\n");
  EXPECT_EQ(f.files(), std::vector<std::string>{"doc.txt"});  // nothing left beside it
}

TEST(DocumentWriter, ReportsTheOperationThePathAndTheReason) {
  temp_folder f;
  const std::string path = f.file("missing/doc.txt");
  constexpr const char* righe[] = {"one"};
  Status s = scrivi_documento(path, {righe});
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find(path), std::string::npos) << s.message();
  EXPECT_NE(s.message().find("No such file"), std::string::npos) << s.message();

  std::vector<const char*> troppe(1001, "r");
  Status t = scrivi_documento(f.file("long.txt"), {troppe});
  ASSERT_FALSE(t.ok());
  EXPECT_NE(t.message().find("1000 lines"), std::string::npos) << t.message();
  EXPECT_TRUE(f.files().empty());
}

TEST(DocumentWriter, EachWriterWritesItsOwnFileAndRunsAreRepeatable) {
  struct caso {
    writer_fn writer;
    file_kind kind;
  } casi[] = {{dati_linea, file_kind::line_source},
              {dati_treno, file_kind::train_source},
              {dati_note, file_kind::notes},
              {dati_rallentamenti, file_kind::slowdown_form},
              {dati_scheda, file_kind::train_sheet}};
  temp_folder f;
  scenario_state st;
  st.cartella = f.path();
  st.linea = "Linea (prova) 1.0";
  st.treno = "Treno 7";
  for (const caso& c : casi) {
    ASSERT_TRUE(c.writer(st).ok());
    const std::string path = file_path(st, c.kind);
    std::string primo = read_bytes(path);
    EXPECT_FALSE(primo.empty()) << path;
    ASSERT_TRUE(c.writer(st).ok());
    EXPECT_EQ(read_bytes(path), primo) << path;
  }
  EXPECT_EQ(f.files(), (std::vector<std::string>{
                           "Linea (prova) 1.0_Treno 7-.txt",
                           "Linea (prova) 1.0_Treno 7_note.txt",
                           "Linea (prova) 1.0_Treno 7_rallentamenti.txt",
                           "Linea (prova) 1.0_Treno 7_scheda_treno.txt",
                           "Linea (prova) 1.0_linea.txt",
                       }));
}

}  // namespace
