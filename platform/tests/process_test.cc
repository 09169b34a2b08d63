#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <thread>

#include "platform/single_instance.h"
#include "platform/tests/eventually.h"
#include "platform/tests/test_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using platform::test_support::Eventually;

TEST(PlatformProcessTest, KnowsItsOwnProgram) {
  const std::string path = ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(fs::path(path).filename(), "platform_process_test");
  EXPECT_EQ(ExecutableDir(), fs::path(path).parent_path().string());
  EXPECT_EQ(CurrentProcessId(), static_cast<int>(::getpid()));
  EXPECT_TRUE(IsProcessRunning("platform_process_test"));
}

// Names longer than the kernel's 15-character process name, compared exactly.
TEST(PlatformProcessTest, FindsRunningProgramsByExactFileName) {
  testing::TempDir dir;
  // Unique per run, so that concurrent runs of this test do not see each other.
  const std::string name = "OrluWatchServiceTest" + std::to_string(::getpid()) + ".exe";
  std::string lowerCase = name;
  for (char& c : lowerCase) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string program = dir / name;
  fs::copy_file("/bin/sleep", program);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(program.c_str(), program.c_str(), "600", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  EXPECT_TRUE(Eventually([&] { return IsProcessRunning(name); }));
  EXPECT_FALSE(IsProcessRunning(lowerCase));
  EXPECT_FALSE(IsProcessRunning(name.substr(0, name.size() - 4)));
  EXPECT_FALSE(IsProcessRunning(name.substr(0, 15)));  // what the kernel's name table holds
  EXPECT_FALSE(IsProcessRunning(""));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_FALSE(IsProcessRunning(name));
}

TEST(PlatformProcessTest, StartProcessRunsTheProgramDetached) {
  testing::TempDir dir;
  const std::string marker = dir / "started";
  ASSERT_TRUE(StartProcess("/bin/sh", {"-c", "echo \"$0\" > \"$1\"", "arg zero", marker}));
  EXPECT_TRUE(Eventually([&] { return testing::ReadFile(marker) == "arg zero\n"; }));
  ASSERT_TRUE(StartProcess("sh", {"-c", "true"}));  // found in PATH
  EXPECT_FALSE(StartProcess(dir / "no-such-program"));
  EXPECT_FALSE(StartProcess("no-such-program-in-path"));
  EXPECT_FALSE(StartProcess(""));
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_RUNTIME_DIR"); }

  // Runs `body` in a child process and returns its exit code.
  template <typename Body>
  int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  testing::TempDir dir;
};

TEST_F(SingleInstanceTest, OneHolderAtATimeAcrossProcesses) {
  EXPECT_EQ(SingleInstanceLock::LockFilePath("ORLUSSD"), dir / "ORLUSSD.lock");
  auto held = SingleInstanceLock::TryAcquire("ORLUSSD");
  ASSERT_TRUE(held);
  EXPECT_FALSE(SingleInstanceLock::TryAcquire("ORLUSSD"));
  EXPECT_TRUE(SingleInstanceLock::TryAcquire("Other"));
  EXPECT_EQ(InChild([] { return SingleInstanceLock::TryAcquire("ORLUSSD") ? 1 : 0; }), 0);
  held.reset();
  EXPECT_EQ(InChild([] { return SingleInstanceLock::TryAcquire("ORLUSSD") ? 1 : 0; }), 1);

  // A holder that dies without cleaning up leaves the lock free.
  EXPECT_EQ(InChild([] {
              auto lock = SingleInstanceLock::TryAcquire("ORLUSSD");
              ::_exit(lock ? 0 : 1);
              return 2;
            }),
            0);
  EXPECT_TRUE(SingleInstanceLock::TryAcquire("ORLUSSD"));
}

TEST_F(SingleInstanceTest, NamesStayInsideTheRuntimeFolder) {
  EXPECT_EQ(SingleInstanceLock::LockFilePath("../a/b"), dir / ".._a_b.lock");
  EXPECT_TRUE(SingleInstanceLock::TryAcquire("../a/b"));
}

}  // namespace
}  // namespace platform
