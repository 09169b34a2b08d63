// Every text the client puts into its layouts fits its control in each of the seven languages:
// wrapping texts within the control's height, one-line texts within its width. The pages are
// dressed by the client's own page switch; the texts the flows show later (errors, hints,
// enrolment prompts, pop-up messages, menu entries) are set the way the flows set them.
#include <cairo.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/presentation/language_text.h"
#include "client/presentation/page_dresser.h"
#include "client/resources/fonts/bundled_fonts.h"
#include "client/resources/skin/skin_archive.h"
#include "toolkit/containers.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/edit.h"
#include "toolkit/fonts.h"
#include "toolkit/label.h"
#include "toolkit/menu.h"
#include "toolkit/paint_manager.h"
#include "toolkit/png.h"

namespace {

const char* const kLanguages[] = {"English.ini", "Chinese.ini", "Japan.ini", "Deusce.ini",
                                  "France.ini",  "Spain.ini",   "Italy.ini"};

// The widest hint a user can store (16 characters).
constexpr char16_t kLongHint[] = u"WWWWWWWWWWWWWWWW";

std::string Utf8(std::u16string_view text) { return ui::CDuiString(text).ToUtf8(); }

// Lays text out the way the toolkit draws it (pango, the layout's font by index).
class TextMeasure {
 public:
  TextMeasure()
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)),
        cr_(cairo_create(surface_)) {}
  ~TextMeasure() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }

  // Width and height of `text`; wrapped at `wrapWidth` when it is positive.
  ui::SIZE Measure(const ui::FontSpec& font, std::u16string_view text, int wrapWidth) {
    PangoLayout* layout = pango_cairo_create_layout(cr_);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.family.empty() ? "Sans" : font.family.c_str());
    pango_font_description_set_absolute_size(desc, font.size * PANGO_SCALE);
    pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    const std::string utf8 = Utf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    if (wrapWidth > 0) {
      pango_layout_set_width(layout, wrapWidth * PANGO_SCALE);
      pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    } else {
      pango_layout_set_single_paragraph_mode(layout, TRUE);
    }
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return {width, height};
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

class TextFitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("ORLUSSD_LANGUAGE_DIR", ORLU_LANGUAGE_DIR, 1);
    ASSERT_TRUE(ui::CPaintManagerUI::SetResourceZip(SkinZipData(), SkinZipSize()));
    for (const BundledFont& font : BundledFonts()) toolkit::RegisterPrivateFont(font.bytes);
  }

  // Builds `file` into `manager` at `size` (the layout's own size when empty) and lays it out.
  static void Load(ui::CPaintManagerUI& manager, const char16_t* file, ui::SIZE size = {}) {
    ui::CDialogBuilder builder;
    ASSERT_TRUE(manager.AttachDialog(builder.Create(file, &manager))) << Utf8(file);
    if (size.cx == 0) size = manager.GetInitSize();
    manager.SetClientSize(size);
    manager.Render();
  }

  // Checks every visible text control under `control`; `where` names the case.
  // Also checks that no control spills out of its parent (a page whose texts and error
  // labels together need more room than the page has).
  void CheckTree(ui::CPaintManagerUI& manager, ui::CControlUI* control, const std::string& where) {
    if (!control->IsVisible()) return;
    if (auto* label = dynamic_cast<ui::CLabelUI*>(control)) CheckLabel(manager, *label, where);
    const ui::RECT outer = control->GetPos();
    for (int i = 0; i < control->GetChildCount(); ++i) {
      ui::CControlUI* child = control->GetChildAt(i);
      const ui::RECT inner = child->GetPos();
      if (child->IsVisible() && (inner.left < outer.left || inner.top < outer.top ||
                                 inner.right > outer.right || inner.bottom > outer.bottom)) {
        problems_.push_back(where + " " + child->GetName().ToUtf8() + " (" +
                            Utf8(child->GetClass()) + ") spills out of " +
                            control->GetName().ToUtf8());
      }
      CheckTree(manager, child, where);
    }
  }

  void CheckLabel(ui::CPaintManagerUI& manager, ui::CLabelUI& label, const std::string& where) {
    std::u16string text = label.GetText().str();
    auto* edit = dynamic_cast<ui::CEditUI*>(&label);
    if (edit && text.empty()) text = edit->GetPromptText().str();
    if (text.empty()) return;
    const ui::RECT pos = label.GetPos();
    const ui::RECT pad = label.GetTextPadding();
    const int width = pos.Width() - pad.left - pad.right;
    const int height = pos.Height() - pad.top - pad.bottom;
    const bool wrap = label.IsMultiLine() && !edit;
    const ui::SIZE need =
        measure_.Measure(manager.GetFont(label.GetFont()), text, wrap ? width : 0);
    if (need.cx > width || need.cy > height) {
      problems_.push_back(where + " " + label.GetName().ToUtf8() + ": needs " +
                          std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " +
                          std::to_string(width) + "x" + std::to_string(height) + " for \"" +
                          Utf8(text) + "\"");
    }
  }

  void ExpectNoProblems() {
    std::string all;
    for (const std::string& problem : problems_) all += problem + "\n";
    EXPECT_TRUE(problems_.empty()) << problems_.size() << " texts do not fit:\n" << all;
  }

  TextMeasure measure_;
  std::vector<std::string> problems_;
};

// What the flows show on a page after it was dressed: the control, whether to show it, and
// its text for a language file.
struct FlowText {
  int page;
  const char16_t* control;
  std::function<std::u16string(const std::string& language)> text;
};

std::function<std::u16string(const std::string&)> Key(const char* key) {
  return
      [key](const std::string& language) { return presentation::GetLanguageText(key, language); };
}

std::function<std::u16string(const std::string&)> HintText() {
  return [](const std::string& language) {
    return presentation::GetLanguageText("Unlock_Err_Hint", language) + kLongHint;
  };
}

const std::vector<FlowText>& FlowTexts() {
  static const std::vector<FlowText> texts = {
      {5, u"login_tip1", Key("Pwd_Err_PwdErr")},
      {5, u"login_tip", HintText()},
      {7, u"Check_Errortip", Key("Pwd_Err_PwdErr")},
      {15, u"AddFpi_TipText", Key("Fp_SetUp_NoteDown")},
      {15, u"AddFpi_TipText", Key("Fp_SetUp_NoteLift")},
      {15, u"AddFpi_TipText", Key("Fp_SetUp_NoteChangePosition")},
      {18, u"login_FP_tip1", Key("Pwd_Err_PwdErr")},
      {18, u"login_FP_tip", HintText()},
      {20, u"add_noEqual_tip", Key("Pwd_Err_NoSame")},
      {21, u"oldPwdErro_tip", Key("Pwd_Err_Rule")},
      {21, u"oldPwdErro_tip", Key("Pwd_Err_PwdErr")},
      {21, u"noEqual_tip", Key("Pwd_Err_NoSame")},
      {21, u"erro_tip", HintText()},
      {22, u"delete_erro_tip", Key("Pwd_Err_PwdErr")},
  };
  return texts;
}

TEST_F(TextFitTest, PagesFitEveryLanguage) {
  ui::CPaintManagerUI manager;
  Load(manager, u"main_device.xml", {800, 600});
  presentation::PageDresser dresser(manager);
  auto* tab = manager.FindControl<ui::CTabLayoutUI>(u"TabMain");
  ASSERT_NE(tab, nullptr);
  ui::CControlUI* titleBar = manager.FindControl(u"backgrund_title");
  ASSERT_NE(titleBar, nullptr);

  for (const std::string language : kLanguages) {
    for (int page = 0; page < 23; ++page) {
      for (bool newVersion : {false, true}) {
        if (newVersion && page != 10) continue;
        presentation::PageContext context;
        context.newVersionFound = newVersion;
        context.newVersion = "10.10.10";
        dresser.ShowPage(page, context, language);
        // Page 2 keeps its fingerprint group hidden, but its texts are dressed too: check the
        // page with that group in place of the other one as well.
        if (page == 2) {
          manager.Render();
          CheckTree(manager, tab->GetItemAt(page), language + " page 2");
          manager.FindControl(u"manage_shownFp")->SetVisible(false);
          manager.FindControl(u"manage_showFp")->SetVisible(true);
        }
        manager.Render();
        CheckTree(manager, tab->GetItemAt(page), language + " page " + std::to_string(page));
        if (page == 2) {
          manager.FindControl(u"manage_showFp")->SetVisible(false);
          manager.FindControl(u"manage_shownFp")->SetVisible(true);
        }
      }
    }
    // The flows' texts of a page pile up (every error label of the page shown at once), so
    // the page is also checked in its fullest state.
    int shown = -1;
    for (const FlowText& flow : FlowTexts()) {
      if (flow.page != shown) {
        dresser.ShowPage(flow.page, presentation::PageContext{}, language);
        shown = flow.page;
      }
      ui::CControlUI* control = manager.FindControl(flow.control);
      ASSERT_NE(control, nullptr) << Utf8(flow.control);
      control->SetText(flow.text(language));
      control->SetVisible(true);
      manager.Render();
      CheckTree(manager, tab->GetItemAt(flow.page),
                language + " page " + std::to_string(flow.page) + " (flow)");
      // SKIN_FIT_SNAPSHOTS=<folder> keeps a picture of each state for a look.
      if (const char* folder = std::getenv("SKIN_FIT_SNAPSHOTS")) {
        toolkit::WritePng(manager, std::string(folder) + "/" + language + "-page-" +
                                       std::to_string(flow.page) + ".png");
      }
    }
    CheckTree(manager, titleBar, language + " title bar");
  }
  ExpectNoProblems();
}

TEST_F(TextFitTest, PopupMessagesFitEveryLanguage) {
  struct Message {
    const char* text;
    const char* title;  // null: no title
  };
  const Message messages[] = {
      {"OtherAlert_NotSupportMultDisk", nullptr},
      {"OtherAlert_AutoExit", nullptr},
      {"OtherAlert_NoServer", nullptr},
      {"OtherAlert_RemoveSafely", nullptr},
      {"OtherAlert_FailedRemoveInUse", nullptr},
      {"Format_Faild", nullptr},
      {"Pwd_Modify_Success", nullptr},
      {"Version_Download_Err_pwd", nullptr},
      {"Fp_List_AlertErrFpCountOverflow", nullptr},
      {"Fp_List_AlertSameName", nullptr},
      {"Fp_List_AlertRenameErr", nullptr},
      {"Fp_List_AlertDelete", nullptr},
      {"Fp_List_AlertDeleteLast", nullptr},
      {"Unlock_Alert_ToManyCountContent", "Unlock_Alert_ToManyCountTitle"},
      {"Fp_SetUp_CancelAlertContent", "Fp_SetUp_CancelAlertTitle"},
  };
  for (const std::string language : kLanguages) {
    for (const Message& message : messages) {
      ui::CPaintManagerUI manager;
      Load(manager, u"popdailog_en.xml", {420, 170});
      // The pop-up's own sizing: a title row of 60 and a message row of 150 with a title,
      // no title row and a message row of 100 without.
      ui::CControlUI* titleRow = manager.FindControl(u"popdlg");
      ui::CControlUI* messageRow = manager.FindControl(u"hor_popdlg_text");
      ASSERT_TRUE(titleRow && messageRow);
      titleRow->SetVisible(message.title != nullptr);
      titleRow->SetFixedHeight(message.title ? 60 : 0);
      messageRow->SetFixedHeight(message.title ? 150 : 100);
      manager.SetClientSize({420, message.title ? 280 : 170});
      manager.FindControl(u"popdlg_msg")
          ->SetText(presentation::GetLanguageText(message.text, language));
      if (message.title) {
        manager.FindControl(u"popdlg_tilte")
            ->SetText(presentation::GetLanguageText(message.title, language));
      }
      manager.FindControl(u"btn_pop_canel")
          ->SetText(presentation::GetLanguageText("Btn_Cancel", language));
      manager.FindControl(u"btn_pop_ok")
          ->SetText(presentation::GetLanguageText("Btn_Confirm", language));
      manager.FindControl(u"btn_pop_ok1")
          ->SetText(presentation::GetLanguageText("Btn_Ok", language));
      // Both button modes: cancel and confirm, or the single button.
      for (bool single : {false, true}) {
        manager.FindControl(u"okcancel")->SetVisible(!single);
        manager.FindControl(u"ok")->SetVisible(single);
        manager.Render();
        CheckTree(manager, manager.GetRoot(), language + " pop-up " + message.text);
      }
    }
  }
  ExpectNoProblems();
}

TEST_F(TextFitTest, FingerprintRowsFitEveryLanguage) {
  // A row is as wide as the list of page 3 less a scroll bar; the row layouts take their
  // fonts from the main window.
  for (const char16_t* file : {u"listitem.xml", u"listitem_black.xml"}) {
    for (const std::string language : kLanguages) {
      for (bool renaming : {false, true}) {
        ui::CPaintManagerUI manager;
        Load(manager, u"main_device.xml", {800, 600});
        ui::CDialogBuilder builder;
        ASSERT_TRUE(manager.AttachDialog(builder.Create(file, &manager))) << Utf8(file);
        manager.SetClientSize({404, 50});
        // The default name of the tenth fingerprint, and the rename edit with its button.
        manager.FindControl(u"fp_name")
            ->SetText(presentation::GetLanguageText("OtherAlert_FpDefaultName", language) + u"10");
        manager.FindControl(u"save")->SetText(presentation::GetLanguageText("Btn_Save", language));
        manager.FindControl(u"fp_name")->SetVisible(!renaming);
        manager.FindControl(u"normal")->SetVisible(!renaming);
        manager.FindControl(u"fp_name_edit1")->SetVisible(renaming);
        manager.FindControl(u"save")->SetVisible(renaming);
        manager.Render();
        CheckTree(manager, manager.GetRoot(),
                  language + " " + Utf8(file) + (renaming ? " renaming" : ""));
        ui::CControlUI* last = manager.FindControl(renaming ? u"save" : u"delete");
        if (last->GetPos().right > 404) {
          problems_.push_back(language + " " + Utf8(file) + ": the row is wider than the list");
        }
      }
    }
  }
  ExpectNoProblems();
}

TEST_F(TextFitTest, MenuEntriesFitEveryLanguage) {
  const char* const entries[] = {"More_AboutUs", "More_Warranty", "More_Version", "More_DarkMode",
                                 "More_NormalMode"};
  for (const char16_t* file : {u"menu.xml", u"menu_Black.xml"}) {
    ui::CPaintManagerUI manager;
    Load(manager, file);
    auto* entry = manager.FindControl<ui::CMenuElementUI>(u"Menu_Test1");
    ASSERT_NE(entry, nullptr);
    // The entry's text runs between its 16-pixel left padding and the check dot's column.
    const int room = entry->GetPos().Width() - 16 - 32;
    for (const std::string language : kLanguages) {
      for (const char* key : entries) {
        const std::u16string text = presentation::GetLanguageText(key, language);
        const int width = measure_.Measure(manager.GetFont(0), text, 0).cx;
        if (width > room) {
          problems_.push_back(language + " " + Utf8(file) + " " + key + ": needs " +
                              std::to_string(width) + ", has " + std::to_string(room));
        }
      }
    }
  }
  ExpectNoProblems();
}

}  // namespace
