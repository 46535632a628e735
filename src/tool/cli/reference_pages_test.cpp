// The reference pages in the source tree are what the tool generates from
// its own tables: the Markdown page of the rows, the manual pages scenario(1)
// and scenario-documents(5). With SCENARIO_WRITE_REFERENCE=1 in the
// environment the test writes them instead (scripts/update_reference.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tool/cli/command_line.h"
#include "tool/diagnostics/row_reference.h"

#ifdef SCENARIO_SOURCE_DIR
namespace {

struct pagina {
  const char* percorso;  // in the source tree
  std::string testo;
};

std::string leggi(const std::string& percorso) {
  std::ifstream f(percorso, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(ReferencePages, AreWhatTheToolGenerates) {
  const pagina pagine[] = {
      {"docs/rows.md", come_markdown(riferimento_completo())},
      {"docs/man/scenario-documents.5",
       come_man(riferimento_completo(), "scenario-documents", 5,
                "the rows of a train-driving scenario's source documents")},
      {"docs/man/scenario.1", pagina_scenario_1()},
  };
  const bool scrivi = std::getenv("SCENARIO_WRITE_REFERENCE") != nullptr;
  for (const pagina& p : pagine) {
    const std::string percorso = std::string(SCENARIO_SOURCE_DIR) + "/" + p.percorso;
    if (scrivi) {
      std::ofstream(percorso, std::ios::binary) << p.testo;
      continue;
    }
    EXPECT_TRUE(leggi(percorso) == p.testo)
        << p.percorso
        << " is not what the tool generates: run scripts/update_reference.sh";
  }
}

}  // namespace
#endif
