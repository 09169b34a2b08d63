// The drive's 512-byte custom-data block: the table of enrolled fingers with
// their names, and the password hint. Every operation reads the block afresh,
// works on its own copy and writes it back whole; nothing is cached.
//
// Layout: 14 user records of 32 bytes (0..447), the hint as UTF-16LE (448..479),
// a 16-byte area that is always written as zeros (480..495), the hint flag
// (496), reserved zeros, and the checksum (511: sum of bytes 0..479 mod 256).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BridgeApi;

inline constexpr int MAXUSERNUM = 14;
inline constexpr int kCustomDataSize = 512;
inline constexpr int kHintOffset = 448;
inline constexpr int kHintBytes = 32;
inline constexpr int kHintUnits = 16;
inline constexpr int kPasswordAreaOffset = 480;
inline constexpr int kPasswordAreaBytes = 16;
inline constexpr int kHintFlagOffset = 496;
inline constexpr int kChecksumOffset = 511;
inline constexpr int kChecksummedBytes = 480;
inline constexpr int kNameUnits = 15;
inline constexpr int kMaxListedFingers = 10;

inline constexpr int FP_ERR_TABLE_WRITE = -189270028;
inline constexpr int FP_ERR_TABLE_DELETE = -189270014;
inline constexpr int FP_ERR_BLOCK_UNREADABLE = -100;

// One user record: id 1..127 marks a used slot; 0 or negative a free one.
struct FpUser {
  std::int8_t id;
  std::uint8_t reserved;
  std::uint8_t name[30];  // UTF-16LE, at most 15 units, 0-terminated when shorter
};
static_assert(sizeof(FpUser) == 32);

// The client's list entry: the name as narrow (UTF-8) text, 0-terminated.
struct FpListItem {
  std::int8_t id;
  std::uint8_t reserved;
  char name[30];
};
static_assert(sizeof(FpListItem) == 32);

// A loaded block; lives on the stack of one operation.
struct UserConfig {
  std::uint8_t initialised = 0;
  std::int8_t userNum = 0;
  std::uint8_t* block = nullptr;
};

std::uint8_t CustomDataChecksum(const std::uint8_t* block);

// Reads and validates the block into `buffer` (512 bytes); an invalid block
// is replaced by zeros on the drive. Null when it cannot be read or replaced.
UserConfig* LoadUserConfig(const char* driveSymbol, UserConfig* view, std::uint8_t* buffer);
// Stores the checksum and writes the block: 0 or FP_ERR_TABLE_WRITE.
int SaveUserConfig(const char* driveSymbol, UserConfig* view);

// The index-th used record in slot order, or null.
FpUser* GetUserAt(UserConfig* view, int index);
// The used record with that id, or null.
FpUser* vsFindUsers(UserConfig* view, int userId);

// Replaces the record with the same id and saves: 0, -1, FP_ERR_TABLE_WRITE.
int UpdateUser(const char* driveSymbol, UserConfig* view, const FpUser* user);
// Takes the first free slot (freeing a slot with the same id first) and
// saves: 0, -1 (not loaded, id 0 or negative, table full), -2 (write failed).
int addUserToCustomerSpace(const char* driveSymbol, UserConfig* view, const FpUser* user);
// Frees the slot with the user's id and saves.
bool delUserToCustomerSpace(const char* driveSymbol, UserConfig* view, const FpUser* user);

// Load + add: -100 when the block cannot be loaded.
int AddFingerUser(const char* driveSymbol, FpUser user);
// Erases the user on the sensor, then from the table: 0, -100, -1 (unknown
// id), the sensor's result, FP_ERR_TABLE_DELETE.
int DeleteFingerUser(const char* driveSymbol, FpUser user);
// Up to 10 used records in slot order; false (and zeros) when unreadable.
bool ListFingerUsers(const char* driveSymbol, FpUser users[kMaxListedFingers], int* count);

// Writes the 32-byte hint field and sets the hint flag; the password area is
// written as zeros.
bool WriteRemark(const char* driveSymbol, const std::uint8_t hint[kHintBytes]);
// False when unreadable or no hint was ever written; else bytes 448..479 in
// `hint` and 480..511 in `rest`.
bool ReadRemark(const char* driveSymbol, std::uint8_t hint[kHintBytes], std::uint8_t rest[32]);

// Name <-> record field (15 units, cut at a character boundary).
void SetUserName(FpUser* user, const std::string& utf8Name);
std::string GetUserName(const FpUser& user);
// A list entry for a record: its name cut to at most 29 bytes at a character
// boundary.
FpListItem MakeListItem(const FpUser& user);

// Operations that address a drive by its slot in the symbol table.
std::vector<FpListItem> GetFingerList(BridgeApi& bridge, int driveIndex);
// The stored hint; empty when there is none or the block is unreadable.
std::string ReadPasswordHint(BridgeApi& bridge, int driveIndex = 0);
// Cuts the hint to 16 UTF-16 units. The password never goes to the block.
bool WritePasswordHint(BridgeApi& bridge, const std::string& hint, int driveIndex = 0);
