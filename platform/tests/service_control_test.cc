#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/fake_service_manager.h"
#include "platform/systemd_service_manager.h"
#include "platform/tests/test_dir.h"

namespace platform {
namespace {

using Scope = SystemdServiceManager::Scope;

TEST(FakeServiceManagerTest, FollowsTheLifeOfAService) {
  FakeServiceManager manager;
  EXPECT_EQ(manager.Query("svc"), ServiceState::kNotInstalled);
  EXPECT_FALSE(manager.Start("svc"));
  EXPECT_TRUE(manager.Install("svc", "watches drives", "/opt/svc"));
  EXPECT_FALSE(manager.Install("svc", "again", "/opt/svc"));
  EXPECT_EQ(manager.Query("svc"), ServiceState::kStopped);
  EXPECT_TRUE(manager.Start("svc"));
  EXPECT_FALSE(manager.Start("svc"));
  EXPECT_EQ(manager.Query("svc"), ServiceState::kRunning);
  EXPECT_TRUE(manager.Stop("svc"));
  EXPECT_EQ(manager.Query("svc"), ServiceState::kStopped);
  manager.FailNext("start");
  EXPECT_FALSE(manager.Start("svc"));
  EXPECT_TRUE(manager.Start("svc"));
  manager.SetState("svc", ServiceState::kStartPending);
  EXPECT_EQ(manager.Query("svc"), ServiceState::kStartPending);
  EXPECT_EQ(manager.Services().at("svc").exePath, "/opt/svc");
  EXPECT_EQ(manager.Calls(),
            (std::vector<std::string>{"start svc", "install svc", "install svc", "start svc",
                                      "start svc", "stop svc", "start svc", "start svc"}));
}

// systemctl replaced by a recorder; no test touches the real systemd.
class SystemdServiceManagerTest : public ::testing::Test {
 protected:
  SystemdServiceManager Manager(Scope scope = Scope::kUser) {
    return SystemdServiceManager(
        scope, dir / "units", [this](const std::vector<std::string>& argv, std::string* out) {
          std::string line;
          for (const auto& a : argv) line += (line.empty() ? "" : " ") + a;
          commands.push_back(line);
          if (out && line.find(" show ") != std::string::npos) *out = showOutput;
          return line.find(" enable ") != std::string::npos ? enableStatus : 0;
        });
  }

  testing::TempDir dir;
  std::vector<std::string> commands;
  std::string showOutput = "LoadState=not-found\nActiveState=inactive\n";
  int enableStatus = 0;
};

TEST_F(SystemdServiceManagerTest, InstallWritesAUnitAndEnablesIt) {
  auto manager = Manager();
  ASSERT_TRUE(manager.Install("ORLUSSDServer", "Watches 100% of drives", "/opt/my app/Server"));
  EXPECT_EQ(testing::ReadFile(dir / "units/ORLUSSDServer.service"),
            "[Unit]\nDescription=Watches 100%% of drives\n\n"
            "[Service]\nType=notify\nNotifyAccess=main\nExecStart=\"/opt/my app/Server\"\n\n"
            "[Install]\nWantedBy=default.target\n");
  EXPECT_EQ(commands,
            (std::vector<std::string>{"systemctl --user show --property=LoadState,ActiveState "
                                      "ORLUSSDServer.service",
                                      "systemctl --user daemon-reload",
                                      "systemctl --user enable ORLUSSDServer.service"}));
  // Installed already: refused.
  EXPECT_FALSE(manager.Install("ORLUSSDServer", "again", "/opt/Server"));
}

TEST_F(SystemdServiceManagerTest, InstallRefusesUnsafeInputAndUndoesAFailedEnable) {
  auto manager = Manager(Scope::kSystem);
  EXPECT_FALSE(manager.Install("../evil", "d", "/opt/s"));
  EXPECT_FALSE(manager.Install("a b", "d", "/opt/s"));
  EXPECT_FALSE(manager.Install("svc", "line\nExecStartPre=/bin/evil", "/opt/s"));
  EXPECT_FALSE(manager.Install("svc", "d", "relative/path"));
  EXPECT_TRUE(commands.empty());

  enableStatus = 1;
  EXPECT_FALSE(manager.Install("svc", "d", "/opt/s"));
  EXPECT_FALSE(std::filesystem::exists(dir / "units/svc.service"));
  EXPECT_EQ(commands.back(), "systemctl daemon-reload");
}

TEST_F(SystemdServiceManagerTest, UnitQuotesCommandSpecialCharacters) {
  EXPECT_EQ(SystemdServiceManager::UnitFileText(Scope::kSystem, "d", "/opt/a\"b\\c$d%e")
                    .find("ExecStart=\"/opt/a\\\"b\\\\c$$d%%e\"\n") != std::string::npos,
            true);
}

TEST_F(SystemdServiceManagerTest, StartStopAndQuery) {
  auto manager = Manager();
  EXPECT_TRUE(manager.Start("svc"));
  EXPECT_TRUE(manager.Stop("svc"));
  EXPECT_FALSE(manager.Start("bad name"));
  EXPECT_EQ(commands, (std::vector<std::string>{"systemctl --user start --no-block svc.service",
                                                "systemctl --user stop --no-block svc.service"}));
  const struct {
    std::string show;
    ServiceState state;
  } cases[] = {
      {"LoadState=not-found\nActiveState=inactive\n", ServiceState::kNotInstalled},
      {"LoadState=loaded\nActiveState=inactive\n", ServiceState::kStopped},
      {"LoadState=loaded\nActiveState=failed\n", ServiceState::kStopped},
      {"LoadState=loaded\nActiveState=activating\n", ServiceState::kStartPending},
      {"LoadState=loaded\nActiveState=active\n", ServiceState::kRunning},
      {"LoadState=loaded\nActiveState=deactivating\n", ServiceState::kStopPending},
      {"", ServiceState::kUnknown},
  };
  for (const auto& c : cases) {
    showOutput = c.show;
    EXPECT_EQ(manager.Query("svc"), c.state) << c.show;
  }
}

TEST(NotifyServiceManagerTest, SendsTheStateToTheNotifySocket) {
  ::unsetenv("NOTIFY_SOCKET");
  EXPECT_FALSE(NotifyServiceManager("READY=1"));

  testing::TempDir dir;
  const std::string path = dir / "notify";
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::setenv("NOTIFY_SOCKET", path.c_str(), 1);
  EXPECT_TRUE(NotifyServiceManager("READY=1"));
  char buffer[64] = {};
  EXPECT_EQ(::recv(fd, buffer, sizeof buffer, 0), 7);
  EXPECT_STREQ(buffer, "READY=1");
  ::unsetenv("NOTIFY_SOCKET");
  ::close(fd);
}

}  // namespace
}  // namespace platform
