// The message queue of a UI thread: windows registered with the loop receive
// posted and sent messages and timer ticks on that thread, in posting order.
// Any thread may post or send to a window; only the owning thread runs the loop.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/clock.h"
#include "platform/win_types.h"

namespace platform {

// Something that handles window messages: a top-level window, a pop-up, or a
// test double.
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

// Where the loop waits when it has nothing to do. The default waits on a
// condition variable; a windowed backend installs one that pumps its own input
// events (and turns them into messages or control events) while it waits.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Returns when Wake() was called, when the backend handled some input, or
  // after `timeout` (never, when it is empty).
  virtual void WaitForWork(std::optional<std::chrono::milliseconds> timeout) = 0;
  // Thread-safe; makes a current or the next WaitForWork return promptly.
  virtual void Wake() = 0;
};

class MessageLoop {
 public:
  // Binds the loop to the constructing thread. Timers use `clock`.
  explicit MessageLoop(Clock& clock = Clock::Real());
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // The loop of the calling thread, or null.
  static MessageLoop* ForCurrentThread();

  // Owning thread only. The handle stays valid until RemoveWindow; messages
  // still queued for a removed window are dropped.
  HWND AddWindow(MessageTarget* target);
  void RemoveWindow(HWND hwnd);

  // Owning thread only; null restores the default. Not owned.
  void SetEventSource(EventSource* source);

  // Runs until a WM_QUIT is taken from the queue; returns its exit code
  // (wParam). A WM_QUIT posted to one of the loop's windows counts too.
  int Run();

  // A nested loop (a modal pop-up runs one): runs until EndModal() is called
  // from a handler, and returns the value given there. A WM_QUIT seen inside
  // ends the nested loop with `quitValue` and is re-posted for the outer loop.
  int RunModal(int quitValue = 0);
  // Ends the innermost running RunModal with `value` once the current handler
  // returns. Owning thread only (from a handler); ignored without a modal loop.
  void EndModal(int value);
  int ModalDepth() const;

  // Handles every message already queued and every timer already due, without
  // waiting. Returns the number of messages and ticks handled. For tests and
  // for backends that drive the loop themselves. Messages posted by the
  // handlers meanwhile are handled too; a WM_QUIT stops it and stays queued
  // (see PendingQuit). Each due timer ticks at most once per call.
  int RunPending();
  // The exit code of a WM_QUIT waiting in the queue, if any.
  std::optional<int> PendingQuit() const;

  // Timers: WM_TIMER with wParam = id reaches `hwnd` every `ms` milliseconds
  // of the loop's clock (once, when oneShot). Setting an existing (hwnd, id)
  // restarts it. Owning thread only; false when `hwnd` is not a window of this
  // loop. A tick that falls due while an earlier one is still pending is not
  // queued twice (late ticks are not caught up), and a period of 0 counts as 1.
  // Posted messages go before timer ticks. With a ManualClock, RunPending()
  // after Advance() delivers the ticks that became due.
  bool SetTimer(HWND hwnd, UINT_PTR id, std::uint32_t ms, bool oneShot = false);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  std::optional<Clock::TimePoint> NextTimerDue() const;

  Clock& clock() const;

 private:
  friend bool PostMessage(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT SendMessage(HWND, UINT, WPARAM, LPARAM);
  friend void PostQuitMessage(int);
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

// Callable from any thread. False when `hwnd` names no live window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// On the window's own thread the handler runs at once; from another thread the
// caller waits until the window's thread has handled it (0 when the window goes
// away first). The owning thread must never wait on the sender meanwhile.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts WM_QUIT with `exitCode` to the calling thread's loop.
void PostQuitMessage(int exitCode);
bool IsWindow(HWND hwnd);

}  // namespace platform
