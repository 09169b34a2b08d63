// The windows of the gallery: a window built from any layout of the skin,
// and the dressed previews of the pop-up, the settings menu and a
// fingerprint row, each written to a PNG file.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/window.h"

namespace gallery {

// A window built from a layout file of the skin archive (or from XML text).
class LayoutWindow : public ui::WindowImplBase {
 public:
  explicit LayoutWindow(ui::CDuiString skin) : skin_(std::move(skin)) {}
  ui::CDuiString GetWindowClassName() const override { return u"SkinGallery"; }
  ui::CDuiString GetSkinFile() override { return skin_; }
  void OnFinalMessage(ui::HWND) override {}

 private:
  ui::CDuiString skin_;
};

// What the gallery shows in the previews, read from the language file.
struct PreviewTexts {
  std::string languageFile;
  std::u16string Text(std::string_view key) const;
};

// The message pop-up as the client shows it: `mode` 1 with one button, 0 with
// two; an empty title leaves the title row out.
bool WritePopup(ui::HWND owner, const PreviewTexts& texts, std::uint8_t darkMode, int mode,
                const std::u16string& message, const std::u16string& title,
                const std::string& path);

// The settings menu opened from `owner`'s paint manager, labelled for the mode.
bool WriteMenu(ui::CPaintManagerUI& owner, const PreviewTexts& texts, std::uint8_t darkMode,
               const std::string& path);

// One fingerprint row of the mode's row layout, in the fonts of the main
// window that shows it; `editing` shows the rename edit.
bool WriteFingerprintRow(ui::CPaintManagerUI& main, const PreviewTexts& texts,
                         std::uint8_t darkMode, bool editing, const std::string& path);

// Builds a row of the fingerprint list for the mode and names it.
ui::CControlUI* BuildFingerprintRow(ui::CPaintManagerUI& manager, std::uint8_t darkMode,
                                    const std::u16string& name);

}  // namespace gallery
