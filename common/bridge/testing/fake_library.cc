#include "common/bridge/testing/fake_library.h"

#include <algorithm>
#include <cstring>

FakeLibrary* FakeLibrary::current = nullptr;

namespace {

template <typename F>
struct Stub;
template <typename... A>
struct Stub<int (*)(A...)> {
  static int Call(A...) { return 0; }
};

FakeLibrary& F() { return *FakeLibrary::current; }

int FakeGetUsbIdList(char* symbols, int maxCount) {
  F().Record("GetUsbIdList");
  int n = 0;
  for (const auto& s : F().symbols) {
    if (n >= maxCount) break;
    std::memset(symbols + n * 64, 0, 64);
    std::memcpy(symbols + n * 64, s.data(), std::min<std::size_t>(s.size(), 64));
    ++n;
  }
  return F().countOverride.value_or(n);
}

int FakeGetDiskLetterEx(char* sym, char* letters) {
  F().Record("JMGetDiskLetterEx");
  auto it = F().letters.find(sym);
  std::string text = it == F().letters.end() ? "E" : it->second;
  if (text == "<fail>") return 0;
  std::memcpy(letters, text.data(), std::min<std::size_t>(text.size(), 26));
  return 1;
}

int FakeGetProductInfo(char* sym, char* vendor, char* product, char*, char*) {
  F().Record("AP_GetProductInfo");
  std::strcpy(vendor, "ORLU");
  auto it = F().products.find(sym);
  std::string name = it == F().products.end() ? "ORLU SSD" : it->second;
  std::strncpy(product, name.c_str(), 63);
  return 1;
}

#define FAKE_SYM_ONLY(fn, field, entry)    \
  int fn(char* sym) {                      \
    F().Record(entry);                     \
    F().lastSymbol = sym;                  \
    return F().field ? F().field(sym) : 1; \
  }
FAKE_SYM_ONLY(FakeEraseSecurityInfo, eraseSecurityInfo, "AP_EraseSecurityInfo")
FAKE_SYM_ONLY(FakeEraseSecurityInfoSafeMode, eraseSecurityInfoSafeMode,
              "AP_EraseSecurityInfoSafeMode")
FAKE_SYM_ONLY(FakeChipReset, chipReset, "JMChipRstEx")
FAKE_SYM_ONLY(FakeSafeRemove, safeRemove, "JMSafeRemoveEx")
#undef FAKE_SYM_ONLY

int FakePartition(char* sym, int, int) {
  F().Record("AP_DiskPartition");
  return F().partition ? F().partition(sym) : 1;
}

int FakeFormat(char* sym, const char*, const char*, int, int) {
  F().Record("AP_FormatDisk");
  return F().format ? F().format(sym) : 1;
}

int FakeSecurityStatus(char* sym, int, unsigned char* status) {
  F().Record("AP_GetSecurityStatus");
  if (F().securityStatus) return F().securityStatus(sym, status);
  status[2] = 0;
  return 1;
}

int FakeLogin(char* sym, unsigned char* password, int) {
  F().Record("AP_Login");
  F().lastPassword.assign(password, password + 32);
  return F().login ? F().login(sym, password) : 1;
}

int FakeSetPwd(char* sym, unsigned char* password) {
  F().Record("AP_SetPwd");
  F().lastPassword.assign(password, password + 32);
  return F().setPassword ? F().setPassword(sym, password) : 1;
}

int FakeChangePwd(char* sym, unsigned char* block) {
  F().Record("AP_ChangePwd");
  F().lastPassword.assign(block, block + 64);
  return F().changePassword ? F().changePassword(sym, block) : 1;
}

int FakeFingerprintControl(char* sym, int on) {
  F().Record("AP_FingerPrintFunctControl");
  return F().fingerprintControl ? F().fingerprintControl(sym, on) : 0;
}

int FakeFingerprintStatus(char* sym, unsigned char* status) {
  F().Record("AP_GetFingerprintStatus_VendorEx");
  return F().fingerprintStatus ? F().fingerprintStatus(sym, status) : 1;
}

int FakeSend(char* sym, unsigned char* frame, int length) {
  F().Record("AP_SendFingerprint");
  return F().sendFingerprint ? F().sendFingerprint(sym, frame, length) : 0;
}

int FakeReceive(char* sym, unsigned char* frame, int length) {
  F().Record("AP_ReceiveFingerprint");
  return F().receiveFingerprint ? F().receiveFingerprint(sym, frame, length) : 0;
}

int FakeReadCustom(char*, unsigned char* data, int length) {
  F().Record("AP_ReadCustomData_New");
  if (F().failCustomRead || length != 512) return 0;
  std::memcpy(data, F().customData, 512);
  return 1;
}

int FakeWriteCustom(char*, unsigned char* data, int length) {
  F().Record("AP_WriteCustomData_New");
  if (length != 512) return 0;
  if (F().failCustomWrites > 0) {
    --F().failCustomWrites;
    return 0;
  }
  ++F().customWrites;
  std::memcpy(F().customData, data, 512);
  return 1;
}

}  // namespace

FakeLibrary::FakeLibrary() {
  std::memset(customData, 0, sizeof customData);
  current = this;
}

FakeLibrary::~FakeLibrary() { current = nullptr; }

BridgeEntries FakeLibrary::Entries() const {
  BridgeEntries e;
#define ORLU_FAKE_STUB(name, required) e.name = &Stub<name##_t>::Call;
  ORLU_BRIDGE_ENTRIES(ORLU_FAKE_STUB)
#undef ORLU_FAKE_STUB
  e.GetUsbIdList = &FakeGetUsbIdList;
  e.JMGetDiskLetterEx = &FakeGetDiskLetterEx;
  e.AP_GetProductInfo = &FakeGetProductInfo;
  e.AP_GetSecurityStatus = &FakeSecurityStatus;
  e.AP_Login = &FakeLogin;
  e.AP_SetPwd = &FakeSetPwd;
  e.AP_ChangePwd = &FakeChangePwd;
  e.AP_EraseSecurityInfo = &FakeEraseSecurityInfo;
  e.AP_EraseSecurityInfoSafeMode = &FakeEraseSecurityInfoSafeMode;
  e.JMChipRstEx = &FakeChipReset;
  e.AP_DiskPartition = &FakePartition;
  e.AP_FormatDisk = &FakeFormat;
  e.JMSafeRemoveEx = &FakeSafeRemove;
  e.AP_SendFingerprint = &FakeSend;
  e.AP_ReceiveFingerprint = &FakeReceive;
  e.AP_ReadCustomData_New = &FakeReadCustom;
  e.AP_WriteCustomData_New = &FakeWriteCustom;
  e.AP_FingerPrintFunctControl = &FakeFingerprintControl;
  e.AP_GetFingerprintStatus_VendorEx = &FakeFingerprintStatus;
  return e;
}

void FakeLibrary::Bind(BridgeApi& bridge) const {
  bridge.BindEntries(Entries());
  std::vector<std::unique_ptr<DriveRecord>> records;
  bridge.ListProductDrives(records);
}

void FakeLibrary::Record(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(name);
}

std::vector<std::string> FakeLibrary::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

int FakeLibrary::CountCalls(const std::string& name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(std::count(calls_.begin(), calls_.end(), name));
}

void FakeLibrary::ClearCalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}
