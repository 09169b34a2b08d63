// CPaintManagerUI: the control tree of one window: look-up by name, fonts,
// default attributes, focus, mouse and key input, notifications, timers of
// controls, and drawing into the window's image. Also the process-wide skin
// archive.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/control.h"

typedef struct _cairo_surface cairo_surface_t;

namespace platform {
class MessageTarget;
}

namespace ui {

class SkinArchive;

// Window messages the toolkit uses besides those of platform/win_types.h.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
// Text typed or composed with an input method: lParam points to a
// std::u16string, valid during the call only (never posted).
inline constexpr UINT WM_TEXTINPUT = platform::WM_USER - 1;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_CLOSE = 0xF060;

// Virtual keys understood by the controls (besides those of win_types.h).
inline constexpr WPARAM VK_SPACE = 0x20;
inline constexpr WPARAM VK_END = 0x23;
inline constexpr WPARAM VK_HOME = 0x24;
inline constexpr WPARAM VK_LEFT = 0x25;
inline constexpr WPARAM VK_UP = 0x26;
inline constexpr WPARAM VK_RIGHT = 0x27;
inline constexpr WPARAM VK_DOWN = 0x28;
inline constexpr WPARAM VK_DELETE = 0x2E;

// Timer ids from here up on a window belong to its controls.
inline constexpr UINT_PTR kFirstControlTimerId = 0x7F000000;
// The window timer that shows a tooltip after the mouse rests on a control.
inline constexpr UINT_PTR kToolTipTimerId = kFirstControlTimerId - 1;
inline constexpr UINT kToolTipDelayMs = 500;

struct FontSpec {
  std::string family;
  int size = 14;  // pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // ---- process-wide ----
  static void SetInstance(void* instance);
  static void* GetInstance();
  static void* GetResourceDll();
  // The skin archive; the bytes are not copied and must outlive every window.
  // Returns false when they are not a zip archive. `password` is unsupported.
  static bool SetResourceZip(const void* data, std::size_t size,
                             const char16_t* password = nullptr);
  static SkinArchive* GetResourceZip();
  // Runs the calling thread's message loop until WM_QUIT.
  static int MessageLoop();
  // Drops the skin archive and the decoded images.
  static void Term();

  // ---- this window ----
  // `target` receives the window messages the manager raises (WM_CHAR to OnChar).
  void Init(HWND hwnd, platform::MessageTarget* target = nullptr);
  HWND GetPaintWindow() const { return hwnd_; }
  // Takes ownership of `root`; the previous root is freed.
  bool AttachDialog(CControlUI* root);
  CControlUI* GetRoot() const { return root_.get(); }
  // The layout file the root came from (for messages).
  void SetLayoutName(const std::string& name) { layoutName_ = name; }
  const std::string& GetLayoutName() const { return layoutName_; }

  // First control of that name in tree order, or null. Looked up in an index
  // that is rebuilt after the tree or a name changes.
  CControlUI* FindControl(const CDuiString& name) const;
  // The tree or a control's name changed (containers and controls call this).
  void InvalidateNameIndex() { nameIndexValid_ = false; }
  template <class T>
  T* FindControl(const CDuiString& name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // Topmost control at `pt` (client coordinates) that takes the mouse, or null.
  CControlUI* FindControl(POINT pt) const;
  CControlUI* FindSubControlByName(CControlUI* parent, const CDuiString& name) const;

  // Window attributes from the layout's <Window>.
  SIZE GetInitSize() const { return initSize_; }
  void SetInitSize(int cx, int cy);
  SIZE GetClientSize() const { return clientSize_; }
  void SetClientSize(SIZE size);
  RECT GetCaptionRect() const { return caption_; }
  void SetCaptionRect(RECT rc) { caption_ = rc; }
  SIZE GetRoundCorner() const { return roundCorner_; }
  void SetRoundCorner(int cx, int cy) { roundCorner_ = {cx, cy}; }
  bool HasShadow() const { return shadow_; }
  void SetShadow(bool on) { shadow_ = on; }
  // True when `pt` lies in the caption band and on no control that takes clicks.
  bool IsCaptionDragPoint(POINT pt) const;

  // Fonts by index; the default serves unknown indexes.
  void AddFont(int id, const FontSpec& font, bool isDefault);
  const FontSpec& GetFont(int id) const;
  std::map<int, FontSpec> GetFonts() const { return fonts_; }

  // Default attribute lists per control class ("Button").
  void AddDefaultAttributeList(const std::string& controlClass, const std::string& list);
  const std::string* GetDefaultAttributeList(const std::string& controlClass) const;

  // Notifications and filters.
  void AddNotifier(INotifyUI* notifier);
  void RemoveNotifier(INotifyUI* notifier);
  void AddMessageFilter(IMessageFilterUI* filter);
  void RemoveMessageFilter(IMessageFilterUI* filter);
  void SendNotify(CControlUI* sender, const CDuiString& type, WPARAM wParam = 0, LPARAM lParam = 0);
  void SendNotify(TNotifyUI& msg);

  // Focus.
  CControlUI* GetFocus() const { return focus_; }
  void SetFocus(CControlUI* control);
  // Moves the focus to the next (or previous) control that takes it.
  void SetNextTabControl(bool forward = true);

  // Option groups.
  std::vector<CControlUI*> GetOptionGroup(const CDuiString& group) const;
  void AddOptionGroup(const CDuiString& group, CControlUI* option);
  void RemoveOptionGroup(const CDuiString& group, CControlUI* option);

  // Timers of controls (kTimer events), run on the window's message loop.
  bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
  bool KillTimer(CControlUI* control, UINT id);
  void KillTimers(CControlUI* control);

  // The window's messages: the filters first, then the controls (mouse,
  // keys, text input, control timers). True when the message was taken.
  bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // While disabled (a modal pop-up is up) mouse and key input is dropped.
  void SetInputEnabled(bool enabled) { inputEnabled_ = enabled; }
  bool IsInputEnabled() const { return inputEnabled_; }
  POINT GetMousePos() const { return mouse_; }
  // The control whose tooltip is shown, or null.
  CControlUI* GetShownToolTip() const { return toolTipShown_ ? toolTipFor_ : nullptr; }

  // Drawing.
  void Invalidate();
  bool IsInvalid() const { return invalid_; }
  void NeedUpdate() {
    needLayout_ = true;
    invalid_ = true;
  }
  // Lays out when needed and draws the whole tree into the window's image.
  cairo_surface_t* Render();
  // Called when something became invalid (the windowed backend schedules a redraw).
  void SetInvalidateCallback(std::function<void()> callback) { onInvalid_ = std::move(callback); }

  // Lifetime of removed controls: freed once no event is being dispatched.
  void ReapControl(std::unique_ptr<CControlUI> control);
  // A control is going away: drop every reference the manager holds to it.
  void ReapObjects(CControlUI* control);
  // A subtree was hidden or removed: it loses the focus, the mouse and its timers.
  void DropInputState(CControlUI* subtree);
  bool IsDispatching() const { return dispatchDepth_ > 0; }

  // Screen position of the client area's top-left corner (for the tree dump).
  void SetScreenOrigin(POINT origin) { screenOrigin_ = origin; }
  POINT GetScreenOrigin() const { return screenOrigin_; }

 private:
  void DispatchMouse(UINT msg, POINT pt, unsigned mods);
  void DispatchKey(WPARAM key, unsigned mods);
  void DispatchEvent(CControlUI* control, TEventUI& event);
  void SetHot(CControlUI* control);
  void FlushGraveyard();
  void UpdateLayout();
  void HideToolTip();
  void PaintToolTip(PaintContext& ctx);
  struct DispatchScope;

  HWND hwnd_ = 0;
  platform::MessageTarget* target_ = nullptr;
  std::unique_ptr<CControlUI> root_;
  std::string layoutName_;
  SIZE initSize_{0, 0};
  SIZE clientSize_{0, 0};
  RECT caption_;
  SIZE roundCorner_;
  bool shadow_ = false;
  std::map<int, FontSpec> fonts_;
  int defaultFont_ = -1;
  std::map<std::string, std::string> defaultAttributes_;
  std::vector<INotifyUI*> notifiers_;
  std::vector<IMessageFilterUI*> filters_;
  std::map<CDuiString, std::vector<CControlUI*>> optionGroups_;
  struct ControlTimer {
    CControlUI* control;
    UINT id;
  };
  std::map<UINT_PTR, ControlTimer> timers_;
  UINT_PTR nextTimerId_ = kFirstControlTimerId;
  CControlUI* focus_ = nullptr;
  CControlUI* hot_ = nullptr;
  CControlUI* captured_ = nullptr;
  POINT mouse_{-1, -1};
  bool inputEnabled_ = true;
  bool invalid_ = true;
  bool needLayout_ = true;
  std::function<void()> onInvalid_;
  cairo_surface_t* surface_ = nullptr;
  int dispatchDepth_ = 0;
  std::vector<std::unique_ptr<CControlUI>> graveyard_;
  POINT screenOrigin_;
  CControlUI* toolTipFor_ = nullptr;
  bool toolTipShown_ = false;
  mutable std::unordered_map<std::u16string, CControlUI*> nameIndex_;
  mutable bool nameIndexValid_ = false;
};

}  // namespace ui
