// Image descriptions of the skin: "x.png" or
// "file='x.png' corner='l,t,r,b' source='l,t,r,b' dest='l,t,r,b' fade='255'".
#pragma once

#include <string>
#include <string_view>

#include "toolkit/geometry.h"

namespace ui {

struct ImageDescription {
  std::string file;
  RECT source;  // empty: the whole file
  RECT corner;  // nine-slice insets
  RECT dest;    // relative to the control; empty: the whole control
  bool hasSource = false;
  bool hasDest = false;
  int fade = 255;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;
};

// Empty `file` when the text names no image.
ImageDescription ParseImageDescription(std::string_view text);

}  // namespace ui
