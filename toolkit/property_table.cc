#include "toolkit/property_table.h"

#include <charconv>
#include <cstdlib>
#include <vector>

namespace ui {

const PropertyTable::Setter* PropertyTable::Find(std::string_view name) const {
  for (const PropertyTable* table = this; table; table = table->base_) {
    auto it = table->setters_.find(std::string(name));
    if (it != table->setters_.end()) return &it->second;
  }
  return nullptr;
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() &&
         (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::vector<int> Ints(std::string_view text) {
  std::vector<int> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    out.push_back(attr::Int(text.substr(start, comma - start)));
    start = comma + 1;
  }
  return out;
}

}  // namespace

namespace attr {

int Int(std::string_view text) {
  text = Trim(text);
  int value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    unsigned v = 0;
    std::from_chars(text.data() + 2, text.data() + text.size(), v, 16);
    return static_cast<int>(v);
  }
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool Bool(std::string_view text) {
  text = Trim(text);
  return text == "true" || text == "1" || text == "True" || text == "TRUE";
}

DWORD Color(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text[0] == '#') {
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  std::uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return 0;
  if (text.size() <= 6) value |= 0xFF000000u;
  return value;
}

RECT Rect(std::string_view text) {
  auto v = Ints(text);
  v.resize(4, 0);
  return {v[0], v[1], v[2], v[3]};
}

SIZE Size(std::string_view text) {
  auto v = Ints(text);
  v.resize(2, 0);
  return {v[0], v[1]};
}

std::string String(std::string_view text) { return std::string(text); }

}  // namespace attr

std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view list) {
  std::vector<std::pair<std::string, std::string>> out;
  std::size_t i = 0;
  auto skipSpace = [&] {
    while (i < list.size() &&
           (list[i] == ' ' || list[i] == '\t' || list[i] == '\n' || list[i] == '\r'))
      ++i;
  };
  while (true) {
    skipSpace();
    if (i >= list.size()) break;
    std::size_t nameStart = i;
    while (i < list.size() && list[i] != '=' && list[i] != ' ' && list[i] != '\t') ++i;
    std::string name(list.substr(nameStart, i - nameStart));
    skipSpace();
    if (i >= list.size() || list[i] != '=') break;
    ++i;
    skipSpace();
    if (i >= list.size()) break;
    char quote = list[i];
    std::string value;
    if (quote == '\'' || quote == '"') {
      ++i;
      std::size_t end = list.find(quote, i);
      if (end == std::string_view::npos) end = list.size();
      value = std::string(list.substr(i, end - i));
      i = end + 1;
    } else {
      std::size_t start = i;
      while (i < list.size() && list[i] != ' ' && list[i] != '\t') ++i;
      value = std::string(list.substr(start, i - start));
    }
    if (!name.empty()) out.emplace_back(std::move(name), std::move(value));
  }
  return out;
}

}  // namespace ui
