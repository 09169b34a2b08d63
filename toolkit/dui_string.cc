#include "toolkit/dui_string.h"

#include "platform/text.h"

namespace ui {

CDuiString CDuiString::Left(int count) const {
  if (count <= 0) return {};
  return CDuiString(text_.substr(0, static_cast<std::size_t>(count)));
}

CDuiString CDuiString::Mid(int pos, int count) const {
  if (pos < 0) pos = 0;
  if (static_cast<std::size_t>(pos) >= text_.size()) return {};
  return CDuiString(
      text_.substr(static_cast<std::size_t>(pos),
                   count < 0 ? std::u16string::npos : static_cast<std::size_t>(count)));
}

CDuiString CDuiString::Right(int count) const {
  if (count <= 0) return {};
  if (static_cast<std::size_t>(count) >= text_.size()) return *this;
  return CDuiString(text_.substr(text_.size() - static_cast<std::size_t>(count)));
}

int CDuiString::Find(char16_t ch, int start) const {
  if (start < 0) start = 0;
  auto at = text_.find(ch, static_cast<std::size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CDuiString::Find(const CDuiString& text, int start) const {
  if (start < 0) start = 0;
  auto at = text_.find(text.text_, static_cast<std::size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CDuiString::Replace(const CDuiString& from, const CDuiString& to) {
  if (from.IsEmpty()) return 0;
  int count = 0;
  std::size_t at = 0;
  while ((at = text_.find(from.text_, at)) != std::u16string::npos) {
    text_.replace(at, from.text_.size(), to.text_);
    at += to.text_.size();
    ++count;
  }
  return count;
}

std::u16string CDuiString::FormatWith(std::u16string_view format,
                                      const std::vector<FormatArg>& args) {
  std::u16string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    if (c != u'%') {
      out += c;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    // %[0][width][l|ll|h]conversion
    std::size_t j = i + 1;
    bool zero = j < format.size() && format[j] == u'0';
    if (zero) ++j;
    int width = 0;
    while (j < format.size() && format[j] >= u'0' && format[j] <= u'9')
      width = width * 10 + (format[j++] - u'0');
    while (j < format.size() && (format[j] == u'l' || format[j] == u'h')) ++j;
    if (j >= format.size() || next >= args.size()) {
      out.append(format.substr(i, j < format.size() ? j - i + 1 : std::u16string_view::npos));
      i = j;
      continue;
    }
    char16_t conv = format[j];
    const FormatArg& arg = args[next];
    std::u16string piece;
    bool known = true;
    switch (conv) {
      case u's':
        piece = arg.isText ? arg.text : FromUtf8(std::to_string(arg.number));
        break;
      case u'd':
      case u'i':
        piece = arg.isText ? arg.text : FromUtf8(std::to_string(arg.number));
        break;
      case u'u':
        piece = arg.isText ? arg.text
                           : FromUtf8(std::to_string(static_cast<unsigned long long>(arg.number)));
        break;
      case u'x':
      case u'X': {
        if (arg.isText) {
          piece = arg.text;
          break;
        }
        static const char kLower[] = "0123456789abcdef", kUpper[] = "0123456789ABCDEF";
        const char* digits = conv == u'x' ? kLower : kUpper;
        unsigned long long v = static_cast<unsigned long long>(arg.number);
        do {
          piece.insert(piece.begin(), static_cast<char16_t>(digits[v % 16]));
          v /= 16;
        } while (v);
        break;
      }
      case u'c':
        piece = arg.isText ? arg.text.substr(0, 1)
                           : std::u16string(1, static_cast<char16_t>(arg.number));
        break;
      default:
        known = false;
    }
    if (!known) {
      out.append(format.substr(i, j - i + 1));
      i = j;
      continue;
    }
    ++next;
    if (static_cast<int>(piece.size()) < width) {
      std::u16string pad(static_cast<std::size_t>(width) - piece.size(),
                         zero && !arg.isText ? u'0' : u' ');
      if (zero && !arg.isText && !piece.empty() && piece[0] == u'-') {
        piece = u"-" + pad + piece.substr(1);
      } else {
        piece = pad + piece;
      }
    }
    out += piece;
    i = j;
  }
  return out;
}

std::u16string CDuiString::FromUtf8(std::string_view utf8) { return platform::Utf8ToUtf16(utf8); }

std::string CDuiString::ToUtf8(std::u16string_view utf16) { return platform::Utf16ToUtf8(utf16); }

}  // namespace ui
