#include "common/bridge/diagnostic_sink.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bridge {
namespace {

std::atomic<DiagnosticSink> g_sink{nullptr};

void WriteToStandardError(const char* line) {
  std::fputs(line, stderr);
  std::size_t n = std::strlen(line);
  if (n == 0 || line[n - 1] != '\n') std::fputc('\n', stderr);
}

}  // namespace

void SetDiagnosticSink(DiagnosticSink sink) { g_sink.store(sink); }

DiagnosticSink GetDiagnosticSink() { return g_sink.load(); }

DiagnosticSink DefaultDiagnosticSink() {
  const char* flag = std::getenv("ORLU_BRIDGE_TRACE");
  if (flag && *flag && std::strcmp(flag, "0") != 0) return &WriteToStandardError;
  return nullptr;
}

void Trace(const char* format, ...) {
  DiagnosticSink sink = g_sink.load();
  if (!sink) return;
  char line[8192];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  sink(line);
}

void FormatHexBytes(const unsigned char* bytes, int count, char* out, int outSize) {
  if (outSize <= 0) return;
  out[0] = '\0';
  int used = 0;
  for (int i = 0; i < count; ++i) {
    if (used + 4 > outSize) break;  // " xx" plus the terminator
    used += std::snprintf(out + used, static_cast<std::size_t>(outSize - used), " %02x", bytes[i]);
  }
}

}  // namespace bridge
