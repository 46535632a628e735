#include "tool/serve/live_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

namespace {

constexpr const char* loopback = "127.0.0.1";
// Event streams open at once: each holds one of the server's threads, and
// some must stay free for the page itself.
constexpr int most_streams = 16;
constexpr int threads = 24;
// A stream with nothing to send says it is still there this often, so that
// a browser gone away is noticed.
constexpr auto keep_alive = std::chrono::seconds(15);

bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// 127.0.0.1 or localhost, with the port unless it is HTTP's own.
bool own_host(std::string_view host, int port) {
  const std::string number = std::to_string(port);
  for (std::string_view name : {"127.0.0.1", "localhost"}) {
    if (host.size() < name.size() || !same_text(host.substr(0, name.size()), name))
      continue;
    const std::string_view rest = host.substr(name.size());
    if (rest.empty() ? port == 80 : rest[0] == ':' && rest.substr(1) == number)
      return true;
  }
  return false;
}

}  // namespace

int request_refusal(std::string_view method, std::string_view path, std::string_view host,
                    std::string_view origin, int port) {
  if (!own_host(host, port)) return 403;
  // A page of another origin (or of none, "null") has no business here.
  if (!origin.empty()) {
    constexpr std::string_view scheme = "http://";
    if (origin.substr(0, scheme.size()) != scheme ||
        !own_host(origin.substr(scheme.size()), port))
      return 403;
  }
  if (path != page_path && path != events_path) return 404;
  if (method != "GET" && method != "HEAD") return 405;
  return 0;
}

std::string update_event(uint64_t versione, uint64_t versione_pagina,
                         const std::string& pagina, const std::string& problema,
                         uint64_t pagina_mostrata) {
  nlohmann::json j = {{"versione", versione}, {"problema", problema}};
  if (versione_pagina != pagina_mostrata) {
    j["versione_pagina"] = versione_pagina;
    j["pagina"] = pagina;
  }
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

struct live_server::state {
  httplib::Server http;
  std::thread thread;
  std::atomic<bool> listening_ended{false};
  int port = 0;

  std::mutex m;
  std::condition_variable changed;
  uint64_t versione = 0;  // of the last update published
  uint64_t versione_pagina = 0;
  std::shared_ptr<const std::string> pagina = std::make_shared<std::string>();
  std::string problema;
  bool stopping = false;
  std::atomic<int> streams{0};

  // What one event stream has sent.
  struct stream {
    uint64_t versione = 0;
    uint64_t pagina_mostrata = 0;
    bool first = true;
  };

  void serve_page(httplib::Response& res) {
    std::shared_ptr<const std::string> p;
    {
      std::lock_guard lock(m);
      p = pagina;
    }
    // The page fetches nothing: only its own inline script and style, and
    // its own events.
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; script-src 'unsafe-inline'; style-src "
                   "'unsafe-inline'; connect-src 'self'; img-src data:; base-uri 'none'; "
                   "form-action 'none'; frame-ancestors 'none'");
    res.set_content(*p, "text/html; charset=utf-8");
  }

  void serve_events(const httplib::Request& req, httplib::Response& res) {
    if (++streams > most_streams) {
      --streams;
      res.status = 503;
      res.set_content("too many pages open\n", "text/plain; charset=utf-8");
      return;
    }
    auto s = std::make_shared<stream>();
    // The version of the page that asks, so that it is sent no copy of it.
    try {
      s->pagina_mostrata = std::stoull(req.get_param_value("v"));
    } catch (const std::exception&) {
      s->pagina_mostrata = 0;
    }
    res.set_chunked_content_provider(
        "text/event-stream",
        [this, s](size_t, httplib::DataSink& sink) {
          std::unique_lock lock(m);
          changed.wait_for(lock, s->first ? std::chrono::seconds(0) : keep_alive,
                           [&] { return stopping || versione > s->versione; });
          if (stopping) return false;
          std::string out;
          if (s->first) out = "retry: 1000\n\n";  // reconnect soon after a break
          s->first = false;
          if (versione > s->versione) {
            const std::shared_ptr<const std::string> p = pagina;
            const uint64_t v = versione, vp = versione_pagina;
            const std::string problem = problema;
            lock.unlock();
            out += "event: update\ndata: " +
                   update_event(v, vp, *p, problem, s->pagina_mostrata) + "\n\n";
            s->versione = v;
            s->pagina_mostrata = vp;
          } else if (out.empty()) {
            lock.unlock();
            out = ": still here\n\n";
          } else {
            lock.unlock();
          }
          return sink.write(out.data(), out.size());
        },
        [this](bool) { --streams; });
  }
};

live_server::live_server() : s_(std::make_unique<state>()) {
  httplib::Server& http = s_->http;
  http.new_task_queue = [] { return new httplib::ThreadPool(threads); };
  // Not SO_REUSEPORT, the library's choice on Linux: another program could
  // then listen on the same port and take some of the connections.
  http.set_socket_options([](socket_t sock) {
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  http.set_keep_alive_timeout(1);
  http.set_payload_max_length(1 << 16);
  http.set_default_headers({{"Cache-Control", "no-store"},
                            {"X-Content-Type-Options", "nosniff"},
                            {"Referrer-Policy", "no-referrer"}});
  http.set_pre_routing_handler(
      [this](const httplib::Request& req, httplib::Response& res) {
        const int refusal =
            request_refusal(req.method, req.path, req.get_header_value("Host"),
                            req.get_header_value("Origin"), s_->port);
        if (refusal == 0) return httplib::Server::HandlerResponse::Unhandled;
        res.status = refusal;
        if (refusal == 405) res.set_header("Allow", "GET, HEAD");
        // What was sent with it is not read: the connection ends with the answer.
        res.set_header("Connection", "close");
        res.set_content(refusal == 403   ? "forbidden\n"
                        : refusal == 404 ? "not found\n"
                                         : "method not allowed\n",
                        "text/plain; charset=utf-8");
        return httplib::Server::HandlerResponse::Handled;
      });
  http.Get(
      std::string(page_path),
      [this](const httplib::Request&, httplib::Response& res) { s_->serve_page(res); });
  http.Get(std::string(events_path),
           [this](const httplib::Request& req, httplib::Response& res) {
             s_->serve_events(req, res);
           });
}

live_server::~live_server() { stop(); }

void live_server::publish(uint64_t versione_pagina, std::string pagina,
                          std::string problema) {
  {
    std::lock_guard lock(s_->m);
    ++s_->versione;
    if (versione_pagina != s_->versione_pagina) {
      s_->versione_pagina = versione_pagina;
      s_->pagina = std::make_shared<const std::string>(std::move(pagina));
    }
    s_->problema = std::move(problema);
  }
  s_->changed.notify_all();
}

std::string live_server::start(int port) {
  const int p = port == 0 ? s_->http.bind_to_any_port(loopback)
                : s_->http.bind_to_port(loopback, port) ? port
                                                        : -1;
  if (p <= 0) {
    return "cannot listen on " + std::string(loopback) + ":" + std::to_string(port) +
           (port == 0 ? "" : " (is the port taken?)");
  }
  s_->port = p;
  s_->thread = std::thread([this] {
    s_->http.listen_after_bind();
    s_->listening_ended = true;
  });
  return "";
}

int live_server::port() const { return s_->port; }

void live_server::stop() {
  {
    std::lock_guard lock(s_->m);
    s_->stopping = true;
  }
  s_->changed.notify_all();
  if (!s_->thread.joinable()) return;
  // The thread may not have begun to listen yet: stop() only stops a server
  // that runs.
  while (!s_->listening_ended) {
    if (s_->http.is_running()) {
      s_->http.stop();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  s_->thread.join();
}
