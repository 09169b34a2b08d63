// Decoded images of the skin archive, shared by every window of the process:
// still images as cairo surfaces, animated GIFs as frame lists.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

class SkinArchive;

struct Image {
  cairo_surface_t* surface = nullptr;  // ARGB32, premultiplied; owned by the store
  int width = 0;
  int height = 0;
};

struct Animation {
  std::vector<Image> frames;
  std::vector<int> delaysMs;
};

class ResourceStore {
 public:
  static ResourceStore& Get();

  // The skin archive every layout and image comes from (null: none set).
  void SetArchive(std::unique_ptr<SkinArchive> archive);
  SkinArchive* GetArchive();

  // Null when the archive is unset or lacks the file (warns once per file).
  const Image* GetImage(std::string_view file);
  // The first frame serves still use of a GIF too.
  const Animation* GetAnimation(std::string_view file);
  void Clear();

 private:
  ResourceStore() = default;
  struct Impl;
  Impl& impl();
  std::shared_ptr<Impl> impl_;
};

// Decoders (also used by tests): null on undecodable bytes.
cairo_surface_t* DecodeImage(const std::vector<unsigned char>& bytes);
std::unique_ptr<Animation> DecodeAnimation(const std::vector<unsigned char>& bytes);

}  // namespace ui
