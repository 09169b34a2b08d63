#include "emulator/daemon/letter_map_writer.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace drivesim {

namespace fs = std::filesystem;

LetterMapWriter::LetterMapWriter(std::string letter_dir) : letter_dir_(std::move(letter_dir)) {}

std::string LetterMapWriter::EntryPath(char letter) const {
  return letter_dir_ + "/" + std::string(1, letter);
}

void LetterMapWriter::Sync(const World& world, std::int64_t now_ms) {
  for (const Drive& drive : world.drives) {
    const bool wanted = drive.letter != 0 && world.IsPresent(drive, now_ms);
    const bool shown = published_.count(drive.id) != 0;
    if (wanted && !shown) Publish(drive);
    if (!wanted && shown) Withdraw(drive);
  }
}

void LetterMapWriter::Publish(const Drive& drive) {
  std::error_code ec;
  fs::create_directories(letter_dir_, ec);
  const std::string entry = EntryPath(drive.letter);
  const std::string size_file = entry + ".size";
  const std::string suffix = ".tmp" + std::to_string(::getpid());
  if (drive.size_bytes != 0) {
    {
      std::ofstream out(size_file + suffix, std::ios::trunc);
      out << drive.size_bytes << "\n";
    }
    fs::rename(size_file + suffix, size_file, ec);
  } else {
    fs::remove(size_file, ec);
  }
  // The temporary name starts with a dot so readers of the map skip it.
  const std::string temp = letter_dir_ + "/." + std::string(1, drive.letter) + suffix;
  fs::remove(temp, ec);
  fs::create_directory_symlink(drive.volume_dir, temp, ec);
  if (ec) return;
  fs::rename(temp, entry, ec);
  if (ec) {
    fs::remove(temp, ec);
    return;
  }
  published_.insert(drive.id);
}

void LetterMapWriter::Withdraw(const Drive& drive) {
  published_.erase(drive.id);
  if (drive.letter == 0) return;
  const std::string entry = EntryPath(drive.letter);
  std::error_code ec;
  // Only our own entry: another drive may have been given the letter since.
  if (fs::read_symlink(entry, ec) != fs::path(drive.volume_dir) || ec) return;
  fs::remove(entry, ec);
  fs::remove(entry + ".size", ec);
}

void LetterMapWriter::WithdrawLeftovers(const World& world) {
  for (const Drive& drive : world.drives) Withdraw(drive);
}

void LetterMapWriter::WithdrawAll(const World& world) {
  for (const Drive& drive : world.drives) {
    if (published_.count(drive.id) != 0) Withdraw(drive);
  }
}

}  // namespace drivesim
