#include "client/fingerprint/fp_channel.h"

#include <gtest/gtest.h>

#include "client/fingerprint/tests/scripted_sensor.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/diagnostic_sink.h"

namespace {

constexpr char kSymbol[] = "\\\\?\\usbstor#orlu#0\\x";

class FpChannelTest : public testing::Test {
 protected:
  void SetUp() override { fake.Bind(bridge); }
  FakeLibrary fake;
  BridgeApi bridge;
  ScriptedSensor sensor{fake};
};

TEST_F(FpChannelTest, CommandFramesCarryTheirChecksum) {
  struct Case {
    std::uint8_t command, parameter;
    std::vector<std::uint8_t> frame;
  } const cases[] = {
      {0x51, 0x02, {0x6C, 0x63, 0x62, 0x51, 0x02, 0x00, 0x18, 0x00}},
      {0x10, 0x00, {0x6C, 0x63, 0x62, 0x10, 0x00, 0x00, 0xD5, 0x00}},  // wraps below zero
      {0x7F, 0xFF, {0x6C, 0x63, 0x62, 0x7F, 0xFF, 0x00, 0x43, 0x00}},  // wraps above 255
  };
  for (const Case& c : cases) {
    sensor.sent.clear();
    FingerPrintCommand(kSymbol, c.command, c.parameter, false, nullptr, nullptr);
    ASSERT_EQ(sensor.sent.size(), 1u);
    EXPECT_EQ(sensor.sent[0], c.frame) << std::hex << int(c.command);
  }
}

TEST_F(FpChannelTest, RepliesAreCheckedInOrder) {
  struct Case {
    const char* what;
    SensorReply reply;
    bool longReply;
    int expected;
  } const cases[] = {
      {"good short", {0, 0x1234}, false, 0},
      {"good long", {}, true, 0},
      {"sensor error wins over garbage", {5, 0, false, true, true, true}, false, 5},
      {"bad magic", {0, 0, false, true}, false, FP_ERR_BAD_REPLY},
      {"wrong echo", {0, 0, false, false, true}, false, FP_ERR_BAD_REPLY},
      {"flipped value byte", {0, 7, false, false, false, true}, false, FP_ERR_BAD_CHECKSUM},
      {"flipped data byte", {0, 0, false, false, false, true}, true, FP_ERR_BAD_CHECKSUM},
      {"transport", {0, 0, true}, false, FP_ERR_TRANSPORT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sensor.answer = [&c](std::uint8_t, std::uint8_t) { return c.reply; };
    std::uint16_t value = 0xBEEF;
    std::uint8_t data[32] = {};
    int result = FingerPrintCommand(kSymbol, 0x74, 0, true, &value, c.longReply ? data : nullptr);
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(value, c.expected == 0 ? c.reply.value : 0xBEEF);  // untouched on failure
    if (c.longReply) {
      EXPECT_EQ(data[0], c.expected == 0 ? 0xA7 : 0);
    }
  }
}

TEST_F(FpChannelTest, MissingSymbolSendsNothing) {
  EXPECT_EQ(FingerPrintCommand(nullptr, 0x10, 0, false, nullptr, nullptr), FP_ERR_NO_TARGET);
  EXPECT_EQ(FingerPrintCommand("", 0x10, 0, false, nullptr, nullptr), FP_ERR_NO_TARGET);
  std::uint8_t counter = 0, id = 0;
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, nullptr), FP_ERR_NO_TARGET);
  EXPECT_TRUE(sensor.sent.empty());
}

TEST_F(FpChannelTest, ExchangeRefusesWhatItsReplyBufferCannotHold) {
  std::uint8_t frame[8];
  BuildCommandFrame(FP_CMD_FINGER_DETECT, 0, frame);
  std::uint8_t reply[64] = {};
  for (int length : {0, -8, 41, 64}) {
    EXPECT_FALSE(FingerPrintExchange(kSymbol, frame, reply, length)) << length;
  }
  EXPECT_FALSE(FingerPrintExchange(nullptr, frame, reply, FP_SHORT_REPLY));
  EXPECT_TRUE(sensor.sent.empty());
  EXPECT_TRUE(FingerPrintExchange(kSymbol, frame, reply, FP_SHORT_REPLY));
}

TEST_F(FpChannelTest, PresenceProbe) {
  struct Case {
    SensorReply reply;
    bool present;
  } const cases[] = {
      {{0}, true}, {{178}, false}, {{0, 0, true}, false}, {{7}, true}, {{0, 0, false, true}, false},
  };
  for (const Case& c : cases) {
    sensor.answer = [&c](std::uint8_t, std::uint8_t) { return c.reply; };
    EXPECT_EQ(FpIsFingerPresent(kSymbol), c.present) << int(c.reply.returnVal);
  }
}

TEST_F(FpChannelTest, FiveAcceptedCapturesEnrolWithTheLastOfferedId) {
  std::uint8_t counter = 0, id = 0, data[32] = {};
  int offers = 0;
  sensor.answer = [&](std::uint8_t command, std::uint8_t) -> SensorReply {
    if (command == FP_CMD_GET_AVAILABLE_ID)
      return {0, static_cast<std::uint16_t>(0x0100 + 10 + offers++)};
    if (command == FP_CMD_CAPTURE) return {0, 512};  // at the limit: accepted
    return {};
  };
  for (int step = 0; step < 4; ++step) {
    EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), FP_ENROLL_MORE);
    EXPECT_EQ(counter, step + 1);
  }
  EXPECT_EQ(sensor.CountSent(FP_CMD_ENROL), 0);
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), 0);
  EXPECT_EQ(sensor.CountSent(FP_CMD_ENROL), 1);
  EXPECT_EQ(id, 14);  // low byte of the fifth offer
  EXPECT_EQ(sensor.sent.back()[4], 14);
  EXPECT_EQ(data[0], 0xA7);
  // Capture indexes 0..4 were sent as parameters.
  std::vector<int> indexes;
  for (const auto& f : sensor.sent) {
    if (f[3] == FP_CMD_CAPTURE) indexes.push_back(f[4]);
  }
  EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(FpChannelTest, RefusedCapturesKeepTheCounter) {
  std::uint8_t counter = 2, id = 0, data[32] = {};
  sensor.captures = {{0, 513}, {9}, {0, 0, true}};
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), FP_ERR_TOO_SIMILAR);
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), 9);
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), FP_ERR_TRANSPORT);
  EXPECT_EQ(counter, 2);
  sensor.answer = [](std::uint8_t command, std::uint8_t) -> SensorReply {
    return command == FP_CMD_GET_AVAILABLE_ID ? SensorReply{4} : SensorReply{};
  };
  EXPECT_EQ(FpEnrollStep(kSymbol, &counter, &id, data), 4);
  EXPECT_EQ(sensor.CountSent(FP_CMD_CAPTURE), 3);  // none after a failed offer
}

TEST_F(FpChannelTest, EraseAcceptsUnknownUser) {
  struct Case {
    std::uint8_t sensorResult;
    int expected;
  } const cases[] = {{0, 0}, {144, 0}, {12, 12}};
  for (const Case& c : cases) {
    sensor.eraseResult = c.sensorResult;
    EXPECT_EQ(FpEraseUser(kSymbol, 5), c.expected);
    EXPECT_EQ(sensor.sent.back()[3], FP_CMD_ERASE_USER);
    EXPECT_EQ(sensor.sent.back()[4], 5);
  }
}

std::vector<std::string> g_lines;
void CollectLine(const char* line) { g_lines.emplace_back(line); }

TEST_F(FpChannelTest, TraceLinesGoToTheSink) {
  bridge::SetDiagnosticSink(&CollectLine);
  g_lines.clear();
  FingerPrintCommand(kSymbol, 0x51, 2, true, nullptr, nullptr);
  bridge::SetDiagnosticSink(nullptr);
  auto has = [](const std::string& text) {
    for (const auto& line : g_lines) {
      if (line == text) return true;
    }
    return false;
  };
  EXPECT_TRUE(has("Begin, command = 0x51, parameter = 0x02."));
  EXPECT_TRUE(has("sendcmd= 6c 63 62 51 02 00 18 00\n"));
  EXPECT_TRUE(has("output[0] = 0x6c."));

  g_lines.clear();
  bridge::SetDiagnosticSink(&CollectLine);
  FpIsFingerPresent(kSymbol);
  bridge::SetDiagnosticSink(nullptr);
  EXPECT_TRUE(has("Run FingerPrintCommand()."));
}

}  // namespace
