// The image files a skin refers to: those named in its layouts and those the
// page dressing sets, so that a missing one is found before anyone sees a gap.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "toolkit/skin_archive.h"

namespace gallery {

// The file of an image description: "x.png" or "file='x.png' corner='...'"
// (blanks around '=' allowed). Empty when the description names none.
std::string ImageFileOf(std::string_view description);

// Files named by the image attributes of every layout of the archive.
std::set<std::string> ImagesOfLayouts(const ui::SkinArchive& archive);

// Files the page and chrome dressing set in either mode.
std::set<std::string> ImagesOfDressing();

}  // namespace gallery
