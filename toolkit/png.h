// Saving a window's current image (its client area) as a PNG file.
#pragma once

#include <string>

namespace ui {
class CPaintManagerUI;
class CWindowWnd;
}  // namespace ui

namespace toolkit {

bool WritePng(ui::CPaintManagerUI& manager, const std::string& path);
bool WritePng(ui::CWindowWnd& window, const std::string& path);

}  // namespace toolkit
