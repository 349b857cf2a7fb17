#pragma once

#include <string>
#include <vector>

#include "line/posix/AdapterInfo.h"

// Ports offered after "COM1".."COM4": serial devices present on the machine
// and the lines of running module simulators.

// USB serial adapters and modems under devDir (ttyUSB*, ttyACM*), by their
// short names ("ttyUSB0"), in natural order. The serial line opens a short
// name as /dev/<name>.
std::vector<std::string> SerialDevices(const std::string& strDevDir = "/dev");

// The list's entries for the devices under roots.strDev, in SerialDevices'
// order: a USB adapter as "ttyUSB0 — FTDI FT232R USB UART (A10K3J2Q)" when sysfs
// describes it, else by its short name. The serial line opens an entry
// through the adapter's by-id link.
std::vector<std::string> SerialDeviceEntries(const DeviceRoots& roots);

// The entries for the simulators announced in strFolder whose process is
// alive and whose terminal exists, in the order of their announcements:
// "Simulated Transceiver (4711)", which the serial line opens through the
// link announced in SimAnnounceDir(); a kind this program does not know by the
// link's full path.
std::vector<std::string> RunningSimulators(const std::string& strFolder);

// Everything offered after the template's ports: devices (with the roots of
// the environment), then simulators.
std::vector<std::string> ExtraPorts();
