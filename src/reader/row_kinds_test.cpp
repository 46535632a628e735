// The table of row kinds: its spellings are recognised by their own rows,
// and a row written with exactly the fields its description lists is read
// whole, neither leaving fields over nor reading into the next line.
#include "reader/row_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reader/source_fixture.h"

namespace {

TEST(RowKinds, EachSpellingIsRecognisedByItsOwnRowAlone) {
  for (const tipo_riga& t : tipi_riga) {
    for (size_t g = 0; g < t.numero_grafie(); ++g) {
      const std::string_view grafia = t.grafie[g];
      SCOPED_TRACE(std::string(grafia));
      EXPECT_TRUE(corrisponde(grafia, t));
      EXPECT_EQ(parole_chiave()[static_cast<size_t>(t.parola) + g].parola, grafia);
      for (const tipo_riga& altro : tipi_riga) {
        if (altro.id != t.id && altro.sezione == t.sezione) {
          EXPECT_FALSE(corrisponde(grafia, altro))
              << "also a " << altro.grafie[0] << " row";
        }
      }
    }
  }
}

// One row of each kind, with sound values and as many fields as its
// description lists.
struct esempio {
  riga_id id;
  const char* riga;
};
constexpr esempio esempi[] = {
    {riga_id::lunghezza, "lunghezza percorso, 10000"},
    {riga_id::progressiva_tre, "progressiva chilometrica tre, 3000, 9000, 1"},
    {riga_id::progressiva_due, "progressiva chilometrica due, 2000, 5000, 0"},
    {riga_id::progressiva_uno, "progressiva chilometrica uno, 1000, 3000, 0"},
    {riga_id::sfondo_uno, "sfondo uno, 1"},
    {riga_id::sfondo_due, "sfondo due, 2"},
    {riga_id::sfondo_tre, "sfondo tre, 3"},
    {riga_id::ripetizione, "ripetizione segnali 9 codici, 8000, 9000"},
    {riga_id::pendenza, "pendenza, 100, 5"},
    {riga_id::curva, "curvas1, 200, 100"},
    {riga_id::montagna, "montagna, 1000, 2000, 2"},
    {riga_id::indicatori, "indicatori_vmax, 3000, 90, 95, 100, 1, 60, 65, 70, 2"},
    {riga_id::cartello, "cartello_indicatore, 3500, Km 3"},
    {riga_id::massa, "percentuale massa frenata, 125"},
    {riga_id::vetture, "numero vetture, 15"},
    {riga_id::velocita, "velocita, 0, 100"},
    {riga_id::aderenza, "aderenza, 0, 20"},
    {riga_id::orologio, "orologio, 19, 59, 55"},
    {riga_id::sabbia, "sabbia, 110"},
    {riga_id::segnale, "segnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0"},
    {riga_id::rallentamento, "rallentamento, 4000, 60, 500, 0, 0, 0"},
    {riga_id::abbattimento, "abbattimento, 5000, 270"},
    {riga_id::stazione,
     "stazione, 6000, 22, 400, 1, 0, 0, 3, 1, 0, 2, 1, 1, 1, 19, 59, 50, Roma"},
};

TEST(RowKinds, ARowOfItsDescribedFieldsIsReadWhole) {
  ASSERT_EQ(std::size(esempi), std::size(tipi_riga));
  for (const esempio& e : esempi) {
    const tipo_riga& t = tipo_di(e.id);
    SCOPED_TRACE(e.riga);
    const std::string riga = e.riga;
    ASSERT_EQ(static_cast<size_t>(std::count(riga.begin(), riga.end(), ',')),
              t.campi.size());
    // The row, then a row of the same part that would be misread if the
    // first read one field too many, or warned about if it read too few.
    std::vector<std::string> intestazione = {"[generale]", "lunghezza percorso, 10000"};
    std::vector<std::string> corpo = {"[curve]"};
    std::vector<std::string> righe_treno = {"[generale]"};
    auto& parte = t.sezione == intestazione_linea ? intestazione
                  : t.sezione == corpo_linea      ? corpo
                                                  : righe_treno;
    parte.push_back(riga);
    // A train source gives a row of its own (one without any is an error).
    if (t.sezione != treno) righe_treno.push_back("sabbia, 1");
    parte.push_back(t.sezione == intestazione_linea ? "sfondo uno, 4"
                    : t.sezione == corpo_linea      ? "pendenza, 9000, 1"
                                                    : "sabbia, 7");
    intestazione.insert(intestazione.end(), corpo.begin(), corpo.end());
    intestazione.push_back("[fine]");
    righe_treno.push_back("[fine]");
    sorgenti s;
    s.linea(intestazione);
    s.treno(righe_treno);
    s.leggi();
    EXPECT_EQ(s.st.codice_errore, 0);
    for (const reperto& r : s.reperti) {
      ADD_FAILURE() << descrivi(r.id).nome << " at " << s.testo_di(r.dove);
    }
    if (t.sezione == intestazione_linea) {
      EXPECT_EQ(s.st.elementi[slot::linea].inizio, 4);
    } else if (t.sezione == corpo_linea) {
      EXPECT_EQ(s.c(200).pendenza, 101);
    } else if (t.sezione == treno) {
      EXPECT_EQ(s.st.elementi[slot::treno].valore_1, 7);
    }
  }
}

}  // namespace
