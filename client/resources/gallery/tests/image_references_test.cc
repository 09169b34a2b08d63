#include "client/resources/gallery/image_references.h"

#include <gtest/gtest.h>

namespace gallery {
namespace {

TEST(ImageReferencesTest, FileOfADescription) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"back.png", "back.png"},
      {"  back.png ", "back.png"},
      {"file='btn_unlock.png' corner='20,20,20,20'", "btn_unlock.png"},
      {"file = 'btnSave_black.png' corner = '20,20,20,20'", "btnSave_black.png"},
      {"corner='1,1,1,1' file='pages/x.png'", "pages/x.png"},
      {"file='broken.png", ""},
      {"", ""},
  };
  for (const auto& [description, file] : cases) EXPECT_EQ(ImageFileOf(description), file);
}

TEST(ImageReferencesTest, DressingNamesBothModesImages) {
  const std::set<std::string> files = ImagesOfDressing();
  for (const char* file : {"btn_unlock.png", "btnSave_black.png", "btnSave_black_push.png",
                           "wait_white.gif", "wait_black.gif", "orlu_black.png", "FP_login.png",
                           "unlock_bk_black1.png", "btn_hidepasswd_black.png"}) {
    EXPECT_EQ(files.count(file), 1u) << file;
  }
}

}  // namespace
}  // namespace gallery
