// Many threads of one process calling the bridge library at once, as the
// client's workers do; and the library facing a peer on the daemon's socket
// that answers in a shape it does not expect.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

#include "emulator/protocol/paths.h"
#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

TEST_F(BridgeTest, ConcurrentCallersAllGetAnswers) {
  const int id = sim().Attach("--password abcd --unlocked");
  Symbol symbol = OnlySymbol();
  constexpr int kThreads = 4;
  constexpr int kRounds = 25;
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      Symbol own = symbol;
      for (int i = 0; i < kRounds; ++i) {
        unsigned char status[32] = {};
        if (lib.AP_GetSecurityStatus(own.get(), 3, status) != 1 || status[1] != 0xAA) ++wrong;
        std::vector<unsigned char> data(512);
        if (lib.AP_ReadCustomData_New(own.get(), data.data(), 512) == 0) ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  const Json::Value calls = sim().Drive(id)["calls"];
  EXPECT_EQ(calls["AP_GetSecurityStatus"].asInt(), kThreads * kRounds);
  EXPECT_EQ(calls["AP_ReadCustomData_New"].asInt(), kThreads * kRounds);
}

// Answers each connection on the daemon's socket with one fixed line.
class FakeDaemon {
 public:
  FakeDaemon() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = SocketPath();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ::unlink(path.c_str());
    listening_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 4) == 0;
  }
  ~FakeDaemon() {
    ::close(fd_);
    ::unlink(SocketPath().c_str());
  }
  bool listening() const { return listening_; }

  // Runs `call` while one connection is answered with `reply`.
  int Serve(const std::string& reply, const std::function<int()>& call) {
    std::thread server([&] {
      const int client = ::accept(fd_, nullptr, nullptr);
      if (client < 0) return;
      char request[4096];
      (void)!::recv(client, request, sizeof request, 0);
      (void)!::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      ::close(client);
    });
    const int result = call();
    server.join();
    return result;
  }

 private:
  int fd_;
  bool listening_ = false;
};

TEST_F(BridgeTest, RepliesOfTheWrongShapeFailTheEntry) {
  ASSERT_EQ(sim().Run("stop").exit_code, 0);
  FakeDaemon daemon;
  ASSERT_TRUE(daemon.listening());
  Symbol symbol;
  std::strncpy(symbol.get(), "ABC", 63);
  std::vector<char> symbols(256 * 64, 0);
  char letters[26] = {}, text[64] = {}, revision[42] = {};
  unsigned short vid = 0, pid = 0;
  struct Case {
    const char* reply;
    std::function<int()> call;
    int failure;
  };
  const Case cases[] = {
      {R"({"ret": 1, "symbols": [{"a": 1}]})",
       [&] { return lib.GetUsbIdList(symbols.data(), 256); }, 0},
      {R"({"ret": 1, "letters": ["E"]})",
       [&] { return lib.JMGetDiskLetterEx(symbol.get(), letters); }, 0},
      {R"({"ret": 1, "product": {"name": "ORLU SSD"}})",
       [&] { return lib.AP_GetProductInfo(symbol.get(), text, text, text, revision); }, 0},
      {R"({"ret": 1, "vid": -1, "pid": "x"})",
       [&] { return lib.JMGetUsbId(symbol.get(), &vid, &pid); }, 0},
      {R"({"ret": "1"})", [&] { return lib.JMSafeRemoveEx(symbol.get()); }, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(daemon.Serve(std::string(c.reply) + "\n", c.call), c.failure) << c.reply;
  }
}

}  // namespace
}  // namespace drivesim::testing
