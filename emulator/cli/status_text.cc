#include "emulator/cli/status_text.h"

#include <sstream>

namespace drivesim {

namespace {

const char* StateName(int state) {
  switch (state) {
    case 1:
      return "no password";
    case 2:
      return "unlocked";
    case 3:
      return "locked";
    default:
      return "unknown";
  }
}

std::string Join(const Json::Value& list) {
  std::string text;
  for (const auto& item : list) {
    if (!text.empty()) text += ",";
    text += item.asString();
  }
  return text.empty() ? "none" : text;
}

}  // namespace

std::string StatusText(const Json::Value& status) {
  std::ostringstream out;
  const Json::Value& drives = status["drives"];
  if (drives.empty()) out << "no drives\n";
  for (const auto& d : drives) {
    const std::string where = !d["attached"].asBool() ? "detached"
                              : d["present"].asBool() ? "attached"
                                                      : "re-enumerating";
    out << "drive " << d["id"].asInt() << "  " << where << "  " << StateName(d["state"].asInt())
        << " (state " << d["state"].asInt() << ")  product \"" << d["product"].asString() << "\"\n";
    out << "  symbol       " << d["symbol"].asString() << "\n";
    out << "  volume       "
        << (d["letter"].asString().empty() ? "-" : d["letter"].asString() + ":") << " "
        << d["volume"].asString() << "  label \"" << d["label"].asString() << "\""
        << (d["formatted"].asBool() ? "" : " (not formatted)")
        << (d["in_use"].asBool() ? "  in use" : "") << "\n";
    out << "  hint         \"" << d["hint"].asString() << "\"\n";
    if (d["sensor"].asBool()) {
      out << "  fingerprints " << Join(d["fingerprints"]) << "  fingerprint unlock "
          << (d["fp_unlock"].asBool() ? "on" : "off") << "\n";
    } else {
      out << "  no fingerprint sensor\n";
    }
    std::string calls;
    for (const auto& name : d["calls"].getMemberNames()) {
      calls += " " + name + "=" + d["calls"][name].asString();
    }
    if (!calls.empty()) out << "  calls       " << calls << "\n";
  }
  out << "re-enumeration delay " << status["reenumerate_delay_ms"].asInt() << " ms";
  if (status["damage_frames"].asBool()) out << "; fingerprint replies damaged";
  for (const auto& entry : status["faults"].getMemberNames()) {
    const int times = status["faults"][entry].asInt();
    out << "; " << entry << " fails " << (times < 0 ? "always" : std::to_string(times) + "x");
  }
  out << "\n";
  return out.str();
}

}  // namespace drivesim
