// skin-gallery --lang FILE --out DIR
//
// Renders every page of the main window in the normal and the dark mode, the
// message pop-up, the settings menu and a fingerprint row, dressed with the
// texts of one language file, into PNG files, so that layouts, images and
// translations can be looked at together. Exit code 0 when every file was
// written and every image the skin names exists.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "client/presentation/dressing_plan.h"
#include "client/presentation/language_choice.h"
#include "client/presentation/language_text.h"
#include "client/presentation/layout_files.h"
#include "client/presentation/page_dresser.h"
#include "client/resources/fonts/font_registration.h"
#include "client/resources/gallery/image_references.h"
#include "client/resources/gallery/previews.h"
#include "client/resources/skin/skin_archive.h"
#include "platform/clock.h"
#include "platform/message_loop.h"
#include "toolkit/resources.h"
#include "toolkit/ui.h"

namespace fs = std::filesystem;

namespace {

constexpr int kVersionPage = 10;

struct Options {
  std::string lang;
  std::string out;
};

void Usage() {
  std::cerr << "usage: skin-gallery --lang FILE --out DIR\n"
               "  FILE  a language file: a path, or a name in the language folder\n"
               "  DIR   the folder for the PNG files (created when missing)\n";
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--lang" || arg == "--out") && i + 1 < argc) {
      (arg == "--lang" ? options.lang : options.out) = argv[++i];
    } else {
      return false;
    }
  }
  return !options.lang.empty() && !options.out.empty();
}

// A name without a folder is looked up in the language folder.
std::string ResolveLanguageFile(const std::string& lang) {
  if (lang.find('/') == std::string::npos && !fs::exists(lang)) {
    return presentation::LanguageFilePath(lang);
  }
  return fs::absolute(lang).string();
}

// The client's fonts, registered as at its start-up; a failure is reported here rather than in
// a message box, as the gallery runs without anyone to answer one.
bool RegisterFonts() {
  const auto fonts = BundledFonts();
  return RegisterFontsOrWarn(
             fonts,
             [](std::span<const unsigned char> bytes) {
               return toolkit::RegisterPrivateFont(bytes);
             },
             [](const BundledFont& font) {
               std::cerr << "skin-gallery: font " << font.fileName << " could not be registered\n";
             }) == fonts.size();
}

int CheckImages() {
  const ui::SkinArchive* archive = ui::CPaintManagerUI::GetResourceZip();
  std::set<std::string> wanted = gallery::ImagesOfLayouts(*archive);
  wanted.merge(gallery::ImagesOfDressing());
  int missing = 0;
  for (const std::string& file : wanted) {
    if (archive->Contains(file)) continue;
    std::cerr << "skin-gallery: image missing from the skin archive: " << file << "\n";
    ++missing;
  }
  return missing;
}

std::string PagePath(const fs::path& out, int page, std::uint8_t dark) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%02d-%s.png", page, dark == 1 ? "dark" : "normal");
  return (out / name).string();
}

std::string ModePath(const fs::path& out, const std::string& stem, std::uint8_t dark) {
  return (out / (stem + (dark == 1 ? "-dark.png" : "-normal.png"))).string();
}

// The fingerprint page with two rows, as after a rebuild of the list.
void FillFingerprintList(ui::CPaintManagerUI& pm, const gallery::PreviewTexts& texts,
                         std::uint8_t dark) {
  auto* list = dynamic_cast<ui::CListUI*>(pm.FindControl(u"list_zhiwen"));
  if (list == nullptr) return;
  list->RemoveAll();
  const std::u16string base = texts.Text("OtherAlert_FpDefaultName");
  for (const char16_t* n : {u"1", u"2"}) {
    if (auto* row = gallery::BuildFingerprintRow(pm, dark, base + n)) list->Add(row);
  }
}

// The home page's bar as the capacity display leaves it for a drive in use.
void ShowCapacity(ui::CPaintManagerUI& pm) {
  if (auto* bar = dynamic_cast<ui::CProgressUI*>(pm.FindControl(u"slider_operator_size"))) {
    bar->SetValue(bar->GetMinValue() + (bar->GetMaxValue() - bar->GetMinValue()) * 35 / 100);
  }
}

bool WritePage(gallery::LayoutWindow& window, const std::string& path) {
  if (auto* loop = platform::MessageLoop::ForCurrentThread()) loop->RunPending();
  if (toolkit::WritePng(window, path)) return true;
  std::cerr << "skin-gallery: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    Usage();
    return 2;
  }
  const std::string languageFile = ResolveLanguageFile(options.lang);
  if (!fs::is_regular_file(languageFile)) {
    std::cerr << "skin-gallery: language file not found: " << languageFile << "\n";
    return 1;
  }
  const fs::path out = options.out;
  std::error_code error;
  fs::create_directories(out, error);
  if (!fs::is_directory(out)) {
    std::cerr << "skin-gallery: cannot create " << out << "\n";
    return 1;
  }

  setenv("ORLUSSD_BACKEND", "headless", 1);
  platform::ManualClock clock;
  platform::MessageLoop loop(clock);
  if (!ui::CPaintManagerUI::SetResourceZip(SkinZipData(), SkinZipSize())) {
    std::cerr << "skin-gallery: the embedded skin archive is unreadable\n";
    return 1;
  }
  bool ok = RegisterFonts();

  // The language file decides the variant of the main layout, as the locale does for the client.
  const auto code = presentation::LanguageCodeForFile(fs::path(languageFile).filename().string());
  gallery::LayoutWindow main(
      std::string(presentation::MainLayoutFile(code.value_or(presentation::kLangEnglish))));
  if (main.Create(0, u"ORLUSSD", 0x96C80000, 0, 0, 0, 800, 600) == 0) {
    std::cerr << "skin-gallery: cannot build the main window\n";
    return 1;
  }
  ui::CPaintManagerUI& pm = *main.GetPaintManager();
  presentation::PageDresser dresser(pm);
  gallery::PreviewTexts texts{languageFile};

  int written = 0;
  auto count = [&](bool done) {
    written += done ? 1 : 0;
    ok = ok && done;
  };
  for (std::uint8_t dark : {0, 1}) {
    if (!dresser.DressChrome(dark)) {
      std::cerr << "skin-gallery: the main layout lacks a title bar control\n";
      ok = false;
    }
    presentation::PageContext context;
    context.darkMode = dark;
    for (int page = 0; page < presentation::kPageCount; ++page) {
      dresser.ShowPage(page, context, languageFile);
      if (page == 1) ShowCapacity(pm);
      if (page == 3) FillFingerprintList(pm, texts, dark);
      count(WritePage(main, PagePath(out, page, dark)));
    }
    // The version page as it reads once a newer version was found.
    context.newVersionFound = true;
    context.newVersion = "1.2.0";
    dresser.ShowPage(kVersionPage, context, languageFile);
    count(WritePage(main, ModePath(out, "page-10-update", dark)));

    const ui::HWND owner = main.GetHWND();
    count(gallery::WritePopup(owner, texts, dark, 1, texts.Text("OtherAlert_RemoveSafely"), u"",
                              ModePath(out, "popup-ok", dark)));
    count(gallery::WritePopup(owner, texts, dark, 0, texts.Text("Fp_List_AlertDelete"), u"",
                              ModePath(out, "popup-okcancel", dark)));
    count(gallery::WritePopup(owner, texts, dark, 0, texts.Text("Fp_SetUp_CancelAlertContent"),
                              texts.Text("Fp_SetUp_CancelAlertTitle"),
                              ModePath(out, "popup-title", dark)));
    count(gallery::WriteMenu(pm, texts, dark, ModePath(out, "menu", dark)));
    count(gallery::WriteFingerprintRow(pm, texts, dark, false, ModePath(out, "fp-row", dark)));
    count(
        gallery::WriteFingerprintRow(pm, texts, dark, true, ModePath(out, "fp-row-rename", dark)));
  }

  const int missingImages = CheckImages();
  std::cout << "skin-gallery: " << written << " files written to " << out.string() << "\n";
  main.Close(0);
  loop.RunPending();
  toolkit::RemovePrivateFonts();
  return ok && missingImages == 0 ? 0 : 1;
}
