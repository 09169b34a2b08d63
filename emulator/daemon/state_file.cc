#include "emulator/daemon/state_file.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "emulator/protocol/hex.h"
#include "emulator/protocol/json_line.h"

namespace drivesim {

namespace {

Json::Value DriveToJson(const Drive& d) {
  Json::Value j;
  j["id"] = d.id;
  j["attached"] = d.attached;
  j["symbol"] = d.symbol;
  j["product"] = d.product;
  j["letter"] = d.letter ? std::string(1, d.letter) : std::string();
  j["volume_dir"] = d.volume_dir;
  j["size_bytes"] = Json::UInt64(d.size_bytes);
  j["password_set"] = d.password_set;
  j["locked"] = d.locked;
  j["password_salt"] = d.password_salt;
  j["password_hash"] = d.password_hash;
  j["label"] = d.label;
  j["formatted"] = d.formatted;
  j["in_use"] = d.in_use;
  j["custom_data"] = ToHex(d.custom_data.data(), d.custom_data.size());
  j["has_sensor"] = d.has_sensor;
  j["fp_unlock"] = d.fp_unlock;
  j["fingerprints"] = Json::Value(Json::arrayValue);
  for (int id : d.fingerprints) j["fingerprints"].append(id);
  j["finger_down"] = d.finger_down;
  j["finger_match"] = d.finger_match;
  j["similarity"] = d.similarity;
  j["pending_reply"] = ToHex(d.pending_reply);
  j["gone_since_ms"] = Json::Int64(d.gone_since_ms);
  j["calls"] = Json::Value(Json::objectValue);
  for (const auto& [name, count] : d.calls) j["calls"][name] = Json::UInt64(count);
  return j;
}

Drive DriveFromJson(const Json::Value& j) {
  Drive d;
  d.id = j["id"].asInt();
  d.attached = j["attached"].asBool();
  d.symbol = j["symbol"].asString();
  d.product = j["product"].asString();
  const std::string letter = j["letter"].asString();
  d.letter = letter.empty() ? 0 : letter[0];
  d.volume_dir = j["volume_dir"].asString();
  d.size_bytes = j["size_bytes"].asUInt64();
  d.password_set = j["password_set"].asBool();
  d.locked = j["locked"].asBool();
  d.password_salt = j["password_salt"].asString();
  d.password_hash = j["password_hash"].asString();
  d.label = j["label"].asString();
  d.formatted = j["formatted"].asBool();
  d.in_use = j["in_use"].asBool();
  if (auto bytes = FromHex(j["custom_data"].asString());
      bytes && bytes->size() == kCustomDataSize) {
    std::copy(bytes->begin(), bytes->end(), d.custom_data.begin());
  } else {
    d.custom_data = ErasedCustomData();
  }
  d.has_sensor = j["has_sensor"].asBool();
  d.fp_unlock = j["fp_unlock"].asBool();
  for (const auto& id : j["fingerprints"]) d.fingerprints.push_back(id.asInt());
  d.finger_down = j["finger_down"].asBool();
  d.finger_match = j.get("finger_match", kNoMatch).asInt();
  d.similarity = j.get("similarity", kDefaultSimilarity).asInt();
  if (auto reply = FromHex(j["pending_reply"].asString())) d.pending_reply = *reply;
  d.gone_since_ms = j["gone_since_ms"].asInt64();
  for (const auto& name : j["calls"].getMemberNames()) d.calls[name] = j["calls"][name].asUInt64();
  return d;
}

}  // namespace

bool SaveWorld(const World& world, const std::string& path) {
  Json::Value root;
  root["next_id"] = world.next_id;
  root["reenumerate_delay_ms"] = world.reenumerate_delay_ms;
  root["damage_frames"] = world.damage_frames;
  root["faults"] = Json::Value(Json::objectValue);
  for (const auto& [entry, times] : world.faults) root["faults"][entry] = times;
  root["drives"] = Json::Value(Json::arrayValue);
  for (const Drive& drive : world.drives) root["drives"].append(DriveToJson(drive));

  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::trunc);
    out << ToPrettyJson(root);
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::optional<World> LoadWorld(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  const auto root = ParseJson(text.str());
  if (!root || !root->isObject()) return std::nullopt;
  World world;
  try {
    world.next_id = (*root).get("next_id", 1).asInt();
    world.reenumerate_delay_ms =
        (*root).get("reenumerate_delay_ms", kDefaultReenumerateDelayMs).asInt();
    world.damage_frames = (*root)["damage_frames"].asBool();
    for (const auto& entry : (*root)["faults"].getMemberNames()) {
      world.faults[entry] = (*root)["faults"][entry].asInt();
    }
    for (const auto& drive : (*root)["drives"]) world.drives.push_back(DriveFromJson(drive));
  } catch (const Json::Exception&) {
    return std::nullopt;  // a field of the wrong type
  }
  return world;
}

}  // namespace drivesim
