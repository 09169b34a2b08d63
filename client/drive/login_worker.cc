#include <cstring>
#include <memory>

#include "client/drive/client_messages.h"
#include "common/bridge/bridge_api.h"
#include "platform/message_loop.h"
#include "platform/secure_zero.h"
#include "platform/thread.h"

namespace {

// The worker's own copy of its parameters: a second launch cannot overwrite
// them, and the password is wiped when the worker is done with it.
struct LoginParameters {
  int index = 0;
  platform::HWND reply = 0;
  int tag = 0;
  char password[32] = {};
  ~LoginParameters() { platform::SecureZero(password, sizeof password); }
};

}  // namespace

void BridgeApi::StartPasswordLogin(platform::HWND reply, const char* password, int index, int tag) {
  auto parameters = std::make_shared<LoginParameters>();
  parameters->index = index;
  parameters->reply = reply;
  parameters->tag = tag;
  if (password) std::strncpy(parameters->password, password, sizeof parameters->password - 1);

  workerMutex.Wait();
  driveIndex = index;
  replyWnd = reply;
  replyTag = tag;
  bool started = platform::StartThread([this, parameters] {
    bool ok = Login(parameters->password, parameters->index);
    platform::SecureZero(parameters->password, sizeof parameters->password);
    platform::PostMessage(parameters->reply, ok ? WM_LOGIN_OK : WM_LOGIN_FAILED,
                          static_cast<platform::WPARAM>(parameters->tag), 0);
  });
  workerMutex.Release();
  // The page waits for an answer with its buttons disabled: give it one.
  if (!started) {
    platform::PostMessage(reply, WM_LOGIN_FAILED, static_cast<platform::WPARAM>(tag), 0);
  }
}
