#include "emulator/daemon/control_commands.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "emulator/daemon/status_report.h"
#include "emulator/protocol/entry_failures.h"
#include "emulator/protocol/password_digest.h"
#include "emulator/protocol/paths.h"
#include "platform/letter_map.h"

namespace drivesim {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxSymbolLength = 63;

Json::Value Ok() {
  Json::Value reply;
  reply["ok"] = true;
  return reply;
}

std::string NoDrive(const std::string& id) {
  return "no drive " + id + "; drivesim status lists the drives";
}

Json::Value Refused(const std::string& why) {
  Json::Value reply;
  reply["ok"] = false;
  reply["error"] = why;
  return reply;
}

// Looks like a Windows device path; the next-to-last character is a backslash.
std::string DefaultSymbol(int id) {
  return "\\\\?\\usbstor#disk&ven_orlu&prod_ssd&rev_0100#ORLU" + std::to_string(100000 + id) +
         "&0#\\1";
}

bool LetterTaken(const World& world, char letter, int except_id) {
  return std::any_of(world.drives.begin(), world.drives.end(), [&](const Drive& d) {
    return d.attached && d.id != except_id && d.letter == letter;
  });
}

char FirstFreeLetter(const World& world) {
  for (char letter = 'E'; letter <= 'Z'; ++letter) {
    if (!LetterTaken(world, letter, 0)) return letter;
  }
  return 0;
}

bool UsableSymbol(const std::string& symbol) {
  if (symbol.empty() || symbol.size() > kMaxSymbolLength) return false;
  return std::all_of(symbol.begin(), symbol.end(),
                     [](char c) { return c > ' ' && static_cast<unsigned char>(c) < 0x7F; });
}

// True when `inner` is `outer` or lies below it.
bool IsSameOrBelow(const fs::path& inner, const fs::path& outer) {
  const fs::path relative = inner.lexically_normal().lexically_relative(outer.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

// Partition, format and erase empty the volume folder, so it must not be a
// folder whose loss would be a disaster: the root or a folder right below it,
// or one holding the emulator's own files, the letter map or the user's home.
// Empty when the folder is fine, else why not.
std::string UnsafeVolumeReason(const std::string& volume_dir) {
  std::error_code ec;
  const fs::path volume = fs::weakly_canonical(volume_dir, ec);
  if (ec) return "cannot resolve the volume folder " + volume_dir;
  const auto depth = std::count_if(volume.begin(), volume.end(),
                                   [](const fs::path& part) { return !part.empty(); });
  if (depth < 3) {
    return "the volume folder " + volume.string() + " is too close to the root";
  }
  std::vector<std::string> kept = {platform::DriveSimDir(), platform::LetterMapDir()};
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    kept.emplace_back(home);
  }
  for (const std::string& folder : kept) {
    const fs::path resolved = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (!ec && IsSameOrBelow(resolved, volume)) {
      return "the volume folder " + volume.string() + " holds " + folder +
             ", which formatting would empty";
    }
  }
  return {};
}

Json::Value Reattach(World& world, int id) {
  Drive* drive = world.FindById(id);
  if (drive == nullptr) return Refused(NoDrive(std::to_string(id)));
  if (drive->attached) return Refused("drive " + std::to_string(id) + " is already attached");
  if (drive->letter != 0 && LetterTaken(world, drive->letter, id)) {
    return Refused(std::string("drive letter ") + drive->letter +
                   " is taken; detach the drive that has it first");
  }
  drive->attached = true;
  drive->gone_since_ms = 0;
  drive->locked = drive->password_set;
  drive->finger_down = false;
  drive->finger_match = kNoMatch;
  drive->pending_reply.clear();
  Json::Value reply = Ok();
  reply["id"] = id;
  return reply;
}

Json::Value Attach(World& world, const Json::Value& request) {
  if (request.isMember("id")) return Reattach(world, request["id"].asInt());

  Drive drive;
  drive.id = world.next_id;
  drive.custom_data = ErasedCustomData();

  drive.symbol = request.get("symbol", DefaultSymbol(drive.id)).asString();
  if (!UsableSymbol(drive.symbol)) {
    return Refused("a symbol is 1 to 63 printable ASCII characters without spaces");
  }
  for (const Drive& other : world.drives) {
    if (other.symbol == drive.symbol)
      return Refused("symbol already used by drive " + std::to_string(other.id) +
                     "; give another with --symbol");
  }
  drive.product = request.get("product", kDefaultProduct).asString();
  if (drive.product.size() > 63) return Refused("product name longer than 63 characters");

  if (request.isMember("letter")) {
    const std::string letter = request["letter"].asString();
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) {
      return Refused("a drive letter is one letter A to Z");
    }
    drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
    if (LetterTaken(world, drive.letter, 0)) {
      return Refused(std::string("drive letter ") + drive.letter +
                     " is taken; give another with --letter");
    }
  } else {
    drive.letter = FirstFreeLetter(world);
    if (drive.letter == 0) return Refused("no free drive letter; detach a drive first");
  }

  std::error_code ec;
  if (request.isMember("volume")) {
    drive.volume_dir = fs::absolute(request["volume"].asString(), ec).lexically_normal().string();
    while (drive.volume_dir.size() > 1 && drive.volume_dir.back() == '/')
      drive.volume_dir.pop_back();
    if (const std::string why = UnsafeVolumeReason(drive.volume_dir); !why.empty()) {
      return Refused(why + "; give a folder of its own");
    }
    for (const Drive& other : world.drives) {
      if (other.volume_dir == drive.volume_dir) {
        return Refused("volume folder already used by drive " + std::to_string(other.id) +
                       "; give a folder of its own");
      }
    }
  } else {
    drive.volume_dir = VolumesDir() + "/" + std::to_string(drive.id);
  }
  fs::create_directories(drive.volume_dir, ec);
  if (!fs::is_directory(drive.volume_dir)) {
    return Refused("cannot create the volume folder " + drive.volume_dir);
  }
  if (request.isMember("size")) drive.size_bytes = request["size"].asUInt64();
  drive.has_sensor = !request["no_sensor"].asBool();

  if (request.isMember("password_digest")) {
    const std::string digest = request["password_digest"].asString();
    const int length = request["password_length"].asInt();
    if (length <= 0 || length > 32 || digest.size() != 64) {
      return Refused("a password is 1 to 32 bytes");
    }
    drive.password_salt = NewSaltHex();
    drive.password_hash = SaltedDigestHex(drive.password_salt, digest);
    drive.password_set = true;
    drive.locked = !request["unlocked"].asBool();
  }

  ++world.next_id;
  world.drives.push_back(drive);
  Json::Value reply = Ok();
  reply["id"] = drive.id;
  return reply;
}

Json::Value Detach(World& world, LetterMapWriter& letters, const Json::Value& request) {
  if (request.isMember("id")) {
    Drive* drive = world.FindById(request["id"].asInt());
    if (drive == nullptr) return Refused(NoDrive(request["id"].asString()));
    drive->attached = false;
    letters.Withdraw(*drive);
    return Ok();
  }
  for (Drive& drive : world.drives) {
    drive.attached = false;
    letters.Withdraw(drive);
  }
  return Ok();
}

// The drive finger commands address: the one named, else the first attached
// drive with a sensor.
Drive* FingerTarget(World& world, const Json::Value& request) {
  if (request.isMember("drive")) {
    Drive* drive = world.FindById(request["drive"].asInt());
    return drive && drive->has_sensor ? drive : nullptr;
  }
  for (Drive& drive : world.drives) {
    if (drive.attached && drive.has_sensor) return &drive;
  }
  return nullptr;
}

Json::Value Finger(World& world, const Json::Value& request) {
  Drive* drive = FingerTarget(world, request);
  if (drive == nullptr) {
    return Refused("no attached drive with a fingerprint sensor; attach one without --no-sensor");
  }
  const std::string action = request["action"].asString();
  const int value = request["value"].asInt();
  if (action == "down" || action == "nomatch") {
    drive->finger_down = true;
    drive->finger_match = kNoMatch;
  } else if (action == "up") {
    drive->finger_down = false;
    drive->finger_match = kNoMatch;
  } else if (action == "match") {
    if (std::find(drive->fingerprints.begin(), drive->fingerprints.end(), value) ==
        drive->fingerprints.end()) {
      return Refused("no enrolled fingerprint with ID " + std::to_string(value) +
                     "; enrol it first with drivesim finger enrol ID");
    }
    drive->finger_down = true;
    drive->finger_match = value;
  } else if (action == "similarity") {
    if (value < 0 || value > 0xFFFF) return Refused("similarity is 0 to 65535");
    drive->similarity = value;
  } else if (action == "enrol") {
    if (value < 1 || value > 100) return Refused("a sensor user ID is 1 to 100");
    if (std::find(drive->fingerprints.begin(), drive->fingerprints.end(), value) ==
        drive->fingerprints.end()) {
      drive->fingerprints.push_back(value);
      std::sort(drive->fingerprints.begin(), drive->fingerprints.end());
    }
  } else {
    return Refused("unknown finger action " + action);
  }
  return Ok();
}

Json::Value Fail(World& world, const Json::Value& request) {
  if (request["clear"].asBool()) {
    world.faults.clear();
    world.damage_frames = false;
    return Ok();
  }
  if (request["damage_frames"].asBool()) {
    world.damage_frames = true;
    return Ok();
  }
  const std::string entry = request["entry"].asString();
  if (!FailureOf(entry).known) {
    return Refused("no entry named " + entry + "; give a bridge library entry such as AP_Login");
  }
  const int times = request.get("times", kFailAlways).asInt();
  if (times == 0 || times < kFailAlways) return Refused("--times takes a positive count");
  world.faults[entry] = times;
  return Ok();
}

Json::Value InUse(World& world, const Json::Value& request) {
  Drive* drive = world.FindById(request["id"].asInt());
  if (drive == nullptr) return Refused(NoDrive(request["id"].asString()));
  drive->in_use = request["on"].asBool();
  return Ok();
}

Json::Value ReenumerateDelay(World& world, const Json::Value& request) {
  const int ms = request["ms"].asInt();
  if (ms < 0) return Refused("the delay is 0 or more milliseconds");
  world.reenumerate_delay_ms = ms;
  return Ok();
}

}  // namespace

Json::Value HandleControlCommand(World& world, LetterMapWriter& letters, const Json::Value& request,
                                 std::int64_t now_ms) {
  const std::string cmd = request["cmd"].asString();
  if (cmd == "ping") {
    Json::Value reply = Ok();
    reply["pid"] = static_cast<int>(::getpid());
    return reply;
  }
  if (cmd == "status") {
    Json::Value reply = Ok();
    reply["status"] = StatusReport(world, now_ms);
    return reply;
  }
  if (cmd == "attach") return Attach(world, request);
  if (cmd == "detach") return Detach(world, letters, request);
  if (cmd == "finger") return Finger(world, request);
  if (cmd == "fail") return Fail(world, request);
  if (cmd == "in-use") return InUse(world, request);
  if (cmd == "reenumerate-delay") return ReenumerateDelay(world, request);
  return Refused("unknown command " + cmd);
}

}  // namespace drivesim
