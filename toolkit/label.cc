#include "toolkit/label.h"

#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"

namespace ui {

void* CLabelUI::GetInterface(std::u16string_view name) {
  if (name == u"Label") return this;
  return CControlUI::GetInterface(name);
}

const PropertyTable& CLabelUI::Properties() const { return LabelProperties(); }

const PropertyTable& CLabelUI::LabelProperties() {
  using C = CLabelUI;
  static const PropertyTable table(
      &CControlUI::ControlProperties(),
      {
          {"font", Bind(&C::SetFont, attr::Int)},
          {"textcolor", Bind(&C::SetTextColor, attr::Color)},
          {"disabledtextcolor", Bind(&C::SetDisabledTextColor, attr::Color)},
          {"textpadding", Bind(&C::SetTextPadding, attr::Rect)},
          {"align", [](CControlUI& c, std::string_view v) { static_cast<C&>(c).SetTextStyle(v); }},
          {"valign", [](CControlUI& c, std::string_view v) { static_cast<C&>(c).SetTextStyle(v); }},
          {"multiline", Bind(&C::SetMultiLine, attr::Bool)},
          {"wordbreak", Bind(&C::SetMultiLine, attr::Bool)},
          {"endellipsis", Bind(&C::SetEndEllipsis, attr::Bool)},
          {"showhtml", Bind(&C::SetShowHtml, attr::Bool)},
          {"autocalcwidth", Ignored()},
          {"autocalcheight", Ignored()},
      });
  return table;
}

void CLabelUI::SetFont(int index) {
  font_ = index;
  Invalidate();
}
void CLabelUI::SetTextColor(DWORD color) {
  textColor_ = color;
  Invalidate();
}
void CLabelUI::SetDisabledTextColor(DWORD color) {
  disabledTextColor_ = color;
  Invalidate();
}
void CLabelUI::SetTextPadding(RECT padding) {
  textPadding_ = padding;
  Invalidate();
}
void CLabelUI::SetAlign(TextAlign align) {
  align_ = align;
  Invalidate();
}
void CLabelUI::SetVAlign(TextVAlign align) {
  valign_ = align;
  Invalidate();
}
void CLabelUI::SetMultiLine(bool on) {
  multiLine_ = on;
  Invalidate();
}
void CLabelUI::SetEndEllipsis(bool on) {
  endEllipsis_ = on;
  Invalidate();
}

void CLabelUI::SetTextStyle(std::string_view styles) {
  std::size_t start = 0;
  while (start <= styles.size()) {
    std::size_t end = styles.find_first_of(",| ", start);
    if (end == std::string_view::npos) end = styles.size();
    std::string_view s = styles.substr(start, end - start);
    if (s == "left")
      align_ = TextAlign::kLeft;
    else if (s == "center")
      align_ = TextAlign::kCenter;
    else if (s == "right")
      align_ = TextAlign::kRight;
    else if (s == "top")
      valign_ = TextVAlign::kTop;
    else if (s == "vcenter")
      valign_ = TextVAlign::kCenter;
    else if (s == "bottom")
      valign_ = TextVAlign::kBottom;
    start = end + 1;
  }
  Invalidate();
}

DWORD CLabelUI::CurrentTextColor() const {
  if (!IsEnabled() && disabledTextColor_ != 0) return disabledTextColor_;
  return textColor_ != 0 ? textColor_ : 0xFF000000;
}

void CLabelUI::PaintText(PaintContext& ctx) {
  std::u16string text = DisplayText();
  if (text.empty()) return;
  RECT rc{pos_.left + textPadding_.left, pos_.top + textPadding_.top,
          pos_.right - textPadding_.right, pos_.bottom - textPadding_.bottom};
  TextStyle style;
  style.font = font_;
  style.color = CurrentTextColor();
  style.align = align_;
  style.valign = valign_;
  style.wrap = multiLine_;
  style.endEllipsis = endEllipsis_;
  ctx.DrawText(rc, text, style);
}

// ---- Text ----

CTextUI::CTextUI() {
  multiLine_ = true;
  valign_ = TextVAlign::kTop;
}

void* CTextUI::GetInterface(std::u16string_view name) {
  if (name == u"Text") return this;
  return CLabelUI::GetInterface(name);
}

void CTextUI::SetText(const CDuiString& text) {
  CLabelUI::SetText(text);
  // Strip the inline markup; remember the targets of {a URL}...{/a}.
  display_.clear();
  links_.clear();
  const std::u16string& s = text.str();
  std::size_t i = 0;
  std::size_t linkStart = std::u16string::npos;
  std::u16string pendingTarget;
  while (i < s.size()) {
    if (s[i] == u'{') {
      std::size_t close = s.find(u'}', i);
      if (close != std::u16string::npos) {
        std::u16string tag = s.substr(i + 1, close - i - 1);
        std::u16string head = tag.substr(0, tag.find(u' '));
        static const std::u16string kKnown[] = {u"a", u"/a", u"b",  u"/b", u"i",  u"/i",
                                                u"u", u"/u", u"c",  u"/c", u"f",  u"/f",
                                                u"n", u"p",  u"/p", u"s",  u"/s", u"x"};
        bool known = false;
        for (const auto& k : kKnown) known = known || head == k;
        if (known) {
          if (head == u"a") {
            linkStart = display_.size();
            auto space = tag.find(u' ');
            pendingTarget = space == std::u16string::npos ? u"" : tag.substr(space + 1);
          } else if (head == u"/a" && linkStart != std::u16string::npos) {
            links_.emplace_back(pendingTarget.empty() ? display_.substr(linkStart) : pendingTarget);
            linkStart = std::u16string::npos;
          } else if (head == u"n") {
            display_ += u'\n';
          }
          i = close + 1;
          continue;
        }
      }
    }
    display_ += s[i++];
  }
}

CDuiString* CTextUI::GetLinkContent(int index) {
  if (index < 0 || index >= GetLinkCount()) return nullptr;
  return &links_[static_cast<std::size_t>(index)];
}

void CTextUI::DoEvent(TEventUI& event) {
  if (event.Type == EventType::kButtonUp && !links_.empty() && IsEnabled() &&
      pos_.Contains(event.ptMouse) && manager_) {
    manager_->SendNotify(this, kNotifyLink);
    return;
  }
  if (event.Type == EventType::kButtonDown && !links_.empty()) return;
  CLabelUI::DoEvent(event);
}

}  // namespace ui
