// Drive access through the real bridge library and the emulated drive:
// a listing with one and with two drives, one custom-data load and save, and
// one fingerprint command round trip.
#include <benchmark/benchmark.h>

#include <memory>

#include "client/fingerprint/custom_data_block.h"
#include "client/fingerprint/fp_channel.h"
#include "common/bridge/bridge_api.h"
#include "emulator/testing/drivesim_fixture.h"

namespace {

drivesim::testing::DriveSim* g_sim = nullptr;
int g_attached = 0;

void AttachUpTo(int drives) {
  while (g_attached < drives) {
    g_sim->Attach("--letter " + std::string(1, static_cast<char>('E' + g_attached)));
    ++g_attached;
  }
}

std::unique_ptr<BridgeApi> BoundBridge(benchmark::State& state) {
  auto bridge = std::make_unique<BridgeApi>();
  if (!bridge->BindBridgeLibrary()) state.SkipWithError("no bridge library");
  std::vector<std::unique_ptr<DriveRecord>> records;
  bridge->ListProductDrives(records);
  return bridge;
}

void BM_ListProductDrives(benchmark::State& state) {
  AttachUpTo(static_cast<int>(state.range(0)));
  auto bridge = BoundBridge(state);
  for (auto _ : state) {
    std::vector<std::unique_ptr<DriveRecord>> records;
    bridge->ListProductDrives(records);
    if (records.size() != static_cast<std::size_t>(state.range(0))) {
      state.SkipWithError("unexpected drive count");
      break;
    }
    benchmark::DoNotOptimize(records);
  }
}
BENCHMARK(BM_ListProductDrives)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_CustomDataLoadAndSave(benchmark::State& state) {
  AttachUpTo(1);
  auto bridge = BoundBridge(state);
  BridgeApi::SymbolBuffer symbol;
  bridge->CopySymbol(0, symbol);
  for (auto _ : state) {
    std::uint8_t buffer[kCustomDataSize];
    UserConfig view;
    if (!LoadUserConfig(symbol, &view, buffer) || SaveUserConfig(symbol, &view) != 0) {
      state.SkipWithError("custom data failed");
      break;
    }
  }
}
BENCHMARK(BM_CustomDataLoadAndSave)->Unit(benchmark::kMicrosecond);

void BM_FingerprintCommand(benchmark::State& state) {
  AttachUpTo(1);
  auto bridge = BoundBridge(state);
  BridgeApi::SymbolBuffer symbol;
  bridge->CopySymbol(0, symbol);
  for (auto _ : state) {
    std::uint16_t value = 0;
    int result = FingerPrintCommand(symbol, FP_CMD_GET_AVAILABLE_ID, 0, true, &value, nullptr);
    if (result != 0) {
      state.SkipWithError("sensor command failed");
      break;
    }
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_FingerprintCommand)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  drivesim::testing::DriveSim sim;
  g_sim = &sim;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
