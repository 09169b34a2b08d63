// A pop-up shown from a worker thread with its own message loop, while the
// main thread draws: windows, images and text drawing stay per thread.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <atomic>
#include <thread>

#include "skin_fixture.h"
#include "test_window.h"
#include "toolkit/testing/ui_driver.h"

namespace {

using toolkit::testing::InstallSkin;
using toolkit::testing::TestWindow;
using toolkit::testing::ToBytes;

TEST(ThreadTest, PopUpsOnTwoThreadsRunTheirOwnModalLoops) {
  // Choose the backend before any thread starts: the drivers below would
  // otherwise write the environment while the other thread reads it.
  ::setenv("ORLUSSD_BACKEND", "headless", 1);
  InstallSkin({{"pop.xml", ToBytes(R"(<Window size="300,120"><VerticalLayout bkcolor="#FFFFFFFF">
                   <Text name="msg" text="Working 工作中"/><Button name="ok" height="30"
                   text="OK" bkimage="b.png"/></VerticalLayout></Window>)")},
               {"b.png", toolkit::testing::SolidPng(8, 8, 0xFF2266CC)}});
  auto showAndConfirm = [] {
    toolkit::testing::UiDriver driver;
    TestWindow pop(u"pop.xml");
    pop.onNotify = [&](ui::TNotifyUI& msg) {
      if (msg.sType == ui::kNotifyClick) pop.Close(1);
    };
    driver.OnNextModal([&](toolkit::testing::UiDriver& d) {
      pop.GetPaintManager()->Render();
      d.Click(u"ok");
    });
    if (!pop.Create(0, u"pop", 0, 0)) return 0u;
    return pop.ShowModal();
  };
  std::atomic<unsigned> workerResult{99};
  std::thread worker([&] { workerResult = showAndConfirm(); });
  unsigned mainResult = showAndConfirm();
  worker.join();
  EXPECT_EQ(mainResult, 1u);
  EXPECT_EQ(workerResult.load(), 1u);
}

}  // namespace
