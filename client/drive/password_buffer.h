// The 32-byte zero-padded password buffer the library takes, wiped when it
// goes out of scope.
#pragma once

#include <cstring>

#include "platform/secure_zero.h"

class PasswordBuffer {
 public:
  static constexpr int kSize = 32;

  // Copies at most 31 characters; the rest stays zero.
  explicit PasswordBuffer(const char* password) {
    if (password) std::strncpy(reinterpret_cast<char*>(bytes_), password, kSize - 1);
  }
  ~PasswordBuffer() { platform::SecureZero(bytes_, sizeof bytes_); }
  PasswordBuffer(const PasswordBuffer&) = delete;
  PasswordBuffer& operator=(const PasswordBuffer&) = delete;

  unsigned char* data() { return bytes_; }

 private:
  unsigned char bytes_[kSize] = {};
};
