#include "toolkit/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace toolkit {

std::unique_ptr<Backend> CreateSdlBackend();  // sdl_backend.cc; null when SDL cannot start

namespace {

class HeadlessWindow final : public NativeWindow {
 public:
  void SetBounds(const ui::RECT&) override {}
  void Show(bool) override {}
  void Minimize() override {}
  void SetTitle(const std::string&) override {}
  void RequestRedraw() override {}
  void SetTextInput(bool) override {}
  void Raise() override {}
};

// Windows that exist only as images in memory; input comes from tests.
class HeadlessBackend final : public Backend {
 public:
  std::string Name() const override { return "headless"; }
  std::unique_ptr<NativeWindow> CreateWindow(WindowHost&, bool) override {
    return std::make_unique<HeadlessWindow>();
  }
  ui::SIZE ScreenSize() override { return {1920, 1080}; }
  void AttachLoop(platform::MessageLoop&) override {}
  std::string GetClipboardText() override {
    std::lock_guard lock(mutex_);
    return clipboard_;
  }
  void SetClipboardText(const std::string& utf8) override {
    std::lock_guard lock(mutex_);
    clipboard_ = utf8;
  }

 private:
  std::mutex mutex_;
  std::string clipboard_;
};

bool WantsSdl() {
  const char* choice = std::getenv("ORLUSSD_BACKEND");
  if (choice && std::strcmp(choice, "headless") == 0) return false;
  if (choice && std::strcmp(choice, "sdl") == 0) return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display && *display) || (wayland && *wayland);
}

}  // namespace

Backend& Backend::Current() {
  static std::unique_ptr<Backend> backend = [] {
    std::unique_ptr<Backend> chosen;
    if (WantsSdl()) {
      chosen = CreateSdlBackend();
      if (!chosen) std::fprintf(stderr, "toolkit: no SDL display; drawing headless\n");
    }
    if (!chosen) chosen = std::make_unique<HeadlessBackend>();
    return chosen;
  }();
  return *backend;
}

bool IsHeadless() { return Backend::Current().Name() == "headless"; }

}  // namespace toolkit
