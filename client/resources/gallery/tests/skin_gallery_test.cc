// Runs the real skin-gallery program and checks what it leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct PngSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Width and height from the IHDR chunk; zero for anything not a PNG.
PngSize ReadPngSize(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[24] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return {};
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!std::equal(kSignature, kSignature + 8, header)) return {};
  auto be32 = [&](int at) {
    return std::uint32_t{header[at]} << 24 | std::uint32_t{header[at + 1]} << 16 |
           std::uint32_t{header[at + 2]} << 8 | std::uint32_t{header[at + 3]};
  };
  return {be32(16), be32(20)};
}

class SkinGalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orlu-gallery-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    out_ = pattern;
  }
  void TearDown() override { fs::remove_all(out_); }

  int Run(const std::string& arguments) {
    // In sanitizer builds the program's leak check leaves out the font libraries.
    const std::string command = std::string("LSAN_OPTIONS=suppressions=") + LSAN_SUPPRESSIONS +
                                " " + SKIN_GALLERY_PATH + " " + arguments + " >" +
                                (out_ / "log.txt").string() + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Log() {
    std::ifstream in(out_ / "log.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path out_;
};

TEST_F(SkinGalleryTest, WritesEveryPageInBothModes) {
  ASSERT_EQ(Run("--lang English.ini --out " + (out_ / "png").string()), 0) << Log();
  for (int page = 0; page < 23; ++page) {
    for (const char* mode : {"normal", "dark"}) {
      char name[32];
      std::snprintf(name, sizeof name, "page-%02d-%s.png", page, mode);
      const PngSize size = ReadPngSize(out_ / "png" / name);
      EXPECT_EQ(size.width, 800u) << name;
      EXPECT_EQ(size.height, 600u) << name;
    }
  }
  for (const char* stem : {"popup-ok", "popup-title", "menu", "fp-row"}) {
    for (const char* mode : {"-normal.png", "-dark.png"}) {
      const std::string name = std::string(stem) + mode;
      EXPECT_GT(ReadPngSize(out_ / "png" / name).width, 0u) << name;
    }
  }
}

TEST_F(SkinGalleryTest, MissingLanguageFileOrArgumentsFail) {
  EXPECT_NE(Run("--lang NoSuchLanguage.ini --out " + out_.string()), 0);
  EXPECT_NE(Log().find("NoSuchLanguage.ini"), std::string::npos) << Log();
  EXPECT_NE(Run("--out " + out_.string()), 0);
  EXPECT_NE(Log().find("usage"), std::string::npos) << Log();
}

}  // namespace
