// One listing round of one emulated drive, through the bridge library and the
// emulator daemon: what the client and the service do on every refresh.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "emulator/testing/bridge_library.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

void BM_ListingRound(benchmark::State& state) {
  drivesim::testing::DriveSim sim;
  sim.Attach("--password abcd");
  drivesim::testing::BridgeLibrary lib(drivesim::testing::DriveSim::LibraryPath());
  if (!lib.ok()) {
    state.SkipWithError("cannot load the bridge library");
    return;
  }
  std::vector<char> symbols(256 * 64);
  for (auto _ : state) {
    std::memset(symbols.data(), 0, 256);
    const int count = lib.GetUsbIdList(symbols.data(), 256);
    for (int i = 0; i < count; ++i) {
      char sym[64] = {};
      std::memcpy(sym, symbols.data() + i * 64, 63);
      char letters[26] = {};
      lib.JMGetDiskLetterEx(sym, letters);
      char vendor[64] = {}, product[64] = {}, serial[64] = {}, revision[42] = {};
      lib.AP_GetProductInfo(sym, vendor, product, serial, revision);
      unsigned char status[32] = {};
      benchmark::DoNotOptimize(lib.AP_GetSecurityStatus(sym, 3, status));
    }
    if (count != 1) {
      state.SkipWithError("the drive was not listed");
      break;
    }
  }
}
BENCHMARK(BM_ListingRound)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
