// One-line text edits: caret, selection, clipboard, password masking, a
// maximum length in UTF-16 units, a placeholder, and input-method text.
#pragma once

#include <string>

#include "toolkit/label.h"

namespace ui {

class CEditUI : public CLabelUI {
 public:
  CEditUI();
  std::u16string_view GetClass() const override { return u"Edit"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  // Text set by code is cut to the maximum length too (never mid surrogate pair).
  void SetText(const CDuiString& text) override;
  void SetMaxChar(int max);
  int GetMaxChar() const { return maxChar_; }
  void SetPasswordMode(bool on);
  bool IsPasswordMode() const { return password_; }
  void SetPasswordChar(char16_t ch);
  void SetReadOnly(bool on);
  bool IsReadOnly() const { return readOnly_; }
  void SetNumberOnly(bool on) { numberOnly_ = on; }
  void SetPromptText(const CDuiString& text);  // the placeholder
  const CDuiString& GetPromptText() const { return prompt_; }
  void SetPromptTextColor(DWORD color);
  void SetNativeEditBkColor(DWORD color);
  void SetTipValue(const CDuiString& text) { SetPromptText(text); }
  void SetTipValueColor(DWORD color) { SetPromptTextColor(color); }

  // Selection in UTF-16 units; end -1 means the end of the text.
  void SetSel(int start, int end);
  void SetSelAll() { SetSel(0, -1); }
  void SetSelNone();
  int GetSelStart() const;
  int GetSelEnd() const;
  int GetCaret() const { return caret_; }
  // Replaces the selection with `text` as typing would (cut to the maximum
  // length, line breaks dropped); sends "textchanged" when the text changed.
  void ReplaceSel(std::u16string_view text);

  bool WantsFocus() const override { return IsKeyboardEnabled() && IsEnabled(); }
  void DoEvent(TEventUI& event) override;
  bool IsPasswordText() const override { return password_; }

 protected:
  void PaintText(PaintContext& ctx) override;
  void PaintBkColor(PaintContext& ctx) override;
  std::u16string DisplayText() const override;

 private:
  void MoveCaret(int to, bool extend);
  void DeleteSelection();
  void NotifyChanged();
  int PrevBoundary(int pos) const;
  int NextBoundary(int pos) const;
  int CaretFromPoint(PaintContext* ctx, POINT pt) const;
  // Units of the shown text before `units` UTF-16 units of the text: a masked
  // password shows one mark per code point.
  int ShownUnits(int units) const;

  int maxChar_ = 255;
  bool password_ = false;
  char16_t passwordChar_ = u'\u2022';
  bool readOnly_ = false;
  bool numberOnly_ = false;
  CDuiString prompt_;
  DWORD promptColor_ = 0xFF9A9A9A;
  DWORD nativeBkColor_ = 0;
  int caret_ = 0;
  int anchor_ = 0;
};

// The rich edit used for names: the same one-line rules.
class CRichEditUI : public CEditUI {
 public:
  std::u16string_view GetClass() const override { return u"RichEdit"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;
  // Rich-edit spelling of the maximum length.
  void SetLimitText(int max) { SetMaxChar(max); }
  int GetTextLength() const { return GetText().GetLength(); }
};

}  // namespace ui
