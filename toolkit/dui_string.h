// CDuiString: the toolkit's wide text, UTF-16 as the system's code expects.
// Built from u"..." literals or from UTF-8 narrow text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ui {

class CDuiString {
 public:
  CDuiString() = default;
  CDuiString(const char16_t* text) : text_(text ? text : u"") {}  // NOLINT: implicit like u"..."
  CDuiString(std::u16string text) : text_(std::move(text)) {}     // NOLINT
  CDuiString(std::u16string_view text) : text_(text) {}           // NOLINT
  CDuiString(const char* utf8) : text_(FromUtf8(utf8 ? utf8 : "")) {}  // NOLINT
  CDuiString(const std::string& utf8) : text_(FromUtf8(utf8)) {}       // NOLINT
  CDuiString(const char16_t* text, int length)
      : text_(text ? std::u16string(text, length < 0 ? std::char_traits<char16_t>::length(text)
                                                     : static_cast<std::size_t>(length))
                   : std::u16string()) {}

  const char16_t* GetData() const { return text_.c_str(); }
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  char16_t GetAt(int index) const { return text_.at(static_cast<std::size_t>(index)); }
  void Append(const CDuiString& other) { text_ += other.text_; }
  void Assign(const CDuiString& other) { text_ = other.text_; }

  CDuiString Left(int count) const;
  CDuiString Mid(int pos, int count = -1) const;
  CDuiString Right(int count) const;
  // Position of the first occurrence at or after `start`, or -1.
  int Find(char16_t ch, int start = 0) const;
  int Find(const CDuiString& text, int start = 0) const;
  int Replace(const CDuiString& from, const CDuiString& to);
  int Compare(const CDuiString& other) const { return text_.compare(other.text_); }

  const std::u16string& str() const { return text_; }
  std::u16string_view view() const { return text_; }
  std::string ToUtf8() const { return ToUtf8(text_); }

  CDuiString& operator+=(const CDuiString& other) {
    text_ += other.text_;
    return *this;
  }
  CDuiString& operator+=(char16_t ch) {
    text_ += ch;
    return *this;
  }
  friend CDuiString operator+(CDuiString a, const CDuiString& b) { return a += b; }
  friend bool operator==(const CDuiString& a, const CDuiString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CDuiString& a, const char16_t* b) {
    return a.text_ == (b ? b : u"");
  }
  friend bool operator<(const CDuiString& a, const CDuiString& b) { return a.text_ < b.text_; }

  // printf-style formatting with type-checked arguments: %s takes text
  // (CDuiString, u"..." or UTF-8), %d %i %u %x %X %c take integers, %% is a
  // percent sign; a width ("%02d") is honoured. A directive without a matching
  // argument is copied as written. Returns the new length.
  template <class... Args>
  int Format(const CDuiString& format, const Args&... args) {
    std::vector<FormatArg> list{MakeArg(args)...};
    text_ = FormatWith(format.view(), list);
    return GetLength();
  }

  // Invalid input becomes U+FFFD; never throws.
  static std::u16string FromUtf8(std::string_view utf8);
  static std::string ToUtf8(std::u16string_view utf16);

 private:
  struct FormatArg {
    bool isText = false;
    std::u16string text;
    long long number = 0;
  };
  static FormatArg MakeArg(const CDuiString& v) { return {true, v.text_, 0}; }
  static FormatArg MakeArg(const char16_t* v) { return {true, v ? v : u"", 0}; }
  static FormatArg MakeArg(const std::u16string& v) { return {true, v, 0}; }
  static FormatArg MakeArg(const char* v) { return {true, FromUtf8(v ? v : ""), 0}; }
  static FormatArg MakeArg(const std::string& v) { return {true, FromUtf8(v), 0}; }
  template <class T, class = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
  static FormatArg MakeArg(T v) {
    return {false, {}, static_cast<long long>(v)};
  }
  static std::u16string FormatWith(std::u16string_view format, const std::vector<FormatArg>& args);

  std::u16string text_;
};

}  // namespace ui
