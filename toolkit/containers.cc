#include "toolkit/containers.h"

#include <algorithm>

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"
#include "toolkit/tree_dump.h"

namespace ui {

namespace {

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  // Children go first, while this object is still a whole container.
  items_.clear();
}

void* CContainerUI::GetInterface(std::u16string_view name) {
  if (name == u"Container" || name == u"IContainer") return this;
  return CControlUI::GetInterface(name);
}

const PropertyTable& CContainerUI::Properties() const {
  using C = CContainerUI;
  static const PropertyTable table(&CControlUI::ControlProperties(),
                                   {
                                       {"inset", Bind(&C::SetInset, attr::Rect)},
                                       {"childpadding", Bind(&C::SetChildPadding, attr::Int)},
                                       {"vscrollbar", Bind(&C::SetVScrollBar, attr::Bool)},
                                       {"hscrollbar", Ignored()},
                                       {"mousechild", Ignored()},
                                       {"childalign", Ignored()},
                                       {"childvalign", Ignored()},
                                   });
  return table;
}

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
  if (!control || index < 0 || index > GetCount()) return false;
  items_.insert(items_.begin() + index, std::unique_ptr<CControlUI>(control));
  control->SetManager(manager_, this, true);
  if (manager_) manager_->InvalidateNameIndex();
  NeedUpdate();
  return true;
}

bool CContainerUI::Remove(CControlUI* control) {
  int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index);
}

bool CContainerUI::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) return false;
  std::unique_ptr<CControlUI> removed = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  NeedUpdate();
  if (manager_) {
    manager_->ReapControl(std::move(removed));  // also drops the name index
  }
  return true;
}

void CContainerUI::RemoveAll() {
  while (!items_.empty()) RemoveAt(GetCount() - 1);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == control) return static_cast<int>(i);
  return -1;
}

void CContainerUI::SetInset(RECT inset) {
  inset_ = inset;
  NeedUpdate();
}
void CContainerUI::SetChildPadding(int padding) {
  childPadding_ = padding;
  NeedUpdate();
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CControlUI::SetManager(manager, parent, init);
  for (auto& item : items_) item->SetManager(manager, this, init);
}

bool CContainerUI::IsChildShown(int index) const { return index >= 0 && index < GetCount(); }

RECT CContainerUI::InnerRect() const {
  return {pos_.left + inset_.left, pos_.top + inset_.top, pos_.right - inset_.right,
          pos_.bottom - inset_.bottom};
}

void CContainerUI::PlaceFloat(CControlUI* child) {
  SIZE xy = child->GetFixedXY();
  SIZE size = child->EstimateSize({pos_.Width(), pos_.Height()});
  int w = size.cx > 0 ? size.cx : std::max(0, pos_.Width() - xy.cx);
  int h = size.cy > 0 ? size.cy : std::max(0, pos_.Height() - xy.cy);
  RECT rc{pos_.left + xy.cx, pos_.top + xy.cy, 0, 0};
  rc.right = rc.left + w;
  rc.bottom = rc.top + h;
  child->SetPos(rc, false);
}

void CContainerUI::SetFloatPositions() {
  for (auto& item : items_)
    if (item->IsFloat() && item->IsVisible()) PlaceFloat(item.get());
}

void CContainerUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  RECT inner = InnerRect();
  for (auto& item : items_) {
    if (!item->IsVisible()) continue;
    if (item->IsFloat()) {
      PlaceFloat(item.get());
      continue;
    }
    RECT p = item->GetPadding();
    RECT box{inner.left + p.left, inner.top + p.top, inner.right - p.right,
             inner.bottom - p.bottom};
    SIZE size = item->EstimateSize({box.Width(), box.Height()});
    if (size.cx > 0) box.right = box.left + std::min(size.cx, box.Width() > 0 ? size.cx : 0);
    if (size.cy > 0) box.bottom = box.top + size.cy;
    item->SetPos(box, false);
  }
}

void CContainerUI::DoPaint(PaintContext& ctx) {
  if (!IsVisible() || pos_.IsEmpty()) return;
  CControlUI::DoPaint(ctx);
  ctx.PushClip(pos_);
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* item = GetItemAt(i);
    if (!IsChildShown(i) || !item->IsVisible()) continue;
    RECT visible = item->GetPos().Intersect(pos_);
    if (visible.IsEmpty() && !item->IsFloat()) continue;
    item->DoPaint(ctx);
  }
  ctx.PopClip();
}

CControlUI* CContainerUI::FindControlAt(POINT pt) {
  if (!IsVisible() || !pos_.Contains(pt)) return nullptr;
  for (int i = GetCount() - 1; i >= 0; --i) {
    if (!IsChildShown(i)) continue;
    if (CControlUI* hit = GetItemAt(i)->FindControlAt(pt)) return hit;
  }
  return IsMouseEnabled() ? this : nullptr;
}

void CContainerUI::DoEvent(TEventUI& event) { CControlUI::DoEvent(event); }

// Both linear layouts share one routine; an Axis names which side of a box is
// the line's direction ("main") and which is across it ("cross").
namespace {

struct Axis {
  bool vertical;

  int Main(SIZE s) const { return vertical ? s.cy : s.cx; }
  int Cross(SIZE s) const { return vertical ? s.cx : s.cy; }
  void SetMain(SIZE& s, int v) const { (vertical ? s.cy : s.cx) = v; }
  int Start(const RECT& r) const { return vertical ? r.top : r.left; }
  int CrossStart(const RECT& r) const { return vertical ? r.left : r.top; }
  int Length(const RECT& r) const { return vertical ? r.Height() : r.Width(); }
  int CrossLength(const RECT& r) const { return vertical ? r.Width() : r.Height(); }
  int Lead(const RECT& p) const { return vertical ? p.top : p.left; }
  int Trail(const RECT& p) const { return vertical ? p.bottom : p.right; }
  int CrossLead(const RECT& p) const { return vertical ? p.left : p.top; }
  int CrossTrail(const RECT& p) const { return vertical ? p.right : p.bottom; }
  int MainMin(const CControlUI& c) const { return vertical ? c.GetMinHeight() : c.GetMinWidth(); }
  int MainMax(const CControlUI& c) const { return vertical ? c.GetMaxHeight() : c.GetMaxWidth(); }
  int CrossMin(const CControlUI& c) const { return vertical ? c.GetMinWidth() : c.GetMinHeight(); }
  int CrossMax(const CControlUI& c) const { return vertical ? c.GetMaxWidth() : c.GetMaxHeight(); }
  RECT Box(int main, int cross, int mainLength, int crossLength) const {
    return vertical ? RECT{cross, main, cross + crossLength, main + mainLength}
                    : RECT{main, cross, main + mainLength, cross + crossLength};
  }
};

}  // namespace

// Fixed sizes first, then the rest shared evenly among the children that
// stretch; floating children are placed by their own position.
void CContainerUI::ArrangeInLine(RECT inner, bool vertical) {
  const Axis axis{vertical};
  SIZE available{inner.Width(), inner.Height()};
  struct Slot {
    CControlUI* control;
    SIZE size;
  };
  std::vector<Slot> slots;
  int fixed = 0;
  int stretch = 0;
  for (auto& item : items_) {
    if (!item->IsVisible()) continue;
    if (item->IsFloat()) {
      PlaceFloat(item.get());
      continue;
    }
    SIZE size = item->EstimateSize(available);
    RECT p = item->GetPadding();
    if (axis.Main(size) > 0) {
      axis.SetMain(size, Clamp(axis.Main(size), axis.MainMin(*item), axis.MainMax(*item)));
      fixed += axis.Main(size);
    } else {
      ++stretch;
    }
    fixed += axis.Lead(p) + axis.Trail(p);
    slots.push_back({item.get(), size});
  }
  if (!slots.empty()) fixed += childPadding_ * static_cast<int>(slots.size() - 1);
  int remaining = std::max(0, axis.Length(inner) - fixed);
  int cursor = axis.Start(inner);
  int stretchLeft = stretch;
  for (auto& slot : slots) {
    const CControlUI& control = *slot.control;
    RECT p = control.GetPadding();
    int length = axis.Main(slot.size);
    if (length <= 0) {
      length = stretchLeft > 0 ? remaining / stretchLeft : 0;
      length = Clamp(length, axis.MainMin(control), axis.MainMax(control));
      remaining -= length;
      --stretchLeft;
    }
    int across = axis.Cross(slot.size) > 0
                     ? axis.Cross(slot.size)
                     : axis.CrossLength(inner) - axis.CrossLead(p) - axis.CrossTrail(p);
    across = Clamp(across, axis.CrossMin(control), axis.CrossMax(control));
    cursor += axis.Lead(p);
    slot.control->SetPos(
        axis.Box(cursor, axis.CrossStart(inner) + axis.CrossLead(p), length, across), false);
    cursor += length + axis.Trail(p) + childPadding_;
  }
}

// ---- VerticalLayout ----

void* CVerticalLayoutUI::GetInterface(std::u16string_view name) {
  if (name == u"VerticalLayout") return this;
  return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  RECT inner = InnerRect();
  inner.top -= scrollY_;
  ArrangeInLine(inner, /*vertical=*/true);
}

// ---- HorizontalLayout ----

void* CHorizontalLayoutUI::GetInterface(std::u16string_view name) {
  if (name == u"HorizontalLayout") return this;
  return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  ArrangeInLine(InnerRect(), /*vertical=*/false);
}

// ---- TabLayout ----

void* CTabLayoutUI::GetInterface(std::u16string_view name) {
  if (name == u"TabLayout") return this;
  return CContainerUI::GetInterface(name);
}

const PropertyTable& CTabLayoutUI::Properties() const {
  static const PropertyTable table(&CContainerUI::Properties(),
                                   {
                                       {"selectedid",
                                        [](CControlUI& c, std::string_view v) {
                                          auto& tab = static_cast<CTabLayoutUI&>(c);
                                          tab.current_ = attr::Int(v);
                                          tab.NeedUpdate();
                                        }},
                                   });
  return table;
}

bool CTabLayoutUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  if (current_ < 0) current_ = 0;
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
  int index = GetItemIndex(control);
  if (index < 0) return false;
  bool ok = CContainerUI::RemoveAt(index);
  if (current_ >= GetCount()) current_ = GetCount() - 1;
  return ok;
}

void CTabLayoutUI::RemoveAll() {
  CContainerUI::RemoveAll();
  current_ = -1;
}

bool CTabLayoutUI::IsChildShown(int index) const { return index == current_; }

bool CTabLayoutUI::SelectItem(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == current_) return true;
  int old = current_;
  if (manager_ && old >= 0 && old < GetCount()) manager_->DropInputState(GetItemAt(old));
  current_ = index;
  NeedUpdate();
  if (manager_) {
    manager_->SendNotify(this, kNotifyTabSelect, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(old));
    toolkit::WriteTreeDumpIfRequested();
  }
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control) { return SelectItem(GetItemIndex(control)); }

void CTabLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  RECT inner = InnerRect();
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* item = GetItemAt(i);
    if (!item->IsVisible()) continue;
    if (item->IsFloat()) {
      PlaceFloat(item);
      continue;
    }
    // Every page is laid out, so the tree of hidden pages has real rectangles too.
    RECT p = item->GetPadding();
    RECT box{inner.left + p.left, inner.top + p.top, inner.right - p.right,
             inner.bottom - p.bottom};
    SIZE size = item->EstimateSize({box.Width(), box.Height()});
    if (size.cx > 0) box.right = box.left + size.cx;
    if (size.cy > 0) box.bottom = box.top + size.cy;
    item->SetPos(box, false);
  }
}

}  // namespace ui
