// The callers' side of the daemon socket: one connection per request, with a
// bounded wait, so a missing or stuck daemon turns into a failed call and
// never into a hang. Safe to use from any number of threads at once.
#pragma once

#include <json/json.h>

#include <optional>

namespace drivesim {

inline constexpr int kDaemonTimeoutMs = 5000;

// Sends one request to the daemon of the current emulator folder and returns
// its reply; nullopt when the daemon cannot be reached or does not answer in
// time.
std::optional<Json::Value> AskDaemon(const Json::Value& request, int timeout_ms = kDaemonTimeoutMs);

}  // namespace drivesim
