// The emulated bridge chip library. It keeps no drive state of its own: every
// entry forwards its arguments to the emulator daemon of the current folder
// (DRIVESIM_DIR) and copies the answer into the caller's buffers. Each call
// opens its own connection, so any number of threads may call at once. When
// the daemon is not running (or does not answer within a few seconds) the
// entry returns its failure value; the library never starts a daemon itself.
//
// Passwords are sent as SHA-256 digests, never as text.

#include <json/json.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "common/bridge/bridge_entries.h"
#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/entry_failures.h"
#include "emulator/protocol/hex.h"
#include "emulator/protocol/password_digest.h"

#define DRIVESIM_EXPORT __attribute__((visibility("default")))

namespace {

constexpr std::size_t kSymbolSize = 64;
constexpr std::size_t kPasswordSize = 32;
constexpr int kCustomDataSize = 512;

std::string SymbolText(const char* sym) { return std::string(sym, strnlen(sym, kSymbolSize)); }

// Copies text into a buffer of `size` bytes, always terminated.
void CopyText(char* out, std::size_t size, const std::string& text) {
  if (out == nullptr || size == 0) return;
  const std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

// Copies hex-coded bytes into a buffer of exactly `size` bytes; false unless
// the reply carried that many.
bool CopyBytes(unsigned char* out, std::size_t size, const Json::Value& hex) {
  const auto bytes = drivesim::FromHex(hex.asString());
  if (!bytes || bytes->size() != size) return false;
  std::copy(bytes->begin(), bytes->end(), out);
  return true;
}

void AddPassword(Json::Value& request, const char* prefix, const unsigned char* buffer) {
  const std::size_t length = drivesim::PasswordLength(buffer, kPasswordSize);
  request[std::string(prefix) + "digest"] = drivesim::DigestHex(buffer, length);
  request[std::string(prefix) + "length"] = static_cast<int>(length);
}

// The daemon's replies hold the result, text fields, the symbol list and the
// two USB ids; anything else would make jsoncpp throw through a C entry.
bool WellFormedReply(const Json::Value& reply) {
  if (!reply["ret"].isInt()) return false;
  for (const std::string& name : reply.getMemberNames()) {
    const Json::Value& field = reply[name];
    if (name == "ret") continue;
    if (name == "vid" || name == "pid") {
      if (!field.isUInt()) return false;
    } else if (name == "symbols") {
      if (!field.isArray()) return false;
      for (const Json::Value& symbol : field) {
        if (!symbol.isString()) return false;
      }
    } else if (!field.isString()) {
      return false;
    }
  }
  return true;
}

class EntryCall {
 public:
  EntryCall(const char* entry, const char* sym)
      : failure_(drivesim::FailureOf(entry).value), valid_(true) {
    request_["entry"] = entry;
    if (sym != nullptr) request_["sym"] = SymbolText(sym);
  }
  EntryCall(const char* entry, const char* sym, bool valid) : EntryCall(entry, sym) {
    valid_ = valid && sym != nullptr;
  }

  Json::Value& operator[](const char* key) { return request_[key]; }
  Json::Value& request() { return request_; }

  // The entry's result; `reply()` holds the outputs when it is not the
  // failure value.
  int Run() {
    if (!valid_) return failure_;
    const auto reply = drivesim::AskDaemon(request_);
    if (!reply || !WellFormedReply(*reply)) return failure_;
    reply_ = *reply;
    return reply_["ret"].asInt();
  }
  int failure() const { return failure_; }
  const Json::Value& reply() const { return reply_; }

 private:
  Json::Value request_;
  Json::Value reply_;
  int failure_;
  bool valid_;
};

int ListSymbols(const char* entry, char* symbols, int max_count) {
  EntryCall call(entry, nullptr);
  if (symbols == nullptr || max_count <= 0) return call.failure();
  call["max"] = max_count;
  const int count = call.Run();
  const Json::Value& list = call.reply()["symbols"];
  if (count <= 0 || !list.isArray()) return count > 0 ? call.failure() : count;
  const int n = std::min({count, max_count, static_cast<int>(list.size())});
  for (int i = 0; i < n; ++i) {
    char* slot = symbols + static_cast<std::size_t>(i) * kSymbolSize;
    std::memset(slot, 0, kSymbolSize);
    CopyText(slot, kSymbolSize, list[i].asString());
  }
  return n;
}

int SymbolOnly(const char* entry, char* sym) {
  EntryCall call(entry, sym, true);
  return call.Run();
}

int CustomData(const char* entry, char* sym, unsigned char* data, int length, bool write) {
  EntryCall call(entry, sym, data != nullptr && length > 0);
  call["length"] = length;
  if (write && data != nullptr && length > 0) {
    call["data"] = drivesim::ToHex(data, static_cast<std::size_t>(length));
  }
  const int result = call.Run();
  if (write || result == call.failure()) return result;
  if (length != kCustomDataSize || !CopyBytes(data, kCustomDataSize, call.reply()["data"])) {
    return call.failure();
  }
  return result;
}

int FingerprintStatus(const char* entry, char* sym, unsigned char* status8) {
  EntryCall call(entry, sym, status8 != nullptr);
  const int result = call.Run();
  if (result == call.failure()) return result;
  if (!CopyBytes(status8, 8, call.reply()["status"])) return call.failure();
  return result;
}

}  // namespace

extern "C" {

DRIVESIM_EXPORT int GetUsbIdList(char* symbols, int maxCount) {
  return ListSymbols("GetUsbIdList", symbols, maxCount);
}

DRIVESIM_EXPORT int GetDriveList(char* symbols, int maxCount) {
  return ListSymbols("GetDriveList", symbols, maxCount);
}

DRIVESIM_EXPORT int JMGetDiskLetterEx(char* sym, char* letters) {
  EntryCall call("JMGetDiskLetterEx", sym, letters != nullptr);
  const int result = call.Run();
  if (result == 1) CopyText(letters, 26, call.reply()["letters"].asString());
  return result;
}

DRIVESIM_EXPORT int JMGetDiskLetter(char* sym, char* letter) {
  EntryCall call("JMGetDiskLetter", sym, letter != nullptr);
  const int result = call.Run();
  if (result == 1) {
    const std::string letters = call.reply()["letters"].asString();
    *letter = letters.empty() ? '\0' : letters[0];
  }
  return result;
}

DRIVESIM_EXPORT int AP_GetProductInfo(char* sym, char* vendor64, char* product64, char* serial64,
                                      char* revision42) {
  EntryCall call("AP_GetProductInfo", sym, vendor64 && product64 && serial64 && revision42);
  const int result = call.Run();
  if (result == call.failure()) return result;
  CopyText(vendor64, 64, call.reply()["vendor"].asString());
  CopyText(product64, 64, call.reply()["product"].asString());
  CopyText(serial64, 64, call.reply()["serial"].asString());
  CopyText(revision42, 42, call.reply()["revision"].asString());
  return result;
}

DRIVESIM_EXPORT int AP_GetSecurityStatus(char* sym, int mode, unsigned char* status32) {
  EntryCall call("AP_GetSecurityStatus", sym, status32 != nullptr);
  call["mode"] = mode;
  const int result = call.Run();
  if (result == call.failure()) return result;
  if (!CopyBytes(status32, 32, call.reply()["status"])) return call.failure();
  return result;
}

DRIVESIM_EXPORT int AP_Login(char* sym, unsigned char* password32, int mode) {
  EntryCall call("AP_Login", sym, password32 != nullptr);
  if (password32 != nullptr) AddPassword(call.request(), "pw_", password32);
  call["mode"] = mode;
  return call.Run();
}

DRIVESIM_EXPORT int AP_SetPwd(char* sym, unsigned char* password32) {
  EntryCall call("AP_SetPwd", sym, password32 != nullptr);
  if (password32 != nullptr) AddPassword(call.request(), "pw_", password32);
  return call.Run();
}

DRIVESIM_EXPORT int AP_ChangePwd(char* sym, unsigned char* oldAndNew64) {
  EntryCall call("AP_ChangePwd", sym, oldAndNew64 != nullptr);
  if (oldAndNew64 != nullptr) {
    AddPassword(call.request(), "old_", oldAndNew64);
    AddPassword(call.request(), "new_", oldAndNew64 + kPasswordSize);
  }
  return call.Run();
}

DRIVESIM_EXPORT int AP_EraseSecurityInfo(char* sym) {
  return SymbolOnly("AP_EraseSecurityInfo", sym);
}

DRIVESIM_EXPORT int AP_EraseSecurityInfoSafeMode(char* sym) {
  return SymbolOnly("AP_EraseSecurityInfoSafeMode", sym);
}

DRIVESIM_EXPORT int JMChipRstEx(char* sym) { return SymbolOnly("JMChipRstEx", sym); }

DRIVESIM_EXPORT int JMChipRst(char* sym) { return SymbolOnly("JMChipRst", sym); }

DRIVESIM_EXPORT int AP_DiskPartition(char* sym, int style, int count) {
  EntryCall call("AP_DiskPartition", sym, true);
  call["style"] = style;
  call["count"] = count;
  return call.Run();
}

DRIVESIM_EXPORT int AP_ModifyPartition(char* sym, int style, int count) {
  EntryCall call("AP_ModifyPartition", sym, true);
  call["style"] = style;
  call["count"] = count;
  return call.Run();
}

DRIVESIM_EXPORT int AP_FormatDisk(char* sym, const char* fileSystem, const char* label, int quick,
                                  int partition) {
  EntryCall call("AP_FormatDisk", sym, fileSystem != nullptr && label != nullptr);
  if (fileSystem != nullptr && label != nullptr) {
    call["fs"] = std::string(fileSystem, strnlen(fileSystem, 64));
    call["label"] = std::string(label, strnlen(label, 64));
  }
  call["quick"] = quick;
  call["partition"] = partition;
  return call.Run();
}

DRIVESIM_EXPORT int JMSafeRemoveEx(char* sym) { return SymbolOnly("JMSafeRemoveEx", sym); }

DRIVESIM_EXPORT int JMSafeRemove(char* sym) { return SymbolOnly("JMSafeRemove", sym); }

DRIVESIM_EXPORT int AP_SendFingerprint(char* sym, unsigned char* frame, int length) {
  EntryCall call("AP_SendFingerprint", sym, frame != nullptr && length > 0 && length <= 64);
  if (frame != nullptr && length > 0 && length <= 64) {
    call["frame"] = drivesim::ToHex(frame, static_cast<std::size_t>(length));
  }
  return call.Run();
}

DRIVESIM_EXPORT int AP_ReceiveFingerprint(char* sym, unsigned char* frame, int length) {
  EntryCall call("AP_ReceiveFingerprint", sym, frame != nullptr && length > 0);
  call["length"] = length;
  const int result = call.Run();
  if (result == call.failure()) return result;
  if (!CopyBytes(frame, static_cast<std::size_t>(length), call.reply()["frame"])) {
    return call.failure();
  }
  return result;
}

DRIVESIM_EXPORT int AP_ReadCustomData_New(char* sym, unsigned char* data, int length) {
  return CustomData("AP_ReadCustomData_New", sym, data, length, false);
}

DRIVESIM_EXPORT int AP_WriteCustomData_New(char* sym, unsigned char* data, int length) {
  return CustomData("AP_WriteCustomData_New", sym, data, length, true);
}

DRIVESIM_EXPORT int AP_ReadCustomData(char* sym, unsigned char* data, int length) {
  return CustomData("AP_ReadCustomData", sym, data, length, false);
}

DRIVESIM_EXPORT int AP_WriteCustomData(char* sym, unsigned char* data, int length) {
  return CustomData("AP_WriteCustomData", sym, data, length, true);
}

DRIVESIM_EXPORT int AP_FingerPrintFunctControl(char* sym, int on) {
  EntryCall call("AP_FingerPrintFunctControl", sym, true);
  call["on"] = on;
  return call.Run();
}

DRIVESIM_EXPORT int AP_FingerPrintPowerControl(char* sym, int on) {
  EntryCall call("AP_FingerPrintPowerControl", sym, true);
  call["on"] = on;
  return call.Run();
}

DRIVESIM_EXPORT int AP_GetFingerprintStatus_VendorEx(char* sym, unsigned char* status8) {
  return FingerprintStatus("AP_GetFingerprintStatus_VendorEx", sym, status8);
}

DRIVESIM_EXPORT int AP_GetFingerprintStatus_SetupEx(char* sym, unsigned char* status8) {
  return FingerprintStatus("AP_GetFingerprintStatus_SetupEx", sym, status8);
}

DRIVESIM_EXPORT int GetSDKVer(char* version16) {
  EntryCall call("GetSDKVer", nullptr);
  if (version16 == nullptr) return call.failure();
  const int result = call.Run();
  if (result != call.failure()) CopyText(version16, 16, call.reply()["version"].asString());
  return result;
}

DRIVESIM_EXPORT int JMGetVolumeName(char* sym, char* name, int length) {
  EntryCall call("JMGetVolumeName", sym, name != nullptr && length > 0);
  const int result = call.Run();
  if (result != call.failure()) {
    CopyText(name, static_cast<std::size_t>(length), call.reply()["name"].asString());
  }
  return result;
}

DRIVESIM_EXPORT int JMGetUsbId(char* sym, unsigned short* vid, unsigned short* pid) {
  EntryCall call("JMGetUsbId", sym, vid != nullptr && pid != nullptr);
  const int result = call.Run();
  if (result != call.failure()) {
    *vid = static_cast<unsigned short>(call.reply()["vid"].asUInt());
    *pid = static_cast<unsigned short>(call.reply()["pid"].asUInt());
  }
  return result;
}

DRIVESIM_EXPORT int AP_CreateHandle(char* sym) { return SymbolOnly("AP_CreateHandle", sym); }

DRIVESIM_EXPORT int AP_GetDiskSize(char* sym, unsigned long long* bytes) {
  EntryCall call("AP_GetDiskSize", sym, bytes != nullptr);
  const int result = call.Run();
  if (result != call.failure()) {
    *bytes = std::strtoull(call.reply()["bytes"].asString().c_str(), nullptr, 10);
  }
  return result;
}

DRIVESIM_EXPORT int AP_EraseDisk(char* sym, int mode) {
  EntryCall call("AP_EraseDisk", sym, true);
  call["mode"] = mode;
  return call.Run();
}

DRIVESIM_EXPORT int AP_CheckArea(char* sym, int area) {
  EntryCall call("AP_CheckArea", sym, true);
  call["area"] = area;
  return call.Run();
}

DRIVESIM_EXPORT int AP_ChangeLunNumber(char* sym, int count) {
  EntryCall call("AP_ChangeLunNumber", sym, true);
  call["count"] = count;
  return call.Run();
}

DRIVESIM_EXPORT int AP_GetFwVersion(char* sym, char* version32) {
  EntryCall call("AP_GetFwVersion", sym, version32 != nullptr);
  const int result = call.Run();
  if (result != call.failure()) CopyText(version32, 32, call.reply()["version"].asString());
  return result;
}

}  // extern "C"

// Every entry the system binds is exported with exactly the type it binds.
#define DRIVESIM_CHECK_EXPORT(name, required)                          \
  static_assert(std::is_same_v<decltype(&::name), ::name##_t>, #name); \
  static_assert(drivesim::FailureOf(#name).known, #name);
ORLU_BRIDGE_ENTRIES(DRIVESIM_CHECK_EXPORT)
#undef DRIVESIM_CHECK_EXPORT
