#include "toolkit/button.h"

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"

namespace ui {

namespace {
PropertyTable::Setter Image(void (CButtonUI::*setter)(const CDuiString&)) {
  return [setter](CControlUI& c, std::string_view v) {
    (static_cast<CButtonUI&>(c).*setter)(CDuiString(std::string(v)));
  };
}
PropertyTable::Setter OptionImage(void (COptionUI::*setter)(const CDuiString&)) {
  return [setter](CControlUI& c, std::string_view v) {
    (static_cast<COptionUI&>(c).*setter)(CDuiString(std::string(v)));
  };
}
}  // namespace

CButtonUI::CButtonUI() { align_ = TextAlign::kCenter; }

void* CButtonUI::GetInterface(std::u16string_view name) {
  if (name == u"Button") return this;
  return CLabelUI::GetInterface(name);
}

const PropertyTable& CButtonUI::Properties() const {
  using C = CButtonUI;
  static const PropertyTable table(
      &CLabelUI::LabelProperties(),
      {
          {"normalimage", Image(&C::SetNormalImage)},
          {"hotimage", Image(&C::SetHotImage)},
          {"pushedimage", Image(&C::SetPushedImage)},
          {"focusedimage", Image(&C::SetFocusedImage)},
          {"disabledimage", Image(&C::SetDisabledImage)},
          {"foreimage", Image(&C::SetForeImage)},
          {"hottextcolor", Bind(&C::SetHotTextColor, attr::Color)},
          {"pushedtextcolor", Bind(&C::SetPushedTextColor, attr::Color)},
          {"focusedtextcolor", Bind(&C::SetFocusedTextColor, attr::Color)},
          {"hotbkcolor", Ignored()},
      });
  return table;
}

void CButtonUI::SetNormalImage(const CDuiString& image) {
  normalImage_ = image;
  Invalidate();
}
void CButtonUI::SetHotImage(const CDuiString& image) {
  hotImage_ = image;
  Invalidate();
}
void CButtonUI::SetPushedImage(const CDuiString& image) {
  pushedImage_ = image;
  Invalidate();
}
void CButtonUI::SetFocusedImage(const CDuiString& image) {
  focusedImage_ = image;
  Invalidate();
}
void CButtonUI::SetDisabledImage(const CDuiString& image) {
  disabledImage_ = image;
  Invalidate();
}
void CButtonUI::SetForeImage(const CDuiString& image) {
  foreImage_ = image;
  Invalidate();
}
void CButtonUI::SetHotTextColor(DWORD color) {
  hotTextColor_ = color;
  Invalidate();
}
void CButtonUI::SetPushedTextColor(DWORD color) {
  pushedTextColor_ = color;
  Invalidate();
}
void CButtonUI::SetFocusedTextColor(DWORD color) {
  focusedTextColor_ = color;
  Invalidate();
}

bool CButtonUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (manager_) manager_->SendNotify(this, kNotifyClick);
  return true;
}

void CButtonUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case EventType::kMouseEnter:
      hot_ = true;
      Invalidate();
      return;
    case EventType::kMouseLeave:
      hot_ = false;
      Invalidate();
      return;
    case EventType::kButtonDown:
    case EventType::kDoubleClick:
      if (IsEnabled()) {
        pushed_ = true;
        Invalidate();
      }
      return;
    case EventType::kButtonUp:
      if (pushed_) {
        pushed_ = false;
        Invalidate();
        if (pos_.Contains(event.ptMouse)) Activate();
      }
      return;
    case EventType::kKeyDown:
      if (event.wParam == VK_SPACE || event.wParam == platform::VK_RETURN) {
        Activate();
        return;
      }
      break;
    case EventType::kSetFocus:
    case EventType::kKillFocus:
      Invalidate();
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

const CDuiString& CButtonUI::CurrentStateImage() const {
  auto pick = [this](const CDuiString& image) -> const CDuiString& {
    return image.IsEmpty() ? normalImage_ : image;
  };
  if (!IsEnabled()) return pick(disabledImage_);
  if (pushed_) return pick(pushedImage_);
  if (hot_) return pick(hotImage_);
  if (IsFocused()) return pick(focusedImage_);
  return normalImage_;
}

void CButtonUI::PaintStatusImage(PaintContext& ctx) {
  const CDuiString& image = CurrentStateImage();
  if (!image.IsEmpty()) DrawImage(ctx, image);
  if (!foreImage_.IsEmpty()) DrawImage(ctx, foreImage_);
}

DWORD CButtonUI::CurrentTextColor() const {
  if (IsEnabled()) {
    if (pushed_ && pushedTextColor_ != 0) return pushedTextColor_;
    if (hot_ && hotTextColor_ != 0) return hotTextColor_;
    if (IsFocused() && focusedTextColor_ != 0) return focusedTextColor_;
  }
  return CLabelUI::CurrentTextColor();
}

// ---- Option ----

COptionUI::~COptionUI() = default;

void* COptionUI::GetInterface(std::u16string_view name) {
  if (name == u"Option") return this;
  return CButtonUI::GetInterface(name);
}

const PropertyTable& COptionUI::Properties() const {
  using C = COptionUI;
  static const PropertyTable table(
      &CButtonUI::Properties(),
      {
          {"group",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetGroup(CDuiString(std::string(v)));
           }},
          {"selected",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).Selected(attr::Bool(v), false);
           }},
          {"selectedimage", OptionImage(&C::SetSelectedImage)},
          {"selectedhotimage", OptionImage(&C::SetSelectedHotImage)},
          {"selectedpushedimage", OptionImage(&C::SetSelectedPushedImage)},
          {"selectedtextcolor", Bind(&C::SetSelectedTextColor, attr::Color)},
          {"selectedbkcolor", Bind(&C::SetSelectedBkColor, attr::Color)},
      });
  return table;
}

void COptionUI::SetGroup(const CDuiString& group) {
  if (group_ == group) return;
  if (manager_ && !group_.IsEmpty()) manager_->RemoveOptionGroup(group_, this);
  group_ = group;
  if (manager_ && !group_.IsEmpty()) manager_->AddOptionGroup(group_, this);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (manager_ && manager_ != manager && !group_.IsEmpty())
    manager_->RemoveOptionGroup(group_, this);
  CButtonUI::SetManager(manager, parent, init);
  if (manager_ && !group_.IsEmpty()) {
    manager_->AddOptionGroup(group_, this);
    if (selected_) {
      // The layout's selected option of a group wins over earlier ones.
      for (CControlUI* other : manager_->GetOptionGroup(group_))
        if (other != this) static_cast<COptionUI*>(other)->Selected(false, false);
    }
  }
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
  if (selected_ == selected) return;
  selected_ = selected;
  if (selected && manager_ && !group_.IsEmpty()) {
    for (CControlUI* other : manager_->GetOptionGroup(group_)) {
      if (other != this) static_cast<COptionUI*>(other)->Selected(false, triggerEvent);
    }
  }
  Invalidate();
  if (triggerEvent && manager_) manager_->SendNotify(this, kNotifySelectChanged);
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate()) return false;
  if (!group_.IsEmpty()) {
    Selected(true);
  } else {
    Selected(!selected_);
  }
  return true;
}

void COptionUI::SetSelectedImage(const CDuiString& image) {
  selectedImage_ = image;
  Invalidate();
}
void COptionUI::SetSelectedHotImage(const CDuiString& image) {
  selectedHotImage_ = image;
  Invalidate();
}
void COptionUI::SetSelectedPushedImage(const CDuiString& image) {
  selectedPushedImage_ = image;
  Invalidate();
}
void COptionUI::SetSelectedTextColor(DWORD color) {
  selectedTextColor_ = color;
  Invalidate();
}
void COptionUI::SetSelectedBkColor(DWORD color) {
  selectedBkColor_ = color;
  Invalidate();
}

void COptionUI::PaintBkColor(PaintContext& ctx) {
  if (selected_ && selectedBkColor_ != 0) {
    ctx.FillRect(pos_, selectedBkColor_, GetBorderRound());
    return;
  }
  CButtonUI::PaintBkColor(ctx);
}

const CDuiString& COptionUI::CurrentStateImage() const {
  if (selected_ && IsEnabled()) {
    if (pushed_ && !selectedPushedImage_.IsEmpty()) return selectedPushedImage_;
    if (hot_ && !selectedHotImage_.IsEmpty()) return selectedHotImage_;
    if (!selectedImage_.IsEmpty()) return selectedImage_;
  } else if (selected_ && !selectedImage_.IsEmpty() && disabledImage_.IsEmpty()) {
    return selectedImage_;
  }
  return CButtonUI::CurrentStateImage();
}

DWORD COptionUI::CurrentTextColor() const {
  if (selected_ && IsEnabled() && selectedTextColor_ != 0) return selectedTextColor_;
  return CButtonUI::CurrentTextColor();
}

// ---- CheckBox ----

void* CCheckBoxUI::GetInterface(std::u16string_view name) {
  if (name == u"CheckBox") return this;
  return COptionUI::GetInterface(name);
}

const PropertyTable& CCheckBoxUI::Properties() const {
  static const PropertyTable table(
      &COptionUI::Properties(),
      {
          {"checked",
           [](CControlUI& c, std::string_view v) {
             static_cast<CCheckBoxUI&>(c).Selected(attr::Bool(v), false);
           }},
          // A check box toggles on its own; a group would make it a radio button.
          {"group", Ignored()},
      });
  return table;
}

}  // namespace ui
