#pragma once

#include <string>

#include "line/posix/AdapterInfo.h"

// A sysfs and a /dev in a temporary folder, laid out as the kernel lays them
// out, for code that reads adapters from DeviceRoots: class/tty/<tty> links
// to the tty's folder under devices/, whose device link leads to the USB
// serial port or the modem's interface below the USB device.
class CFakeDeviceTree {
public:
    CFakeDeviceTree();
    ~CFakeDeviceTree();
    CFakeDeviceTree(const CFakeDeviceTree&) = delete;
    CFakeDeviceTree& operator=(const CFakeDeviceTree&) = delete;

    DeviceRoots Roots() const { return m_roots; }
    bool Ok() const { return !m_strRoot.empty(); }

    struct Usb {
        std::string strMaker;
        std::string strProduct;
        std::string strSerial; // none when empty
        std::string strVendorId = "0403";
        std::string strProductId = "6001";
        std::string strDriver = "ftdi_sio";
        int nLatencyMs = -1; // no latency_timer when negative
    };
    // A usb-serial adapter (ttyUSB*): the tty hangs off the port folder,
    // which names the driver and holds the latency timer.
    void AddUsbSerial(const std::string& strTty, const Usb& usb);
    // A modem (ttyACM*): the tty hangs off the USB interface, bound to the driver.
    void AddModem(const std::string& strTty, const Usb& usb);
    // A UART on the board (ttyS*), no USB above it.
    void AddOnBoardUart(const std::string& strTty);

    // <dev>/<tty> as a link to strTarget (a pty's slave, /dev/null).
    void AddNode(const std::string& strTty, const std::string& strTarget);
    // <dev>/serial/by-id/<strLink> -> ../../<tty>, as udev makes them.
    void AddById(const std::string& strLink, const std::string& strTty);
    void SetLatency(const std::string& strTty, int nMs);
    // The adapter is pulled: its sysfs folders, node and by-id links go.
    void Unplug(const std::string& strTty);

private:
    std::string AddUsbDevice(const Usb& usb);
    void AddTty(const std::string& strTty, const std::string& strParent);
    void BindDriver(const std::string& strFolder, const std::string& strBus,
                    const std::string& strDriver);

    std::string m_strRoot;
    DeviceRoots m_roots;
    int m_nUsbDevices = 0;
};
