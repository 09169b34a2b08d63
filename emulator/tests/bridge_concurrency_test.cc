// Many threads of one process calling the bridge library at once, as the
// client's workers do.
#include <atomic>
#include <thread>

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

}  // namespace
}  // namespace drivesim::testing
