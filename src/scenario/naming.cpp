#include "scenario/naming.h"

#include <filesystem>

#include "scenario/scenario_state.h"

namespace {
// The system's own: '/' on POSIX systems, '\\' on Windows.
constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
}  // namespace

std::string file_name(const std::string& linea, const std::string& treno,
                      file_kind kind) {
  switch (kind) {
    case file_kind::line_source:
      return linea + "_linea.txt";
    case file_kind::train_source:
      return linea + "_" + treno + "-.txt";
    case file_kind::notes:
      return linea + "_" + treno + "_" + "note.txt";
    case file_kind::slowdown_form:
      return linea + "_" + treno + "_" + "rallentamenti.txt";
    case file_kind::train_sheet:
      return linea + "_" + treno + "_" + "scheda_treno.txt";
    case file_kind::line_plan:
      return linea + "_linea.dat";
    case file_kind::scenario:
      return linea + "_" + treno + ".sim";
    case file_kind::track:
      return linea + "_" + treno + ".dat";
  }
  return {};
}

std::string in_folder(const std::string& cartella, const std::string& name) {
  return cartella + separator + name;
}

std::string file_path(const scenario_state& st, file_kind kind) {
  return in_folder(st.cartella, file_name(st.linea, st.treno, kind));
}
