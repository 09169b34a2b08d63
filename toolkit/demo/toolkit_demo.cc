// toolkit-demo SKIN.zip LAYOUT.xml [OUT.png [TABLAYOUT INDEX]]
// toolkit-demo SKIN.zip LAYOUT.xml --popup POPUP.xml
// Shows a layout of a skin archive in a window (or, with OUT.png, draws it
// into that file and exits, after selecting page INDEX of TABLAYOUT if given).
// With --popup, a click on any button other than the title bar's opens
// POPUP.xml as a modal pop-up that any of its buttons closes; the choice is
// printed.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/message_loop.h"
#include "toolkit/ui.h"

namespace {

class PopupWindow : public ui::WindowImplBase {
 public:
  explicit PopupWindow(std::string layout) : layout_(std::move(layout)) {}
  ui::CDuiString GetWindowClassName() const override { return u"ToolkitDemoPopup"; }
  ui::CDuiString GetSkinFile() override { return ui::CDuiString(layout_); }
  void Notify(ui::TNotifyUI& msg) override {
    if (msg.sType == ui::kNotifyClick) {
      std::printf("pop-up: %s\n", msg.pSender->GetName().ToUtf8().c_str());
      Close(1);
    }
  }
  void OnFinalMessage(ui::HWND) override { delete this; }

 private:
  std::string layout_;
};

class DemoWindow : public ui::WindowImplBase {
 public:
  DemoWindow(std::string layout, std::string popup)
      : layout_(std::move(layout)), popup_(std::move(popup)) {}
  ui::CDuiString GetWindowClassName() const override { return u"ToolkitDemo"; }
  ui::CDuiString GetSkinFile() override { return ui::CDuiString(layout_); }
  void OnFinalMessage(ui::HWND) override { platform::PostQuitMessage(0); }
  void Notify(ui::TNotifyUI& msg) override {
    const ui::CDuiString& name = msg.pSender ? msg.pSender->GetName() : ui::CDuiString();
    if (msg.sType == ui::kNotifyClick && !popup_.empty() && name != u"closebtn" &&
        name != u"minbtn") {
      auto* popup = new PopupWindow(popup_);
      if (popup->Create(GetHWND(), u"Pop-up", 0, 0)) {
        popup->CenterWindow();
        std::printf("pop-up returned %u\n", popup->ShowModal());
        std::fflush(stdout);
      }
      return;
    }
    ui::WindowImplBase::Notify(msg);
  }

 private:
  std::string layout_;
  std::string popup_;
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
  bool popupMode = argc > 4 && std::string(argv[3]) == "--popup";
  DemoWindow window(argv[2], popupMode ? argv[4] : "");
  if (!window.Create(0, u"Toolkit demo", 0, 0)) return 1;
  window.CenterWindow();
  if (argc > 5 && !popupMode) {
    auto* tab = window.GetPaintManager()->FindControl<ui::CTabLayoutUI>(ui::CDuiString(argv[4]));
    if (!tab || !tab->SelectItem(std::atoi(argv[5]))) {
      std::fprintf(stderr, "toolkit-demo: no page %s of %s\n", argv[5], argv[4]);
      return 1;
    }
  }
  if (argc > 3 && !popupMode) {
    bool ok = toolkit::WritePng(window, argv[3]);
    std::printf("%s %s\n", ok ? "wrote" : "failed to write", argv[3]);
    return ok ? 0 : 1;
  }
  window.ShowWindow(true);
  return loop.Run();
}
