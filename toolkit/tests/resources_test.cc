// Files embedded at build time, the skin archive's look-ups, and private fonts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "skin_fixture.h"
#include "toolkit/embedded.h"
#include "toolkit/fonts.h"
#include "toolkit/skin_archive.h"

ORLU_DECLARE_EMBEDDED(toolkit_test_blob);
ORLU_DECLARE_EMBEDDED(toolkit_test_generated);

namespace {

std::string AsText(std::span<const unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(EmbeddedTest, FilesAreReachableByNameAndByAccessor) {
  EXPECT_EQ(AsText(orlu_embedded_toolkit_test_blob()), "embedded bytes\n");
  EXPECT_EQ(AsText(toolkit::EmbeddedData("toolkit_test_blob")), "embedded bytes\n");
  // A file produced by a build step.
  EXPECT_EQ(AsText(toolkit::EmbeddedData("toolkit_test_generated")), "made at build time\n");
  EXPECT_TRUE(toolkit::EmbeddedData("no_such_file").empty());
}

TEST(SkinArchiveTest, LooksUpPathsForgivingCaseAndLeadingDots) {
  auto zip = toolkit::testing::MakeZip(
      {{"Images/Btn.png", toolkit::testing::ToBytes("png")}, {"a.xml", {}}});
  auto archive = ui::SkinArchive::Open(zip);
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(archive->Read("./images/btn.PNG").value_or(toolkit::testing::Bytes{}).size(), 3u);
  EXPECT_TRUE(archive->Read("a.xml").has_value());  // an empty file is still a file
  EXPECT_FALSE(archive->Read("b.xml").has_value());
  const unsigned char junk[] = {1, 2, 3, 4};
  EXPECT_EQ(ui::SkinArchive::Open(junk), nullptr);
  EXPECT_EQ(ui::SkinArchive::Open({}), nullptr);
}

TEST(FontTest, RegistersFontFilesAndRefusesJunk) {
  const unsigned char junk[] = {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'};
  EXPECT_FALSE(toolkit::RegisterPrivateFont(std::span<const unsigned char>(junk)));
  const char* path = "/usr/share/fonts/opentype/inter/Inter-Regular.otf";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "fonts-inter is not installed";
  EXPECT_TRUE(toolkit::RegisterPrivateFont(std::string(path)));
  EXPECT_TRUE(toolkit::HasFontFamily("Inter"));
  toolkit::RemovePrivateFonts();
}

}  // namespace
