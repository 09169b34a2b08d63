#include "client/presentation/layout_files.h"

namespace presentation {

std::string_view MainLayoutFile(LanguageCode code) {
  return code == kLangChinese ? "main_device_zh.xml" : "main_device.xml";
}

std::string_view DeviceItemLayoutFile(LanguageCode code) {
  return code == kLangChinese ? "DeviceItem.xml" : "DeviceItem_en.xml";
}

std::string_view PopupLayoutFile() { return "popdailog_en.xml"; }

std::string_view FingerprintRowLayoutFile(std::uint8_t darkMode) {
  return darkMode == 1 ? "listitem_black.xml" : "listitem.xml";
}

std::string_view MenuLayoutFile(std::uint8_t darkMode) {
  return darkMode == 1 ? "menu_Black.xml" : "menu.xml";
}

}  // namespace presentation
