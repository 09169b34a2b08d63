// Mounts and unmounts the emulated volumes in the letter map: an entry per
// drive letter, a symlink "E" to the volume's folder, with "E.size" beside it
// when the drive was given a size. The symlink is created under a temporary
// name and renamed, so watchers see one arrival and one removal.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "emulator/daemon/world.h"

namespace drivesim {

class LetterMapWriter {
 public:
  explicit LetterMapWriter(std::string letter_dir);

  // Publishes every present drive that has a letter and withdraws the others.
  void Sync(const World& world, std::int64_t now_ms);
  void Withdraw(const Drive& drive);
  // At start-up: removes entries a previous daemon left for these drives.
  void WithdrawLeftovers(const World& world);
  // Withdraws everything this writer published (daemon stop).
  void WithdrawAll(const World& world);

 private:
  void Publish(const Drive& drive);
  std::string EntryPath(char letter) const;

  std::string letter_dir_;
  std::set<int> published_;  // drive ids
};

}  // namespace drivesim
