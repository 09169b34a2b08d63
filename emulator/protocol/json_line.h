// Requests and replies between the daemon and its callers: one compact JSON
// object per line.
#pragma once

#include <json/json.h>

#include <optional>
#include <string>
#include <string_view>

namespace drivesim {

// Compact JSON text ending with '\n'.
std::string ToJsonLine(const Json::Value& value);
// Readable, indented JSON text ending with '\n'.
std::string ToPrettyJson(const Json::Value& value);
// nullopt when the text is not valid JSON.
std::optional<Json::Value> ParseJson(std::string_view text);

}  // namespace drivesim
