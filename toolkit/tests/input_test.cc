// Input: hit testing, focus, notifications, key routing and the edit rules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "test_window.h"
#include "toolkit/testing/ui_driver.h"

namespace {

using ::testing::ElementsAre;
using toolkit::testing::InstallSkin;
using toolkit::testing::TestWindow;
using toolkit::testing::ToBytes;

const char* kForm = R"(<Window size="400,300">
  <VerticalLayout name="root">
    <HorizontalLayout height="40">
      <Button name="b1" width="100" text="One"/>
      <Button name="b2" width="100" text="Two" enabled="false"/>
      <Label name="lab" width="100" text="label"/>
      <Button name="ghost" width="100" mouse="false"/>
    </HorizontalLayout>
    <Edit name="e1" height="30" maxchar="6"/>
    <Edit name="e2" height="30" password="true"/>
    <HorizontalLayout height="30">
      <Option name="o1" width="80" group="g" selected="true"/>
      <Option name="o2" width="80" group="g"/>
      <CheckBox name="cb" width="80"/>
      <Text name="link" width="150" text="see {a https://x.test}here{/a}"/>
    </HorizontalLayout>
    <List name="list" height="90">
      <ListContainerElement name="row0" height="30"><Label name="r0" text="zero"/></ListContainerElement>
      <ListContainerElement name="row1" height="30"><Button name="rb" width="30"/></ListContainerElement>
    </List>
    <Container name="area">
      <Button name="under" float="true" pos="0,0,100,40"/>
      <Control name="cover" float="true" pos="0,0,50,40" visible="false"/>
    </Container>
  </VerticalLayout></Window>)";

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallSkin({{"form.xml", ToBytes(kForm)}});
    ASSERT_NE(window_.Create(0, u"form", 0, 0), 0u);
    window_.ShowWindow();
  }
  ui::CEditUI* Edit(const char16_t* name) { return driver_.Find<ui::CEditUI>(name); }

  toolkit::testing::UiDriver driver_;
  TestWindow window_{u"form.xml"};
};

TEST_F(InputTest, HitTestingSkipsHiddenAndMouseDeafControls) {
  ui::CPaintManagerUI& pm = *driver_.Manager();
  pm.Render();
  auto at = [&](const char16_t* name) { return driver_.Find(name)->GetPos().Center(); };
  EXPECT_EQ(pm.FindControl(at(u"b1")), driver_.Find(u"b1"));
  EXPECT_EQ(pm.FindControl(at(u"b2")), driver_.Find(u"b2"));  // disabled still takes the hit
  // A control that ignores the mouse lets the click through to its parent.
  EXPECT_EQ(pm.FindControl(at(u"ghost")), driver_.Find(u"ghost")->GetParent());
  EXPECT_EQ(pm.FindControl(at(u"under")), driver_.Find(u"under"));
  driver_.Find(u"cover")->SetVisible(true);
  EXPECT_EQ(pm.FindControl(ui::POINT{at(u"under").x - 30, at(u"under").y}),
            driver_.Find(u"cover"));  // a floating overlay on top
  EXPECT_EQ(pm.FindControl(ui::POINT{-5, 10}), nullptr);
}

TEST_F(InputTest, ClicksNotifyOnlyEnabledButtonsAndOptionsFollowTheirGroup) {
  EXPECT_TRUE(driver_.Click(u"b1"));
  EXPECT_TRUE(driver_.Click(u"b2"));
  EXPECT_TRUE(driver_.Click(u"o2"));
  EXPECT_TRUE(driver_.Click(u"o2"));  // already selected: a click but no change
  EXPECT_TRUE(driver_.Click(u"cb"));
  EXPECT_TRUE(driver_.Click(u"link"));
  EXPECT_TRUE(driver_.Click(u"r0"));  // a label in a row: the row takes the click
  EXPECT_TRUE(driver_.Click(u"rb"));  // a button in a row keeps its own click
  std::vector<std::string> clicks;
  for (const auto& n : window_.notes)
    if (n.rfind("setfocus", 0) != 0 && n.rfind("killfocus", 0) != 0) clicks.push_back(n);
  EXPECT_THAT(clicks, ElementsAre("click:b1", "click:o2", "selectchanged:o1", "selectchanged:o2",
                                  "click:o2", "click:cb", "selectchanged:cb", "link:link",
                                  "itemselect:list", "itemclick:row0", "click:rb"));
  EXPECT_FALSE(driver_.Find<ui::COptionUI>(u"o1")->IsSelected());
  EXPECT_TRUE(driver_.Find<ui::CCheckBoxUI>(u"cb")->GetCheck());
  EXPECT_EQ(driver_.Find<ui::CListUI>(u"list")->GetCurSel(), 0);
  EXPECT_EQ(*driver_.Find<ui::CTextUI>(u"link")->GetLinkContent(0), u"https://x.test");
  driver_.Find(u"b1")->SetVisible(false);
  EXPECT_FALSE(driver_.Click(u"b1"));  // the driver refuses what a user cannot see
}

TEST_F(InputTest, FocusMovesWithClicksAndTabAndReportsKillFocus) {
  driver_.Click(u"e1");
  EXPECT_EQ(driver_.Focus(), driver_.Find(u"e1"));
  driver_.Key(platform::VK_TAB);
  EXPECT_EQ(driver_.Focus(), driver_.Find(u"e2"));
  driver_.Key(platform::VK_TAB, ui::kModShift);
  EXPECT_EQ(driver_.Focus(), driver_.Find(u"e1"));
  window_.swallowTab = true;  // the window's filter takes Tab: focus stays
  driver_.Key(platform::VK_TAB);
  EXPECT_EQ(driver_.Focus(), driver_.Find(u"e1"));
  driver_.Click(u"lab");  // a click on something that takes no focus drops it
  EXPECT_EQ(driver_.Focus(), nullptr);
  EXPECT_NE(std::find(window_.notes.begin(), window_.notes.end(), "killfocus:e1"),
            window_.notes.end());
  driver_.Find(u"e2")->SetFocus();
  driver_.Find(u"e2")->SetVisible(false);  // hiding the focused control drops the focus
  EXPECT_EQ(driver_.Focus(), nullptr);
}

TEST_F(InputTest, KeysReachTheFilterFirstAndEnterReachesOnChar) {
  driver_.Click(u"b1");
  window_.notes.clear();
  driver_.Key(platform::VK_RETURN);  // Enter on a focused button clicks it
  EXPECT_THAT(window_.keys, ElementsAre(static_cast<int>(platform::VK_RETURN)));
  EXPECT_EQ(window_.chars, u"\r");
  EXPECT_THAT(window_.notes, ElementsAre("click:b1"));
  driver_.Click(u"e1");
  driver_.Type(u"ab");
  EXPECT_EQ(window_.chars, u"\rab");
  EXPECT_EQ(driver_.Text(u"e1"), u"ab");
}

struct EditCase {
  const char* name;
  int maxChar;
  std::u16string start;
  std::u16string typed;
  std::u16string expect;
};

TEST_F(InputTest, EditKeepsTheMaximumInUtf16UnitsWithoutSplittingPairs) {
  const std::u16string kFace = u"\U0001F600";  // two UTF-16 units
  const EditCase cases[] = {
      {"plain text stops at the maximum", 6, u"", u"abcdefgh", u"abcdef"},
      {"a pair that does not fit is dropped whole", 6, u"abcde", kFace, u"abcde"},
      {"a pair that fits is kept", 6, u"abcd", kFace, u"abcd" + kFace},
      {"line breaks are dropped", 6, u"", u"a\r\nb", u"ab"},
      {"text set by code is cut too", 3, u"abc" + kFace, u"", u"abc"},
  };
  auto* edit = Edit(u"e1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetMaxChar(c.maxChar);
    edit->SetText(c.start);
    edit->SetFocus();
    edit->SetSel(edit->GetText().GetLength(), -1);
    driver_.Type(c.typed);
    EXPECT_EQ(edit->GetText().str(), c.expect);
  }
}

TEST_F(InputTest, EditSelectionDeletionAndClipboard) {
  auto* edit = Edit(u"e1");
  edit->SetMaxChar(8);
  driver_.Click(u"e1");
  driver_.Type(u"x\U0001F600y");
  driver_.Key(platform::VK_BACK);
  driver_.Key(platform::VK_BACK);  // the pair goes in one step
  EXPECT_EQ(edit->GetText(), u"x");
  toolkit::SetClipboardText("0123456789");
  driver_.Key('V', ui::kModCtrl);  // paste is cut to what fits
  EXPECT_EQ(edit->GetText(), u"x0123456");
  driver_.Key('A', ui::kModCtrl);
  driver_.Type(u"new");  // typing replaces the selection
  EXPECT_EQ(edit->GetText(), u"new");
  driver_.Key(ui::VK_HOME);
  driver_.Key(ui::VK_RIGHT, ui::kModShift);
  driver_.Key(ui::VK_DELETE);
  EXPECT_EQ(edit->GetText(), u"ew");
  int changes = 0;
  for (const auto& n : window_.notes) changes += n == "textchanged:e1";
  EXPECT_EQ(changes, 6);
}

TEST_F(InputTest, PasswordEditsMaskTheirTextAndNeverCopyIt) {
  auto* edit = Edit(u"e2");
  driver_.Click(u"e2");
  driver_.Type(u"s\U0001F600cret");
  EXPECT_EQ(edit->GetText(), u"s\U0001F600cret");
  toolkit::SetClipboardText("before");
  driver_.Key('A', ui::kModCtrl);
  driver_.Key('C', ui::kModCtrl);
  driver_.Key('X', ui::kModCtrl);
  EXPECT_EQ(toolkit::GetClipboardText(), "before");
  EXPECT_EQ(edit->GetText(), u"s\U0001F600cret");
  // Shown as one mark per character; the dump gives the length only.
  std::string dump = driver_.DumpJson();
  EXPECT_EQ(dump.find("cret"), std::string::npos);
  EXPECT_NE(dump.find("\"textLength\" : 7"), std::string::npos);
  edit->SetPasswordMode(false);
  EXPECT_NE(driver_.DumpJson().find("cret"), std::string::npos);
}

TEST_F(InputTest, ListSelectionFollowsRowsRemovedByPointer) {
  auto* list = driver_.Find<ui::CListUI>(u"list");
  ASSERT_TRUE(list->SelectItem(1));
  EXPECT_TRUE(list->Remove(driver_.Find(u"row0")));
  EXPECT_EQ(list->GetCurSel(), 0);  // the selected row moved up
  EXPECT_TRUE(list->Remove(driver_.Find(u"row1")));
  EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(InputTest, ControlsRemovedByTheirOwnHandlerDieAfterTheEvent) {
  // The handler of a row's button rebuilds the list, which frees that button.
  window_.onNotify = [&](ui::TNotifyUI& msg) {
    if (msg.sType == ui::kNotifyClick && msg.pSender->GetName() == u"rb") {
      auto* list = driver_.Find<ui::CListUI>(u"list");
      list->RemoveAll();
      ui::CDialogBuilder builder;
      list->Add(builder.CreateFromXml(
          R"(<ListContainerElement name="fresh" height="30"><Button name="rb" width="30"/></ListContainerElement>)"));
    }
  };
  EXPECT_TRUE(driver_.Click(u"rb"));
  EXPECT_NE(driver_.Find(u"fresh"), nullptr);
  EXPECT_TRUE(driver_.Click(u"rb"));  // the new button works too
  EXPECT_EQ(driver_.Find<ui::CListUI>(u"list")->GetCount(), 1);
}

}  // namespace

namespace {

TEST(ToolTipTest, ShowsAfterTheMouseRestsAndGoesWithIt) {
  toolkit::testing::UiDriver driver;
  toolkit::testing::InstallSkin({{"tip.xml", toolkit::testing::ToBytes(R"(<Window size="300,200">
      <HorizontalLayout><Button name="remove_btn" width="100" tooltip="Safe removal"/>
      <Control name="plain"/></HorizontalLayout></Window>)")}});
  TestWindow window(u"tip.xml");
  ASSERT_NE(window.Create(0, u"tip", 0, 0), 0u);
  window.ShowWindow();
  ui::CPaintManagerUI& pm = *window.GetPaintManager();
  pm.Render();
  driver.MouseMove({50, 100});
  driver.Advance(std::chrono::milliseconds(ui::kToolTipDelayMs - 1));
  EXPECT_EQ(pm.GetShownToolTip(), nullptr);
  driver.Advance(std::chrono::milliseconds(1));
  EXPECT_EQ(pm.GetShownToolTip(), driver.Find(u"remove_btn"));
  driver.MouseMove({200, 100});  // onto a control without a tooltip
  EXPECT_EQ(pm.GetShownToolTip(), nullptr);
  driver.Advance(std::chrono::milliseconds(ui::kToolTipDelayMs));
  EXPECT_EQ(pm.GetShownToolTip(), nullptr);
  driver.MouseMove({50, 100});
  driver.ClickAt({50, 100});  // a click before the delay cancels it
  driver.Advance(std::chrono::milliseconds(ui::kToolTipDelayMs));
  EXPECT_EQ(pm.GetShownToolTip(), nullptr);
}

}  // namespace
