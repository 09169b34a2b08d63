#include "toolkit/paint_manager.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/message_loop.h"
#include "toolkit/containers.h"
#include "toolkit/paint_context.h"
#include "toolkit/resources.h"
#include "toolkit/skin_archive.h"
#include "toolkit/text_lock.h"

namespace ui {

namespace {

void* g_instance = nullptr;

bool IsInSubtree(const CControlUI* control, const CControlUI* root) {
  for (const CControlUI* c = control; c; c = c->GetParent())
    if (c == root) return true;
  return false;
}

// Controls that act on a click; the caption does not drag the window through them.
bool TakesClicks(CControlUI* control) {
  for (const char16_t* kind : {u"Button", u"Edit", u"ListContainerElement", u"Slider"})
    if (control->GetInterface(kind)) return true;
  return false;
}

}  // namespace

// Keeps controls removed during an event alive until the outermost dispatch ends.
struct CPaintManagerUI::DispatchScope {
  explicit DispatchScope(CPaintManagerUI& m) : manager(m) { ++manager.dispatchDepth_; }
  ~DispatchScope() {
    if (--manager.dispatchDepth_ == 0) manager.FlushGraveyard();
  }
  CPaintManagerUI& manager;
};

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
  if (hwnd_) {
    if (auto* loop = platform::MessageLoop::ForCurrentThread()) {
      for (auto& [id, timer] : timers_) loop->KillTimer(hwnd_, id);
    }
  }
  timers_.clear();
  focus_ = hot_ = captured_ = nullptr;
  graveyard_.clear();
  root_.reset();
  if (surface_) cairo_surface_destroy(surface_);
}

// ---- process-wide ----

void CPaintManagerUI::SetInstance(void* instance) { g_instance = instance; }
void* CPaintManagerUI::GetInstance() { return g_instance; }
void* CPaintManagerUI::GetResourceDll() { return g_instance; }

bool CPaintManagerUI::SetResourceZip(const void* data, std::size_t size,
                                     const char16_t* /*password*/) {
  auto archive = SkinArchive::Open({static_cast<const unsigned char*>(data), size});
  if (!archive) return false;
  ResourceStore::Get().SetArchive(std::move(archive));
  return true;
}

SkinArchive* CPaintManagerUI::GetResourceZip() { return ResourceStore::Get().GetArchive(); }

int CPaintManagerUI::MessageLoop() {
  platform::MessageLoop* loop = platform::MessageLoop::ForCurrentThread();
  return loop ? loop->Run() : 0;
}

void CPaintManagerUI::Term() { ResourceStore::Get().Clear(); }

// ---- this window ----

void CPaintManagerUI::Init(HWND hwnd, platform::MessageTarget* target) {
  hwnd_ = hwnd;
  target_ = target;
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
  if (!root) return false;
  SetFocus(nullptr);
  hot_ = captured_ = nullptr;
  if (root_) {
    std::unique_ptr<CControlUI> old = std::move(root_);
    ReapControl(std::move(old));
  }
  root_.reset(root);
  InvalidateNameIndex();
  root->SetManager(this, nullptr, true);
  NeedUpdate();
  Invalidate();
  return true;
}

CControlUI* CPaintManagerUI::FindControl(const CDuiString& name) const {
  if (!root_ || name.IsEmpty()) return nullptr;
  if (!nameIndexValid_) {
    nameIndex_.clear();
    std::vector<CControlUI*> stack{root_.get()};
    // Depth-first, children in order, so the first control of a name wins.
    while (!stack.empty()) {
      CControlUI* c = stack.back();
      stack.pop_back();
      if (!c->GetName().IsEmpty()) nameIndex_.emplace(c->GetName().str(), c);
      for (int i = c->GetChildCount() - 1; i >= 0; --i) stack.push_back(c->GetChildAt(i));
    }
    nameIndexValid_ = true;
  }
  auto it = nameIndex_.find(name.str());
  return it == nameIndex_.end() ? nullptr : it->second;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
  if (!root_) return nullptr;
  const_cast<CPaintManagerUI*>(this)->UpdateLayout();
  return root_->FindControlAt(pt);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent,
                                                  const CDuiString& name) const {
  if (!parent) parent = root_.get();
  return parent ? parent->FindSubControl(name) : nullptr;
}

void CPaintManagerUI::SetInitSize(int cx, int cy) {
  initSize_ = {cx, cy};
  if (clientSize_.cx == 0 || clientSize_.cy == 0) SetClientSize(initSize_);
}

void CPaintManagerUI::SetClientSize(SIZE size) {
  if (size == clientSize_) return;
  clientSize_ = size;
  NeedUpdate();
  Invalidate();
}

bool CPaintManagerUI::IsCaptionDragPoint(POINT pt) const {
  RECT band{caption_.left, caption_.top, clientSize_.cx - caption_.right, caption_.bottom};
  if (!band.Contains(pt)) return false;
  CControlUI* hit = FindControl(pt);
  return !hit || !TakesClicks(hit);
}

void CPaintManagerUI::AddFont(int id, const FontSpec& font, bool isDefault) {
  fonts_[id] = font;
  if (isDefault || defaultFont_ < 0) defaultFont_ = id;
  Invalidate();
}

const FontSpec& CPaintManagerUI::GetFont(int id) const {
  if (auto it = fonts_.find(id); it != fonts_.end()) return it->second;
  if (auto it = fonts_.find(defaultFont_); it != fonts_.end()) return it->second;
  static const FontSpec kFallback{"Sans", 14, false, false, false};
  return kFallback;
}

void CPaintManagerUI::AddDefaultAttributeList(const std::string& controlClass,
                                              const std::string& list) {
  defaultAttributes_[controlClass] = list;
}

const std::string* CPaintManagerUI::GetDefaultAttributeList(const std::string& controlClass) const {
  auto it = defaultAttributes_.find(controlClass);
  return it == defaultAttributes_.end() ? nullptr : &it->second;
}

// ---- notifications ----

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
  if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end())
    notifiers_.push_back(notifier);
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { std::erase(notifiers_, notifier); }

void CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
  if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end())
    filters_.push_back(filter);
}

void CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
  std::erase(filters_, filter);
}

void CPaintManagerUI::SendNotify(CControlUI* sender, const CDuiString& type, WPARAM wParam,
                                 LPARAM lParam) {
  TNotifyUI msg;
  msg.sType = type;
  msg.pSender = sender;
  msg.ptMouse = mouse_;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg) {
  DispatchScope scope(*this);
  std::vector<INotifyUI*> notifiers = notifiers_;
  for (INotifyUI* notifier : notifiers) {
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) continue;
    notifier->Notify(msg);
  }
}

// ---- focus ----

void CPaintManagerUI::SetFocus(CControlUI* control) {
  if (control == focus_) return;
  DispatchScope scope(*this);
  auto tell = [this](CControlUI* target, bool focused) {
    target->focused_ = focused;
    TEventUI event;
    event.Type = focused ? EventType::kSetFocus : EventType::kKillFocus;
    event.pSender = target;
    target->DoEvent(event);
    SendNotify(target, focused ? kNotifySetFocus : kNotifyKillFocus);
  };
  CControlUI* old = focus_;
  focus_ = control;
  if (old) tell(old, false);
  // The old control's handlers may have moved the focus elsewhere already.
  if (control && focus_ == control) tell(control, true);
  Invalidate();
}

void CPaintManagerUI::SetNextTabControl(bool forward) {
  if (!root_) return;
  std::vector<CControlUI*> order;
  // Depth-first in tree order.
  std::function<void(CControlUI*)> walk = [&](CControlUI* c) {
    if (c->WantsFocus() && c->IsEnabled() && c->IsVisibleOnScreen()) order.push_back(c);
    for (int i = 0; i < c->GetChildCount(); ++i) walk(c->GetChildAt(i));
  };
  walk(root_.get());
  if (order.empty()) return;
  auto it = std::find(order.begin(), order.end(), focus_);
  std::size_t index;
  if (it == order.end()) {
    index = forward ? 0 : order.size() - 1;
  } else {
    std::size_t at = static_cast<std::size_t>(it - order.begin());
    index = forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
  }
  SetFocus(order[index]);
}

// ---- option groups ----

std::vector<CControlUI*> CPaintManagerUI::GetOptionGroup(const CDuiString& group) const {
  auto it = optionGroups_.find(group);
  return it == optionGroups_.end() ? std::vector<CControlUI*>{} : it->second;
}

void CPaintManagerUI::AddOptionGroup(const CDuiString& group, CControlUI* option) {
  auto& members = optionGroups_[group];
  if (std::find(members.begin(), members.end(), option) == members.end()) members.push_back(option);
}

void CPaintManagerUI::RemoveOptionGroup(const CDuiString& group, CControlUI* option) {
  auto it = optionGroups_.find(group);
  if (it != optionGroups_.end()) std::erase(it->second, option);
}

// ---- control timers ----

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapseMs) {
  platform::MessageLoop* loop = platform::MessageLoop::ForCurrentThread();
  if (!hwnd_ || !loop) return false;
  UINT_PTR platformId = 0;
  for (auto& [pid, timer] : timers_)
    if (timer.control == control && timer.id == id) platformId = pid;
  if (!platformId) {
    platformId = nextTimerId_++;
    timers_[platformId] = {control, id};
  }
  return loop->SetTimer(hwnd_, platformId, elapseMs);
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.control == control && it->second.id == id) {
      if (auto* loop = platform::MessageLoop::ForCurrentThread()) loop->KillTimer(hwnd_, it->first);
      timers_.erase(it);
      return true;
    }
  }
  return false;
}

void CPaintManagerUI::KillTimers(CControlUI* control) {
  auto* loop = platform::MessageLoop::ForCurrentThread();
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.control == control) {
      if (loop) loop->KillTimer(hwnd_, it->first);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

// ---- input ----

bool CPaintManagerUI::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  bool isInput = msg == platform::WM_KEYDOWN || msg == platform::WM_CHAR || msg == WM_TEXTINPUT ||
                 (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL);
  if (isInput && !inputEnabled_) return true;
  DispatchScope scope(*this);
  std::vector<IMessageFilterUI*> filters = filters_;
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    LRESULT r = filter->MessageHandler(msg, wParam, lParam, handled);
    if (handled) {
      result = r;
      return true;
    }
  }
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      DispatchMouse(msg, PointFromLParam(lParam), static_cast<unsigned>(wParam));
      return true;
    case WM_MOUSEWHEEL: {
      CControlUI* hit = FindControl(PointFromLParam(lParam));
      if (hit) {
        TEventUI event;
        event.Type = EventType::kScrollWheel;
        event.pSender = hit;
        event.ptMouse = PointFromLParam(lParam);
        event.wParam = wParam;
        DispatchEvent(hit, event);
      }
      return true;
    }
    case WM_MOUSELEAVE:
      SetHot(nullptr);
      HideToolTip();
      return true;
    case platform::WM_KEYDOWN:
      DispatchKey(wParam, static_cast<unsigned>(lParam) & 7u);
      return true;
    case WM_TEXTINPUT:
      if (focus_ && lParam) {
        TEventUI event;
        event.Type = EventType::kTextInput;
        event.pSender = focus_;
        event.text = *reinterpret_cast<const std::u16string*>(lParam);
        DispatchEvent(focus_, event);
      }
      return true;
    case platform::WM_TIMER: {
      if (wParam == kToolTipTimerId) {
        if (toolTipFor_ && toolTipFor_ == hot_ && !captured_) {
          toolTipShown_ = true;
          Invalidate();
        }
        return true;
      }
      auto it = timers_.find(wParam);
      if (it == timers_.end()) return false;
      TEventUI event;
      event.Type = EventType::kTimer;
      event.pSender = it->second.control;
      event.wParam = it->second.id;
      DispatchEvent(it->second.control, event);
      return true;
    }
    default:
      return false;
  }
}

void CPaintManagerUI::DispatchEvent(CControlUI* control, TEventUI& event) {
  DispatchScope scope(*this);
  control->DoEvent(event);
}

void CPaintManagerUI::HideToolTip() {
  if (toolTipShown_) Invalidate();
  toolTipShown_ = false;
  toolTipFor_ = nullptr;
  if (auto* loop = platform::MessageLoop::ForCurrentThread(); loop && hwnd_)
    loop->KillTimer(hwnd_, kToolTipTimerId);
}

void CPaintManagerUI::SetHot(CControlUI* control) {
  if (control == hot_) return;
  CControlUI* old = hot_;
  hot_ = control;
  HideToolTip();
  if (control && !control->GetToolTip().IsEmpty() && hwnd_) {
    if (auto* loop = platform::MessageLoop::ForCurrentThread()) {
      toolTipFor_ = control;
      loop->SetTimer(hwnd_, kToolTipTimerId, kToolTipDelayMs, /*oneShot=*/true);
    }
  }
  if (old) {
    TEventUI event;
    event.Type = EventType::kMouseLeave;
    event.pSender = old;
    event.ptMouse = mouse_;
    DispatchEvent(old, event);
  }
  if (control && hot_ == control) {
    TEventUI event;
    event.Type = EventType::kMouseEnter;
    event.pSender = control;
    event.ptMouse = mouse_;
    DispatchEvent(control, event);
  }
}

void CPaintManagerUI::DispatchMouse(UINT msg, POINT pt, unsigned mods) {
  mouse_ = pt;
  TEventUI event;
  event.ptMouse = pt;
  event.modifiers = mods;
  if (msg == WM_MOUSEMOVE) {
    if (captured_) {
      event.Type = EventType::kMouseMove;
      event.pSender = captured_;
      DispatchEvent(captured_, event);
      return;
    }
    CControlUI* hit = FindControl(pt);
    SetHot(hit);
    return;
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    HideToolTip();
    CControlUI* hit = FindControl(pt);
    SetHot(hit);
    if (!hit) {
      SetFocus(nullptr);
      return;
    }
    if (!hit->IsEnabled()) return;
    captured_ = hit;
    SetFocus(hit->WantsFocus() ? hit : nullptr);
    if (captured_ != hit) return;  // a focus handler took the control away
    event.Type = msg == WM_LBUTTONDOWN ? EventType::kButtonDown : EventType::kDoubleClick;
    event.pSender = hit;
    DispatchEvent(hit, event);
    return;
  }
  // Button up: to the control that saw the button go down.
  CControlUI* target = captured_;
  captured_ = nullptr;
  if (!target) return;
  event.Type = EventType::kButtonUp;
  event.pSender = target;
  DispatchEvent(target, event);
}

void CPaintManagerUI::DispatchKey(WPARAM key, unsigned mods) {
  if (key == platform::VK_TAB) {
    SetNextTabControl((mods & kModShift) == 0);
    return;
  }
  if (!focus_) return;
  TEventUI event;
  event.Type = EventType::kKeyDown;
  event.pSender = focus_;
  event.wParam = key;
  event.modifiers = mods;
  DispatchEvent(focus_, event);
}

// ---- drawing ----

void CPaintManagerUI::Invalidate() {
  bool wasInvalid = invalid_;
  invalid_ = true;
  if (!wasInvalid && onInvalid_) onInvalid_();
}

void CPaintManagerUI::UpdateLayout() {
  // A layout pass may change sizes that ask for another pass; a few suffice.
  for (int pass = 0; pass < 3 && needLayout_ && root_; ++pass) {
    needLayout_ = false;
    SIZE size = clientSize_.cx > 0 ? clientSize_ : initSize_;
    root_->SetPos({0, 0, size.cx, size.cy}, false);
  }
}

cairo_surface_t* CPaintManagerUI::Render() {
  SIZE size = clientSize_.cx > 0 && clientSize_.cy > 0 ? clientSize_ : initSize_;
  if (size.cx <= 0 || size.cy <= 0) size = {1, 1};
  if (!surface_ || cairo_image_surface_get_width(surface_) != size.cx ||
      cairo_image_surface_get_height(surface_) != size.cy) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy);
    invalid_ = true;
  }
  UpdateLayout();
  if (!invalid_) return surface_;
  DispatchScope scope(*this);
  invalid_ = false;
  // Cairo and pango release fonts when the context goes, so the whole drawing
  // holds the text engine's lock.
  std::lock_guard textLock(toolkit::TextEngineMutex());
  cairo_t* cr = cairo_create(surface_);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  PaintContext ctx(cr, *this);
  if (roundCorner_.cx > 0 && roundCorner_.cy > 0) {
    ctx.PushClip({0, 0, size.cx, size.cy}, roundCorner_);
  }
  if (root_) root_->DoPaint(ctx);
  if (toolTipShown_ && toolTipFor_) PaintToolTip(ctx);
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
  return surface_;
}

void CPaintManagerUI::PaintToolTip(PaintContext& ctx) {
  const std::u16string& text = toolTipFor_->GetToolTip().str();
  int width = ctx.TextWidth(text, -1) + 16;
  int height = ctx.FontHeight(-1) + 8;
  SIZE size = clientSize_.cx > 0 ? clientSize_ : initSize_;
  // Below and right of the mouse, kept inside the window.
  int x = std::clamp(mouse_.x + 12, 0, std::max(0, size.cx - width));
  int y = mouse_.y + 20;
  if (y + height > size.cy) y = std::max(0, mouse_.y - height - 4);
  RECT box{x, y, x + width, y + height};
  ctx.FillRect(box, 0xF0303030, {6, 6});
  TextStyle style;
  style.color = 0xFFFFFFFF;
  style.align = TextAlign::kCenter;
  ctx.DrawText(box, text, style);
}

// ---- lifetime ----

void CPaintManagerUI::ReapControl(std::unique_ptr<CControlUI> control) {
  if (!control) return;
  InvalidateNameIndex();
  DropInputState(control.get());
  if (dispatchDepth_ > 0) {
    graveyard_.push_back(std::move(control));
  } else {
    control.reset();
  }
}

void CPaintManagerUI::FlushGraveyard() {
  while (!graveyard_.empty()) {
    std::vector<std::unique_ptr<CControlUI>> dead = std::move(graveyard_);
    graveyard_.clear();
    dead.clear();
  }
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
  InvalidateNameIndex();
  if (toolTipFor_ == control) HideToolTip();
  if (focus_ == control) focus_ = nullptr;
  if (hot_ == control) hot_ = nullptr;
  if (captured_ == control) captured_ = nullptr;
  KillTimers(control);
  for (auto& [group, members] : optionGroups_) std::erase(members, control);
}

void CPaintManagerUI::DropInputState(CControlUI* subtree) {
  if (toolTipFor_ && IsInSubtree(toolTipFor_, subtree)) HideToolTip();
  if (hot_ && IsInSubtree(hot_, subtree)) hot_ = nullptr;
  if (captured_ && IsInSubtree(captured_, subtree)) captured_ = nullptr;
  if (focus_ && IsInSubtree(focus_, subtree)) SetFocus(nullptr);
}

}  // namespace ui
