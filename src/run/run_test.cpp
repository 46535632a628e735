#include "run/run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/errore.h"
#include "run/exit_status.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"
#include "support/temp_folder.h"

namespace {

// The run inside another program (the benchmarks, the fuzzer): the silent
// platform shows and prints nothing, and its box answers OK at once and
// ends nothing, so the caller goes on.
TEST(Run, OnTheSilentPlatformWritesItsFilesAndShowsNothing) {
  temp_folder dir;
  scenario_state st;
  st.cartella = dir.path();
  const platform p = silent_platform();
  ::testing::internal::CaptureStderr();
  const int stato = esegui(st, p);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(stato, exit_status::ok);
  EXPECT_EQ(dir.files(),
            (std::vector<std::string>{
                "Vardelia_Corvessa.dat", "Vardelia_Corvessa.sim",
                "Vardelia_Corvessa_note.txt", "Vardelia_Corvessa_rallentamenti.txt",
                "Vardelia_Corvessa_scheda_treno.txt", "Vardelia_linea.dat"}));

  ::testing::internal::CaptureStderr();
  errore(st, p, "1250");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(st.risposta_messaggio, 1) << "the OK button";
}

}  // namespace
