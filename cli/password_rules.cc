#include "cli/password_rules.h"

#include "platform/text.h"

std::optional<std::string> CheckPassword(const std::string& password) {
  if (password.size() < kMinPasswordLength || password.size() > kMaxPasswordLength) {
    return "A password has 4 to 16 characters.";
  }
  for (char c : password) {
    if (c < 0x21 || c > 0x7E) {
      return "A password may only hold printable ASCII characters without spaces "
             "(letters, digits and symbols such as ! # $ %).";
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckHintLength(const std::string& hint) {
  if (platform::Utf8ToUtf16(hint).size() > kMaxHintUnits) {
    return "A password hint has at most 16 characters.";
  }
  return std::nullopt;
}

std::optional<std::string> CheckHint(const std::string& hint, const std::string& password) {
  if (auto error = CheckHintLength(hint)) return error;
  if (!password.empty() && hint.find(password) != std::string::npos) {
    return "The hint must not contain the password: anyone can read the hint without "
           "unlocking the drive.";
  }
  return std::nullopt;
}
