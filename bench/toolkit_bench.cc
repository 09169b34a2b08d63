// Toolkit figures: loading a layout from an embedded-style archive, drawing a
// page, and hit testing.
#include <benchmark/benchmark.h>

#include <string>

#include "toolkit/tests/skin_fixture.h"
#include "toolkit/ui.h"

namespace {

using toolkit::testing::ToBytes;

// A main-window-sized layout: a title bar and a tab of pages full of controls.
std::string PageXml(int page) {
  std::string xml = "<Window><VerticalLayout name=\"page" + std::to_string(page) +
                    "\" inset=\"40,20,40,20\" childpadding=\"8\">";
  for (int i = 0; i < 12; ++i) {
    std::string n = std::to_string(page) + "_" + std::to_string(i);
    xml +=
        "<HorizontalLayout height=\"32\" childpadding=\"10\">"
        "<Label name=\"l" +
        n + "\" width=\"200\" text=\"Label number " + n + "\" font=\"0\"/><Edit name=\"e" + n +
        "\" prompttext=\"Type here\" bordersize=\"1\""
        " bordercolor=\"#FF888888\"/><Button name=\"b" +
        n +
        "\" width=\"90\" text=\"Confirm\" bkcolor=\"#FF2266CC\" textcolor=\"#FFFFFFFF\""
        " borderround=\"8,8\"/></HorizontalLayout>";
  }
  return xml + "</VerticalLayout></Window>";
}

toolkit::testing::Bytes& Skin() {
  static toolkit::testing::Bytes zip = [] {
    std::map<std::string, toolkit::testing::Bytes> files;
    std::string main =
        "<Window size=\"800,600\" caption=\"0,0,0,80\"><Font id=\"0\" name=\"Inter\" size=\"14\"/>"
        "<VerticalLayout bkcolor=\"#FFF4F6F8\"><HorizontalLayout height=\"80\" "
        "bkcolor=\"#FF10202A\"><Label text=\"Title\" textcolor=\"#FFFFFFFF\"/>"
        "<Button name=\"minbtn\" width=\"40\"/><Button name=\"closebtn\" width=\"40\"/>"
        "</HorizontalLayout><TabLayout name=\"TabMain\">";
    for (int p = 0; p < 23; ++p) {
      std::string name = "pages/p" + std::to_string(p) + ".xml";
      files[name] = ToBytes(PageXml(p));
      main += "<Include source=\"" + name + "\"/>";
    }
    main += "</TabLayout></VerticalLayout></Window>";
    files["main.xml"] = ToBytes(main);
    return toolkit::testing::MakeZip(files);
  }();
  return zip;
}

void BM_LoadMainLayout(benchmark::State& state) {
  ui::CPaintManagerUI::SetResourceZip(Skin().data(), Skin().size());
  for (auto _ : state) {
    ui::CPaintManagerUI pm;
    ui::CDialogBuilder builder;
    pm.AttachDialog(builder.Create(u"main.xml", &pm));
    benchmark::DoNotOptimize(pm.GetRoot());
  }
}
BENCHMARK(BM_LoadMainLayout)->Unit(benchmark::kMillisecond);

void BM_DrawPage(benchmark::State& state) {
  ui::CPaintManagerUI::SetResourceZip(Skin().data(), Skin().size());
  ui::CPaintManagerUI pm;
  ui::CDialogBuilder builder;
  pm.AttachDialog(builder.Create(u"main.xml", &pm));
  pm.SetClientSize({800, 600});
  for (auto _ : state) {
    pm.Invalidate();
    benchmark::DoNotOptimize(pm.Render());
  }
}
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMillisecond);

void BM_HitTest(benchmark::State& state) {
  ui::CPaintManagerUI::SetResourceZip(Skin().data(), Skin().size());
  ui::CPaintManagerUI pm;
  ui::CDialogBuilder builder;
  pm.AttachDialog(builder.Create(u"main.xml", &pm));
  pm.SetClientSize({800, 600});
  pm.Render();
  int i = 0;
  for (auto _ : state) {
    ui::POINT pt{(i * 37) % 800, (i * 53) % 600};
    benchmark::DoNotOptimize(pm.FindControl(pt));
    ++i;
  }
}
BENCHMARK(BM_HitTest);

void BM_FindControlByName(benchmark::State& state) {
  ui::CPaintManagerUI::SetResourceZip(Skin().data(), Skin().size());
  ui::CPaintManagerUI pm;
  ui::CDialogBuilder builder;
  pm.AttachDialog(builder.Create(u"main.xml", &pm));
  for (auto _ : state) benchmark::DoNotOptimize(pm.FindControl(u"b22_11"));
}
BENCHMARK(BM_FindControlByName);

}  // namespace

BENCHMARK_MAIN();
