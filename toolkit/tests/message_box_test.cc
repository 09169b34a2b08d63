// The built-in message box: shown with no skin archive loaded, it carries the
// given text and title and answers OK to a click, Enter or Escape.
#include "toolkit/message_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/testing/ui_driver.h"
#include "toolkit/ui.h"

namespace {

using toolkit::testing::UiDriver;

class MessageBoxTest : public ::testing::Test {
 protected:
  // The box must not need a skin: start without one.
  void SetUp() override { ui::CPaintManagerUI::Term(); }

  UiDriver driver_;
};

TEST_F(MessageBoxTest, ShowsTheTextAndTitleWithoutASkinAndClickingOkAnswersOk) {
  const ui::CDuiString text(u"加载内存字体错误");
  ui::CDuiString shownText, shownTitle;
  bool clicked = false;
  driver_.OnNextModal([&](UiDriver& d) {
    shownText = d.Text(u"msgbox_text");
    shownTitle = d.TopWindow()->GetTitle();
    clicked = d.Click(u"msgbox_ok");
  });
  EXPECT_EQ(ui::MessageBoxW(0, text, u"", ui::MB_OK), static_cast<int>(ui::IDOK));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(shownText, text);
  EXPECT_TRUE(shownTitle.IsEmpty());
  EXPECT_EQ(driver_.ModalLog(), std::vector<std::string>{"MessageBox"});
  EXPECT_EQ(driver_.UnexpectedModals(), 0);
  EXPECT_EQ(driver_.TopWindow(), nullptr);  // gone once answered
}

TEST_F(MessageBoxTest, EnterAndEscapeAnswerOkToo) {
  struct Case {
    const char* name;
    std::function<void(UiDriver&)> dismiss;
  };
  const Case cases[] = {
      {"Enter", [](UiDriver& d) { d.Key(platform::VK_RETURN); }},
      {"Escape", [](UiDriver& d) { d.Key(platform::VK_ESCAPE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    driver_.OnNextModal(c.dismiss);
    EXPECT_EQ(ui::MessageBoxW(0, u"A long line of text that has to wrap inside the box.", u"Title",
                              ui::MB_OK),
              static_cast<int>(ui::IDOK));
  }
  EXPECT_EQ(driver_.UnexpectedModals(), 0);
}

}  // namespace
