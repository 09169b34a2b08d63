#include "client/resources/fonts/font_registration.h"

#include "toolkit/fonts.h"
#include "toolkit/message_box.h"

std::size_t RegisterFontsOrWarn(std::span<const BundledFont> fonts,
                                const FontRegistrar& registerFont,
                                const FontFailureAction& onFailure) {
  std::size_t registered = 0;
  for (const BundledFont& font : fonts) {
    if (font.bytes.empty() || !registerFont(font.bytes)) {
      onFailure(font);
      break;
    }
    ++registered;
  }
  return registered;
}

std::size_t RegisterFontsOrWarn(std::span<const BundledFont> fonts) {
  return RegisterFontsOrWarn(
      fonts,
      [](std::span<const unsigned char> bytes) { return toolkit::RegisterPrivateFont(bytes); },
      [](const BundledFont&) { ShowFontLoadError(); });
}

void ShowFontLoadError() { ui::MessageBoxW(0, kFontLoadErrorText, u"", ui::MB_OK); }
