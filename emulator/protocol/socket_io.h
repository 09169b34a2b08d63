// Small helpers over Unix stream sockets shared by the daemon and its callers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drivesim {

inline constexpr std::size_t kMaxLineBytes = 1 << 20;

// Sets both send and receive time-outs of a socket.
void SetSocketTimeouts(int fd, int timeout_ms);
bool WriteAll(int fd, std::string_view data);
// Reads up to and including '\n' (which is dropped). nullopt on time-out,
// error, end of stream before a line, or a line longer than kMaxLineBytes.
std::optional<std::string> ReadLine(int fd);

}  // namespace drivesim
