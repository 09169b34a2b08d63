#include "toolkit/edit.h"

#include <cairo.h>

#include <algorithm>

#include "toolkit/clipboard.h"
#include "toolkit/paint_context.h"
#include "toolkit/paint_manager.h"
#include "toolkit/text_lock.h"

namespace ui {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The longest prefix of `text` of at most `units` UTF-16 units that does not
// end inside a surrogate pair.
std::size_t SafePrefix(std::u16string_view text, std::size_t units) {
  if (units >= text.size()) return text.size();
  if (units > 0 && IsHighSurrogate(text[units - 1])) --units;
  return units;
}

std::size_t CodePoints(std::u16string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    ++n;
  }
  return n;
}

}  // namespace

CEditUI::CEditUI() {
  textPadding_ = {4, 0, 4, 0};
  SetBkColor(0);
}

void* CEditUI::GetInterface(std::u16string_view name) {
  if (name == u"Edit") return this;
  return CLabelUI::GetInterface(name);
}

const PropertyTable& CEditUI::Properties() const {
  using C = CEditUI;
  static const PropertyTable table(
      &CLabelUI::LabelProperties(),
      {
          {"password", Bind(&C::SetPasswordMode, attr::Bool)},
          {"passwordchar",
           [](CControlUI& c, std::string_view v) {
             std::u16string s = CDuiString::FromUtf8(v);
             if (!s.empty()) static_cast<C&>(c).SetPasswordChar(s[0]);
           }},
          {"maxchar", Bind(&C::SetMaxChar, attr::Int)},
          {"readonly", Bind(&C::SetReadOnly, attr::Bool)},
          {"numberonly", Bind(&C::SetNumberOnly, attr::Bool)},
          {"prompttext",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetPromptText(CDuiString(std::string(v)));
           }},
          {"tipvalue",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetPromptText(CDuiString(std::string(v)));
           }},
          {"prompttextcolor", Bind(&C::SetPromptTextColor, attr::Color)},
          {"tipvaluecolor", Bind(&C::SetPromptTextColor, attr::Color)},
          {"nativebkcolor", Bind(&C::SetNativeEditBkColor, attr::Color)},
          {"normalimage",
           [](CControlUI& c, std::string_view v) { c.SetBkImage(CDuiString(std::string(v))); }},
          {"hotimage", Ignored()},
          {"focusedimage", Ignored()},
          {"disabledimage", Ignored()},
      });
  return table;
}

void CEditUI::SetText(const CDuiString& text) {
  std::u16string_view view = text.view();
  std::u16string clipped(view.substr(0, SafePrefix(view, static_cast<std::size_t>(maxChar_))));
  text_ = CDuiString(clipped);
  caret_ = anchor_ = static_cast<int>(clipped.size());
  Invalidate();
}

void CEditUI::SetMaxChar(int max) {
  maxChar_ = max < 0 ? 0 : max;
  if (text_.GetLength() > maxChar_) SetText(text_);
}

void CEditUI::SetPasswordMode(bool on) {
  password_ = on;
  Invalidate();
}
void CEditUI::SetPasswordChar(char16_t ch) {
  passwordChar_ = ch;
  Invalidate();
}
void CEditUI::SetReadOnly(bool on) {
  readOnly_ = on;
  Invalidate();
}
void CEditUI::SetPromptText(const CDuiString& text) {
  prompt_ = text;
  Invalidate();
}
void CEditUI::SetPromptTextColor(DWORD color) {
  promptColor_ = color;
  Invalidate();
}
void CEditUI::SetNativeEditBkColor(DWORD color) {
  nativeBkColor_ = color;
  Invalidate();
}

void CEditUI::SetSel(int start, int end) {
  int len = text_.GetLength();
  if (end < 0 || end > len) end = len;
  start = std::clamp(start, 0, len);
  anchor_ = start;
  caret_ = end;
  Invalidate();
}

void CEditUI::SetSelNone() {
  anchor_ = caret_;
  Invalidate();
}

int CEditUI::GetSelStart() const { return std::min(anchor_, caret_); }
int CEditUI::GetSelEnd() const { return std::max(anchor_, caret_); }

void CEditUI::NotifyChanged() {
  Invalidate();
  if (manager_) manager_->SendNotify(this, kNotifyTextChanged);
}

void CEditUI::DeleteSelection() {
  std::u16string text = text_.str();
  int start = GetSelStart(), end = GetSelEnd();
  text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  text_ = CDuiString(std::move(text));
  caret_ = anchor_ = start;
}

void CEditUI::ReplaceSel(std::u16string_view input) {
  std::u16string clean;
  for (char16_t c : input) {
    if (c < 0x20 || c == 0x7F) continue;  // line breaks and control characters
    if (numberOnly_ && (c < u'0' || c > u'9')) continue;
    clean += c;
  }
  int selected = GetSelEnd() - GetSelStart();
  std::size_t room =
      static_cast<std::size_t>(std::max(0, maxChar_ - (text_.GetLength() - selected)));
  clean.resize(SafePrefix(clean, room));
  if (clean.empty() && selected == 0) return;
  DeleteSelection();
  std::u16string text = text_.str();
  text.insert(static_cast<std::size_t>(caret_), clean);
  text_ = CDuiString(std::move(text));
  caret_ += static_cast<int>(clean.size());
  anchor_ = caret_;
  NotifyChanged();
}

int CEditUI::PrevBoundary(int pos) const {
  if (pos <= 0) return 0;
  --pos;
  if (pos > 0 && IsLowSurrogate(text_.GetAt(pos)) && IsHighSurrogate(text_.GetAt(pos - 1))) --pos;
  return pos;
}

int CEditUI::NextBoundary(int pos) const {
  int len = text_.GetLength();
  if (pos >= len) return len;
  ++pos;
  if (pos < len && IsLowSurrogate(text_.GetAt(pos)) && IsHighSurrogate(text_.GetAt(pos - 1))) ++pos;
  return pos;
}

void CEditUI::MoveCaret(int to, bool extend) {
  caret_ = std::clamp(to, 0, text_.GetLength());
  if (!extend) anchor_ = caret_;
  Invalidate();
}

std::u16string CEditUI::DisplayText() const {
  if (!password_) return text_.str();
  return std::u16string(CodePoints(text_.view()), passwordChar_);
}

int CEditUI::CaretFromPoint(PaintContext* ctx, POINT pt) const {
  std::u16string shown = DisplayText();
  int x = pt.x - (pos_.left + textPadding_.left);
  int index = ctx->TextIndexAtX(shown, font_, x);
  if (!password_) return index;
  // Masked text has one mark per code point: map back to UTF-16 units.
  int units = 0;
  for (int cp = 0; cp < index && units < text_.GetLength(); ++cp) units = NextBoundary(units);
  return units;
}

void CEditUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case EventType::kSetFocus:
    case EventType::kKillFocus:
      if (event.Type == EventType::kKillFocus) anchor_ = caret_;
      Invalidate();
      return;
    case EventType::kButtonDown:
    case EventType::kDoubleClick:
      if (!IsEnabled()) return;
      if (manager_) {
        std::lock_guard textLock(toolkit::TextEngineMutex());
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cairo_t* cr = cairo_create(s);
        PaintContext ctx(cr, *manager_);
        int at = CaretFromPoint(&ctx, event.ptMouse);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        MoveCaret(at, (event.modifiers & kModShift) != 0);
        if (event.Type == EventType::kDoubleClick) SetSelAll();
      }
      return;
    case EventType::kButtonUp:
    case EventType::kMouseMove:
      return;
    case EventType::kTextInput:
      if (!readOnly_ && IsEnabled()) ReplaceSel(event.text);
      return;
    case EventType::kKeyDown:
      break;
    default:
      CLabelUI::DoEvent(event);
      return;
  }
  bool shift = (event.modifiers & kModShift) != 0;
  bool ctrl = (event.modifiers & kModCtrl) != 0;
  switch (event.wParam) {
    case VK_LEFT:
      if (!shift && GetSelStart() != GetSelEnd())
        MoveCaret(GetSelStart(), false);
      else
        MoveCaret(PrevBoundary(caret_), shift);
      break;
    case VK_RIGHT:
      if (!shift && GetSelStart() != GetSelEnd())
        MoveCaret(GetSelEnd(), false);
      else
        MoveCaret(NextBoundary(caret_), shift);
      break;
    case VK_HOME:
      MoveCaret(0, shift);
      break;
    case VK_END:
      MoveCaret(text_.GetLength(), shift);
      break;
    case platform::VK_BACK:
    case VK_DELETE:
      if (readOnly_) break;
      // Without a selection the key takes the character before or after the caret.
      if (GetSelStart() == GetSelEnd())
        anchor_ = event.wParam == VK_DELETE ? NextBoundary(caret_) : PrevBoundary(caret_);
      if (GetSelStart() != GetSelEnd()) {
        DeleteSelection();
        NotifyChanged();
      }
      break;
    case platform::VK_RETURN:
      if (manager_) manager_->SendNotify(this, kNotifyReturn);
      break;
    case 'A':
      if (ctrl) SetSelAll();
      break;
    case 'C':
    case 'X':
      if (ctrl && !password_ && GetSelStart() != GetSelEnd()) {
        toolkit::SetClipboardText(CDuiString::ToUtf8(
            text_.view().substr(static_cast<std::size_t>(GetSelStart()),
                                static_cast<std::size_t>(GetSelEnd() - GetSelStart()))));
        if (event.wParam == 'X' && !readOnly_) {
          DeleteSelection();
          NotifyChanged();
        }
      }
      break;
    case 'V':
      if (ctrl && !readOnly_) ReplaceSel(CDuiString::FromUtf8(toolkit::GetClipboardText()));
      break;
    default:
      break;
  }
}

void CEditUI::PaintBkColor(PaintContext& ctx) {
  CLabelUI::PaintBkColor(ctx);
  if (nativeBkColor_ != 0) {
    RECT inner{pos_.left + 1, pos_.top + 1, pos_.right - 1, pos_.bottom - 1};
    ctx.FillRect(inner, nativeBkColor_, GetBorderRound());
  }
}

int CEditUI::ShownUnits(int units) const {
  if (!password_) return units;
  return static_cast<int>(CodePoints(text_.view().substr(0, static_cast<std::size_t>(units))));
}

void CEditUI::PaintText(PaintContext& ctx) {
  RECT rc{pos_.left + textPadding_.left, pos_.top + textPadding_.top,
          pos_.right - textPadding_.right, pos_.bottom - textPadding_.bottom};
  if (rc.IsEmpty()) return;
  std::u16string shown = DisplayText();
  // Keep the caret in view: shift the text left when it is longer than the box.
  int caretX = ctx.TextXAt(shown, font_, ShownUnits(caret_));
  int shift = std::max(0, caretX - rc.Width() + 2);
  int lineHeight = ctx.FontHeight(font_);
  int lineTop = rc.top + (rc.Height() - lineHeight) / 2;
  TextStyle style;
  style.font = font_;
  style.valign = valign_;
  if (text_.IsEmpty()) {
    if (!prompt_.IsEmpty()) {
      style.color = promptColor_;
      style.align = align_;
      ctx.DrawText(rc, prompt_.view(), style);
    }
  } else {
    RECT textRc{rc.left - shift, rc.top, rc.right, rc.bottom};
    if (IsFocused() && GetSelStart() != GetSelEnd()) {
      int x1 = ctx.TextXAt(shown, font_, ShownUnits(GetSelStart())) + textRc.left;
      int x2 = ctx.TextXAt(shown, font_, ShownUnits(GetSelEnd())) + textRc.left;
      ctx.PushClip(rc);
      ctx.FillRect({x1, lineTop, x2, lineTop + lineHeight}, 0x663399FF);
      ctx.PopClip();
    }
    style.color = CurrentTextColor();
    style.align = TextAlign::kLeft;
    ctx.PushClip(rc);
    ctx.DrawText({textRc.left, textRc.top,
                  std::max(textRc.right, textRc.left + caretX + 4 + rc.Width()), textRc.bottom},
                 shown, style);
    ctx.PopClip();
  }
  if (IsFocused() && !readOnly_) {
    int x = rc.left + caretX - shift;
    ctx.FillRect({x, lineTop, x + 1, lineTop + lineHeight}, CurrentTextColor());
  }
}

// ---- RichEdit ----

void* CRichEditUI::GetInterface(std::u16string_view name) {
  if (name == u"RichEdit") return this;
  return CEditUI::GetInterface(name);
}

const PropertyTable& CRichEditUI::Properties() const {
  static const PropertyTable table(&CEditUI::Properties(),
                                   {
                                       {"limittext",
                                        [](CControlUI& c, std::string_view v) {
                                          static_cast<CRichEditUI&>(c).SetMaxChar(attr::Int(v));
                                        }},
                                       {"rich", Ignored()},
                                       {"wantreturn", Ignored()},
                                       {"wantctrlreturn", Ignored()},
                                       {"transparent", Ignored()},
                                       {"autovscroll", Ignored()},
                                       {"autohscroll", Ignored()},
                                   });
  return table;
}

}  // namespace ui
