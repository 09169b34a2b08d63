// Process-wide pointers to the four library entries that the fingerprint
// channel and the custom-data block call with a bare drive symbol. Binding a
// BridgeApi sets them; with no bound library they are null and every caller
// fails cleanly.
#pragma once

#include "common/bridge/bridge_entries.h"

namespace bridge {

struct SharedEntries {
  AP_SendFingerprint_t sendFingerprint = nullptr;
  AP_ReceiveFingerprint_t receiveFingerprint = nullptr;
  AP_ReadCustomData_New_t readCustomData = nullptr;
  AP_WriteCustomData_New_t writeCustomData = nullptr;
};

void SetSharedEntries(const SharedEntries& entries);
SharedEntries GetSharedEntries();

}  // namespace bridge
