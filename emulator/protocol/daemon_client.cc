#include "emulator/protocol/daemon_client.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "emulator/protocol/json_line.h"
#include "emulator/protocol/paths.h"
#include "emulator/protocol/socket_io.h"

namespace drivesim {

namespace {

class Socket {
 public:
  Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<Json::Value> AskDaemon(const Json::Value& request, int timeout_ms) {
  const std::string path = SocketPath();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

  Socket socket;
  if (socket.fd() < 0) return std::nullopt;
  SetSocketTimeouts(socket.fd(), timeout_ms);
  if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return std::nullopt;
  }
  if (!WriteAll(socket.fd(), ToJsonLine(request))) return std::nullopt;
  const auto line = ReadLine(socket.fd());
  if (!line) return std::nullopt;
  auto reply = ParseJson(*line);
  if (!reply || !reply->isObject()) return std::nullopt;
  return reply;
}

}  // namespace drivesim
