// Wiping memory that held a secret (a password, a key) in a way the compiler
// may not optimise away because the buffer is dead afterwards.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

void SecureZero(void* data, std::size_t size);

// Wipes the characters of a string (its whole capacity) and empties it.
void SecureZero(std::string& text);
void SecureZero(std::u16string& text);

}  // namespace platform
