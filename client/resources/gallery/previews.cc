#include "client/resources/gallery/previews.h"

#include <iostream>

#include "client/presentation/language_text.h"
#include "client/presentation/layout_files.h"
#include "platform/message_loop.h"
#include "toolkit/ui.h"

namespace gallery {
namespace {

template <class T = ui::CControlUI>
T* Find(ui::CPaintManagerUI& manager, const char16_t* name) {
  return dynamic_cast<T*>(manager.FindControl(name));
}

void Settle() {
  if (auto* loop = platform::MessageLoop::ForCurrentThread()) loop->RunPending();
}

bool Save(ui::CWindowWnd& window, const std::string& path) {
  Settle();
  if (toolkit::WritePng(window, path)) return true;
  std::cerr << "skin-gallery: cannot write " << path << "\n";
  return false;
}

// The pop-up's window-initialisation: texts, rows, buttons and mode colours.
void DressPopup(ui::CPaintManagerUI& pm, const PreviewTexts& texts, bool dark, int mode,
                const std::u16string& message, const std::u16string& title, int& height) {
  auto* msg = Find<ui::CLabelUI>(pm, u"popdlg_msg");
  auto* titleText = Find<ui::CLabelUI>(pm, u"popdlg_tilte");
  auto* titleRow = Find(pm, u"popdlg");
  auto* textRow = Find(pm, u"hor_popdlg_text");
  auto* cancel = Find<ui::CButtonUI>(pm, u"btn_pop_canel");
  auto* ok = Find<ui::CButtonUI>(pm, u"btn_pop_ok");
  auto* ok1 = Find<ui::CButtonUI>(pm, u"btn_pop_ok1");
  if (msg != nullptr) msg->SetText(message);
  if (title.empty()) {
    if (titleRow != nullptr) {
      titleRow->SetVisible(false);
      titleRow->SetFixedHeight(0);
    }
    if (textRow != nullptr) textRow->SetFixedHeight(100);
    height = 170;
  } else {
    if (titleText != nullptr) titleText->SetText(title);
    if (titleRow != nullptr) {
      titleRow->SetVisible(true);
      titleRow->SetFixedHeight(60);
    }
    if (textRow != nullptr) textRow->SetFixedHeight(150);
    height = 280;
  }
  if (cancel != nullptr) cancel->SetText(texts.Text("Btn_Cancel"));
  if (ok != nullptr) ok->SetText(texts.Text("Btn_Confirm"));
  if (mode == 1) {
    if (auto* row = Find(pm, u"okcancel")) row->SetVisible(false);
    if (auto* row = Find(pm, u"ok")) row->SetVisible(true);
    if (ok1 != nullptr) ok1->SetText(texts.Text("Btn_Ok"));
  }

  if (auto* background = Find(pm, u"main_bk")) {
    background->SetBkColor(dark ? 0xFF484848 : 0xFFFFFFFF);
  }
  if (msg != nullptr && titleText != nullptr) {
    msg->SetTextColor(dark ? 0xFFBABABA : 0xFF002F2F);
    // Opaque in the dark mode, as the page titles.
    titleText->SetTextColor(dark ? 0xFFFFFFFF : 0xFF002F2F);
  }
  if (cancel != nullptr) {
    cancel->SetBkImage(dark ? u"file='btncancel_black.png' corner='20,20,20,20'"
                            : u"btn_warning.png");
    cancel->SetTextColor(dark ? 0xFFBEBEBE : 0xFF000000);
  }
  ui::CButtonUI* confirm = mode == 1 ? ok1 : ok;
  if (confirm != nullptr) {
    if (dark) {
      confirm->SetNormalImage(u"file = 'btnSave_black.png' corner = '20,20,20,20'");
      confirm->SetPushedImage(u"file = 'btnSave_black_push.png' corner = '20,20,20,20'");
    } else {
      confirm->SetBkImage(u"btn_unlock.png");
    }
  }
  if (ok != nullptr) ok->SetTextColor(dark ? 0xFFBEBEBE : 0xFFFFFFFF);
  if (ok1 != nullptr && (dark || mode == 1)) ok1->SetTextColor(dark ? 0xFFBEBEBE : 0xFFFFFFFF);
}

}  // namespace

std::u16string PreviewTexts::Text(std::string_view key) const {
  return presentation::GetLanguageText(key, languageFile);
}

bool WritePopup(ui::HWND owner, const PreviewTexts& texts, std::uint8_t darkMode, int mode,
                const std::u16string& message, const std::u16string& title,
                const std::string& path) {
  auto popup = std::make_unique<LayoutWindow>(std::string(presentation::PopupLayoutFile()));
  if (popup->Create(owner, u"PopDailog", 0x82000000, 0x80) == 0) {
    std::cerr << "skin-gallery: cannot build popdailog_en.xml\n";
    return false;
  }
  int height = 170;
  DressPopup(*popup->GetPaintManager(), texts, darkMode == 1, mode, message, title, height);
  popup->ResizeClient(420, height);
  popup->CenterWindow();
  const bool written = Save(*popup, path);
  popup->Close(0);
  Settle();
  return written;
}

bool WriteMenu(ui::CPaintManagerUI& owner, const PreviewTexts& texts, std::uint8_t darkMode,
               const std::string& path) {
  const bool dark = darkMode == 1;
  ui::MenuCheckInfo checks;
  ui::CMenuWnd* menu =
      ui::CMenuWnd::CreateMenu(nullptr, std::string(presentation::MenuLayoutFile(darkMode)),
                               ui::POINT{760, 72}, &owner, &checks, 8);
  if (menu == nullptr) {
    std::cerr << "skin-gallery: cannot build the menu\n";
    return false;
  }
  auto* about = dynamic_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test1"));
  auto* warranty = dynamic_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test2"));
  auto* version = dynamic_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test3"));
  auto* mode = dynamic_cast<ui::CMenuElementUI*>(menu->FindControl(u"Menu_Test4"));
  if (about != nullptr && warranty != nullptr && version != nullptr && mode != nullptr) {
    about->SetText(texts.Text("More_AboutUs"));
    warranty->SetText(texts.Text("More_Warranty"));
    version->SetText(texts.Text("More_Version"));
    mode->SetText(texts.Text(dark ? "More_NormalMode" : "More_DarkMode"));
    // Shown as it looks with a newer version found: both dots on.
    version->SetChecked(true);
  } else {
    std::cerr << "skin-gallery: the menu lacks one of Menu_Test1..4\n";
  }
  const bool written = Save(*menu, path);
  if (ui::CMenuWnd::IsOpen(menu)) menu->Close(0);
  Settle();
  return written;
}

ui::CControlUI* BuildFingerprintRow(ui::CPaintManagerUI& manager, std::uint8_t darkMode,
                                    const std::u16string& name) {
  ui::CDialogBuilder builder;
  ui::CControlUI* row =
      builder.Create(std::string(presentation::FingerprintRowLayoutFile(darkMode)), &manager);
  if (row == nullptr) {
    std::cerr << "skin-gallery: cannot build the fingerprint row: " << builder.GetLastError()
              << "\n";
    return nullptr;
  }
  if (auto* label = row->FindSubControl(u"fp_name")) label->SetText(name);
  for (const char16_t* button : {u"modify", u"delete"}) {
    if (auto* control = row->FindSubControl(button)) control->SetUserData(name);
  }
  return row;
}

bool WriteFingerprintRow(ui::CPaintManagerUI& main, const PreviewTexts& texts,
                         std::uint8_t darkMode, bool editing, const std::string& path) {
  const bool dark = darkMode == 1;
  // A list as wide as the fingerprint page's, on the page's panel colour.
  const std::string xml = std::string(R"(<Window size="560,70"><VerticalLayout bkcolor=")") +
                          (dark ? "#FF2A2A2A" : "#FFFFFFFF") +
                          R"(" inset="10,10,10,10"><List name="rows" itemselectedbkcolor=")" +
                          (dark ? "#FF2A2A2A" : "#FFFFFFFF") + R"("/></VerticalLayout></Window>)";
  auto host = std::make_unique<LayoutWindow>(ui::CDuiString(xml));
  if (host->Create(main.GetPaintWindow(), u"FingerprintRow", 0x82000000, 0x80) == 0) {
    std::cerr << "skin-gallery: cannot build the row host\n";
    return false;
  }
  ui::CPaintManagerUI& pm = *host->GetPaintManager();
  for (const auto& [id, font] : main.GetFonts()) pm.AddFont(id, font, id == 0);
  auto* list = Find<ui::CListUI>(pm, u"rows");
  ui::CControlUI* row =
      BuildFingerprintRow(pm, darkMode, texts.Text("OtherAlert_FpDefaultName") + u"1");
  if (list == nullptr || row == nullptr) return false;
  list->Add(row);
  if (editing) {
    // As the rename button leaves it: the edit and "save" in place of the name.
    list->SelectItem(0);
    for (const char16_t* name : {u"fp_name", u"normal"}) {
      if (auto* c = row->FindSubControl(name)) c->SetVisible(false);
    }
    for (const char16_t* name : {u"fp_name_edit1", u"btn_editcencel", u"save"}) {
      if (auto* c = row->FindSubControl(name)) c->SetVisible(true);
    }
    if (auto* save = row->FindSubControl(u"save")) save->SetText(texts.Text("Btn_Save"));
    if (auto* edit = row->FindSubControl(u"fp_name_edit1")) edit->SetText(u"Thumb");
  }
  const bool written = Save(*host, path);
  host->Close(0);
  Settle();
  return written;
}

}  // namespace gallery
