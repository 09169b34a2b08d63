// Windows: CWindowWnd (a top-level or pop-up window registered with the
// thread's platform::MessageLoop) and WindowImplBase (a window built from a
// layout of the skin, with notifications, a key filter and default handling
// of close and minimise buttons).
#pragma once

#include <functional>
#include <memory>

#include "platform/message_loop.h"
#include "toolkit/backend.h"
#include "toolkit/control.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/paint_manager.h"

namespace ui {

inline constexpr UINT IDOK = 1;
inline constexpr UINT IDCANCEL = 2;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

class CWindowWnd : public platform::MessageTarget, protected toolkit::WindowHost {
 public:
  CWindowWnd();
  ~CWindowWnd() override;

  HWND GetHWND() const { return hwnd_; }
  operator HWND() const { return hwnd_; }  // NOLINT: the handle is the window
  virtual CDuiString GetWindowClassName() const = 0;
  virtual UINT GetClassStyle() const { return 0; }

  // Registers the window with the calling thread's message loop (which must
  // exist) and builds it (WM_CREATE). Returns 0 on failure. `parent` owns the
  // window: a pop-up is centred on it and disables it while modal.
  HWND Create(HWND parent, const CDuiString& name, DWORD style, DWORD exStyle,
              int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
              int cy = CW_USEDEFAULT, void* menu = nullptr);
  HWND Create(HWND parent, const CDuiString& name, DWORD style, DWORD exStyle, const RECT& rc);

  void ShowWindow(bool show = true, bool takeFocus = true);
  bool IsWindowVisible() const { return shown_; }
  // Shows the window and runs a nested loop until the window is destroyed;
  // returns the value given to Close().
  UINT ShowModal();
  // Posts WM_CLOSE; the window is destroyed on the loop with `ret`.
  void Close(UINT ret = IDOK);
  // Centres on the owner, or on the screen without one.
  void CenterWindow();
  void SetIcon(UINT resourceId);
  void Minimize();
  bool IsMinimized() const { return minimized_; }
  // Client size; -1 keeps the current value.
  void ResizeClient(int cx = -1, int cy = -1);
  void SetWindowPos(int x, int y, int cx, int cy);
  RECT GetWindowRect() const { return bounds_; }
  // Client coordinates (a notification's ptMouse) to screen coordinates.
  POINT ClientToScreen(POINT pt) const { return {pt.x + bounds_.left, pt.y + bounds_.top}; }
  HWND GetOwner() const { return owner_; }
  bool IsModal() const { return modal_; }
  const CDuiString& GetTitle() const { return title_; }

  bool SetTimer(UINT_PTR id, UINT ms);
  bool KillTimer(UINT_PTR id);
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // platform::MessageTarget.
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Called after the window is destroyed; may delete the object.
  virtual void OnFinalMessage(HWND hwnd);

  // The window that owns `hwnd`, or null.
  static CWindowWnd* FromHandle(HWND hwnd);
  // The most recently shown window of the calling thread that is still visible.
  static CWindowWnd* TopWindow();
  // Tests: runs for every window of this thread that starts a modal run, once
  // it is shown and before its nested loop waits (null removes the hook).
  static void SetModalHook(std::function<void(CWindowWnd&)> hook);

  // The paint manager of this window, if it has one.
  virtual CPaintManagerUI* GetPaintManager() { return nullptr; }

 protected:
  // Destroys the window now: ends its modal loop with `ret` and runs
  // OnFinalMessage (last: the object may be gone afterwards).
  void DestroyWindow(UINT ret);

  // toolkit::WindowHost.
  LRESULT DeliverInput(UINT msg, WPARAM wParam, LPARAM lParam) override;
  cairo_surface_t* RenderForPresent() override;
  bool IsCaptionDragPoint(POINT client) override;
  void OnCloseRequested() override;
  void OnMoved(POINT screenTopLeft) override;

  toolkit::NativeWindow* native() const { return native_.get(); }

 private:
  HWND hwnd_ = 0;
  HWND owner_ = 0;
  platform::MessageLoop* loop_ = nullptr;
  std::unique_ptr<toolkit::NativeWindow> native_;
  RECT bounds_;
  CDuiString title_;
  bool shown_ = false;
  bool modal_ = false;
  bool minimized_ = false;
  bool destroyed_ = false;
  // Lets a modal run learn whether its window outlived the nested loop.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class WindowImplBase : public CWindowWnd,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override;

  // The layout file in the skin archive.
  virtual CDuiString GetSkinFile() = 0;
  virtual CDuiString GetSkinFolder() { return u""; }
  // Kept for code written against the usual window base; the toolkit reads
  // layouts from the skin archive only.
  virtual CDuiString GetSuperClassName() const { return u""; }
  virtual UINT GetStyle() const { return 0; }
  virtual int GetSkinType() { return 0; }
  virtual CDuiString GetManagerName() { return u""; }
  virtual void InitResource() {}
  virtual bool IsInStaticControl(CControlUI* /*control*/) { return false; }
  // After the layout is built and attached (the window-initialisation hook).
  // The default runs Init(), so a window may override either.
  virtual void InitWindow() { Init(); }
  virtual void Init() {}
  CPaintManagerUI* GetPaintManager() override { return &m_pm; }

  // INotifyUI: "click" goes to OnClick.
  void Notify(TNotifyUI& msg) override;
  // "closebtn" closes the window (with 0), "minbtn" minimises it.
  virtual void OnClick(TNotifyUI& msg);
  // IMessageFilterUI: sees every message before the controls; key-downs go to
  // ResponseDefaultKeyEvent, nothing else is taken.
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  // Escape closes an owned window (a pop-up) with 0; true when the key was used.
  virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);
  // IDialogBuilderCallback: custom control classes; none by default.
  CControlUI* CreateControl(const CDuiString& className) override;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnClose(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // Typed characters (WM_CHAR), before the focused control.
  virtual LRESULT OnChar(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // Every other message (posted user messages, timers, WM_MENUCLICK). The
  // default passes it to OnCustomMessage.
  virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  void OnFinalMessage(HWND hwnd) override;

 protected:
  CPaintManagerUI m_pm;
};

}  // namespace ui
