// Windows: the modal pop-up's value, the menu's report, the title bar
// buttons, the caption band and the tree dump.
#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "skin_fixture.h"
#include "test_window.h"
#include "toolkit/testing/ui_driver.h"

namespace {

using toolkit::testing::InstallSkin;
using toolkit::testing::TestWindow;
using toolkit::testing::ToBytes;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallSkin({
        {"main.xml", ToBytes(R"(<Window size="800,600" caption="0,0,0,80">
            <VerticalLayout><HorizontalLayout name="title" height="80">
              <Label name="logo" width="200"/><Control/>
              <Button name="minbtn" width="40"/><Button name="closebtn" width="40"/>
            </HorizontalLayout>
            <TabLayout name="TabMain"><VerticalLayout name="p0"><Edit name="pw" password="true"
              text="hunter2" height="30"/></VerticalLayout><VerticalLayout name="p1"/></TabLayout>
            </VerticalLayout></Window>)")},
        {"pop.xml", ToBytes(R"(<Window size="420,170"><VerticalLayout name="main_bk">
            <Text name="msg" text="Sure?"/><HorizontalLayout height="40">
            <Button name="cancel" width="100"/><Button name="ok" width="100"/>
            </HorizontalLayout></VerticalLayout></Window>)")},
        {"menu.xml", ToBytes(R"(<Window><Menu name="menu" width="160">
            <MenuElement name="Menu_Test1" text="About" height="30"/>
            <MenuElement name="Menu_Test2" text="Warranty" height="30" checked="true"/>
            </Menu></Window>)")},
    });
    ASSERT_NE(main_.Create(0, u"main", 0x96C80000, 0, 0, 0, 900, 600), 0u);
    main_.CenterWindow();
    main_.ShowWindow();
  }

  toolkit::testing::UiDriver driver_;
  TestWindow main_{u"main.xml"};
};

TEST_F(WindowTest, TheLayoutSizesTheWindowAndInitRunsOnce) {
  EXPECT_EQ(main_.inits, 1);
  EXPECT_EQ(main_.GetWindowRect().Width(), 800);
  EXPECT_EQ(main_.GetWindowRect().Height(), 600);
  EXPECT_EQ(main_.GetWindowRect().left, (1920 - 800) / 2);  // centred on the screen
}

TEST_F(WindowTest, ShowModalReturnsTheValueItWasClosedWith) {
  struct Case {
    const char16_t* button;
    ui::UINT expect;
  } cases[] = {{u"ok", 1}, {u"cancel", 0}};
  for (const auto& c : cases) {
    auto* pop = new TestWindow(u"pop.xml");
    pop->onNotify = [pop](ui::TNotifyUI& msg) {
      if (msg.sType != ui::kNotifyClick) return;
      pop->Close(msg.pSender->GetName() == u"ok" ? 1 : 0);
    };
    bool ownerBlocked = false;
    driver_.OnNextModal([&](toolkit::testing::UiDriver& d) {
      ownerBlocked = !main_.GetPaintManager()->IsInputEnabled();
      EXPECT_EQ(d.TopWindow(), pop);
      EXPECT_TRUE(d.Click(c.button));
    });
    ASSERT_NE(pop->Create(main_.GetHWND(), u"PopDailog", 0x82000000, 0x80), 0u);
    pop->CenterWindow();
    EXPECT_EQ(pop->GetWindowRect().Center(), main_.GetWindowRect().Center());
    EXPECT_EQ(pop->ShowModal(), c.expect);
    EXPECT_EQ(pop->finals, 1);
    EXPECT_TRUE(ownerBlocked);
    EXPECT_TRUE(main_.GetPaintManager()->IsInputEnabled());
    EXPECT_EQ(driver_.TopWindow(), &main_);
    delete pop;
  }
}

TEST_F(WindowTest, EscapeClosesAPopUpWithoutAChoice) {
  TestWindow pop(u"pop.xml");
  driver_.OnNextModal([](toolkit::testing::UiDriver& d) { d.Key(platform::VK_ESCAPE); });
  ASSERT_NE(pop.Create(main_.GetHWND(), u"PopDailog", 0, 0), 0u);
  EXPECT_EQ(pop.ShowModal(), 0u);
  EXPECT_EQ(driver_.UnexpectedModals(), 0);
}

TEST_F(WindowTest, TheMenuReportsTheChosenEntryAndKeepsChecks) {
  ui::MenuCheckInfo checks;
  std::vector<ui::MenuCmd> reports;
  bool menuStillOpen = false;
  ui::CMenuWnd* menu = nullptr;
  main_.onMessage = [&](ui::UINT msg, ui::WPARAM w, ui::LPARAM) {
    if (msg != ui::WM_MENUCLICK) return false;
    auto cmd = ui::CMenuWnd::TakeMenuCmd(w);
    EXPECT_TRUE(cmd.has_value());
    if (cmd) reports.push_back(*cmd);
    EXPECT_FALSE(ui::CMenuWnd::TakeMenuCmd(w).has_value());  // handed out once
    menuStillOpen = ui::CMenuWnd::IsOpen(menu);
    if (menuStillOpen) {
      static_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test2"))->SetChecked(false);
    }
    return true;
  };
  ui::POINT at{main_.GetWindowRect().right - 10, main_.GetWindowRect().top + 60};
  menu = ui::CMenuWnd::CreateMenu(nullptr, u"menu.xml", at, main_.GetPaintManager(), &checks, 8);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetWindowRect().right, at.x);  // aligned to the left of the point
  EXPECT_EQ(driver_.TopWindow(), menu);
  EXPECT_TRUE(checks[u"Menu_Test2"]);
  EXPECT_TRUE(driver_.Click(u"Menu_Test2"));
  driver_.RunPending();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].szName, u"Menu_Test2");
  EXPECT_EQ(reports[0].szText, u"Warranty");
  EXPECT_TRUE(reports[0].bChecked);
  EXPECT_TRUE(menuStillOpen);
  EXPECT_FALSE(ui::CMenuWnd::IsOpen(menu));
  EXPECT_EQ(driver_.TopWindow(), &main_);
  // The next opening shows the check as the owner left it.
  menu = ui::CMenuWnd::CreateMenu(nullptr, u"menu.xml", at, main_.GetPaintManager(), &checks, 8);
  auto* entry = static_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test2"));
  EXPECT_FALSE(entry->GetChecked());
  driver_.UseWindow(&main_);
  driver_.ClickAt({400, 300});  // a click on the owner closes the menu without a report
  driver_.RunPending();
  EXPECT_FALSE(ui::CMenuWnd::IsOpen(menu));
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(WindowTest, TitleBarButtonsMinimiseAndCloseAndTheCaptionDrags) {
  ui::CPaintManagerUI& pm = *main_.GetPaintManager();
  EXPECT_TRUE(pm.IsCaptionDragPoint({100, 40}));    // on the logo label
  EXPECT_FALSE(pm.IsCaptionDragPoint({740, 40}));   // on a button
  EXPECT_FALSE(pm.IsCaptionDragPoint({100, 120}));  // below the band
  driver_.Click(u"minbtn");
  EXPECT_TRUE(main_.IsMinimized());
  driver_.Click(u"closebtn");
  EXPECT_EQ(main_.finals, 0);  // closing happens on the loop
  driver_.RunPending();
  EXPECT_EQ(main_.finals, 1);
  EXPECT_EQ(driver_.TopWindow(), nullptr);
}

TEST_F(WindowTest, TheTreeDumpFollowsPageChangesAndPopUps) {
  auto path =
      std::filesystem::temp_directory_path() / ("ui-dump-" + std::to_string(::getpid()) + ".json");
  ::setenv("ORLUSSD_UI_DUMP", path.c_str(), 1);
  auto read = [&] {
    Json::Value root;
    std::ifstream in(path);
    Json::CharReaderBuilder reader;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(reader, in, &root, &errors)) << errors;
    return root;
  };
  auto find = [](const Json::Value& node, const std::string& name, auto& self) -> Json::Value {
    if (node["name"].asString() == name) return node;
    for (const auto& child : node["children"]) {
      Json::Value hit = self(child, name, self);
      if (!hit.isNull()) return hit;
    }
    return Json::Value();
  };
  driver_.Find<ui::CTabLayoutUI>(u"TabMain")->SelectItem(1);
  Json::Value dump = read();
  EXPECT_EQ(dump["window"].asString(), "TestWindow");
  Json::Value p1 = find(dump["controls"][0], "p1", find);
  EXPECT_TRUE(p1["visible"].asBool());
  Json::Value pw = find(dump["controls"][0], "pw", find);
  EXPECT_FALSE(pw["visible"].asBool());
  EXPECT_EQ(pw["textLength"].asInt(), 7);
  EXPECT_FALSE(pw.isMember("text"));
  Json::Value close = find(dump["controls"][0], "closebtn", find);
  ui::RECT screen = main_.GetWindowRect();
  EXPECT_EQ(close["rect"][0].asInt(), screen.left + 760);  // screen coordinates
  EXPECT_EQ(close["rect"][1].asInt(), screen.top);

  TestWindow pop(u"pop.xml");
  ASSERT_NE(pop.Create(main_.GetHWND(), u"PopDailog", 0, 0), 0u);
  pop.ShowWindow();
  EXPECT_EQ(read()["window"].asString(), "TestWindow");
  EXPECT_FALSE(find(read()["controls"][0], "msg", find).isNull());
  ::unsetenv("ORLUSSD_UI_DUMP");
  std::filesystem::remove(path);
}

}  // namespace

namespace {

TEST_F(WindowTest, ModalPopUpsOpenedByAClickAreAnsweredByScript) {
  // A button of the main window asks a question in a pop-up, as flows do.
  std::vector<ui::UINT> answers;
  main_.onNotify = [&](ui::TNotifyUI& msg) {
    if (msg.sType != ui::kNotifyClick || msg.pSender->GetName() != u"logo2") return;
    auto* pop = new TestWindow(u"pop.xml");
    pop->onNotify = [pop](ui::TNotifyUI& m) {
      if (m.sType == ui::kNotifyClick) pop->Close(m.pSender->GetName() == u"ok" ? 1 : 0);
    };
    pop->Create(main_.GetHWND(), u"PopDailog", 0, 0);
    answers.push_back(pop->ShowModal());
    delete pop;
  };
  auto* logo = new ui::CButtonUI;
  logo->SetName(u"logo2");
  logo->SetFixedHeight(30);
  static_cast<ui::CContainerUI*>(driver_.Find(u"p0"))->Add(logo);
  driver_.OnNextModal([](toolkit::testing::UiDriver& d) { EXPECT_TRUE(d.Click(u"ok")); });
  driver_.OnNextModal([](toolkit::testing::UiDriver& d) { d.Click(u"cancel"); });
  ASSERT_TRUE(driver_.Click(u"logo2"));
  ASSERT_TRUE(driver_.Click(u"logo2"));
  ASSERT_TRUE(driver_.Click(u"logo2"));  // nothing scripted: closed with 0 and counted
  EXPECT_EQ(answers, (std::vector<ui::UINT>{1, 0, 0}));
  EXPECT_EQ(driver_.UnexpectedModals(), 1);
  EXPECT_EQ(driver_.ModalLog().size(), 3u);
}

}  // namespace
