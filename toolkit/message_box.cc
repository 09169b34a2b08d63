#include "toolkit/message_box.h"

#include "toolkit/window.h"

namespace ui {

namespace {

// Built in rather than read from the skin archive: the box must work before a
// skin is loaded. A generic family, so the text shows whichever fonts exist.
constexpr char16_t kLayout[] =
    uR"(<Window size="360,170">
  <Font id="0" name="sans-serif" size="14" default="true"/>
  <VerticalLayout bkcolor="#FFFFFFFF" bordercolor="#FFC8C8C8" bordersize="1"
                  inset="20,20,20,16" childpadding="12">
    <Text name="msgbox_text" textcolor="#FF202020" align="left" valign="top" wordbreak="true"/>
    <HorizontalLayout height="32">
      <Control/>
      <Button name="msgbox_ok" text="OK" width="88" textcolor="#FF202020" bkcolor="#FFF0F0F0"
              bordercolor="#FFA0A0A0" bordersize="1"/>
    </HorizontalLayout>
  </VerticalLayout>
</Window>)";

class MessageBoxWindow : public WindowImplBase {
 public:
  explicit MessageBoxWindow(const CDuiString& text) : text_(text) {}

  CDuiString GetWindowClassName() const override { return u"MessageBox"; }
  CDuiString GetSkinFile() override { return kLayout; }

  void InitWindow() override {
    if (CControlUI* text = m_pm.FindControl(u"msgbox_text")) text->SetText(text_);
    if (CControlUI* ok = m_pm.FindControl(u"msgbox_ok")) ok->SetFocus();
  }

  void OnClick(TNotifyUI& msg) override {
    if (msg.pSender->GetName() == u"msgbox_ok") Close(IDOK);
  }

  // A box with only OK has no other answer: Enter and Escape give OK too.
  LRESULT ResponseDefaultKeyEvent(WPARAM key) override {
    if (key != platform::VK_RETURN && key != platform::VK_ESCAPE) return 0;
    Close(IDOK);
    return 1;
  }

 protected:
  void OnCloseRequested() override { Close(IDOK); }

 private:
  CDuiString text_;
};

}  // namespace

int MessageBoxW(platform::HWND owner, const CDuiString& text, const CDuiString& caption,
                unsigned /*type*/) {
  MessageBoxWindow box(text);
  if (box.Create(owner, caption, 0, 0) == 0) return 0;
  box.CenterWindow();
  return static_cast<int>(box.ShowModal());
}

}  // namespace ui
