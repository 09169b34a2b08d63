// The drive's fingerprint sensor: answers command frames (l c b, command,
// parameter, 0, checksum, 0) with reply frames (l b c, command echo, return
// value, 16-bit value, [32 data bytes,] checksum) and reports its status.
//
// Return values of the sensor: 0 success, 178 no finger on the sensor,
// 144 no such enrolled user, and for frames it cannot serve kBadFrame,
// kBadParameter, kUnknownCommand and kSensorFull.
//
// Status block of AP_GetFingerprintStatus_VendorEx (8 bytes):
//   byte 0  1 (a sensor is fitted)
//   byte 3  1 while a finger lies on the sensor, else 0
//   byte 4  1 when the finger on the sensor matches an enrolled user, else 0
//           (the verification polls read "1" as a match and "0" with byte 3
//           set as a finger that was not recognised)
//   byte 5  the matched user ID while byte 4 is 1, else 0
//   byte 6  1 when fingerprint unlock is on, 0 when off
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "emulator/daemon/drive.h"

namespace drivesim {

inline constexpr std::uint8_t kSensorNoFinger = 178;
inline constexpr std::uint8_t kSensorUnknownUser = 144;
inline constexpr std::uint8_t kSensorBadFrame = 0x01;
inline constexpr std::uint8_t kSensorBadParameter = 0x02;
inline constexpr std::uint8_t kSensorUnknownCommand = 0x03;
inline constexpr std::uint8_t kSensorFull = 0x04;
inline constexpr int kSensorMaxUserId = 100;

inline constexpr std::size_t kCommandFrameSize = 8;
inline constexpr std::size_t kShortReplySize = 8;
inline constexpr std::size_t kLongReplySize = 40;

// (sum of bytes [from, to) - 0x3B) mod 256: the checksum of both directions.
std::uint8_t FrameChecksum(const std::uint8_t* frame, std::size_t from, std::size_t to);

// Carries out one command frame on the drive's sensor and returns the reply.
std::vector<std::uint8_t> AnswerFingerprintFrame(Drive& drive,
                                                 const std::uint8_t (&frame)[kCommandFrameSize]);

std::array<std::uint8_t, 8> FingerprintStatus(const Drive& drive);

}  // namespace drivesim
