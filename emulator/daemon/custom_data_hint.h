// Reads the password hint out of a drive's 512-byte custom-data block, the
// way the client writes it: UTF-16LE at offset 448 (at most 16 units), valid
// only while the block's checksum (byte 511 = sum of bytes 0..479) holds and
// the hint flag (byte 496) is 1.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "emulator/daemon/drive.h"

namespace drivesim {

// The hint as UTF-8; empty when the block carries none.
std::string DecodeHint(const std::array<std::uint8_t, kCustomDataSize>& block);

}  // namespace drivesim
