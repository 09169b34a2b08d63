// Small value types shared by the toolkit and its callers: points, sizes,
// rectangles (left, top, right, bottom; right and bottom exclusive) and colours.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/win_types.h"

namespace ui {

using platform::HWND;
using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::UINT_PTR;
using platform::WPARAM;

// Colours are 0xAARRGGBB; 0 means "not set" where a colour is optional.
using DWORD = std::uint32_t;

struct POINT {
  int x = 0;
  int y = 0;
  bool operator==(const POINT&) const = default;
};

struct SIZE {
  int cx = 0;
  int cy = 0;
  bool operator==(const SIZE&) const = default;
};

struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(POINT pt) const {
    return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
  }
  POINT Center() const { return {left + Width() / 2, top + Height() / 2}; }
  RECT Intersect(const RECT& o) const {
    RECT r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
  }
  RECT Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const RECT&) const = default;
};

// Packs client coordinates into the lParam of mouse messages, as Windows does.
inline LPARAM MakePointLParam(POINT pt) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(pt.y & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(pt.x & 0xFFFF));
}
inline POINT PointFromLParam(LPARAM l) {
  return {static_cast<std::int16_t>(l & 0xFFFF), static_cast<std::int16_t>((l >> 16) & 0xFFFF)};
}

}  // namespace ui
