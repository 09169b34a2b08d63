// Containers: a plain stack (Container), column and row layouts, and the tab
// layout that shows one child at a time. A container owns its children.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/control.h"

namespace ui {

class CContainerUI : public CControlUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  std::u16string_view GetClass() const override { return u"Container"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  // Takes ownership. Add/AddAt return false for null or out-of-range positions.
  virtual bool Add(CControlUI* control);
  virtual bool AddAt(CControlUI* control, int index);
  // Removes and frees the child. A child removed while one of its own event
  // handlers runs is freed when that event is done.
  virtual bool Remove(CControlUI* control);
  virtual bool RemoveAt(int index);
  virtual void RemoveAll();
  int GetCount() const { return static_cast<int>(items_.size()); }
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(CControlUI* control) const;

  int GetChildCount() const override { return GetCount(); }
  CControlUI* GetChildAt(int index) const override { return GetItemAt(index); }

  RECT GetInset() const { return inset_; }
  void SetInset(RECT inset);
  int GetChildPadding() const { return childPadding_; }
  void SetChildPadding(int padding);
  void SetVScrollBar(bool on) { vscroll_ = on; }
  bool HasVScrollBar() const { return vscroll_; }

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoPaint(PaintContext& ctx) override;
  CControlUI* FindControlAt(POINT pt) override;
  void DoEvent(TEventUI& event) override;

  // Whether child `index` is shown (a tab layout shows one only).
  virtual bool IsChildShown(int index) const;

 protected:
  // Lays out the floating children against this container's rectangle.
  void SetFloatPositions();
  void PlaceFloat(CControlUI* child);
  // Lays the visible children out one after another, top to bottom or left
  // to right, inside `inner`.
  void ArrangeInLine(RECT inner, bool vertical);
  RECT InnerRect() const;

  std::vector<std::unique_ptr<CControlUI>> items_;
  RECT inset_;
  int childPadding_ = 0;
  bool vscroll_ = false;
  int scrollY_ = 0;  // lists only
};

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::u16string_view GetClass() const override { return u"VerticalLayout"; }
  void* GetInterface(std::u16string_view name) override;
  void SetPos(RECT rc, bool needInvalidate = true) override;
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::u16string_view GetClass() const override { return u"HorizontalLayout"; }
  void* GetInterface(std::u16string_view name) override;
  void SetPos(RECT rc, bool needInvalidate = true) override;
};

class CTabLayoutUI : public CContainerUI {
 public:
  std::u16string_view GetClass() const override { return u"TabLayout"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  // Shows child `index`; false when out of range. A change notifies
  // "tabselect" and writes the tree dump when one is asked for.
  bool SelectItem(int index);
  bool SelectItem(CControlUI* control);
  int GetCurSel() const { return current_; }

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control) override;
  void RemoveAll() override;
  bool IsChildShown(int index) const override;
  void SetPos(RECT rc, bool needInvalidate = true) override;

 private:
  int current_ = -1;
};

}  // namespace ui
