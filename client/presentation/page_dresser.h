// Carries out dressing plans on the controls of one window: the page switch's
// texts, images and colours, and the window chrome of a display mode.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "client/presentation/dressing_plan.h"
#include "toolkit/dui_string.h"
#include "toolkit/geometry.h"

namespace ui {
class CControlUI;
class CPaintManagerUI;
}  // namespace ui

namespace presentation {

class PageDresser {
 public:
  // `manager` holds the main window's layout and outlives the dresser.
  explicit PageDresser(ui::CPaintManagerUI& manager) : manager_(manager) {}

  // The page switch: sets the window background, dresses page 0..22 with the
  // texts of `languageFile` and the looks of the context's mode, and selects
  // it in "TabMain" (the unlock page is selected first, then dressed). Above
  // 22 only the background changes. Controls the layout lacks are skipped.
  void ShowPage(int page, const PageContext& context, std::string_view languageFile);

  // The same without selecting the page.
  void DressPage(int page, const PageContext& context, std::string_view languageFile);

  // Dresses the title bar, background and wait animation for a mode. Changes
  // nothing and returns false when any of the chrome's controls is missing;
  // the caller then leaves out re-showing the page.
  bool DressChrome(std::uint8_t darkMode);

  // The page selected in "TabMain", or -1 without one.
  int CurrentPage() const;

  // Carries out any plan (steps naming missing controls are skipped).
  void Apply(const DressPlan& plan);

 private:
  struct Original {
    bool isColor = false;
    ui::DWORD color = 0;
    ui::CDuiString image;
  };
  using Slot = std::pair<std::string, Property>;

  void SetLook(ui::CControlUI& control, Property property, const LookValue& value);
  void Remember(std::string_view name, ui::CControlUI& control, Property property);
  void Restore(std::string_view name, ui::CControlUI& control, Property property);

  ui::CPaintManagerUI& manager_;
  // The layout's own values of properties a mode sets on one side only, so
  // the other mode can give them back.
  std::map<Slot, Original> originals_;
};

}  // namespace presentation
