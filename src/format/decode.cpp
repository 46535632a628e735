#include "format/decode.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "format/layout.h"

namespace {

decode_status failure(size_t offset, std::string message) {
  return decode_status{false, offset, std::move(message)};
}

std::string byte_at(size_t offset) { return "byte " + std::to_string(offset); }

}  // namespace

decode_status decode_percorso(std::string_view image, std::vector<cella>& percorso) {
  const size_t celle = image.size() / dimensione_cella;
  if (image.size() % dimensione_cella != 0) {
    const size_t at = celle * dimensione_cella;
    return failure(at, "track file: " + std::to_string(image.size()) +
                           " bytes are not a whole number of " +
                           std::to_string(dimensione_cella) + "-byte cells: cell " +
                           std::to_string(celle) + " at " + byte_at(at) +
                           " is cut short");
  }
  std::vector<cella> letto(celle);
  const char* p = image.data();
  for (cella& c : letto) p = read_record(p, c);
  percorso = std::move(letto);
  return {};
}

decode_status decode_elementi(std::string_view image,
                              std::array<elemento, slot::numero>& elementi) {
  std::array<elemento, slot::numero> letti{};
  size_t at = 0;
  for (size_t k = 0; k < letti.size(); ++k) {
    const size_t start = at;
    const std::string_view cut = read_record(image, at, letti[k]);
    if (!cut.empty()) {
      return failure(at, "scenario file: slot " + std::to_string(k) + " (from " +
                             byte_at(start) + ") cut short: " + std::string(cut) +
                             " at " + byte_at(at) + " runs past the end at " +
                             byte_at(image.size()));
    }
  }
  if (at != image.size()) {
    return failure(at, "scenario file: " + std::to_string(image.size() - at) +
                           " bytes after slot " + std::to_string(letti.size() - 1) +
                           ", from " + byte_at(at));
  }
  elementi = std::move(letti);
  return {};
}

decode_status decode_tracciato(std::string_view image, tracciato_t& tracciato) {
  // A first pass checks every element and counts them; the polyline is then
  // sized once and filled.
  size_t count = 0;
  for (size_t at = 0; at < image.size(); ++count) {
    const size_t start = at;
    auto element = [&] {
      return "line plan file: element " + std::to_string(count) + " at " + byte_at(start);
    };
    if (image.size() - at < dimensione_tag) {
      return failure(
          at, element() + ": the tag runs past the end at " + byte_at(image.size()));
    }
    const uint16_t tag = load_le<uint16_t>(image.data() + at);
    const int larghezza = larghezza_valore(tag);
    if (larghezza < 0) {
      return failure(at, element() + " has tag " + std::to_string(tag) +
                             ", which no element type uses");
    }
    at += dimensione_tag;
    if (image.size() - at < static_cast<size_t>(larghezza)) {
      return failure(at, element() + ": the value of tag " + std::to_string(tag) +
                             " at " + byte_at(at) + " runs past the end at " +
                             byte_at(image.size()));
    }
    at += static_cast<size_t>(larghezza);
  }
  if (count % 2 != 0) {
    return failure(image.size(), "line plan file: the file ends at " +
                                     byte_at(image.size()) + " after " +
                                     std::to_string(count) +
                                     " elements, an odd count: x and y need one each"
                                     " for every metre");
  }
  if (count / 2 > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    return failure(image.size(), "line plan file: the file ends at " +
                                     byte_at(image.size()) + " after " +
                                     std::to_string(count) +
                                     " elements, more metres than a polyline holds");
  }

  tracciato_t letto;
  letto.crea(static_cast<int32_t>(count / 2) - 1);
  const char* p = image.data();
  for (size_t i = 0; i < count; ++i) {
    const uint16_t tag = load_le<uint16_t>(p);
    p += dimensione_tag;
    letto.tipo[i] = static_cast<uint8_t>(tag);
    letto.valore[i] = read_valore_tracciato(p, tag);
    p += larghezza_valore(tag);
  }
  tracciato = std::move(letto);
  return {};
}
