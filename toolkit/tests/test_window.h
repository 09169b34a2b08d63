// A window for tests: built from a layout of the test skin, it records what
// reaches Notify, the key filter, OnChar and custom messages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui.h"

namespace toolkit::testing {

class TestWindow : public ui::WindowImplBase {
 public:
  explicit TestWindow(std::u16string skin) : skin_(std::move(skin)) {}

  ui::CDuiString GetWindowClassName() const override { return u"TestWindow"; }
  ui::CDuiString GetSkinFile() override { return skin_; }
  void InitWindow() override { ++inits; }

  void Notify(ui::TNotifyUI& msg) override {
    notes.push_back(msg.sType.ToUtf8() + ":" +
                    (msg.pSender ? msg.pSender->GetName().ToUtf8() : std::string()));
    if (onNotify) onNotify(msg);
    ui::WindowImplBase::Notify(msg);
  }
  ui::LRESULT MessageHandler(ui::UINT msg, ui::WPARAM w, ui::LPARAM l, bool& handled) override {
    if (msg == platform::WM_KEYDOWN) {
      keys.push_back(static_cast<int>(w));
      if (w == platform::VK_TAB && swallowTab) {
        handled = true;
        return 0;
      }
    }
    return ui::WindowImplBase::MessageHandler(msg, w, l, handled);
  }
  ui::LRESULT OnChar(ui::UINT, ui::WPARAM w, ui::LPARAM, bool& handled) override {
    chars.push_back(static_cast<char16_t>(w));
    handled = false;
    return 0;
  }
  ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM w, ui::LPARAM l,
                                  bool& handled) override {
    if (onMessage && onMessage(msg, w, l)) {
      handled = true;
      return 0;
    }
    handled = false;
    return 0;
  }
  void OnFinalMessage(ui::HWND) override { ++finals; }

  // Every notification as "type:sender".
  std::vector<std::string> notes;
  std::vector<int> keys;
  std::u16string chars;
  int inits = 0;
  int finals = 0;
  bool swallowTab = false;
  std::function<void(ui::TNotifyUI&)> onNotify;
  std::function<bool(ui::UINT, ui::WPARAM, ui::LPARAM)> onMessage;

 private:
  std::u16string skin_;
};

}  // namespace toolkit::testing
