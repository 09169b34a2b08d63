// The command channel to the drive's fingerprint sensor: 8-byte command
// frames ("lcb"), 8- or 40-byte replies ("lbc"), their checksums, and the few
// sensor operations built on them. Synchronous; holds no lock.
#pragma once

#include <cstdint>

// Results: 0 success, 1..255 the sensor's own return value, or one of these.
inline constexpr int FP_ERR_NO_TARGET = -189270040;
inline constexpr int FP_ERR_TRANSPORT = -189270030;
inline constexpr int FP_ERR_BAD_REPLY = -189270010;
inline constexpr int FP_ERR_BAD_CHECKSUM = -189270011;
inline constexpr int FP_ENROLL_MORE = -189270060;
inline constexpr int FP_ERR_TOO_SIMILAR = -189270090;

// Sensor return values with a fixed meaning.
inline constexpr int FP_SENSOR_NO_FINGER = 178;
inline constexpr int FP_SENSOR_ERASE_UNKNOWN = 144;

// Command codes.
inline constexpr std::uint8_t FP_CMD_FINGER_DETECT = 0x10;
inline constexpr std::uint8_t FP_CMD_GET_AVAILABLE_ID = 0x74;
inline constexpr std::uint8_t FP_CMD_CAPTURE = 0x51;
inline constexpr std::uint8_t FP_CMD_ENROL = 0x7F;
inline constexpr std::uint8_t FP_CMD_ERASE_USER = 0x73;

inline constexpr int FP_SHORT_REPLY = 8;
inline constexpr int FP_LONG_REPLY = 40;
inline constexpr int FP_DATA_SIZE = 32;
inline constexpr int FP_CAPTURES_PER_ENROLMENT = 5;
inline constexpr unsigned FP_SIMILARITY_LIMIT = 512;

// The 8-byte command frame for `command` with `parameter`.
void BuildCommandFrame(std::uint8_t command, std::uint8_t parameter, std::uint8_t frame[8]);
// Checksum of a frame: the sum of bytes 3 up to (not including) `checksumAt`,
// minus 0x3B, modulo 256.
std::uint8_t FrameChecksum(const std::uint8_t* frame, int checksumAt);

// Sends one frame and receives a reply of `replyLength` (8 or 40) bytes into
// `reply`. True only when both library calls succeeded; false without a call
// for a missing symbol or any other reply length.
bool FingerPrintExchange(const char* driveSymbol, const std::uint8_t command[8],
                         std::uint8_t* reply, int replyLength);

// One command. `value` (when `wantValue`) receives the reply's 16-bit value
// and `data` (when given; asks for the long reply) its 32-byte data block,
// both only on success.
int FingerPrintCommand(const char* driveSymbol, std::uint8_t command, std::uint8_t parameter,
                       bool wantValue, std::uint16_t* value, std::uint8_t* data);

// True when a finger lies on the sensor (any result but 178 or a failure).
bool FpIsFingerPresent(const char* driveSymbol);

// One touch of an enrolment. `captureCounter` starts at 0 and is kept by the
// caller; on completion `userId` receives the enrolled user ID and `data` the
// enrolment data block. 0 complete, FP_ENROLL_MORE, or a failure.
int FpEnrollStep(const char* driveSymbol, std::uint8_t* captureCounter, std::uint8_t* userId,
                 std::uint8_t* data);

// Erases one enrolled user; the sensor's "unknown user" (144) counts as done.
int FpEraseUser(const char* driveSymbol, std::uint8_t userId);
