// A message box of our own: the text, wrapped, in a plain white window with an
// OK button, shown modally. Its layout is built in, so it works before any skin
// archive is loaded (a start-up failure can still be reported).
#pragma once

#include "platform/win_types.h"
#include "toolkit/dui_string.h"

namespace ui {

inline constexpr unsigned MB_OK = 0;

// Shows `text` until OK is clicked (or Enter, Escape, or the window's close is
// used) and returns IDOK; 0 when the box cannot be created (no message loop on
// this thread). `caption` is the window title; `owner` (or 0) is blocked while
// the box is up. Only MB_OK is supported: other `type` values show the same box.
int MessageBoxW(platform::HWND owner, const CDuiString& text, const CDuiString& caption,
                unsigned type = MB_OK);

}  // namespace ui
