// The live page's server: the report page at "/" and its updates as
// server-sent events at "/events", on the loopback address only.
//
// It answers nothing else: a request whose Host is not the address it
// listens on (127.0.0.1 or localhost with its port) is refused, which
// defeats DNS rebinding, as is one that comes from a page of another origin;
// other paths are not found, other methods not allowed; nothing is served
// from the file system.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The paths served.
inline constexpr std::string_view page_path = "/";
inline constexpr std::string_view events_path = "/events";

// What the server answers a request before looking at what it asks for: 0
// to serve it, or the refusing status (403 a foreign Host or Origin, 404 a
// path not served, 405 a method other than GET and HEAD). `origin` is ""
// when the request has none.
int request_refusal(std::string_view method, std::string_view path, std::string_view host,
                    std::string_view origin, int port);

// One update as the page's script reads it: a JSON object with the
// `versione` of the update, the `problema` ("" when the documents could be
// read) and, when the page is newer than `pagina_mostrata`, the `pagina`
// itself.
std::string update_event(uint64_t versione, uint64_t versione_pagina,
                         const std::string& pagina, const std::string& problema,
                         uint64_t pagina_mostrata);

class live_server {
 public:
  live_server();
  ~live_server();  // stops it
  live_server(const live_server&) = delete;
  live_server& operator=(const live_server&) = delete;

  // What the page shows: the page of version `versione_pagina` and why the
  // documents cannot be read now (""). Every page open is sent it.
  void publish(uint64_t versione_pagina, std::string pagina, std::string problema);

  // Listens on 127.0.0.1 at `port` (0: a free one) and serves from another
  // thread. Returns "" or the failure to show.
  std::string start(int port);
  int port() const;

  // Closes the event streams and stops listening.
  void stop();

 private:
  struct state;
  std::unique_ptr<state> s_;
};
