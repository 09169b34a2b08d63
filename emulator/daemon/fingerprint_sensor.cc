#include "emulator/daemon/fingerprint_sensor.h"

#include <algorithm>

namespace drivesim {

namespace {

constexpr std::uint8_t kFingerDetect = 0x10;
constexpr std::uint8_t kCaptureAndExtract = 0x51;
constexpr std::uint8_t kEraseUser = 0x73;
constexpr std::uint8_t kAvailableId = 0x74;
constexpr std::uint8_t kEnrolUser = 0x7F;
constexpr int kLastCaptureIndex = 4;

std::vector<std::uint8_t> ShortReply(std::uint8_t command, std::uint8_t result,
                                     std::uint16_t value = 0) {
  std::vector<std::uint8_t> reply = {0x6C,
                                     0x62,
                                     0x63,
                                     command,
                                     result,
                                     static_cast<std::uint8_t>(value & 0xFF),
                                     static_cast<std::uint8_t>(value >> 8),
                                     0};
  reply[7] = FrameChecksum(reply.data(), 3, 7);
  return reply;
}

std::vector<std::uint8_t> LongReply(std::uint8_t command,
                                    const std::array<std::uint8_t, 32>& data) {
  std::vector<std::uint8_t> reply(kLongReplySize, 0);
  reply[0] = 0x6C;
  reply[1] = 0x62;
  reply[2] = 0x63;
  reply[3] = command;
  std::copy(data.begin(), data.end(), reply.begin() + 7);
  reply[39] = FrameChecksum(reply.data(), 3, 39);
  return reply;
}

// The enrolment result block the sensor hands out; its content means nothing
// to the callers, but it differs per drive and user.
std::array<std::uint8_t, 32> TemplateBlock(const Drive& drive, int user_id) {
  std::array<std::uint8_t, 32> block{};
  for (std::size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<std::uint8_t>(user_id * 31 + drive.id * 17 + static_cast<int>(i) * 7);
  }
  return block;
}

bool IsEnrolled(const Drive& drive, int user_id) {
  return std::find(drive.fingerprints.begin(), drive.fingerprints.end(), user_id) !=
         drive.fingerprints.end();
}

int LowestFreeId(const Drive& drive) {
  for (int id = 1; id <= kSensorMaxUserId; ++id) {
    if (!IsEnrolled(drive, id)) return id;
  }
  return 0;
}

}  // namespace

std::uint8_t FrameChecksum(const std::uint8_t* frame, std::size_t from, std::size_t to) {
  unsigned sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += frame[i];
  return static_cast<std::uint8_t>(sum - 0x3B);
}

std::vector<std::uint8_t> AnswerFingerprintFrame(Drive& drive,
                                                 const std::uint8_t (&frame)[kCommandFrameSize]) {
  const std::uint8_t command = frame[3];
  const std::uint8_t parameter = frame[4];
  const bool well_formed = frame[0] == 0x6C && frame[1] == 0x63 && frame[2] == 0x62 &&
                           frame[5] == 0 && frame[6] == FrameChecksum(frame, 3, 6);
  if (!well_formed) return ShortReply(command, kSensorBadFrame);

  switch (command) {
    case kFingerDetect:
      return ShortReply(command, drive.finger_down ? 0 : kSensorNoFinger);
    case kAvailableId: {
      const int id = LowestFreeId(drive);
      if (id == 0) return ShortReply(command, kSensorFull);
      return ShortReply(command, 0, static_cast<std::uint16_t>(id));
    }
    case kCaptureAndExtract:
      if (parameter > kLastCaptureIndex) return ShortReply(command, kSensorBadParameter);
      if (!drive.finger_down) return ShortReply(command, kSensorNoFinger);
      return ShortReply(command, 0, static_cast<std::uint16_t>(drive.similarity));
    case kEnrolUser: {
      if (parameter == 0 || parameter > kSensorMaxUserId) {
        return ShortReply(command, kSensorBadParameter);
      }
      if (!IsEnrolled(drive, parameter)) {
        drive.fingerprints.push_back(parameter);
        std::sort(drive.fingerprints.begin(), drive.fingerprints.end());
      }
      return LongReply(command, TemplateBlock(drive, parameter));
    }
    case kEraseUser: {
      if (!IsEnrolled(drive, parameter)) return ShortReply(command, kSensorUnknownUser);
      std::erase(drive.fingerprints, static_cast<int>(parameter));
      if (drive.finger_match == parameter) drive.finger_match = kNoMatch;
      return ShortReply(command, 0);
    }
    default:
      return ShortReply(command, kSensorUnknownCommand);
  }
}

std::array<std::uint8_t, 8> FingerprintStatus(const Drive& drive) {
  std::array<std::uint8_t, 8> status{};
  status[0] = 1;
  status[3] = drive.finger_down ? 1 : 0;
  const bool matched = drive.finger_down && drive.finger_match != kNoMatch;
  status[4] = matched ? 1 : 0;
  status[5] = matched ? static_cast<std::uint8_t>(drive.finger_match) : 0;
  status[6] = drive.fp_unlock ? 1 : 0;
  return status;
}

}  // namespace drivesim
