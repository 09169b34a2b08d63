#include "toolkit/testing/ui_driver.h"

#include <cstdlib>

#include "toolkit/tree_dump.h"

namespace toolkit::testing {

UiDriver::UiDriver() {
  // Flow tests draw headless unless told otherwise, even where a display exists.
  setenv("ORLUSSD_BACKEND", "headless", /*overwrite=*/0);
  loop_ = platform::MessageLoop::ForCurrentThread();
  if (!loop_) {
    clock_ = std::make_unique<platform::ManualClock>();
    ownLoop_ = std::make_unique<platform::MessageLoop>(*clock_);
    loop_ = ownLoop_.get();
  }
  ui::CWindowWnd::SetModalHook([this](ui::CWindowWnd& window) {
    modalLog_.push_back(window.GetWindowClassName().ToUtf8());
    ui::CWindowWnd* saved = fixed_;
    fixed_ = nullptr;  // the modal window is on top now
    if (modalActions_.empty()) {
      ++unexpectedModals_;
      window.Close(0);
    } else {
      auto action = std::move(modalActions_.front());
      modalActions_.pop_front();
      action(*this);
    }
    fixed_ = saved;
  });
}

UiDriver::~UiDriver() { ui::CWindowWnd::SetModalHook(nullptr); }

void UiDriver::OnNextModal(std::function<void(UiDriver&)> action) {
  modalActions_.push_back(std::move(action));
}

ui::CWindowWnd* UiDriver::TopWindow() const {
  return fixed_ ? fixed_ : ui::CWindowWnd::TopWindow();
}

ui::CPaintManagerUI* UiDriver::Manager() const {
  ui::CWindowWnd* top = TopWindow();
  return top ? top->GetPaintManager() : nullptr;
}

ui::CControlUI* UiDriver::Find(const ui::CDuiString& name) const {
  ui::CPaintManagerUI* pm = Manager();
  return pm ? pm->FindControl(name) : nullptr;
}

bool UiDriver::Click(const ui::CDuiString& name) { return ClickControl(Find(name)); }

bool UiDriver::ClickControl(ui::CControlUI* control) {
  ui::CPaintManagerUI* pm = Manager();
  if (!control || !pm || control->GetManager() != pm) return false;
  pm->Render();  // the layout must be current before a position means anything
  if (!control->IsVisibleOnScreen() || control->GetPos().IsEmpty()) return false;
  ClickAt(control->GetPos().Center());
  return true;
}

void UiDriver::ClickAt(ui::POINT client) {
  ui::CWindowWnd* top = TopWindow();
  if (!top) return;
  ui::LPARAM at = ui::MakePointLParam(client);
  top->HandleMessage(ui::WM_MOUSEMOVE, 0, at);
  // The window may be gone after any step (a click may close it synchronously).
  if (TopWindow() != top) return;
  top->HandleMessage(ui::WM_LBUTTONDOWN, 0, at);
  if (TopWindow() != top) return;
  top->HandleMessage(ui::WM_LBUTTONUP, 0, at);
}

void UiDriver::MouseMove(ui::POINT client) {
  if (ui::CWindowWnd* top = TopWindow())
    top->HandleMessage(ui::WM_MOUSEMOVE, 0, ui::MakePointLParam(client));
}

void UiDriver::Type(const ui::CDuiString& text) {
  ui::CWindowWnd* top = TopWindow();
  if (!top) return;
  for (char16_t ch : text.str()) top->HandleMessage(platform::WM_CHAR, ch, 0);
  std::u16string typed = text.str();
  top->HandleMessage(ui::WM_TEXTINPUT, 0, reinterpret_cast<ui::LPARAM>(&typed));
}

void UiDriver::Key(ui::WPARAM vk, unsigned modifiers) {
  ui::CWindowWnd* top = TopWindow();
  if (!top) return;
  top->HandleMessage(platform::WM_KEYDOWN, vk, static_cast<ui::LPARAM>(modifiers));
  if (TopWindow() != top) return;
  if (vk == platform::VK_RETURN || vk == platform::VK_TAB || vk == platform::VK_BACK)
    top->HandleMessage(platform::WM_CHAR, vk == platform::VK_RETURN ? 13 : vk, 0);
}

ui::CDuiString UiDriver::Text(const ui::CDuiString& name) const {
  ui::CControlUI* c = Find(name);
  return c ? c->GetText() : ui::CDuiString();
}

bool UiDriver::IsVisible(const ui::CDuiString& name) const {
  ui::CControlUI* c = Find(name);
  return c && c->IsVisibleOnScreen();
}

bool UiDriver::IsEnabled(const ui::CDuiString& name) const {
  ui::CControlUI* c = Find(name);
  return c && c->IsEnabled();
}

ui::CControlUI* UiDriver::Focus() const {
  ui::CPaintManagerUI* pm = Manager();
  return pm ? pm->GetFocus() : nullptr;
}

std::string UiDriver::DumpJson() const {
  ui::CWindowWnd* top = TopWindow();
  if (!top || !top->GetPaintManager()) return "{}";
  return DumpTreeJson(*top->GetPaintManager(), top->GetWindowClassName().ToUtf8());
}

bool UiDriver::SavePng(const std::string& path) const {
  ui::CWindowWnd* top = TopWindow();
  return top && WritePng(*top, path);
}

int UiDriver::RunPending() { return loop_->RunPending(); }

void UiDriver::Advance(std::chrono::milliseconds ms) {
  if (clock_) clock_->Advance(ms);
  loop_->RunPending();
}

}  // namespace toolkit::testing

// Fontconfig keeps its caches for the life of the process; LeakSanitizer would
// report them at exit in every test that draws text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// The text and image libraries are not built for ThreadSanitizer: their
// lock-free caches (atomics it cannot see) look like races. The toolkit's own
// sharing between threads goes through TextEngineMutex and the resource store.
extern "C" const char* __tsan_default_suppressions() {
  return "race:libfontconfig.so\n"
         "race:libglib-2.0.so\n"
         "race:libgobject-2.0.so\n"
         "race:libcairo.so\n"
         "race:libpango-1.0.so\n"
         "race:libpangocairo-1.0.so\n"
         "race:libpangoft2-1.0.so\n"
         "race:libharfbuzz.so\n"
         "race:libfreetype.so\n";
}
