#include "cli/password_prompt.h"

#include "platform/secure_zero.h"

bool PasswordPrompt::Read(const char* prompt, std::string& out) {
  platform::SecureZero(out);
  // Room for any sensible line up front: a string that grows while the line
  // is read leaves unwiped copies of its first characters behind.
  out.reserve(kLineReserve);
  bool got;
  if (fromStream_) {
    got = static_cast<bool>(std::getline(in_, out));
  } else {
    prompts_ << prompt << std::flush;
    got = ReadLineWithoutEcho(out);
    prompts_ << "\n" << std::flush;
  }
  if (!got) return false;
  if (!out.empty() && out.back() == '\r') out.pop_back();
  return true;
}

bool PasswordPrompt::ReadNew(const char* prompt, std::string& out, bool* mismatch) {
  *mismatch = false;
  if (!Read(prompt, out)) return false;
  if (fromStream_) return true;
  std::string again;
  bool got = Read("Type it again: ", again);
  bool same = got && again == out;
  platform::SecureZero(again);
  if (!same) {
    platform::SecureZero(out);
    *mismatch = got;
    return false;
  }
  return true;
}
