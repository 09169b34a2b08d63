#include "client/presentation/dressing_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace presentation {
namespace {

// Every key a language file defines.
const std::set<std::string_view> kLanguageKeys = {
    "AppName_pwd",
    "Home_Btn_Setting",
    "Home_CapacityFree",
    "Home_CapacityUsed",
    "Home_ProductName_pwd",
    "Setting_Btn_ChangePwd",
    "Setting_Btn_Edit",
    "Setting_Btn_FpUnlock",
    "Setting_Btn_ManageFp",
    "Setting_Btn_SecurityMode",
    "Setting_ClickToEnable",
    "Setting_Note_Content_Disable",
    "Setting_Note_Content_Enable_pwd",
    "Setting_Title_Disable",
    "Setting_Title_Enable",
    "Unlock_Alert_ToManyCountContent",
    "Unlock_Alert_ToManyCountTitle",
    "Unlock_Btn_ForgetPwd",
    "Unlock_Btn_Unlock",
    "Unlock_Err_Hint",
    "Unlock_FpTitle",
    "Unlock_PwdTitle",
    "Unlock_Title",
    "Pwd_Add_Placeholder_RePwd",
    "Pwd_Add_Title",
    "Pwd_Check_Title",
    "Pwd_Close_Content",
    "Pwd_Close_Title",
    "Pwd_Err_NoSame",
    "Pwd_Err_PwdErr",
    "Pwd_Err_Rule",
    "Pwd_Modify_Placeholder_NewPwd",
    "Pwd_Modify_Placeholder_OldPwd",
    "Pwd_Modify_Placeholder_ReNewPwd",
    "Pwd_Modify_Success",
    "Pwd_Modify_Title",
    "Pwd_Placeholder_Hint",
    "Pwd_Placeholder_Pwd",
    "Forget_Content",
    "Forget_Note1",
    "Forget_Note2",
    "Forget_Note3",
    "Forget_Title",
    "Format_Content1",
    "Format_Content2",
    "Format_Faild",
    "Format_Title",
    "Fp_List_AlertDelete",
    "Fp_List_AlertDeleteLast",
    "Fp_List_AlertErrFpCountOverflow",
    "Fp_List_AlertRenameErr",
    "Fp_List_AlertSameName",
    "Fp_List_BtnAddFp",
    "Fp_List_SubTitle",
    "Fp_List_Title",
    "Fp_SetUp_BtnAddMore",
    "Fp_SetUp_BtnDone",
    "Fp_SetUp_BtnStart",
    "Fp_SetUp_CancelAlertContent",
    "Fp_SetUp_CancelAlertTitle",
    "Fp_SetUp_Failed",
    "Fp_SetUp_FailedNote1",
    "Fp_SetUp_FailedNote2",
    "Fp_SetUp_FailedNote3",
    "Fp_SetUp_FailedTitle",
    "Fp_SetUp_FinishContent1",
    "Fp_SetUp_FinishContent2",
    "Fp_SetUp_NoteChangePosition",
    "Fp_SetUp_NoteDown",
    "Fp_SetUp_NoteLift",
    "Fp_SetUp_NoteSensor",
    "Fp_SetUp_StartNote",
    "Fp_SetUp_SubTitle",
    "Fp_SetUp_Title",
    "Other_DisConnect_Content_pwd",
    "Other_DisConnect_Title",
    "Other_Note",
    "Other_Notice",
    "OtherAlert_AutoExit",
    "OtherAlert_FailedRemoveInUse",
    "OtherAlert_FpDefaultName",
    "OtherAlert_NoServer",
    "OtherAlert_NotSupportMultDisk",
    "OtherAlert_RemoveSafely",
    "Btn_Cancel",
    "Btn_Confirm",
    "Btn_Ok",
    "Btn_Save",
    "More_AboutUs",
    "More_DarkMode",
    "More_NormalMode",
    "More_Version",
    "More_Warranty",
    "About_Btn_Copy",
    "About_Btn_Visit",
    "About_Email",
    "About_Title",
    "About_WebSite",
    "Warranty_Content1",
    "Warranty_Content2",
    "Warranty_Content3",
    "Warranty_Register",
    "Warranty_Title",
    "Version_Download",
    "Version_Download_Err_pwd",
    "Version_FoundNewVersion",
    "Version_Number",
    "Version_ReleaseDate",
    "Version_UpToDate",
};

// Every key answers "<key>" except those left out on purpose.
TextLookup KeyEcho(std::set<std::string_view> missing = {}) {
  return [missing](std::string_view key) -> std::u16string {
    if (missing.count(key) != 0) return u"";
    return std::u16string(key.begin(), key.end());
  };
}

PageContext Mode(std::uint8_t dark) {
  PageContext context;
  context.darkMode = dark;
  return context;
}

std::vector<DressStep> StepsFor(const DressPlan& plan, std::string_view control) {
  std::vector<DressStep> steps;
  std::copy_if(plan.begin(), plan.end(), std::back_inserter(steps),
               [&](const DressStep& s) { return s.control == control; });
  return steps;
}

const DressStep* Find(const DressPlan& plan, std::string_view control, StepKind kind,
                      Property property = {}) {
  for (const DressStep& s : plan) {
    if (s.control != control || s.kind != kind) continue;
    if ((kind == StepKind::kSetLook || kind == StepKind::kRestoreLook) && s.property != property)
      continue;
    return &s;
  }
  return nullptr;
}

bool Has(const DressPlan& plan, std::string_view control, Action action) {
  return std::any_of(plan.begin(), plan.end(), [&](const DressStep& s) {
    return s.control == control && s.kind == StepKind::kAction && s.action == action;
  });
}

// The value a property ends with after all the plan's steps.
std::optional<LookValue> FinalLook(const DressPlan& plan, std::string_view control,
                                   Property property) {
  std::optional<LookValue> value;
  for (const DressStep& s : plan) {
    if (s.control == control && s.kind == StepKind::kSetLook && s.property == property)
      value = s.value;
  }
  return value;
}

TEST(DressingPlanTest, EveryPageUsesKnownKeysAndIsSelectedOnce) {
  for (int page = 0; page < kPageCount; ++page) {
    std::set<std::string_view> used;
    const DressPlan plan = BuildPagePlan(page, Mode(0), [&](std::string_view key) {
      used.insert(key);
      return std::u16string(u"x");
    });
    for (std::string_view key : used) EXPECT_EQ(kLanguageKeys.count(key), 1u) << key;

    int selections = 0;
    for (const DressStep& s : plan) {
      if (s.kind != StepKind::kSelectPage) continue;
      ++selections;
      EXPECT_EQ(s.page, page);
      EXPECT_EQ(s.control, "TabMain");
    }
    EXPECT_EQ(selections, 1) << page;
    EXPECT_EQ(plan.front().control, "backgrund") << page;
    EXPECT_TRUE(BuildPageDressing(page, Mode(1), KeyEcho()).back().kind != StepKind::kSelectPage);
  }
}

TEST(DressingPlanTest, TextsThenLooksThenResetsAndSelectionPlace) {
  auto phase = [](StepKind kind) {
    switch (kind) {
      case StepKind::kSetText:
      case StepKind::kSetHint:
        return 0;
      case StepKind::kSetLook:
      case StepKind::kRestoreLook:
        return 1;
      case StepKind::kAction:
        return 2;
      case StepKind::kSelectPage:
        return 3;
    }
    return -1;
  };
  // After the window background, which always comes first.
  const DressPlan plan = BuildPagePlan(7, Mode(0), KeyEcho());
  EXPECT_TRUE(std::is_sorted(plan.begin() + 1, plan.end(),
                             [&](auto& a, auto& b) { return phase(a.kind) < phase(b.kind); }));
  EXPECT_EQ(plan.back().kind, StepKind::kSelectPage);

  // The unlock page is selected before it is dressed.
  const DressPlan unlock = BuildPagePlan(5, Mode(0), KeyEcho());
  EXPECT_EQ(unlock[1].kind, StepKind::kSelectPage);
  EXPECT_EQ(unlock[1].page, 5);
}

TEST(DressingPlanTest, IndexOutsideTheTabOnlySetsBackground) {
  for (int page : {-1, 23, 100}) {
    const DressPlan plan = BuildPagePlan(page, Mode(1), KeyEcho());
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].control, "backgrund");
    EXPECT_EQ(std::get<std::uint32_t>(plan[0].value), 0xFF121212u);
  }
}

TEST(DressingPlanTest, CheckPageInDarkModeIsResetAndRecoloured) {
  const DressPlan plan = BuildPagePlan(7, Mode(1), KeyEcho());
  EXPECT_TRUE(Has(plan, "Check_edit", Action::kEmpty));
  EXPECT_TRUE(Has(plan, "btn_Checkconfirm", Action::kDisable));
  EXPECT_TRUE(Has(plan, "btn_showCheckpasswd", Action::kUnselect));
  EXPECT_TRUE(Has(plan, "Check_Errortip", Action::kHide));
  EXPECT_EQ(Find(plan, "Check_edit", StepKind::kSetHint)->text, u"Pwd_Placeholder_Pwd");
  EXPECT_EQ(Find(plan, "btn_Checkconfirm", StepKind::kSetText)->text, u"Btn_Confirm");
  EXPECT_EQ(FinalLook(plan, "Check_edit", Property::kNativeBkColor), LookValue(0xFF2A2A2Au));
  EXPECT_EQ(FinalLook(plan, "btn_Checkconfirm", Property::kNormalImage),
            LookValue("file='btnSave_black.png' corner='20,20,20,20'"));
  EXPECT_EQ(FinalLook(plan, "btn_Checkconfirm", Property::kDisabledImage),
            LookValue("file='btnSaveDisable_black.png' corner='20,20,20,20'"));
  EXPECT_EQ(FinalLook(plan, "btn_showCheckpasswd", Property::kSelectedImage),
            LookValue("btn_hidepasswd_black.png"));
}

TEST(DressingPlanTest, DarkOnlyValuesGoBackToTheLayoutInNormalMode) {
  const DressPlan dark = BuildPagePlan(1, Mode(1), KeyEcho());
  const DressPlan normal = BuildPagePlan(1, Mode(0), KeyEcho());
  EXPECT_EQ(FinalLook(dark, "Btn_Encrypt", Property::kPushedImage),
            LookValue("file = 'btnSave_black_push.png' corner = '20,20,20,20'"));
  EXPECT_EQ(Find(normal, "Btn_Encrypt", StepKind::kSetLook, Property::kPushedImage), nullptr);
  EXPECT_NE(Find(normal, "Btn_Encrypt", StepKind::kRestoreLook, Property::kPushedImage), nullptr);
}

TEST(DressingPlanTest, UnlockPageKeepsLayoutTextsWithoutUnlockKey) {
  const TextLookup lacking = KeyEcho({"Unlock_Btn_Unlock", "Unlock_Btn_ForgetPwd"});
  const DressPlan unlock = BuildPagePlan(5, Mode(0), lacking);
  for (std::string_view control :
       {"login_btn", "Unlock_Tip1", "Unlock_Tip2", "login_edit", "lost_passwd_btn"}) {
    EXPECT_EQ(Find(unlock, control, StepKind::kSetText), nullptr) << control;
    EXPECT_EQ(Find(unlock, control, StepKind::kSetHint), nullptr) << control;
  }
  EXPECT_TRUE(Has(unlock, "login_edit", Action::kEmpty));
  EXPECT_TRUE(Has(unlock, "login_btn", Action::kDisable));
  EXPECT_TRUE(Has(unlock, "lost_passwd_btn", Action::kEnable));
  EXPECT_TRUE(Has(unlock, "login_tip", Action::kHide));
  EXPECT_TRUE(Has(unlock, "login_tip1", Action::kHide));

  // The fingerprint unlock page shows the empty texts instead.
  const DressPlan fp = BuildPagePlan(18, Mode(0), lacking);
  EXPECT_EQ(Find(fp, "FP_login_btn", StepKind::kSetText)->text, u"");
  EXPECT_EQ(Find(fp, "FP_lost_passwd_btn", StepKind::kSetText)->text, u"");

  // With the key present every text is set.
  const DressPlan full = BuildPagePlan(5, Mode(0), KeyEcho());
  EXPECT_EQ(Find(full, "Unlock_Tip1", StepKind::kSetText)->text, u"Unlock_Title");
  EXPECT_EQ(Find(full, "login_edit", StepKind::kSetHint)->text, u"Pwd_Placeholder_Pwd");
}

TEST(DressingPlanTest, SharedRowsDressEveryControl) {
  const DressPlan plan = BuildPagePlan(21, Mode(1), KeyEcho());
  for (std::string_view line : {"modify_line1", "modify_line2", "modify_line3", "modify_line4"})
    EXPECT_EQ(FinalLook(plan, line, Property::kBkColor), LookValue(0xFF7B7B7Bu)) << line;
  for (std::string_view tip : {"oldPwdErro_tip", "noEqual_tip", "erro_tip"})
    EXPECT_TRUE(Has(plan, tip, Action::kHide)) << tip;
  for (std::string_view edit :
       {"modify_Old_edit", "modify_first_edit", "modify_sec_edit", "modify_Tip_edit"})
    EXPECT_TRUE(Has(plan, edit, Action::kEmpty)) << edit;
}

TEST(DressingPlanTest, WaitPageBackgroundReplacesTheWindowBackground) {
  const DressPlan plan = BuildPagePlan(11, Mode(1), KeyEcho());
  EXPECT_EQ(FinalLook(plan, "backgrund", Property::kBkColor), LookValue(0xFF33332Bu));
  EXPECT_EQ(FinalLook(BuildPagePlan(11, Mode(0), KeyEcho()), "backgrund", Property::kBkColor),
            LookValue(0xFFFBFBFBu));
  EXPECT_EQ(FinalLook(BuildPagePlan(4, Mode(1), KeyEcho()), "backgrund", Property::kBkColor),
            LookValue(0xFF121212u));
}

TEST(DressingPlanTest, VersionPageComposesItsTexts) {
  PageContext context = Mode(0);
  const TextLookup texts = [](std::string_view key) -> std::u16string {
    if (key == "Version_Number") return u"Version";
    if (key == "Version_ReleaseDate") return u"Released";
    if (key == "Version_UpToDate") return u"Up to date";
    if (key == "Version_FoundNewVersion") return u"Version %s is available";
    return u"?";
  };
  DressPlan plan = BuildPagePlan(10, context, texts);
  EXPECT_EQ(Find(plan, "Version", StepKind::kSetText)->text, u"Version 1.1.0");
  EXPECT_EQ(Find(plan, "Release_Date", StepKind::kSetText)->text, u"Released: 2020-10-27");
  EXPECT_EQ(Find(plan, "Version_text", StepKind::kSetText)->text, u"Up to date");

  context.newVersionFound = true;
  context.newVersion = "1.2.0";
  plan = BuildPagePlan(10, context, texts);
  EXPECT_EQ(Find(plan, "Version_text", StepKind::kSetText)->text, u"Version 1.2.0 is available");
}

TEST(DressingPlanTest, VersionFormatHonoursOnlyOneString) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"New: %s", u"New: 2.0"},
      {u"%s and %s", u"2.0 and %s"},
      {u"100%% sure, %s", u"100% sure, 2.0"},
      {u"%d %n %x %s", u"%d %n %x 2.0"},
      {u"no directive", u"no directive"},
      {u"ends with %", u"ends with %"},
      {u"", u""},
  };
  for (const auto& [format, expected] : cases) {
    EXPECT_EQ(FormatVersionText(format, u"2.0"), expected);
  }
  const std::u16string longFormat(300, u'a');
  EXPECT_EQ(FormatVersionText(longFormat + u"%s", u"2.0").size(), 255u);
  // A cut never splits a surrogate pair.
  const std::u16string pairs = std::u16string(254, u'a') + u"\U0001F600";
  EXPECT_EQ(FormatVersionText(pairs, u""), std::u16string(254, u'a'));
}

TEST(DressingPlanTest, ChromeLooksFollowTheMode) {
  const DressPlan dark = BuildChromePlan(1);
  const DressPlan normal = BuildChromePlan(0);
  const std::map<std::string_view, std::pair<LookValue, LookValue>> expected = {
      {"backgrund_title", {LookValue(0xFFFFFFFFu), LookValue(0xFF1E1E1Eu)}},
      {"backgrund", {LookValue(0xFFFAFAFAu), LookValue(0xFF121212u)}},
      {"aboutbtn", {LookValue("about.png"), LookValue("about_black.png")}},
      {"safeRemove", {LookValue("saferemove.png"), LookValue("saferemove_black.png")}},
      {"wait", {LookValue("wait_white.gif"), LookValue("wait_black.gif")}},
      {"title_logo", {LookValue("orlu.png"), LookValue("orlu_black.png")}},
      {"closebtn", {LookValue("close_focuse.png"), LookValue("close_black.png")}},
      {"minbtn", {LookValue("min_focuse.png"), LookValue("min_black.png")}},
  };
  EXPECT_EQ(ChromeControls().size(), expected.size());
  for (std::string_view control : ChromeControls()) {
    auto steps = StepsFor(dark, control);
    ASSERT_EQ(steps.size(), 1u) << control;
    EXPECT_EQ(steps[0].value, expected.at(control).second) << control;
    EXPECT_EQ(StepsFor(normal, control)[0].value, expected.at(control).first) << control;
  }
}

}  // namespace
}  // namespace presentation
