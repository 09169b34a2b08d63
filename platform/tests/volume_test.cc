#include "platform/volume.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/letter_map.h"
#include "platform/tests/test_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

// A letter map with E (1000-byte volume holding 300 bytes), F (optical),
// H (no size file), G (a link to nothing).
class VolumeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("ORLU_LETTER_MAP", (dir / "letters").c_str(), 1);
    fs::create_directories(LetterMapDir());
    for (const char* volume : {"vol-e/sub", "vol-f", "vol-h"}) fs::create_directories(dir / volume);
    WriteFile(dir / "vol-e/a.bin", std::string(100, 'a'));
    WriteFile(dir / "vol-e/sub/b.bin", std::string(200, 'b'));
    Map('E', "vol-e");
    WriteFile(Entry("E.size"), "1000\n");
    Map('F', "vol-f");
    WriteFile(Entry("F.type"), "cdrom\n");
    Map('H', "vol-h");
    Map('G', "vol-gone");
  }
  void TearDown() override { ::unsetenv("ORLU_LETTER_MAP"); }

  std::string Entry(const std::string& name) { return LetterMapDir() + "/" + name; }
  void Map(char letter, const std::string& folder) {
    fs::create_symlink(dir / folder, Entry(std::string(1, letter)));
  }

  TempDir dir;
};

TEST_F(VolumeTest, DriveTypes) {
  const struct {
    const char* root;
    UINT type;
  } cases[] = {
      {"E:\\", DRIVE_REMOVABLE},    {"e:\\", DRIVE_REMOVABLE},   {"E:", DRIVE_REMOVABLE},
      {"E:/", DRIVE_REMOVABLE},     {"F:\\", DRIVE_CDROM},       {"H:\\", DRIVE_REMOVABLE},
      {"G:\\", DRIVE_NO_ROOT_DIR},  {"Q:\\", DRIVE_NO_ROOT_DIR}, {"EF:\\", DRIVE_NO_ROOT_DIR},
      {"E:\\x", DRIVE_NO_ROOT_DIR}, {"", DRIVE_NO_ROOT_DIR},     {"1:\\", DRIVE_NO_ROOT_DIR},
      {nullptr, DRIVE_NO_ROOT_DIR},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetDriveTypeA(c.root), c.type) << (c.root ? c.root : "null");

  WriteFile(Entry("H.type"), "fixed");
  EXPECT_EQ(GetDriveTypeA("H:\\"), DRIVE_FIXED);
}

TEST_F(VolumeTest, FolderForLetter) {
  EXPECT_EQ(VolumeFolderForLetter('e'), fs::canonical(dir / "vol-e").string());
  EXPECT_FALSE(VolumeFolderForLetter('G'));
  EXPECT_FALSE(VolumeFolderForLetter('Q'));
  EXPECT_FALSE(VolumeFolderForLetter('.'));
}

TEST_F(VolumeTest, FreeSpaceOfASizedVolumeIsItsSizeMinusItsFiles) {
  std::uint64_t caller = 0, total = 0, free = 0;
  ASSERT_TRUE(GetDiskFreeSpaceExA("E:", &caller, &total, &free));
  EXPECT_EQ(total, 1000u);
  EXPECT_EQ(free, 700u);
  EXPECT_EQ(caller, 700u);
  ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\sub", nullptr, &total, nullptr));
  EXPECT_EQ(total, 1000u);

  WriteFile(Entry("E.size"), "250");  // fuller than its size: nothing free, not a wrap-around
  ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &caller, &total, &free));
  EXPECT_EQ(total, 250u);
  EXPECT_EQ(free, 0u);
  EXPECT_EQ(caller, 0u);
}

TEST_F(VolumeTest, FreeSpaceFallsBackToTheFileSystemAndFailsForUnknownPlaces) {
  for (const char* sizeText : {"", "12abc"}) {
    WriteFile(Entry("E.size"), sizeText);
    std::uint64_t caller = 0, total = 0, free = 0;
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &caller, &total, &free));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);
    EXPECT_LE(caller, free);
  }
  std::uint64_t total = 0;
  for (const char* path : {"Q:", "G:", "E:\\missing", "E", "", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(GetDiskFreeSpaceExA(path, nullptr, &total, nullptr)) << (path ? path : "null");
}

TEST(LetterMapTest, LocationFollowsTheEnvironment) {
  ::unsetenv("ORLU_LETTER_MAP");
  ::setenv("DRIVESIM_DIR", "/x/sim", 1);
  EXPECT_EQ(LetterMapDir(), "/x/sim/letters");
  ::unsetenv("DRIVESIM_DIR");
  ::setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  EXPECT_EQ(LetterMapDir(), "/run/user/7/drivesim/letters");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(LetterMapDir(), "/tmp/drivesim-" + std::to_string(::getuid()) + "/letters");
  ::setenv("ORLU_LETTER_MAP", "/x/map", 1);
  EXPECT_EQ(LetterMapDir(), "/x/map");
  ::unsetenv("ORLU_LETTER_MAP");
}

}  // namespace
}  // namespace platform
