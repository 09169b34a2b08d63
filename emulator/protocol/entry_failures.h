// What each exported entry of the emulated bridge library returns when it
// fails. The library returns it when the daemon cannot be reached; the daemon
// returns it for a refused call and for an injected fault.
#pragma once

#include <string_view>

namespace drivesim {

// X(name, failure value). Most entries report success as nonzero and failure
// as 0; the removal entries fail with a negative number and the two fingerprint
// switches succeed with 0.
#define DRIVESIM_ENTRY_FAILURES(X)       \
  X(GetUsbIdList, 0)                     \
  X(JMGetDiskLetterEx, 0)                \
  X(AP_GetProductInfo, 0)                \
  X(AP_GetSecurityStatus, 0)             \
  X(AP_Login, 0)                         \
  X(AP_SetPwd, 0)                        \
  X(AP_ChangePwd, 0)                     \
  X(AP_EraseSecurityInfo, 0)             \
  X(AP_EraseSecurityInfoSafeMode, 0)     \
  X(JMChipRstEx, 0)                      \
  X(AP_DiskPartition, 0)                 \
  X(AP_FormatDisk, 0)                    \
  X(JMSafeRemoveEx, -1)                  \
  X(AP_SendFingerprint, 0)               \
  X(AP_ReceiveFingerprint, 0)            \
  X(AP_ReadCustomData_New, 0)            \
  X(AP_WriteCustomData_New, 0)           \
  X(AP_FingerPrintFunctControl, 1)       \
  X(AP_GetFingerprintStatus_VendorEx, 0) \
  X(GetSDKVer, 0)                        \
  X(GetDriveList, 0)                     \
  X(JMChipRst, 0)                        \
  X(JMGetDiskLetter, 0)                  \
  X(JMGetVolumeName, 0)                  \
  X(JMGetUsbId, 0)                       \
  X(JMSafeRemove, -1)                    \
  X(AP_CreateHandle, 0)                  \
  X(AP_WriteCustomData, 0)               \
  X(AP_ReadCustomData, 0)                \
  X(AP_GetDiskSize, 0)                   \
  X(AP_ModifyPartition, 0)               \
  X(AP_EraseDisk, 0)                     \
  X(AP_CheckArea, 0)                     \
  X(AP_ChangeLunNumber, 0)               \
  X(AP_FingerPrintPowerControl, 1)       \
  X(AP_GetFwVersion, 0)                  \
  X(AP_GetFingerprintStatus_SetupEx, 0)

// The failure value of an entry; `known` is false for a name not in the table.
struct EntryFailure {
  bool known = false;
  int value = 0;
};

constexpr EntryFailure FailureOf(std::string_view entry) {
#define DRIVESIM_MATCH_ENTRY(name, failure) \
  if (entry == #name) return {true, failure};
  DRIVESIM_ENTRY_FAILURES(DRIVESIM_MATCH_ENTRY)
#undef DRIVESIM_MATCH_ENTRY
  return {};
}

}  // namespace drivesim
