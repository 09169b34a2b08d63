#include "emulator/daemon/status_report.h"

#include <string>

#include "emulator/daemon/custom_data_hint.h"
#include "emulator/protocol/hex.h"

namespace drivesim {

Json::Value StatusReport(const World& world, std::int64_t now_ms) {
  Json::Value root;
  root["drives"] = Json::Value(Json::arrayValue);
  for (const Drive& d : world.drives) {
    Json::Value j;
    j["id"] = d.id;
    j["attached"] = d.attached;
    j["present"] = world.IsPresent(d, now_ms);
    j["state"] = SecurityState(d);
    j["password_set"] = d.password_set;
    j["locked"] = d.password_set && d.locked;
    j["hint"] = DecodeHint(d.custom_data);
    j["custom_data"] = ToHex(d.custom_data.data(), d.custom_data.size());
    j["fingerprints"] = Json::Value(Json::arrayValue);
    for (int id : d.fingerprints) j["fingerprints"].append(id);
    j["fp_unlock"] = d.fp_unlock;
    j["label"] = d.label;
    j["formatted"] = d.formatted;
    j["in_use"] = d.in_use;
    j["calls"] = Json::Value(Json::objectValue);
    for (const auto& [name, count] : d.calls) j["calls"][name] = Json::UInt64(count);
    j["symbol"] = d.symbol;
    j["product"] = d.product;
    j["letter"] = d.letter ? std::string(1, d.letter) : std::string();
    j["volume"] = d.volume_dir;
    j["sensor"] = d.has_sensor;
    root["drives"].append(j);
  }
  root["reenumerate_delay_ms"] = world.reenumerate_delay_ms;
  root["faults"] = Json::Value(Json::objectValue);
  for (const auto& [entry, times] : world.faults) root["faults"][entry] = times;
  root["damage_frames"] = world.damage_frames;
  return root;
}

}  // namespace drivesim
