// List: a column of selectable rows. Rows are ListContainerElement controls
// (horizontal layouts), usually built from a row layout file.
#pragma once

#include "toolkit/containers.h"

namespace ui {

class CListUI;

class CListContainerElementUI : public CHorizontalLayoutUI {
 public:
  std::u16string_view GetClass() const override { return u"ListContainerElement"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  CListUI* GetOwner() const;
  int GetIndex() const;
  bool IsSelected() const { return selected_; }
  // Selecting through the owner list keeps one row selected.
  bool Select(bool select = true);
  bool IsHot() const { return hot_; }
  bool IsSelectedState() const override { return selected_; }

  void DoEvent(TEventUI& event) override;
  bool Activate() override;

 protected:
  void PaintBkColor(PaintContext& ctx) override;

 private:
  friend class CListUI;
  bool selected_ = false;
  bool hot_ = false;
};

class CListUI : public CVerticalLayoutUI {
 public:
  std::u16string_view GetClass() const override { return u"List"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  // The selected row's index, or -1.
  int GetCurSel() const { return current_; }
  // Selects row `index` (-1 clears); a change sends "itemselect".
  bool SelectItem(int index, bool takeFocus = false);
  bool RemoveAt(int index) override;
  void RemoveAll() override;

  void SetItemBkColor(DWORD color) { itemBkColor_ = color; }
  void SetItemHotBkColor(DWORD color) { itemHotBkColor_ = color; }
  void SetItemSelectedBkColor(DWORD color) { itemSelectedBkColor_ = color; }
  DWORD GetItemBkColor() const { return itemBkColor_; }
  DWORD GetItemHotBkColor() const { return itemHotBkColor_; }
  DWORD GetItemSelectedBkColor() const { return itemSelectedBkColor_; }

  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void DoPaint(PaintContext& ctx) override;
  CControlUI* FindControlAt(POINT pt) override;
  // Scrolls by `dy` pixels (clamped to the content).
  void Scroll(int dy);

 private:
  int current_ = -1;
  int contentHeight_ = 0;
  DWORD itemBkColor_ = 0;
  DWORD itemHotBkColor_ = 0;
  DWORD itemSelectedBkColor_ = 0;
};

}  // namespace ui
