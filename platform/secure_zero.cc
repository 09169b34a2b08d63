#include "platform/secure_zero.h"

#include <string.h>

namespace platform {

void SecureZero(void* data, std::size_t size) {
  if (data && size) ::explicit_bzero(data, size);
}

void SecureZero(std::string& text) {
  text.resize(text.capacity());
  SecureZero(text.data(), text.size());
  text.clear();
}

void SecureZero(std::u16string& text) {
  text.resize(text.capacity());
  SecureZero(text.data(), text.size() * sizeof(char16_t));
  text.clear();
}

}  // namespace platform
