// Exit statuses of the author's tool.
#pragma once

namespace uscita {
constexpr int ok = 0;          // no error in the documents
constexpr int errori = 1;      // the documents hold errors
constexpr int fallimento = 2;  // a usage error, or a file or system failure
}  // namespace uscita
