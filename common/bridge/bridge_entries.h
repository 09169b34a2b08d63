// The entry points of the bridge chip library (libJMUsbDll.so), as this system
// calls them. One table serves both sides: the binding resolves every entry by
// name from it, and the emulated library checks its exports against it.
//
// Conventions: `sym` is a zeroed 64-byte copy of a drive symbol; results are
// plain ints whose meaning is given per entry.
#pragma once

extern "C" {

// Entries the system calls.
typedef int (*GetUsbIdList_t)(char* symbols, int maxCount);          // count; symbols 64 bytes apart
typedef int (*JMGetDiskLetterEx_t)(char* sym, char* letters);        // 1 ok; letters: 26-byte buffer
typedef int (*AP_GetProductInfo_t)(char* sym, char* vendor64, char* product64, char* serial64,
                                   char* revision42);                // product name in product64
typedef int (*AP_GetSecurityStatus_t)(char* sym, int mode, unsigned char* status32);  // 1 ok
typedef int (*AP_Login_t)(char* sym, unsigned char* password32, int mode);            // nonzero ok
typedef int (*AP_SetPwd_t)(char* sym, unsigned char* password32);                     // nonzero ok
typedef int (*AP_ChangePwd_t)(char* sym, unsigned char* oldAndNew64);                 // nonzero ok
typedef int (*AP_EraseSecurityInfo_t)(char* sym);                                     // nonzero ok
typedef int (*AP_EraseSecurityInfoSafeMode_t)(char* sym);                             // nonzero ok
typedef int (*JMChipRstEx_t)(char* sym);                     // drive re-enumerates
typedef int (*AP_DiskPartition_t)(char* sym, int style, int count);                   // 1 ok
typedef int (*AP_FormatDisk_t)(char* sym, const char* fileSystem, const char* label, int quick,
                               int partition);                                        // 1 ok
typedef int (*JMSafeRemoveEx_t)(char* sym);                  // negative = failed
typedef int (*AP_SendFingerprint_t)(char* sym, unsigned char* frame, int length);     // nonzero ok
typedef int (*AP_ReceiveFingerprint_t)(char* sym, unsigned char* frame, int length);  // nonzero ok
typedef int (*AP_ReadCustomData_New_t)(char* sym, unsigned char* data, int length);   // nonzero ok
typedef int (*AP_WriteCustomData_New_t)(char* sym, unsigned char* data, int length);  // nonzero ok
typedef int (*AP_FingerPrintFunctControl_t)(char* sym, int on);                       // 0 ok
typedef int (*AP_GetFingerprintStatus_VendorEx_t)(char* sym, unsigned char* status8); // 1 ok
typedef int (*GetSDKVer_t)(char* version16);

// Entries that are bound but never called by the system.
typedef int (*GetDriveList_t)(char* symbols, int maxCount);
typedef int (*JMChipRst_t)(char* sym);
typedef int (*JMGetDiskLetter_t)(char* sym, char* letter);
typedef int (*JMGetVolumeName_t)(char* sym, char* name, int length);
typedef int (*JMGetUsbId_t)(char* sym, unsigned short* vid, unsigned short* pid);
typedef int (*JMSafeRemove_t)(char* sym);
typedef int (*AP_CreateHandle_t)(char* sym);
typedef int (*AP_WriteCustomData_t)(char* sym, unsigned char* data, int length);
typedef int (*AP_ReadCustomData_t)(char* sym, unsigned char* data, int length);
typedef int (*AP_GetDiskSize_t)(char* sym, unsigned long long* bytes);
typedef int (*AP_ModifyPartition_t)(char* sym, int style, int count);
typedef int (*AP_EraseDisk_t)(char* sym, int mode);
typedef int (*AP_CheckArea_t)(char* sym, int area);
typedef int (*AP_ChangeLunNumber_t)(char* sym, int count);
typedef int (*AP_FingerPrintPowerControl_t)(char* sym, int on);
typedef int (*AP_GetFwVersion_t)(char* sym, char* version32);
typedef int (*AP_GetFingerprintStatus_SetupEx_t)(char* sym, unsigned char* status8);

}  // extern "C"

// X(name, required): every entry, in binding order. `required` entries missing
// from the library make the binding fail.
#define ORLU_BRIDGE_ENTRIES(X)            \
  X(GetUsbIdList, true)                   \
  X(JMGetDiskLetterEx, true)              \
  X(AP_GetProductInfo, true)              \
  X(AP_GetSecurityStatus, true)           \
  X(AP_Login, true)                       \
  X(AP_SetPwd, true)                      \
  X(AP_ChangePwd, true)                   \
  X(AP_EraseSecurityInfo, true)           \
  X(AP_EraseSecurityInfoSafeMode, true)   \
  X(JMChipRstEx, true)                    \
  X(AP_DiskPartition, true)               \
  X(AP_FormatDisk, true)                  \
  X(JMSafeRemoveEx, true)                 \
  X(AP_SendFingerprint, true)             \
  X(AP_ReceiveFingerprint, true)          \
  X(AP_ReadCustomData_New, true)          \
  X(AP_WriteCustomData_New, true)         \
  X(AP_FingerPrintFunctControl, true)     \
  X(AP_GetFingerprintStatus_VendorEx, true) \
  X(GetSDKVer, false)                     \
  X(GetDriveList, true)                   \
  X(JMChipRst, true)                      \
  X(JMGetDiskLetter, true)                \
  X(JMGetVolumeName, true)                \
  X(JMGetUsbId, true)                     \
  X(JMSafeRemove, true)                   \
  X(AP_CreateHandle, true)                \
  X(AP_WriteCustomData, true)             \
  X(AP_ReadCustomData, true)              \
  X(AP_GetDiskSize, true)                 \
  X(AP_ModifyPartition, true)             \
  X(AP_EraseDisk, false)                  \
  X(AP_CheckArea, true)                   \
  X(AP_ChangeLunNumber, true)             \
  X(AP_FingerPrintPowerControl, true)     \
  X(AP_GetFwVersion, true)                \
  X(AP_GetFingerprintStatus_SetupEx, true)
