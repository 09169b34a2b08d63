// The forgotten-password path: erase the drive's security information (and
// with it access to the data), reset the chip, wait for the drive to come
// back, partition and format it.
#pragma once

#include "platform/win_types.h"

class BridgeApi;

enum class EraseOutcome {
  kDone,
  kEraseFailed,        // the drive is unchanged
  kDriveDidNotReturn,  // erased; the drive did not re-enumerate in time
  kPartitionFailed,    // erased, not partitioned
  kFormatFailed,       // erased and partitioned, not formatted
};

// Rounds of one second (of bridge.clock()) the run waits for the drive after
// the chip reset before it gives up.
inline constexpr int kEraseWaitRounds = 60;

// Runs the whole path on the calling thread.
EraseOutcome EraseAndFormat(BridgeApi& bridge, int driveIndex, int waitRounds = kEraseWaitRounds);

// Starts the run on a worker (launch protocol: parameters written under
// workerMutex, formatBusy set to 1). The worker clears formatBusy, then sends
// WM_FORMAT_DONE (waiting for the handler) or posts WM_FORMAT_FAILED.
void StartEraseAndFormat(BridgeApi& bridge, platform::HWND replyWnd, int driveIndex);
