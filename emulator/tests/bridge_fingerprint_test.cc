// The emulated fingerprint sensor through the bridge library: command and
// reply frames with their checksums, the status block, the unlock switch, and
// a drive without a sensor.
#include "emulator/tests/bridge_test_support.h"

namespace drivesim::testing {
namespace {

unsigned char Checksum(const std::vector<unsigned char>& frame, std::size_t from, std::size_t to) {
  unsigned sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += frame[i];
  return static_cast<unsigned char>(sum - 0x3B);
}

class FingerprintTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    id_ = sim().Attach(attach_options_);
    symbol_ = OnlySymbol();
  }

  // Sends one command frame and reads a reply of `reply_length` bytes; an
  // empty reply when either entry failed.
  std::vector<unsigned char> Exchange(unsigned char command, unsigned char parameter,
                                      int reply_length = 8) {
    unsigned char frame[8] = {0x6C,
                              0x63,
                              0x62,
                              command,
                              parameter,
                              0,
                              static_cast<unsigned char>(command + parameter - 0x3B),
                              0};
    if (lib.AP_SendFingerprint(symbol_.get(), frame, 8) == 0) return {};
    std::vector<unsigned char> reply(static_cast<std::size_t>(reply_length), 0);
    if (lib.AP_ReceiveFingerprint(symbol_.get(), reply.data(), reply_length) == 0) return {};
    return reply;
  }

  std::array<unsigned char, 8> Status() {
    std::array<unsigned char, 8> status{};
    EXPECT_EQ(lib.AP_GetFingerprintStatus_VendorEx(symbol_.get(), status.data()), 1);
    return status;
  }

  void Cli(const std::string& args) { ASSERT_EQ(sim().Run(args).exit_code, 0) << args; }

  const char* attach_options_ = "";
  int id_ = 0;
  Symbol symbol_;
};

struct FrameCase {
  const char* name;
  std::vector<std::string> script;  // drivesim commands run first
  unsigned char command;
  unsigned char parameter;
  unsigned char result;
  unsigned value;
};

class FrameTest : public FingerprintTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameTest, RepliesWithAWellFormedShortFrame) {
  const FrameCase& c = GetParam();
  for (const std::string& command : c.script) Cli(command);
  const auto reply = Exchange(c.command, c.parameter);
  ASSERT_EQ(reply.size(), 8u);
  EXPECT_EQ(reply[0], 0x6C);
  EXPECT_EQ(reply[1], 0x62);
  EXPECT_EQ(reply[2], 0x63);
  EXPECT_EQ(reply[3], c.command);
  EXPECT_EQ(reply[4], c.result);
  EXPECT_EQ(reply[5] | reply[6] << 8, static_cast<int>(c.value));
  EXPECT_EQ(reply[7], Checksum(reply, 3, 7));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FrameTest,
    ::testing::Values(
        FrameCase{"DetectWithoutFinger", {}, 0x10, 0, 178, 0},
        FrameCase{"DetectWithFinger", {"finger down"}, 0x10, 0, 0, 0},
        FrameCase{"OffersLowestFreeId", {"finger enrol 1", "finger enrol 3"}, 0x74, 0, 0, 2},
        FrameCase{
            "CaptureAnswersSimilarity", {"finger down", "finger similarity 513"}, 0x51, 2, 0, 513},
        FrameCase{"CaptureWithoutFinger", {}, 0x51, 0, 178, 0},
        FrameCase{"EraseUnknownUser", {}, 0x73, 9, 144, 0},
        FrameCase{"EraseEnrolledUser", {"finger enrol 9"}, 0x73, 9, 0, 0}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return info.param.name; });

TEST_F(FingerprintTest, CaptureFrameExampleRoundTrips) {
  Cli("finger down");
  // 0x51 with parameter 2: checksum 0x51 + 0x02 - 0x3B = 0x18.
  unsigned char frame[8] = {0x6C, 0x63, 0x62, 0x51, 0x02, 0x00, 0x18, 0x00};
  ASSERT_NE(lib.AP_SendFingerprint(symbol_.get(), frame, 8), 0);
  unsigned char reply[8] = {};
  ASSERT_NE(lib.AP_ReceiveFingerprint(symbol_.get(), reply, 8), 0);
  // Similarity 100 (0x64); checksum 0x51 + 0x64 - 0x3B = 0x7A.
  const unsigned char expected[8] = {0x6C, 0x62, 0x63, 0x51, 0x00, 0x64, 0x00, 0x7A};
  EXPECT_EQ(std::memcmp(reply, expected, 8), 0);
}

TEST_F(FingerprintTest, EnrolmentStoresTheOfferedIdAndReturnsItsDataBlock) {
  Cli("finger down");
  const auto offered = Exchange(0x74, 0);
  ASSERT_EQ(offered.size(), 8u);
  const unsigned char user = offered[5];
  EXPECT_EQ(user, 1);
  for (unsigned char capture = 0; capture < 5; ++capture) {
    EXPECT_EQ(Exchange(0x51, capture).at(4), 0);
  }
  const auto enrolled = Exchange(0x7F, user, 40);
  ASSERT_EQ(enrolled.size(), 40u);
  EXPECT_EQ(enrolled[0], 0x6C);
  EXPECT_EQ(enrolled[3], 0x7F);
  EXPECT_EQ(enrolled[4], 0);
  EXPECT_EQ(enrolled[39], Checksum(enrolled, 3, 39));
  EXPECT_EQ(sim().Drive(id_)["fingerprints"][0].asInt(), user);
  EXPECT_EQ(Exchange(0x74, 0).at(5), 2);  // the next enrolment gets the next ID
}

TEST_F(FingerprintTest, MalformedCommandFramesAreAnsweredWithAnError) {
  unsigned char bad_checksum[8] = {0x6C, 0x63, 0x62, 0x10, 0, 0, 0x00, 0};
  ASSERT_NE(lib.AP_SendFingerprint(symbol_.get(), bad_checksum, 8), 0);
  unsigned char reply[8] = {};
  ASSERT_NE(lib.AP_ReceiveFingerprint(symbol_.get(), reply, 8), 0);
  EXPECT_NE(reply[4], 0);
  EXPECT_EQ(lib.AP_SendFingerprint(symbol_.get(), bad_checksum, 7), 0);
  // A reply is read once.
  EXPECT_EQ(lib.AP_ReceiveFingerprint(symbol_.get(), reply, 8), 0);
}

TEST_F(FingerprintTest, DamagedFramesCarryAWrongChecksumUntilCleared) {
  Cli("finger down");
  Cli("fail --damage-frames");
  auto reply = Exchange(0x10, 0);
  ASSERT_EQ(reply.size(), 8u);
  EXPECT_EQ(reply[4], 0);
  EXPECT_NE(reply[7], Checksum(reply, 3, 7));
  Cli("fail clear");
  reply = Exchange(0x10, 0);
  EXPECT_EQ(reply[7], Checksum(reply, 3, 7));
}

TEST_F(FingerprintTest, StatusReportsFingerMatchAndUnlockSwitch) {
  struct Step {
    std::string script;
    unsigned char finger, match, user;
  };
  Cli("finger enrol 4");
  const Step steps[] = {{"finger up", 0, 0, 0},
                        {"finger down", 1, 0, 0},
                        {"finger match 4", 1, 1, 4},
                        {"finger nomatch", 1, 0, 0},
                        {"finger up", 0, 0, 0}};
  for (const Step& step : steps) {
    Cli(step.script);
    const auto status = Status();
    EXPECT_EQ(status[3], step.finger) << step.script;
    EXPECT_EQ(status[4], step.match) << step.script;
    EXPECT_EQ(status[5], step.user) << step.script;
  }
  EXPECT_EQ(sim().Run("finger match 5").exit_code, 1);  // not enrolled

  EXPECT_EQ(Status()[6], 0);
  EXPECT_EQ(lib.AP_FingerPrintFunctControl(symbol_.get(), 1), 0);
  EXPECT_EQ(Status()[6], 1);
  EXPECT_TRUE(sim().Drive(id_)["fp_unlock"].asBool());
  EXPECT_EQ(lib.AP_FingerPrintFunctControl(symbol_.get(), 0), 0);
  EXPECT_EQ(Status()[6], 0);
}

class LockedFingerprintTest : public FingerprintTest {
 protected:
  LockedFingerprintTest() { attach_options_ = "--password abcd"; }
};

TEST_F(LockedFingerprintTest, SwitchRefusedOnLockedDrive) {
  EXPECT_NE(lib.AP_FingerPrintFunctControl(symbol_.get(), 1), 0);
  EXPECT_FALSE(sim().Drive(id_)["fp_unlock"].asBool());
  EXPECT_EQ(Exchange(0x10, 0).at(4), 178);  // the sensor itself still answers
}

class NoSensorTest : public FingerprintTest {
 protected:
  NoSensorTest() { attach_options_ = "--no-sensor"; }
};

TEST_F(NoSensorTest, SensorEntriesFail) {
  EXPECT_TRUE(Exchange(0x10, 0).empty());
  unsigned char status[8] = {};
  EXPECT_EQ(lib.AP_GetFingerprintStatus_VendorEx(symbol_.get(), status), 0);
  EXPECT_NE(lib.AP_FingerPrintFunctControl(symbol_.get(), 1), 0);
  EXPECT_EQ(sim().Run("finger down").exit_code, 1);
}

}  // namespace
}  // namespace drivesim::testing
