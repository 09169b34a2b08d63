// Where windows live: the headless backend (pixels in memory only) or the SDL
// backend (a real window). Both show the same cairo image that the paint
// manager draws; they differ only in where the pixels go and where input
// comes from. Chosen once per process by ORLUSSD_BACKEND=headless|sdl.
#pragma once

#include <memory>
#include <string>

#include "toolkit/geometry.h"

typedef struct _cairo_surface cairo_surface_t;

namespace platform {
class MessageLoop;
}

namespace toolkit {

// What a native window asks of the toolkit window it shows.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Input turned into window messages (WM_LBUTTONDOWN, WM_KEYDOWN, ...).
  virtual ui::LRESULT DeliverInput(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) = 0;
  // The window's current image, drawn when invalid.
  virtual cairo_surface_t* RenderForPresent() = 0;
  virtual bool IsCaptionDragPoint(ui::POINT client) = 0;
  // The user asked to close the window (window manager's close).
  virtual void OnCloseRequested() = 0;
  virtual void OnMoved(ui::POINT screenTopLeft) = 0;
  // The window lost the keyboard focus to another window or program.
  virtual void OnFocusLost() {}
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual void SetBounds(const ui::RECT& screen) = 0;
  virtual void Show(bool show) = 0;
  virtual void Minimize() = 0;
  virtual void SetTitle(const std::string& utf8) = 0;
  // The image changed; present it soon (the SDL backend presents when idle).
  virtual void RequestRedraw() = 0;
  virtual void SetTextInput(bool on) = 0;
  virtual void Raise() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // The process's backend (created on first use).
  static Backend& Current();
  // "headless" or "sdl".
  virtual std::string Name() const = 0;
  virtual std::unique_ptr<NativeWindow> CreateWindow(WindowHost& host, bool popup) = 0;
  virtual ui::SIZE ScreenSize() = 0;
  // Lets the backend pump its input while `loop` waits (once per loop).
  virtual void AttachLoop(platform::MessageLoop& loop) = 0;
  virtual std::string GetClipboardText() = 0;
  virtual void SetClipboardText(const std::string& utf8) = 0;
};

bool IsHeadless();

}  // namespace toolkit
