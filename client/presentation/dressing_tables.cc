#include "client/presentation/dressing_tables.h"

#include <array>
#include <cstdlib>
#include <map>

namespace presentation {
namespace {

using P = Property;
using A = Action;
using S = Style;

LookValue Color(std::uint32_t argb) { return LookValue(argb); }
LookValue Image(std::string_view description) { return LookValue(description); }

Look Both(Property property, LookValue normal, LookValue dark) { return {property, normal, dark}; }
Look DarkOnly(Property property, LookValue dark) { return {property, std::nullopt, dark}; }
Look NormalOnly(Property property, LookValue normal) { return {property, normal, std::nullopt}; }

// Titles are drawn in opaque white in the dark mode: the palette's value for
// them (#26FFFFFF) only works on renderers that ignore a text colour's alpha
// and would leave them at 15 % opacity here.
constexpr std::uint32_t kTitleDark = 0xFFFFFFFF;

const std::map<Style, StyleDefinition>& Styles() {
  static const std::map<Style, StyleDefinition> styles = {
      {S::kTitle, {{Both(P::kTextColor, Color(0xFF002F2F), Color(kTitleDark))}, {}}},
      {S::kBody, {{Both(P::kTextColor, Color(0xFF002F2F), Color(0xFFBABABA))}, {}}},
      {S::kPrimary,
       {{Both(P::kNormalImage, Image("file = 'btn_unlock.png' corner = '20,20,20,20'"),
              Image("file = 'btnSave_black.png' corner = '20,20,20,20'")),
         DarkOnly(P::kPushedImage,
                  Image("file = 'btnSave_black_push.png' corner = '20,20,20,20'"))},
        {}}},
      {S::kPrimary2,
       {{Both(P::kNormalImage, Image("btn_unlock.png"),
              Image("file='btnSave_black.png' corner='20,20,20,20'")),
         DarkOnly(P::kPushedImage,
                  Image("file = 'btnSave_black_push.png' corner = '20,20,20,20'"))},
        {}}},
      {S::kPrimary3,
       {{Both(P::kNormalImage, Image("file = 'btn_unlock.png' corner = '20,20,20,20'"),
              Image("file='btnSave_black.png' corner='20,20,20,20'")),
         DarkOnly(P::kPushedImage,
                  Image("file = 'btnSave_black_push.png' corner = '20,20,20,20'"))},
        {}}},
      {S::kPrimary4,
       {{Both(P::kNormalImage, Image("file='btn_unlock.png' corner='20,20,20,20'"),
              Image("file='btnSave_black.png' corner='20,20,20,20'")),
         DarkOnly(P::kPushedImage,
                  Image("file = 'btnSave_black_push.png' corner = '20,20,20,20'"))},
        {}}},
      {S::kBtnText, {{Both(P::kTextColor, Color(0xFFFFFFFF), Color(0xFFBEBEBE))}, {}}},
      {S::kDisabled,
       {{Both(P::kDisabledImage, Image("file='btn_Enable.png' corner='20,20,20,20'"),
              Image("file='btnSaveDisable_black.png' corner='20,20,20,20'")),
         Both(P::kDisabledTextColor, Color(0xFFFFFFFF), Color(0xFFBEBEBE))},
        {}}},
      {S::kSecondary,
       {{Both(P::kNormalImage, Image("btn_warning.png"),
              Image("file='btncancel_black.png' corner='20,20,20,20'")),
         Both(P::kTextColor, Color(0xFF000000), Color(0xFFBEBEBE))},
        {}}},
      {S::kBack, {{Both(P::kNormalImage, Image("back.png"), Image("back_black.png"))}, {}}},
      {S::kDot, {{Both(P::kBkImage, Image("managedot.png"), Image("managedot_black.png"))}, {}}},
      {S::kPwdEdit,
       {{Both(P::kTextColor, Color(0xFF000000), Color(0xFFFFFFFF)),
         Both(P::kBkColor, Color(0xFFFFFFFF), Color(0xFF2A2A2A)),
         Both(P::kNativeBkColor, Color(0xFFFFFFFF), Color(0xFF2A2A2A))},
        {}}},
      {S::kShowPwd,
       {{Both(P::kNormalImage, Image("btn_showpasswd.png"), Image("btn_showpasswd_black.png")),
         Both(P::kSelectedImage, Image("btn_hidepasswd.png"), Image("btn_hidepasswd_black.png"))},
        {A::kUnselect}}},
      {S::kLine, {{Both(P::kBkColor, Color(0xFFDBDEE2), Color(0xFF7B7B7B))}, {}}},
      {S::kPanel, {{Both(P::kBkColor, Color(0xFFFFFFFF), Color(0xFF2A2A2A))}, {}}},
  };
  return styles;
}

Look BkImage(std::string_view normal, std::string_view dark) {
  return Both(P::kBkImage, Image(normal), Image(dark));
}

Look TextColor(std::uint32_t normal, std::uint32_t dark) {
  return Both(P::kTextColor, Color(normal), Color(dark));
}

const Look kEditPushedDark =
    DarkOnly(P::kPushedImage, Image("file = 'btnEdit_black_push.png' corner = '15,15,15,15'"));

std::vector<PageTable> BuildPages() {
  std::vector<PageTable> pages(kPageCount);

  pages[0].rows = {
      {{"disconnected_text"}, "Other_DisConnect_Content_pwd", {S::kBody}},
      {{"disconnected_title"}, "Other_DisConnect_Title", {S::kTitle}},
      {{"disconnected_logo"}, {}, {}, {BkImage("disconnected.png", "disconnected_black.png")}},
  };

  pages[1].rows = {
      {{"DeviceName"}, "Home_ProductName_pwd", {S::kTitle}},
      {{"Btn_Encrypt"}, "Home_Btn_Setting", {S::kPrimary, S::kBtnText}},
      {{"TotalSize"}, "Home_CapacityUsed", {S::kBody}},
      {{"UsedSize"}, "Home_CapacityFree"},
      {{"slider_operator_size"},
       {},
       {},
       {BkImage("file='progress_bk.png' corner='10,0,10,0'",
                "file='progress_bk_black.png' corner='10,0,10,0'"),
        Both(P::kForeImage, Image("file='progress_fk1.png' corner='10,0,0,0'"),
             Image("file='progress_fk1_black.png' corner='10,0,0,0'"))}},
  };

  pages[2].rows = {
      {{"Manager_Locked_Title"}, "Setting_Title_Enable", {S::kTitle}},
      {{"Manager_Locked_note"}, "Other_Notice", {S::kTitle}},
      {{"Manager_Locked_TipText"}, "Setting_Note_Content_Enable_pwd", {S::kBody}},
      {{"Manager_safe_mode_n"}, "Setting_Btn_SecurityMode", {S::kBody}},
      {{"Manage_change_pwd_n"}, "Setting_Btn_ChangePwd", {S::kBody}},
      {{"btn_manager_changePwd_n"}, "Setting_Btn_Edit", {S::kBtnText}, {kEditPushedDark}},
      {{"Manage_fp"}, "Setting_Btn_ManageFp", {S::kBody}},
      {{"btn_manage_fp"}, "Setting_Btn_Edit", {S::kBtnText}, {kEditPushedDark}},
      {{"Manager_Fp_mode"}, "Setting_Btn_FpUnlock", {S::kBody}},
      {{"manageback_Setting_btn"}, {}, {S::kBack}},
      {{"Manager_Lockeddot_note"}, {}, {S::kDot}},
      {{"Manager_Locked_logo"}, {}, {}, {BkImage("manager.png", "manager_black.png")}},
      {{"manage_showFp"}, {}, {}, {}, {A::kHide}},
      {{"manage_shownFp"}, {}, {}, {}, {A::kShow}},
  };

  pages[3].rows = {
      {{"btn_AddFP"}, "Fp_List_BtnAddFp", {S::kPrimary, S::kBtnText}},
      {{"manageFP_Tip1"}, "Fp_List_Title", {S::kTitle}},
      {{"manageFP_Tip2"}, "Fp_List_SubTitle", {S::kBody}},
      {{"list_zhiwen"},
       {},
       {},
       {Both(P::kItemSelectedBkColor, Color(0xFFFFFFFF), Color(0xFF2A2A2A)),
        Both(P::kItemHotBkColor, Color(0xFFFFFFFF), Color(0xFF2A2A2A))}},
      {{"btn_manageFP_back"}, {}, {S::kBack}},
      {{"manageFP_lable"}, {}, {S::kPanel}, {BkImage("bk_manageFP.png", "bk_manageFP_black1.png")}},
  };

  pages[4].rows = {
      {{"warning_title"}, "Format_Title", {S::kTitle}},
      {{"warning_tip"}, "Format_Content1", {S::kBody}},
      {{"warning_text"}, "Format_Content2", {S::kTitle}},
      {{"warning_back_btn"}, "Btn_Cancel", {S::kSecondary}},
      {{"warning_btn"}, "Btn_Confirm", {S::kPrimary2}},
      {{"Warning_logo"}, {}, {}, {BkImage("warnning.png", "warnning_black.png")}},
  };

  // The unlock page keeps the layout's texts when the language file lacks
  // the unlock button's text, and is selected before it is dressed.
  pages[5].selectBeforeDressing = true;
  pages[5].rows = {
      {.controls = {"lost_passwd_btn"},
       .textKey = "Unlock_Btn_ForgetPwd",
       .actions = {A::kEnable},
       .onlyIfKeyHasText = "Unlock_Btn_ForgetPwd"},
      {.controls = {"login_btn"},
       .textKey = "Unlock_Btn_Unlock",
       .styles = {S::kPrimary4, S::kBtnText, S::kDisabled},
       .actions = {A::kDisable},
       .onlyIfKeyHasText = "Unlock_Btn_Unlock"},
      {.controls = {"Unlock_Tip1"},
       .textKey = "Unlock_Title",
       .styles = {S::kTitle},
       .onlyIfKeyHasText = "Unlock_Btn_Unlock"},
      {.controls = {"Unlock_Tip2"},
       .textKey = "Unlock_PwdTitle",
       .styles = {S::kBody},
       .onlyIfKeyHasText = "Unlock_Btn_Unlock"},
      {.controls = {"login_edit"},
       .styles = {S::kPwdEdit},
       .actions = {A::kEmpty},
       .hintKey = "Pwd_Placeholder_Pwd",
       .onlyIfKeyHasText = "Unlock_Btn_Unlock"},
      {{"btn_showpasswd"}, {}, {S::kShowPwd}},
      {{"Locked_lable"}, {}, {S::kPanel}, {BkImage("unlock_bk.png", "unlock_bk_black1.png")}},
      {{"login_line"}, {}, {S::kLine}},
      {{"login_tip", "login_tip1"}, {}, {}, {}, {A::kHide}},
  };

  pages[6].rows = {
      {{"forget_Title"}, "Forget_Title", {S::kTitle}},
      {{"forgetpwd_tip1"}, "Forget_Note1", {S::kBody}},
      {{"forgetpwd_tip2"}, "Forget_Note2", {S::kBody}},
      {{"forgetpwd_tip3"}, "Forget_Note3", {S::kBody}},
      {{"Lock_text_DOWN"}, "Forget_Content", {S::kTitle}},
      {{"formatting_btn"}, "Btn_Confirm", {S::kPrimary3}},
      {{"back_Main_btn"}, {}, {S::kBack}},
      {{"Forget_logo"}, {}, {}, {BkImage("forget.png", "forget_black.png")}},
      {{"forgetpwd_dot_note1", "forgetpwd_dot_note2", "forgetpwd_dot_note3"}, {}, {S::kDot}},
      {{"forgetpwd_1"}, {}, {}, {}, {A::kHide}},
  };

  pages[7].rows = {
      {{"Check_Tip1"}, "Pwd_Check_Title", {S::kTitle}},
      {.controls = {"Check_edit"},
       .styles = {S::kPwdEdit},
       .actions = {A::kEmpty},
       .hintKey = "Pwd_Placeholder_Pwd"},
      {{"btn_Checkcancel"}, "Btn_Cancel", {S::kSecondary}},
      {{"btn_Checkconfirm"},
       "Btn_Confirm",
       {S::kPrimary2, S::kBtnText, S::kDisabled},
       {},
       {A::kDisable}},
      {{"btn_showCheckpasswd"}, {}, {S::kShowPwd}},
      {{"Check_lable"}, {}, {S::kPanel}, {BkImage("bk_check.png", "bk_check_black1.png")}},
      {{"Check_line"}, {}, {S::kLine}},
      {{"Check_Errortip"}, {}, {}, {}, {A::kHide}},
  };

  pages[8].rows = {
      {{"About_tilte"}, "About_Title", {S::kTitle}},
      {{"Websit"}, "About_WebSite", {S::kTitle}},
      {{"Email"}, "About_Email", {S::kTitle}},
      {{"Websit_btn"}, "About_Btn_Visit", {S::kPrimary, S::kBtnText}},
      {{"Message_btn_US", "Message_btn_CA"}, "About_Btn_Copy", {S::kPrimary, S::kBtnText}},
      {{"Websit_text", "Message_US"}, {}, {}, {TextColor(0xFF999999, 0xFFBABABA)}},
      {{"Other", "OtherQues", "Message_CA"}, {}, {}, {TextColor(0xFF002F2F, 0xFFFFFFFF)}},
      {{"aboutback_Setting_btn"}, {}, {S::kBack}},
  };

  pages[9].rows = {
      {{"Warranty"}, "Warranty_Title", {S::kTitle}},
      {{"Warranty_text1"}, "Warranty_Content1", {S::kBody}},
      {{"Warranty_text2"}, "Warranty_Content2", {S::kBody}},
      {{"Warranty_text3"}, "Warranty_Content3", {S::kBody}},
      {{"Register_btn"}, "Warranty_Register", {S::kPrimary, S::kBtnText}},
      {{"warranty_logo"}, {}, {}, {BkImage("warranty.png", "warranty_black.png")}},
      {{"warrantyback_Setting_btn"}, {}, {S::kBack}},
      {{"warranty_dot_note1"}, {}, {S::kDot}},
      {{"warranty_dot_note2", "warranty_dot_note3"},
       {},
       {S::kDot},
       {NormalOnly(P::kTextColor, Color(0xFF002F2F))}},
  };

  pages[10].rows = {
      {.controls = {"Version"},
       .textKey = "Version_Number",
       .styles = {S::kTitle},
       .textRule = TextRule::kVersionNumber},
      {.controls = {"Version_text"},
       .textKey = "Version_UpToDate",
       .styles = {S::kBody},
       .textRule = TextRule::kVersionStatus},
      {.controls = {"Release_Date"},
       .textKey = "Version_ReleaseDate",
       .looks = {TextColor(0xFF999999, 0xFF777777)},
       .textRule = TextRule::kReleaseDate},
      {{"Btn_Download"}, "Version_Download", {S::kPrimary}, {TextColor(0xFFFFFFFF, 0xFFBABABA)}},
      {{"Date_text"}, {}, {S::kBody}},
      {{"Version_logo"}, {}, {}, {BkImage("load.png", "load_black.png")}},
      {{"back_Setting_btn"}, {}, {S::kBack}},
      {{"version_dot_note1"}, {}, {S::kDot}},
  };

  pages[11].rows = {
      {{"backgrund"}, {}, {}, {Both(P::kBkColor, Color(0xFFFBFBFB), Color(0xFF33332B))}},
  };

  pages[12].rows = {
      {{"main_back"}, {}, {}, {Both(P::kBkColor, Color(0xFFFFFFFF), Color(0xFF404041))}},
      {{"moreInfo_edit"}, {}, {}, {TextColor(0xFF002F2F, 0xFFFFFFFF)}},
  };

  pages[13].rows = {
      {{"Manager_Title"}, "Setting_Title_Disable", {S::kTitle}},
      {{"Manager_TipText"}, "Setting_ClickToEnable", {S::kBody}},
      {{"Manager_note"}, "Other_Note", {S::kTitle}},
      {{"Manager_Text"}, "Setting_Note_Content_Disable", {S::kBody}},
      {{"Manager_mode"}, "Setting_Btn_SecurityMode", {S::kTitle}},
      {{"manageback_btn"}, {}, {S::kBack}},
      {{"Btn_manage_setPwd"},
       {},
       {},
       {Both(P::kNormalImage, Image("option_close.png"), Image("option_close_black.png"))}},
      {{"Manager_dot_note"}, {}, {S::kDot}},
      {{"Manager_logo"}, {}, {}, {BkImage("manager.png", "manager_black.png")}},
  };

  pages[14].rows = {
      {{"AddFp_Title"}, "Fp_SetUp_Title", {S::kTitle}},
      {{"AddFp_TipText"}, "Fp_SetUp_SubTitle", {S::kBody}},
      {{"AddFp_note"}, "Other_Note", {S::kTitle}},
      {{"AddFp_Text"}, "Fp_SetUp_StartNote", {S::kBody}},
      {{"btn_startAddFP"}, "Fp_SetUp_BtnStart", {S::kPrimary, S::kBtnText}},
      {{"AddFp_logo"}, {}, {}, {BkImage("addFp.png", "addFp_black.png")}},
      {{"AddFp_dot_note"}, {}, {S::kDot}},
      {{"btn_AddFpback"}, {}, {S::kBack}},
  };

  pages[15].rows = {
      {{"AddFpi_Title"}, "Fp_SetUp_Title", {S::kTitle}},
      {{"AddFpi_TipText"}, "Fp_SetUp_NoteSensor", {S::kBody}},
      {{"btn_cancel_AddFP"}, "Btn_Cancel", {S::kPrimary, S::kBtnText}},
      {{"btn_Fpback"}, {}, {S::kBack}},
      {{"FPfail_process"}, {}, {}, {TextColor(0xFF000000, 0xFFBABABA)}},
  };

  pages[16].rows = {
      {{"FPfail_Title"}, "Fp_SetUp_Failed"},
      {{"FPfail_tip"}, "Fp_SetUp_Title", {S::kBody}},
      {{"FPfail_text"}, "Fp_SetUp_SubTitle", {S::kBody}},
      {{"Btn_FPFail_cencel"}, "Btn_Cancel", {S::kPrimary, S::kBtnText}},
      {{"btn_FpFail_FAQ"}, {}, {}, {BkImage("FQA.png", "FQA_black.png")}},
      {{"FPfailback_Setting_btn"}, {}, {S::kBack}},
  };

  pages[17].rows = {
      {{"FQA_Title"}, "Fp_SetUp_FailedTitle", {S::kTitle}},
      {{"FQA_text1"}, "Fp_SetUp_FailedNote1", {S::kBody}},
      {{"FQA_text2"}, "Fp_SetUp_FailedNote2", {S::kBody}},
      {{"FQA_text3"}, "Fp_SetUp_FailedNote3", {S::kBody}},
      {{"btn_FAQ_Cancel"}, "Btn_Cancel", {S::kPrimary, S::kBtnText}},
      {{"FQA_Manager_dot_note1", "FQA_Manager_dot_note2", "FQA_Manager_dot_note3"}, {}, {S::kDot}},
      {{"FQAback_Setting_btn"}, {}, {S::kBack}},
  };

  pages[18].rows = {
      {{"FP_Unlock_Title"}, "Unlock_Title", {S::kTitle}},
      {{"FP_Unlock_Tip"}, "Unlock_FpTitle", {S::kBody}},
      {{"pwd_Unlock_Tip"}, "Unlock_PwdTitle", {S::kBody}},
      {{"FP_lost_passwd_btn"}, "Unlock_Btn_ForgetPwd", {}, {}, {A::kEnable}},
      {.controls = {"FP_login_edit"},
       .styles = {S::kPwdEdit},
       .actions = {A::kEmpty},
       .hintKey = "Pwd_Placeholder_Pwd"},
      {{"FP_login_btn"},
       "Unlock_Btn_Unlock",
       {S::kPrimary2, S::kBtnText},
       {Both(P::kDisabledImage, Image("file='btn_Enable.png' corner='20,20,20,20'"),
             Image("file='btnSaveDisable_black.png' corner='20,20,20,20'")),
        Both(P::kDisabledTextColor, Color(0xFFFFFFFF), Color(0xFFBABABA))},
       {A::kDisable}},
      {{"btn_FP_showpasswd"}, {}, {S::kShowPwd}},
      {{"FP_Unlock_log"},
       {},
       {},
       {Both(P::kBkImage, Image("FP_login.png"), Image("FP_login.png"))}},
      {{"FP_Locked_lable"}, {}, {S::kPanel}, {BkImage("unlock_bk.png", "unlock_bk_black1.png")}},
      {{"FpLogin_line"}, {}, {S::kLine}},
      {{"login_FP_tip", "login_FP_tip1"}, {}, {}, {}, {A::kHide}},
  };

  pages[19].rows = {
      {{"AddFpPass_title"}, "Fp_SetUp_Title", {S::kTitle}},
      {{"AddFpPass_tip"}, "Fp_SetUp_FinishContent1", {S::kBody}},
      {{"AddFpPass_text"}, "Fp_SetUp_FinishContent2", {S::kBody}},
      {{"btn_AddFpPass_more"},
       "Fp_SetUp_BtnAddMore",
       {},
       {Both(P::kNormalImage, Image("addmore.png"),
             Image("file = 'btncancel_black.png' corner = '20,20,20,20'")),
        TextColor(0xFF000000, 0xFFBEBEBE)}},
      {{"btn_AddFpPass_done"},
       "Fp_SetUp_BtnDone",
       {},
       {Both(P::kNormalImage, Image("btn_unlock.png"),
             Image("file = 'btnSave_black.png' corner = '20,20,20,20'")),
        DarkOnly(P::kPushedImage,
                 Image("file = 'btnSave_black_push.png' corner = '20,20,20,20'"))}},
  };

  auto passwordEdit = [](std::string_view name, std::string_view hint) {
    return ControlRow{
        .controls = {name}, .styles = {S::kPwdEdit}, .actions = {A::kEmpty}, .hintKey = hint};
  };

  pages[20].rows = {
      {{"add_Title"}, "Pwd_Add_Title", {S::kTitle}},
      passwordEdit("add_first_edit", "Pwd_Modify_Placeholder_NewPwd"),
      passwordEdit("add_sec_edit", "Pwd_Add_Placeholder_RePwd"),
      passwordEdit("add_Tip_edit", "Pwd_Placeholder_Hint"),
      {{"add_confirm_btn"},
       "Btn_Save",
       {S::kPrimary2, S::kBtnText, S::kDisabled},
       {},
       {A::kDisable}},
      {{"add_cancel_btn"}, "Btn_Cancel", {S::kSecondary}},
      {{"btn_addshowpasswd1", "btn_addshowpasswd2"}, {}, {S::kShowPwd}},
      {{"add_noEqual_tip", "add_erro_tip"}, {}, {}, {}, {A::kHide}},
      {{"btn_addPwd_back"}, {}, {S::kBack}},
      {{"main_add"}, {}, {S::kPanel}, {BkImage("bk_add.png", "bk_add_black1.png")}},
      {{"add_line1", "add_line2", "add_line3"}, {}, {S::kLine}},
  };

  pages[21].rows = {
      {{"modify_Title"}, "Pwd_Modify_Title", {S::kTitle}},
      passwordEdit("modify_Old_edit", "Pwd_Modify_Placeholder_OldPwd"),
      passwordEdit("modify_first_edit", "Pwd_Modify_Placeholder_NewPwd"),
      passwordEdit("modify_sec_edit", "Pwd_Modify_Placeholder_ReNewPwd"),
      passwordEdit("modify_Tip_edit", "Pwd_Placeholder_Hint"),
      {{"confirm_btn"}, "Btn_Save", {S::kPrimary2, S::kBtnText, S::kDisabled}, {}, {A::kDisable}},
      {{"cancel_btn"}, "Btn_Cancel", {S::kSecondary}},
      {{"btn_showpasswd1", "btn_showpasswd2", "btn_showpasswd3"}, {}, {S::kShowPwd}},
      {{"oldPwdErro_tip", "noEqual_tip", "erro_tip"}, {}, {}, {}, {A::kHide}},
      {{"btn_modify_back"}, {}, {S::kBack}},
      {{"main_modify"}, {}, {S::kPanel}, {BkImage("bk_modify.png", "bk_modify_black1.png")}},
      {{"modify_line1", "modify_line2", "modify_line3", "modify_line4"}, {}, {S::kLine}},
  };

  pages[22].rows = {
      {{"delete_Title"}, "Pwd_Close_Title", {S::kTitle}},
      {{"text_info"}, "Pwd_Close_Content", {S::kBody}},
      passwordEdit("delete_edit", "Pwd_Placeholder_Pwd"),
      {{"delete_confirm_btn"},
       "Btn_Confirm",
       {S::kPrimary3, S::kBtnText, S::kDisabled},
       {},
       {A::kDisable}},
      {{"delete_cancel_btn"}, "Btn_Cancel", {S::kSecondary}},
      {{"btn_showpasswd_Del"}, {}, {S::kShowPwd}},
      {{"delete_erro_tip"}, {}, {}, {}, {A::kHide}},
      {{"btn_delete_back"}, {}, {S::kBack}},
      {{"main_delete"}, {}, {S::kPanel}, {BkImage("bk_delete.png", "bk_delete_black1.png")}},
      {{"delete_line"}, {}, {S::kLine}},
  };
  return pages;
}

constexpr std::array<std::string_view, 8> kChromeControls = {
    "backgrund", "backgrund_title", "aboutbtn", "safeRemove",
    "wait",      "title_logo",      "closebtn", "minbtn",
};

}  // namespace

bool IsColorProperty(Property property) {
  switch (property) {
    case P::kTextColor:
    case P::kDisabledTextColor:
    case P::kBkColor:
    case P::kNativeBkColor:
    case P::kItemSelectedBkColor:
    case P::kItemHotBkColor:
      return true;
    default:
      return false;
  }
}

const StyleDefinition& DefinitionOf(Style style) { return Styles().at(style); }

const PageTable& PageTableOf(int page) {
  static const std::vector<PageTable> pages = BuildPages();
  if (page < 0 || page >= kPageCount) std::abort();
  return pages[static_cast<std::size_t>(page)];
}

std::span<const std::string_view> ChromeControls() { return kChromeControls; }

const std::vector<ControlRow>& ChromeRows() {
  static const std::vector<ControlRow> rows = {
      {{"backgrund_title"}, {}, {}, {Both(P::kBkColor, Color(0xFFFFFFFF), Color(0xFF1E1E1E))}},
      {{"backgrund"},
       {},
       {},
       {Both(P::kBkColor, Color(kBackgroundNormal), Color(kBackgroundDark))}},
      {{"aboutbtn"}, {}, {}, {Both(P::kNormalImage, Image("about.png"), Image("about_black.png"))}},
      {{"safeRemove"},
       {},
       {},
       {Both(P::kNormalImage, Image("saferemove.png"), Image("saferemove_black.png"))}},
      {{"wait"}, {}, {}, {Both(P::kAnimation, Image("wait_white.gif"), Image("wait_black.gif"))}},
      {{"title_logo"}, {}, {}, {Both(P::kNormalImage, Image("orlu.png"), Image("orlu_black.png"))}},
      {{"closebtn"},
       {},
       {},
       {Both(P::kNormalImage, Image("close_focuse.png"), Image("close_black.png"))}},
      {{"minbtn"},
       {},
       {},
       {Both(P::kNormalImage, Image("min_focuse.png"), Image("min_black.png"))}},
  };
  return rows;
}

}  // namespace presentation
