// The attributes a control class accepts, declared in one table per class.
// The layout loader applies any attribute through the table of the control's
// class, which falls back to the tables of its base classes.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "toolkit/geometry.h"

namespace ui {

class CControlUI;

class PropertyTable {
 public:
  using Setter = std::function<void(CControlUI&, std::string_view value)>;

  PropertyTable(const PropertyTable* base,
                std::initializer_list<std::pair<const std::string, Setter>> setters)
      : base_(base), setters_(setters) {}

  // The setter of `name` in this table or a base table, or null.
  const Setter* Find(std::string_view name) const;

 private:
  const PropertyTable* base_;
  std::unordered_map<std::string, Setter> setters_;
};

// Binds a member setter of control class C to an attribute parser.
template <class C, class Value, class Parser>
PropertyTable::Setter Bind(void (C::*setter)(Value), Parser parse) {
  return [setter, parse](CControlUI& control, std::string_view text) {
    (static_cast<C&>(control).*setter)(parse(text));
  };
}

// For attributes the layouts may carry that have no effect here: accepted so
// that loading them is not an error, then dropped.
inline PropertyTable::Setter Ignored() {
  return [](CControlUI&, std::string_view) {};
}

// Attribute value parsers. Malformed input gives the type's neutral value
// (0, false, an empty rectangle) rather than failing.
namespace attr {
int Int(std::string_view text);
bool Bool(std::string_view text);
DWORD Color(std::string_view text);
RECT Rect(std::string_view text);
SIZE Size(std::string_view text);
std::string String(std::string_view text);
}  // namespace attr

// Splits "a='x' b=\"y\"" into (name, value) pairs, in order.
std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view list);

}  // namespace ui
