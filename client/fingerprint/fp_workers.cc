#include "client/fingerprint/fp_workers.h"

#include <chrono>
#include <cstring>

#include "client/drive/client_messages.h"
#include "client/fingerprint/custom_data_block.h"
#include "client/fingerprint/fp_channel.h"
#include "common/bridge/bridge_api.h"
#include "platform/message_loop.h"
#include "platform/thread.h"

namespace {

using std::chrono::milliseconds;

constexpr int kMaxFailuresInARow = 3;
constexpr milliseconds kPollPause{200};
constexpr milliseconds kSimilarPause{800};
constexpr milliseconds kIdlePause{100};
constexpr milliseconds kFailureShownFor{1000};

void PostEnrol(BridgeApi& bridge, int code, int value) {
  platform::PostMessage(bridge.notifyWnd.load(), WM_FP_ENROL_EVENT,
                        static_cast<platform::WPARAM>(code), value);
}

void PostVerify(BridgeApi& bridge, int code, int value) {
  platform::PostMessage(bridge.notifyWnd.load(), WM_FP_VERIFY_EVENT,
                        static_cast<platform::WPARAM>(code), value);
}

void DropEnrolment(BridgeApi& bridge) {
  bridge.enrolUserId = 0;
  bridge.enrolData.reset();
}

}  // namespace

void RunEnrolWorker(BridgeApi& bridge, int driveIndex) {
  platform::MutexGuard hold(bridge.workerMutex);
  BridgeApi::SymbolBuffer symbol;
  bridge.CopySymbol(driveIndex, symbol);

  int failures = 0;
  std::uint8_t captures = 0;
  bool fingerDown = false;
  int reported = 0;
  if (!bridge.enrolData) {
    bridge.enrolData.reset(new unsigned char[FP_DATA_SIZE]);
    std::memset(bridge.enrolData.get(), 0, FP_DATA_SIZE);
  }
  bridge.fpRunning.store(1);

  int outcome = FP_OUTCOME_STOPPED;
  bool finished = false;
  while (!finished && bridge.fpRunning.load()) {
    if (!FpIsFingerPresent(symbol)) {
      fingerDown = false;
      PostEnrol(bridge, FP_ENROL_NO_FINGER, reported);
      bridge.clock().SleepFor(kPollPause);
      continue;
    }
    if (fingerDown) {
      PostEnrol(bridge, FP_ENROL_LIFT, reported);
      bridge.clock().SleepFor(kPollPause);
      continue;
    }
    PostEnrol(bridge, FP_ENROL_TOUCHED, reported);
    fingerDown = true;
    int result = FpEnrollStep(symbol, &captures, &bridge.enrolUserId, bridge.enrolData.get());
    if (result == 0) {
      outcome = FP_OUTCOME_ENROLLED;
      finished = true;
    } else if (result == FP_ENROLL_MORE) {
      reported = captures;
      failures = 0;
      PostEnrol(bridge, FP_ENROL_LIFT, reported);
    } else if (result == FP_ERR_TOO_SIMILAR) {
      reported = captures;
      PostEnrol(bridge, FP_ENROL_TOO_SIMILAR, reported);
      bridge.clock().SleepFor(kSimilarPause);
    } else if (result == FP_SENSOR_NO_FINGER) {
      reported = captures;
      PostEnrol(bridge, FP_ENROL_CAPTURE_FAILED, reported);
    } else if (++failures > kMaxFailuresInARow) {
      outcome = FP_OUTCOME_FAILED;
      finished = true;
    } else {
      reported = captures;
      PostEnrol(bridge, FP_ENROL_CAPTURE_FAILED, reported);
    }
  }

  // A stop request wins, even over an enrolment completed at that moment.
  PostEnrol(bridge, FP_ENROL_ENDED, bridge.fpRunning.load() ? outcome : FP_OUTCOME_STOPPED);
  if (outcome != FP_OUTCOME_ENROLLED) DropEnrolment(bridge);
  bridge.fpRunning.store(0);
}

void RunSaveWorker(BridgeApi& bridge, const std::string& name, int driveIndex) {
  BridgeApi::SymbolBuffer symbol;
  bridge.CopySymbol(driveIndex, symbol);
  FpUser user{};
  user.id = static_cast<std::int8_t>(bridge.enrolUserId);
  SetUserName(&user, name);

  int result = AddFingerUser(symbol, user);
  // No finger may stay enrolled on the sensor without a record.
  if (result != 0) FpEraseUser(symbol, bridge.enrolUserId);
  PostEnrol(bridge, FP_ENROL_SAVED, result);
  DropEnrolment(bridge);
}

void RunVerifyWorker(BridgeApi& bridge, int driveIndex) {
  platform::MutexGuard hold(bridge.workerMutex);
  if (!bridge.fpRunning.load()) return;
  BridgeApi::SymbolBuffer symbol;
  bridge.CopySymbol(driveIndex, symbol);
  auto query = bridge.entries().AP_GetFingerprintStatus_VendorEx;

  int mismatches = 0;
  bool failureShown = false;
  platform::Clock::TimePoint failureShownAt{};
  while (bridge.fpRunning.load()) {
    unsigned char status[8] = {};
    BridgeApi::SymbolBuffer call;
    std::memcpy(call, symbol, sizeof call);
    bool answered = bridge.IsBound() && query && query(call, status) == 1;
    if (answered && status[4] == 1) {
      PostVerify(bridge, FP_VERIFY_RESULT, 0);
      break;
    }
    if (mismatches > 2 && !failureShown) {
      failureShownAt = bridge.clock().Now();
      PostVerify(bridge, FP_VERIFY_RESULT, 1);
      failureShown = true;
      mismatches = 0;
      bridge.clock().SleepFor(kPollPause);
      continue;
    }
    if (answered && status[3] == 1) {
      if (status[4] == 0) {
        ++mismatches;
        bridge.clock().SleepFor(kPollPause);
      }
      continue;
    }
    if (failureShown && bridge.clock().Now() - failureShownAt > kFailureShownFor) {
      PostVerify(bridge, FP_VERIFY_FAILURE_ENDS, 0);
      failureShown = false;
    }
    bridge.clock().SleepFor(kIdlePause);
  }
}

void StartEnrolWorker(BridgeApi& bridge, int driveIndex) {
  platform::StartThread([&bridge, driveIndex] { RunEnrolWorker(bridge, driveIndex); });
}

void StartSaveWorker(BridgeApi& bridge, const std::string& name, int driveIndex) {
  platform::StartThread([&bridge, name, driveIndex] { RunSaveWorker(bridge, name, driveIndex); });
}

void StartVerifyWorker(BridgeApi& bridge, int driveIndex) {
  platform::StartThread([&bridge, driveIndex] { RunVerifyWorker(bridge, driveIndex); });
}
