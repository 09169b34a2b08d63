#include "toolkit/image_description.h"

#include "toolkit/property_table.h"

namespace ui {

ImageDescription ParseImageDescription(std::string_view text) {
  ImageDescription desc;
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return desc;
  text.remove_prefix(first);
  if (text.find('=') == std::string_view::npos) {
    // A bare file name.
    std::size_t last = text.find_last_not_of(" \t");
    desc.file = std::string(text.substr(0, last + 1));
    return desc;
  }
  for (auto& [name, value] : ParseAttributeList(text)) {
    if (name == "file" || name == "res") {
      desc.file = value;
    } else if (name == "source") {
      desc.source = attr::Rect(value);
      desc.hasSource = true;
    } else if (name == "corner") {
      desc.corner = attr::Rect(value);
    } else if (name == "dest") {
      desc.dest = attr::Rect(value);
      desc.hasDest = true;
    } else if (name == "fade") {
      int fade = attr::Int(value);
      desc.fade = fade < 0 ? 0 : (fade > 255 ? 255 : fade);
    } else if (name == "hole") {
      desc.hole = attr::Bool(value);
    } else if (name == "xtiled") {
      desc.xtiled = attr::Bool(value);
    } else if (name == "ytiled") {
      desc.ytiled = attr::Bool(value);
    }
  }
  return desc;
}

}  // namespace ui
