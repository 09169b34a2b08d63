#include "toolkit/resources.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "toolkit/skin_archive.h"

namespace ui {

namespace {

struct PngReader {
  const std::vector<unsigned char>* bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadPngChunk(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->offset + length > reader->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes->data() + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

// A pixbuf (RGB(A), not premultiplied) as a premultiplied ARGB32 surface.
cairo_surface_t* SurfaceFromPixbuf(GdkPixbuf* pixbuf) {
  int w = gdk_pixbuf_get_width(pixbuf);
  int h = gdk_pixbuf_get_height(pixbuf);
  int channels = gdk_pixbuf_get_n_channels(pixbuf);
  bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  int srcStride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* dst = cairo_image_surface_get_data(surface);
  int dstStride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < h; ++y) {
    const guchar* s = src + static_cast<std::ptrdiff_t>(y) * srcStride;
    auto* d = reinterpret_cast<std::uint32_t*>(dst + static_cast<std::ptrdiff_t>(y) * dstStride);
    for (int x = 0; x < w; ++x, s += channels) {
      unsigned a = alpha ? s[3] : 255;
      unsigned r = s[0] * a / 255, g = s[1] * a / 255, b = s[2] * a / 255;
      d[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

GdkPixbufAnimation* LoadAnimation(const std::vector<unsigned char>& bytes) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  GError* error = nullptr;
  bool ok = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), &error) &&
            gdk_pixbuf_loader_close(loader, &error);
  if (error) g_error_free(error);
  GdkPixbufAnimation* anim = nullptr;
  if (ok) {
    anim = gdk_pixbuf_loader_get_animation(loader);
    if (anim) g_object_ref(anim);
  } else {
    gdk_pixbuf_loader_close(loader, nullptr);
  }
  g_object_unref(loader);
  return anim;
}

// The number of images in a GIF file (0 when it is not one).
int CountGifFrames(const std::vector<unsigned char>& b) {
  if (b.size() < 13 || std::memcmp(b.data(), "GIF8", 4) != 0) return 0;
  std::size_t i = 13;
  if (b[10] & 0x80) i += 3u * (1u << ((b[10] & 7) + 1));
  auto skipSubBlocks = [&] {
    while (i < b.size() && b[i] != 0) i += b[i] + 1u;
    ++i;
  };
  int frames = 0;
  while (i < b.size()) {
    unsigned char kind = b[i++];
    if (kind == 0x3B) break;
    if (kind == 0x21) {
      ++i;  // label
      skipSubBlocks();
    } else if (kind == 0x2C) {
      if (i + 9 > b.size()) break;
      unsigned char packed = b[i + 8];
      i += 9;
      if (packed & 0x80) i += 3u * (1u << ((packed & 7) + 1));
      ++i;  // LZW minimum code size
      skipSubBlocks();
      ++frames;
    } else {
      break;
    }
  }
  return frames;
}

}  // namespace

cairo_surface_t* DecodeImage(const std::vector<unsigned char>& bytes) {
  static const unsigned char kPngMagic[] = {0x89, 'P', 'N', 'G'};
  if (bytes.size() >= 4 && std::memcmp(bytes.data(), kPngMagic, 4) == 0) {
    PngReader reader{&bytes};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadPngChunk, &reader);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_destroy(surface);
    return nullptr;
  }
  GdkPixbufAnimation* anim = LoadAnimation(bytes);
  if (!anim) return nullptr;
  cairo_surface_t* surface = nullptr;
  if (GdkPixbuf* still = gdk_pixbuf_animation_get_static_image(anim)) {
    surface = SurfaceFromPixbuf(still);
  }
  g_object_unref(anim);
  return surface;
}

std::unique_ptr<Animation> DecodeAnimation(const std::vector<unsigned char>& bytes) {
  GdkPixbufAnimation* anim = LoadAnimation(bytes);
  if (!anim) return nullptr;
  auto out = std::make_unique<Animation>();
  if (gdk_pixbuf_animation_is_static_image(anim)) {
    if (cairo_surface_t* s = SurfaceFromPixbuf(gdk_pixbuf_animation_get_static_image(anim))) {
      out->frames.push_back(
          {s, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)});
      out->delaysMs.push_back(-1);
    }
    g_object_unref(anim);
    return out;
  }
  // Step through the frames on a simulated clock. The decoder may composite
  // every frame into one reused pixbuf, so the frame count comes from the file.
  int count = CountGifFrames(bytes);
  if (count <= 0) count = 1;
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GTimeVal t{0, 0};
  GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(anim, &t);
  for (int i = 0; i < count; ++i) {
    int delay = gdk_pixbuf_animation_iter_get_delay_time(iter);
    if (cairo_surface_t* s = SurfaceFromPixbuf(gdk_pixbuf_animation_iter_get_pixbuf(iter))) {
      out->frames.push_back(
          {s, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)});
      out->delaysMs.push_back(delay);
    }
    if (delay < 0) break;
    g_time_val_add(&t, static_cast<glong>(delay) * 1000);
    gdk_pixbuf_animation_iter_advance(iter, &t);
  }
  G_GNUC_END_IGNORE_DEPRECATIONS
  g_object_unref(iter);
  g_object_unref(anim);
  return out;
}

struct ResourceStore::Impl {
  std::mutex mutex;
  std::unique_ptr<SkinArchive> archive;
  std::map<std::string, Image, std::less<>> images;
  std::map<std::string, std::unique_ptr<Animation>, std::less<>> animations;
  std::set<std::string, std::less<>> missing;

  ~Impl() { ClearImages(); }
  void ClearImages() {
    for (auto& [name, image] : images) cairo_surface_destroy(image.surface);
    images.clear();
    for (auto& [name, anim] : animations)
      for (auto& f : anim->frames) cairo_surface_destroy(f.surface);
    animations.clear();
    missing.clear();
  }
  void WarnMissing(std::string_view file) {
    if (missing.emplace(file).second)
      std::fprintf(stderr, "toolkit: image '%.*s' is not in the skin archive\n",
                   static_cast<int>(file.size()), file.data());
  }
};

ResourceStore& ResourceStore::Get() {
  static ResourceStore store;
  return store;
}

ResourceStore::Impl& ResourceStore::impl() {
  static std::once_flag once;
  std::call_once(once, [this] { impl_ = std::make_shared<Impl>(); });
  return *impl_;
}

void ResourceStore::SetArchive(std::unique_ptr<SkinArchive> archive) {
  Impl& d = impl();
  std::lock_guard lock(d.mutex);
  d.ClearImages();
  d.archive = std::move(archive);
}

SkinArchive* ResourceStore::GetArchive() {
  Impl& d = impl();
  std::lock_guard lock(d.mutex);
  return d.archive.get();
}

const Image* ResourceStore::GetImage(std::string_view file) {
  Impl& d = impl();
  std::lock_guard lock(d.mutex);
  if (auto it = d.images.find(file); it != d.images.end()) return &it->second;
  if (d.missing.count(file)) return nullptr;
  std::optional<std::vector<unsigned char>> bytes;
  if (d.archive) bytes = d.archive->Read(file);
  cairo_surface_t* surface = bytes ? DecodeImage(*bytes) : nullptr;
  if (!surface) {
    d.WarnMissing(file);
    return nullptr;
  }
  Image image{surface, cairo_image_surface_get_width(surface),
              cairo_image_surface_get_height(surface)};
  return &d.images.emplace(std::string(file), image).first->second;
}

const Animation* ResourceStore::GetAnimation(std::string_view file) {
  Impl& d = impl();
  std::lock_guard lock(d.mutex);
  if (auto it = d.animations.find(file); it != d.animations.end()) return it->second.get();
  if (d.missing.count(file)) return nullptr;
  std::optional<std::vector<unsigned char>> bytes;
  if (d.archive) bytes = d.archive->Read(file);
  std::unique_ptr<Animation> anim = bytes ? DecodeAnimation(*bytes) : nullptr;
  if (!anim || anim->frames.empty()) {
    d.WarnMissing(file);
    return nullptr;
  }
  return d.animations.emplace(std::string(file), std::move(anim)).first->second.get();
}

void ResourceStore::Clear() {
  Impl& d = impl();
  std::lock_guard lock(d.mutex);
  d.ClearImages();
  d.archive.reset();
}

}  // namespace ui
