// The fingerprint workers: enrolment, saving an enrolled finger, and
// verification. Each runs on a detached thread of its own and reports only
// through messages posted to bridge.notifyWnd; every wait goes through
// bridge.clock().
#pragma once

#include <string>

class BridgeApi;

// wParam of WM_FP_ENROL_EVENT.
inline constexpr int FP_ENROL_NO_FINGER = 1;       // lParam: accepted captures so far
inline constexpr int FP_ENROL_TOUCHED = 2;         // a capture starts
inline constexpr int FP_ENROL_LIFT = 3;            // lift the finger
inline constexpr int FP_ENROL_CAPTURE_FAILED = 4;  // touch again
inline constexpr int FP_ENROL_ENDED = 5;           // lParam: FP_OUTCOME_*
inline constexpr int FP_ENROL_TOO_SIMILAR = 7;     // touch with another part of the finger
inline constexpr int FP_ENROL_SAVED = 16;          // lParam: 0 or AddFingerUser's result

inline constexpr int FP_OUTCOME_ENROLLED = 0;
inline constexpr int FP_OUTCOME_STOPPED = 1;
inline constexpr int FP_OUTCOME_FAILED = 2;

// wParam of WM_FP_VERIFY_EVENT.
inline constexpr int FP_VERIFY_RESULT = 8;         // lParam 0 match, 1 not recognised
inline constexpr int FP_VERIFY_DELETED = 10;       // posted by the list page to itself
inline constexpr int FP_VERIFY_RENAMED = 11;       // posted by the list page to itself
inline constexpr int FP_VERIFY_FAILURE_ENDS = 14;  // the failure display may end

// Start a worker on a new detached thread and return at once.
void StartEnrolWorker(BridgeApi& bridge, int driveIndex);
void StartSaveWorker(BridgeApi& bridge, const std::string& name, int driveIndex = 0);
// The caller sets bridge.fpRunning first.
void StartVerifyWorker(BridgeApi& bridge, int driveIndex);

// The workers' bodies, run on the calling thread.
void RunEnrolWorker(BridgeApi& bridge, int driveIndex);
void RunSaveWorker(BridgeApi& bridge, const std::string& name, int driveIndex = 0);
void RunVerifyWorker(BridgeApi& bridge, int driveIndex);
