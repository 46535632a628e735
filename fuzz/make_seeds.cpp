// Writes the seed inputs made from the built-in documents into the folder
// given as the only argument: the line and train sources the program writes,
// joined into one input, once for each value of the build flag.
#include <cstdio>
#include <string>

#include "base/file_io.h"
#include "build_check.h"
#include "documents/documents.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  scenario_state st;
  st.cartella = build_check::make_private_folder();
  if (st.cartella.empty()) {
    std::fprintf(stderr, "make_seeds: cannot create a private folder\n");
    return 2;
  }
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  build_check::fuzz_case c;
  Status s = dati_linea(st);
  if (s.ok()) s = dati_treno(st);
  if (s.ok()) s = read_file(file_path(st, file_kind::line_source), c.line);
  if (s.ok()) s = read_file(file_path(st, file_kind::train_source), c.train);
  std::error_code ec;
  std::filesystem::remove_all(st.cartella, ec);
  for (int32_t j : {0, 1}) {
    if (!s.ok()) break;
    c.salva_linea = j;
    s = replace_file(out + "/builtin_salva_linea_" + std::to_string(j),
                     build_check::join_input(c));
  }
  if (!s.ok()) {
    std::fprintf(stderr, "make_seeds: %s\n", s.message().c_str());
    return 2;
  }
  return 0;
}
