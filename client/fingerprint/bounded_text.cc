#include "client/fingerprint/bounded_text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at src[i..end); advances i. Invalid sequences yield
// U+FFFD and consume one byte.
char32_t DecodeUtf8(const unsigned char* src, std::size_t end, std::size_t& i) {
  unsigned char lead = src[i];
  int extra;
  char32_t cp;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + static_cast<std::size_t>(extra) >= end) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = src[i + k];
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

std::size_t Utf8ToUtf16Bounded(const char* src, std::size_t srcBytes, char16_t* dst,
                               std::size_t dstUnits) {
  if (dstUnits == 0) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(src);
  std::size_t end = 0;
  while (src && end < srcBytes && bytes[end] != 0) ++end;
  std::size_t written = 0;
  std::size_t i = 0;
  while (i < end) {
    char32_t cp = DecodeUtf8(bytes, end, i);
    std::size_t need = cp >= 0x10000 ? 2 : 1;
    if (written + need > dstUnits - 1) break;
    if (need == 2) {
      cp -= 0x10000;
      dst[written++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      dst[written++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      dst[written++] = static_cast<char16_t>(cp);
    }
  }
  dst[written] = 0;
  return written;
}

std::size_t Utf16ToUtf8Bounded(const char16_t* src, std::size_t srcUnits, char* dst,
                               std::size_t dstBytes) {
  if (dstBytes == 0) return 0;
  std::size_t written = 0;
  for (std::size_t i = 0; src && i < srcUnits && src[i] != 0;) {
    char32_t cp = src[i];
    std::size_t used = 1;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (i + 1 < srcUnits && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (src[i + 1] - 0xDC00);
        used = 2;
      } else {
        cp = kReplacement;
      }
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    char encoded[4];
    std::size_t length;
    if (cp < 0x80) {
      encoded[0] = static_cast<char>(cp);
      length = 1;
    } else if (cp < 0x800) {
      encoded[0] = static_cast<char>(0xC0 | (cp >> 6));
      encoded[1] = static_cast<char>(0x80 | (cp & 0x3F));
      length = 2;
    } else if (cp < 0x10000) {
      encoded[0] = static_cast<char>(0xE0 | (cp >> 12));
      encoded[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      encoded[2] = static_cast<char>(0x80 | (cp & 0x3F));
      length = 3;
    } else {
      encoded[0] = static_cast<char>(0xF0 | (cp >> 18));
      encoded[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      encoded[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      encoded[3] = static_cast<char>(0x80 | (cp & 0x3F));
      length = 4;
    }
    if (written + length > dstBytes - 1) break;
    for (std::size_t k = 0; k < length; ++k) dst[written++] = encoded[k];
    i += used;
  }
  dst[written] = 0;
  return written;
}

void LoadUtf16Le(const std::uint8_t* bytes, std::size_t units, char16_t* out) {
  for (std::size_t i = 0; i < units; ++i) {
    out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
}

void StoreUtf16Le(const char16_t* units, std::size_t count, std::uint8_t* bytes) {
  for (std::size_t i = 0; i < count; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
  }
}

std::size_t Utf16CutPoint(const char16_t* text, std::size_t length, std::size_t maxUnits) {
  if (length <= maxUnits) return length;
  std::size_t cut = maxUnits;
  if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  return cut;
}
