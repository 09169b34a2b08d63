// Toolkit figures on the client's own skin, embedded in this program as in
// the client: loading main_device.xml, drawing the home page, hit testing.
#include <benchmark/benchmark.h>

#include "client/resources/skin/skin_archive.h"
#include "toolkit/ui.h"

namespace {

void UseSkin() { ui::CPaintManagerUI::SetResourceZip(SkinZipData(), SkinZipSize()); }

void Load(ui::CPaintManagerUI& pm) {
  ui::CDialogBuilder builder;
  pm.AttachDialog(builder.Create(u"main_device.xml", &pm));
  pm.SetClientSize({800, 600});
}

void BM_LoadMainDeviceLayout(benchmark::State& state) {
  UseSkin();
  for (auto _ : state) {
    ui::CPaintManagerUI pm;
    Load(pm);
    benchmark::DoNotOptimize(pm.GetRoot());
  }
}
BENCHMARK(BM_LoadMainDeviceLayout)->Unit(benchmark::kMillisecond);

void BM_DrawHomePage(benchmark::State& state) {
  UseSkin();
  ui::CPaintManagerUI pm;
  Load(pm);
  if (auto* tabs = pm.FindControl<ui::CTabLayoutUI>(u"TabMain")) tabs->SelectItem(1);
  for (auto _ : state) {
    pm.Invalidate();
    benchmark::DoNotOptimize(pm.Render());
  }
}
BENCHMARK(BM_DrawHomePage)->Unit(benchmark::kMillisecond);

void BM_HitTestMainDevice(benchmark::State& state) {
  UseSkin();
  ui::CPaintManagerUI pm;
  Load(pm);
  pm.Render();
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pm.FindControl(ui::POINT{(i * 37) % 800, (i * 53) % 600}));
    ++i;
  }
}
BENCHMARK(BM_HitTestMainDevice);

}  // namespace

BENCHMARK_MAIN();
