// Echo-free reading from the terminal.
#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "cli/password_prompt.h"

std::optional<std::string> ReadLineWithoutEcho() {
  if (!isatty(STDIN_FILENO)) return std::nullopt;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return std::nullopt;
  termios quiet = saved;
  quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  std::string line;
  bool got = static_cast<bool>(std::getline(std::cin, line));
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
  if (!got) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
