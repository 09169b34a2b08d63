#include "platform/message_loop.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {
namespace {

class ConditionEventSource final : public EventSource {
 public:
  void WaitForWork(std::optional<std::chrono::milliseconds> timeout) override {
    std::unique_lock lock(mutex_);
    const auto woken = [&] { return woken_; };
    if (timeout)
      cv_.wait_for(lock, *timeout, woken);
    else
      cv_.wait(lock, woken);
    woken_ = false;
  }

  void Wake() override {
    {
      std::lock_guard lock(mutex_);
      woken_ = true;
    }
    cv_.notify_one();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool woken_ = false;
};

// The answer a cross-thread SendMessage waits for.
class PendingReply {
 public:
  void Complete(LRESULT result) {
    {
      std::lock_guard lock(mutex_);
      if (done_) return;
      done_ = true;
      result_ = result;
    }
    cv_.notify_all();
  }

  LRESULT Wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return done_; });
    return result_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool done_ = false;
  LRESULT result_ = 0;
};

struct QueuedMessage {
  HWND hwnd = 0;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::shared_ptr<PendingReply> reply;  // set for SendMessage from another thread

  // As on Windows, a posted WM_QUIT ends the loop whichever window it names;
  // a sent one is an ordinary message for its window.
  bool IsQuit() const { return msg == WM_QUIT && !reply; }
};

struct Timer {
  std::uint32_t periodMs = 0;
  bool oneShot = false;
  Clock::TimePoint due;
};

struct ModalFrame {
  bool ended = false;
  int value = 0;
};

// The state of one loop. Shared with the window registry so that posters on
// other threads keep it alive while they enqueue.
struct LoopCore {
  explicit LoopCore(Clock& c) : clock(c), owner(std::this_thread::get_id()) {}

  // Any thread. False once the loop is gone.
  bool Enqueue(QueuedMessage message, bool atFront = false) {
    std::lock_guard lock(mutex);
    if (!alive) return false;
    if (atFront)
      queue.push_front(std::move(message));
    else
      queue.push_back(std::move(message));
    source->Wake();
    return true;
  }

  // Takes the next message; a WM_QUIT is left in place unless `takeQuit`.
  std::optional<QueuedMessage> Take(bool takeQuit) {
    std::lock_guard lock(mutex);
    if (queue.empty() || (!takeQuit && queue.front().IsQuit())) return std::nullopt;
    QueuedMessage message = std::move(queue.front());
    queue.pop_front();
    return message;
  }

  Clock& clock;
  const std::thread::id owner;

  mutable std::mutex mutex;
  std::deque<QueuedMessage> queue;  // guarded by mutex
  bool alive = true;                // guarded by mutex
  ConditionEventSource defaultSource;
  EventSource* source = &defaultSource;  // written by the owner under mutex

  // Owner thread only.
  std::map<std::pair<HWND, UINT_PTR>, Timer> timers;
  std::vector<ModalFrame*> modalFrames;
};

struct WindowEntry {
  std::shared_ptr<LoopCore> loop;
  MessageTarget* target = nullptr;
};

struct WindowRegistry {
  std::mutex mutex;
  std::unordered_map<HWND, WindowEntry> windows;
  HWND nextHandle = 0x10000;  // handles are never reused
};

WindowRegistry& Registry() {
  static auto* registry = new WindowRegistry;  // outlives every static loop
  return *registry;
}

std::optional<WindowEntry> FindWindow(HWND hwnd) {
  auto& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.windows.find(hwnd);
  if (it == registry.windows.end()) return std::nullopt;
  return it->second;
}

thread_local MessageLoop* currentLoop = nullptr;

}  // namespace

struct MessageLoop::Impl : LoopCore {
  using LoopCore::LoopCore;

  // Owner thread. A window removed meanwhile gets nothing (and a sender 0).
  LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto entry = FindWindow(hwnd);
    if (!entry || entry->loop.get() != this) return 0;
    return entry->target->HandleMessage(msg, wParam, lParam);
  }

  void Dispatch(QueuedMessage& message) {
    LRESULT result = 0;
    try {
      result = Deliver(message.hwnd, message.msg, message.wParam, message.lParam);
    } catch (...) {
      if (message.reply) message.reply->Complete(0);
      throw;
    }
    if (message.reply) message.reply->Complete(result);
  }

  int FireDueTimers() {
    const auto now = clock.Now();
    std::vector<std::pair<Clock::TimePoint, std::pair<HWND, UINT_PTR>>> due;
    for (const auto& [key, timer] : timers)
      if (timer.due <= now) due.emplace_back(timer.due, key);
    std::sort(due.begin(), due.end());
    int fired = 0;
    for (const auto& [when, key] : due) {
      auto it = timers.find(key);
      // A handler may have killed or restarted it meanwhile.
      if (it == timers.end() || it->second.due != when) continue;
      if (it->second.oneShot)
        timers.erase(it);
      else
        it->second.due = now + std::chrono::milliseconds(it->second.periodMs);
      Deliver(key.first, WM_TIMER, key.second, 0);
      ++fired;
    }
    return fired;
  }

  std::optional<std::chrono::milliseconds> TimeUntilNextTimer() const {
    if (timers.empty()) return std::nullopt;
    auto next = timers.begin()->second.due;
    for (const auto& entry : timers) next = std::min(next, entry.second.due);
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - clock.Now());
    if (wait.count() < 0) wait = std::chrono::milliseconds(0);
    // Nothing wakes the loop when a manual clock is advanced from another
    // thread, so look at it again soon.
    if (&clock != &Clock::Real()) wait = std::min(wait, std::chrono::milliseconds(20));
    return wait;
  }

  // Runs messages and timers until `frame` ends or, without a frame, until a
  // WM_QUIT; returns the frame's value or the quit code.
  int Pump(ModalFrame* frame, int quitValue) {
    for (;;) {
      if (frame && frame->ended) return frame->value;
      if (auto message = Take(/*takeQuit=*/true)) {
        if (message->IsQuit()) {
          if (!frame) return static_cast<int>(message->wParam);
          Enqueue(std::move(*message), /*atFront=*/true);  // for the outer loop
          return quitValue;
        }
        Dispatch(*message);
        continue;
      }
      if (FireDueTimers() > 0) continue;
      source->WaitForWork(TimeUntilNextTimer());
    }
  }
};

MessageLoop::MessageLoop(Clock& clock) : impl_(std::make_shared<Impl>(clock)) {
  currentLoop = this;
}

MessageLoop::~MessageLoop() {
  {
    auto& registry = Registry();
    std::lock_guard lock(registry.mutex);
    std::erase_if(registry.windows, [&](const auto& entry) { return entry.second.loop == impl_; });
  }
  std::deque<QueuedMessage> orphans;
  {
    std::lock_guard lock(impl_->mutex);
    impl_->alive = false;
    impl_->source = &impl_->defaultSource;
    orphans.swap(impl_->queue);
  }
  for (auto& message : orphans)
    if (message.reply) message.reply->Complete(0);
  if (currentLoop == this) currentLoop = nullptr;
}

MessageLoop* MessageLoop::ForCurrentThread() { return currentLoop; }

HWND MessageLoop::AddWindow(MessageTarget* target) {
  auto& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const HWND hwnd = registry.nextHandle++;
  registry.windows[hwnd] = WindowEntry{impl_, target};
  return hwnd;
}

void MessageLoop::RemoveWindow(HWND hwnd) {
  {
    auto& registry = Registry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.windows.find(hwnd);
    if (it == registry.windows.end() || it->second.loop != impl_) return;
    registry.windows.erase(it);
  }
  std::erase_if(impl_->timers, [&](const auto& entry) { return entry.first.first == hwnd; });
  std::vector<std::shared_ptr<PendingReply>> abandoned;
  {
    std::lock_guard lock(impl_->mutex);
    std::erase_if(impl_->queue, [&](QueuedMessage& message) {
      if (message.hwnd != hwnd || message.IsQuit()) return false;
      if (message.reply) abandoned.push_back(std::move(message.reply));
      return true;
    });
  }
  for (auto& reply : abandoned) reply->Complete(0);
}

void MessageLoop::SetEventSource(EventSource* source) {
  std::lock_guard lock(impl_->mutex);
  impl_->source = source ? source : &impl_->defaultSource;
}

int MessageLoop::Run() { return impl_->Pump(nullptr, 0); }

int MessageLoop::RunModal(int quitValue) {
  ModalFrame frame;
  impl_->modalFrames.push_back(&frame);
  struct Pop {
    std::vector<ModalFrame*>& frames;
    ~Pop() { frames.pop_back(); }
  } pop{impl_->modalFrames};
  return impl_->Pump(&frame, quitValue);
}

void MessageLoop::EndModal(int value) {
  if (impl_->modalFrames.empty()) return;
  ModalFrame* frame = impl_->modalFrames.back();
  frame->ended = true;
  frame->value = value;
}

int MessageLoop::ModalDepth() const { return static_cast<int>(impl_->modalFrames.size()); }

int MessageLoop::RunPending() {
  int handled = 0;
  const auto drain = [&] {
    while (auto message = impl_->Take(/*takeQuit=*/false)) {
      impl_->Dispatch(*message);
      ++handled;
    }
  };
  drain();
  if (PendingQuit()) return handled;
  handled += impl_->FireDueTimers();
  drain();
  return handled;
}

std::optional<int> MessageLoop::PendingQuit() const {
  std::lock_guard lock(impl_->mutex);
  for (const auto& message : impl_->queue)
    if (message.IsQuit()) return static_cast<int>(message.wParam);
  return std::nullopt;
}

bool MessageLoop::SetTimer(HWND hwnd, UINT_PTR id, std::uint32_t ms, bool oneShot) {
  auto entry = FindWindow(hwnd);
  if (!entry || entry->loop != impl_) return false;
  const std::uint32_t period = std::max<std::uint32_t>(ms, 1);
  impl_->timers[{hwnd, id}] =
      Timer{period, oneShot, impl_->clock.Now() + std::chrono::milliseconds(period)};
  return true;
}

bool MessageLoop::KillTimer(HWND hwnd, UINT_PTR id) { return impl_->timers.erase({hwnd, id}) > 0; }

std::optional<Clock::TimePoint> MessageLoop::NextTimerDue() const {
  std::optional<Clock::TimePoint> next;
  for (const auto& entry : impl_->timers)
    if (!next || entry.second.due < *next) next = entry.second.due;
  return next;
}

Clock& MessageLoop::clock() const { return impl_->clock; }

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto entry = FindWindow(hwnd);
  if (!entry) return false;
  return entry->loop->Enqueue(QueuedMessage{hwnd, msg, wParam, lParam, nullptr});
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto entry = FindWindow(hwnd);
  if (!entry) return 0;
  // On the owning thread the target cannot go away under us: only this
  // thread removes windows.
  if (entry->loop->owner == std::this_thread::get_id())
    return entry->target->HandleMessage(msg, wParam, lParam);
  auto reply = std::make_shared<PendingReply>();
  if (!entry->loop->Enqueue(QueuedMessage{hwnd, msg, wParam, lParam, reply})) return 0;
  return reply->Wait();
}

void PostQuitMessage(int exitCode) {
  MessageLoop* loop = MessageLoop::ForCurrentThread();
  if (!loop) return;
  loop->impl_->Enqueue(QueuedMessage{0, WM_QUIT, static_cast<WPARAM>(exitCode), 0, nullptr});
}

bool IsWindow(HWND hwnd) { return FindWindow(hwnd).has_value(); }

}  // namespace platform
