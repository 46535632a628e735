// The scenario's own source documents read back: the values they carry
// reach the reserved slots, the stations, the signs and the cells.
#include <gtest/gtest.h>

#include "documents/documents.h"
#include "reader/memorizza_dati.h"
#include "base/file_io.h"
#include "run/source_files.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

namespace {

class BuiltinSources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new temp_folder();
    st_ = new scenario_state();
    st_->cartella = folder_->path();
    st_->linea = identificativo_linea;
    st_->treno = identificativo_treno;
    ASSERT_TRUE(dati_linea(*st_).ok());
    ASSERT_TRUE(dati_treno(*st_).ok());
    st_->salva_linea = 1;
    const sorgenti_su_disco sorgenti(*st_);
    memorizza_dati(*st_, sorgenti.sorgenti);
  }
  static void TearDownTestSuite() {
    delete st_;
    delete folder_;
  }
  static const elemento& el(int i) { return st_->elementi[static_cast<size_t>(i)]; }
  static const cella& c(int i) { return st_->percorso.at(static_cast<size_t>(i)); }

  static temp_folder* folder_;
  static scenario_state* st_;
};

temp_folder* BuiltinSources::folder_ = nullptr;
scenario_state* BuiltinSources::st_ = nullptr;

TEST_F(BuiltinSources, ReadsWithStatusZeroAndDeletesBothDocuments) {
  EXPECT_EQ(st_->codice_errore, 0) << "at " << st_->posizione_errore << " m";
  EXPECT_FALSE(file_exists(file_path(*st_, file_kind::line_source)));
  EXPECT_FALSE(file_exists(file_path(*st_, file_kind::train_source)));
  EXPECT_EQ(st_->numero_celle, 6820);
  EXPECT_EQ(st_->lunghezza_tracciato, 341000);
}

TEST_F(BuiltinSources, ReservedSlots) {
  EXPECT_EQ(el(81).inizio, 315950);
  EXPECT_EQ(el(81).fine, 412150);
  EXPECT_EQ(el(81).progressiva, 1);
  EXPECT_EQ(el(82).inizio, 284500);
  EXPECT_EQ(el(82).fine, -284500);
  EXPECT_EQ(el(82).progressiva, 0);
  EXPECT_EQ(el(83).inizio, 31100);
  EXPECT_EQ(el(83).fine, 3050);
  EXPECT_EQ(el(83).progressiva, 0);
  EXPECT_EQ(el(84).inizio, 125);
  EXPECT_EQ(el(84).fine, 334000);
  EXPECT_EQ(el(84).progressiva, 15);
  EXPECT_EQ(el(85).inizio, 1);
  EXPECT_EQ(el(85).progressiva, 0);
  EXPECT_EQ(el(85).fine, 0);
  EXPECT_EQ(el(85).nome, "Vardelia");
  EXPECT_EQ(el(86).inizio, 8000);
  EXPECT_EQ(el(86).fine, 330700);
  EXPECT_EQ(el(86).progressiva, 9);
  EXPECT_EQ(el(86).nome, "Corvessa");
  EXPECT_EQ(el(86).valore_1, 110);
  EXPECT_EQ(el(86).valore_3, 19);
  EXPECT_EQ(el(86).valore_4, 59);
  EXPECT_EQ(el(86).valore_5, 55);
}

TEST_F(BuiltinSources, Stations) {
  const elemento& a = el(1);
  EXPECT_EQ(a.nome, "Roma Termini");
  EXPECT_EQ(a.progressiva, 0);
  EXPECT_EQ(a.tipo, 8);
  EXPECT_EQ(a.inizio, -500);
  EXPECT_EQ(a.fine, 500);
  EXPECT_EQ(a.opzione_1, 1);
  EXPECT_EQ(a.valore_1, 3);
  EXPECT_EQ(a.valore_2, 1);
  EXPECT_EQ(a.valore_3, 2);
  EXPECT_EQ(a.valore_4, 1);
  EXPECT_EQ(a.valore_5, 1);
  EXPECT_EQ(a.opzione_3, 1);
  EXPECT_EQ(a.opzione_4, 0);
  EXPECT_EQ(a.opzione_5, 0);
  EXPECT_EQ(a.orario, 71990);
  EXPECT_EQ(c(9).codice, codice_cella::fermata) << "500 / 50 - 1";
  EXPECT_EQ(c(9).dato_a, 1);
  EXPECT_EQ(el(45).nome, "Pisa Centrale");
  EXPECT_EQ(el(45).progressiva, 332750);
  EXPECT_EQ(el(45).orario, 22 * 3600 + 29 * 60);
  EXPECT_EQ(el(46).nome, "") << "45 stations";
}

TEST_F(BuiltinSources, SignsInSlotsEightyDownToSixtyTwo) {
  EXPECT_EQ(el(80).nome, "(Zona)(Cod )");
  EXPECT_EQ(el(79).nome, "(  Cippo  )(Km 28+000)");
  EXPECT_EQ(el(62).nome, "(  Cippo  )(Km 81.300)");
  EXPECT_EQ(el(61).nome, "");
  EXPECT_EQ(c(160).codice, codice_cella::cartello_indicatore);
  EXPECT_EQ(c(160).dato_a, 80);
}

TEST_F(BuiltinSources, Cells) {
  // Gradients: 0 from 0 m, -11 from 600 m, 0 from 1200 m, -4 from 1250 m.
  EXPECT_EQ(c(11).pendenza, 100);
  EXPECT_EQ(c(12).pendenza, 89);
  EXPECT_EQ(c(24).pendenza, 100);
  EXPECT_EQ(c(25).pendenza, 96);
  EXPECT_EQ(c(28).pendenza, 96);
  EXPECT_EQ(c(29).pendenza, 100);
  EXPECT_EQ(c(6817).pendenza, 100);
  EXPECT_EQ(c(6818).pendenza, 0);
  // Speeds: 30 km/h from 0 m, 95 from 1000 m.
  EXPECT_EQ(c(19).velocita, 6);
  EXPECT_EQ(c(20).velocita, 19);
  // Adhesion 60 from 0 m, 65 from 8750 m.
  EXPECT_EQ(c(174).aderenza, 60);
  EXPECT_EQ(c(175).aderenza, 65);
  // The first mountain and the first signal.
  EXPECT_EQ(c(175).tipo_montagna, 2);
  EXPECT_EQ(c(222).tipo_montagna, 2);
  EXPECT_EQ(c(223).tipo_montagna, 0);
  EXPECT_EQ(c(22).codice, codice_cella::segnale);
  EXPECT_EQ(c(22).dato_a, 42);
  EXPECT_EQ(c(22).tempo, 255);
  EXPECT_EQ(c(141).codice, codice_cella::abbattimento);
  EXPECT_EQ(c(141).dato_a, 270);
  EXPECT_EQ(c(528).dato_a, 2626);
}

TEST_F(BuiltinSources, PlanPolyline) {
  const tracciato_t t = punti_del_tracciato(st_->tracciato);
  ASSERT_EQ(t.ultimo, 341000);
  EXPECT_EQ(t.tipo[t.indice(1350, 0)], tracciato_t::reale);
  EXPECT_EQ(t.valore[t.indice(1350, 0)], 0.0) << "straight up to the first curve";
  EXPECT_EQ(t.valore[t.indice(1351, 0)], -0.0001) << "curvas1 turns towards -x";
  EXPECT_EQ(t.tipo[t.indice(340998, 1)], tracciato_t::reale);
  EXPECT_EQ(t.tipo[t.indice(340999, 1)], tracciato_t::vuoto);
}

}  // namespace
