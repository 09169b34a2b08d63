#include "cli/cli_app.h"

#include <json/json.h>

#include <memory>
#include <optional>

#include "cli/password_prompt.h"
#include "cli/password_rules.h"
#include "client/drive/erase_and_format.h"
#include "client/fingerprint/custom_data_block.h"
#include "common/bridge/bridge_api.h"
#include "platform/secure_zero.h"

namespace {

constexpr char kUsage[] =
    "Usage: orlussd-cli [--drive N] [--password-stdin] COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  list                          the attached drives, numbered from 1\n"
    "  status [--json]               the security state of each drive\n"
    "  unlock                        unlock a locked drive (prints the hint after a wrong\n"
    "                                password)\n"
    "  set-password [--hint TEXT]    give a drive without password a password; the drive\n"
    "                                then locks itself\n"
    "  change-password [--hint TEXT] change the password; the hint is replaced (empty\n"
    "                                without --hint)\n"
    "  remove-password               remove the password of an unlocked drive\n"
    "  hint                          print the stored password hint\n"
    "  safe-remove                   eject every drive so it can be unplugged\n"
    "  erase --yes                   forgotten password: erase the security information\n"
    "                                and ALL DATA, then partition and format the drive\n"
    "  fingerprints                  the enrolled fingerprints\n"
    "\n"
    "Passwords are asked on the terminal without echo, or read one per line from\n"
    "standard input with --password-stdin (change-password: the current one, then the\n"
    "new one). A password has 4 to 16 printable ASCII characters without spaces.\n"
    "\n"
    "Exit codes: 0 done, 1 wrong password, 2 usage error, 3 no drive or no bridge\n"
    "library, 4 any other failure.\n";

struct Options {
  std::string command;
  int drive = 0;  // 1-based; 0 when not given
  bool passwordStdin = false;
  bool json = false;
  bool yes = false;
  std::optional<std::string> hint;
};

const char* StateName(int state) {
  switch (state) {
    case kSecurityNoPassword:
      return "no password";
    case kSecurityUnlocked:
      return "unlocked";
    case kSecurityLocked:
      return "locked";
    case kSecurityUnknown:
      return "not recognised";
    default:
      return "unreadable";
  }
}

// A password read for one command, wiped when the command is done.
struct Secret {
  std::string text;
  ~Secret() { platform::SecureZero(text); }
  const char* c_str() const { return text.c_str(); }
};

class Cli {
 public:
  Cli(const Options& options, std::istream& in, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err), prompt_(options.passwordStdin, in, err) {}

  int Run();

 private:
  int Fail(int code, const std::string& message) {
    err_ << message << "\n";
    return code;
  }

  // The chosen drive's record, or null after reporting why there is none.
  const DriveRecord* ChooseDrive(int* exitCode);
  // False (with the exit code set) when no acceptable password was given.
  bool AskPassword(const char* prompt, Secret& password, int* exitCode);
  bool AskNewPassword(const char* prompt, Secret& password, int* exitCode);
  int NoPassword(bool mismatch);

  bool Shown(std::size_t position) const {
    return options_.drive == 0 || static_cast<std::size_t>(options_.drive) == position + 1;
  }
  int List();
  int Status();
  int Unlock(const DriveRecord& drive);
  int SetPassword(const DriveRecord& drive);
  int ChangePassword(const DriveRecord& drive);
  int RemovePassword(const DriveRecord& drive);
  bool CustomDataReadable(const DriveRecord& drive);
  int Hint(const DriveRecord& drive);
  int SafeRemove();
  int Erase(const DriveRecord& drive);
  int Fingerprints(const DriveRecord& drive);

  const Options& options_;
  std::ostream& out_;
  std::ostream& err_;
  PasswordPrompt prompt_;
  BridgeApi bridge_;
  std::vector<std::unique_ptr<DriveRecord>> drives_;
};

int Cli::Run() {
  if (!bridge_.BindBridgeLibrary()) {
    return Fail(kExitNoDrive,
                "The bridge library libJMUsbDll.so could not be loaded: " + bridge_.errorText());
  }
  bridge_.ListProductDrives(drives_);
  if (drives_.empty()) return Fail(kExitNoDrive, "No ORLU SSD drive is attached.");

  const std::string& c = options_.command;
  if (c == "safe-remove") return SafeRemove();
  if (c == "list" || c == "status") {
    // Every drive, or only the one asked for.
    if (options_.drive != 0) {
      int exitCode = kExitDone;
      if (!ChooseDrive(&exitCode)) return exitCode;
    }
    return c == "list" ? List() : Status();
  }

  int exitCode = kExitDone;
  const DriveRecord* drive = ChooseDrive(&exitCode);
  if (!drive) return exitCode;
  if (c == "unlock") return Unlock(*drive);
  if (c == "set-password") return SetPassword(*drive);
  if (c == "change-password") return ChangePassword(*drive);
  if (c == "remove-password") return RemovePassword(*drive);
  if (c == "hint") return Hint(*drive);
  if (c == "erase") return Erase(*drive);
  return Fingerprints(*drive);
}

const DriveRecord* Cli::ChooseDrive(int* exitCode) {
  if (options_.drive == 0) {
    if (drives_.size() == 1) return drives_[0].get();
    *exitCode = Fail(kExitUsage,
                     "More than one drive is attached: choose one with --drive N "
                     "('orlussd-cli list' numbers them).");
    return nullptr;
  }
  if (options_.drive > static_cast<int>(drives_.size())) {
    *exitCode = Fail(kExitUsage, "There is no drive " + std::to_string(options_.drive) +
                                     "; 'orlussd-cli list' shows the attached drives.");
    return nullptr;
  }
  return drives_[static_cast<std::size_t>(options_.drive - 1)].get();
}

int Cli::NoPassword(bool mismatch) {
  if (mismatch) return Fail(kExitUsage, "The two passwords differ.");
  return Fail(kExitUsage, prompt_.fromStream()
                              ? "A password was expected on standard input."
                              : "No terminal to ask for the password on; use --password-stdin.");
}

bool Cli::AskPassword(const char* prompt, Secret& password, int* exitCode) {
  if (!prompt_.Read(prompt, password.text)) {
    *exitCode = NoPassword(false);
    return false;
  }
  if (auto error = CheckPassword(password.text)) {
    *exitCode = Fail(kExitUsage, *error);
    return false;
  }
  return true;
}

bool Cli::AskNewPassword(const char* prompt, Secret& password, int* exitCode) {
  bool mismatch = false;
  if (!prompt_.ReadNew(prompt, password.text, &mismatch)) {
    *exitCode = NoPassword(mismatch);
    return false;
  }
  if (auto error = CheckPassword(password.text)) {
    *exitCode = Fail(kExitUsage, *error);
    return false;
  }
  return true;
}

int Cli::List() {
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    if (!Shown(i)) continue;
    const DriveRecord& d = *drives_[i];
    std::string letters = d.letters.empty() ? "-" : d.letters.substr(0, 1) + ":";
    out_ << (i + 1) << "  " << letters << "  " << StateName(bridge_.GetDriveSecurityState(d.index))
         << "  " << d.symbol << "\n";
  }
  return kExitDone;
}

int Cli::Status() {
  Json::Value root;
  root["drives"] = Json::Value(Json::arrayValue);
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    if (!Shown(i)) continue;
    const DriveRecord& d = *drives_[i];
    int state = bridge_.GetDriveSecurityState(d.index);
    if (options_.json) {
      Json::Value drive;
      drive["drive"] = static_cast<int>(i + 1);
      drive["letters"] = d.letters;
      drive["state"] = state;
      drive["state_name"] = StateName(state);
      drive["symbol"] = d.symbol;
      root["drives"].append(drive);
    } else {
      out_ << "Drive " << (i + 1);
      if (!d.letters.empty()) out_ << " (" << d.letters.substr(0, 1) << ":)";
      out_ << ": " << StateName(state) << "\n";
    }
  }
  if (options_.json) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    out_ << Json::writeString(writer, root) << "\n";
  }
  return kExitDone;
}

int Cli::Unlock(const DriveRecord& drive) {
  switch (bridge_.GetDriveSecurityState(drive.index)) {
    case kSecurityLocked:
      break;
    case kSecurityUnlocked:
      out_ << "The drive is already unlocked.\n";
      return kExitDone;
    case kSecurityNoPassword:
      out_ << "The drive has no password; there is nothing to unlock.\n";
      return kExitDone;
    default:
      return Fail(kExitFailed, "The drive's security state could not be read.");
  }
  int exitCode = kExitDone;
  Secret password;
  if (!AskPassword("Password: ", password, &exitCode)) return exitCode;
  if (!bridge_.Login(password.c_str(), drive.index)) {
    err_ << "Wrong password.\n";
    std::string hint = ReadPasswordHint(bridge_, drive.index);
    if (!hint.empty()) err_ << "Hint: " << hint << "\n";
    return kExitRefused;
  }
  out_ << "Unlocked.\n";
  return kExitDone;
}

int Cli::SetPassword(const DriveRecord& drive) {
  int state = bridge_.GetDriveSecurityState(drive.index);
  if (state == kSecurityUnlocked || state == kSecurityLocked) {
    return Fail(kExitFailed, "The drive already has a password; use change-password.");
  }
  if (state != kSecurityNoPassword) {
    return Fail(kExitFailed, "The drive's security state could not be read.");
  }
  std::string hint = options_.hint.value_or("");
  if (auto error = CheckHintLength(hint)) return Fail(kExitUsage, *error);
  int exitCode = kExitDone;
  Secret password;
  if (!AskNewPassword("New password: ", password, &exitCode)) return exitCode;
  if (auto error = CheckHint(hint, password.text)) return Fail(kExitUsage, *error);

  if (!bridge_.SetPassword(password.c_str(), drive.index)) {
    return Fail(kExitFailed, "The drive refused to set the password.");
  }
  bool hintWritten = WritePasswordHint(bridge_, hint, drive.index);
  bridge_.ResetChip(drive.index);
  if (!hintWritten) {
    return Fail(kExitFailed, "The password is set, but the hint could not be written.");
  }
  out_ << "Password set. The drive restarts locked; unlock it with 'orlussd-cli unlock'.\n";
  return kExitDone;
}

int Cli::ChangePassword(const DriveRecord& drive) {
  int state = bridge_.GetDriveSecurityState(drive.index);
  if (state == kSecurityNoPassword) {
    return Fail(kExitFailed, "The drive has no password; use set-password.");
  }
  if (state == kSecurityLocked) return Fail(kExitFailed, "Unlock the drive first.");
  if (state != kSecurityUnlocked) {
    return Fail(kExitFailed, "The drive's security state could not be read.");
  }
  std::string hint = options_.hint.value_or("");
  if (auto error = CheckHintLength(hint)) return Fail(kExitUsage, *error);
  int exitCode = kExitDone;
  Secret current, next;
  if (!AskPassword("Current password: ", current, &exitCode)) return exitCode;
  if (!AskNewPassword("New password: ", next, &exitCode)) return exitCode;
  if (auto error = CheckHint(hint, next.text)) return Fail(kExitUsage, *error);

  if (!bridge_.ChangePassword(current.c_str(), next.c_str(), drive.index)) {
    return Fail(kExitRefused, "The current password is wrong.");
  }
  if (!WritePasswordHint(bridge_, hint, drive.index)) {
    return Fail(kExitFailed, "The password is changed, but the hint could not be written.");
  }
  out_ << "Password changed.\n";
  return kExitDone;
}

int Cli::RemovePassword(const DriveRecord& drive) {
  int state = bridge_.GetDriveSecurityState(drive.index);
  if (state == kSecurityNoPassword) {
    out_ << "The drive has no password.\n";
    return kExitDone;
  }
  if (state == kSecurityLocked) return Fail(kExitFailed, "Unlock the drive first.");
  if (state != kSecurityUnlocked) {
    return Fail(kExitFailed, "The drive's security state could not be read.");
  }
  int exitCode = kExitDone;
  Secret password;
  if (!AskPassword("Password: ", password, &exitCode)) return exitCode;
  // The drive accepts a change to the same password only from the right one.
  if (!bridge_.ChangePassword(password.c_str(), password.c_str(), drive.index)) {
    return Fail(kExitRefused, "Wrong password.");
  }
  if (!bridge_.EraseSecurityInfoSafeMode(drive.index)) {
    return Fail(kExitFailed, "The drive refused to remove the password.");
  }
  bridge_.ResetChip(drive.index);
  out_ << "Password removed. The drive restarts without a password.\n";
  return kExitDone;
}

bool Cli::CustomDataReadable(const DriveRecord& drive) {
  BridgeApi::SymbolBuffer symbol;
  bridge_.CopySymbol(drive.index, symbol);
  std::uint8_t block[kCustomDataSize];
  UserConfig view;
  bool readable = LoadUserConfig(symbol, &view, block) != nullptr;
  // Blocks written by older software may hold a password copy.
  platform::SecureZero(block, sizeof block);
  return readable;
}

int Cli::Hint(const DriveRecord& drive) {
  // An empty hint and an unreadable block look alike to ReadPasswordHint.
  if (!CustomDataReadable(drive)) {
    return Fail(kExitFailed, "The drive's custom-data area could not be read.");
  }
  std::string hint = ReadPasswordHint(bridge_, drive.index);
  if (hint.empty()) {
    err_ << "No password hint is stored.\n";
  } else {
    out_ << hint << "\n";
  }
  return kExitDone;
}

int Cli::SafeRemove() {
  if (bridge_.SafeRemoveAll() == 0) {
    return Fail(kExitFailed, "The drive could not be removed; a file on it may be in use.");
  }
  out_ << "The drive can be unplugged now.\n";
  return kExitDone;
}

int Cli::Erase(const DriveRecord& drive) {
  err_ << "Erasing the security information and formatting the drive...\n";
  switch (EraseAndFormat(bridge_, drive.index)) {
    case EraseOutcome::kDone:
      out_ << "The drive is erased and formatted, without a password.\n";
      return kExitDone;
    case EraseOutcome::kEraseFailed:
      return Fail(kExitFailed,
                  "The drive refused to erase its security information; "
                  "nothing was changed.");
    case EraseOutcome::kDriveDidNotReturn:
      return Fail(kExitFailed,
                  "The security information is erased, but the drive did not "
                  "come back after its restart. Plug it in again and run erase "
                  "once more to format it.");
    case EraseOutcome::kPartitionFailed:
      return Fail(kExitFailed, "The security information is erased, but partitioning failed.");
    case EraseOutcome::kFormatFailed:
      return Fail(kExitFailed,
                  "The security information is erased and the drive partitioned, but "
                  "formatting failed.");
  }
  return kExitFailed;
}

int Cli::Fingerprints(const DriveRecord& drive) {
  BridgeApi::SymbolBuffer symbol;
  bridge_.CopySymbol(drive.index, symbol);
  FpUser users[kMaxListedFingers];
  int count = 0;
  // Listed directly: GetFingerList gives an empty list for an unreadable block too.
  if (!ListFingerUsers(symbol, users, &count)) {
    return Fail(kExitFailed, "The drive's custom-data area could not be read.");
  }
  if (count == 0) {
    err_ << "No fingerprints are enrolled.\n";
    return kExitDone;
  }
  for (int i = 0; i < count; ++i) {
    FpListItem finger = MakeListItem(users[i]);
    out_ << int(finger.id) << "  " << finger.name << "\n";
  }
  return kExitDone;
}

// Null after printing the usage error.
std::optional<Options> Parse(const std::vector<std::string>& args, std::ostream& err, bool* help) {
  Options o;
  auto bad = [&err](const std::string& message) -> std::optional<Options> {
    err << message << "\n"
        << "Run 'orlussd-cli --help' for the commands.\n";
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      *help = true;
      return std::nullopt;
    } else if (a == "--drive") {
      if (i + 1 >= args.size()) return bad("--drive needs a number.");
      const std::string& n = args[++i];
      if (n.empty() || n.size() > 3 || n.find_first_not_of("0123456789") != std::string::npos ||
          std::stoi(n) < 1) {
        return bad("--drive needs a drive number from 1 on.");
      }
      o.drive = std::stoi(n);
    } else if (a == "--password-stdin") {
      o.passwordStdin = true;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--yes") {
      o.yes = true;
    } else if (a == "--hint") {
      if (i + 1 >= args.size()) return bad("--hint needs a text (it may be empty: --hint \"\").");
      o.hint = args[++i];
    } else if (a == "--password" || a.rfind("--password=", 0) == 0) {
      return bad("Passwords are never taken from the command line; use --password-stdin.");
    } else if (!a.empty() && a[0] == '-') {
      return bad("Unknown option " + a + ".");
    } else if (o.command.empty()) {
      o.command = a;
    } else {
      return bad("Unexpected argument " + a + ".");
    }
  }
  static const char* const kCommands[] = {
      "list", "status",      "unlock", "set-password", "change-password", "remove-password",
      "hint", "safe-remove", "erase",  "fingerprints"};
  bool known = false;
  for (const char* c : kCommands) known = known || o.command == c;
  if (o.command.empty()) return bad("No command given.");
  if (!known) return bad("Unknown command " + o.command + ".");
  if (o.json && o.command != "status") return bad("--json goes with status only.");
  if (o.hint && o.command != "set-password" && o.command != "change-password") {
    return bad("--hint goes with set-password and change-password only.");
  }
  if (o.yes && o.command != "erase") return bad("--yes goes with erase only.");
  if (o.command == "erase" && !o.yes) {
    return bad("erase destroys every file on the drive; add --yes to go ahead.");
  }
  return o;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  bool help = false;
  std::optional<Options> options = Parse(args, err, &help);
  if (help) {
    out << kUsage;
    return kExitDone;
  }
  if (!options) return kExitUsage;
  Cli cli(*options, in, out, err);
  return cli.Run();
}
