// toolkit-demo SKIN.zip LAYOUT.xml [OUT.png [TABLAYOUT INDEX]]
// Shows a layout of a skin archive in a window (or, with OUT.png, draws it
// into that file and exits, after selecting page INDEX of TABLAYOUT if given).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/message_loop.h"
#include "toolkit/ui.h"

namespace {

class DemoWindow : public ui::WindowImplBase {
 public:
  explicit DemoWindow(std::string layout) : layout_(std::move(layout)) {}
  ui::CDuiString GetWindowClassName() const override { return u"ToolkitDemo"; }
  ui::CDuiString GetSkinFile() override { return ui::CDuiString(layout_); }
  void OnFinalMessage(ui::HWND) override { platform::PostQuitMessage(0); }

 private:
  std::string layout_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: toolkit-demo SKIN.zip LAYOUT.xml [OUT.png]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<unsigned char> zip((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  if (!ui::CPaintManagerUI::SetResourceZip(zip.data(), zip.size())) {
    std::fprintf(stderr, "toolkit-demo: %s is not a zip archive\n", argv[1]);
    return 1;
  }
  platform::MessageLoop loop;
  DemoWindow window(argv[2]);
  if (!window.Create(0, u"Toolkit demo", 0, 0)) return 1;
  window.CenterWindow();
  if (argc > 5) {
    auto* tab = window.GetPaintManager()->FindControl<ui::CTabLayoutUI>(ui::CDuiString(argv[4]));
    if (!tab || !tab->SelectItem(std::atoi(argv[5]))) {
      std::fprintf(stderr, "toolkit-demo: no page %s of %s\n", argv[5], argv[4]);
      return 1;
    }
  }
  if (argc > 3) {
    bool ok = toolkit::WritePng(window, argv[3]);
    std::printf("%s %s\n", ok ? "wrote" : "failed to write", argv[3]);
    return ok ? 0 : 1;
  }
  window.ShowWindow(true);
  return loop.Run();
}
