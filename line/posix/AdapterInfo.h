#pragma once

#include <string>

// Where the kernel's device tree and the device nodes are found: /sys and
// /dev, or the folders named by KTR84_SYSFS_ROOT and KTR84_DEV_ROOT (a tree
// laid out the same way, for tests).
struct DeviceRoots {
    std::string strSys = "/sys";
    std::string strDev = "/dev";
};
DeviceRoots DeviceRootsFromEnvironment();

// The USB adapter behind a tty, as sysfs describes it. Everything is empty
// for a tty with no USB device above it (on-board UARTs, pseudo-terminals).
struct AdapterInfo {
    bool bUsb = false; // a USB device was found above the tty
    std::string strMaker;
    std::string strProduct;
    std::string strSerial;
    std::string strVendorId;  // idVendor, "0403"
    std::string strProductId; // idProduct, "6001"
    std::string strDriver;    // ftdi_sio, cp210x, pl2303, cdc_acm, ...
    // How long the adapter holds received bytes (latency_timer, ms); -1 when
    // it has no such timer.
    int nLatencyMs = -1;
};

// Reads the adapter of the tty with short name strTty ("ttyUSB0"), now.
AdapterInfo ReadAdapter(const std::string& strTty, const DeviceRoots& roots);

// "FTDI FT232R USB UART (A10K3J2Q)": maker, product (the USB ids when there is
// no product text), the serial number in parentheses when there is one.
// Empty when nothing is known.
std::string AdapterDescription(const AdapterInfo& info);

// The link in <dev>/serial/by-id that leads to <dev>/<strTty>, which keeps its
// name whichever order adapters are plugged in; empty when there is none.
std::string StableDevicePath(const std::string& strTty, const DeviceRoots& roots);
