// Drawing into a window's image: a cairo context plus the window's fonts and
// images. Controls draw through it; one drawing code serves every backend.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/image_description.h"

typedef struct _cairo cairo_t;

namespace ui {

class CPaintManagerUI;

struct TextStyle {
  int font = -1;
  DWORD color = 0xFF000000;
  TextAlign align = TextAlign::kLeft;
  TextVAlign valign = TextVAlign::kCenter;
  bool wrap = false;
  bool endEllipsis = false;
};

class PaintContext {
 public:
  PaintContext(cairo_t* cr, CPaintManagerUI& manager) : cr_(cr), manager_(manager) {}

  cairo_t* cairo() const { return cr_; }
  CPaintManagerUI& manager() const { return manager_; }

  // A rectangle with optional rounded corners (round = 0,0 for square ones).
  void FillRect(RECT rc, DWORD color, SIZE round = {});
  void FillGradient(RECT rc, DWORD top, DWORD bottom, SIZE round = {});
  void StrokeRect(RECT rc, DWORD color, int width, SIZE round = {});
  // Draws `desc` inside `control` (dest relative to its top-left). False when
  // the file is missing from the skin.
  bool DrawImage(RECT control, const ImageDescription& desc, SIZE round = {});
  void DrawText(RECT rc, std::u16string_view text, const TextStyle& style);
  // Pixel width of `text` in `font`, and the x offset of each UTF-16 position.
  int TextWidth(std::u16string_view text, int font);
  int TextXAt(std::u16string_view text, int font, int utf16Index);
  int TextIndexAtX(std::u16string_view text, int font, int x);
  int FontHeight(int font);

  // Clipping stack (cairo save/restore).
  void PushClip(RECT rc, SIZE round = {});
  void PopClip();

 private:
  cairo_t* cr_;
  CPaintManagerUI& manager_;
};

}  // namespace ui
