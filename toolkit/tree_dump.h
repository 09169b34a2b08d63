// The inspectable tree: a window's controls as JSON (name, class, screen
// rectangle, visible, enabled, selected, text; password edits give their
// length only), written to the file named by ORLUSSD_UI_DUMP.
#pragma once

#include <string>

namespace ui {
class CPaintManagerUI;
}

namespace toolkit {

std::string DumpTreeJson(ui::CPaintManagerUI& manager, const std::string& windowClass);
// Writes the calling thread's top window to $ORLUSSD_UI_DUMP, if set.
void WriteTreeDumpIfRequested();

}  // namespace toolkit
