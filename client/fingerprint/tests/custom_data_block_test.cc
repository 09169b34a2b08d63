#include "client/fingerprint/custom_data_block.h"

#include <gtest/gtest.h>

#include <cstring>

#include "client/fingerprint/tests/scripted_sensor.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/diagnostic_sink.h"

namespace {

constexpr char kSymbol[] = "\\\\?\\usbstor#orlu#0\\x";

class CustomDataBlockTest : public testing::Test {
 protected:
  void SetUp() override { fake.Bind(bridge); }

  // Marks `slots` used with id = slot + 1 and a valid checksum.
  void Fill(std::initializer_list<int> slots) {
    for (int slot : slots) {
      fake.customData[slot * 32] = static_cast<std::uint8_t>(slot + 1);
      fake.customData[slot * 32 + 2] = static_cast<std::uint8_t>('a' + slot);
    }
    Seal();
  }
  void Seal() { fake.customData[511] = CustomDataChecksum(fake.customData); }
  FpUser User(int id, const char* name = "n") {
    FpUser user{};
    user.id = static_cast<std::int8_t>(id);
    SetUserName(&user, name);
    return user;
  }

  FakeLibrary fake;
  BridgeApi bridge;
  std::uint8_t buffer[512];
  UserConfig view;
};

TEST_F(CustomDataBlockTest, ValidationAndReinitialisation) {
  struct Case {
    const char* what;
    std::function<void(std::uint8_t*)> prepare;
    bool rewritten;
  } const cases[] = {
      {"all zero is valid", [](std::uint8_t*) {}, false},
      {"erased area", [](std::uint8_t* b) { std::memset(b, 0xFF, 512); }, true},
      {"checksum off by one",
       [](std::uint8_t* b) {
         b[448] = 'h';
         b[496] = 1;
         b[511] = static_cast<std::uint8_t>(CustomDataChecksum(b) + 1);
       },
       true},
      {"password area outside the checksum",
       [](std::uint8_t* b) {
         b[0] = 1;
         b[511] = CustomDataChecksum(b);
         b[480] = 'x';
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::memset(fake.customData, 0, 512);
    c.prepare(fake.customData);
    fake.customWrites = 0;
    ASSERT_NE(LoadUserConfig(kSymbol, &view, buffer), nullptr);
    EXPECT_EQ(view.initialised, 1);
    EXPECT_EQ(fake.customWrites, c.rewritten ? 1 : 0);
    if (c.rewritten) {
      for (int i = 0; i < 512; ++i) ASSERT_EQ(fake.customData[i], 0) << i;
      EXPECT_EQ(view.userNum, 0);
    }
  }
}

TEST_F(CustomDataBlockTest, UnreadableOrUnrepairableBlockFailsEveryOperation) {
  fake.failCustomRead = true;
  EXPECT_EQ(LoadUserConfig(kSymbol, &view, buffer), nullptr);
  EXPECT_EQ(AddFingerUser(kSymbol, User(3)), FP_ERR_BLOCK_UNREADABLE);
  EXPECT_EQ(DeleteFingerUser(kSymbol, User(3)), FP_ERR_BLOCK_UNREADABLE);
  FpUser users[10];
  int count = 99;
  EXPECT_FALSE(ListFingerUsers(kSymbol, users, &count));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(ReadPasswordHint(bridge), "");

  fake.failCustomRead = false;
  std::memset(fake.customData, 0xFF, 512);
  fake.failCustomWrites = 1;
  EXPECT_EQ(LoadUserConfig(kSymbol, &view, buffer), nullptr);
}

TEST_F(CustomDataBlockTest, SlotsAreWalkedInOrderSkippingFreeOnes) {
  Fill({0, 2, 3});
  fake.customData[4 * 32] = 0x85;  // negative id: free
  Seal();
  ASSERT_NE(LoadUserConfig(kSymbol, &view, buffer), nullptr);
  EXPECT_EQ(view.userNum, 3);
  EXPECT_EQ(GetUserAt(&view, 1), reinterpret_cast<FpUser*>(buffer + 64));
  EXPECT_EQ(GetUserAt(&view, 3), nullptr);
  EXPECT_EQ(GetUserAt(&view, 14), nullptr);
  EXPECT_EQ(vsFindUsers(&view, 4), reinterpret_cast<FpUser*>(buffer + 96));
  EXPECT_EQ(vsFindUsers(&view, 0), nullptr);
  EXPECT_EQ(vsFindUsers(&view, 2), nullptr);
  UserConfig blank;
  EXPECT_EQ(GetUserAt(&blank, 0), nullptr);
}

TEST_F(CustomDataBlockTest, AddTakesTheFirstFreeSlotAndReplacesTheSameId) {
  // Slot 5 holds id 3, slot 1 is free, slot 4 holds a negative id.
  fake.customData[0 * 32] = 1;
  fake.customData[2 * 32] = 7;
  fake.customData[3 * 32] = 8;
  fake.customData[4 * 32] = 0x85;
  fake.customData[5 * 32] = 3;
  Seal();
  EXPECT_EQ(AddFingerUser(kSymbol, User(3, "thumb")), 0);
  EXPECT_EQ(fake.customData[1 * 32], 3);
  EXPECT_EQ(fake.customData[5 * 32], 0);
  EXPECT_EQ(fake.customData[511], CustomDataChecksum(fake.customData));
  // The negative id counts as free.
  EXPECT_EQ(AddFingerUser(kSymbol, User(9)), 0);
  EXPECT_EQ(fake.customData[4 * 32], 9);
  EXPECT_EQ(AddFingerUser(kSymbol, User(0)), -1);
}

TEST_F(CustomDataBlockTest, AddFailures) {
  Fill({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
  int writes = fake.customWrites;
  EXPECT_EQ(AddFingerUser(kSymbol, User(40)), -1);
  EXPECT_EQ(fake.customWrites, writes);

  std::memset(fake.customData, 0, 512);
  fake.failCustomWrites = 1;
  EXPECT_EQ(AddFingerUser(kSymbol, User(40)), -2);
  EXPECT_EQ(fake.customData[0], 0);
  UserConfig unloaded;
  FpUser user = User(4);
  EXPECT_EQ(addUserToCustomerSpace(kSymbol, &unloaded, &user), -1);

  // A sensor ID above 127 reads back as a free slot: storing it would report
  // success while the finger stays without a record.
  writes = fake.customWrites;
  EXPECT_EQ(AddFingerUser(kSymbol, User(200)), -1);
  EXPECT_EQ(fake.customWrites, writes);
}

TEST_F(CustomDataBlockTest, UpdateAndDelete) {
  Fill({0, 1});
  ASSERT_NE(LoadUserConfig(kSymbol, &view, buffer), nullptr);
  FpUser renamed = User(2, "index");
  EXPECT_EQ(UpdateUser(kSymbol, &view, &renamed), 0);
  EXPECT_EQ(GetUserName(*reinterpret_cast<FpUser*>(fake.customData + 32)), "index");
  FpUser unknown = User(7);
  EXPECT_EQ(UpdateUser(kSymbol, &view, &unknown), -1);
  fake.failCustomWrites = 1;
  EXPECT_EQ(UpdateUser(kSymbol, &view, &renamed), FP_ERR_TABLE_WRITE);

  ScriptedSensor sensor(fake);
  struct Case {
    int id;
    std::uint8_t eraseResult;
    int failWrites;
    int expected;
    bool stillListed;
  } const cases[] = {
      {7, 0, 0, -1, false},                  // not in the table: sensor untouched
      {1, 12, 0, 12, true},                  // sensor refused: table unchanged
      {1, 0, 1, FP_ERR_TABLE_DELETE, true},  // sensor erased, table write failed
      {1, 144, 0, 0, false},                 // unknown to the sensor still removes it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    sensor.eraseResult = c.eraseResult;
    fake.failCustomWrites = c.failWrites;
    int erasesBefore = sensor.CountSent(FP_CMD_ERASE_USER);
    EXPECT_EQ(DeleteFingerUser(kSymbol, User(c.id)), c.expected);
    EXPECT_EQ(sensor.CountSent(FP_CMD_ERASE_USER) - erasesBefore, c.id == 7 ? 0 : 1);
    EXPECT_EQ(fake.customData[0] == c.id, c.stillListed);
  }
}

TEST_F(CustomDataBlockTest, ListingStopsAtTen) {
  Fill({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  FpUser users[10];
  int count = 0;
  ASSERT_TRUE(ListFingerUsers(kSymbol, users, &count));
  EXPECT_EQ(count, 10);
  EXPECT_EQ(users[9].id, 10);
  auto items = GetFingerList(bridge, 0);
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[2].id, 3);
  EXPECT_STREQ(items[2].name, "c");
}

TEST_F(CustomDataBlockTest, HintIsWrittenWithoutThePassword) {
  Fill({0});
  std::uint8_t before[448];
  std::memcpy(before, fake.customData, 448);
  ASSERT_TRUE(WritePasswordHint(bridge, "my cat"));
  EXPECT_EQ(std::memcmp(before, fake.customData, 448), 0);
  EXPECT_EQ(fake.customData[448], 'm');
  EXPECT_EQ(fake.customData[449], 0);
  EXPECT_EQ(fake.customData[460], 0);  // terminator after 6 units
  for (int i = 480; i < 496; ++i) EXPECT_EQ(fake.customData[i], 0) << i;
  EXPECT_EQ(fake.customData[496], 1);
  EXPECT_EQ(fake.customData[511], CustomDataChecksum(fake.customData));
  EXPECT_EQ(ReadPasswordHint(bridge), "my cat");

  // A stale password copy from elsewhere is wiped by the next hint write.
  std::memcpy(fake.customData + 480, "secret", 6);
  ASSERT_TRUE(WritePasswordHint(bridge, ""));
  for (int i = 480; i < 496; ++i) EXPECT_EQ(fake.customData[i], 0) << i;
  EXPECT_EQ(fake.customData[496], 1);
  EXPECT_EQ(ReadPasswordHint(bridge), "");
}

std::vector<std::string> g_trace;
void KeepTrace(const char* line) { g_trace.emplace_back(line); }

TEST_F(CustomDataBlockTest, TraceNeverShowsThePasswordArea) {
  std::memcpy(fake.customData + 480, "secret", 6);  // left by older software
  Seal();
  bridge::SetDiagnosticSink(&KeepTrace);
  g_trace.clear();
  ReadPasswordHint(bridge);
  ASSERT_TRUE(WritePasswordHint(bridge, "h"));
  bridge::SetDiagnosticSink(nullptr);
  ASSERT_FALSE(g_trace.empty());
  for (const auto& line : g_trace) {
    EXPECT_EQ(line.find(" 73 65 63 72 65 74"), std::string::npos) << line;
  }
}

TEST_F(CustomDataBlockTest, HintEdges) {
  // Exactly 16 units: no terminator in the field, read back whole.
  ASSERT_TRUE(WritePasswordHint(bridge, "0123456789abcdefXYZ"));
  EXPECT_EQ(ReadPasswordHint(bridge), "0123456789abcdef");
  // Non-ASCII text round-trips as UTF-16LE.
  ASSERT_TRUE(WritePasswordHint(bridge, "Straße 東京"));
  EXPECT_EQ(fake.customData[448 + 2 * 4], 0xDF);
  EXPECT_EQ(ReadPasswordHint(bridge), "Straße 東京");
  // Flag 0 on a valid block: no hint.
  fake.customData[496] = 0;
  EXPECT_EQ(ReadPasswordHint(bridge), "");
  std::uint8_t hint[32], rest[32];
  EXPECT_FALSE(ReadRemark(kSymbol, hint, rest));
}

TEST_F(CustomDataBlockTest, NamesAreCutToFifteenUnitsAndListItemsAtACharacter) {
  FpUser user{};
  SetUserName(&user, "abcdefghijklmnopqrs");
  EXPECT_EQ(GetUserName(user), "abcdefghijklmno");
  // Fifteen 3-byte characters need 45 bytes; the list item keeps 9 whole ones.
  std::string wide;
  for (int i = 0; i < 15; ++i) wide += "指";
  SetUserName(&user, wide);
  EXPECT_EQ(GetUserName(user), wide);
  FpListItem item = MakeListItem(user);
  EXPECT_EQ(std::string(item.name), wide.substr(0, 27));
  // A pair split by the 15-unit cut is dropped whole.
  SetUserName(&user, "abcdefghijklmn😀");
  EXPECT_EQ(GetUserName(user), "abcdefghijklmn");
}

}  // namespace
