// One attached drive of the product, as the listing found it.
#pragma once

#include <string>

// Security state numbers of a drive.
inline constexpr int kSecurityQueryFailed = -2;
inline constexpr int kSecurityUnknown = -1;
inline constexpr int kSecurityNoPassword = 1;
inline constexpr int kSecurityUnlocked = 2;
inline constexpr int kSecurityLocked = 3;

// The only product name the listing accepts, and the model string used as the
// volume label.
inline constexpr char kProductName[] = "ORLU SSD";
inline constexpr char kModelName[] = "ORLU QX500";

struct DriveRecord {
  int index = 0;            // slot in BridgeApi's symbol table
  std::string listingLine;  // "symbol\t << letters >>\n", at most 89 characters
  std::string letters;      // drive letters; the first is the volume's
  bool separator = false;   // the symbol's next-to-last character is a backslash
  char symbol[64] = {};     // copy of the symbol, zero-padded
};
