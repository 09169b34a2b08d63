// orlussd-cli: the drive operations of the client for scripts and people,
// over the same drive code.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// Exit codes.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;  // the drive refused the password
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoDrive = 3;  // no drive of the product, or no bridge library
inline constexpr int kExitFailed = 4;

// `args` without the program name. Results go to `out`, messages and
// prompts to `err`; passwords come from `in` with --password-stdin.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);
