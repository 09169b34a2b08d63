// drivesim: drives the emulated drives by hand and from tests.
// Exit codes: 0 done, 1 refused or failed, 2 usage.

#include <openssl/crypto.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "emulator/cli/daemon_launcher.h"
#include "emulator/cli/status_text.h"
#include "emulator/daemon/daemon_server.h"
#include "emulator/protocol/daemon_client.h"
#include "emulator/protocol/json_line.h"
#include "emulator/protocol/password_digest.h"
#include "emulator/protocol/paths.h"

namespace drivesim {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr char kUsageText[] =
    "usage: drivesim COMMAND [ARGS]\n"
    "  start | stop\n"
    "  attach [--password P] [--unlocked] [--product NAME] [--letter X] [--symbol S]\n"
    "         [--size BYTES | --volume DIR] [--no-sensor]      prints the new drive's id\n"
    "  attach ID                                              plugs a detached drive back in\n"
    "  detach [ID]\n"
    "  status [--json]\n"
    "  finger down|up|nomatch [--drive ID]\n"
    "  finger match ID | similarity N | enrol ID [--drive ID]\n"
    "  fail ENTRY [--times N] | fail --damage-frames | fail clear\n"
    "  in-use ID on|off\n"
    "  reenumerate-delay MS\n";

// One line for a wrong argument, so it is not lost above the usage text.
int Usage(const std::string& why) {
  if (why.empty()) {
    std::cerr << kUsageText;
  } else {
    std::cerr << "drivesim: " << why << " (drivesim help lists the commands)\n";
  }
  return kUsage;
}

int Failed(const std::string& why) {
  std::cerr << "drivesim: " << why << "\n";
  return kFailed;
}

std::optional<long long> ParseNumber(const std::string& text, long long min, long long max) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < min || value > max) return std::nullopt;
  return value;
}

std::optional<unsigned long long> ParseSize(const std::string& text) {
  if (text.empty() || text[0] == '-') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value == 0) return std::nullopt;
  return value;
}

// Sends a command to the daemon, starting it first when needed.
std::optional<Json::Value> Send(const Json::Value& request, int* exit_code) {
  std::string error;
  if (!EnsureDaemon(&error)) {
    *exit_code = Failed(error);
    return std::nullopt;
  }
  auto reply = AskDaemon(request);
  if (!reply) {
    *exit_code = Failed("the daemon did not answer; see " + LogPath());
    return std::nullopt;
  }
  if (!(*reply)["ok"].asBool()) {
    *exit_code = Failed((*reply)["error"].asString());
    return std::nullopt;
  }
  *exit_code = kDone;
  return reply;
}

int SendSimple(const Json::Value& request) {
  int code = kDone;
  Send(request, &code);
  return code;
}

int Attach(std::vector<std::string> args) {
  Json::Value request;
  request["cmd"] = "attach";
  std::string password;
  bool has_password = false;
  bool has_size = false;
  bool has_volume = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--unlocked") {
      request["unlocked"] = true;
    } else if (arg == "--no-sensor") {
      request["no_sensor"] = true;
    } else if (arg == "--password" || arg == "--product" || arg == "--letter" ||
               arg == "--symbol" || arg == "--size" || arg == "--volume") {
      auto v = value();
      if (!v) return Usage(arg + " needs a value");
      if (arg == "--password") {
        password = *v;
        OPENSSL_cleanse(v->data(), v->size());
        OPENSSL_cleanse(args[i].data(), args[i].size());
        has_password = true;
      } else if (arg == "--size") {
        const auto size = ParseSize(*v);
        if (!size) return Usage("--size takes a positive number of bytes");
        request["size"] = Json::UInt64(*size);
        has_size = true;
      } else if (arg == "--volume") {
        // Relative to where the command runs, not to where the daemon was started.
        std::error_code ec;
        request["volume"] = std::filesystem::absolute(*v, ec).string();
        has_volume = true;
      } else {
        request[arg.substr(2)] = *v;
      }
    } else if (i == 0 && args.size() == 1 && arg[0] != '-') {
      const auto id = ParseNumber(arg, 1, INT32_MAX);
      if (!id) return Usage("a drive id is a positive number");
      request["id"] = static_cast<int>(*id);
    } else {
      return Usage("unknown attach option " + arg);
    }
  }
  if (has_size && has_volume) return Usage("--size and --volume exclude each other");
  if (request.isMember("unlocked") && !has_password) return Usage("--unlocked needs --password");
  if (has_password) {
    if (password.empty() || password.size() > 32) return Usage("a password is 1 to 32 bytes");
    request["password_digest"] = DigestHex(password.data(), password.size());
    request["password_length"] = static_cast<int>(password.size());
    OPENSSL_cleanse(password.data(), password.size());
  }
  int code = kDone;
  const auto reply = Send(request, &code);
  if (reply) std::cout << (*reply)["id"].asInt() << "\n";
  return code;
}

int Detach(const std::vector<std::string>& args) {
  if (args.size() > 1) return Usage("detach takes at most one drive id");
  Json::Value request;
  request["cmd"] = "detach";
  if (args.size() == 1) {
    const auto id = ParseNumber(args[0], 1, INT32_MAX);
    if (!id) return Usage("a drive id is a positive number");
    request["id"] = static_cast<int>(*id);
  }
  return SendSimple(request);
}

int Status(const std::vector<std::string>& args) {
  const bool json = args.size() == 1 && args[0] == "--json";
  if (!args.empty() && !json) return Usage("status takes only --json");
  Json::Value request;
  request["cmd"] = "status";
  int code = kDone;
  const auto reply = Send(request, &code);
  if (!reply) return code;
  std::cout << (json ? ToPrettyJson((*reply)["status"]) : StatusText((*reply)["status"]));
  return kDone;
}

int Finger(std::vector<std::string> args) {
  Json::Value request;
  request["cmd"] = "finger";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--drive") continue;
    if (i + 1 >= args.size()) return Usage("--drive needs a drive id");
    const auto id = ParseNumber(args[i + 1], 1, INT32_MAX);
    if (!id) return Usage("a drive id is a positive number");
    request["drive"] = static_cast<int>(*id);
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    break;
  }
  if (args.empty()) return Usage("finger needs an action");
  const std::string& action = args[0];
  request["action"] = action;
  if (action == "down" || action == "up" || action == "nomatch") {
    if (args.size() != 1) return Usage("finger " + action + " takes no value");
  } else if (action == "match" || action == "similarity" || action == "enrol") {
    if (args.size() != 2) return Usage("finger " + action + " takes one number");
    const auto value = ParseNumber(args[1], 0, 0xFFFF);
    if (!value) return Usage("finger " + action + " takes a number 0 to 65535");
    request["value"] = static_cast<int>(*value);
  } else {
    return Usage("unknown finger action " + action);
  }
  return SendSimple(request);
}

int Fail(const std::vector<std::string>& args) {
  Json::Value request;
  request["cmd"] = "fail";
  if (args.size() == 1 && args[0] == "clear") {
    request["clear"] = true;
  } else if (args.size() == 1 && args[0] == "--damage-frames") {
    request["damage_frames"] = true;
  } else if ((args.size() == 1 || args.size() == 3) && args[0][0] != '-') {
    request["entry"] = args[0];
    if (args.size() == 3) {
      if (args[1] != "--times") return Usage("unknown fail option " + args[1]);
      const auto times = ParseNumber(args[2], 1, INT32_MAX);
      if (!times) return Usage("--times takes a positive count");
      request["times"] = static_cast<int>(*times);
    }
  } else {
    return Usage("fail ENTRY [--times N] | fail --damage-frames | fail clear");
  }
  return SendSimple(request);
}

int InUse(const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[1] != "on" && args[1] != "off")) {
    return Usage("in-use ID on|off");
  }
  const auto id = ParseNumber(args[0], 1, INT32_MAX);
  if (!id) return Usage("a drive id is a positive number");
  Json::Value request;
  request["cmd"] = "in-use";
  request["id"] = static_cast<int>(*id);
  request["on"] = args[1] == "on";
  return SendSimple(request);
}

int ReenumerateDelay(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("reenumerate-delay MS");
  const auto ms = ParseNumber(args[0], 0, INT32_MAX);
  if (!ms) return Usage("the delay is a number of milliseconds");
  Json::Value request;
  request["cmd"] = "reenumerate-delay";
  request["ms"] = static_cast<int>(*ms);
  return SendSimple(request);
}

int Start(const std::vector<std::string>& args) {
  if (!args.empty()) return Usage("start takes no arguments");
  std::string error;
  return EnsureDaemon(&error) ? kDone : Failed(error);
}

int Stop(const std::vector<std::string>& args) {
  if (!args.empty()) return Usage("stop takes no arguments");
  if (!DaemonAnswers()) return kDone;
  Json::Value request;
  request["cmd"] = "stop";
  if (!AskDaemon(request)) return Failed("the daemon did not answer; see " + LogPath());
  return WaitForDaemonExit() ? kDone : Failed("the daemon did not stop");
}

int Main(int argc, char** argv) {
  if (argc < 2) return Usage("");
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "daemon") return RunDaemon();
  if (command == "start") return Start(args);
  if (command == "stop") return Stop(args);
  if (command == "attach") return Attach(args);
  if (command == "detach") return Detach(args);
  if (command == "status") return Status(args);
  if (command == "finger") return Finger(args);
  if (command == "fail") return Fail(args);
  if (command == "in-use") return InUse(args);
  if (command == "reenumerate-delay") return ReenumerateDelay(args);
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsageText;
    return kDone;
  }
  return Usage("unknown command " + command);
}

}  // namespace
}  // namespace drivesim

int main(int argc, char** argv) { return drivesim::Main(argc, argv); }
