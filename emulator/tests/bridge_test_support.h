// Shared set-up of the tests that talk to emulated drives through the real
// bridge library: a private emulator and the library loaded from the build.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "emulator/testing/bridge_library.h"
#include "emulator/testing/drivesim_fixture.h"

namespace drivesim::testing {

// A zero-padded symbol buffer, as callers hand it to every entry.
struct Symbol {
  std::array<char, 64> bytes{};
  char* get() { return bytes.data(); }
  std::string text() const { return std::string(bytes.data()); }
};

inline std::array<unsigned char, 32> PasswordBuffer(const std::string& password) {
  std::array<unsigned char, 32> buffer{};
  std::memcpy(buffer.data(), password.data(), std::min<std::size_t>(password.size(), 32));
  return buffer;
}

inline std::array<unsigned char, 64> ChangeBlock(const std::string& old_password,
                                                 const std::string& new_password) {
  std::array<unsigned char, 64> block{};
  std::memcpy(block.data(), old_password.data(), old_password.size());
  std::memcpy(block.data() + 32, new_password.data(), new_password.size());
  return block;
}

class BridgeTest : public DriveSimTest {
 protected:
  void SetUp() override { ASSERT_TRUE(lib.ok()) << DriveSim::LibraryPath(); }

  // The symbols the library lists right now.
  std::vector<std::string> ListSymbols() {
    std::vector<char> buffer(256 * 64, 0);
    const int count = lib.GetUsbIdList(buffer.data(), 256);
    std::vector<std::string> symbols;
    for (int i = 0; i < count; ++i) symbols.emplace_back(buffer.data() + i * 64);
    return symbols;
  }

  // The symbol of the only listed drive (fails the test otherwise).
  Symbol OnlySymbol() {
    const auto symbols = ListSymbols();
    EXPECT_EQ(symbols.size(), 1u);
    Symbol symbol;
    if (!symbols.empty()) std::strncpy(symbol.get(), symbols[0].c_str(), 63);
    return symbol;
  }

  // Security state as callers map the status bytes: -2 query failed, -1
  // unknown, 1 no password, 2 unlocked, 3 locked.
  int SecurityState(Symbol symbol) {
    unsigned char status[32] = {};
    if (lib.AP_GetSecurityStatus(symbol.get(), 3, status) != 1) return -2;
    if (status[2] == 0) return 1;
    if (status[2] != 0xFF) return -1;
    if (status[1] == 0xAA) return 2;
    if (status[1] == 0x55) return 3;
    return -1;
  }

  // Waits until the library lists `count` drives (re-enumeration).
  bool WaitForDrives(std::size_t count) {
    return DriveSim::WaitUntil([&] { return ListSymbols().size() == count; });
  }

  BridgeLibrary lib{DriveSim::LibraryPath()};
};

}  // namespace drivesim::testing
