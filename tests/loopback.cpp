#include "loopback.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int Free_Loopback_Port() {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
               getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  close(fd);
  return bound ? ntohs(address.sin_port) : 0;
}

int Post_To_Loopback(int port, const std::string& body,
                     const std::multimap<std::string, std::string>& headers,
                     const std::string& method) {
  httplib::Client client("127.0.0.1", port);
  client.set_read_timeout(20, 0);
  httplib::Headers sent(headers.begin(), headers.end());
  auto result =
      method == "GET" ? client.Get("/", sent) : client.Post("/", sent, body, "application/json");
  return result ? result->status : -1;
}
