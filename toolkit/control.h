// CControlUI: the base of every control: identity, geometry, the common look
// (background, border, image), state (visible, enabled, focus), events and
// notifications.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/dui_string.h"
#include "toolkit/geometry.h"
#include "toolkit/property_table.h"

namespace ui {

class CControlUI;
class CPaintManagerUI;
class PaintContext;

// Notification types sent to INotifyUI::Notify.
inline constexpr const char16_t* kNotifyClick = u"click";
inline constexpr const char16_t* kNotifyLink = u"link";
inline constexpr const char16_t* kNotifySetFocus = u"setfocus";
inline constexpr const char16_t* kNotifyKillFocus = u"killfocus";
inline constexpr const char16_t* kNotifyTextChanged = u"textchanged";
inline constexpr const char16_t* kNotifyReturn = u"return";
inline constexpr const char16_t* kNotifyItemClick = u"itemclick";
inline constexpr const char16_t* kNotifyItemSelect = u"itemselect";
inline constexpr const char16_t* kNotifySelectChanged = u"selectchanged";
inline constexpr const char16_t* kNotifyValueChanged = u"valuechanged";
inline constexpr const char16_t* kNotifyTabSelect = u"tabselect";
inline constexpr const char16_t* kNotifyWindowInit = u"windowinit";

// The notification record.
struct TNotifyUI {
  CDuiString sType;
  CDuiString sVirtualWnd;
  CControlUI* pSender = nullptr;
  std::uint32_t dwTimestamp = 0;
  POINT ptMouse;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees window messages before the controls do (key-downs above all).
class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Modifier bits carried in the lParam of WM_KEYDOWN and in TEventUI.
inline constexpr unsigned kModShift = 1;
inline constexpr unsigned kModCtrl = 2;
inline constexpr unsigned kModAlt = 4;

enum class EventType {
  kMouseMove,
  kMouseEnter,
  kMouseLeave,
  kButtonDown,
  kButtonUp,
  kDoubleClick,
  kScrollWheel,
  kKeyDown,
  kTextInput,
  kSetFocus,
  kKillFocus,
  kTimer,
};

// An input event delivered to a control (and bubbled to its parents while no
// one handles it).
struct TEventUI {
  EventType Type = EventType::kMouseMove;
  CControlUI* pSender = nullptr;
  POINT ptMouse;
  WPARAM wParam = 0;  // key code, timer id, wheel delta
  unsigned modifiers = 0;
  std::u16string text;  // kTextInput
};

enum class TextAlign { kLeft, kCenter, kRight };
enum class TextVAlign { kTop, kCenter, kBottom };

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // The element name of the class in layouts ("Button"); also the tree dump's class.
  virtual std::u16string_view GetClass() const { return u"Control"; }
  // This object as the named class ("Label", "Button", ...) or null.
  virtual void* GetInterface(std::u16string_view name);
  virtual const PropertyTable& Properties() const;
  static const PropertyTable& ControlProperties();

  const CDuiString& GetName() const { return name_; }
  void SetName(const CDuiString& name);

  CControlUI* GetParent() const { return parent_; }
  CPaintManagerUI* GetManager() const { return manager_; }
  virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);

  // Children, for walking the tree without knowing the class.
  virtual int GetChildCount() const { return 0; }
  virtual CControlUI* GetChildAt(int /*index*/) const { return nullptr; }
  // First control named `name` in this subtree (including this one), or null.
  CControlUI* FindSubControl(const CDuiString& name);

  virtual CDuiString GetText() const { return text_; }
  virtual void SetText(const CDuiString& text);

  // Look.
  DWORD GetBkColor() const { return bkColor_; }
  void SetBkColor(DWORD color);
  DWORD GetBkColor2() const { return bkColor2_; }
  void SetBkColor2(DWORD color);
  DWORD GetBorderColor() const { return borderColor_; }
  void SetBorderColor(DWORD color);
  void SetFocusBorderColor(DWORD color);
  int GetBorderSize() const { return borderSize_; }
  void SetBorderSize(int size);
  SIZE GetBorderRound() const { return borderRound_; }
  void SetBorderRound(SIZE round);
  const CDuiString& GetBkImage() const { return bkImage_; }
  void SetBkImage(const CDuiString& image);

  // Geometry. GetPos is the rectangle in window client coordinates after layout.
  const RECT& GetPos() const { return pos_; }
  virtual void SetPos(RECT rc, bool needInvalidate = true);
  int GetWidth() const { return pos_.Width(); }
  int GetHeight() const { return pos_.Height(); }
  int GetX() const { return pos_.left; }
  int GetY() const { return pos_.top; }
  RECT GetPadding() const { return padding_; }
  void SetPadding(RECT padding);
  SIZE GetFixedXY() const { return fixedXY_; }
  void SetFixedXY(SIZE xy);
  int GetFixedWidth() const { return fixedWidth_; }
  void SetFixedWidth(int width);
  int GetFixedHeight() const { return fixedHeight_; }
  void SetFixedHeight(int height);
  int GetMinWidth() const { return minWidth_; }
  void SetMinWidth(int v);
  int GetMaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v);
  int GetMinHeight() const { return minHeight_; }
  void SetMinHeight(int v);
  int GetMaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int v);
  bool IsFloat() const { return float_; }
  void SetFloat(bool isFloat);
  // pos="l,t,r,b": the floating position and, through r-l and b-t, the fixed size.
  void SetFloatPos(RECT rc);
  // The size the control asks for in `available`; 0 on an axis means "stretch".
  virtual SIZE EstimateSize(SIZE available);

  // State.
  virtual bool IsVisible() const { return visible_; }
  virtual void SetVisible(bool visible = true);
  // Visible and every ancestor visible (and selected, in a tab layout).
  bool IsVisibleOnScreen() const;
  virtual bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled = true);
  bool IsMouseEnabled() const { return mouseEnabled_; }
  void SetMouseEnabled(bool enabled = true) { mouseEnabled_ = enabled; }
  bool IsKeyboardEnabled() const { return keyboardEnabled_; }
  void SetKeyboardEnabled(bool enabled = true) { keyboardEnabled_ = enabled; }
  bool IsFocused() const { return focused_; }
  virtual void SetFocus();
  // Whether Tab and clicks may give this control the keyboard focus.
  virtual bool WantsFocus() const { return false; }
  bool IsHandCursor() const { return handCursor_; }

  const CDuiString& GetToolTip() const { return toolTip_; }
  void SetToolTip(const CDuiString& text) { toolTip_ = text; }
  const CDuiString& GetUserData() const { return userData_; }
  void SetUserData(const CDuiString& data) { userData_ = data; }
  UINT_PTR GetTag() const { return tag_; }
  void SetTag(UINT_PTR tag) { tag_ = tag; }

  // Applies one layout attribute (UTF-8); false when the class does not know it.
  bool ApplyAttribute(std::string_view name, std::string_view value);
  void SetAttribute(const CDuiString& name, const CDuiString& value);
  // "a='x' b='y'".
  void ApplyAttributeList(std::string_view list);

  // Events and activation.
  virtual void DoEvent(TEventUI& event);
  // Runs the control's action (a click); false when disabled or hidden.
  virtual bool Activate();
  // Topmost control at `pt` (client coordinates) that takes the mouse, or null.
  virtual CControlUI* FindControlAt(POINT pt);

  // Drawing.
  virtual void DoPaint(PaintContext& ctx);
  void Invalidate();
  // The layout changed: the window lays out again before the next drawing.
  void NeedUpdate();
  void NeedParentUpdate();

  // For the tree dump.
  virtual bool IsSelectedState() const { return false; }
  virtual bool IsPasswordText() const { return false; }

 protected:
  virtual void PaintBkColor(PaintContext& ctx);
  virtual void PaintBkImage(PaintContext& ctx);
  virtual void PaintStatusImage(PaintContext& ctx);
  virtual void PaintText(PaintContext& ctx);
  virtual void PaintBorder(PaintContext& ctx);
  // Draws an image description inside this control; false when the image is missing.
  bool DrawImage(PaintContext& ctx, const CDuiString& description);

  CDuiString name_;
  CDuiString text_;
  CControlUI* parent_ = nullptr;
  CPaintManagerUI* manager_ = nullptr;
  RECT pos_;

 private:
  DWORD bkColor_ = 0;
  DWORD bkColor2_ = 0;
  DWORD borderColor_ = 0;
  DWORD focusBorderColor_ = 0;
  int borderSize_ = 0;
  SIZE borderRound_;
  CDuiString bkImage_;
  RECT padding_;
  SIZE fixedXY_;
  int fixedWidth_ = 0;
  int fixedHeight_ = 0;
  int minWidth_ = 0;
  int maxWidth_ = 9999;
  int minHeight_ = 0;
  int maxHeight_ = 9999;
  bool float_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = true;
  bool focused_ = false;
  bool handCursor_ = false;
  CDuiString toolTip_;
  CDuiString userData_;
  UINT_PTR tag_ = 0;

  friend class CPaintManagerUI;
};

}  // namespace ui
