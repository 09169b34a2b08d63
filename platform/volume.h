// Volumes by drive letter. A letter leads to a folder through the letter map
// (see letter_map.h): "E" is a link to the volume's folder, "E.size" beside it
// may give the volume's size in bytes and "E.type" its kind ("cdrom",
// "removable", "fixed"; removable when absent).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win_types.h"

namespace platform {

inline constexpr UINT DRIVE_UNKNOWN = 0;
inline constexpr UINT DRIVE_NO_ROOT_DIR = 1;
inline constexpr UINT DRIVE_REMOVABLE = 2;
inline constexpr UINT DRIVE_FIXED = 3;
inline constexpr UINT DRIVE_CDROM = 5;

// The folder a letter (either case) leads to, when the letter is mapped to an
// existing folder.
std::optional<std::string> VolumeFolderForLetter(char letter);

// `path` is "E:", "E:\\" or a folder below it ("E:\\data"). With an "E.size"
// file, free = size minus the bytes of the files under the folder (never below
// 0); otherwise the figures of the file system holding the folder. Any of the
// outputs may be null. False for an unmapped letter or a missing folder.
bool GetDiskFreeSpaceExA(const char* path, std::uint64_t* freeBytesAvailableToCaller,
                         std::uint64_t* totalNumberOfBytes, std::uint64_t* totalNumberOfFreeBytes);

// `root` is "E:\\" (or "E:", "E:/"): DRIVE_NO_ROOT_DIR for anything else or an
// unmapped letter, DRIVE_REMOVABLE for a mapped volume, DRIVE_CDROM for an
// optical one, DRIVE_FIXED for one marked fixed.
UINT GetDriveTypeA(const char* root);

}  // namespace platform
