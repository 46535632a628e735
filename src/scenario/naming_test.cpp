#include "scenario/naming.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scenario/scenario_state.h"

namespace {

// '/' here, '\\' on Windows.
const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));

TEST(FileNames, AllEightNamesOfTheScenario) {
  struct Case {
    file_kind kind;
    const char* name;
  } cases[] = {
      {file_kind::line_source, "Vardelia_linea.txt"},
      {file_kind::train_source, "Vardelia_Corvessa-.txt"},
      {file_kind::notes, "Vardelia_Corvessa_note.txt"},
      {file_kind::slowdown_form, "Vardelia_Corvessa_rallentamenti.txt"},
      {file_kind::train_sheet, "Vardelia_Corvessa_scheda_treno.txt"},
      {file_kind::line_plan, "Vardelia_linea.dat"},
      {file_kind::scenario, "Vardelia_Corvessa.sim"},
      {file_kind::track, "Vardelia_Corvessa.dat"},
  };
  scenario_state st;
  st.cartella = "sim";
  st.linea = "Vardelia";
  st.treno = "Corvessa";
  for (const Case& c : cases) {
    EXPECT_EQ(file_name("Vardelia", "Corvessa", c.kind), c.name);
    EXPECT_EQ(file_path(st, c.kind), "sim" + sep + c.name);
  }
}

TEST(FileNames, IdentifiersGoInAsTheyStand) {
  EXPECT_EQ(file_name("La linea (2)", "Treno 1.5", file_kind::train_source),
            "La linea (2)_Treno 1.5-.txt");
  EXPECT_EQ(file_name("", "", file_kind::scenario), "_.sim");
}

TEST(FileNames, SeparatorIsAppendedEvenAfterATrailingOne) {
  scenario_state st;
  st.cartella = "sim" + sep;
  st.linea = "Vardelia";
  st.treno = "Corvessa";
  EXPECT_EQ(file_path(st, file_kind::track), "sim" + sep + sep + "Vardelia_Corvessa.dat");
}

}  // namespace
