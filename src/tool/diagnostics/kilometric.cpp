#include "tool/diagnostics/kilometric.h"

#include <cinttypes>
#include <cstdio>

std::optional<int64_t> progressiva_di(const std::array<elemento, slot::numero>& elementi,
                                      int64_t posizione) {
  const elemento* scelto = nullptr;
  for (int s : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const elemento& e = elementi[s];
    if (e.inizio == 0 && e.fine == 0 && e.progressiva == 0) continue;  // not set
    if (e.inizio > posizione) continue;
    if (scelto == nullptr || e.inizio > scelto->inizio) scelto = &e;
  }
  if (scelto == nullptr) return std::nullopt;
  if (scelto->progressiva == 0) return int64_t{scelto->fine} + posizione;
  if (scelto->progressiva == 1) return int64_t{scelto->fine} - 100 - posizione;
  return std::nullopt;  // a direction the line does not define
}

std::string formato_km(int64_t metri) {
  uint64_t m =
      metri < 0 ? 0 - static_cast<uint64_t>(metri) : static_cast<uint64_t>(metri);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%" PRIu64 ".%03" PRIu64, metri < 0 ? "-" : "",
                m / 1000, m % 1000);
  return buffer;
}
