// The live page's documents: read again when they may have changed, built
// in memory as `report` builds them, and the page made again from what was
// built. A document that cannot be read leaves the last page as it was, with
// the reason beside it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tool/session/options.h"

struct costruzione_in_memoria;

class live_session {
 public:
  live_session();
  ~live_session();

  // The documents and the options that shape their findings. Returns "" or
  // the usage error to show (an identifier, a -W name).
  std::string prepare(const opzioni_build& lettura);

  enum class outcome {
    same,        // the documents hold what they held at the last build
    rebuilt,     // built again; page() is the new page
    unreadable,  // a document could not be read: problem() says why
    readable,    // they can be read again and hold what the page shows
  };
  // Reads both documents; when they differ from those of the last build (or
  // there was none), builds them and makes the page of version `versione`.
  outcome refresh(uint64_t versione);

  const std::string& page() const { return pagina_; }
  uint64_t page_version() const { return versione_pagina_; }
  // Why the documents could not be read at the last refresh; "" when they
  // could.
  const std::string& problem() const { return problema_; }
  // The last build, and the documents as it read them, for its findings.
  const costruzione_in_memoria& build() const { return *costruzione_; }
  const opzioni_build& reading() const { return lettura_; }

 private:
  opzioni_build lettura_;
  std::unique_ptr<costruzione_in_memoria> costruzione_;  // none before the first
  std::string pagina_;
  uint64_t versione_pagina_ = 0;
  std::string problema_;
};
