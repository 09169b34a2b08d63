#include "toolkit/progress.h"

#include <algorithm>
#include <string>

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"

namespace ui {

void* CProgressUI::GetInterface(std::u16string_view name) {
  if (name == u"Progress") return this;
  return CLabelUI::GetInterface(name);
}

const PropertyTable& CProgressUI::Properties() const {
  using C = CProgressUI;
  static const PropertyTable table(
      &CLabelUI::LabelProperties(),
      {
          {"min", Bind(&C::SetMinValue, attr::Int)},
          {"max", Bind(&C::SetMaxValue, attr::Int)},
          {"value", Bind(&C::SetValue, attr::Int)},
          {"hor", Bind(&C::SetHorizontal, attr::Bool)},
          {"horizontal", Bind(&C::SetHorizontal, attr::Bool)},
          {"foreimage",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetForeImage(CDuiString(std::string(v)));
           }},
          {"forecolor", Bind(&C::SetForeColor, attr::Color)},
          {"showtext", Bind(&C::SetShowText, attr::Bool)},
          {"isstretchfore", Ignored()},
      });
  return table;
}

void CProgressUI::SetMinValue(int v) {
  min_ = v;
  if (max_ < min_) max_ = min_;
  value_ = std::clamp(value_, min_, max_);
  Invalidate();
}

void CProgressUI::SetMaxValue(int v) {
  max_ = v;
  if (min_ > max_) min_ = max_;
  value_ = std::clamp(value_, min_, max_);
  Invalidate();
}

void CProgressUI::SetValue(int v) {
  v = std::clamp(v, min_, max_);
  if (v == value_) return;
  value_ = v;
  Invalidate();
}

void CProgressUI::SetHorizontal(bool on) {
  horizontal_ = on;
  Invalidate();
}
void CProgressUI::SetForeImage(const CDuiString& image) {
  foreImage_ = image;
  Invalidate();
}
void CProgressUI::SetForeColor(DWORD color) {
  foreColor_ = color;
  Invalidate();
}
void CProgressUI::SetShowText(bool on) {
  showText_ = on;
  Invalidate();
}

RECT CProgressUI::FillRect() const {
  RECT rc = pos_;
  if (max_ <= min_) return {rc.left, rc.top, rc.left, rc.bottom};
  double fraction = static_cast<double>(value_ - min_) / (max_ - min_);
  if (horizontal_) {
    rc.right = rc.left + static_cast<int>(rc.Width() * fraction + 0.5);
  } else {
    rc.top = rc.bottom - static_cast<int>(rc.Height() * fraction + 0.5);
  }
  return rc;
}

void CProgressUI::PaintStatusImage(PaintContext& ctx) {
  RECT fill = FillRect();
  if (fill.IsEmpty()) return;
  if (foreColor_ != 0) ctx.FillRect(fill, foreColor_, GetBorderRound());
  if (!foreImage_.IsEmpty()) {
    // The fore image covers the whole bar; only the filled part shows.
    ctx.PushClip(fill);
    DrawImage(ctx, foreImage_);
    ctx.PopClip();
  }
}

std::u16string CProgressUI::DisplayText() const {
  if (!showText_) return text_.str();
  int percent = max_ > min_ ? (value_ - min_) * 100 / (max_ - min_) : 0;
  return CDuiString(std::to_string(percent) + "%").str();
}

// ---- Slider ----

void* CSliderUI::GetInterface(std::u16string_view name) {
  if (name == u"Slider") return this;
  return CProgressUI::GetInterface(name);
}

const PropertyTable& CSliderUI::Properties() const {
  using C = CSliderUI;
  auto image = [](void (C::*setter)(const CDuiString&)) -> PropertyTable::Setter {
    return [setter](CControlUI& c, std::string_view v) {
      (static_cast<C&>(c).*setter)(CDuiString(std::string(v)));
    };
  };
  static const PropertyTable table(&CProgressUI::Properties(),
                                   {
                                       {"thumbimage", image(&C::SetThumbImage)},
                                       {"thumbhotimage", image(&C::SetThumbHotImage)},
                                       {"thumbpushedimage", image(&C::SetThumbPushedImage)},
                                       {"thumbsize", Bind(&C::SetThumbSize, attr::Size)},
                                       {"step", Ignored()},
                                       {"sendmove", Ignored()},
                                   });
  return table;
}

void CSliderUI::SetThumbImage(const CDuiString& image) {
  thumbImage_ = image;
  Invalidate();
}
void CSliderUI::SetThumbHotImage(const CDuiString& image) {
  thumbHotImage_ = image;
  Invalidate();
}
void CSliderUI::SetThumbPushedImage(const CDuiString& image) {
  thumbPushedImage_ = image;
  Invalidate();
}
void CSliderUI::SetThumbSize(SIZE size) {
  thumbSize_ = size;
  Invalidate();
}

RECT CSliderUI::GetThumbRect() const {
  double fraction = max_ > min_ ? static_cast<double>(value_ - min_) / (max_ - min_) : 0;
  if (horizontal_) {
    int x = pos_.left + static_cast<int>((pos_.Width() - thumbSize_.cx) * fraction + 0.5);
    int y = pos_.top + (pos_.Height() - thumbSize_.cy) / 2;
    return {x, y, x + thumbSize_.cx, y + thumbSize_.cy};
  }
  int y = pos_.bottom - thumbSize_.cy -
          static_cast<int>((pos_.Height() - thumbSize_.cy) * fraction + 0.5);
  int x = pos_.left + (pos_.Width() - thumbSize_.cx) / 2;
  return {x, y, x + thumbSize_.cx, y + thumbSize_.cy};
}

void CSliderUI::SetValueFromPoint(POINT pt) {
  double fraction;
  if (horizontal_) {
    int span = std::max(1, pos_.Width() - thumbSize_.cx);
    fraction = static_cast<double>(pt.x - pos_.left - thumbSize_.cx / 2) / span;
  } else {
    int span = std::max(1, pos_.Height() - thumbSize_.cy);
    fraction = static_cast<double>(pos_.bottom - pt.y - thumbSize_.cy / 2) / span;
  }
  fraction = std::clamp(fraction, 0.0, 1.0);
  int old = value_;
  SetValue(min_ + static_cast<int>((max_ - min_) * fraction + 0.5));
  if (value_ != old && manager_) manager_->SendNotify(this, kNotifyValueChanged);
}

void CSliderUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case EventType::kButtonDown:
    case EventType::kDoubleClick:
      if (IsEnabled()) {
        dragging_ = true;
        SetValueFromPoint(event.ptMouse);
      }
      return;
    case EventType::kMouseMove:
      if (dragging_) SetValueFromPoint(event.ptMouse);
      return;
    case EventType::kButtonUp:
      dragging_ = false;
      Invalidate();
      return;
    case EventType::kMouseEnter:
    case EventType::kMouseLeave:
      hot_ = event.Type == EventType::kMouseEnter;
      Invalidate();
      return;
    default:
      CProgressUI::DoEvent(event);
  }
}

void CSliderUI::PaintStatusImage(PaintContext& ctx) {
  CProgressUI::PaintStatusImage(ctx);
  const CDuiString* image = &thumbImage_;
  if (dragging_ && !thumbPushedImage_.IsEmpty())
    image = &thumbPushedImage_;
  else if (hot_ && !thumbHotImage_.IsEmpty())
    image = &thumbHotImage_;
  if (image->IsEmpty()) return;
  RECT thumb = GetThumbRect();
  ctx.DrawImage(thumb, ParseImageDescription(image->ToUtf8()));
}

}  // namespace ui
