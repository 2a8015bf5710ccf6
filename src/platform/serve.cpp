// The loopback HTTP server, the same on both systems: cpp-httplib speaks
// HTTP and holds the sockets (Winsock on Windows); the system's own files
// only hand it Ctrl+C, which sets a flag that the server looks at.
#if defined(_WIN32) && !defined(_WIN32_WINNT)
#define _WIN32_WINNT 0x0601  // Windows 7 and later, as windows_internal.h: httplib needs WSAPoll
#endif
#include <httplib.h>

#include <atomic>

#include "platform/failure.h"
#include "platform/platform.h"

namespace {

const time_t IDLE_US = 100000;        // how often the server looks whether it was asked to stop
std::atomic<bool> STOP_ASKED{false};  // Ctrl+C came: set in a signal handler, lock-free

void Ask_Stop() {
  STOP_ASKED = true;
}

// One worker, so that requests are answered in turn and two receipts of one
// problem never write at once. Whenever no request has come for a tenth of
// a second, the server's own thread stops it if Ctrl+C asked; a request at
// hand is answered first.
struct Worker : httplib::ThreadPool {
  explicit Worker(httplib::Server& server) : httplib::ThreadPool(1), server(server) {}
  void on_idle() override {
    if (STOP_ASKED && server.is_running()) server.stop();
  }
  httplib::Server& server;
};

Http_Request Request_Of(const httplib::Request& req, bool too_large) {
  Http_Request request;
  request.method = req.method;
  request.host = req.get_header_value("Host");
  request.origin = req.get_header_value("Origin");
  request.body = too_large ? "" : req.body;
  request.too_large = too_large;
  return request;
}

void Reply(httplib::Response& res, const Http_Answer& answer) {
  res.status = answer.status;
  res.set_content(answer.body, "text/plain; charset=utf-8");
}

}  // namespace

bool Serve_Loopback(int port, size_t most, const std::function<void()>& ready,
                    const std::function<Http_Answer(const Http_Request&)>& answer,
                    std::string* err) {
  httplib::Server server;
  server.new_task_queue = [&server] { return new Worker(server); };
  server.set_idle_interval(0, IDLE_US);
  // The port is ours alone: a second receiver must fail, not share it (httplib
  // would set SO_REUSEPORT). SO_REUSEADDR on POSIX lets a new receiver take the
  // port at once after an old one ended; on Windows it would let another
  // program take it over, so there the port is held exclusively.
  server.set_socket_options([](socket_t sock) {
    int yes = 1;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
               sizeof yes);
#else
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
  });
  server.set_payload_max_length(most);
  server.Post(".*", [&](const httplib::Request& req, httplib::Response& res) {
    Reply(res, answer(Request_Of(req, false)));
  });
  // Every other request, and a body over the limit, which httplib refuses
  // before any handler sees it; not a POST already answered.
  server.set_error_handler([&](const httplib::Request& req, httplib::Response& res) {
    if (res.body.empty()) Reply(res, answer(Request_Of(req, res.status == 413)));
  });
  // A numeric address: no name service is asked, which a static program must not load.
  if (!server.bind_to_port("127.0.0.1", port, AI_NUMERICHOST | AI_PASSIVE))
    return Fail(err, FAILURE_BUSY);
  STOP_ASKED = false;
  On_Interrupt(Ask_Stop);
  ready();
  bool served = server.listen_after_bind();
  On_Interrupt(nullptr);
  return served || Fail(err, FAILURE_OTHER);
}
