// Pop-up menus: a window built from a menu layout whose entries
// (CMenuElementUI) carry a check mark. A click on an entry posts WM_MENUCLICK
// to the owner window and closes the menu.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "toolkit/list.h"
#include "toolkit/window.h"

namespace ui {

inline constexpr UINT WM_MENUCLICK = 0x0479;

enum MenuAlignment : DWORD {
  eMenuAlignment_Left = 1 << 1,
  eMenuAlignment_Top = 1 << 2,
  eMenuAlignment_Right = 1 << 3,
  eMenuAlignment_Bottom = 1 << 4,
};

// What WM_MENUCLICK reports: the chosen entry.
struct MenuCmd {
  std::u16string szName;
  std::u16string szUserData;
  std::u16string szText;
  bool bChecked = false;
};

// Entry name -> checked; kept by the owner so checks carry over between openings.
using MenuCheckInfo = std::map<std::u16string, bool>;

class CMenuElementUI : public CListContainerElementUI {
 public:
  std::u16string_view GetClass() const override { return u"MenuElement"; }
  void* GetInterface(std::u16string_view name) override;
  const PropertyTable& Properties() const override;

  // Also records the state in the menu's check map.
  void SetChecked(bool checked = true);
  bool GetChecked() const { return checked_; }
  void SetCheckImage(const CDuiString& image) {
    checkImage_ = image;
    Invalidate();
  }
  void SetFont(int font) { style_.font = font; }
  void SetTextColor(DWORD color) {
    style_.color = color;
    Invalidate();
  }
  void SetHotTextColor(DWORD color) { hotTextColor_ = color; }
  void SetTextPadding(RECT padding) {
    textPadding_ = padding;
    Invalidate();
  }
  void SetAlign(TextAlign align) { style_.align = align; }
  bool Activate() override;
  void DoPaint(PaintContext& ctx) override;

 private:
  bool checked_ = false;
  CDuiString checkImage_;
  RECT textPadding_;
  DWORD hotTextColor_ = 0;
  struct Style {
    int font = -1;
    DWORD color = 0xFF000000;
    TextAlign align = TextAlign::kLeft;
  } style_;
};

class CMenuUI : public CListUI {
 public:
  std::u16string_view GetClass() const override { return u"Menu"; }
  void* GetInterface(std::u16string_view name) override;
};

class CMenuWnd : public WindowImplBase {
 public:
  // Opens the menu built from `xml` with its top-left corner at `point`
  // (screen coordinates; `alignment` flips it left/up of the point) and shows
  // it. The owner is `mainPaintManager`'s window. Returns the menu window,
  // which closes and deletes itself after a choice or on Escape.
  static CMenuWnd* CreateMenu(CMenuElementUI* ownerElement, const CDuiString& xml, POINT point,
                              CPaintManagerUI* mainPaintManager, MenuCheckInfo* checkInfo = nullptr,
                              DWORD alignment = eMenuAlignment_Left | eMenuAlignment_Top);

  // The chosen entry behind the wParam of a WM_MENUCLICK, handed out once.
  static std::optional<MenuCmd> TakeMenuCmd(WPARAM ticket);
  // Whether `menu` is a menu window that is still open.
  static bool IsOpen(const CMenuWnd* menu);
  // A click on the owner closes its menus.
  static void CloseMenusOwnedBy(HWND owner);

  CMenuUI* GetMenuUI() const;
  CControlUI* FindControl(const CDuiString& name) const { return m_pm.FindControl(name); }
  MenuCheckInfo* GetCheckInfo() const { return checkInfo_; }
  // Reports `element` to the owner and closes the menu.
  void Choose(CMenuElementUI* element);

  CDuiString GetWindowClassName() const override { return u"MenuWnd"; }
  CDuiString GetSkinFile() override { return xml_; }
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  void OnFinalMessage(HWND hwnd) override;
  CControlUI* CreateControl(const CDuiString& className) override;

 protected:
  // A click elsewhere (another window or program) closes the menu.
  void OnFocusLost() override { Close(0); }

 private:
  CMenuWnd() = default;
  ~CMenuWnd() override;
  CDuiString xml_;
  HWND ownerHwnd_ = 0;
  MenuCheckInfo* checkInfo_ = nullptr;
  POINT point_;
  DWORD alignment_ = 0;
};

}  // namespace ui
