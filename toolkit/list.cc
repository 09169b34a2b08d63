#include "toolkit/list.h"

#include <algorithm>

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"

namespace ui {

// ---- ListContainerElement ----

void* CListContainerElementUI::GetInterface(std::u16string_view name) {
  if (name == u"ListContainerElement" || name == u"ListItem") return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

const PropertyTable& CListContainerElementUI::Properties() const {
  static const PropertyTable table(&CContainerUI::Properties(),
                                   {
                                       {"selected",
                                        [](CControlUI& c, std::string_view v) {
                                          static_cast<CListContainerElementUI&>(c).selected_ =
                                              attr::Bool(v);
                                        }},
                                   });
  return table;
}

CListUI* CListContainerElementUI::GetOwner() const {
  return parent_ ? static_cast<CListUI*>(parent_->GetInterface(u"List")) : nullptr;
}

int CListContainerElementUI::GetIndex() const {
  CListUI* owner = GetOwner();
  return owner ? owner->GetItemIndex(const_cast<CListContainerElementUI*>(this)) : -1;
}

bool CListContainerElementUI::Select(bool select) {
  CListUI* owner = GetOwner();
  if (owner) {
    if (select) return owner->SelectItem(GetIndex());
    if (owner->GetCurSel() == GetIndex()) return owner->SelectItem(-1);
  }
  selected_ = select;
  Invalidate();
  return true;
}

bool CListContainerElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (manager_) manager_->SendNotify(this, kNotifyItemClick);
  return true;
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case EventType::kMouseEnter:
    case EventType::kMouseLeave:
      hot_ = event.Type == EventType::kMouseEnter;
      Invalidate();
      return;
    case EventType::kButtonDown:
    case EventType::kDoubleClick:
      if (IsEnabled()) Select(true);
      return;
    case EventType::kButtonUp:
      if (IsEnabled() && pos_.Contains(event.ptMouse)) Activate();
      return;
    case EventType::kKeyDown:
      if (event.wParam == platform::VK_RETURN || event.wParam == VK_SPACE) {
        Activate();
        return;
      }
      break;
    default:
      break;
  }
  CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(PaintContext& ctx) {
  CListUI* owner = GetOwner();
  DWORD color = 0;
  if (owner) {
    if (selected_ && owner->GetItemSelectedBkColor() != 0)
      color = owner->GetItemSelectedBkColor();
    else if (hot_ && owner->GetItemHotBkColor() != 0)
      color = owner->GetItemHotBkColor();
    else if (owner->GetItemBkColor() != 0 && GetBkColor() == 0)
      color = owner->GetItemBkColor();
  }
  if (color != 0) {
    ctx.FillRect(pos_, color, GetBorderRound());
    return;
  }
  CHorizontalLayoutUI::PaintBkColor(ctx);
}

// ---- List ----

void* CListUI::GetInterface(std::u16string_view name) {
  if (name == u"List") return this;
  return CVerticalLayoutUI::GetInterface(name);
}

const PropertyTable& CListUI::Properties() const {
  using C = CListUI;
  static const PropertyTable table(
      &CContainerUI::Properties(),
      {
          {"itembkcolor", Bind(&C::SetItemBkColor, attr::Color)},
          {"itemhotbkcolor", Bind(&C::SetItemHotBkColor, attr::Color)},
          {"itemselectedbkcolor", Bind(&C::SetItemSelectedBkColor, attr::Color)},
          {"itemtextcolor", Ignored()},
          {"itemselectedtextcolor", Ignored()},
          {"itemhottextcolor", Ignored()},
          {"itemfont", Ignored()},
          {"itemalign", Ignored()},
          {"itemshowhtml", Ignored()},
          {"itemlinecolor", Ignored()},
          {"header", Ignored()},
          {"multiexpanding", Ignored()},
      });
  return table;
}

bool CListUI::SelectItem(int index, bool takeFocus) {
  if (index >= GetCount()) return false;
  if (index == current_) return true;
  if (auto* old = static_cast<CListContainerElementUI*>(
          current_ >= 0 && GetItemAt(current_)
              ? GetItemAt(current_)->GetInterface(u"ListContainerElement")
              : nullptr)) {
    old->selected_ = false;
    old->Invalidate();
  }
  current_ = index < 0 ? -1 : index;
  if (current_ >= 0) {
    auto* row = static_cast<CListContainerElementUI*>(
        GetItemAt(current_)->GetInterface(u"ListContainerElement"));
    if (row) {
      row->selected_ = true;
      if (takeFocus) row->SetFocus();
    }
  }
  Invalidate();
  if (manager_) manager_->SendNotify(this, kNotifyItemSelect, static_cast<WPARAM>(current_));
  return true;
}

bool CListUI::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == current_)
    current_ = -1;
  else if (index < current_)
    --current_;
  return CContainerUI::RemoveAt(index);
}

void CListUI::RemoveAll() {
  current_ = -1;
  scrollY_ = 0;
  CContainerUI::RemoveAll();
}

void CListUI::SetPos(RECT rc, bool needInvalidate) {
  // Rows are expected to have a height; one without counts as 30 for scrolling.
  contentHeight_ = 0;
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* item = GetItemAt(i);
    if (!item->IsVisible() || item->IsFloat()) continue;
    int h = item->GetFixedHeight() > 0 ? item->GetFixedHeight() : 30;
    RECT p = item->GetPadding();
    contentHeight_ += h + p.top + p.bottom + (i > 0 ? childPadding_ : 0);
  }
  int view = rc.Height() - inset_.top - inset_.bottom;
  scrollY_ = std::clamp(scrollY_, 0, std::max(0, contentHeight_ - view));
  CVerticalLayoutUI::SetPos(rc, needInvalidate);
}

void CListUI::Scroll(int dy) {
  scrollY_ += dy;
  NeedUpdate();
}

void CListUI::DoEvent(TEventUI& event) {
  if (event.Type == EventType::kScrollWheel) {
    Scroll(static_cast<int>(static_cast<std::intptr_t>(event.wParam)) > 0 ? -40 : 40);
    return;
  }
  CVerticalLayoutUI::DoEvent(event);
}

void CListUI::DoPaint(PaintContext& ctx) { CVerticalLayoutUI::DoPaint(ctx); }

CControlUI* CListUI::FindControlAt(POINT pt) { return CVerticalLayoutUI::FindControlAt(pt); }

}  // namespace ui
