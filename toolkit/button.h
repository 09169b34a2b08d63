// Buttons with state images: Button (sends "click"), Option (stays selected;
// exclusive within its group) and CheckBox (toggles).
#pragma once

#include "toolkit/label.h"

namespace ui {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  std::u16string_view GetClass() const override { return u"Button"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  void SetNormalImage(const CDuiString& image);
  const CDuiString& GetNormalImage() const { return normalImage_; }
  void SetHotImage(const CDuiString& image);
  void SetPushedImage(const CDuiString& image);
  const CDuiString& GetPushedImage() const { return pushedImage_; }
  void SetFocusedImage(const CDuiString& image);
  void SetDisabledImage(const CDuiString& image);
  void SetForeImage(const CDuiString& image);
  const CDuiString& GetForeImage() const { return foreImage_; }
  void SetHotTextColor(DWORD color);
  void SetPushedTextColor(DWORD color);
  void SetFocusedTextColor(DWORD color);

  bool WantsFocus() const override { return IsKeyboardEnabled(); }
  bool Activate() override;
  void DoEvent(TEventUI& event) override;
  bool IsHot() const { return hot_; }
  bool IsPushed() const { return pushed_; }

 protected:
  void PaintStatusImage(PaintContext& ctx) override;
  DWORD CurrentTextColor() const override;
  // The state image for the current state ("" when none applies).
  virtual const CDuiString& CurrentStateImage() const;

  CDuiString normalImage_, hotImage_, pushedImage_, focusedImage_, disabledImage_, foreImage_;
  DWORD hotTextColor_ = 0, pushedTextColor_ = 0, focusedTextColor_ = 0;
  bool hot_ = false;
  bool pushed_ = false;
};

class COptionUI : public CButtonUI {
 public:
  ~COptionUI() override;
  std::u16string_view GetClass() const override { return u"Option"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  const CDuiString& GetGroup() const { return group_; }
  void SetGroup(const CDuiString& group);
  bool IsSelected() const { return selected_; }
  // Changes the selection; a change sends "selectchanged" when `triggerEvent`.
  // Selecting an option of a group unselects the others of that group.
  virtual void Selected(bool selected, bool triggerEvent = true);
  void SetSelectedImage(const CDuiString& image);
  const CDuiString& GetSelectedImage() const { return selectedImage_; }
  void SetSelectedHotImage(const CDuiString& image);
  void SetSelectedPushedImage(const CDuiString& image);
  void SetSelectedTextColor(DWORD color);
  void SetSelectedBkColor(DWORD color);

  bool Activate() override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  bool IsSelectedState() const override { return selected_; }

 protected:
  void PaintBkColor(PaintContext& ctx) override;
  const CDuiString& CurrentStateImage() const override;
  DWORD CurrentTextColor() const override;

  CDuiString group_;
  bool selected_ = false;
  CDuiString selectedImage_, selectedHotImage_, selectedPushedImage_;
  DWORD selectedTextColor_ = 0;
  DWORD selectedBkColor_ = 0;
};

class CCheckBoxUI : public COptionUI {
 public:
  std::u16string_view GetClass() const override { return u"CheckBox"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;
  void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
  bool GetCheck() const { return IsSelected(); }
};

}  // namespace ui
