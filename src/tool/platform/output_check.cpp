#include "tool/platform/output_check.h"

#include <algorithm>

#include "tool/platform/system.h"

namespace {

std::string_view final_name(std::string_view path) {
  const size_t cut = path.find_last_of(path_separators());
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string folder_of(const std::string& path) {
  const size_t cut = path.find_last_of(path_separators());
  if (cut == std::string::npos) return ".";
  return path.substr(0, std::max(cut, root_length(path)));
}

}  // namespace

std::string check_outputs(const std::vector<planned_output>& outputs,
                          const std::vector<read_document>& sources,
                          const output_hints& hints) {
  for (size_t i = 0; i < outputs.size(); ++i) {
    const planned_output& o = outputs[i];
    // The rename that puts an output in place replaces its entry: a link
    // there is replaced, a file there is lost.
    const file_id replaced = entry_id(o.path);
    for (const read_document& s : sources) {
      if (replaced.known && s.id.known && replaced == s.id) {
        return "the output '" + o.path + "' is the source document '" + s.path + "' (" +
               hints.elsewhere + ")";
      }
    }
    for (size_t j = 0; j < i; ++j) {
      if (same_name(outputs[j].path, o.path)) {
        return outputs[j].what + " and " + o.what + " would both be '" + o.path + "'" +
               (hints.rename.empty() ? "" : "; " + hints.rename);
      }
    }
    const size_t length = name_length(final_name(o.path));
    const size_t limit = longest_name(folder_of(o.path));
    if (length + temporary_suffix_length > limit) {
      return o.what + " '" + o.path + "' has a name of " + std::to_string(length) +
             " characters; it is written under a name " +
             std::to_string(temporary_suffix_length) +
             " longer, and the system takes names of at most " + std::to_string(limit);
    }
  }
  return "";
}
