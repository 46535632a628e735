// The reference of the rows against the reader it describes: it covers every
// row kind the reader knows with every field; the blank pair holds every
// block in order and one row of each kind and builds with no finding; every
// example row of the reference is a row of the built-in documents and,
// put into the blank pair, builds with no finding too.
#include "tool/diagnostics/row_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"
#include "reader/keywords.h"
#include "reader/row_kinds.h"
#include "scenario/naming.h"
#include "tool/session/in_memory_build.h"

namespace {

std::string crlf(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// The findings of a build of the two documents, by name and place; empty
// when it built cleanly.
std::vector<std::string> reperti_di(const std::vector<std::string>& linea,
                                    const std::vector<std::string>& treno) {
  opzioni_build o;
  o.sorgente_linea = "Prova_linea.txt";
  o.sorgente_treno = "Prova_Treno-.txt";
  costruzione_in_memoria c;
  EXPECT_EQ(prepara_costruzione(o, c), "");
  c.testo_linea = crlf(linea);
  c.testo_treno = crlf(treno);
  costruisci_testi(o, c);
  std::vector<std::string> out;
  for (const reperto& r : c.reperti) {
    const std::string& testo =
        r.dove.doc == documento::linea ? c.testo_linea : c.testo_treno;
    out.push_back(std::string(descrivi(r.id).nome) + " at \"" +
                  testo.substr(r.dove.inizio, r.dove.lunghezza) + "\"");
  }
  if (c.st.codice_errore != 0)
    out.push_back("status " + std::to_string(c.st.codice_errore));
  return out;
}

// The first field of a line, and its position (the second) as a number.
std::string parola_di(const std::string& riga) { return riga.substr(0, riga.find(',')); }
long posizione_di(const std::string& riga) {
  const size_t v = riga.find(',');
  return v == std::string::npos ? -1 : std::strtol(riga.c_str() + v + 1, nullptr, 10);
}

// `esempio`, a row of kind `t`, put into the document's lines in its block:
// in place of the row of its kind in a [generale] block, else among the rows
// of its kind in order of position.
std::vector<std::string> con_esempio(std::vector<std::string> righe, const tipo_riga& t) {
  const std::string esempio(t.esempio);
  auto dentro = std::find(righe.begin(), righe.end(), std::string(t.blocco));
  EXPECT_NE(dentro, righe.end()) << t.blocco;
  auto fine = std::find_if(dentro + 1, righe.end(),
                           [](const std::string& r) { return riga_sezione(r); });
  for (auto i = dentro + 1; i != fine; ++i) {
    if (!corrisponde(parola_di(*i), t)) continue;
    if (t.blocco == "[generale]") {
      *i = esempio;
      return righe;
    }
    if (posizione_di(*i) > posizione_di(esempio)) {
      righe.insert(i, esempio);
      return righe;
    }
  }
  righe.insert(fine, esempio);
  return righe;
}

TEST(BlankPair, HoldsEveryBlockInOrderAndOneRowOfEachKind) {
  for (const bool del_treno : {false, true}) {
    const std::vector<std::string> righe =
        del_treno ? righe_treno_vuoto() : righe_linea_vuota();
    std::vector<std::string> sezioni;
    for (const std::string& r : righe) {
      if (riga_sezione(r)) sezioni.push_back(r);
    }
    std::vector<std::string> attese;
    for (const blocco_documento& b : blocchi) {
      if (b.del_treno == del_treno) attese.emplace_back(b.nome);
    }
    EXPECT_EQ(sezioni, attese);
    for (const tipo_riga& t : tipi_riga) {
      if ((t.sezione == sezione_riga::treno) != del_treno) continue;
      const auto n = std::count_if(righe.begin(), righe.end(), [&](const std::string& r) {
        return !riga_sezione(r) && corrisponde(parola_di(r), t);
      });
      EXPECT_EQ(n, t.id == riga_id::stazione ? 2 : 1) << t.grafie[0];
    }
  }
}

TEST(BlankPair, BuildsWithNoFinding) {
  EXPECT_EQ(reperti_di(righe_linea_vuota(), righe_treno_vuoto()),
            std::vector<std::string>{});
}

TEST(RowReference, EveryExamplePutIntoTheBlankPairBuildsWithNoFinding) {
  for (const tipo_riga& t : tipi_riga) {
    SCOPED_TRACE(std::string(t.esempio));
    std::vector<std::string> linea = righe_linea_vuota();
    std::vector<std::string> treno = righe_treno_vuoto();
    std::vector<std::string>& documento =
        t.sezione == sezione_riga::treno ? treno : linea;
    const size_t prima = documento.size();
    documento = con_esempio(documento, t);
    EXPECT_EQ(documento.size(), prima + (t.blocco == "[generale]" ? 0 : 1));
    EXPECT_NE(std::find(documento.begin(), documento.end(), std::string(t.esempio)),
              documento.end());
    EXPECT_EQ(reperti_di(linea, treno), std::vector<std::string>{});
  }
}

// "a,  b" and "a, b" are one row: the examples keep the built-in spacing,
// but the documents' trailing blanks are no part of a row.
std::string senza_spazi(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c != ' ') out += c;
  }
  return out;
}

TEST(RowReference, EveryExampleIsARowOfTheBuiltInDocuments) {
  std::vector<std::string> righe;
  for (const auto& [w, k] : {std::pair{&dati_linea, file_kind::line_source},
                             std::pair{&dati_treno, file_kind::train_source}}) {
    const documento_scritto d = scrivi_e_rileggi(w, k);
    for (const std::string& r : d.righe) righe.push_back(senza_spazi(r));
  }
  for (const tipo_riga& t : tipi_riga) {
    const bool trovato = std::find(righe.begin(), righe.end(),
                                   senza_spazi(std::string(t.esempio))) != righe.end();
    // The built-in train source has no slowdown; the reference says so.
    EXPECT_EQ(trovato, t.id != riga_id::rallentamento) << t.esempio;
  }
}

TEST(RowReference, CoversEveryRowKindTheReaderKnowsWithEveryField) {
  const std::string testo = come_testo(riferimento_completo());
  for (const tipo_riga& t : tipi_riga) {
    SCOPED_TRACE(std::string(t.grafie[0]));
    const std::string titolo =
        std::string(parole_chiave()[static_cast<size_t>(t.parola)].parola) +
        " (a row of the " + (t.sezione == sezione_riga::treno ? "train" : "line") +
        " source)\n";
    EXPECT_EQ(std::count_if(std::begin(tipi_riga), std::end(tipi_riga),
                            [&](const tipo_riga& x) { return x.id == t.id; }),
              1);
    EXPECT_NE(testo.find(titolo), std::string::npos);
    EXPECT_NE(testo.find("    " + riga_dei_campi(t) + "\n"), std::string::npos);
    EXPECT_NE(testo.find("    " + std::string(t.esempio) + "\n"), std::string::npos);
    const std::string riga = come_testo(riferimento_riga(t));
    size_t n = 0;
    for (const descrizione_campo& c : t.campi) {
      EXPECT_NE(riga.find("  " + std::to_string(++n) + ". " + std::string(c.nome) + " ("),
                std::string::npos)
          << c.nome;
      EXPECT_FALSE(c.effetto.empty()) << c.nome;
    }
    EXPECT_EQ(n, t.campi.size());
  }
}

}  // namespace
