// The skin archive as the client uses it: every layout builds with the toolkit without
// warnings, the controls the client looks up exist with the kind it casts them to, every
// image a layout names is in the archive, and the Chinese main layout matches the default one.
#include "client/resources/skin/skin_archive.h"

#include <gtest/gtest.h>

#include <memory>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "toolkit/containers.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/image_description.h"
#include "toolkit/paint_manager.h"
#include "toolkit/skin_archive.h"

namespace {

struct NamedControl {
  const char16_t* name;
  const char16_t* kind;  // the element name, as ui::CControlUI::GetClass() gives it
};

struct PageControls {
  int page;
  std::vector<NamedControl> controls;
};

// The controls of each page of "TabMain", by page number.
const std::vector<PageControls>& MainPages() {
  static const std::vector<PageControls> pages = {
      {0,
       {
           {u"disconnected_logo", u"Control"},
           {u"disconnected_title", u"Label"},
           {u"disconnected_text", u"Text"},
       }},
      {1,
       {
           {u"DeviceName", u"Label"},
           {u"TotalSize", u"Label"},
           {u"slider_operator_size", u"Slider"},
           {u"UsedSize", u"Label"},
           {u"Btn_Encrypt", u"Button"},
           {u"Btn_Safe_mode_main", u"Button"},
       }},
      {2,
       {
           {u"Manager_Locked_logo", u"Control"},    {u"Manager_Locked_Title", u"Label"},
           {u"Manager_Lockeddot_note", u"Control"}, {u"Manager_Locked_note", u"Label"},
           {u"Manager_Locked_TipText", u"Text"},    {u"manage_shownFp", u"VerticalLayout"},
           {u"Manager_safe_mode_n", u"Label"},      {u"Btn_SafePwd_mode_n", u"Button"},
           {u"Manage_change_pwd_n", u"Label"},      {u"btn_manager_changePwd_n", u"Button"},
           {u"manage_showFp", u"VerticalLayout"},   {u"Manager_safe_mode", u"Label"},
           {u"Btn_SafePwd_mode", u"Button"},        {u"Manager_Fp_mode", u"Label"},
           {u"Btn_SafeFP_mode", u"Button"},         {u"Manage_change_pwd", u"Label"},
           {u"btn_manager_changePwd", u"Button"},   {u"Manage_fp", u"Label"},
           {u"btn_manage_fp", u"Button"},           {u"manageback_Setting_btn", u"Button"},
       }},
      {3,
       {
           {u"manageFP_lable", u"VerticalLayout"},
           {u"manageFP_Tip1", u"Label"},
           {u"manageFP_Tip2", u"Text"},
           {u"list_zhiwen", u"List"},
           {u"btn_AddFP", u"Button"},
           {u"btn_AddFP1", u"Button"},
           {u"btn_manageFP_back", u"Button"},
       }},
      {4,
       {
           {u"Warning_logo", u"Control"},
           {u"warning_title", u"Label"},
           {u"warning_tip", u"Text"},
           {u"warning_text", u"Text"},
           {u"warning_back_btn", u"Button"},
           {u"warning_btn", u"Button"},
       }},
      {5,
       {
           {u"Locked_lable", u"VerticalLayout"},
           {u"Unlock_Tip1", u"Label"},
           {u"Unlock_Tip2", u"Label"},
           {u"login_edit", u"Edit"},
           {u"btn_showpasswd", u"CheckBox"},
           {u"login_line", u"Control"},
           {u"login_tip1", u"Text"},
           {u"login_tip", u"Text"},
           {u"lost_passwd_btn", u"Button"},
           {u"login_btn", u"Button"},
       }},
      {6,
       {
           {u"Forget_logo", u"Control"},
           {u"forget_Title", u"Label"},
           {u"forgetpwd_1", u"HorizontalLayout"},
           {u"forgetpwd_dot_note1", u"Control"},
           {u"forgetpwd_tip1", u"Text"},
           {u"forgetpwd_dot_note2", u"Control"},
           {u"forgetpwd_tip2", u"Text"},
           {u"forgetpwd_dot_note3", u"Control"},
           {u"forgetpwd_tip3", u"Text"},
           {u"Lock_text_DOWN", u"Text"},
           {u"formatting_btn", u"Button"},
           {u"back_Main_btn", u"Button"},
       }},
      {7,
       {
           {u"Check_lable", u"VerticalLayout"},
           {u"Check_Tip1", u"Label"},
           {u"Check_edit", u"Edit"},
           {u"btn_showCheckpasswd", u"CheckBox"},
           {u"Check_line", u"Control"},
           {u"Check_Errortip", u"Text"},
           {u"btn_Checkcancel", u"Button"},
           {u"btn_Checkconfirm", u"Button"},
       }},
      {8,
       {
           {u"About_tilte", u"Label"},
           {u"Websit", u"Label"},
           {u"Websit_text", u"Label"},
           {u"Websit_btn", u"Button"},
           {u"Email", u"Label"},
           {u"Message_US", u"Edit"},
           {u"Message_btn_CA", u"Button"},
           {u"Message_btn_US", u"Button"},
           {u"Other", u"Label"},
           {u"OtherQues", u"Text"},
           {u"Message_CA", u"Label"},
           {u"aboutback_Setting_btn", u"Button"},
       }},
      {9,
       {
           {u"warranty_logo", u"Control"},
           {u"Warranty", u"Label"},
           {u"warranty_dot_note1", u"Control"},
           {u"Warranty_text1", u"Text"},
           {u"warranty_dot_note2", u"Control"},
           {u"Warranty_text2", u"Text"},
           {u"warranty_dot_note3", u"Control"},
           {u"Warranty_text3", u"Text"},
           {u"Register_btn", u"Button"},
           {u"warrantyback_Setting_btn", u"Button"},
       }},
      {10,
       {
           {u"Version_logo", u"Control"},
           {u"Version", u"Label"},
           {u"version_dot_note1", u"Control"},
           {u"Version_text", u"Text"},
           {u"Release_Date", u"Label"},
           {u"Date_text", u"Label"},
           {u"Btn_Download", u"Button"},
           {u"progress_download", u"Progress"},
           {u"back_Setting_btn", u"Button"},
       }},
      {11,
       {
           {u"wait", u"GifAnim"},
       }},
      {12,
       {
           {u"main_back", u"Container"},
           {u"moreInfo_edit", u"RichEdit"},
           {u"moreInfo_back_btn", u"Button"},
       }},
      {13,
       {
           {u"Manager_logo", u"Control"},
           {u"Manager_Title", u"Label"},
           {u"Manager_TipText", u"Text"},
           {u"Manager_dot_note", u"Control"},
           {u"Manager_note", u"Label"},
           {u"Manager_Text", u"Text"},
           {u"Manager_mode", u"Label"},
           {u"Btn_manage_setPwd", u"Button"},
           {u"manageback_btn", u"Button"},
       }},
      {14,
       {
           {u"AddFp_logo", u"Control"},
           {u"AddFp_Title", u"Label"},
           {u"AddFp_TipText", u"Text"},
           {u"AddFp_dot_note", u"Control"},
           {u"AddFp_note", u"Label"},
           {u"AddFp_Text", u"Text"},
           {u"btn_startAddFP", u"Button"},
           {u"btn_AddFpback", u"Button"},
       }},
      {15,
       {
           {u"AddFpi_Title", u"Label"},
           {u"AddFpi_TipText", u"Text"},
           {u"AddFpi_logo", u"Control"},
           {u"FPfail_process", u"Label"},
           {u"btn_cancel_AddFP", u"Button"},
           {u"btn_Fpback", u"Button"},
       }},
      {16,
       {
           {u"FPfail_Title", u"Label"},
           {u"FPfail_tip", u"Text"},
           {u"FPfail_text", u"Text"},
           {u"Btn_FPFail_cencel", u"Button"},
           {u"btn_FpFail_FAQ", u"Button"},
           {u"FPfailback_Setting_btn", u"Button"},
       }},
      {17,
       {
           {u"FQA_Title", u"Label"},
           {u"FQA_Manager_dot_note1", u"Control"},
           {u"FQA_text1", u"Text"},
           {u"FQA_Manager_dot_note2", u"Control"},
           {u"FQA_text2", u"Text"},
           {u"FQA_Manager_dot_note3", u"Control"},
           {u"FQA_text3", u"Text"},
           {u"btn_FAQ_Cancel", u"Button"},
           {u"FQAback_Setting_btn", u"Button"},
       }},
      {18,
       {
           {u"FP_Locked_lable", u"VerticalLayout"},
           {u"FP_Unlock_Title", u"Label"},
           {u"FP_Unlock_Tip", u"Label"},
           {u"FP_Unlock_log", u"Control"},
           {u"pwd_Unlock_Tip", u"Label"},
           {u"FP_login_edit", u"Edit"},
           {u"btn_FP_showpasswd", u"CheckBox"},
           {u"FpLogin_line", u"Control"},
           {u"login_FP_tip1", u"Text"},
           {u"login_FP_tip", u"Text"},
           {u"FP_lost_passwd_btn", u"Button"},
           {u"FP_login_btn", u"Button"},
       }},
      {19,
       {
           {u"AddFpPass_title", u"Label"},
           {u"AddFpPass_tip", u"Text"},
           {u"AddFpPass_text", u"Text"},
           {u"btn_AddFpPass_more", u"Button"},
           {u"btn_AddFpPass_done", u"Button"},
       }},
      {20,
       {
           {u"main_add", u"VerticalLayout"},
           {u"add_Title", u"Label"},
           {u"add_first_edit", u"Edit"},
           {u"btn_addshowpasswd1", u"CheckBox"},
           {u"add_line1", u"Control"},
           {u"add_sec_edit", u"Edit"},
           {u"btn_addshowpasswd2", u"CheckBox"},
           {u"add_line2", u"Control"},
           {u"add_noEqual_tip", u"Text"},
           {u"add_Tip_edit", u"Edit"},
           {u"add_line3", u"Control"},
           {u"add_erro_tip", u"Text"},
           {u"add_cancel_btn", u"Button"},
           {u"add_confirm_btn", u"Button"},
           {u"btn_addPwd_back", u"Button"},
       }},
      {21,
       {
           {u"main_modify", u"VerticalLayout"}, {u"modify_Title", u"Label"},
           {u"modify_Old_edit", u"Edit"},       {u"btn_showpasswd1", u"CheckBox"},
           {u"modify_line1", u"Control"},       {u"oldPwdErro_tip", u"Text"},
           {u"modify_first_edit", u"Edit"},     {u"btn_showpasswd2", u"CheckBox"},
           {u"modify_line2", u"Control"},       {u"modify_sec_edit", u"Edit"},
           {u"btn_showpasswd3", u"CheckBox"},   {u"modify_line3", u"Control"},
           {u"noEqual_tip", u"Text"},           {u"modify_Tip_edit", u"Edit"},
           {u"modify_line4", u"Control"},       {u"erro_tip", u"Text"},
           {u"cancel_btn", u"Button"},          {u"confirm_btn", u"Button"},
           {u"btn_modify_back", u"Button"},
       }},
      {22,
       {
           {u"main_delete", u"VerticalLayout"},
           {u"delete_Title", u"Label"},
           {u"text_info", u"Text"},
           {u"delete_edit", u"Edit"},
           {u"btn_showpasswd_Del", u"CheckBox"},
           {u"delete_line", u"Control"},
           {u"delete_erro_tip", u"Text"},
           {u"delete_cancel_btn", u"Button"},
           {u"delete_confirm_btn", u"Button"},
           {u"btn_delete_back", u"Button"},
       }},
  };
  return pages;
}

// Outside the tab layout: the window's background, the title bar and the overlay.
const NamedControl kChrome[] = {
    {u"backgrund", u"VerticalLayout"},  {u"backgrund_title", u"HorizontalLayout"},
    {u"title_logo", u"Button"},         {u"safeRemove", u"Button"},
    {u"aboutbtn", u"Button"},           {u"minbtn", u"Button"},
    {u"closebtn", u"Button"},           {u"TabMain", u"TabLayout"},
    {u"disabled_window", u"Container"},
};

// Controls the flows expect hidden until they show them.
const char16_t* const kHiddenAtLoad[] = {
    u"disabled_window", u"login_tip",      u"login_tip1",      u"login_FP_tip",
    u"login_FP_tip1",   u"Check_Errortip", u"add_noEqual_tip", u"add_erro_tip",
    u"oldPwdErro_tip",  u"noEqual_tip",    u"erro_tip",        u"delete_erro_tip",
    u"manage_showFp",   u"forgetpwd_1",    u"Message_btn_US",  u"progress_download",
};

// Buttons that start disabled until a valid password is typed.
const char16_t* const kDisabledAtLoad[] = {
    u"login_btn",       u"FP_login_btn", u"btn_Checkconfirm",
    u"add_confirm_btn", u"confirm_btn",  u"delete_confirm_btn",
};

struct LayoutControls {
  const char16_t* file;
  std::vector<NamedControl> controls;
};

const std::vector<LayoutControls>& OtherLayouts() {
  static const std::vector<NamedControl> popup = {
      {u"main_bk", u"VerticalLayout"}, {u"popdlg", u"HorizontalLayout"},
      {u"popdlg_tilte", u"Text"},      {u"hor_popdlg_text", u"HorizontalLayout"},
      {u"popdlg_msg", u"Text"},        {u"okcancel", u"HorizontalLayout"},
      {u"btn_pop_canel", u"Button"},   {u"btn_pop_ok", u"Button"},
      {u"ok", u"HorizontalLayout"},    {u"btn_pop_ok1", u"Button"},
  };
  static const std::vector<NamedControl> menu = {
      {u"Menu_Test1", u"MenuElement"},
      {u"Menu_Test2", u"MenuElement"},
      {u"Menu_Test3", u"MenuElement"},
      {u"Menu_Test4", u"MenuElement"},
  };
  static const std::vector<NamedControl> device = {
      {u"DeviceItem", u"ListContainerElement"},
      {u"DeviceName", u"Label"},
      {u"remove_btn", u"Button"},
  };
  static const std::vector<NamedControl> row = {
      {u"menu_Open", u"ListContainerElement"},
      {u"FP_bk", u"Control"},
      {u"fp_name", u"Label"},
      {u"fp_name_edit1", u"RichEdit"},
      {u"btn_editcencel", u"Button"},
      {u"save", u"Button"},
      {u"normal", u"HorizontalLayout"},
      {u"modify", u"Button"},
      {u"delete", u"Button"},
  };
  static const std::vector<LayoutControls> layouts = {
      {u"popdailog_en.xml", popup},
      {u"popdailog.xml", popup},
      {u"menu.xml", menu},
      {u"menu_Black.xml", menu},
      {u"DeviceItem.xml", device},
      {u"DeviceItem_en.xml", device},
      {u"listitem.xml", row},
      {u"listitem_black.xml", row},
      {u"toast.xml", {{u"toast_text", u"Label"}}},
  };
  return layouts;
}

std::string Utf8(std::u16string_view text) { return ui::CDuiString(text).ToUtf8(); }

class SkinArchiveTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(ui::CPaintManagerUI::SetResourceZip(SkinZipData(), SkinZipSize()));
  }

  // Builds a layout of the archive; also fails the test on any loader warning, since a
  // warning means an attribute or element the toolkit does not understand.
  std::unique_ptr<ui::CControlUI> Build(const char16_t* file) {
    ui::CDialogBuilder builder;
    ::testing::internal::CaptureStderr();
    std::unique_ptr<ui::CControlUI> root(builder.Create(file, &manager_));
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(root) << Utf8(file) << ": " << builder.GetLastError();
    EXPECT_EQ(warnings, "") << Utf8(file);
    return root;
  }

  ui::CPaintManagerUI manager_;
};

void CollectNames(const ui::CControlUI* control, std::vector<std::string>& names) {
  if (!control->GetName().IsEmpty()) names.push_back(control->GetName().ToUtf8());
  for (int i = 0; i < control->GetChildCount(); ++i) CollectNames(control->GetChildAt(i), names);
}

void ExpectKind(ui::CControlUI* scope, const NamedControl& expected, const std::string& where) {
  ui::CControlUI* control = scope->FindSubControl(expected.name);
  ASSERT_NE(control, nullptr) << where << ": no control " << Utf8(expected.name);
  EXPECT_EQ(Utf8(control->GetClass()), Utf8(expected.kind)) << where << ": " << Utf8(expected.name);
}

class MainLayoutTest : public SkinArchiveTest,
                       public ::testing::WithParamInterface<const char16_t*> {};

TEST_P(MainLayoutTest, PagesHoldTheirControlsInPageOrder) {
  auto root = Build(GetParam());
  ASSERT_TRUE(root);
  for (const NamedControl& chrome : kChrome) ExpectKind(root.get(), chrome, "window");

  auto* tab = dynamic_cast<ui::CTabLayoutUI*>(root->FindSubControl(u"TabMain"));
  ASSERT_NE(tab, nullptr);
  ASSERT_EQ(tab->GetCount(), 23);
  for (const PageControls& page : MainPages()) {
    for (const NamedControl& control : page.controls) {
      ExpectKind(tab->GetItemAt(page.page), control, "page " + std::to_string(page.page));
    }
  }
}

TEST_P(MainLayoutTest, FlowsFindTheirStartingState) {
  auto root = Build(GetParam());
  ASSERT_TRUE(root);
  for (const char16_t* name : kHiddenAtLoad) {
    ui::CControlUI* control = root->FindSubControl(name);
    ASSERT_NE(control, nullptr) << Utf8(name);
    EXPECT_FALSE(control->IsVisible()) << Utf8(name);
  }
  for (const char16_t* name : kDisabledAtLoad) {
    ui::CControlUI* control = root->FindSubControl(name);
    ASSERT_NE(control, nullptr) << Utf8(name);
    EXPECT_FALSE(control->IsEnabled()) << Utf8(name);
  }
  // The overlay covers the whole window and the title bar is the drag band.
  ui::CControlUI* overlay = root->FindSubControl(u"disabled_window");
  ASSERT_NE(overlay, nullptr);
  EXPECT_TRUE(overlay->IsFloat());
  EXPECT_EQ(manager_.GetInitSize().cx, 800);
  EXPECT_EQ(manager_.GetInitSize().cy, 600);
  EXPECT_EQ(manager_.GetCaptionRect().bottom, 80);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MainLayoutTest,
                         ::testing::Values(u"main_device.xml", u"main_device_zh.xml"));

TEST_F(SkinArchiveTest, ChineseMainLayoutMatchesTheDefaultOne) {
  auto main = Build(u"main_device.xml");
  auto chinese = Build(u"main_device_zh.xml");
  ASSERT_TRUE(main && chinese);
  std::vector<std::string> mainNames, chineseNames;
  CollectNames(main.get(), mainNames);
  CollectNames(chinese.get(), chineseNames);
  EXPECT_EQ(mainNames, chineseNames);
}

TEST_F(SkinArchiveTest, SmallLayoutsHoldTheirControls) {
  for (const LayoutControls& layout : OtherLayouts()) {
    auto root = Build(layout.file);
    ASSERT_TRUE(root) << Utf8(layout.file);
    for (const NamedControl& control : layout.controls) {
      ExpectKind(root.get(), control, Utf8(layout.file));
    }
  }
}

TEST_F(SkinArchiveTest, PopupStartsWithoutTitleAndWithTwoButtons) {
  auto root = Build(u"popdailog_en.xml");
  ASSERT_TRUE(root);
  EXPECT_FALSE(root->FindSubControl(u"popdlg")->IsVisible());
  EXPECT_TRUE(root->FindSubControl(u"okcancel")->IsVisible());
  EXPECT_FALSE(root->FindSubControl(u"ok")->IsVisible());
  EXPECT_EQ(manager_.GetInitSize().cx, 420);
  EXPECT_EQ(manager_.GetInitSize().cy, 170);
}

TEST_F(SkinArchiveTest, EveryLayoutBuildsAndEveryImageItNamesIsInTheArchive) {
  const ui::SkinArchive* archive = ui::CPaintManagerUI::GetResourceZip();
  ASSERT_NE(archive, nullptr);
  int layouts = 0;
  std::set<std::string> missing;
  for (const std::string& path : archive->FileNames()) {
    if (path.size() < 4 || path.compare(path.size() - 4, 4, ".xml") != 0) continue;
    ++layouts;
    Build(ui::CDuiString(path).GetData());
    auto bytes = archive->Read(path);
    ASSERT_TRUE(bytes);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(bytes->data(), bytes->size())) << path;
    for (pugi::xpath_node node : doc.select_nodes("//*")) {
      for (pugi::xml_attribute attribute : node.node().attributes()) {
        if (std::string(attribute.name()).find("image") == std::string::npos) continue;
        const std::string file = ui::ParseImageDescription(attribute.value()).file;
        if (!file.empty() && !archive->Contains(file)) missing.insert(path + ": " + file);
      }
    }
  }
  EXPECT_GE(layouts, 11 + 23);
  EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

}  // namespace
