// The windowed backend: SDL2 windows showing the paint manager's cairo image,
// and SDL input turned into window messages while the message loop waits.
#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_loop.h"
#include "toolkit/backend.h"
#include "toolkit/control.h"
#include "toolkit/dui_string.h"
#include "toolkit/paint_manager.h"

namespace toolkit {

namespace {

class SdlBackend;

class SdlWindow final : public NativeWindow {
 public:
  SdlWindow(SdlBackend& backend, WindowHost& host, bool popup);
  ~SdlWindow() override;

  void SetBounds(const ui::RECT& screen) override;
  void Show(bool show) override;
  void Minimize() override { SDL_MinimizeWindow(window_); }
  void SetTitle(const std::string& utf8) override { SDL_SetWindowTitle(window_, utf8.c_str()); }
  void RequestRedraw() override;
  void SetTextInput(bool) override {}
  void Raise() override { SDL_RaiseWindow(window_); }

  void Present();
  bool dirty() const { return dirty_; }
  Uint32 id() const { return SDL_GetWindowID(window_); }
  WindowHost& host() { return host_; }
  SDL_Window* sdl() const { return window_; }

 private:
  SdlBackend& backend_;
  WindowHost& host_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureW_ = 0, textureH_ = 0;
  bool dirty_ = true;
  bool shown_ = false;
};

// Pumps SDL events while a message loop has nothing else to do.
class SdlEventSource final : public platform::EventSource {
 public:
  explicit SdlEventSource(SdlBackend& backend) : backend_(backend) {}
  void WaitForWork(std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override {
    SDL_Event e{};
    e.type = wakeEvent_;
    SDL_PushEvent(&e);
  }
  Uint32 wakeEvent_ = SDL_RegisterEvents(1);

 private:
  SdlBackend& backend_;
};

class SdlBackend final : public Backend {
 public:
  SdlBackend() { SDL_StartTextInput(); }
  ~SdlBackend() override = default;

  std::string Name() const override { return "sdl"; }
  std::unique_ptr<NativeWindow> CreateWindow(WindowHost& host, bool popup) override {
    auto window = std::make_unique<SdlWindow>(backend(), host, popup);
    windows_[window->id()] = window.get();
    return window;
  }
  ui::SIZE ScreenSize() override {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return {1920, 1080};
    return {mode.w, mode.h};
  }
  void AttachLoop(platform::MessageLoop& loop) override {
    // Every window creation re-attaches: a loop may be new at an old address.
    if (!source_) source_ = std::make_unique<SdlEventSource>(*this);
    loop.SetEventSource(source_.get());
  }
  std::string GetClipboardText() override {
    char* text = SDL_GetClipboardText();
    std::string out = text ? text : "";
    SDL_free(text);
    return out;
  }
  void SetClipboardText(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

  void Forget(Uint32 id) { windows_.erase(id); }
  SdlWindow* Find(Uint32 id) {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
  }
  void PresentDirty() {
    // Copy first: presenting never adds windows, but stay safe against it.
    std::vector<SdlWindow*> all;
    for (auto& [id, w] : windows_) all.push_back(w);
    for (SdlWindow* w : all)
      if (Find(w->id()) && w->dirty()) w->Present();
  }
  void Handle(const SDL_Event& e);

 private:
  // Moving a window by its caption, done here so that it works without a
  // window manager too.
  struct Drag {
    Uint32 window = 0;
    int anchorX = 0, anchorY = 0;  // the grabbed point, in client coordinates
  };
  bool StartDrag(Uint32 id, int x, int y);
  std::optional<Drag> drag_;

  SdlBackend& backend() { return *this; }
  std::map<Uint32, SdlWindow*> windows_;
  std::unique_ptr<SdlEventSource> source_;
};

SdlWindow::SdlWindow(SdlBackend& backend, WindowHost& host, bool popup)
    : backend_(backend), host_(host) {
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (popup) flags |= SDL_WINDOW_SKIP_TASKBAR;
  window_ = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1, 1, flags);
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
}

SdlWindow::~SdlWindow() {
  backend_.Forget(id());
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
}

void SdlWindow::SetBounds(const ui::RECT& screen) {
  SDL_SetWindowPosition(window_, screen.left, screen.top);
  SDL_SetWindowSize(window_, std::max(1, screen.Width()), std::max(1, screen.Height()));
  RequestRedraw();
}

void SdlWindow::Show(bool show) {
  shown_ = show;
  if (show) {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    RequestRedraw();
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlWindow::RequestRedraw() { dirty_ = true; }

void SdlWindow::Present() {
  dirty_ = false;
  if (!renderer_) return;
  cairo_surface_t* surface = host_.RenderForPresent();
  if (!surface) return;
  int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  if (!texture_ || w != textureW_ || h != textureH_) {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    textureW_ = w;
    textureH_ = h;
  }
  SDL_UpdateTexture(texture_, nullptr, cairo_image_surface_get_data(surface),
                    cairo_image_surface_get_stride(surface));
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

unsigned Modifiers() {
  SDL_Keymod mod = SDL_GetModState();
  unsigned out = 0;
  if (mod & KMOD_SHIFT) out |= ui::kModShift;
  if (mod & KMOD_CTRL) out |= ui::kModCtrl;
  if (mod & KMOD_ALT) out |= ui::kModAlt;
  return out;
}

ui::WPARAM VirtualKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return platform::VK_RETURN;
    case SDLK_TAB:
      return platform::VK_TAB;
    case SDLK_BACKSPACE:
      return platform::VK_BACK;
    case SDLK_ESCAPE:
      return platform::VK_ESCAPE;
    case SDLK_SPACE:
      return ui::VK_SPACE;
    case SDLK_LEFT:
      return ui::VK_LEFT;
    case SDLK_RIGHT:
      return ui::VK_RIGHT;
    case SDLK_UP:
      return ui::VK_UP;
    case SDLK_DOWN:
      return ui::VK_DOWN;
    case SDLK_HOME:
      return ui::VK_HOME;
    case SDLK_END:
      return ui::VK_END;
    case SDLK_DELETE:
      return ui::VK_DELETE;
    default:
      break;
  }
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<ui::WPARAM>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<ui::WPARAM>('0' + (key - SDLK_0));
  return 0;
}

bool SdlBackend::StartDrag(Uint32 id, int x, int y) {
  SdlWindow* w = Find(id);
  if (!w || !w->host().IsCaptionDragPoint({x, y})) return false;
  drag_ = Drag{id, x, y};
  return true;
}

void SdlBackend::Handle(const SDL_Event& e) {
  auto deliver = [&](Uint32 windowId, ui::UINT msg, ui::WPARAM w, ui::LPARAM l) {
    if (SdlWindow* window = Find(windowId)) window->host().DeliverInput(msg, w, l);
  };
  switch (e.type) {
    case SDL_MOUSEMOTION:
      if (drag_) {
        // The window follows the mouse so that the grabbed point stays under it.
        if (SdlWindow* w = Find(drag_->window)) {
          int x = 0, y = 0;
          SDL_GetWindowPosition(w->sdl(), &x, &y);
          x += e.motion.x - drag_->anchorX;
          y += e.motion.y - drag_->anchorY;
          SDL_SetWindowPosition(w->sdl(), x, y);
          w->host().OnMoved({x, y});
        }
        break;
      }
      deliver(e.motion.windowID, ui::WM_MOUSEMOVE, Modifiers(),
              ui::MakePointLParam({e.motion.x, e.motion.y}));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.button != SDL_BUTTON_LEFT) break;
      if (e.type == SDL_MOUSEBUTTONUP && drag_) {
        drag_.reset();
        break;
      }
      if (e.type == SDL_MOUSEBUTTONDOWN && StartDrag(e.button.windowID, e.button.x, e.button.y))
        break;
      ui::UINT msg = e.type == SDL_MOUSEBUTTONUP ? ui::WM_LBUTTONUP
                     : e.button.clicks >= 2      ? ui::WM_LBUTTONDBLCLK
                                                 : ui::WM_LBUTTONDOWN;
      deliver(e.button.windowID, msg, Modifiers(), ui::MakePointLParam({e.button.x, e.button.y}));
      break;
    }
    case SDL_MOUSEWHEEL: {
      int x = 0, y = 0;
      SDL_GetMouseState(&x, &y);
      ui::WPARAM delta = static_cast<ui::WPARAM>(e.wheel.y > 0 ? 120 : -120);
      deliver(e.wheel.windowID, ui::WM_MOUSEWHEEL, delta, ui::MakePointLParam({x, y}));
      break;
    }
    case SDL_KEYDOWN: {
      ui::WPARAM vk = VirtualKey(e.key.keysym.sym);
      if (!vk) break;
      deliver(e.key.windowID, platform::WM_KEYDOWN, vk, static_cast<ui::LPARAM>(Modifiers()));
      // Keys that type a control character, as the text input does not report them.
      if (vk == platform::VK_RETURN || vk == platform::VK_TAB || vk == platform::VK_BACK ||
          vk == platform::VK_ESCAPE)
        deliver(e.key.windowID, platform::WM_CHAR, vk == platform::VK_RETURN ? 13 : vk, 0);
      break;
    }
    case SDL_TEXTINPUT: {
      std::u16string text = ui::CDuiString::FromUtf8(e.text.text);
      for (char16_t ch : text) deliver(e.text.windowID, platform::WM_CHAR, ch, 0);
      deliver(e.text.windowID, ui::WM_TEXTINPUT, 0, reinterpret_cast<ui::LPARAM>(&text));
      break;
    }
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_LEAVE:
          deliver(e.window.windowID, ui::WM_MOUSELEAVE, 0, 0);
          break;
        case SDL_WINDOWEVENT_CLOSE:
          if (SdlWindow* w = Find(e.window.windowID)) w->host().OnCloseRequested();
          break;
        case SDL_WINDOWEVENT_MOVED:
          if (SdlWindow* w = Find(e.window.windowID))
            w->host().OnMoved({e.window.data1, e.window.data2});
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (SdlWindow* w = Find(e.window.windowID)) w->host().OnFocusLost();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          if (SdlWindow* w = Find(e.window.windowID)) w->RequestRedraw();
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

void SdlEventSource::WaitForWork(std::optional<std::chrono::milliseconds> timeout) {
  backend_.PresentDirty();
  SDL_Event e;
  int got =
      timeout ? SDL_WaitEventTimeout(&e, static_cast<int>(timeout->count())) : SDL_WaitEvent(&e);
  if (!got) return;
  do {
    if (e.type != wakeEvent_) backend_.Handle(e);
  } while (SDL_PollEvent(&e));
  backend_.PresentDirty();
}

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend() {
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "toolkit: SDL: %s\n", SDL_GetError());
    return nullptr;
  }
  return std::make_unique<SdlBackend>();
}

}  // namespace toolkit
