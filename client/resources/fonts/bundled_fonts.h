// The ten fonts of the client, built into the program (see README.md for the list).
#pragma once

#include <span>

struct BundledFont {
  const char* fileName;  // "Inter-Regular.otf"
  std::span<const unsigned char> bytes;
};

// The fonts in registration order: Inter, then Inter Display, each Light to Bold.
std::span<const BundledFont> BundledFonts();
