// A window for tests: registered with a message loop on the test thread, it
// records every message it is given.
#pragma once

#include <functional>
#include <vector>

#include "platform/message_loop.h"

struct RecordedMessage {
  platform::UINT msg;
  platform::WPARAM wParam;
  platform::LPARAM lParam;
  bool operator==(const RecordedMessage&) const = default;
};

class MessageRecorder : public platform::MessageTarget {
 public:
  explicit MessageRecorder(platform::MessageLoop& loop) : loop_(loop) {
    hwnd = loop.AddWindow(this);
  }
  ~MessageRecorder() override { loop_.RemoveWindow(hwnd); }

  platform::LRESULT HandleMessage(platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam) override {
    messages.push_back({msg, wParam, lParam});
    if (onMessage) onMessage(msg, wParam, lParam);
    return 0;
  }

  platform::HWND hwnd = 0;
  std::vector<RecordedMessage> messages;
  std::function<void(platform::UINT, platform::WPARAM, platform::LPARAM)> onMessage;

 private:
  platform::MessageLoop& loop_;
};
