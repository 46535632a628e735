// Message templates: each hole filled, one parser for all of them.
#include "tool/diagnostics/message.h"

#include <gtest/gtest.h>

#include <string>

#include "scenario/scenario_state.h"

namespace {

// Every finding's template composed with values in every hole leaves no
// hole: a misspelt hole name would be shown to the author as "{nome}".
TEST(Messages, EveryTemplateIsFilledWithoutAHoleLeft) {
  scenario_state st;
  for (size_t i = 0; i < static_cast<size_t>(reperto_id::numero); ++i) {
    reperto r = nuovo_reperto(static_cast<reperto_id>(i), {documento::linea, 0, 1});
    r.cella = 12;
    r.ha_posizione = true;
    r.posizione = 600;
    r.valore = 3;
    r.limite = 2;
    const std::string m = componi_messaggio(r, st.elementi, contesto_messaggio{4, 0, {}});
    EXPECT_EQ(m.find_first_of("{}"), std::string::npos)
        << descrivi(r.id).nome << ": " << m;
    EXPECT_FALSE(m.empty()) << descrivi(r.id).nome;
  }
}

TEST(Messages, OneParserFillsHolesAndKeepsAnUnclosedBrace) {
  const auto buco = [](std::string_view n) { return "<" + std::string(n) + ">"; };
  EXPECT_EQ(riempi_modello("a {x} b {yy}", buco), "a <x> b <yy>");
  EXPECT_EQ(riempi_modello("{x}{y}", buco), "<x><y>");
  EXPECT_EQ(riempi_modello("open { without end", buco), "open { without end");
  EXPECT_EQ(riempi_modello("", buco), "");
}

}  // namespace
