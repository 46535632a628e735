#include "tool/platform/json_output.h"

namespace {

std::string compatto(const json& j) {
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

std::string testo_json(const json& j) {
  if (!j.is_object() || j.empty()) return compatto(j) + "\n";
  std::string out = "{";
  bool primo = true;
  for (const auto& [chiave, valore] : j.items()) {
    out += primo ? "\n  " : ",\n  ";
    primo = false;
    out += compatto(json(chiave)) + ": ";
    if (!valore.is_array() || valore.empty() || !valore.front().is_structured()) {
      out += compatto(valore);
      continue;
    }
    out += "[";
    for (size_t i = 0; i < valore.size(); ++i) {
      out += i == 0 ? "\n    " : ",\n    ";
      out += compatto(valore[i]);
    }
    out += "\n  ]";
  }
  return out + "\n}\n";
}
