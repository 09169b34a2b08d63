// Text controls: Label (one line unless told to wrap) and Text (wrapping,
// with {a URL}...{/a} links that send "link").
#pragma once

#include <vector>

#include "toolkit/control.h"

namespace ui {

class CLabelUI : public CControlUI {
 public:
  std::u16string_view GetClass() const override { return u"Label"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;
  static const PropertyTable& LabelProperties();

  int GetFont() const { return font_; }
  void SetFont(int index);
  DWORD GetTextColor() const { return textColor_; }
  void SetTextColor(DWORD color);
  DWORD GetDisabledTextColor() const { return disabledTextColor_; }
  void SetDisabledTextColor(DWORD color);
  RECT GetTextPadding() const { return textPadding_; }
  void SetTextPadding(RECT padding);
  void SetAlign(TextAlign align);
  void SetVAlign(TextVAlign align);
  // "left", "center", "right", "top", "vcenter", "bottom", comma separated.
  void SetTextStyle(std::string_view styles);
  void SetMultiLine(bool on);
  bool IsMultiLine() const { return multiLine_; }
  void SetEndEllipsis(bool on);
  void SetShowHtml(bool on) { showHtml_ = on; }

 protected:
  void PaintText(PaintContext& ctx) override;
  // The colour of the text in the current state.
  virtual DWORD CurrentTextColor() const;
  // The text as drawn.
  virtual std::u16string DisplayText() const { return text_.str(); }

  int font_ = -1;
  DWORD textColor_ = 0;
  DWORD disabledTextColor_ = 0;
  RECT textPadding_;
  TextAlign align_ = TextAlign::kLeft;
  TextVAlign valign_ = TextVAlign::kCenter;
  bool multiLine_ = false;
  bool endEllipsis_ = false;
  bool showHtml_ = false;
};

class CTextUI : public CLabelUI {
 public:
  CTextUI();
  std::u16string_view GetClass() const override { return u"Text"; }
  void* GetInterface(std::u16string_view name) override;

  void SetText(const CDuiString& text) override;
  // Target of link `index` ({a URL}...{/a}), or null.
  CDuiString* GetLinkContent(int index);
  int GetLinkCount() const { return static_cast<int>(links_.size()); }
  void DoEvent(TEventUI& event) override;

 protected:
  std::u16string DisplayText() const override { return display_; }

 private:
  std::u16string display_;
  std::vector<CDuiString> links_;
};

}  // namespace ui
