#include "client/fingerprint/custom_data_block.h"

#include <cstring>

#include "client/fingerprint/bounded_text.h"
#include "client/fingerprint/fp_channel.h"
#include "common/bridge/bridge_api.h"
#include "common/bridge/diagnostic_sink.h"
#include "common/bridge/shared_entries.h"
#include "platform/secure_zero.h"

using bridge::Trace;

namespace {

FpUser* Slot(UserConfig* view, int slot) {
  return reinterpret_cast<FpUser*>(view->block + slot * static_cast<int>(sizeof(FpUser)));
}

bool ReadBlock(const char* driveSymbol, std::uint8_t* buffer) {
  auto read = bridge::GetSharedEntries().readCustomData;
  if (!read || !driveSymbol) return false;
  char symbol[64] = {};
  std::strncpy(symbol, driveSymbol, sizeof symbol - 1);
  return read(symbol, buffer, kCustomDataSize) != 0;
}

bool WriteBlock(const char* driveSymbol, std::uint8_t* buffer) {
  auto write = bridge::GetSharedEntries().writeCustomData;
  if (!write || !driveSymbol) return false;
  char symbol[64] = {};
  std::strncpy(symbol, driveSymbol, sizeof symbol - 1);
  int result = write(symbol, buffer, kCustomDataSize);
  Trace("WriteCustomData(), res = %d.", result);
  return result != 0;
}

// "<name>= xx xx ...\n"
void TraceBytes(const char* name, const std::uint8_t* bytes, int count) {
  char text[kCustomDataSize * 3 + 1];
  bridge::FormatHexBytes(bytes, count, text, sizeof text);
  Trace("%s=%s\n", name, text);
}

}  // namespace

std::uint8_t CustomDataChecksum(const std::uint8_t* block) {
  unsigned sum = 0;
  for (int i = 0; i < kChecksummedBytes; ++i) sum += block[i];
  return static_cast<std::uint8_t>(sum);
}

UserConfig* LoadUserConfig(const char* driveSymbol, UserConfig* view, std::uint8_t* buffer) {
  view->initialised = 0;
  view->userNum = 0;
  view->block = buffer;
  if (!ReadBlock(driveSymbol, buffer)) {
    Trace("Errro, Read Custon Data!");
    return nullptr;
  }
  {
    // Blocks written elsewhere may hold a password copy: never trace it.
    std::uint8_t shown[kCustomDataSize];
    std::memcpy(shown, buffer, sizeof shown);
    std::memset(shown + kPasswordAreaOffset, 0, kPasswordAreaBytes);
    TraceBytes("customdata", shown, kCustomDataSize);
  }
  if (buffer[kChecksumOffset] != CustomDataChecksum(buffer)) {
    std::memset(buffer, 0, kCustomDataSize);
    if (!WriteBlock(driveSymbol, buffer)) {
      Trace("Error, WriteCustomData(), res = %d.", 0);
      return nullptr;
    }
    view->initialised = 1;
    return view;
  }
  view->initialised = 1;
  for (int i = 0; i < MAXUSERNUM; ++i) {
    if (!GetUserAt(view, i)) break;
    ++view->userNum;
    Trace("guc.userNum++ = %d.", view->userNum);
  }
  return view;
}

int SaveUserConfig(const char* driveSymbol, UserConfig* view) {
  view->block[kChecksumOffset] = CustomDataChecksum(view->block);
  return WriteBlock(driveSymbol, view->block) ? 0 : FP_ERR_TABLE_WRITE;
}

FpUser* GetUserAt(UserConfig* view, int index) {
  if (index >= MAXUSERNUM || index < 0) {
    Trace("Begin, MAXUSERNUM = %d.", MAXUSERNUM);
    return nullptr;
  }
  if (!view || !view->initialised) {
    Trace("The globle val guc not be init.");
    return nullptr;
  }
  int seen = -1;
  for (int slot = 0; slot < MAXUSERNUM; ++slot) {
    if (Slot(view, slot)->id > 0 && ++seen == index) return Slot(view, slot);
  }
  return nullptr;
}

FpUser* vsFindUsers(UserConfig* view, int userId) {
  if (userId <= 0) {
    Trace("The userID = %d.", userId);
    return nullptr;
  }
  if (!view || !view->initialised) return nullptr;
  for (int slot = 0; slot < MAXUSERNUM; ++slot) {
    if (Slot(view, slot)->id == userId) return Slot(view, slot);
  }
  Trace("Not fond id = %d user in space.", userId);
  return nullptr;
}

int UpdateUser(const char* driveSymbol, UserConfig* view, const FpUser* user) {
  if (!user) return -1;
  FpUser* slot = vsFindUsers(view, user->id);
  if (!slot) return -1;
  std::memcpy(slot, user, sizeof(FpUser));
  return SaveUserConfig(driveSymbol, view);
}

int addUserToCustomerSpace(const char* driveSymbol, UserConfig* view, const FpUser* user) {
  if (!view || !view->initialised || !user) return -1;
  if (user->id == 0) {
    Trace("The afp->id == 0 !");
    return -1;
  }
  // A negative id would land in a slot that still reads as free: the add
  // would report success while the finger has no record.
  if (user->id < 0) {
    Trace("The userID = %d.", user->id);
    return -1;
  }
  if (FpUser* existing = vsFindUsers(view, user->id)) {
    Trace("This finger allready exist.");
    std::memset(existing, 0, sizeof(FpUser));
    --view->userNum;
  }
  FpUser* free = nullptr;
  for (int slot = 0; slot < MAXUSERNUM && !free; ++slot) {
    if (Slot(view, slot)->id <= 0) free = Slot(view, slot);
  }
  if (!free) {
    Trace("Not have space.");
    return -1;
  }
  std::memcpy(free, user, sizeof(FpUser));
  if (SaveUserConfig(driveSymbol, view) != 0) {
    Trace("write custom data to NS!");
    return -2;
  }
  ++view->userNum;
  Trace("uc->userNum++ = %d.", view->userNum);
  return 0;
}

bool delUserToCustomerSpace(const char* driveSymbol, UserConfig* view, const FpUser* user) {
  if (!view || !view->initialised || !user) return false;
  FpUser* slot = vsFindUsers(view, user->id);
  if (!slot) {
    Trace("Not find afp->id = %d.", user->id);
    return false;
  }
  std::memset(slot, 0, sizeof(FpUser));
  if (SaveUserConfig(driveSymbol, view) != 0) return false;
  if (view->userNum > 0) --view->userNum;
  Trace("uc->userNum-- = %d.", view->userNum);
  return true;
}

int AddFingerUser(const char* driveSymbol, FpUser user) {
  Trace("Begin, fp.id = %d.", user.id);
  std::uint8_t buffer[kCustomDataSize];
  UserConfig view;
  if (!LoadUserConfig(driveSymbol, &view, buffer)) return FP_ERR_BLOCK_UNREADABLE;
  return addUserToCustomerSpace(driveSymbol, &view, &user);
}

int DeleteFingerUser(const char* driveSymbol, FpUser user) {
  Trace("Begin ..., fp.id = %d. ", user.id);
  std::uint8_t buffer[kCustomDataSize];
  UserConfig view;
  if (!LoadUserConfig(driveSymbol, &view, buffer)) return FP_ERR_BLOCK_UNREADABLE;
  if (!vsFindUsers(&view, user.id)) {
    Trace("vsFindUsers(), fp.id = %d!", user.id);
    return -1;
  }
  int erased = FpEraseUser(driveSymbol, static_cast<std::uint8_t>(user.id));
  if (erased != 0) {
    Trace("Erase one user on NS, res = %d.", erased);
    return erased;
  }
  if (!delUserToCustomerSpace(driveSymbol, &view, &user)) {
    Trace("delUserToCustomerSpace(), res = %d.", 0);
    return FP_ERR_TABLE_DELETE;
  }
  return 0;
}

bool ListFingerUsers(const char* driveSymbol, FpUser users[kMaxListedFingers], int* count) {
  std::memset(users, 0, sizeof(FpUser) * kMaxListedFingers);
  *count = 0;
  std::uint8_t buffer[kCustomDataSize];
  UserConfig view;
  if (!LoadUserConfig(driveSymbol, &view, buffer)) return false;
  for (int i = 0; i < kMaxListedFingers; ++i) {
    const FpUser* user = GetUserAt(&view, i);
    if (!user) break;
    users[i] = *user;
    ++*count;
  }
  return true;
}

bool WriteRemark(const char* driveSymbol, const std::uint8_t hint[kHintBytes]) {
  std::uint8_t buffer[kCustomDataSize];
  UserConfig view;
  if (!LoadUserConfig(driveSymbol, &view, buffer)) return false;
  std::memcpy(buffer + kHintOffset, hint, kHintBytes);
  // The password area stays zero: the block is readable while the drive is
  // locked, so a password copy there would give the password away.
  std::memset(buffer + kPasswordAreaOffset, 0, kPasswordAreaBytes);
  buffer[kHintFlagOffset] = 1;
  TraceBytes("write remark", hint, kHintBytes);
  return SaveUserConfig(driveSymbol, &view) == 0;
}

bool ReadRemark(const char* driveSymbol, std::uint8_t hint[kHintBytes], std::uint8_t rest[32]) {
  std::uint8_t buffer[kCustomDataSize];
  UserConfig view;
  if (!LoadUserConfig(driveSymbol, &view, buffer)) return false;
  if (buffer[kHintFlagOffset] == 0) return false;
  std::memcpy(hint, buffer + kHintOffset, kHintBytes);
  std::memcpy(rest, buffer + kPasswordAreaOffset, 32);
  // Blocks written by older software may hold a password copy there.
  platform::SecureZero(buffer, sizeof buffer);
  TraceBytes("read remark", hint, kHintBytes);
  return true;
}

void SetUserName(FpUser* user, const std::string& utf8Name) {
  char16_t units[31];
  std::size_t length = Utf8ToUtf16Bounded(utf8Name.data(), utf8Name.size(), units, 31);
  std::size_t kept = Utf16CutPoint(units, length, kNameUnits);
  std::memset(user->name, 0, sizeof user->name);
  StoreUtf16Le(units, kept, user->name);
}

std::string GetUserName(const FpUser& user) {
  char16_t units[kNameUnits];
  LoadUtf16Le(user.name, kNameUnits, units);
  char text[kNameUnits * 4 + 1];
  Utf16ToUtf8Bounded(units, kNameUnits, text, sizeof text);
  return text;
}

FpListItem MakeListItem(const FpUser& user) {
  FpListItem item{};
  item.id = user.id;
  char16_t units[kNameUnits];
  LoadUtf16Le(user.name, kNameUnits, units);
  // UTF-8 may need more than 30 bytes for 15 units: cut at a character.
  Utf16ToUtf8Bounded(units, kNameUnits, item.name, sizeof item.name);
  return item;
}

std::vector<FpListItem> GetFingerList(BridgeApi& bridge, int driveIndex) {
  BridgeApi::SymbolBuffer symbol;
  std::vector<FpListItem> items;
  if (!bridge.CopySymbol(driveIndex, symbol)) return items;
  FpUser users[kMaxListedFingers];
  int count = 0;
  if (!ListFingerUsers(symbol, users, &count)) return items;
  for (int i = 0; i < count; ++i) items.push_back(MakeListItem(users[i]));
  return items;
}

std::string ReadPasswordHint(BridgeApi& bridge, int driveIndex) {
  BridgeApi::SymbolBuffer symbol;
  if (!bridge.CopySymbol(driveIndex, symbol)) return {};
  std::uint8_t hint[kHintBytes];
  std::uint8_t rest[32];
  if (!ReadRemark(symbol, hint, rest)) return {};
  platform::SecureZero(rest, sizeof rest);
  char16_t units[kHintUnits];
  LoadUtf16Le(hint, kHintUnits, units);
  char text[kHintUnits * 4 + 1];
  Utf16ToUtf8Bounded(units, kHintUnits, text, sizeof text);
  return text;
}

bool WritePasswordHint(BridgeApi& bridge, const std::string& hint, int driveIndex) {
  BridgeApi::SymbolBuffer symbol;
  if (!bridge.CopySymbol(driveIndex, symbol)) return false;
  char16_t units[33];
  std::size_t length = Utf8ToUtf16Bounded(hint.data(), hint.size(), units, 33);
  std::size_t kept = Utf16CutPoint(units, length, kHintUnits);
  std::uint8_t field[kHintBytes] = {};
  StoreUtf16Le(units, kept, field);
  return WriteRemark(symbol, field);
}
