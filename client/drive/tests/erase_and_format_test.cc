#include "client/drive/erase_and_format.h"

#include <gtest/gtest.h>

#include "common/bridge/bridge_api.h"
#include "common/bridge/testing/fake_library.h"
#include "common/bridge/testing/step_clock.h"

namespace {

class EraseAndFormatTest : public testing::Test {
 protected:
  void SetUp() override {
    fake.Bind(bridge);
    bridge.SetClock(clock);
    // The chip reset makes the drive vanish for `absentPolls` listings.
    fake.chipReset = [this](char*) {
      saved = fake.symbols;
      fake.symbols.clear();
      return 1;
    };
    clock.onSleep = [this] {
      if (++polls > absentPolls) fake.symbols = saved;
    };
  }
  FakeLibrary fake;
  BridgeApi bridge;
  StepClock clock;
  std::vector<std::string> saved;
  int polls = 0;
  int absentPolls = 3;
};

TEST_F(EraseAndFormatTest, WaitsForTheDriveThenPartitionsAndFormats) {
  fake.ClearCalls();
  EXPECT_EQ(EraseAndFormat(bridge, 0), EraseOutcome::kDone);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{1000, 1000, 1000, 1000}));
  std::vector<std::string> order;
  for (const auto& call : fake.Calls()) {
    if (call != "GetUsbIdList") order.push_back(call);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"AP_EraseSecurityInfo", "JMChipRstEx",
                                             "AP_DiskPartition", "AP_FormatDisk"}));
}

TEST_F(EraseAndFormatTest, EachFailingStepEndsTheRun) {
  {
    fake.eraseSecurityInfo = [](char*) { return 0; };
    EXPECT_EQ(EraseAndFormat(bridge, 0), EraseOutcome::kEraseFailed);
    EXPECT_EQ(fake.CountCalls("JMChipRstEx"), 0);
    fake.eraseSecurityInfo = nullptr;
  }
  {
    absentPolls = 1000;
    polls = 0;
    EXPECT_EQ(EraseAndFormat(bridge, 0, 5), EraseOutcome::kDriveDidNotReturn);
    EXPECT_EQ(fake.CountCalls("AP_DiskPartition"), 0);
    absentPolls = 0;
    fake.symbols = saved;
  }
  {
    fake.partition = [](char*) { return 0; };
    EXPECT_EQ(EraseAndFormat(bridge, 0), EraseOutcome::kPartitionFailed);
    EXPECT_EQ(fake.CountCalls("AP_FormatDisk"), 0);
    fake.partition = nullptr;
  }
  {
    fake.format = [](char*) { return 0; };
    EXPECT_EQ(EraseAndFormat(bridge, 0), EraseOutcome::kFormatFailed);
  }
}

}  // namespace
