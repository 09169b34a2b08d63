// The process-wide diagnostic sink of the drive code: trace lines of the
// fingerprint channel and the custom-data block go here. By default they are
// discarded; ORLU_BRIDGE_TRACE=1 in the environment sends them to standard
// error while debugging. No line ever carries a password.
#pragma once

namespace bridge {

using DiagnosticSink = void (*)(const char* line);

// Null discards every line.
void SetDiagnosticSink(DiagnosticSink sink);
DiagnosticSink GetDiagnosticSink();

// The sink installed at binding time: discard, or standard error when the
// environment asks for it.
DiagnosticSink DefaultDiagnosticSink();

// printf-style; the line is formatted into an 8192-byte buffer (longer lines
// are cut) and handed to the sink if one is set.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// " %02x" per byte into `out` (capacity `outSize`), stopping before the text
// would overflow; always terminated.
void FormatHexBytes(const unsigned char* bytes, int count, char* out, int outSize);

}  // namespace bridge
