// The fonts built into the client are the ten the layouts name: Inter and Inter Display, each
// from Light to Bold, readable by fontconfig from the embedded bytes.
#include "client/resources/fonts/bundled_fonts.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <utility>

namespace {

struct FaceInfo {
  std::string family;  // the first (typographic) family name
  int weight = -1;     // fontconfig weight
};

// Reads the face of a font file's bytes the way the private registration will.
FaceInfo QueryFace(const BundledFont& font) {
  char path[] = "/tmp/bundled_font_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  close(fd);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(font.bytes.data()),
             static_cast<std::streamsize>(font.bytes.size()));
  FaceInfo info;
  int count = 0;
  FcPattern* pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path), 0, nullptr, &count);
  if (pattern) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch) {
      info.family = reinterpret_cast<const char*>(family);
    }
    FcPatternGetInteger(pattern, FC_WEIGHT, 0, &info.weight);
    FcPatternDestroy(pattern);
  }
  unlink(path);
  return info;
}

TEST(BundledFonts, TenFacesOfTheTwoFamiliesTheLayoutsName) {
  const auto fonts = BundledFonts();
  ASSERT_EQ(fonts.size(), 10u);
  const int weights[] = {FC_WEIGHT_LIGHT, FC_WEIGHT_REGULAR, FC_WEIGHT_MEDIUM, FC_WEIGHT_SEMIBOLD,
                         FC_WEIGHT_BOLD};
  std::set<std::pair<std::string, int>> faces;
  for (size_t i = 0; i < fonts.size(); ++i) {
    SCOPED_TRACE(fonts[i].fileName);
    ASSERT_GT(fonts[i].bytes.size(), 4u);
    // OpenType with CFF outlines.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fonts[i].bytes.data()), 4), "OTTO");
    const FaceInfo face = QueryFace(fonts[i]);
    EXPECT_EQ(face.family, i < 5 ? "Inter" : "Inter Display");
    EXPECT_EQ(face.weight, weights[i % 5]);
    faces.insert({face.family, face.weight});
  }
  EXPECT_EQ(faces.size(), 10u);
}

}  // namespace
