// Writes the decoders' seed inputs made from the built-in scenario (see
// decoder_seeds.h) into the folder given as the only argument.
#include <cstdio>
#include <string>

#include "decoder_seeds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
    return 2;
  }
  scenario_state st;
  if (const std::string e = decoder_seeds::costruisci(st); !e.empty()) {
    std::fprintf(stderr, "make_decoder_seeds: %s\n", e.c_str());
    return 2;
  }
  for (const decoder_seeds::seme& s : decoder_seeds::semi(st)) {
    const Status w =
        replace_file(std::string(argv[1]) + "/" + s.nome, decoder_check::join_input(s.c));
    if (!w.ok()) {
      std::fprintf(stderr, "make_decoder_seeds: %s\n", w.message().c_str());
      return 2;
    }
  }
  return 0;
}
