#include "client/drive/erase_and_format.h"

#include <chrono>

#include "client/drive/client_messages.h"
#include "common/bridge/bridge_api.h"
#include "platform/message_loop.h"
#include "platform/thread.h"

EraseOutcome EraseAndFormat(BridgeApi& bridge, int driveIndex, int waitRounds) {
  if (!bridge.EraseSecurityInfo(driveIndex)) return EraseOutcome::kEraseFailed;
  bridge.ResetChip(driveIndex);

  bool back = false;
  for (int round = 0; round < waitRounds && !back; ++round) {
    bridge.clock().SleepFor(std::chrono::milliseconds(1000));
    back = bridge.RefreshSymbolTable() > 0;
  }
  if (!back) return EraseOutcome::kDriveDidNotReturn;

  if (!bridge.PartitionDisk(driveIndex)) return EraseOutcome::kPartitionFailed;
  if (!bridge.FormatDisk(driveIndex)) return EraseOutcome::kFormatFailed;
  return EraseOutcome::kDone;
}

void StartEraseAndFormat(BridgeApi& bridge, platform::HWND replyWnd, int driveIndex) {
  platform::MutexGuard hold(bridge.workerMutex);
  bridge.driveIndex = driveIndex;
  bridge.replyWnd = replyWnd;
  bridge.formatBusy.store(1);
  bool started = platform::StartThread([&bridge, replyWnd, driveIndex] {
    EraseOutcome outcome = EraseAndFormat(bridge, driveIndex);
    bridge.formatBusy.store(0);
    if (outcome == EraseOutcome::kDone) {
      platform::SendMessage(replyWnd, WM_FORMAT_DONE, 0, 0);
    } else {
      platform::PostMessage(replyWnd, WM_FORMAT_FAILED, 0, 0);
    }
  });
  // Without a worker nothing would ever clear formatBusy (which holds back the
  // device-change handling) or answer the waiting page.
  if (!started) {
    bridge.formatBusy.store(0);
    platform::PostMessage(replyWnd, WM_FORMAT_FAILED, 0, 0);
  }
}
