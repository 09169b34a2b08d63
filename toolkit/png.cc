#include "toolkit/png.h"

#include <cairo.h>

#include "toolkit/paint_manager.h"
#include "toolkit/window.h"

namespace toolkit {

bool WritePng(ui::CPaintManagerUI& manager, const std::string& path) {
  cairo_surface_t* surface = manager.Render();
  return surface && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool WritePng(ui::CWindowWnd& window, const std::string& path) {
  ui::CPaintManagerUI* manager = window.GetPaintManager();
  return manager && WritePng(*manager, path);
}

}  // namespace toolkit
