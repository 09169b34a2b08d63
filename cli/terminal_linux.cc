// Echo-free reading from the terminal.
#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "cli/password_prompt.h"

bool ReadLineWithoutEcho(std::string& out) {
  if (!isatty(STDIN_FILENO)) return false;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return false;
  termios quiet = saved;
  quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
  // Never read a password that would be shown as it is typed.
  if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) != 0) return false;
  bool got = static_cast<bool>(std::getline(std::cin, out));
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
  return got;
}
