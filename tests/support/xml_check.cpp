#include "support/xml_check.h"

#include <cstdlib>

#include "support/temp_folder.h"
#include "support/tool_run.h"

std::string errori_xml(const std::vector<std::string>& files) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) {
    return "xmllint is not installed (scripts/setup.sh installs libxml2-utils)";
  }
  temp_folder d;
  std::string comando = "xmllint --noout --nonet";
  for (const std::string& f : files) comando.append(" ").append(quota(f));
  comando.append(" 2>").append(quota(d.file("err")));
  const int raw = std::system(comando.c_str());
  std::string err = read_bytes(d.file("err"));
  if (raw != 0 && err.empty()) err = "xmllint failed";
  // The first few complaints say enough.
  size_t righe = 0, fine = 0;
  while (righe < 12 && (fine = err.find('\n', fine)) != std::string::npos)
    ++righe, ++fine;
  if (fine != std::string::npos && fine < err.size()) err.resize(fine);
  return raw == 0 ? "" : err;
}
