#include "emulator/daemon/entry_calls.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "emulator/daemon/fingerprint_sensor.h"
#include "emulator/daemon/volume_folder.h"
#include "emulator/protocol/entry_failures.h"
#include "emulator/protocol/hex.h"
#include "emulator/protocol/password_digest.h"

namespace drivesim {

namespace {

constexpr char kVendor[] = "ORLU";
constexpr char kRevision[] = "0100";
constexpr char kFirmware[] = "ORLU-FW 1.00";
constexpr char kSdkVersion[] = "1.0.0";
constexpr int kUsbVendorId = 0x1209;
constexpr int kUsbProductId = 0x0001;
constexpr int kMaxPasswordBytes = 32;
constexpr std::uint64_t kDefaultDiskBytes = 500ull * 1000 * 1000 * 1000;

struct Call {
  World& world;
  LetterMapWriter& letters;
  const Json::Value& request;
  std::int64_t now_ms;
  Drive* drive;  // null for entries without a symbol
  Json::Value reply;

  Json::Value& Ret(int value) { return reply["ret"] = value; }
};

// A password argument: the caller's digest of the password and its length.
struct PasswordArg {
  std::string digest;
  int length = 0;
  bool usable() const { return length > 0 && length <= kMaxPasswordBytes && digest.size() == 64; }
};

PasswordArg ReadPassword(const Json::Value& request, const char* prefix) {
  const std::string p(prefix);
  return {request[p + "digest"].asString(), request[p + "length"].asInt()};
}

bool PasswordMatches(const Drive& drive, const PasswordArg& password) {
  return drive.password_set && password.usable() &&
         SameSecret(SaltedDigestHex(drive.password_salt, password.digest), drive.password_hash);
}

void StorePassword(Drive& drive, const PasswordArg& password) {
  drive.password_salt = NewSaltHex();
  drive.password_hash = SaltedDigestHex(drive.password_salt, password.digest);
  drive.password_set = true;
}

void ClearPassword(Drive& drive) {
  drive.password_set = false;
  drive.locked = false;
  drive.password_salt.clear();
  drive.password_hash.clear();
}

// The drive drops off the bus and comes back after the re-enumeration delay;
// a drive with a password comes back locked unless told otherwise.
void Reenumerate(Call& call, bool relock) {
  Drive& drive = *call.drive;
  if (relock && drive.password_set) drive.locked = true;
  drive.pending_reply.clear();
  drive.gone_since_ms = std::max<std::int64_t>(call.now_ms, 1);
  call.letters.Withdraw(drive);
}

bool DataAreaOpen(const Drive& drive) { return !drive.password_set || !drive.locked; }

void ListSymbols(Call& call) {
  int max_count = call.request["max"].asInt();
  Json::Value symbols(Json::arrayValue);
  for (const Drive& drive : call.world.drives) {
    if (static_cast<int>(symbols.size()) >= max_count) break;
    if (call.world.IsPresent(drive, call.now_ms)) symbols.append(drive.symbol);
  }
  call.reply["symbols"] = symbols;
  call.Ret(static_cast<int>(symbols.size()));
}

void SecurityStatus(Call& call) {
  const Drive& drive = *call.drive;
  std::uint8_t status[32] = {};
  status[0] = 1;  // security feature present
  if (drive.password_set) {
    status[1] = drive.locked ? 0x55 : 0xAA;
    status[2] = 0xFF;
  }
  call.reply["status"] = ToHex(status, sizeof status);
  call.Ret(1);
}

void Login(Call& call) {
  Drive& drive = *call.drive;
  if (!PasswordMatches(drive, ReadPassword(call.request, "pw_"))) {
    call.Ret(0);
    return;
  }
  call.Ret(1);
  if (drive.locked) {
    drive.locked = false;
    // The data area opens: the drive re-enumerates, unlocked.
    Reenumerate(call, /*relock=*/false);
  }
}

void SetPassword(Call& call) {
  Drive& drive = *call.drive;
  const PasswordArg password = ReadPassword(call.request, "pw_");
  if (drive.password_set || !password.usable()) {
    call.Ret(0);
    return;
  }
  StorePassword(drive, password);
  drive.locked = false;  // locks at the next reset
  call.Ret(1);
}

void ChangePassword(Call& call) {
  Drive& drive = *call.drive;
  const PasswordArg old_password = ReadPassword(call.request, "old_");
  const PasswordArg new_password = ReadPassword(call.request, "new_");
  if (!PasswordMatches(drive, old_password) || !new_password.usable()) {
    call.Ret(0);
    return;
  }
  // Changing to the same password is how callers check one: nothing changes.
  if (!SameSecret(old_password.digest, new_password.digest)) StorePassword(drive, new_password);
  call.Ret(1);
}

// What erasing or re-partitioning leaves: an empty, unformatted volume.
void WipeVolume(Drive& drive) {
  EmptyFolder(drive.volume_dir);
  drive.formatted = false;
  drive.label.clear();
}

// The forgotten-password erase: the password goes and the data with it.
void EraseSecurityInfo(Call& call) {
  Drive& drive = *call.drive;
  ClearPassword(drive);
  WipeVolume(drive);
  call.Ret(1);
}

// Removing the password of an open drive keeps its data; a locked drive
// refuses, or anyone could open it without the password.
void EraseSecurityInfoSafeMode(Call& call) {
  Drive& drive = *call.drive;
  if (!DataAreaOpen(drive)) {
    call.Ret(0);
    return;
  }
  ClearPassword(drive);
  call.Ret(1);
}

void Partition(Call& call) {
  Drive& drive = *call.drive;
  const int count = call.request["count"].asInt();
  if (!DataAreaOpen(drive) || count < 1 || count > 4 || drive.in_use) {
    call.Ret(0);
    return;
  }
  WipeVolume(drive);
  call.Ret(1);
}

void Format(Call& call) {
  Drive& drive = *call.drive;
  const std::string file_system = call.request["fs"].asString();
  const std::string label = call.request["label"].asString();
  if (!DataAreaOpen(drive) || file_system.empty() || label.size() > 32 || drive.in_use) {
    call.Ret(0);
    return;
  }
  EmptyFolder(drive.volume_dir);
  drive.label = label;
  drive.formatted = true;
  call.Ret(1);
}

void SafeRemove(Call& call) {
  Drive& drive = *call.drive;
  if (drive.in_use) {
    call.Ret(-1);
    return;
  }
  drive.attached = false;
  drive.pending_reply.clear();
  call.letters.Withdraw(drive);
  call.Ret(1);
}

void SendFingerprint(Call& call) {
  Drive& drive = *call.drive;
  const auto frame = FromHex(call.request["frame"].asString());
  if (!drive.has_sensor || !frame || frame->size() != kCommandFrameSize) {
    call.Ret(0);
    return;
  }
  std::uint8_t command[kCommandFrameSize];
  std::copy(frame->begin(), frame->end(), command);
  drive.pending_reply = AnswerFingerprintFrame(drive, command);
  call.Ret(1);
}

void ReceiveFingerprint(Call& call) {
  Drive& drive = *call.drive;
  const int length = call.request["length"].asInt();
  if (!drive.has_sensor || drive.pending_reply.empty() ||
      (length != static_cast<int>(kShortReplySize) && length != static_cast<int>(kLongReplySize))) {
    call.Ret(0);
    return;
  }
  std::vector<std::uint8_t> reply = std::move(drive.pending_reply);
  drive.pending_reply.clear();
  if (call.world.damage_frames) reply.back() ^= 0xFF;
  reply.resize(static_cast<std::size_t>(length), 0);
  call.reply["frame"] = ToHex(reply);
  call.Ret(1);
}

void ReadCustomData(Call& call) {
  const Drive& drive = *call.drive;
  if (call.request["length"].asInt() != static_cast<int>(kCustomDataSize)) {
    call.Ret(0);
    return;
  }
  call.reply["data"] = ToHex(drive.custom_data.data(), drive.custom_data.size());
  call.Ret(1);
}

// All or nothing: a block of any other size leaves the area as it was.
void WriteCustomData(Call& call) {
  Drive& drive = *call.drive;
  const auto data = FromHex(call.request["data"].asString());
  if (call.request["length"].asInt() != static_cast<int>(kCustomDataSize) || !data ||
      data->size() != kCustomDataSize) {
    call.Ret(0);
    return;
  }
  std::copy(data->begin(), data->end(), drive.custom_data.begin());
  call.Ret(1);
}

void FingerprintUnlockSwitch(Call& call) {
  Drive& drive = *call.drive;
  const int on = call.request["on"].asInt();
  if (!drive.has_sensor || !DataAreaOpen(drive) || (on != 0 && on != 1)) {
    call.Ret(1);
    return;
  }
  drive.fp_unlock = on == 1;
  call.Ret(0);
}

void FingerprintStatusCall(Call& call) {
  if (!call.drive->has_sensor) {
    call.Ret(0);
    return;
  }
  const auto status = FingerprintStatus(*call.drive);
  call.reply["status"] = ToHex(status.data(), status.size());
  call.Ret(1);
}

void EraseDisk(Call& call) {
  Drive& drive = *call.drive;
  if (!DataAreaOpen(drive) || drive.in_use) {
    call.Ret(0);
    return;
  }
  WipeVolume(drive);
  call.Ret(1);
}

using Handler = void (*)(Call&);

struct EntryHandler {
  bool takes_symbol;
  Handler handle;
};

const std::map<std::string, EntryHandler, std::less<>>& Handlers() {
  static const std::map<std::string, EntryHandler, std::less<>> handlers = {
      {"GetUsbIdList", {false, ListSymbols}},
      {"GetDriveList", {false, ListSymbols}},
      {"GetSDKVer",
       {false,
        [](Call& c) {
          c.reply["version"] = kSdkVersion;
          c.Ret(1);
        }}},
      {"JMGetDiskLetterEx",
       {true,
        [](Call& c) {
          if (c.drive->letter == 0) {
            c.Ret(0);
            return;
          }
          c.reply["letters"] = std::string(1, c.drive->letter);
          c.Ret(1);
        }}},
      {"JMGetDiskLetter",
       {true,
        [](Call& c) {
          c.reply["letters"] = c.drive->letter ? std::string(1, c.drive->letter) : "";
          c.Ret(c.drive->letter ? 1 : 0);
        }}},
      {"AP_GetProductInfo",
       {true,
        [](Call& c) {
          c.reply["vendor"] = kVendor;
          c.reply["product"] = c.drive->product;
          c.reply["serial"] = "ORLU" + std::to_string(100000 + c.drive->id);
          c.reply["revision"] = kRevision;
          c.Ret(1);
        }}},
      {"AP_GetSecurityStatus", {true, SecurityStatus}},
      {"AP_Login", {true, Login}},
      {"AP_SetPwd", {true, SetPassword}},
      {"AP_ChangePwd", {true, ChangePassword}},
      {"AP_EraseSecurityInfo", {true, EraseSecurityInfo}},
      {"AP_EraseSecurityInfoSafeMode", {true, EraseSecurityInfoSafeMode}},
      {"JMChipRstEx",
       {true,
        [](Call& c) {
          Reenumerate(c, /*relock=*/true);
          c.Ret(1);
        }}},
      {"JMChipRst",
       {true,
        [](Call& c) {
          Reenumerate(c, /*relock=*/true);
          c.Ret(1);
        }}},
      {"AP_DiskPartition", {true, Partition}},
      {"AP_ModifyPartition", {true, Partition}},
      {"AP_FormatDisk", {true, Format}},
      {"JMSafeRemoveEx", {true, SafeRemove}},
      {"JMSafeRemove", {true, SafeRemove}},
      {"AP_SendFingerprint", {true, SendFingerprint}},
      {"AP_ReceiveFingerprint", {true, ReceiveFingerprint}},
      {"AP_ReadCustomData_New", {true, ReadCustomData}},
      {"AP_ReadCustomData", {true, ReadCustomData}},
      {"AP_WriteCustomData_New", {true, WriteCustomData}},
      {"AP_WriteCustomData", {true, WriteCustomData}},
      {"AP_FingerPrintFunctControl", {true, FingerprintUnlockSwitch}},
      {"AP_FingerPrintPowerControl", {true, [](Call& c) { c.Ret(c.drive->has_sensor ? 0 : 1); }}},
      {"AP_GetFingerprintStatus_VendorEx", {true, FingerprintStatusCall}},
      {"AP_GetFingerprintStatus_SetupEx", {true, FingerprintStatusCall}},
      {"JMGetVolumeName",
       {true,
        [](Call& c) {
          c.reply["name"] = c.drive->label;
          c.Ret(1);
        }}},
      {"JMGetUsbId",
       {true,
        [](Call& c) {
          c.reply["vid"] = kUsbVendorId;
          c.reply["pid"] = kUsbProductId;
          c.Ret(1);
        }}},
      {"AP_CreateHandle", {true, [](Call& c) { c.Ret(1); }}},
      {"AP_GetDiskSize",
       {true,
        [](Call& c) {
          const std::uint64_t bytes = c.drive->size_bytes ? c.drive->size_bytes : kDefaultDiskBytes;
          c.reply["bytes"] = std::to_string(bytes);
          c.Ret(1);
        }}},
      {"AP_EraseDisk", {true, EraseDisk}},
      {"AP_CheckArea", {true, [](Call& c) { c.Ret(DataAreaOpen(*c.drive) ? 1 : 0); }}},
      {"AP_ChangeLunNumber",
       {true,
        [](Call& c) {
          const int count = c.request["count"].asInt();
          c.Ret(count >= 1 && count <= 2 ? 1 : 0);
        }}},
      {"AP_GetFwVersion",
       {true,
        [](Call& c) {
          c.reply["version"] = kFirmware;
          c.Ret(1);
        }}},
  };
  return handlers;
}

// Entries that only read the drive.
bool OnlyReads(std::string_view entry) {
  static constexpr std::string_view kReaders[] = {"GetUsbIdList",
                                                  "GetDriveList",
                                                  "GetSDKVer",
                                                  "JMGetDiskLetterEx",
                                                  "JMGetDiskLetter",
                                                  "AP_GetProductInfo",
                                                  "AP_GetSecurityStatus",
                                                  "AP_ReadCustomData_New",
                                                  "AP_ReadCustomData",
                                                  "JMGetVolumeName",
                                                  "JMGetUsbId",
                                                  "AP_CreateHandle",
                                                  "AP_GetDiskSize",
                                                  "AP_CheckArea",
                                                  "AP_ChangeLunNumber",
                                                  "AP_GetFwVersion",
                                                  "AP_FingerPrintPowerControl",
                                                  "AP_GetFingerprintStatus_VendorEx",
                                                  "AP_GetFingerprintStatus_SetupEx"};
  return std::find(std::begin(kReaders), std::end(kReaders), entry) != std::end(kReaders);
}

}  // namespace

Json::Value HandleEntryCall(World& world, LetterMapWriter& letters, const Json::Value& request,
                            std::int64_t now_ms, bool* changed) {
  *changed = false;
  const std::string name = request["entry"].asString();
  const EntryFailure failure = FailureOf(name);
  const auto handler = Handlers().find(name);
  Json::Value reply;
  if (!failure.known || handler == Handlers().end()) {
    reply["ret"] = 0;
    reply["error"] = "unknown entry " + name;
    return reply;
  }
  reply["ret"] = failure.value;

  Drive* drive = nullptr;
  if (handler->second.takes_symbol) {
    drive = world.FindPresent(request["sym"].asString(), now_ms);
    if (drive == nullptr) return reply;
    ++drive->calls[name];
  } else {
    for (Drive& each : world.drives) {
      if (world.IsPresent(each, now_ms)) ++each.calls[name];
    }
  }
  if (world.TakeFault(name)) {
    *changed = true;
    return reply;
  }
  *changed = !OnlyReads(name);

  Call call{world, letters, request, now_ms, drive, reply};
  handler->second.handle(call);
  return call.reply;
}

}  // namespace drivesim
