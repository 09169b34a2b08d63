// Value bars: Progress (a track and a fill clipped to the value) and Slider
// (the same with a thumb the mouse drags).
#pragma once

#include "toolkit/label.h"

namespace ui {

class CProgressUI : public CLabelUI {
 public:
  std::u16string_view GetClass() const override { return u"Progress"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  int GetMinValue() const { return min_; }
  void SetMinValue(int v);
  int GetMaxValue() const { return max_; }
  void SetMaxValue(int v);
  int GetValue() const { return value_; }
  // Clamped to [min, max].
  void SetValue(int v);
  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool on);
  void SetForeImage(const CDuiString& image);
  const CDuiString& GetForeImage() const { return foreImage_; }
  void SetForeColor(DWORD color);
  void SetShowText(bool on);

 protected:
  void PaintStatusImage(PaintContext& ctx) override;
  std::u16string DisplayText() const override;
  // The filled part of the control's rectangle.
  RECT FillRect() const;

  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  bool horizontal_ = true;
  bool showText_ = false;
  CDuiString foreImage_;
  DWORD foreColor_ = 0;
};

class CSliderUI : public CProgressUI {
 public:
  std::u16string_view GetClass() const override { return u"Slider"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  void SetThumbImage(const CDuiString& image);
  void SetThumbHotImage(const CDuiString& image);
  void SetThumbPushedImage(const CDuiString& image);
  void SetThumbSize(SIZE size);
  RECT GetThumbRect() const;
  void DoEvent(TEventUI& event) override;

 protected:
  void PaintStatusImage(PaintContext& ctx) override;

 private:
  void SetValueFromPoint(POINT pt);
  CDuiString thumbImage_, thumbHotImage_, thumbPushedImage_;
  SIZE thumbSize_{10, 10};
  bool dragging_ = false;
  bool hot_ = false;
};

}  // namespace ui
