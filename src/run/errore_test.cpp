#include "run/errore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/exit_status.h"
#include "run/platform.h"
#include "scenario/scenario_state.h"

namespace {

TEST(Errore, ShowsTheNumberedMessageThenEndsTheProcess) {
  std::vector<std::string> events;
  platform p;
  p.mostra_finestra = [](const std::string&) {};
  p.chiudi_finestra = [&] { events.push_back("close"); };
  p.mostra_messaggio = [&](const std::string& text) {
    events.push_back("box:" + text);
    return 7;
  };
  p.termina = [&](int status) { events.push_back("end:" + std::to_string(status)); };

  scenario_state st;
  errore(st, p, "1251");
  EXPECT_EQ(events,
            (std::vector<std::string>{"box: Errore n. 1251", "close",
                                      "end:" + std::to_string(exit_status::errore)}));
  EXPECT_EQ(st.risposta_messaggio, 7);
  EXPECT_EQ(messaggio_errore("1250"), " Errore n. 1250");
}

}  // namespace
