#include "emulator/protocol/password_digest.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <string>

#include "emulator/protocol/hex.h"

namespace drivesim {

std::size_t PasswordLength(const std::uint8_t* buffer, std::size_t size) {
  std::size_t length = 0;
  while (length < size && buffer[length] != 0) ++length;
  return length;
}

std::string DigestHex(const void* data, std::size_t size) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int digest_size = 0;
  EVP_Digest(data, size, digest, &digest_size, EVP_sha256(), nullptr);
  return ToHex(digest, digest_size);
}

std::string SaltedDigestHex(const std::string& salt_hex, const std::string& digest_hex) {
  std::string material = salt_hex + ":" + digest_hex;
  std::string result = DigestHex(material.data(), material.size());
  OPENSSL_cleanse(material.data(), material.size());
  return result;
}

std::string NewSaltHex() {
  unsigned char salt[16] = {};
  RAND_bytes(salt, sizeof salt);
  return ToHex(salt, sizeof salt);
}

bool SameSecret(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace drivesim
