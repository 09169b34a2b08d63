// BridgeApi: the process-wide binding of the bridge chip library
// (libJMUsbDll.so) with the drive symbol table and the fields the drive
// workers share. The listing members live in common/bridge; the security
// members and the workers in client/drive and client/fingerprint.
//
// An unbound object (library missing, an entry missing) never calls an entry:
// every member then reports failure.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/bridge/bridge_entries.h"
#include "common/bridge/drive_record.h"
#include "platform/clock.h"
#include "platform/thread.h"
#include "platform/win_types.h"

namespace platform {
class DynamicLibrary;
}

// Every entry of the library, resolved by name.
struct BridgeEntries {
#define ORLU_BRIDGE_ENTRY_FIELD(name, required) name##_t name = nullptr;
  ORLU_BRIDGE_ENTRIES(ORLU_BRIDGE_ENTRY_FIELD)
#undef ORLU_BRIDGE_ENTRY_FIELD
};

inline constexpr char kBridgeLibraryFile[] = "libJMUsbDll.so";
inline constexpr char kBridgeBindError[] = "Initalize the API entries fail!";

class BridgeApi {
 public:
  static constexpr int kMaxSymbols = 256;
  static constexpr int kSymbolSize = 64;
  using SymbolBuffer = char[kSymbolSize];

  BridgeApi();
  ~BridgeApi();
  BridgeApi(const BridgeApi&) = delete;
  BridgeApi& operator=(const BridgeApi&) = delete;

  // Loads the library from the program's own folder first, then the library
  // search path, and resolves every entry. False leaves the object unbound
  // with errorText() set.
  bool BindBridgeLibrary(const std::string& fileName = kBridgeLibraryFile);
  // Binds an entry table resolved elsewhere (a test's fake library). The same
  // rules apply: a missing required entry leaves the object unbound.
  bool BindEntries(const BridgeEntries& entries);

  bool IsBound() const { return bound_; }
  const std::string& errorText() const { return errorText_; }
  const BridgeEntries& entries() const { return entries_; }

  // Time source of every wait the workers make; the real clock by default.
  void SetClock(platform::Clock& clock) { clock_ = &clock; }
  platform::Clock& clock() const { return *clock_; }

  // --- Drive symbol table (filled by every GetUsbIdList call) ---

  // Copies slot `index` into `out` (zeroed first). False for an index outside
  // the table.
  bool CopySymbol(int index, SymbolBuffer& out) const;
  // Count of the last GetUsbIdList call.
  int SymbolCount() const { return symbolCount_.load(); }
  // Calls GetUsbIdList into the table and stores its count (at most 256);
  // returns it. 0 when unbound.
  int RefreshSymbolTable();

  // --- Listing and state ---

  // Lists the attached devices and appends a record for each one whose
  // product name is "ORLU SSD". 0 when the library lists no device, else 1.
  int ListProductDrives(std::vector<std::unique_ptr<DriveRecord>>& records);
  // kSecurity* number of the drive in slot `index`.
  int GetDriveSecurityState(int index);

  // --- Security commands (client/drive) ---

  bool SetPassword(const char* newPassword, int index);
  // Also the password check: ChangePassword(p, p, d) succeeds only for the
  // drive's current password and changes nothing.
  bool ChangePassword(const char* currentPassword, const char* newPassword, int index);
  bool Login(const char* password, int index);
  void ResetChip(int index);
  // Ejects every listed device; 0 is failure.
  int SafeRemoveAll();
  // 1 switched, 0 refused by the drive, 2 state not recognised, 3 locked,
  // -1 state query failed.
  int SetFingerprintUnlock(int on, int index);
  // 0 on, 1 off, 2 other value, -1 query failed.
  int GetFingerprintUnlockState(int index);
  bool EraseSecurityInfo(int index);
  bool EraseSecurityInfoSafeMode(int index);
  bool PartitionDisk(int index);
  // exFAT, labelled with the model name.
  bool FormatDisk(int index);

  // Starts the login worker, which posts WM_LOGIN_OK or WM_LOGIN_FAILED with
  // wParam = tag to `replyWnd`. Returns at once.
  void StartPasswordLogin(platform::HWND replyWnd, const char* password, int index, int tag);

  // --- Fields shared with the workers ---

  // The main window; fingerprint workers post their events there.
  std::atomic<platform::HWND> notifyWnd{0};
  // The one lock of the system: launchers hold it while they hand parameters
  // to a new worker; the fingerprint enrolment and verification workers hold
  // it for their whole run.
  platform::Mutex workerMutex;

  // Parameters of the last worker launched, written under workerMutex. Each
  // worker also gets its own copy at launch (the login password only there,
  // so it never stays in this object).
  int driveIndex = 0;
  platform::HWND replyWnd = 0;
  int replyTag = 0;

  std::atomic<int> formatBusy{0};
  std::atomic<int> unlockSettling{0};
  std::atomic<int> fpRunning{0};

  // Handed from the enrolment worker to the save worker.
  unsigned char enrolUserId = 0;
  std::unique_ptr<unsigned char[]> enrolData;

 private:
  // Forgets the entries and withdraws the process-wide pointers this object
  // published.
  void Unbind();

  std::unique_ptr<platform::DynamicLibrary> library_;
  BridgeEntries entries_;
  bool bound_ = false;
  std::string errorText_;
  platform::Clock* clock_;

  // Guards the symbol table: the erase worker refills it while the UI thread
  // reads it.
  mutable platform::CriticalSection tableLock_;
  char symbols_[kMaxSymbols * kSymbolSize] = {};
  std::atomic<int> symbolCount_{0};
};
