#include "client/fingerprint/fp_channel.h"

#include <atomic>
#include <cstring>

#include "common/bridge/diagnostic_sink.h"
#include "common/bridge/shared_entries.h"

using bridge::Trace;

namespace {

// The user ID the sensor offered before the latest capture; only one
// enrolment runs at a time.
std::atomic<std::uint8_t> g_offeredUserId{0};

void TraceFrame(const std::uint8_t* bytes, int length) {
  char text[1024];
  bridge::FormatHexBytes(bytes, length, text, sizeof text);
  Trace("sendcmd=%s\n", text);
}

}  // namespace

void BuildCommandFrame(std::uint8_t command, std::uint8_t parameter, std::uint8_t frame[8]) {
  frame[0] = 0x6C;
  frame[1] = 0x63;
  frame[2] = 0x62;
  frame[3] = command;
  frame[4] = parameter;
  frame[5] = 0;
  frame[6] = FrameChecksum(frame, 6);
  frame[7] = 0;
}

std::uint8_t FrameChecksum(const std::uint8_t* frame, int checksumAt) {
  unsigned sum = 0;
  for (int i = 3; i < checksumAt; ++i) sum += frame[i];
  return static_cast<std::uint8_t>(sum - 0x3B);
}

bool FingerPrintExchange(const char* driveSymbol, const std::uint8_t command[8],
                         std::uint8_t* reply, int replyLength) {
  // Only the two reply lengths of the protocol fit the receive buffer.
  if (!driveSymbol || (replyLength != FP_SHORT_REPLY && replyLength != FP_LONG_REPLY)) {
    return false;
  }
  bridge::SharedEntries entries = bridge::GetSharedEntries();
  if (!entries.sendFingerprint || !entries.receiveFingerprint) return false;
  char symbol[64] = {};
  std::strncpy(symbol, driveSymbol, sizeof symbol - 1);
  std::uint8_t frame[8];
  std::memcpy(frame, command, 7);
  frame[7] = 0;
  TraceFrame(frame, 8);

  Trace("Run pAP_SendFingerprint().");
  if (entries.sendFingerprint(symbol, frame, 8) == 0) return false;
  std::uint8_t received[FP_LONG_REPLY] = {};
  Trace("Run pAP_ReceiveFingerprint().");
  if (entries.receiveFingerprint(symbol, received, replyLength) == 0) return false;
  std::memcpy(reply, received, static_cast<std::size_t>(replyLength));
  return true;
}

int FingerPrintCommand(const char* driveSymbol, std::uint8_t command, std::uint8_t parameter,
                       bool wantValue, std::uint16_t* value, std::uint8_t* data) {
  if (!driveSymbol || !*driveSymbol) {
    Trace("The *drivesymbol is empty.");
    return FP_ERR_NO_TARGET;
  }
  Trace("Begin, driveSymbol: %s.", driveSymbol);
  Trace("Begin, command = 0x%02x, parameter = 0x%02x.", command, parameter);

  std::uint8_t frame[8];
  BuildCommandFrame(command, parameter, frame);
  const int replyLength = data ? FP_LONG_REPLY : FP_SHORT_REPLY;
  std::uint8_t reply[FP_LONG_REPLY] = {};
  if (!FingerPrintExchange(driveSymbol, frame, reply, replyLength)) {
    Trace("End, res = %d.", FP_ERR_TRANSPORT);
    return FP_ERR_TRANSPORT;
  }
  if (command == FP_CMD_CAPTURE) {
    for (int i = 0; i < 8; ++i) Trace("output[%d] = 0x%02x.", i, reply[i]);
  }

  // A sensor error wins over whatever else the frame holds.
  Trace("Ask,  rpc->returnVal = %d.", reply[4]);
  if (reply[4] != 0) return reply[4];

  int result = 0;
  if (reply[0] != 0x6C || reply[1] != 0x62 || reply[2] != 0x63 || reply[3] != command) {
    result = FP_ERR_BAD_REPLY;
  } else {
    const int checksumAt = replyLength - 1;
    if (reply[checksumAt] != FrameChecksum(reply, checksumAt)) result = FP_ERR_BAD_CHECKSUM;
  }
  Trace("check respone, res = %d.", result);
  if (result != 0) return result;

  if (wantValue && value) *value = static_cast<std::uint16_t>(reply[5] | (reply[6] << 8));
  if (data) std::memcpy(data, reply + 7, FP_DATA_SIZE);
  Trace("End, res = %d.", 0);
  return 0;
}

bool FpIsFingerPresent(const char* driveSymbol) {
  Trace("Run FingerPrintCommand().");
  int result = FingerPrintCommand(driveSymbol, FP_CMD_FINGER_DETECT, 0, false, nullptr, nullptr);
  if (result == FP_SENSOR_NO_FINGER || result < 0) {
    Trace("The finger not on the sensor.");
    return false;
  }
  return true;
}

int FpEnrollStep(const char* driveSymbol, std::uint8_t* captureCounter, std::uint8_t* userId,
                 std::uint8_t* data) {
  if (!data || !captureCounter || !userId) {
    Trace("The *dm5 is empty!");
    return FP_ERR_NO_TARGET;
  }
  Trace("Get ID availabilty.");
  Trace("Run FingerPrintCommand().");
  std::uint16_t offered = 0;
  int result = FingerPrintCommand(driveSymbol, FP_CMD_GET_AVAILABLE_ID, 0, true, &offered, nullptr);
  if (result != 0) return result;
  g_offeredUserId.store(static_cast<std::uint8_t>(offered & 0xFF));

  std::uint16_t similarity = 0;
  result =
      FingerPrintCommand(driveSymbol, FP_CMD_CAPTURE, *captureCounter, true, &similarity, nullptr);
  if (result == 0 && similarity > FP_SIMILARITY_LIMIT) {
    Trace("Fingerprint similarity is too high.");
    result = FP_ERR_TOO_SIMILAR;
  }
  Trace("End, res = %d, tmpVal = 0x%08x.", result, static_cast<unsigned>(similarity));
  Trace("Capture and extract user, res = %d.", result);
  if (result != 0) return result;

  ++*captureCounter;
  if (*captureCounter < FP_CAPTURES_PER_ENROLMENT) return FP_ENROLL_MORE;

  Trace("Record and check user finger print. ");
  Trace("Enroll new user.");
  const std::uint8_t id = g_offeredUserId.load();
  result = FingerPrintCommand(driveSymbol, FP_CMD_ENROL, id, false, nullptr, data);
  if (result != 0) return result;
  *userId = id;
  return 0;
}

int FpEraseUser(const char* driveSymbol, std::uint8_t userId) {
  Trace("Begin, userID = %d.", userId);
  Trace("Run FingerPrintCommand().");
  int result = FingerPrintCommand(driveSymbol, FP_CMD_ERASE_USER, userId, false, nullptr, nullptr);
  Trace("Erase one user, res = %d.", result);
  if (result == 0 || result == FP_SENSOR_ERASE_UNKNOWN) return 0;
  return result;
}
