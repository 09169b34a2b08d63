// The client's own window messages and its one timer id. Workers post (or
// send) these to the main window.
#pragma once

#include "platform/win_types.h"

inline constexpr platform::UINT WM_DOWNLOAD_PROGRESS = 2025;
inline constexpr platform::UINT WM_FORMAT_DONE = 2026;
inline constexpr platform::UINT WM_LOGIN_OK = 2027;
inline constexpr platform::UINT WM_LOGIN_FAILED = 2028;
inline constexpr platform::UINT WM_FORMAT_FAILED = 2029;
inline constexpr platform::UINT WM_FP_VERIFY_EVENT = 2125;
inline constexpr platform::UINT WM_FP_ENROL_EVENT = 2126;
inline constexpr platform::UINT WM_MENUCLICK = 0x479;

inline constexpr platform::UINT_PTR TIMER_STATE_RECHECK = 5;
