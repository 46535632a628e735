// The slowdown order form as written: the fixed lines of the form.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"

namespace {

TEST(SlowdownFormDocument, HoldsTheBlankFormLineByLine) {
  documento_scritto d = scrivi_e_rileggi(dati_rallentamenti, file_kind::slowdown_form);
  const std::vector<std::string>& r = d.righe;
  ASSERT_EQ(r.size(), 46u);
  const std::string regola =
      " |___|____________________________|____________|__________|_________|____________"
      "|";
  const std::string vuota =
      " |   |                            |            |          |         |            "
      "|";
  const std::map<size_t, std::string> attese = {
      {0, ""},
      {1, std::string(31, ' ') + "Modulo M. 3"},
      {2, std::string(27, ' ') + "ORDINE DI RALLENTAMENTO"},
      {3, " " + std::string(80, '_')},
      {4, "  Linea  xxxxxx xxxxxxx"},
      {5, ""},
      {6,
       "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti "
       "rallentamenti"},
      {7, "  " + std::string(79, '_')},
      {8,
       " |   |                            |Inizio dopo |          |         |            "
       "|"},
      {9,
       " | N.|      FRA LE STAZIONI       | il cippo   | "
       "Velocita'|Lunghezza|Prescrizioni|"},
      {10,
       " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche "
       "|"},
      {11, regola},
      {38, regola},
      {39, ""},
      {40, std::string(14, ' ') + "Prescrizioni specifiche"},
      {41, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {42, " B - Interessa anche la stazione di......."},
      {43, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {44, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {45, "     i giorni esclusi i seguenti:........."},
  };
  for (const auto& [i, testo] : attese) EXPECT_EQ(r[i], testo) << "line " << i;
  for (size_t i = 12; i <= 37; ++i) EXPECT_EQ(r[i], vuota) << "line " << i;
  for (size_t i = 8; i <= 38; ++i) EXPECT_EQ(r[i].size(), 82u) << "line " << i;
  EXPECT_EQ(r[1].size(), 42u);
  EXPECT_EQ(r[2].size(), 50u);
  EXPECT_EQ(r[40].size(), 37u);
  for (const std::string& riga : r) {
    if (!riga.empty()) {
      EXPECT_NE(riga.back(), ' ') << riga;
    }
  }
}

}  // namespace
