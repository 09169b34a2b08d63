#include "skin_fixture.h"

#include <cairo.h>
#include <zip.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "toolkit/paint_manager.h"

namespace toolkit::testing {

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes MakeZip(const std::map<std::string, Bytes>& files) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(out);
  zip_t* zip = zip_open_from_source(out, ZIP_TRUNCATE, &error);
  if (!zip) throw std::runtime_error("zip_open_from_source");
  for (const auto& [name, bytes] : files) {
    zip_source_t* src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
    zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE);
  }
  if (zip_close(zip) != 0) throw std::runtime_error("zip_close");
  zip_stat_t st;
  zip_source_stat(out, &st);
  Bytes result(static_cast<std::size_t>(st.size));
  zip_source_open(out);
  zip_source_read(out, result.data(), result.size());
  zip_source_close(out);
  zip_source_free(out);
  zip_error_fini(&error);
  return result;
}

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<Bytes*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

void SetArgb(cairo_t* cr, std::uint32_t c) {
  cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                        (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
}

Bytes Encode(cairo_surface_t* surface) {
  Bytes out;
  cairo_surface_write_to_png_stream(surface, Append, &out);
  cairo_surface_destroy(surface);
  return out;
}

}  // namespace

Bytes SolidPng(int w, int h, std::uint32_t argb) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(s);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetArgb(cr, argb);
  cairo_paint(cr);
  cairo_destroy(cr);
  return Encode(s);
}

Bytes NineBlockPng(int block, const std::uint32_t colors[9]) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3 * block, 3 * block);
  cairo_t* cr = cairo_create(s);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  for (int i = 0; i < 9; ++i) {
    SetArgb(cr, colors[i]);
    cairo_rectangle(cr, (i % 3) * block, (i / 3) * block, block, block);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return Encode(s);
}

void InstallSkin(const std::map<std::string, Bytes>& files) {
  // Every archive a test installs stays alive to the end of the process: the
  // toolkit does not copy it.
  static std::vector<std::unique_ptr<Bytes>> keep;
  keep.push_back(std::make_unique<Bytes>(MakeZip(files)));
  if (!ui::CPaintManagerUI::SetResourceZip(keep.back()->data(), keep.back()->size()))
    throw std::runtime_error("not a zip");
}

}  // namespace toolkit::testing
