#include "toolkit/menu.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "toolkit/paint_context.h"

namespace ui {

namespace {

std::mutex g_ticketMutex;
std::map<WPARAM, MenuCmd> g_tickets;
WPARAM g_nextTicket = 1;

thread_local std::set<const CMenuWnd*> t_openMenus;

CMenuWnd* MenuOf(CControlUI* control) {
  CPaintManagerUI* pm = control->GetManager();
  if (!pm) return nullptr;
  return dynamic_cast<CMenuWnd*>(CWindowWnd::FromHandle(pm->GetPaintWindow()));
}

template <class F>
void ForEachElement(CControlUI* control, F&& f) {
  if (!control) return;
  if (auto* e = static_cast<CMenuElementUI*>(control->GetInterface(u"MenuElement"))) f(e);
  for (int i = 0; i < control->GetChildCount(); ++i) ForEachElement(control->GetChildAt(i), f);
}

}  // namespace

// ---- MenuElement ----

void* CMenuElementUI::GetInterface(std::u16string_view name) {
  if (name == u"MenuElement") return this;
  return CListContainerElementUI::GetInterface(name);
}

const PropertyTable& CMenuElementUI::Properties() const {
  using C = CMenuElementUI;
  static const PropertyTable table(
      &CListContainerElementUI::Properties(),
      {
          {"checked",
           [](CControlUI& c, std::string_view v) { static_cast<C&>(c).checked_ = attr::Bool(v); }},
          {"checkimage",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetCheckImage(CDuiString(std::string(v)));
           }},
          {"font", Bind(&C::SetFont, attr::Int)},
          {"textcolor", Bind(&C::SetTextColor, attr::Color)},
          {"hottextcolor", Bind(&C::SetHotTextColor, attr::Color)},
          {"textpadding", Bind(&C::SetTextPadding, attr::Rect)},
          {"align",
           [](CControlUI& c, std::string_view v) {
             static_cast<C&>(c).SetAlign(
                 v.find("center") != std::string_view::npos  ? TextAlign::kCenter
                 : v.find("right") != std::string_view::npos ? TextAlign::kRight
                                                             : TextAlign::kLeft);
           }},
          {"checkitem", Ignored()},
          {"icon", Ignored()},
          {"expand", Ignored()},
      });
  return table;
}

void CMenuElementUI::SetChecked(bool checked) {
  checked_ = checked;
  if (CMenuWnd* menu = MenuOf(this); menu && menu->GetCheckInfo() && !GetName().IsEmpty())
    (*menu->GetCheckInfo())[GetName().str()] = checked;
  Invalidate();
}

bool CMenuElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (CMenuWnd* menu = MenuOf(this)) menu->Choose(this);
  return true;
}

void CMenuElementUI::DoPaint(PaintContext& ctx) {
  if (!IsVisible() || pos_.IsEmpty()) return;
  CListContainerElementUI::DoPaint(ctx);
  if (checked_) {
    if (!checkImage_.IsEmpty()) {
      DrawImage(ctx, checkImage_);
    } else {
      int cy = pos_.top + pos_.Height() / 2;
      ctx.FillRect({pos_.left + 10, cy - 3, pos_.left + 16, cy + 3}, style_.color, {6, 6});
    }
  }
  if (!text_.IsEmpty()) {
    RECT padding = textPadding_;
    if (padding == RECT{}) padding = {30, 0, 10, 0};
    RECT rc{pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
            pos_.bottom - padding.bottom};
    TextStyle style;
    style.font = style_.font;
    style.color = IsHot() && hotTextColor_ != 0 ? hotTextColor_ : style_.color;
    style.align = style_.align;
    style.endEllipsis = true;
    ctx.DrawText(rc, text_.view(), style);
  }
}

void* CMenuUI::GetInterface(std::u16string_view name) {
  if (name == u"Menu") return this;
  return CListUI::GetInterface(name);
}

// ---- MenuWnd ----

CMenuWnd::~CMenuWnd() { t_openMenus.erase(this); }

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* /*ownerElement*/, const CDuiString& xml, POINT point,
                               CPaintManagerUI* mainPaintManager, MenuCheckInfo* checkInfo,
                               DWORD alignment) {
  auto* menu = new CMenuWnd;
  menu->xml_ = xml;
  menu->checkInfo_ = checkInfo;
  menu->point_ = point;
  menu->alignment_ = alignment;
  menu->ownerHwnd_ = mainPaintManager ? mainPaintManager->GetPaintWindow() : 0;
  t_openMenus.insert(menu);
  if (!menu->Create(menu->ownerHwnd_, u"", 0, 0, point.x, point.y, 0, 0)) {
    // Create failed before the window existed: nothing will delete it for us.
    t_openMenus.erase(menu);
    if (menu->GetHWND() == 0) delete menu;
    return nullptr;
  }
  menu->ShowWindow(true);
  return menu;
}

std::optional<MenuCmd> CMenuWnd::TakeMenuCmd(WPARAM ticket) {
  std::lock_guard lock(g_ticketMutex);
  auto it = g_tickets.find(ticket);
  if (it == g_tickets.end()) return std::nullopt;
  MenuCmd cmd = std::move(it->second);
  g_tickets.erase(it);
  return cmd;
}

bool CMenuWnd::IsOpen(const CMenuWnd* menu) { return t_openMenus.count(menu) != 0; }

CMenuUI* CMenuWnd::GetMenuUI() const {
  CControlUI* root = m_pm.GetRoot();
  return root ? static_cast<CMenuUI*>(root->GetInterface(u"Menu")) : nullptr;
}

CControlUI* CMenuWnd::CreateControl(const CDuiString& /*className*/) { return nullptr; }

void CMenuWnd::InitWindow() {
  CControlUI* root = m_pm.GetRoot();
  ForEachElement(root, [this](CMenuElementUI* e) {
    if (!checkInfo_ || e->GetName().IsEmpty()) return;
    auto it = checkInfo_->find(e->GetName().str());
    if (it != checkInfo_->end()) {
      e->SetChecked(it->second);
    } else {
      (*checkInfo_)[e->GetName().str()] = e->GetChecked();
    }
  });
  // The size: the layout's, else what the entries need.
  SIZE size = m_pm.GetInitSize();
  if ((size.cx <= 0 || size.cy <= 0) && root) {
    int height = 0;
    int width = root->GetFixedWidth() > 0 ? root->GetFixedWidth() : 180;
    auto* list = static_cast<CContainerUI*>(root->GetInterface(u"Container"));
    if (list) {
      RECT inset = list->GetInset();
      height = inset.top + inset.bottom;
      for (int i = 0; i < list->GetCount(); ++i) {
        CControlUI* item = list->GetItemAt(i);
        if (!item->IsVisible()) continue;
        RECT p = item->GetPadding();
        height += (item->GetFixedHeight() > 0 ? item->GetFixedHeight() : 30) + p.top + p.bottom;
        if (i > 0) height += list->GetChildPadding();
      }
    }
    if (root->GetFixedHeight() > 0) height = root->GetFixedHeight();
    size = {width, std::max(height, 1)};
  }
  int x = point_.x, y = point_.y;
  if (alignment_ & eMenuAlignment_Right) x = point_.x - size.cx;
  if (alignment_ & eMenuAlignment_Bottom) y = point_.y - size.cy;
  SIZE screen = toolkit::Backend::Current().ScreenSize();
  x = std::clamp(x, 0, std::max(0, screen.cx - size.cx));
  y = std::clamp(y, 0, std::max(0, screen.cy - size.cy));
  SetWindowPos(x, y, size.cx, size.cy);
}

void CMenuWnd::Choose(CMenuElementUI* element) {
  if (!IsOpen(this)) return;
  MenuCmd cmd;
  cmd.szName = element->GetName().str();
  cmd.szUserData = element->GetUserData().str();
  cmd.szText = element->GetText().str();
  cmd.bChecked = element->GetChecked();
  WPARAM ticket;
  {
    std::lock_guard lock(g_ticketMutex);
    ticket = g_nextTicket++;
    g_tickets.emplace(ticket, std::move(cmd));
  }
  // Posted before the menu's own close, so the owner handles the choice while
  // the menu window still exists.
  if (!platform::PostMessage(ownerHwnd_, WM_MENUCLICK, ticket, 0)) TakeMenuCmd(ticket);
  Close(0);
}

void CMenuWnd::Notify(TNotifyUI& msg) { WindowImplBase::Notify(msg); }

LRESULT CMenuWnd::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  return WindowImplBase::MessageHandler(uMsg, wParam, lParam, bHandled);
}

void CMenuWnd::OnFinalMessage(HWND hwnd) {
  t_openMenus.erase(this);
  WindowImplBase::OnFinalMessage(hwnd);
  delete this;
}

void CMenuWnd::CloseMenusOwnedBy(HWND owner) {
  std::vector<const CMenuWnd*> open(t_openMenus.begin(), t_openMenus.end());
  for (const CMenuWnd* menu : open)
    if (menu->ownerHwnd_ == owner) const_cast<CMenuWnd*>(menu)->Close(0);
}

}  // namespace ui
