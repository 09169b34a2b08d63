// A fingerprint sensor behind the fake library, answering each command from
// a script: finger probes and captures are taken from queues, and any reply
// can be damaged on purpose.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "client/fingerprint/fp_channel.h"
#include "common/bridge/testing/fake_library.h"

struct SensorReply {
  std::uint8_t returnVal = 0;
  std::uint16_t value = 0;
  bool transportFails = false;
  bool badMagic = false;
  bool wrongEcho = false;
  bool flipDataByte = false;
};

class ScriptedSensor {
 public:
  explicit ScriptedSensor(FakeLibrary& fake) {
    fake.sendFingerprint = [this](char*, unsigned char* frame, int length) {
      sent.emplace_back(frame, frame + length);
      pending = Answer(frame[3], frame[4]);
      return pending.transportFails ? 0 : 1;
    };
    fake.receiveFingerprint = [this](char*, unsigned char* reply, int length) {
      if (pending.transportFails) return 0;
      Build(sent.back()[3], pending, reply, length);
      return 1;
    };
  }

  // Default answers; the queues win while they hold entries.
  std::function<SensorReply(std::uint8_t command, std::uint8_t parameter)> answer;
  std::deque<bool> fingerOn;         // 0x10 probes
  std::deque<SensorReply> captures;  // 0x51
  std::function<void()> onProbesExhausted;
  std::uint8_t offeredId = 3;
  std::uint8_t eraseResult = 0;
  std::vector<std::vector<std::uint8_t>> sent;

  int CountSent(std::uint8_t command) const {
    int n = 0;
    for (const auto& f : sent) n += f[3] == command;
    return n;
  }

  static void Build(std::uint8_t command, const SensorReply& r, unsigned char* reply, int length) {
    for (int i = 0; i < length; ++i) reply[i] = 0;
    reply[0] = 0x6C;
    reply[1] = r.badMagic ? 0x63 : 0x62;
    reply[2] = r.badMagic ? 0x62 : 0x63;
    reply[3] = r.wrongEcho ? static_cast<std::uint8_t>(command + 1) : command;
    reply[4] = r.returnVal;
    reply[5] = static_cast<std::uint8_t>(r.value & 0xFF);
    reply[6] = static_cast<std::uint8_t>(r.value >> 8);
    if (length == FP_LONG_REPLY) {
      for (int i = 7; i < 39; ++i) reply[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    reply[length - 1] = FrameChecksum(reply, length - 1);
    if (r.flipDataByte) reply[length == FP_LONG_REPLY ? 20 : 5] ^= 0x01;
  }

 private:
  SensorReply Answer(std::uint8_t command, std::uint8_t parameter) {
    if (answer) return answer(command, parameter);
    switch (command) {
      case FP_CMD_FINGER_DETECT: {
        if (fingerOn.empty()) {
          if (onProbesExhausted) onProbesExhausted();
          return SensorReply{FP_SENSOR_NO_FINGER};
        }
        bool on = fingerOn.front();
        fingerOn.pop_front();
        return SensorReply{static_cast<std::uint8_t>(on ? 0 : FP_SENSOR_NO_FINGER)};
      }
      case FP_CMD_GET_AVAILABLE_ID:
        return SensorReply{0, offeredId};
      case FP_CMD_CAPTURE: {
        if (captures.empty()) return SensorReply{0, 100};
        SensorReply r = captures.front();
        captures.pop_front();
        return r;
      }
      case FP_CMD_ERASE_USER:
        return SensorReply{eraseResult};
      default:
        return SensorReply{};
    }
  }

  SensorReply pending;
};
