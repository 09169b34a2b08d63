// `drivesim status` for people: one block per drive.
#pragma once

#include <json/json.h>

#include <string>

namespace drivesim {

std::string StatusText(const Json::Value& status);

}  // namespace drivesim
