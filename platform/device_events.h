// Tells a window when volumes come and go: watches the letter map folder and
// posts WM_DEVICECHANGE with DBT_DEVICEARRIVAL when a letter appears and
// DBT_DEVICEREMOVECOMPLETE when one goes (lParam 0), for any letter.
#pragma once

#include <string>
#include <thread>

#include "platform/letter_map.h"
#include "platform/win_types.h"

namespace platform {

class DeviceEventWatcher {
 public:
  explicit DeviceEventWatcher(HWND target, std::string folder = LetterMapDir());
  ~DeviceEventWatcher();
  DeviceEventWatcher(const DeviceEventWatcher&) = delete;
  DeviceEventWatcher& operator=(const DeviceEventWatcher&) = delete;

  // Creates the folder if needed and starts watching; changes made after
  // Start returns are reported. False when the folder cannot be watched.
  bool Start();
  // Stops watching and joins the watcher thread; returns promptly.
  void Stop();

 private:
  void Watch();

  HWND target_;
  std::string folder_;
  int inotifyFd_ = -1;
  int stopFd_ = -1;
  std::thread thread_;
};

}  // namespace platform
