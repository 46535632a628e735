// The live view is not built for Windows (its server library is not part of
// the cross build), so nothing here watches: starting says so.
#include "tool/platform/watch.h"

struct document_watch::state {};

document_watch::document_watch() : s_(std::make_unique<state>()) {}

document_watch::~document_watch() = default;

std::string document_watch::start(const std::vector<std::string>&) {
  return "watching the documents is not supported on this system";
}

document_watch::event document_watch::wait(int) { return event::stop; }
