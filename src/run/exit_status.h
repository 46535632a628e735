// Exit statuses of the program.
#pragma once

namespace exit_status {
constexpr int ok = 0;       // the run did its whole job
constexpr int errore = 1;   // a numbered error box was shown (1250, 1251)
constexpr int failure = 2;  // a file or folder failure ended the run
}  // namespace exit_status
