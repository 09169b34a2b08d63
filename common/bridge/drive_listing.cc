#include <cstdio>
#include <cstring>

#include "common/bridge/bridge_api.h"

namespace {

bool NextToLastIsBackslash(const char* symbol) {
  std::size_t length = std::strlen(symbol);
  return length >= 2 && symbol[length - 2] == '\\';
}

}  // namespace

int BridgeApi::ListProductDrives(std::vector<std::unique_ptr<DriveRecord>>& records) {
  int count = RefreshSymbolTable();
  if (count == 0) {
    records.clear();
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    SymbolBuffer symbol;
    CopySymbol(i, symbol);

    char letters[26] = {};
    bool haveLetters = entries_.JMGetDiskLetterEx(symbol, letters) == 1;
    letters[sizeof letters - 1] = '\0';
    // The line is cut to its 90-byte buffer whatever the symbol and letters hold.
    char line[90];
    int length = haveLetters ? std::snprintf(line, sizeof line, "%s\t << %s >>\n", symbol, letters)
                             : std::snprintf(line, sizeof line, "%s\t <<  >>\n", symbol);
    if (length < 0) line[0] = '\0';

    SymbolBuffer query;
    CopySymbol(i, query);
    char vendor[64] = {}, product[64] = {}, serial[64] = {}, revision[42] = {};
    entries_.AP_GetProductInfo(query, vendor, product, serial, revision);
    product[sizeof product - 1] = '\0';
    if (std::strcmp(product, kProductName) != 0) continue;

    auto record = std::make_unique<DriveRecord>();
    record->index = i;
    record->listingLine = line;
    record->letters = haveLetters ? letters : "";
    record->separator = NextToLastIsBackslash(symbol);
    std::memcpy(record->symbol, symbol, sizeof record->symbol);
    records.push_back(std::move(record));
  }
  return 1;
}

int BridgeApi::GetDriveSecurityState(int index) {
  SymbolBuffer symbol;
  if (!bound_ || !CopySymbol(index, symbol)) return kSecurityQueryFailed;
  unsigned char status[32] = {};
  if (entries_.AP_GetSecurityStatus(symbol, 3, status) != 1) return kSecurityQueryFailed;
  if (status[2] == 0x00) return kSecurityNoPassword;
  if (status[2] == 0xFF && status[1] == 0xAA) return kSecurityUnlocked;
  if (status[2] == 0xFF && status[1] == 0x55) return kSecurityLocked;
  return kSecurityUnknown;
}
