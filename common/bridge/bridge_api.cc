#include "common/bridge/bridge_api.h"

#include <cstring>

#include "common/bridge/diagnostic_sink.h"
#include "common/bridge/shared_entries.h"
#include "platform/dynamic_library.h"

BridgeApi::BridgeApi() : clock_(&platform::Clock::Real()) {}

BridgeApi::~BridgeApi() {
  // The process-wide pointers lead into the library about to be unloaded.
  if (bound_) bridge::SetSharedEntries({});
}

bool BridgeApi::BindBridgeLibrary(const std::string& fileName) {
  // A library bound before is unloaded below: withdraw every pointer into it
  // first.
  Unbind();
  library_ = platform::DynamicLibrary::LoadFromOwnFolderFirst(fileName);
  if (!library_) {
    errorText_ = kBridgeBindError;
    return false;
  }
  BridgeEntries resolved;
#define ORLU_RESOLVE_ENTRY(name, required) \
  resolved.name = reinterpret_cast<name##_t>(library_->Resolve(#name));
  ORLU_BRIDGE_ENTRIES(ORLU_RESOLVE_ENTRY)
#undef ORLU_RESOLVE_ENTRY
  return BindEntries(resolved);
}

bool BridgeApi::BindEntries(const BridgeEntries& entries) {
  bool complete = true;
#define ORLU_CHECK_ENTRY(name, required) \
  if ((required) && entries.name == nullptr) complete = false;
  ORLU_BRIDGE_ENTRIES(ORLU_CHECK_ENTRY)
#undef ORLU_CHECK_ENTRY
  if (!complete) {
    Unbind();
    errorText_ = kBridgeBindError;
    return false;
  }
  entries_ = entries;
  bound_ = true;
  errorText_.clear();
  bridge::SetSharedEntries({entries_.AP_SendFingerprint, entries_.AP_ReceiveFingerprint,
                            entries_.AP_ReadCustomData_New, entries_.AP_WriteCustomData_New});
  bridge::SetDiagnosticSink(bridge::DefaultDiagnosticSink());
  if (entries_.GetSDKVer) {
    char version[16] = {};
    entries_.GetSDKVer(version);
  }
  return true;
}

void BridgeApi::Unbind() {
  if (bound_) bridge::SetSharedEntries({});
  entries_ = BridgeEntries{};
  bound_ = false;
}

bool BridgeApi::CopySymbol(int index, SymbolBuffer& out) const {
  std::memset(out, 0, kSymbolSize);
  if (index < 0 || index >= kMaxSymbols) return false;
  tableLock_.Enter();
  std::memcpy(out, symbols_ + index * kSymbolSize, kSymbolSize - 1);
  tableLock_.Leave();
  return true;
}

int BridgeApi::RefreshSymbolTable() {
  if (!bound_) return 0;
  // The library fills a private buffer; the table only ever holds a
  // terminated, bounded copy.
  auto fresh = std::make_unique<char[]>(kMaxSymbols * kSymbolSize);
  std::memset(fresh.get(), 0, kMaxSymbols * kSymbolSize);
  int count = entries_.GetUsbIdList(fresh.get(), kMaxSymbols);
  if (count < 0) count = 0;
  if (count > kMaxSymbols) count = kMaxSymbols;
  for (int i = 0; i < kMaxSymbols; ++i) fresh[i * kSymbolSize + kSymbolSize - 1] = '\0';
  tableLock_.Enter();
  std::memcpy(symbols_, fresh.get(), sizeof symbols_);
  symbolCount_.store(count);
  tableLock_.Leave();
  return count;
}
