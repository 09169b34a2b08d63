// Drawing: image descriptions on real pixels (nine slices, source, dest,
// fade), backgrounds, and animated GIF frames.
#include <cairo.h>
#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "toolkit/resources.h"
#include "toolkit/testing/ui_driver.h"
#include "toolkit/ui.h"

namespace {

using toolkit::testing::InstallSkin;
using toolkit::testing::ToBytes;

constexpr std::uint32_t kNine[9] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,   // top row
                                    0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF,   // middle row
                                    0xFF800000, 0xFF008000, 0xFF000080};  // bottom row

std::uint32_t PixelAt(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
}

class PaintTest : public ::testing::Test {
 protected:
  // Draws one 60 x 40 control with `attrs` at (10,10) in a 100 x 60 window.
  cairo_surface_t* Draw(const std::string& attrs) {
    InstallSkin({{"nine.png", toolkit::testing::NineBlockPng(4, kNine)},
                 {"w.xml", ToBytes("<Window size=\"100,60\"><Container>"
                                   "<Control float=\"true\" pos=\"10,10,70,50\" " +
                                   attrs + "/></Container></Window>")}});
    ui::CDialogBuilder builder;
    pm_.AttachDialog(builder.Create(u"w.xml", &pm_));
    pm_.SetClientSize({100, 60});
    return pm_.Render();
  }
  ui::CPaintManagerUI pm_;
};

TEST_F(PaintTest, NineSliceKeepsCornersAndStretchesEdgesAndMiddle) {
  cairo_surface_t* s = Draw("bkimage=\"file='nine.png' corner='4,4,4,4'\"");
  struct Probe {
    int x, y;
    std::uint32_t color;
  } probes[] = {
      {11, 11, kNine[0]}, {13, 13, kNine[0]},  // top-left corner stays 4 x 4
      {40, 11, kNine[1]}, {68, 11, kNine[2]},  // top edge stretched, top-right corner
      {11, 30, kNine[3]}, {40, 30, kNine[4]},  // left edge, middle
      {68, 30, kNine[5]}, {11, 48, kNine[6]},  // right edge, bottom-left corner
      {40, 48, kNine[7]}, {69, 49, kNine[8]},  // bottom edge, bottom-right corner
      {5, 5, 0},          {75, 30, 0},         // nothing outside the control
  };
  for (const auto& p : probes) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(PixelAt(s, p.x, p.y), p.color);
  }
}

TEST_F(PaintTest, SourceDestAndFadePickAndPlaceThePixels) {
  // The centre block only, drawn into a 10 x 10 box at (20,5) of the control, half faded.
  cairo_surface_t* s =
      Draw("bkimage=\"file='nine.png' source='4,4,8,8' dest='20,5,30,15' fade='128'\"");
  std::uint32_t inside = PixelAt(s, 35, 20);
  EXPECT_NEAR(static_cast<int>(inside >> 24), 128, 2);
  EXPECT_EQ(inside & 0x00FF0000, 0u);                           // cyan has no red
  EXPECT_NEAR(static_cast<int>((inside >> 8) & 0xFF), 128, 2);  // premultiplied green
  EXPECT_EQ(PixelAt(s, 29, 20), 0u);                            // left of dest
  EXPECT_EQ(PixelAt(s, 35, 26), 0u);                            // below dest
}

TEST_F(PaintTest, BareFileStretchesOverTheControlAndMissingFilesDrawNothing) {
  cairo_surface_t* s = Draw("bkcolor=\"#FF102030\" bkimage=\"nope.png\"");
  EXPECT_EQ(PixelAt(s, 40, 30), 0xFF102030u);
  s = Draw("bkimage=\"nine.png\"");
  EXPECT_EQ(PixelAt(s, 11, 11), kNine[0]);
  EXPECT_EQ(PixelAt(s, 40, 30), kNine[4]);
  EXPECT_EQ(PixelAt(s, 69, 49), kNine[8]);
}

TEST_F(PaintTest, GradientAndRoundedCorners) {
  cairo_surface_t* s = Draw("bkcolor=\"#FFFF0000\" bkcolor2=\"#FF0000FF\" borderround=\"20,20\"");
  EXPECT_EQ(PixelAt(s, 10, 10), 0u);  // the rounded corner is cut away
  std::uint32_t top = PixelAt(s, 40, 11), bottom = PixelAt(s, 40, 48);
  EXPECT_GT((top >> 16) & 0xFF, (bottom >> 16) & 0xFF);
  EXPECT_LT(top & 0xFF, bottom & 0xFF);
}

// Two 1 x 1 frames: red for 100 ms, then blue for 200 ms, looping.
const unsigned char kTwoFrameGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0xF0, 0x00, 0x00, 0xFF, 0x00,
    0x00, 0x00, 0x00, 0xFF, 0x21, 0xFF, 0x0B, 0x4E, 0x45, 0x54, 0x53, 0x43, 0x41, 0x50, 0x45,
    0x32, 0x2E, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x04, 0x0A, 0x00, 0x00,
    0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01,
    0x00, 0x21, 0xF9, 0x04, 0x04, 0x14, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x4C, 0x01, 0x00, 0x3B};

TEST(GifTest, FramesAndDelaysAreDecoded) {
  auto anim = ui::DecodeAnimation({std::begin(kTwoFrameGif), std::end(kTwoFrameGif)});
  ASSERT_NE(anim, nullptr);
  ASSERT_EQ(anim->frames.size(), 2u);
  EXPECT_EQ(anim->delaysMs[0], 100);
  EXPECT_EQ(anim->delaysMs[1], 200);
  EXPECT_EQ(PixelAt(anim->frames[0].surface, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(anim->frames[1].surface, 0, 0), 0xFF0000FFu);
  for (auto& f : anim->frames) cairo_surface_destroy(f.surface);
}

class GifWindow : public ui::WindowImplBase {
 public:
  ui::CDuiString GetWindowClassName() const override { return u"GifWindow"; }
  ui::CDuiString GetSkinFile() override { return u"gif.xml"; }
};

TEST(GifTest, TheWindowTimerAdvancesTheFrames) {
  toolkit::testing::UiDriver driver;
  InstallSkin({{"wait.gif", {std::begin(kTwoFrameGif), std::end(kTwoFrameGif)}},
               {"gif.xml", ToBytes(R"(<Window size="40,40"><VerticalLayout>
                   <GifAnim name="wait" bkimage="wait.gif"/></VerticalLayout></Window>)")}});
  GifWindow window;
  ASSERT_NE(window.Create(0, u"gif", 0, 0), 0u);
  window.ShowWindow();
  auto* gif = driver.Find<ui::CGifAnimUI>(u"wait");
  ASSERT_NE(gif, nullptr);
  EXPECT_TRUE(gif->IsPlaying());
  EXPECT_EQ(PixelAt(window.GetPaintManager()->Render(), 20, 20), 0xFFFF0000u);
  driver.Advance(std::chrono::milliseconds(100));
  EXPECT_EQ(gif->GetFrameIndex(), 1);
  EXPECT_EQ(PixelAt(window.GetPaintManager()->Render(), 20, 20), 0xFF0000FFu);
  driver.Advance(std::chrono::milliseconds(100));
  EXPECT_EQ(gif->GetFrameIndex(), 1);  // the second frame lasts 200 ms
  driver.Advance(std::chrono::milliseconds(100));
  EXPECT_EQ(gif->GetFrameIndex(), 0);
  gif->SetVisible(false);
  driver.Advance(std::chrono::milliseconds(500));
  EXPECT_EQ(gif->GetFrameIndex(), 0);  // hidden: paused
}

}  // namespace
