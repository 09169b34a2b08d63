#include "toolkit/window.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "toolkit/menu.h"
#include "toolkit/tree_dump.h"

namespace ui {

namespace {

// The windows of this thread, in the order they were last shown.
thread_local std::vector<CWindowWnd*> t_windows;
thread_local std::function<void(CWindowWnd&)> t_modalHook;

void Unregister(CWindowWnd* window) { std::erase(t_windows, window); }

}  // namespace

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
  Unregister(this);
  if (!destroyed_ && loop_ && hwnd_) loop_->RemoveWindow(hwnd_);
  *alive_ = false;
}

HWND CWindowWnd::Create(HWND parent, const CDuiString& name, DWORD /*style*/, DWORD /*exStyle*/,
                        int x, int y, int cx, int cy, void* /*menu*/) {
  loop_ = platform::MessageLoop::ForCurrentThread();
  if (!loop_) {
    std::fprintf(stderr, "toolkit: a window needs a message loop on its thread\n");
    return 0;
  }
  owner_ = parent;
  title_ = name;
  hwnd_ = loop_->AddWindow(this);
  toolkit::Backend& backend = toolkit::Backend::Current();
  backend.AttachLoop(*loop_);
  native_ = backend.CreateWindow(*this, parent != 0);
  native_->SetTitle(name.ToUtf8());
  if (x == CW_USEDEFAULT) x = 0;
  if (y == CW_USEDEFAULT) y = 0;
  if (cx == CW_USEDEFAULT) cx = 0;
  if (cy == CW_USEDEFAULT) cy = 0;
  t_windows.push_back(this);
  HWND hwnd = hwnd_;
  std::shared_ptr<bool> alive = alive_;
  SetWindowPos(x, y, cx, cy);
  HandleMessage(WM_CREATE, 0, 0);
  if (!*alive || destroyed_) return 0;
  return hwnd;
}

HWND CWindowWnd::Create(HWND parent, const CDuiString& name, DWORD style, DWORD exStyle,
                        const RECT& rc) {
  return Create(parent, name, style, exStyle, rc.left, rc.top, rc.Width(), rc.Height());
}

void CWindowWnd::ShowWindow(bool show, bool /*takeFocus*/) {
  if (destroyed_) return;
  shown_ = show;
  if (show) {
    Unregister(this);
    t_windows.push_back(this);
    minimized_ = false;
  }
  if (native_) native_->Show(show);
  toolkit::WriteTreeDumpIfRequested();
}

UINT CWindowWnd::ShowModal() {
  if (destroyed_ || !loop_) return 0;
  modal_ = true;
  CWindowWnd* owner = FromHandle(owner_);
  if (owner && owner->GetPaintManager()) owner->GetPaintManager()->SetInputEnabled(false);
  ShowWindow(true);
  platform::MessageLoop* loop = loop_;
  std::shared_ptr<bool> alive = alive_;
  HWND ownerHwnd = owner_;
  if (t_modalHook) {
    auto hook = t_modalHook;  // the hook may replace itself
    hook(*this);
  }
  int result = loop->RunModal(0);
  if (*alive) {
    // The loop ended for another reason (a quit): the window stays, the owner works again.
    modal_ = false;
    if (CWindowWnd* o = FromHandle(ownerHwnd); o && o->GetPaintManager())
      o->GetPaintManager()->SetInputEnabled(true);
  }
  return static_cast<UINT>(result);
}

void CWindowWnd::Close(UINT ret) {
  if (destroyed_ || !hwnd_) return;
  platform::PostMessage(hwnd_, platform::WM_CLOSE, ret, 0);
}

void CWindowWnd::DestroyWindow(UINT ret) {
  if (destroyed_) return;
  destroyed_ = true;
  HWND hwnd = hwnd_;
  HandleMessage(WM_DESTROY, 0, 0);
  native_.reset();
  Unregister(this);
  if (modal_) {
    if (CWindowWnd* owner = FromHandle(owner_); owner && owner->GetPaintManager())
      owner->GetPaintManager()->SetInputEnabled(true);
  }
  if (loop_) loop_->RemoveWindow(hwnd);
  if (modal_ && loop_) {
    modal_ = false;
    loop_->EndModal(static_cast<int>(ret));
  }
  shown_ = false;
  *alive_ = false;
  toolkit::WriteTreeDumpIfRequested();
  OnFinalMessage(hwnd);  // may delete this
}

void CWindowWnd::SetModalHook(std::function<void(CWindowWnd&)> hook) {
  t_modalHook = std::move(hook);
}

void CWindowWnd::CenterWindow() {
  SIZE size{bounds_.Width(), bounds_.Height()};
  RECT area{0, 0, 0, 0};
  if (CWindowWnd* owner = FromHandle(owner_)) {
    area = owner->GetWindowRect();
  } else {
    SIZE screen = toolkit::Backend::Current().ScreenSize();
    area = {0, 0, screen.cx, screen.cy};
  }
  int x = area.left + (area.Width() - size.cx) / 2;
  int y = area.top + (area.Height() - size.cy) / 2;
  SetWindowPos(x, y, size.cx, size.cy);
}

void CWindowWnd::SetIcon(UINT /*resourceId*/) {}

void CWindowWnd::Minimize() {
  minimized_ = true;
  if (native_) native_->Minimize();
}

void CWindowWnd::ResizeClient(int cx, int cy) {
  if (cx < 0) cx = bounds_.Width();
  if (cy < 0) cy = bounds_.Height();
  SetWindowPos(bounds_.left, bounds_.top, cx, cy);
}

void CWindowWnd::SetWindowPos(int x, int y, int cx, int cy) {
  bounds_ = {x, y, x + cx, y + cy};
  if (CPaintManagerUI* pm = GetPaintManager()) {
    pm->SetClientSize({cx, cy});
    pm->SetScreenOrigin({x, y});
  }
  if (native_) native_->SetBounds(bounds_);
}

bool CWindowWnd::SetTimer(UINT_PTR id, UINT ms) {
  return loop_ && hwnd_ && !destroyed_ && loop_->SetTimer(hwnd_, id, ms);
}

bool CWindowWnd::KillTimer(UINT_PTR id) { return loop_ && hwnd_ && loop_->KillTimer(hwnd_, id); }

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return platform::SendMessage(hwnd_, msg, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return platform::PostMessage(hwnd_, msg, wParam, lParam);
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  switch (msg) {
    case platform::WM_CLOSE:
      DestroyWindow(static_cast<UINT>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      if (wParam == SC_MINIMIZE) Minimize();
      if (wParam == SC_CLOSE) Close(0);
      return 0;
    default:
      return 0;
  }
}

void CWindowWnd::OnFinalMessage(HWND /*hwnd*/) {}

CWindowWnd* CWindowWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (CWindowWnd* w : t_windows)
    if (w->hwnd_ == hwnd) return w;
  return nullptr;
}

CWindowWnd* CWindowWnd::TopWindow() {
  for (auto it = t_windows.rbegin(); it != t_windows.rend(); ++it)
    if ((*it)->shown_ && !(*it)->destroyed_) return *it;
  return nullptr;
}

LRESULT CWindowWnd::DeliverInput(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (destroyed_) return 0;
  return HandleMessage(msg, wParam, lParam);
}

cairo_surface_t* CWindowWnd::RenderForPresent() {
  CPaintManagerUI* pm = GetPaintManager();
  return pm ? pm->Render() : nullptr;
}

bool CWindowWnd::IsCaptionDragPoint(POINT client) {
  CPaintManagerUI* pm = GetPaintManager();
  return pm && pm->IsInputEnabled() && pm->IsCaptionDragPoint(client);
}

void CWindowWnd::OnCloseRequested() { Close(0); }

void CWindowWnd::OnMoved(POINT screenTopLeft) {
  bounds_ = bounds_.Offset(screenTopLeft.x - bounds_.left, screenTopLeft.y - bounds_.top);
  if (CPaintManagerUI* pm = GetPaintManager()) pm->SetScreenOrigin(screenTopLeft);
}

// ---- WindowImplBase ----

WindowImplBase::~WindowImplBase() = default;

void WindowImplBase::Notify(TNotifyUI& msg) {
  if (msg.sType == kNotifyClick && msg.pSender) OnClick(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
  const CDuiString& name = msg.pSender->GetName();
  if (name == u"closebtn") {
    Close(0);
  } else if (name == u"minbtn") {
    Minimize();
  }
}

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/,
                                       bool& bHandled) {
  bHandled = uMsg == platform::WM_KEYDOWN && ResponseDefaultKeyEvent(wParam) != 0;
  return 0;
}

LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM wParam) {
  // Escape closes a window without a choice (a pop-up then returns 0).
  if (wParam == platform::VK_ESCAPE && GetOwner() != 0) {
    Close(0);
    return 1;
  }
  return 0;
}

CControlUI* WindowImplBase::CreateControl(const CDuiString& /*className*/) { return nullptr; }

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = true;
  m_pm.Init(GetHWND(), this);
  m_pm.SetInvalidateCallback([this] {
    if (native()) native()->RequestRedraw();
  });
  CDialogBuilder builder;
  CDuiString file =
      GetSkinFolder().IsEmpty() ? GetSkinFile() : GetSkinFolder() + u"/" + GetSkinFile();
  m_pm.SetLayoutName(file.ToUtf8());
  CControlUI* root = builder.Create(file, &m_pm, this);
  if (!root) {
    std::fprintf(stderr, "toolkit: cannot build window layout: %s\n",
                 builder.GetLastError().c_str());
  } else {
    m_pm.AttachDialog(root);
  }
  SIZE init = m_pm.GetInitSize();
  if (init.cx > 0 && init.cy > 0) ResizeClient(init.cx, init.cy);
  m_pm.AddNotifier(this);
  m_pm.AddMessageFilter(this);
  InitWindow();
  return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = true;
  m_pm.RemoveNotifier(this);
  m_pm.RemoveMessageFilter(this);
  m_pm.SetInvalidateCallback(nullptr);
  return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                            bool& bHandled) {
  return OnCustomMessage(msg, wParam, lParam, bHandled);
}

LRESULT WindowImplBase::OnCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
  bHandled = false;
  return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A click on a window closes the menus it opened.
  if (msg == WM_LBUTTONDOWN) CMenuWnd::CloseMenusOwnedBy(GetHWND());
  bool handled = true;
  LRESULT result = 0;
  switch (msg) {
    case WM_CREATE:
      result = OnCreate(msg, wParam, lParam, handled);
      break;
    case platform::WM_CLOSE:
      result = OnClose(msg, wParam, lParam, handled);
      break;
    case WM_DESTROY:
      result = OnDestroy(msg, wParam, lParam, handled);
      break;
    case platform::WM_KEYDOWN:
      result = OnKeyDown(msg, wParam, lParam, handled);
      break;
    case platform::WM_CHAR:
      result = OnChar(msg, wParam, lParam, handled);
      break;
    case WM_SYSCOMMAND:
      result = OnSysCommand(msg, wParam, lParam, handled);
      break;
    default:
      handled = false;
  }
  if (handled) return result;
  result = HandleCustomMessage(msg, wParam, lParam, handled);
  if (handled) return result;
  if (m_pm.MessageHandler(msg, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(HWND hwnd) { CWindowWnd::OnFinalMessage(hwnd); }

}  // namespace ui
