#pragma once

#include <string>
#include <vector>

// How the port list names the serial ports Windows knows (the Ports device
// class), from what Windows says of each. Plain text work, no Win32.

struct WindowsPortInfo {
    std::string strPortName;     // "COM7", the device key's PortName
    std::string strFriendlyName; // "USB Serial Port (COM7)", as Device Manager shows it
    std::string strMaker;        // "FTDI"
    std::string strInstanceId;   // "FTDIBUS\VID_0403+PID_6001+A10K3J2QA\0000"
};

// The adapter's serial number in a device instance id: an FTDI id carries
// it with the chip's port letter after it ("FTDIBUS\VID_0403+PID_6001+
// A10K3J2QA\0000" is "A10K3J2Q"), a USB id as its last part when the device
// has one (Windows makes up one with '&' in it when not). Empty otherwise.
std::string SerialOfInstanceId(const std::string& strInstanceId);

// "COM7" for "COM7", "com7", "\\.\COM7" and the list's entry "COM7 — ...";
// empty for anything that is no COM port ("LPT1", a path).
std::string ComNameOf(const std::string& strPort);

// "COM7 — USB Serial Port (FTDI, A10K3J2Q)": the port, then the friendly
// name without its "(COM7)", with the maker and the serial number in
// parentheses where known.
std::string WindowsPortEntry(const WindowsPortInfo& port);

// The list's entries after COM1..COM4: the COM ports among ports (printer
// ports and COM1..COM4 left out), by number ("COM10" after "COM9").
std::vector<std::string> WindowsPortEntries(const std::vector<WindowsPortInfo>& ports);
