// Decoders of the three binary files: each image back into the records it
// was written from, for the checks of the tests and the fuzzer and for
// dumping or comparing files. Damaged input is reported, never read past
// its end.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "format/records.h"

// The outcome of a decode: ok, or the byte where the image went wrong and a
// message that names the file, the record and that byte.
struct decode_status {
  bool ok = true;
  size_t offset = 0;
  std::string message;
};

// Track file: a whole number of cells. On failure `percorso` is left as it
// was; so are the outputs of the other decoders.
decode_status decode_percorso(std::string_view image, std::vector<cella>& percorso);

// Scenario file: exactly the slots 0..86, nothing after.
decode_status decode_elementi(std::string_view image,
                              std::array<elemento, slot::numero>& elementi);

// Line plan file: tagged elements, an even number of them (x, then y, of
// every metre); `ultimo` is one less than half their count.
decode_status decode_tracciato(std::string_view image, tracciato_t& tracciato);
