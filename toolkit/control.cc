#include "toolkit/control.h"

#include <cstdio>

#include "toolkit/containers.h"
#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"

namespace ui {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (manager_) manager_->ReapObjects(this);
}

void* CControlUI::GetInterface(std::u16string_view name) {
  return name == u"Control" ? this : nullptr;
}

const PropertyTable& CControlUI::Properties() const { return ControlProperties(); }

const PropertyTable& CControlUI::ControlProperties() {
  using C = CControlUI;
  static const PropertyTable table(
      nullptr,
      {
          {"name", [](C& c, std::string_view v) { c.SetName(CDuiString(std::string(v))); }},
          {"float", Bind(&C::SetFloat, attr::Bool)},
          {"pos", [](C& c, std::string_view v) { c.SetFloatPos(attr::Rect(v)); }},
          {"width", Bind(&C::SetFixedWidth, attr::Int)},
          {"height", Bind(&C::SetFixedHeight, attr::Int)},
          {"minwidth", Bind(&C::SetMinWidth, attr::Int)},
          {"maxwidth", Bind(&C::SetMaxWidth, attr::Int)},
          {"minheight", Bind(&C::SetMinHeight, attr::Int)},
          {"maxheight", Bind(&C::SetMaxHeight, attr::Int)},
          {"padding", Bind(&C::SetPadding, attr::Rect)},
          {"bkcolor", Bind(&C::SetBkColor, attr::Color)},
          {"bkcolor1", Bind(&C::SetBkColor, attr::Color)},
          {"bkcolor2", Bind(&C::SetBkColor2, attr::Color)},
          {"bordercolor", Bind(&C::SetBorderColor, attr::Color)},
          {"focusbordercolor", Bind(&C::SetFocusBorderColor, attr::Color)},
          {"bordersize", [](C& c, std::string_view v) { c.SetBorderSize(attr::Rect(v).left); }},
          {"borderround", Bind(&C::SetBorderRound, attr::Size)},
          {"bkimage", [](C& c, std::string_view v) { c.SetBkImage(CDuiString(std::string(v))); }},
          {"visible", Bind(&C::SetVisible, attr::Bool)},
          {"enabled", Bind(&C::SetEnabled, attr::Bool)},
          {"text", [](C& c, std::string_view v) { c.SetText(CDuiString(std::string(v))); }},
          {"tooltip", [](C& c, std::string_view v) { c.SetToolTip(CDuiString(std::string(v))); }},
          {"userdata", [](C& c, std::string_view v) { c.SetUserData(CDuiString(std::string(v))); }},
          {"tag", [](C& c, std::string_view v) { c.SetTag(static_cast<UINT_PTR>(attr::Int(v))); }},
          {"mouse", Bind(&C::SetMouseEnabled, attr::Bool)},
          {"keyboard", Bind(&C::SetKeyboardEnabled, attr::Bool)},
          {"cursor", [](C& c, std::string_view v) { c.handCursor_ = (v == "hand"); }},
          // Accepted for compatibility; they change nothing here.
          {"virtualwnd", [](C&, std::string_view) {}},
          {"menu", [](C&, std::string_view) {}},
          {"shortcut", [](C&, std::string_view) {}},
      });
  return table;
}

void CControlUI::SetName(const CDuiString& name) {
  name_ = name;
  if (manager_) manager_->InvalidateNameIndex();
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool /*init*/) {
  manager_ = manager;
  parent_ = parent;
}

CControlUI* CControlUI::FindSubControl(const CDuiString& name) {
  if (name_ == name) return this;
  for (int i = 0; i < GetChildCount(); ++i) {
    if (CControlUI* found = GetChildAt(i)->FindSubControl(name)) return found;
  }
  return nullptr;
}

void CControlUI::SetText(const CDuiString& text) {
  if (text_ == text) return;
  text_ = text;
  Invalidate();
}

void CControlUI::SetBkColor(DWORD color) {
  bkColor_ = color;
  Invalidate();
}
void CControlUI::SetBkColor2(DWORD color) {
  bkColor2_ = color;
  Invalidate();
}
void CControlUI::SetBorderColor(DWORD color) {
  borderColor_ = color;
  Invalidate();
}
void CControlUI::SetFocusBorderColor(DWORD color) {
  focusBorderColor_ = color;
  Invalidate();
}
void CControlUI::SetBorderSize(int size) {
  borderSize_ = size < 0 ? 0 : size;
  Invalidate();
}
void CControlUI::SetBorderRound(SIZE round) {
  borderRound_ = round;
  Invalidate();
}
void CControlUI::SetBkImage(const CDuiString& image) {
  if (bkImage_ == image) return;
  bkImage_ = image;
  Invalidate();
}

void CControlUI::SetPos(RECT rc, bool needInvalidate) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  pos_ = rc;
  if (needInvalidate) Invalidate();
}

void CControlUI::SetPadding(RECT padding) {
  padding_ = padding;
  NeedParentUpdate();
}
void CControlUI::SetFixedXY(SIZE xy) {
  fixedXY_ = xy;
  NeedParentUpdate();
}
void CControlUI::SetFixedWidth(int width) {
  fixedWidth_ = width < 0 ? 0 : width;
  NeedParentUpdate();
}
void CControlUI::SetFixedHeight(int height) {
  fixedHeight_ = height < 0 ? 0 : height;
  NeedParentUpdate();
}
void CControlUI::SetMinWidth(int v) {
  minWidth_ = v < 0 ? 0 : v;
  NeedParentUpdate();
}
void CControlUI::SetMaxWidth(int v) {
  maxWidth_ = v < 0 ? 0 : v;
  NeedParentUpdate();
}
void CControlUI::SetMinHeight(int v) {
  minHeight_ = v < 0 ? 0 : v;
  NeedParentUpdate();
}
void CControlUI::SetMaxHeight(int v) {
  maxHeight_ = v < 0 ? 0 : v;
  NeedParentUpdate();
}
void CControlUI::SetFloat(bool isFloat) {
  float_ = isFloat;
  NeedParentUpdate();
}

void CControlUI::SetFloatPos(RECT rc) {
  fixedXY_ = {rc.left, rc.top};
  fixedWidth_ = rc.Width() > 0 ? rc.Width() : 0;
  fixedHeight_ = rc.Height() > 0 ? rc.Height() : 0;
  NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE /*available*/) { return {fixedWidth_, fixedHeight_}; }

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (!visible && manager_) manager_->ReapObjects(this);
  NeedParentUpdate();
}

bool CControlUI::IsVisibleOnScreen() const {
  const CControlUI* child = this;
  if (!child->IsVisible()) return false;
  for (CControlUI* parent = parent_; parent; child = parent, parent = parent->parent_) {
    if (!parent->IsVisible()) return false;
    auto* container = static_cast<CContainerUI*>(parent->GetInterface(u"Container"));
    if (container &&
        !container->IsChildShown(container->GetItemIndex(const_cast<CControlUI*>(child))))
      return false;
  }
  return true;
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (manager_) manager_->SetFocus(this);
}

bool CControlUI::ApplyAttribute(std::string_view name, std::string_view value) {
  const PropertyTable::Setter* setter = Properties().Find(name);
  if (!setter) return false;
  (*setter)(*this, value);
  return true;
}

void CControlUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
  std::string n = name.ToUtf8();
  if (!ApplyAttribute(n, value.ToUtf8()))
    std::fprintf(stderr, "toolkit: unknown attribute '%s' on %s\n", n.c_str(),
                 CDuiString::ToUtf8(GetClass()).c_str());
}

void CControlUI::ApplyAttributeList(std::string_view list) {
  for (auto& [name, value] : ParseAttributeList(list)) {
    if (!ApplyAttribute(name, value))
      std::fprintf(stderr, "toolkit: unknown attribute '%s' on %s\n", name.c_str(),
                   CDuiString::ToUtf8(GetClass()).c_str());
  }
}

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case EventType::kButtonDown:
    case EventType::kButtonUp:
    case EventType::kDoubleClick:
    case EventType::kScrollWheel:
    case EventType::kMouseMove:
      if (parent_) parent_->DoEvent(event);
      break;
    default:
      break;
  }
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

CControlUI* CControlUI::FindControlAt(POINT pt) {
  if (!IsVisible() || !pos_.Contains(pt)) return nullptr;
  return mouseEnabled_ ? this : nullptr;
}

void CControlUI::DoPaint(PaintContext& ctx) {
  if (!IsVisible() || pos_.IsEmpty()) return;
  PaintBkColor(ctx);
  PaintBkImage(ctx);
  PaintStatusImage(ctx);
  PaintText(ctx);
  PaintBorder(ctx);
}

void CControlUI::Invalidate() {
  if (manager_) manager_->Invalidate();
}

void CControlUI::NeedUpdate() {
  if (manager_) manager_->NeedUpdate();
}

void CControlUI::NeedParentUpdate() { NeedUpdate(); }

void CControlUI::PaintBkColor(PaintContext& ctx) {
  if (bkColor2_ != 0 && bkColor_ != 0) {
    ctx.FillGradient(pos_, bkColor_, bkColor2_, borderRound_);
  } else if (bkColor_ != 0) {
    ctx.FillRect(pos_, bkColor_, borderRound_);
  }
}

void CControlUI::PaintBkImage(PaintContext& ctx) {
  if (!bkImage_.IsEmpty()) DrawImage(ctx, bkImage_);
}

void CControlUI::PaintStatusImage(PaintContext& /*ctx*/) {}
void CControlUI::PaintText(PaintContext& /*ctx*/) {}

void CControlUI::PaintBorder(PaintContext& ctx) {
  if (borderSize_ <= 0) return;
  DWORD color = (focused_ && focusBorderColor_ != 0) ? focusBorderColor_ : borderColor_;
  ctx.StrokeRect(pos_, color, borderSize_, borderRound_);
}

bool CControlUI::DrawImage(PaintContext& ctx, const CDuiString& description) {
  return ctx.DrawImage(pos_, ParseImageDescription(description.ToUtf8()), borderRound_);
}

}  // namespace ui
