// Where the tool gets passwords: the terminal with echo off, or standard
// input one per line. Never the command line.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

class PasswordPrompt {
 public:
  // `fromStream`: read lines from `in` (--password-stdin); else ask on the
  // terminal, writing prompts to `prompts`.
  PasswordPrompt(bool fromStream, std::istream& in, std::ostream& prompts)
      : fromStream_(fromStream), in_(in), prompts_(prompts) {}

  // One password; null when there is none to read (end of input, or no
  // terminal to ask on).
  std::optional<std::string> Read(const char* prompt);
  // A new password: asked twice on the terminal (null, with `mismatch` set,
  // when the two differ), read once from a stream.
  std::optional<std::string> ReadNew(const char* prompt, bool* mismatch);

  bool fromStream() const { return fromStream_; }

 private:
  bool fromStream_;
  std::istream& in_;
  std::ostream& prompts_;
};

// Reads one line from the terminal on standard input with echo off. Null when
// standard input is not a terminal or at end of input.
std::optional<std::string> ReadLineWithoutEcho();
