// Figures for the platform layer: message throughput, cross-thread send round
// trips, and the cost of a language-text look-up (the file is read on every
// call, and a page shows dozens of texts).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>

#include "platform/message_loop.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace {

using namespace platform;

class NullTarget : public MessageTarget {
 public:
  LRESULT HandleMessage(UINT, WPARAM wParam, LPARAM) override { return wParam + 1; }
};

void BM_PostThenRunPending(benchmark::State& state) {
  MessageLoop loop;
  NullTarget target;
  const HWND hwnd = loop.AddWindow(&target);
  const int batch = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < batch; ++i) PostMessage(hwnd, WM_USER, i, 0);
    benchmark::DoNotOptimize(loop.RunPending());
  }
  state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(BM_PostThenRunPending)->Arg(1)->Arg(100);

// A worker sends to a window whose loop runs on another thread.
void BM_CrossThreadSend(benchmark::State& state) {
  std::promise<HWND> ready;
  std::thread uiThread([&] {
    MessageLoop loop;
    NullTarget target;
    ready.set_value(loop.AddWindow(&target));
    loop.Run();
  });
  const HWND hwnd = ready.get_future().get();
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hwnd, WM_USER, 1, 0));
  PostMessage(hwnd, WM_QUIT, 0, 0);
  uiThread.join();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CrossThreadSend)->UseRealTime();

// A language file of 109 keys with texts of some length.
std::string WriteLanguageFile() {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("orlu-bench-" + std::to_string(::getpid()) + ".ini"))
                               .string();
  std::ofstream out(path, std::ios::binary);
  out << "\xEF\xBB\xBF[Fields]\r\n";
  for (int i = 0; i < 109; ++i)
    out << "Key_Number_" << i << "=" << std::string(60, 'a' + i % 26) << "\r\n";
  return path;
}

void BM_LanguageTextLookup(benchmark::State& state) {
  const std::string path = WriteLanguageFile();
  int i = 0;
  for (auto _ : state) {
    auto text =
        GetPrivateProfileString("Fields", "Key_Number_" + std::to_string(i++ % 109), "", path);
    benchmark::DoNotOptimize(text);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_LanguageTextLookup);

void BM_Utf8ToUtf16(benchmark::State& state) {
  std::string text;
  while (text.size() < 1024) text += "Passw\xC3\xB6rter \xE5\xAE\x89\xE5\x85\xA8 ";
  for (auto _ : state) benchmark::DoNotOptimize(Utf8ToUtf16(text));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToUtf16);

}  // namespace

BENCHMARK_MAIN();
