// Drives toolkit windows headless, the way a user would: find a control by
// name, click it, type, press keys, read the tree. Flow tests build on it.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_loop.h"
#include "toolkit/ui.h"

namespace toolkit::testing {

class UiDriver {
 public:
  // Uses the calling thread's message loop, or creates one on a ManualClock.
  UiDriver();
  ~UiDriver();

  // The window input goes to: the top visible window of this thread (a pop-up
  // or a menu while one is up), or the one set with UseWindow.
  ui::CWindowWnd* TopWindow() const;
  void UseWindow(ui::CWindowWnd* window) { fixed_ = window; }
  ui::CPaintManagerUI* Manager() const;

  // First control of that name in the top window, or null.
  ui::CControlUI* Find(const ui::CDuiString& name) const;
  template <class T>
  T* Find(const ui::CDuiString& name) const {
    return dynamic_cast<T*>(Find(name));
  }

  // Mouse down and up at the centre of the named control. False when the
  // control is missing or not visible on screen (nothing is clicked then).
  bool Click(const ui::CDuiString& name);
  bool ClickControl(ui::CControlUI* control);
  void ClickAt(ui::POINT client);
  void MouseMove(ui::POINT client);
  // Typed text (WM_CHAR per character to the window, the text to the focused control).
  void Type(const ui::CDuiString& text);
  // A key-down (and WM_CHAR for Enter, Tab and Backspace), with kModShift/kModCtrl bits.
  void Key(ui::WPARAM vk, unsigned modifiers = 0);

  ui::CDuiString Text(const ui::CDuiString& name) const;
  bool IsVisible(const ui::CDuiString& name) const;
  bool IsEnabled(const ui::CDuiString& name) const;
  ui::CControlUI* Focus() const;
  std::string DumpJson() const;
  bool SavePng(const std::string& path) const;

  // Modal pop-ups block the code that shows them, so their clicks are scripted
  // ahead: each window that starts a modal run takes the next action, run with
  // that window on top (a click there usually closes it). A modal run with no
  // action left is closed with 0 and counted.
  void OnNextModal(std::function<void(UiDriver&)> action);
  int UnexpectedModals() const { return unexpectedModals_; }
  // The class names of the windows that ran modally, in order.
  const std::vector<std::string>& ModalLog() const { return modalLog_; }

  // Runs what is queued on the loop (messages, due timers) without waiting.
  int RunPending();
  // Moves the manual clock (when the driver made the loop) and runs what fell due.
  void Advance(std::chrono::milliseconds ms);
  platform::MessageLoop& loop() const { return *loop_; }
  platform::ManualClock* clock() const { return clock_.get(); }

 private:
  std::unique_ptr<platform::ManualClock> clock_;
  std::unique_ptr<platform::MessageLoop> ownLoop_;
  platform::MessageLoop* loop_ = nullptr;
  ui::CWindowWnd* fixed_ = nullptr;
  std::deque<std::function<void(UiDriver&)>> modalActions_;
  int unexpectedModals_ = 0;
  std::vector<std::string> modalLog_;
};

}  // namespace toolkit::testing
