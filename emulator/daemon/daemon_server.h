// The emulator daemon: owns every emulated drive and serves the bridge
// library, the drivesim command line and tests over the Unix socket in the
// emulator folder, one request per connection. It keeps its state in the
// folder and ends when asked to stop, on SIGTERM/SIGINT, or when its folder
// or socket disappears.
#pragma once

namespace drivesim {

// Runs in the foreground until stopped; returns the process exit code.
int RunDaemon();

}  // namespace drivesim
