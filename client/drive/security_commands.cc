#include <cstring>

#include "client/drive/password_buffer.h"
#include "common/bridge/bridge_api.h"
#include "platform/secure_zero.h"

bool BridgeApi::SetPassword(const char* newPassword, int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  PasswordBuffer password(newPassword);
  return entries_.AP_SetPwd(symbol, password.data()) != 0;
}

bool BridgeApi::ChangePassword(const char* currentPassword, const char* newPassword, int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  PasswordBuffer current(currentPassword);
  PasswordBuffer next(newPassword);
  unsigned char block[64];
  std::memcpy(block, current.data(), 32);
  std::memcpy(block + 32, next.data(), 32);
  bool ok = entries_.AP_ChangePwd(symbol, block) != 0;
  platform::SecureZero(block, sizeof block);
  return ok;
}

bool BridgeApi::Login(const char* password, int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  PasswordBuffer buffer(password);
  return entries_.AP_Login(symbol, buffer.data(), 1) != 0;
}

void BridgeApi::ResetChip(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return;
  entries_.JMChipRstEx(symbol);
}

int BridgeApi::SafeRemoveAll() {
  if (!bound_) return 0;
  int result = 0;
  int count = SymbolCount();
  for (int i = 0; i < count; ++i) {
    SymbolBuffer symbol;
    CopySymbol(i, symbol);
    result = entries_.JMSafeRemoveEx(symbol);
    if (result < 0) return 0;
  }
  return result;
}

int BridgeApi::SetFingerprintUnlock(int on, int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return -1;
  unsigned char status[32] = {};
  if (entries_.AP_GetSecurityStatus(symbol, 3, status) != 1) return -1;
  if (status[2] == 0xFF && status[1] == 0x55) return 3;
  bool recognised = status[2] == 0x00 || (status[2] == 0xFF && status[1] == 0xAA);
  if (!recognised) return 2;
  return entries_.AP_FingerPrintFunctControl(symbol, on) == 0 ? 1 : 0;
}

int BridgeApi::GetFingerprintUnlockState(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return -1;
  unsigned char status[8] = {};
  if (entries_.AP_GetFingerprintStatus_VendorEx(symbol, status) != 1) return -1;
  if (status[6] == 1) return 0;
  if (status[6] == 0) return 1;
  return 2;
}

bool BridgeApi::EraseSecurityInfo(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  return entries_.AP_EraseSecurityInfo(symbol) != 0;
}

bool BridgeApi::EraseSecurityInfoSafeMode(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  return entries_.AP_EraseSecurityInfoSafeMode(symbol) != 0;
}

bool BridgeApi::PartitionDisk(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  return entries_.AP_DiskPartition(symbol, 0, 1) == 1;
}

bool BridgeApi::FormatDisk(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return false;
  return entries_.AP_FormatDisk(symbol, "exFAT", kModelName, 0, 1) == 1;
}
