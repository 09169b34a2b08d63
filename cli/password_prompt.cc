#include "cli/password_prompt.h"

#include "platform/secure_zero.h"

namespace {

void DropLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

std::optional<std::string> PasswordPrompt::Read(const char* prompt) {
  std::string line;
  if (fromStream_) {
    if (!std::getline(in_, line)) return std::nullopt;
    DropLineEnd(line);
    return line;
  }
  prompts_ << prompt << std::flush;
  std::optional<std::string> typed = ReadLineWithoutEcho();
  prompts_ << "\n" << std::flush;
  return typed;
}

std::optional<std::string> PasswordPrompt::ReadNew(const char* prompt, bool* mismatch) {
  *mismatch = false;
  std::optional<std::string> first = Read(prompt);
  if (!first || fromStream_) return first;
  std::optional<std::string> again = Read("Type it again: ");
  if (!again) {
    platform::SecureZero(*first);
    return std::nullopt;
  }
  bool same = *first == *again;
  platform::SecureZero(*again);
  if (!same) {
    platform::SecureZero(*first);
    *mismatch = true;
    return std::nullopt;
  }
  return first;
}
