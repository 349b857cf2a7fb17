#pragma once

#include <string>
#include <vector>

// Ports offered after "COM1".."COM4": serial devices present on the machine
// and the lines of running module simulators.

// USB serial adapters and modems under devDir (ttyUSB*, ttyACM*), by their
// short names ("ttyUSB0"), in natural order. The serial line opens a short
// name as /dev/<name>.
std::vector<std::string> SerialDevices(const std::string& strDevDir = "/dev");

// The per-user folder in which each running simulator keeps a link named
// <kind>-<pid> to its pseudo-terminal: $XDG_RUNTIME_DIR/ktr84-modsim, or
// /tmp/ktr84-modsim-<uid> when XDG_RUNTIME_DIR is unset.
std::string SimulatorFolder();

// Full paths of the links in strFolder whose simulator process is alive and
// whose terminal exists, sorted. The serial line opens a path as it stands.
std::vector<std::string> RunningSimulators(const std::string& strFolder);

// Everything offered after the template's ports: devices, then simulators.
std::vector<std::string> ExtraPorts();
