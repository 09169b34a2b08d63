#include "common/bridge/shared_entries.h"

#include <atomic>

namespace bridge {
namespace {

std::atomic<AP_SendFingerprint_t> g_send{nullptr};
std::atomic<AP_ReceiveFingerprint_t> g_receive{nullptr};
std::atomic<AP_ReadCustomData_New_t> g_read{nullptr};
std::atomic<AP_WriteCustomData_New_t> g_write{nullptr};

}  // namespace

void SetSharedEntries(const SharedEntries& entries) {
  g_send.store(entries.sendFingerprint);
  g_receive.store(entries.receiveFingerprint);
  g_read.store(entries.readCustomData);
  g_write.store(entries.writeCustomData);
}

SharedEntries GetSharedEntries() {
  return SharedEntries{g_send.load(), g_receive.load(), g_read.load(), g_write.load()};
}

}  // namespace bridge
