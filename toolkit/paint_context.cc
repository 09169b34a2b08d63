#include "toolkit/paint_context.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "toolkit/dui_string.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resources.h"
#include "toolkit/text_lock.h"

namespace ui {

namespace {

void SetColor(cairo_t* cr, DWORD argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                        (argb & 0xFF) / 255.0, ((argb >> 24) & 0xFF) / 255.0);
}

void RoundedPath(cairo_t* cr, double x, double y, double w, double h, SIZE round) {
  double rx = std::min<double>(round.cx / 2.0, w / 2.0);
  double ry = std::min<double>(round.cy / 2.0, h / 2.0);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, x, y, w, h);
    return;
  }
  // Elliptic corners: scale a unit arc.
  auto corner = [&](double cx, double cy, double from) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, from, from + M_PI / 2);
    cairo_restore(cr);
  };
  cairo_new_sub_path(cr);
  corner(x + w - rx, y + ry, -M_PI / 2);
  corner(x + w - rx, y + h - ry, 0);
  corner(x + rx, y + h - ry, M_PI / 2);
  corner(x + rx, y + ry, M_PI);
  cairo_close_path(cr);
}

// Draws the part `src` of `surface` stretched over `dst`.
void DrawPiece(cairo_t* cr, cairo_surface_t* surface, double sx, double sy, double sw, double sh,
               double dx, double dy, double dw, double dh, double alpha) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  cairo_surface_t* sub = cairo_surface_create_for_rectangle(surface, sx, sy, sw, sh);
  cairo_save(cr);
  cairo_rectangle(cr, dx, dy, dw, dh);
  cairo_clip(cr);
  cairo_translate(cr, dx, dy);
  cairo_scale(cr, dw / sw, dh / sh);
  cairo_set_source_surface(cr, sub, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  bool unscaled = std::abs(dw - sw) < 0.01 && std::abs(dh - sh) < 0.01;
  cairo_pattern_set_filter(pattern, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  if (alpha >= 1.0) {
    cairo_paint(cr);
  } else {
    cairo_paint_with_alpha(cr, alpha);
  }
  cairo_restore(cr);
  cairo_surface_destroy(sub);
}

PangoLayout* MakeLayout(cairo_t* cr, const CPaintManagerUI& manager, int font,
                        std::u16string_view text) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  const FontSpec& fontSpec = manager.GetFont(font);
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, fontSpec.family.empty() ? "Sans" : fontSpec.family.c_str());
  pango_font_description_set_absolute_size(desc, fontSpec.size * PANGO_SCALE);
  pango_font_description_set_weight(desc, fontSpec.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, fontSpec.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  std::string utf8 = CDuiString::ToUtf8(text);
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  if (fontSpec.underline) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  return layout;
}

int Utf8OffsetOf(std::u16string_view text, int utf16Index) {
  utf16Index = std::clamp(utf16Index, 0, static_cast<int>(text.size()));
  return static_cast<int>(CDuiString::ToUtf8(text.substr(0, utf16Index)).size());
}

}  // namespace

}  // namespace ui

namespace toolkit {
std::recursive_mutex& TextEngineMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}
}  // namespace toolkit

namespace ui {

void PaintContext::FillRect(RECT rc, DWORD color, SIZE round) {
  if (rc.IsEmpty() || (color >> 24) == 0) return;
  RoundedPath(cr_, rc.left, rc.top, rc.Width(), rc.Height(), round);
  SetColor(cr_, color);
  cairo_fill(cr_);
}

void PaintContext::FillGradient(RECT rc, DWORD top, DWORD bottom, SIZE round) {
  if (rc.IsEmpty()) return;
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, rc.top, 0, rc.bottom);
  auto stop = [&](double at, DWORD c) {
    cairo_pattern_add_color_stop_rgba(pattern, at, ((c >> 16) & 0xFF) / 255.0,
                                      ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                                      ((c >> 24) & 0xFF) / 255.0);
  };
  stop(0, top);
  stop(1, bottom);
  RoundedPath(cr_, rc.left, rc.top, rc.Width(), rc.Height(), round);
  cairo_set_source(cr_, pattern);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

void PaintContext::StrokeRect(RECT rc, DWORD color, int width, SIZE round) {
  if (rc.IsEmpty() || width <= 0 || (color >> 24) == 0) return;
  double half = width / 2.0;
  RoundedPath(cr_, rc.left + half, rc.top + half, rc.Width() - width, rc.Height() - width, round);
  SetColor(cr_, color);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

bool PaintContext::DrawImage(RECT control, const ImageDescription& desc, SIZE round) {
  if (desc.file.empty()) return true;
  const Image* image = ResourceStore::Get().GetImage(desc.file);
  if (!image) return false;
  RECT src = desc.hasSource ? desc.source : RECT{0, 0, image->width, image->height};
  src = src.Intersect({0, 0, image->width, image->height});
  if (src.IsEmpty()) return true;
  RECT dst = control;
  if (desc.hasDest) {
    dst = desc.dest.Offset(control.left, control.top).Intersect(control);
  }
  if (dst.IsEmpty()) return true;
  double alpha = desc.fade / 255.0;
  bool clip = round.cx > 0 && round.cy > 0;
  if (clip) PushClip(control, round);

  // Nine slices: corners keep their size, edges stretch along one axis, the middle both.
  RECT c = desc.corner;
  c.left = std::clamp(c.left, 0, src.Width());
  c.right = std::clamp(c.right, 0, src.Width() - c.left);
  c.top = std::clamp(c.top, 0, src.Height());
  c.bottom = std::clamp(c.bottom, 0, src.Height() - c.top);
  // When the destination is smaller than the corners, shrink them in proportion.
  double kx = (c.left + c.right) > dst.Width() && (c.left + c.right) > 0
                  ? static_cast<double>(dst.Width()) / (c.left + c.right)
                  : 1.0;
  double ky = (c.top + c.bottom) > dst.Height() && (c.top + c.bottom) > 0
                  ? static_cast<double>(dst.Height()) / (c.top + c.bottom)
                  : 1.0;
  double sxs[4] = {static_cast<double>(src.left), static_cast<double>(src.left + c.left),
                   static_cast<double>(src.right - c.right), static_cast<double>(src.right)};
  double sys[4] = {static_cast<double>(src.top), static_cast<double>(src.top + c.top),
                   static_cast<double>(src.bottom - c.bottom), static_cast<double>(src.bottom)};
  double dxs[4] = {static_cast<double>(dst.left), dst.left + c.left * kx, dst.right - c.right * kx,
                   static_cast<double>(dst.right)};
  double dys[4] = {static_cast<double>(dst.top), dst.top + c.top * ky, dst.bottom - c.bottom * ky,
                   static_cast<double>(dst.bottom)};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (desc.hole && row == 1 && col == 1) continue;
      DrawPiece(cr_, image->surface, sxs[col], sys[row], sxs[col + 1] - sxs[col],
                sys[row + 1] - sys[row], dxs[col], dys[row], dxs[col + 1] - dxs[col],
                dys[row + 1] - dys[row], alpha);
    }
  }
  if (clip) PopClip();
  return true;
}

void PaintContext::DrawText(RECT rc, std::u16string_view text, const TextStyle& style) {
  if (text.empty() || rc.IsEmpty() || (style.color >> 24) == 0) return;
  std::lock_guard lock(toolkit::TextEngineMutex());
  PangoLayout* layout = MakeLayout(cr_, manager_, style.font, text);
  pango_layout_set_width(layout, rc.Width() * PANGO_SCALE);
  if (style.wrap) {
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if (style.endEllipsis) {
      pango_layout_set_height(layout, rc.Height() * PANGO_SCALE);
      pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
  } else {
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_ellipsize(layout,
                               style.endEllipsis ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
  }
  pango_layout_set_alignment(layout, style.align == TextAlign::kCenter  ? PANGO_ALIGN_CENTER
                                     : style.align == TextAlign::kRight ? PANGO_ALIGN_RIGHT
                                                                        : PANGO_ALIGN_LEFT);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  double y = rc.top;
  if (style.valign == TextVAlign::kCenter) y = rc.top + (rc.Height() - height) / 2.0;
  if (style.valign == TextVAlign::kBottom) y = rc.bottom - height;
  cairo_save(cr_);
  cairo_rectangle(cr_, rc.left, rc.top, rc.Width(), rc.Height());
  cairo_clip(cr_);
  SetColor(cr_, style.color);
  cairo_move_to(cr_, rc.left, std::floor(y));
  pango_cairo_show_layout(cr_, layout);
  cairo_restore(cr_);
  g_object_unref(layout);
}

int PaintContext::TextWidth(std::u16string_view text, int font) {
  std::lock_guard lock(toolkit::TextEngineMutex());
  PangoLayout* layout = MakeLayout(cr_, manager_, font, text);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return width;
}

int PaintContext::TextXAt(std::u16string_view text, int font, int utf16Index) {
  std::lock_guard lock(toolkit::TextEngineMutex());
  PangoLayout* layout = MakeLayout(cr_, manager_, font, text);
  PangoRectangle pos;
  pango_layout_index_to_pos(layout, Utf8OffsetOf(text, utf16Index), &pos);
  g_object_unref(layout);
  return PANGO_PIXELS(pos.x);
}

int PaintContext::TextIndexAtX(std::u16string_view text, int font, int x) {
  std::lock_guard lock(toolkit::TextEngineMutex());
  PangoLayout* layout = MakeLayout(cr_, manager_, font, text);
  int index = 0, trailing = 0;
  pango_layout_xy_to_index(layout, x * PANGO_SCALE, 0, &index, &trailing);
  g_object_unref(layout);
  // Back from a UTF-8 byte offset to UTF-16 units.
  std::string utf8 = CDuiString::ToUtf8(text);
  index = std::clamp(index, 0, static_cast<int>(utf8.size()));
  const char* p = utf8.c_str() + index;
  for (int i = 0; i < trailing && *p; ++i) p = g_utf8_next_char(p);
  std::u16string head = CDuiString::FromUtf8(std::string_view(utf8.c_str(), p - utf8.c_str()));
  return static_cast<int>(head.size());
}

int PaintContext::FontHeight(int font) {
  std::lock_guard lock(toolkit::TextEngineMutex());
  PangoLayout* layout = MakeLayout(cr_, manager_, font, u"Ag");
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return height;
}

void PaintContext::PushClip(RECT rc, SIZE round) {
  cairo_save(cr_);
  RoundedPath(cr_, rc.left, rc.top, rc.Width(), rc.Height(), round);
  cairo_clip(cr_);
}

void PaintContext::PopClip() { cairo_restore(cr_); }

}  // namespace ui
