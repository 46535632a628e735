// The names of the eight files of a run. Every name is the working folder,
// one path separator (the system's own: '/', or '\' on Windows), and pieces
// joined from the line and train identifiers and fixed suffixes. Identifiers
// go in as they stand (spaces, parentheses and dots included), and the
// separator is appended without looking at whether the folder already ends
// in one.
#pragma once

#include <string>

struct scenario_state;

enum class file_kind {
  line_source,    // line id + "_linea.txt"
  train_source,   // line id + "_" + train id + "-.txt"
  notes,          // line id + "_" + train id + "_note.txt"
  slowdown_form,  // line id + "_" + train id + "_rallentamenti.txt"
  train_sheet,    // line id + "_" + train id + "_scheda_treno.txt"
  line_plan,      // line id + "_linea.dat"
  scenario,       // line id + "_" + train id + ".sim"
  track,          // line id + "_" + train id + ".dat"
};

// The file's name without the folder.
std::string file_name(const std::string& linea, const std::string& treno, file_kind kind);

// `name` in `cartella`: the two joined by the system's separator.
std::string in_folder(const std::string& cartella, const std::string& name);

// The full path of the file in the state's folder.
std::string file_path(const scenario_state& st, file_kind kind);
