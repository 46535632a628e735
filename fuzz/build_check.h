// One fuzz case of the build: an input split into a line source and a train
// source, the whole build run on them in a private folder, and the checks
// that must hold whatever the documents say. Shared by the fuzzer and by the
// test that replays the kept cases, so both assert exactly the same.
//
// Input layout: byte 0 holds the options, the rest is the line source up to
// the first NUL byte and the train source after it (an empty train source
// when there is no NUL).
//   bit 0 of byte 0: the build flag salva_linea (1 or 0);
//   bits 1-3: 7 = no line source on disk, 6 = no train source, else both.
// So '0' and '1' give both documents, '>' and '?' drop the line source,
// '<' and '=' drop the train source.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "documents/documents.h"
#include "format/decode.h"
#include "format/layout.h"
#include "run/errore.h"
#include "run/source_files.h"
#include "scenario/codici.h"
#include "scenario/naming.h"
#include "scenario/scenario_state.h"
#include "track/memorizza_percorso.h"

namespace build_check {

struct fuzz_case {
  int32_t salva_linea = 0;
  bool line_present = true;
  bool train_present = true;
  std::string line;
  std::string train;
};

inline fuzz_case split_input(const uint8_t* data, size_t size) {
  fuzz_case c;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const uint8_t options = size > 0 ? data[0] : 0;
  c.salva_linea = options & 1;
  const int mode = (options >> 1) & 7;
  c.line_present = mode != 7;
  c.train_present = mode != 6;
  const std::string_view rest = size > 0 ? in.substr(1) : in;
  const size_t nul = rest.find('\0');
  c.line = std::string(rest.substr(0, nul));
  if (nul != std::string_view::npos) c.train = std::string(rest.substr(nul + 1));
  return c;
}

// The inverse of split_input, for writing seeds.
inline std::string join_input(const fuzz_case& c) {
  int mode = !c.line_present ? 7 : !c.train_present ? 6 : 0;
  std::string out(1, static_cast<char>('0' | (mode << 1) | (c.salva_linea & 1)));
  out += c.line;
  out += '\0';
  out += c.train;
  return out;
}

// A private folder for the cases, on /dev/shm where there is one: a route of
// 1,000,000 m writes a line plan file of about 20 MB on every run.
inline std::string make_private_folder() {
  namespace fs = std::filesystem;
  std::string base;
  if (const char* dir = std::getenv("SCENARIO_FUZZ_DIR"); dir != nullptr && *dir) {
    base = dir;
  } else if (std::error_code ec;
             fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0) {
    base = "/dev/shm";
  } else {
    base = fs::temp_directory_path().string();
  }
  std::string pattern = base + "/scenario-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

namespace detail {

// Reader status codes after which the line half stopped early and the
// train source stays on disk unread.
inline bool line_half_stopped(int32_t code) {
  return codice::in(codice::fine_nella_linea, code);
}

inline bool listed_code(int32_t code) { return codice::in(codice::tutti, code); }

// Empties the folder of everything a case left in it.
inline void clear_folder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    fs::remove_all(entry.path(), ec);
  }
}

inline void write_whole(const std::string& path, const std::string& bytes) {
  if (!replace_file(path, bytes).ok()) std::abort();  // the harness's own folder failed
}

}  // namespace detail

struct case_result {
  std::vector<std::string> problems;  // every check that failed, one line each
  int32_t codice_errore = 0;          // the build's status code
  std::vector<std::string> messages;  // error boxes shown
  bool build_ok = false;              // the build returned no failure
};

// Runs the build on one case in `folder` (emptied first) and checks what it
// left; the case passed when `problems` is empty.
inline case_result run_case(const fuzz_case& c, const std::string& folder) {
  namespace fs = std::filesystem;
  case_result result;
  std::vector<std::string>& problems = result.problems;
  std::vector<std::string>& messages = result.messages;
  auto fail = [&](const std::string& what) { problems.push_back(what); };

  detail::clear_folder(folder);
  scenario_state st;
  st.cartella = folder;
  st.linea = identificativo_linea;
  st.treno = identificativo_treno;
  const std::string line_path = file_path(st, file_kind::line_source);
  const std::string train_path = file_path(st, file_kind::train_source);
  const std::string plan_path = file_path(st, file_kind::line_plan);
  const std::string sim_path = file_path(st, file_kind::scenario);
  const std::string track_path = file_path(st, file_kind::track);
  if (c.line_present) detail::write_whole(line_path, c.line);
  if (c.train_present) detail::write_whole(train_path, c.train);

  // The one-shot build on the documents of the folder: a numbered error
  // comes back as the outcome (the program shows it in its box).
  const esito_build e = memorizza_percorso_in_cartella(st, c.salva_linea);
  if (e.tipo == esito::errore)
    messages.push_back(messaggio_errore(std::to_string(e.numero_errore)));
  const Status& s = e.status;
  const int32_t code = st.codice_errore;
  result.codice_errore = code;
  result.build_ok = e.tipo == esito::fatto;
  const std::string status_text = "status " + std::to_string(code);

  if (!detail::listed_code(code)) fail("status code not in the list: " + status_text);
  if (!c.line_present && code != codice::linea_mancante)
    fail("missing line source must give 101, got " + status_text);
  if (c.line_present && !c.train_present && !detail::line_half_stopped(code) &&
      code != codice::errore_lettura) {
    fail("missing train source must give 25, got " + status_text);
  }

  // Which files may be there: the source documents by the reader's rules,
  // the binary files by the outcome; nothing else (no temporary file).
  std::set<std::string> allowed;
  if (file_exists(line_path))
    fail("the line source was not deleted (" + status_text + ")");
  if (c.train_present) {
    const bool kept = file_exists(train_path);
    const bool should_keep = detail::line_half_stopped(code);
    if (kept != should_keep) {
      fail(std::string("the train source was ") + (kept ? "kept" : "deleted") +
           " after " + status_text);
    }
    if (kept) allowed.insert(fs::path(train_path).filename().string());
  }

  const bool plan_exists = file_exists(plan_path);
  const bool sim_exists = file_exists(sim_path);
  const bool track_exists = file_exists(track_path);

  if (e.tipo == esito::errore) {
    // A numbered error: 1250 or 1251, and no output.
    if (e.numero_errore != 1250 && e.numero_errore != 1251)
      fail("unexpected error number " + std::to_string(e.numero_errore));
    if (plan_exists || sim_exists || track_exists)
      fail("a binary file was written after errore");
  } else if (e.tipo == esito::guasto) {
    // The only failure left: no track was read, so nothing is written.
    if (st.percorso_creato()) fail("build failed with a track: " + s.message());
    if (plan_exists || sim_exists || track_exists)
      fail("a binary file was written without a track");
  } else {
    if (!st.percorso_creato()) fail("build succeeded without a track");
    if (st.percorso.size() != static_cast<size_t>(st.numero_celle) + 1) {
      fail("the track holds " + std::to_string(st.percorso.size()) +
           " cells, numero_celle is " + std::to_string(st.numero_celle));
    }
    allowed.insert(fs::path(sim_path).filename().string());
    allowed.insert(fs::path(track_path).filename().string());

    // Track file: one record per cell, cell 1 stamped 5121.
    std::string bytes;
    std::vector<cella> percorso;
    if (!track_exists || !read_file(track_path, bytes).ok()) {
      fail("no track file");
    } else if (bytes.size() !=
               dimensione_cella * (static_cast<size_t>(st.numero_celle) + 1)) {
      fail("track file of " + std::to_string(bytes.size()) + " bytes for " +
           std::to_string(st.numero_celle + 1) + " cells");
    } else if (const decode_status d = decode_percorso(bytes, percorso); !d.ok) {
      fail(d.message);
    } else if (percorso.size() < 2 || percorso[1].dato_a != 5121) {
      fail("track file without the 5121 stamp in cell 1");
    }

    // Scenario file: the slots, their fixed parts plus their names.
    size_t names = 0;
    for (const elemento& e : st.elementi) names += e.nome.size();
    const size_t fixed = numero_slot * dimensione_fissa_slot;
    std::array<elemento, slot::numero> elementi;
    if (!sim_exists || !read_file(sim_path, bytes).ok()) {
      fail("no scenario file");
    } else if (bytes.size() != fixed + names) {
      fail("scenario file of " + std::to_string(bytes.size()) + " bytes, expected " +
           std::to_string(fixed + names));
    } else if (const decode_status d = decode_elementi(bytes, elementi); !d.ok) {
      // Also where the records do not end at the file's end.
      fail(d.message);
    } else {
      // Slot 0 is never filled: all zero, its name empty.
      if (elementi[0] != elemento{}) fail("scenario file: slot 0 is not empty");
      for (size_t k = 0; k < elementi.size(); ++k) {
        if (elementi[k].nome != st.elementi[k].nome) {
          fail("scenario file: name of slot " + std::to_string(k) + " differs");
          break;
        }
      }
    }

    // Line plan file: exactly when asked for; 2 x (lunghezza_tracciato + 1)
    // tagged elements, each tag 0, 2 or 5 with its value, nothing after.
    if (c.salva_linea == 0) {
      if (plan_exists) fail("a line plan file was written with salva_linea 0");
    } else if (!plan_exists || !read_file(plan_path, bytes).ok()) {
      fail("no line plan file");
    } else {
      allowed.insert(fs::path(plan_path).filename().string());
      const size_t expected = 2 * (static_cast<size_t>(st.lunghezza_tracciato) + 1);
      tracciato_t tracciato;
      if (const decode_status d = decode_tracciato(bytes, tracciato); !d.ok) {
        // An unknown tag, an element cut short or an odd count.
        fail(d.message);
      } else if (tracciato.tipo.size() != expected) {
        fail("line plan file of " + std::to_string(tracciato.tipo.size()) +
             " elements, expected " + std::to_string(expected));
      }
    }
  }

  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (allowed.count(name) == 0) fail("unexpected file left in the folder: " + name);
  }
  return result;
}

}  // namespace build_check
