// Passwords never travel to the daemon or reach its state file: the caller
// sends the SHA-256 digest of the password bytes, and the daemon keeps only a
// salted digest of that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace drivesim {

// The password in a zero-padded buffer ends at the first 0 byte or at the end
// of the buffer.
std::size_t PasswordLength(const std::uint8_t* buffer, std::size_t size);

// Hex SHA-256 of `size` bytes.
std::string DigestHex(const void* data, std::size_t size);

// Hex SHA-256 of salt bytes followed by the bytes of `digest_hex` as text.
std::string SaltedDigestHex(const std::string& salt_hex, const std::string& digest_hex);

// Fresh random salt, as hex.
std::string NewSaltHex();

// Constant-time comparison of two equally long texts.
bool SameSecret(const std::string& a, const std::string& b);

}  // namespace drivesim
