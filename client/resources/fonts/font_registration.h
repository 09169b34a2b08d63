// Start-up registration of the bundled fonts: in order, stopping at the first
// font that is missing or refused, with one warning for the whole run.
#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "client/resources/fonts/bundled_fonts.h"

using FontRegistrar = std::function<bool(std::span<const unsigned char>)>;
using FontFailureAction = std::function<void(const BundledFont& failed)>;

// The message the user sees when a font cannot be registered.
inline constexpr char16_t kFontLoadErrorText[] = u"加载内存字体错误";

// Registers `fonts` in order with `registerFont`. The first font without bytes
// or refused by `registerFont` ends the run (the fonts after it are not tried)
// and `onFailure` runs once with it. Returns how many fonts were registered.
// Start-up goes on either way: text then falls back to the system's fonts.
std::size_t RegisterFontsOrWarn(std::span<const BundledFont> fonts,
                                const FontRegistrar& registerFont,
                                const FontFailureAction& onFailure);
// With the toolkit's private registration and ShowFontLoadError.
std::size_t RegisterFontsOrWarn(std::span<const BundledFont> fonts);

// The warning of the start-up: a message box with kFontLoadErrorText, no owner
// and an empty caption, waiting for OK.
void ShowFontLoadError();
