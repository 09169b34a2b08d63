#include "client/resources/gallery/image_references.h"

#include <pugixml.hpp>

#include "client/presentation/dressing_plan.h"

namespace gallery {
namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void CollectImages(const pugi::xml_node& node, std::set<std::string>& files) {
  for (const pugi::xml_attribute& attribute : node.attributes()) {
    const std::string_view name = attribute.name();
    // GifAnim plays its bkimage; every other *image attribute is a picture too.
    if (!EndsWith(name, "image")) continue;
    if (std::string file = ImageFileOf(attribute.value()); !file.empty()) files.insert(file);
  }
  for (const pugi::xml_node& child : node.children()) CollectImages(child, files);
}

void CollectPlan(const presentation::DressPlan& plan, std::set<std::string>& files) {
  for (const presentation::DressStep& step : plan) {
    if (step.kind != presentation::StepKind::kSetLook) continue;
    if (const auto* image = std::get_if<std::string_view>(&step.value)) {
      if (std::string file = ImageFileOf(*image); !file.empty()) files.insert(file);
    }
  }
}

}  // namespace

std::string ImageFileOf(std::string_view description) {
  const std::size_t key = description.find("file");
  if (description.find('\'') == std::string_view::npos || key == std::string_view::npos) {
    // A bare file name.
    const std::size_t first = description.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = description.find_last_not_of(" \t");
    return std::string(description.substr(first, last - first + 1));
  }
  const std::size_t open = description.find('\'', key);
  const std::size_t close = description.find('\'', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(description.substr(open + 1, close - open - 1));
}

std::set<std::string> ImagesOfLayouts(const ui::SkinArchive& archive) {
  std::set<std::string> files;
  for (const std::string& name : archive.FileNames()) {
    if (!EndsWith(name, ".xml")) continue;
    const auto bytes = archive.Read(name);
    if (!bytes) continue;
    pugi::xml_document document;
    if (document.load_buffer(bytes->data(), bytes->size())) CollectImages(document, files);
  }
  return files;
}

std::set<std::string> ImagesOfDressing() {
  std::set<std::string> files;
  const auto anyText = [](std::string_view) { return std::u16string(u"x"); };
  for (std::uint8_t dark : {0, 1}) {
    presentation::PageContext context;
    context.darkMode = dark;
    for (int page = 0; page < presentation::kPageCount; ++page) {
      CollectPlan(presentation::BuildPagePlan(page, context, anyText), files);
    }
    CollectPlan(presentation::BuildChromePlan(dark), files);
  }
  return files;
}

}  // namespace gallery
