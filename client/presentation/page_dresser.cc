#include "client/presentation/page_dresser.h"

#include "client/presentation/language_text.h"
#include "toolkit/ui.h"

namespace presentation {
namespace {

ui::CDuiString Name(std::string_view name) { return ui::CDuiString(std::string(name)); }

ui::CDuiString ImageOf(const LookValue& value) { return Name(std::get<std::string_view>(value)); }

}  // namespace

void PageDresser::ShowPage(int page, const PageContext& context, std::string_view languageFile) {
  const std::string file(languageFile);
  Apply(BuildPagePlan(page, context,
                      [&](std::string_view key) { return GetLanguageText(key, file); }));
}

void PageDresser::DressPage(int page, const PageContext& context, std::string_view languageFile) {
  const std::string file(languageFile);
  Apply(BuildPageDressing(page, context,
                          [&](std::string_view key) { return GetLanguageText(key, file); }));
}

bool PageDresser::DressChrome(std::uint8_t darkMode) {
  for (std::string_view name : ChromeControls()) {
    if (manager_.FindControl(Name(name)) == nullptr) return false;
  }
  Apply(BuildChromePlan(darkMode));
  return true;
}

int PageDresser::CurrentPage() const {
  auto* tab = manager_.FindControl<ui::CTabLayoutUI>(Name(kTabControl));
  return tab == nullptr ? -1 : tab->GetCurSel();
}

void PageDresser::Apply(const DressPlan& plan) {
  for (const DressStep& step : plan) {
    ui::CControlUI* control = manager_.FindControl(Name(step.control));
    if (control == nullptr) continue;
    switch (step.kind) {
      case StepKind::kSetText:
        control->SetText(step.text);
        break;
      case StepKind::kSetHint:
        if (auto* edit = dynamic_cast<ui::CEditUI*>(control)) edit->SetPromptText(step.text);
        break;
      case StepKind::kSetLook:
        Remember(step.control, *control, step.property);
        SetLook(*control, step.property, step.value);
        break;
      case StepKind::kRestoreLook:
        Restore(step.control, *control, step.property);
        break;
      case StepKind::kAction:
        switch (step.action) {
          case Action::kEnable:
            control->SetEnabled(true);
            break;
          case Action::kDisable:
            control->SetEnabled(false);
            break;
          case Action::kShow:
            control->SetVisible(true);
            break;
          case Action::kHide:
            control->SetVisible(false);
            break;
          case Action::kEmpty:
            control->SetText(u"");
            break;
          case Action::kUnselect:
            // Notifies the change, so the edit a show-password option
            // unmasked is masked again.
            if (auto* option = dynamic_cast<ui::COptionUI*>(control)) option->Selected(false);
            break;
        }
        break;
      case StepKind::kSelectPage:
        if (auto* tab = dynamic_cast<ui::CTabLayoutUI*>(control)) tab->SelectItem(step.page);
        break;
    }
  }
}

void PageDresser::SetLook(ui::CControlUI& control, Property property, const LookValue& value) {
  auto* label = dynamic_cast<ui::CLabelUI*>(&control);
  auto* button = dynamic_cast<ui::CButtonUI*>(&control);
  if (IsColorProperty(property)) {
    const ui::DWORD color = std::get<std::uint32_t>(value);
    switch (property) {
      case Property::kTextColor:
        if (label != nullptr) label->SetTextColor(color);
        break;
      case Property::kDisabledTextColor:
        if (label != nullptr) label->SetDisabledTextColor(color);
        break;
      case Property::kBkColor:
        control.SetBkColor(color);
        break;
      case Property::kNativeBkColor:
        if (auto* edit = dynamic_cast<ui::CEditUI*>(&control)) edit->SetNativeEditBkColor(color);
        break;
      case Property::kItemSelectedBkColor:
        if (auto* list = dynamic_cast<ui::CListUI*>(&control)) list->SetItemSelectedBkColor(color);
        break;
      case Property::kItemHotBkColor:
        if (auto* list = dynamic_cast<ui::CListUI*>(&control)) list->SetItemHotBkColor(color);
        break;
      default:
        break;
    }
    return;
  }

  const ui::CDuiString image = ImageOf(value);
  switch (property) {
    case Property::kBkImage:
    case Property::kAnimation:  // an animation plays the file of its background image
      control.SetBkImage(image);
      break;
    case Property::kNormalImage:
      // A picture the layout made a plain control shows the image as its background.
      if (button != nullptr) {
        button->SetNormalImage(image);
      } else {
        control.SetBkImage(image);
      }
      break;
    case Property::kPushedImage:
      if (button != nullptr) button->SetPushedImage(image);
      break;
    case Property::kDisabledImage:
      if (button != nullptr) button->SetDisabledImage(image);
      break;
    case Property::kSelectedImage:
      if (auto* option = dynamic_cast<ui::COptionUI*>(&control)) option->SetSelectedImage(image);
      break;
    case Property::kForeImage:
      if (button != nullptr) {
        button->SetForeImage(image);
      } else if (auto* progress = dynamic_cast<ui::CProgressUI*>(&control)) {
        progress->SetForeImage(image);
      }
      break;
    default:
      break;
  }
}

void PageDresser::Remember(std::string_view name, ui::CControlUI& control, Property property) {
  Slot slot{std::string(name), property};
  if (originals_.count(slot) != 0) return;
  Original original;
  if (property == Property::kTextColor) {
    auto* label = dynamic_cast<ui::CLabelUI*>(&control);
    if (label == nullptr) return;
    original.isColor = true;
    original.color = label->GetTextColor();
  } else if (property == Property::kPushedImage) {
    auto* button = dynamic_cast<ui::CButtonUI*>(&control);
    if (button == nullptr) return;
    original.image = button->GetPushedImage();
  } else {
    return;  // only properties some mode leaves unset need their layout value
  }
  originals_.emplace(std::move(slot), std::move(original));
}

void PageDresser::Restore(std::string_view name, ui::CControlUI& control, Property property) {
  auto it = originals_.find(Slot{std::string(name), property});
  if (it == originals_.end()) return;  // never changed: the layout's value is in place
  const Original& original = it->second;
  if (original.isColor) {
    SetLook(control, property, LookValue(static_cast<std::uint32_t>(original.color)));
  } else if (auto* button = dynamic_cast<ui::CButtonUI*>(&control)) {
    button->SetPushedImage(original.image);
  }
}

}  // namespace presentation
