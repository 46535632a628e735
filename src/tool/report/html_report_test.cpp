// The page and the drawings stay well-formed, whatever the documents hold:
// the built-in documents cut short at many places and with bytes of every
// kind written into them, the rows' names and texts included.
#include "tool/report/html_report.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"
#include "support/xml_check.h"
#include "tool/report/plan_drawing.h"
#include "tool/report/profile_drawing.h"
#include "tool/report/report_assets.h"
#include "track/memorizza_percorso.h"

namespace {

// The page and the two drawings of a pair of documents, written into `d`.
void scrivi_report(const temp_folder& d, const std::string& nome,
                   const std::string& linea, const std::string& treno) {
  scenario_state st;
  std::vector<reperto> reperti;
  std::vector<provenienza_cella> provenienza;
  st.reperti = &reperti;
  st.provenienza = &provenienza;
  sorgenti_lettura s;
  s.linea = {"x/<L>&_linea.txt", stato_documento::presente, linea};
  s.treno = {"T\"'-.txt", stato_documento::presente, treno};
  costruisci_scenario(st, s, 1);
  const documenti_mostrati documenti{{s.linea.nome, linea}, {s.treno.nome, treno}};
  const vista_percorso v = crea_vista(st, reperti, documenti);
  const tracciato_t punti = punti_del_tracciato(st.tracciato);
  const disegno_pianta pianta = disegna_pianta(v, punti, {"<L> & \"T\"", true});
  contenuto_report c;
  c.linea = "<L>";
  c.treno = "T&\x80";
  c.documenti = &documenti;
  const std::vector<rendered_diagnostic> diagnostiche =
      render_findings(reperti, documenti, st);
  c.diagnostiche = &diagnostiche;
  c.st = &st;
  c.vista = &v;
  c.pianta = &pianta;
  if (v.ha_percorso) c.profilo = disegna_profilo(v, {"<L> & \"T\"", true});
  write_bytes(d.file(nome + ".html"), pagina_report(c));
  if (v.ha_percorso) {
    write_bytes(d.file(nome + "_profile.svg"), disegna_profilo(v, {"p", false}));
  }
  const std::string svg = disegna_pianta(v, punti, {"p", false}).svg;
  if (!svg.empty()) write_bytes(d.file(nome + "_plan.svg"), svg);
}

TEST(ReportMarkup, WellFormedForDamagedDocuments) {
  temp_folder sorgenti;
  scenario_state st;
  st.cartella = sorgenti.path();
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  ASSERT_TRUE(dati_linea(st).ok());
  ASSERT_TRUE(dati_treno(st).ok());
  const std::string linea = read_bytes(file_path(st, file_kind::line_source));
  const std::string treno = read_bytes(file_path(st, file_kind::train_source));

  temp_folder d;
  std::mt19937 caso(15);
  const std::string pericolosi = "<>&\"']]\x01\x0b\x1b\x7f\x81\x9d\xff\r\n,";
  for (int i = 0; i < 24; ++i) {
    std::string l = linea, t = treno;
    if (i < 8) {
      l.resize(l.size() * static_cast<size_t>(i + 1) / 9);  // cut short
    } else if (i < 16) {
      t.resize(t.size() * static_cast<size_t>(i - 7) / 9);
    } else {
      // Bytes of every kind in the texts of the rows (names, signs) and
      // anywhere else.
      for (std::string* doc : {&l, &t}) {
        for (int k = 0; k < 40; ++k) {
          const size_t at = caso() % doc->size();
          (*doc)[at] = k % 2 == 0 ? pericolosi[caso() % pericolosi.size()]
                                  : static_cast<char>(caso() % 256);
        }
      }
    }
    std::string nome = "r";  // not "r" + ...: g++ 12 warns of an overlap it imagines
    scrivi_report(d, nome.append(std::to_string(i)), l, t);
  }
  std::vector<std::string> files;
  for (const std::string& f : d.files()) files.push_back(d.file(f));
  EXPECT_GT(files.size(), 48u);
  EXPECT_EQ(errori_xml(files), "");
}

// The page's script stands in a CDATA section of a <script> element, so
// that the page is both HTML and well-formed XML: it may close neither.
TEST(ReportMarkup, TheScriptClosesNeitherItsElementNorItsSection) {
  const std::string script = script_report;
  EXPECT_EQ(script.find("]]>"), std::string::npos);
  EXPECT_EQ(script.find("</"), std::string::npos);
  EXPECT_EQ(std::string(stile_report).find('<'), std::string::npos);
}

}  // namespace
