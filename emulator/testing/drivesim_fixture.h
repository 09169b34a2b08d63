// Test fixture for anything that needs an emulated drive: a private emulator
// folder (DRIVESIM_DIR and ORLU_LETTER_MAP point into it for this process and
// the programs it starts), a daemon started in it, the drivesim command to
// script the drives, and a clean teardown (daemon stopped, folder removed).
//
//   TEST_F(DriveSimTest, UnlocksWithThePassword) {
//     const int id = sim().Attach("--password abcd");
//     ... bind sim().LibraryPath() and call it ...
//     EXPECT_EQ(sim().Drive(id)["state"].asInt(), 2);
//   }
#pragma once

#include <gtest/gtest.h>
#include <json/json.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace drivesim::testing {

struct CommandResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

class DriveSim {
 public:
  DriveSim();
  ~DriveSim();
  DriveSim(const DriveSim&) = delete;
  DriveSim& operator=(const DriveSim&) = delete;

  // Runs `drivesim ARGS`. The text form splits at spaces; "double quotes"
  // keep spaces inside one argument.
  CommandResult Run(const std::string& args) const;
  CommandResult Run(const std::vector<std::string>& args) const;

  // `drivesim status --json`, parsed; a null value when that failed.
  Json::Value StatusJson() const;
  // The status entry of one drive; a null value when there is none.
  Json::Value Drive(int id) const;
  // `drivesim attach OPTIONS`; the new drive's id, or -1 (and a test failure).
  int Attach(const std::string& options = "") const;

  // Polls the condition every few milliseconds until it holds or the limit
  // passes; for waiting on the daemon's timers, never for asserting time.
  static bool WaitUntil(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::seconds(20));

  // The running daemon's process id (from its pid file), or -1.
  int DaemonPid() const;

  const std::string& dir() const { return dir_; }
  std::string letter_map_dir() const { return dir_ + "/letters"; }

  static std::string DrivesimPath();
  static std::string LibraryPath();

 private:
  void StartDaemon();

  int daemon_pid_ = -1;  // the daemon this fixture started and reaps
  std::string dir_;
  std::string saved_dir_env_;
  std::string saved_map_env_;
  bool had_dir_env_ = false;
  bool had_map_env_ = false;
};

class DriveSimTest : public ::testing::Test {
 protected:
  DriveSim& sim() { return sim_; }

 private:
  DriveSim sim_;
};

}  // namespace drivesim::testing
