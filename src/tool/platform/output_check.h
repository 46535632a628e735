// Before a command writes its first byte, every file it is about to write is
// checked against the documents it read and against the other files it
// writes: an author's document is never replaced, two outputs never take one
// name, and every name leaves room for the temporary name it is written
// under. Either all of this holds or nothing is written.
#pragma once

#include <string>
#include <vector>

#include "base/file_io.h"

// A document the command read, as it was found when read: through links,
// and behind a descriptor such as /dev/stdin.
struct read_document {
  std::string path;  // as typed
  file_id id;
};

// A file the command is about to write.
struct planned_output {
  std::string what;  // "the track file"
  std::string path;
};

// What to tell the author where an output cannot be written.
struct output_hints {
  std::string elsewhere;  // "write elsewhere with -o DIR"
  std::string rename;     // "give the train another identifier with --train NAME"
};

// "" when the outputs may be written, or the one line that says why not.
std::string check_outputs(const std::vector<planned_output>& outputs,
                          const std::vector<read_document>& sources,
                          const output_hints& hints);
