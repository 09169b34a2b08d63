// A scriptable stand-in for the bridge library, for unit tests: bind a
// BridgeApi to Entries() and script each entry with a std::function. One
// FakeLibrary may exist at a time; the default behaviours model one plain
// drive of the product.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/bridge/bridge_api.h"

class FakeLibrary {
 public:
  FakeLibrary();
  ~FakeLibrary();

  BridgeEntries Entries() const;
  // Binds `bridge` to the fake and lists the drives once.
  void Bind(BridgeApi& bridge) const;

  // Names of the entries called, in order (thread-safe).
  std::vector<std::string> Calls() const;
  int CountCalls(const std::string& name) const;
  void ClearCalls();
  void Record(const std::string& name);

  // Listing.
  std::vector<std::string> symbols{"\\\\?\\usbstor#orlu#0\\x"};
  std::map<std::string, std::string> letters;   // symbol -> letters (default "E")
  std::map<std::string, std::string> products;  // symbol -> product (default ORLU SSD)
  std::optional<int> countOverride;             // GetUsbIdList's result, when set

  // Scripts; replace to change an entry's behaviour.
  std::function<int(char* sym, unsigned char* status32)> securityStatus;
  std::function<int(char* sym, unsigned char* password32)> login;
  std::function<int(char* sym, unsigned char* password32)> setPassword;
  std::function<int(char* sym, unsigned char* block64)> changePassword;
  std::function<int(char* sym)> eraseSecurityInfo;
  std::function<int(char* sym)> eraseSecurityInfoSafeMode;
  std::function<int(char* sym)> chipReset;
  std::function<int(char* sym)> safeRemove;
  std::function<int(char* sym)> partition;
  std::function<int(char* sym)> format;
  std::function<int(char* sym, int on)> fingerprintControl;
  std::function<int(char* sym, unsigned char* status8)> fingerprintStatus;
  std::function<int(char* sym, unsigned char* frame, int length)> sendFingerprint;
  std::function<int(char* sym, unsigned char* frame, int length)> receiveFingerprint;

  // The custom-data block and its failure switches.
  std::uint8_t customData[512];
  bool failCustomRead = false;
  int failCustomWrites = 0;  // the next N writes fail
  int customWrites = 0;

  // What the library was last given (copies).
  std::string lastSymbol;
  std::vector<std::uint8_t> lastPassword;

  static FakeLibrary* current;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};
