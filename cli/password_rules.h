// What the tool accepts as a password and as a password hint.
#pragma once

#include <optional>
#include <string>

inline constexpr int kMinPasswordLength = 4;
inline constexpr int kMaxPasswordLength = 16;
inline constexpr int kMaxHintUnits = 16;

// Null when `password` has 4 to 16 characters, each from '!' to '~';
// otherwise the message that says what is wrong.
std::optional<std::string> CheckPassword(const std::string& password);

// Null when the hint fits the drive (16 UTF-16 units) and does not give the
// password away (it is readable without unlocking the drive).
std::optional<std::string> CheckHint(const std::string& hint, const std::string& password);
// Only the length part, for checking before any password is asked for.
std::optional<std::string> CheckHintLength(const std::string& hint);
