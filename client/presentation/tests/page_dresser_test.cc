#include "client/presentation/page_dresser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "client/presentation/tests/language_folder.h"
#include "toolkit/ui.h"

namespace presentation {
namespace {

// A main window in miniature: the title bar, and a tab of 23 pages of which
// the unlock, check and home pages hold a few controls each. Some controls
// the dressing names are left out on purpose.
std::string FixtureLayout(bool withCloseButton) {
  std::string pages;
  for (int i = 0; i < 23; ++i) {
    if (i == 1) {
      pages += R"(<VerticalLayout><Button name="Btn_Encrypt" text="Open" textcolor="#FF123456"
                    normalimage="layout.png" pushedimage="layout_push.png"/></VerticalLayout>)";
    } else if (i == 5) {
      pages += R"(<VerticalLayout>
          <Label name="Unlock_Tip1" text="Layout title"/>
          <Edit name="login_edit" prompttext="Layout hint" text="typed"/>
          <Button name="login_btn" text="Layout unlock"/>
          <Label name="login_tip" text="wrong"/></VerticalLayout>)";
    } else if (i == 7) {
      pages += R"(<VerticalLayout>
          <Label name="Check_Tip1" text="placeholder"/>
          <Edit name="Check_edit" password="true" text="secret"/>
          <Button name="btn_Checkconfirm" text="placeholder"/>
          <Option name="btn_showCheckpasswd" selected="true"/>
          <Label name="Check_Errortip" text="Wrong password"/></VerticalLayout>)";
    } else {
      pages += "<Control/>";
    }
  }
  return std::string(R"(<Window size="800,600"><VerticalLayout name="backgrund">
      <HorizontalLayout name="backgrund_title" height="80">
        <Button name="title_logo"/><Button name="aboutbtn"/><Button name="safeRemove"/>
        <Button name="minbtn"/>)") +
         (withCloseButton ? R"(<Button name="closebtn"/>)" : "") +
         R"(<GifAnim name="wait" autoplay="false"/></HorizontalLayout>
      <TabLayout name="TabMain">)" +
         pages + "</TabLayout></VerticalLayout></Window>";
}

class PageDresserTest : public testing::LanguageFolderTest {
 protected:
  void SetUp() override {
    LanguageFolderTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    Write("Test.ini",
          "[Fields]\n"
          "Pwd_Check_Title=Enter your password\n"
          "Btn_Confirm=Confirm\n"
          "Pwd_Placeholder_Pwd=Password\n"
          "Unlock_Title=Drive locked\n"
          "Home_Btn_Setting=Security\n");
    Build(true);
  }

  void Build(bool withCloseButton) {
    pm_ = std::make_unique<ui::CPaintManagerUI>();
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.CreateFromXml(FixtureLayout(withCloseButton), pm_.get());
    ASSERT_NE(root, nullptr) << builder.GetLastError();
    pm_->AttachDialog(root);
    dresser_ = std::make_unique<PageDresser>(*pm_);
  }

  template <class T>
  T& Get(const char16_t* name) {
    T* control = pm_->FindControl<T>(name);
    EXPECT_NE(control, nullptr);
    return *control;
  }

  PageContext Mode(std::uint8_t dark) {
    PageContext context;
    context.darkMode = dark;
    return context;
  }

  std::unique_ptr<ui::CPaintManagerUI> pm_;
  std::unique_ptr<PageDresser> dresser_;
};

TEST_F(PageDresserTest, CheckPageIsFilledResetAndSelected) {
  dresser_->ShowPage(7, Mode(1), "Test.ini");

  EXPECT_EQ(dresser_->CurrentPage(), 7);
  EXPECT_EQ(Get<ui::CLabelUI>(u"Check_Tip1").GetText(), u"Enter your password");
  EXPECT_EQ(Get<ui::CLabelUI>(u"Check_Tip1").GetTextColor(), 0xFFFFFFFFu);
  auto& edit = Get<ui::CEditUI>(u"Check_edit");
  EXPECT_EQ(edit.GetText(), u"");
  EXPECT_EQ(edit.GetPromptText(), u"Password");
  EXPECT_EQ(edit.GetTextColor(), 0xFFFFFFFFu);
  EXPECT_EQ(edit.GetBkColor(), 0xFF2A2A2Au);
  auto& confirm = Get<ui::CButtonUI>(u"btn_Checkconfirm");
  EXPECT_EQ(confirm.GetText(), u"Confirm");
  EXPECT_FALSE(confirm.IsEnabled());
  EXPECT_EQ(confirm.GetNormalImage(), u"file='btnSave_black.png' corner='20,20,20,20'");
  EXPECT_EQ(confirm.GetDisabledTextColor(), 0xFFBEBEBEu);
  auto& show = Get<ui::COptionUI>(u"btn_showCheckpasswd");
  EXPECT_FALSE(show.IsSelected());
  EXPECT_EQ(show.GetSelectedImage(), u"btn_hidepasswd_black.png");
  EXPECT_FALSE(Get<ui::CLabelUI>(u"Check_Errortip").IsVisible());
  EXPECT_EQ(Get<ui::CControlUI>(u"backgrund").GetBkColor(), 0xFF121212u);
}

TEST_F(PageDresserTest, NormalModeGivesBackTheLayoutsPushedImage) {
  auto& button = Get<ui::CButtonUI>(u"Btn_Encrypt");
  dresser_->ShowPage(1, Mode(1), "Test.ini");
  EXPECT_EQ(button.GetPushedImage(), u"file = 'btnSave_black_push.png' corner = '20,20,20,20'");
  EXPECT_EQ(button.GetTextColor(), 0xFFBEBEBEu);

  dresser_->ShowPage(1, Mode(0), "Test.ini");
  EXPECT_EQ(button.GetPushedImage(), u"layout_push.png");
  EXPECT_EQ(button.GetNormalImage(), u"file = 'btn_unlock.png' corner = '20,20,20,20'");
  EXPECT_EQ(button.GetTextColor(), 0xFFFFFFFFu);
  EXPECT_EQ(button.GetText(), u"Security");
}

TEST_F(PageDresserTest, UnlockPageKeepsLayoutTextsWhenTheUnlockKeyIsMissing) {
  dresser_->ShowPage(5, Mode(0), "Test.ini");
  EXPECT_EQ(dresser_->CurrentPage(), 5);
  EXPECT_EQ(Get<ui::CLabelUI>(u"Unlock_Tip1").GetText(), u"Layout title");
  EXPECT_EQ(Get<ui::CButtonUI>(u"login_btn").GetText(), u"Layout unlock");
  EXPECT_EQ(Get<ui::CEditUI>(u"login_edit").GetPromptText(), u"Layout hint");
  EXPECT_EQ(Get<ui::CEditUI>(u"login_edit").GetText(), u"");
  EXPECT_FALSE(Get<ui::CButtonUI>(u"login_btn").IsEnabled());
  EXPECT_FALSE(Get<ui::CLabelUI>(u"login_tip").IsVisible());

  std::ofstream(dir_ / "Test.ini", std::ios::app) << "Unlock_Btn_Unlock=Unlock\n";
  dresser_->ShowPage(5, Mode(0), "Test.ini");
  EXPECT_EQ(Get<ui::CLabelUI>(u"Unlock_Tip1").GetText(), u"Drive locked");
  EXPECT_EQ(Get<ui::CButtonUI>(u"login_btn").GetText(), u"Unlock");
  EXPECT_EQ(Get<ui::CEditUI>(u"login_edit").GetPromptText(), u"Password");
}

TEST_F(PageDresserTest, IndexAboveTheTabOnlyRepaintsTheBackground) {
  dresser_->ShowPage(7, Mode(0), "Test.ini");
  dresser_->ShowPage(23, Mode(1), "Test.ini");
  EXPECT_EQ(dresser_->CurrentPage(), 7);
  EXPECT_EQ(Get<ui::CControlUI>(u"backgrund").GetBkColor(), 0xFF121212u);
}

TEST_F(PageDresserTest, ChromeFollowsTheModeOnlyWhenComplete) {
  ASSERT_TRUE(dresser_->DressChrome(1));
  EXPECT_EQ(Get<ui::CButtonUI>(u"closebtn").GetNormalImage(), u"close_black.png");
  EXPECT_EQ(Get<ui::CButtonUI>(u"title_logo").GetNormalImage(), u"orlu_black.png");
  EXPECT_EQ(Get<ui::CGifAnimUI>(u"wait").GetBkImage(), u"wait_black.gif");
  EXPECT_EQ(Get<ui::CControlUI>(u"backgrund_title").GetBkColor(), 0xFF1E1E1Eu);
  ASSERT_TRUE(dresser_->DressChrome(0));
  EXPECT_EQ(Get<ui::CButtonUI>(u"closebtn").GetNormalImage(), u"close_focuse.png");

  Build(false);  // no close button: the chrome is left as the layout has it
  EXPECT_FALSE(dresser_->DressChrome(1));
  EXPECT_EQ(Get<ui::CButtonUI>(u"minbtn").GetNormalImage(), u"");
  EXPECT_EQ(Get<ui::CControlUI>(u"backgrund_title").GetBkColor(), 0u);
}

}  // namespace
}  // namespace presentation
