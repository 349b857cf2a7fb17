#pragma once

#include <string>

// How the port list names a port and which tty that is.

// The port list shows a USB adapter as "ttyUSB0 — FTDI FT232R USB UART
// (A10K3J2Q)" (an em dash between spaces); the port is the part before it.
// A running simulator shows as "Simulated Transceiver (4711)"; its port is the
// link it announced. Any other entry is the port as it stands.
std::string PortOfEntry(const std::string& strEntry);
// The link a running simulator's entry opens; empty for any other entry, and
// always on Windows, where a simulator is reached as a COM port.
std::string SimulatorPortOfEntry(const std::string& strEntry);

// What the list shows for the tty strTty: its name, then the adapter's
// description when one is known ("ttyUSB0" alone otherwise).
std::string PortEntryText(const std::string& strTty, const std::string& strDescription);

// The tty's short name behind a port: "COM1".."COM4" are ttyS0..3, a short
// name is itself, a path is the name of the node it leads to (a by-id link
// leads to ttyUSB0).
std::string TtyOfPort(const std::string& strPort);
