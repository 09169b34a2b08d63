// Where the tool gets passwords: the terminal with echo off, or standard
// input one per line. Never the command line. Passwords are read straight
// into the caller's string, which the caller wipes.
#pragma once

#include <istream>
#include <ostream>
#include <string>

class PasswordPrompt {
 public:
  // `fromStream`: read lines from `in` (--password-stdin); else ask on the
  // terminal, writing prompts to `prompts`.
  PasswordPrompt(bool fromStream, std::istream& in, std::ostream& prompts)
      : fromStream_(fromStream), in_(in), prompts_(prompts) {}

  // One password into `out`; false when there is none to read (end of input,
  // or no terminal to ask on).
  bool Read(const char* prompt, std::string& out);
  // A new password: asked twice on the terminal (false, with `mismatch` set,
  // when the two differ), read once from a stream.
  bool ReadNew(const char* prompt, std::string& out, bool* mismatch);

  bool fromStream() const { return fromStream_; }

 private:
  static constexpr std::size_t kLineReserve = 256;

  bool fromStream_;
  std::istream& in_;
  std::ostream& prompts_;
};

// Reads one line from the terminal on standard input with echo off. False
// when standard input is not a terminal or at end of input.
bool ReadLineWithoutEcho(std::string& out);
