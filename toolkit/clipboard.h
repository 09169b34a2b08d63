// The clipboard's plain text (the SDL clipboard in a window, an in-memory one
// headless).
#pragma once

#include <string>

namespace toolkit {

std::string GetClipboardText();
void SetClipboardText(const std::string& utf8);

}  // namespace toolkit
