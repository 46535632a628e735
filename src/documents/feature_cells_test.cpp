// Every feature of the two source documents on a cell of its own, computed
// the way the reader computes it (quotients rounded half to even): boards,
// signs and signals at round(p / 50 + 1), code points at round(p / 50) and
// station stop points at round(fine / 50 - 1), which overwrite whatever lies
// there. A clash would stop the reading and drop the rest of the scenario.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "documents/written_document.h"
#include "base/rounding.h"

namespace {

struct elemento_pista {
  std::string tipo;  // "cartello", "indicazione", "segnale", "abbattimento", "fermata"
  long posizione;
  long cella;
};

struct esame {
  std::vector<elemento_pista> elementi;
  std::vector<std::string> problemi;
};

long cella_di(double q) { return static_cast<long>(arrotonda(q)); }

// Lists the features of a line source and a train source (as lines of text)
// with their cells, and every rule of placement they break.
esame esamina(const std::vector<std::string>& linea,
              const std::vector<std::string>& treno) {
  esame e;
  auto problema = [&](const std::string& s) { e.problemi.push_back(s); };
  long numero_celle = -1;
  auto metti = [&](const std::string& tipo, long p, long cella) {
    e.elementi.push_back({tipo, p, cella});
    if (p % 50 != 0)
      problema(tipo + " at " + std::to_string(p) + " m: not a multiple of 50");
    if (numero_celle >= 0 && (p + 100) / 50.0 > numero_celle) {
      problema(tipo + " at " + std::to_string(p) + " m: beyond the track");
    }
  };
  for (const std::string& r : linea) {
    std::vector<std::string> f = campi(r);
    if (inizia_con(r, "lunghezza percorso")) {
      numero_celle = cella_di((numero(f[1]) + 7000) / 50.0);
    } else if (inizia_con(r, "indicatori_vmax")) {
      metti("cartello", numero(f[1]), cella_di(numero(f[1]) / 50.0 + 1));
    } else if (inizia_con(r, "cartello_indicatore")) {
      metti("indicazione", numero(f[1]), cella_di(numero(f[1]) / 50.0 + 1));
    } else if (inizia_con(r, "montagna")) {
      if (cella_di(numero(f[2]) / 50.0 - 1) > numero_celle)
        problema("mountain beyond the track");
    }
  }
  long fine_precedente = 0;
  bool prima = true;
  for (const std::string& r : treno) {
    std::vector<std::string> f = campi(r);
    if (inizia_con(r, "segnale")) {
      long p = numero(f[1]);
      long k = cella_di(p / 50.0 + 1);
      metti("segnale", p, k);
      if (k < 8) problema("signal at " + std::to_string(p) + " m: below cell 8");
    } else if (inizia_con(r, "abbattimento")) {
      metti("abbattimento", numero(f[1]), cella_di(numero(f[1]) / 50.0));
    } else if (inizia_con(r, "stazione")) {
      long p = numero(f[1]), tipo = numero(f[2]), l = numero(f[3]),
           opzione_4 = numero(f[6]);
      if (p % 50 != 0 || l % 100 != 0)
        problema("station at " + std::to_string(p) + " m: off grid");
      if ((p + 800) / 50.0 > numero_celle) problema("station beyond the track");
      long inizio, fine;
      if (tipo == 5 || tipo == 6) {
        inizio = p - l;
        fine = p + 150;
      } else if (tipo == 7 || tipo == 8) {
        inizio = p - l;
        fine = p + l;
      } else {
        inizio = cella_di(p - l / 2.0);
        fine = cella_di(p + l / 2.0) + (opzione_4 ? 50 : 0);
      }
      if (!prima && inizio - 350 < fine_precedente) {
        problema("station at " + std::to_string(p) +
                 " m: less than 350 m after the previous");
      }
      if (tipo < 25) {
        double q = fine / 50.0 - 1;
        if (q <= 1)
          problema("station at " + std::to_string(p) + " m: stop point too early");
        e.elementi.push_back({"fermata", p, cella_di(q)});
      }
      fine_precedente = fine;
      prima = false;
    }
  }
  std::map<long, std::vector<const elemento_pista*>> per_cella;
  for (const elemento_pista& el : e.elementi) per_cella[el.cella].push_back(&el);
  for (const auto& [cella, lista] : per_cella) {
    if (cella == 1) problema("cell 1 is kept for the build's own values");
    if (cella < 0 || cella > numero_celle)
      problema("cell " + std::to_string(cella) + " off track");
    if (lista.size() > 1) {
      std::string s = "cell " + std::to_string(cella) + " holds";
      for (const elemento_pista* el : lista) {
        s += " " + el->tipo + "@" + std::to_string(el->posizione);
      }
      problema(s);
    }
  }
  return e;
}

bool nomina(const esame& e, const std::string& parte) {
  for (const std::string& p : e.problemi) {
    if (p.find(parte) != std::string::npos) return true;
  }
  return false;
}

// The examination itself finds each kind of clash it is there to find.
TEST(FeatureCells, ExaminationFindsEveryKindOfClash) {
  const std::vector<std::string> linea = {
      "lunghezza percorso,    10000",
      "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0",
      "cartello_indicatore,  2000,   (Zona)"};
  EXPECT_TRUE(esamina(linea, {"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
                              "abbattimento,    1200,   270"})
                  .problemi.empty());
  struct caso {
    const char* nome;
    std::vector<std::string> treno;
    const char* problema;
  } casi[] = {
      {"half cells round to the even cell",
       {"segnale,    1025,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
        "segnale,    1075,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
       "cell 22 holds segnale@1025 segnale@1075"},
      {"code point on a board", {"abbattimento,    1050,   270"}, "cell 21 holds"},
      {"signal on a sign",
       {"segnale,    2000,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
       "cell 41"},
      {"stop point on a signal",
       {"stazione,    3100, 22,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, A",
        "segnale,    3200,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
       "cell 65 holds fermata@3100 segnale@3200"},
      {"stop point moved by the station flag",
       {"stazione,    3100, 22,  400,  0, 0, 1,  0,0,0,  0,0,0,    0,   0, 0, 0, A",
        "abbattimento,    3300,   270"},
       "cell 66 holds"},
      {"stations too close",
       {"stazione,    3100, 28,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, A",
        "stazione,    3800, 28,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, B"},
       "less than 350 m"},
      {"signal too near the start",
       {"segnale,     300,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
       "below cell 8"},
      {"position off the grid", {"abbattimento,    4020,   270"}, "not a multiple of 50"},
  };
  for (const caso& c : casi) {
    esame e = esamina(linea, c.treno);
    EXPECT_TRUE(nomina(e, c.problema))
        << c.nome << ": " << (e.problemi.empty() ? "no problem" : e.problemi[0]);
  }
  // 350 m exactly is enough.
  EXPECT_TRUE(
      esamina(linea, {"stazione,    3100, 28,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, "
                      "0, 0, A",
                      "stazione,    3850, 28,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, "
                      "0, 0, B"})
          .problemi.empty());
}

TEST(FeatureCells, EveryFeatureOfTheScenarioHasACellOfItsOwn) {
  documento_scritto linea = scrivi_e_rileggi(dati_linea, file_kind::line_source);
  documento_scritto treno = scrivi_e_rileggi(dati_treno, file_kind::train_source);
  esame e = esamina(linea.righe, treno.righe);
  for (const std::string& p : e.problemi) ADD_FAILURE() << p;
  std::map<std::string, int> per_tipo;
  for (const elemento_pista& el : e.elementi) ++per_tipo[el.tipo];
  EXPECT_EQ(per_tipo, (std::map<std::string, int>{{"abbattimento", 79},
                                                  {"cartello", 64},
                                                  {"fermata", 34},
                                                  {"indicazione", 19},
                                                  {"segnale", 179}}));
}

}  // namespace
