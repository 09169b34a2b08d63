// CDialogBuilder: builds controls from a layout (a file of the skin archive,
// or XML text) and applies the <Window> attributes, fonts and defaults to the
// paint manager.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/paint_manager.h"

namespace ui {

class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  // A control for an element name the toolkit does not know, or null.
  virtual CControlUI* CreateControl(const CDuiString& className) = 0;
};

class CDialogBuilder {
 public:
  // Builds `file` from the skin archive (or, when it starts with '<', the XML
  // text itself). The caller owns the returned root (or hands it to a
  // container or AttachDialog). Null on a missing file or broken XML; the
  // reason is in GetLastError().
  CControlUI* Create(const CDuiString& file, CPaintManagerUI* manager = nullptr,
                     IDialogBuilderCallback* callback = nullptr, CControlUI* parent = nullptr);
  CControlUI* CreateFromXml(std::string_view xml, CPaintManagerUI* manager = nullptr,
                            IDialogBuilderCallback* callback = nullptr,
                            CControlUI* parent = nullptr);
  const std::string& GetLastError() const { return error_; }

  // A new control for an element name ("Button"), or null.
  static CControlUI* CreateControlByClass(std::string_view className);

 private:
  std::string error_;
  std::string file_;
  int includeDepth_ = 0;
  friend struct BuilderImpl;
};

}  // namespace ui
