#include "testing/FakeDeviceTree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {
void WriteAttribute(const fs::path& path, const std::string& strValue) {
    std::ofstream(path) << strValue << "\n";
}

// A link made relative to its own folder, as sysfs and udev make them.
void LinkRelative(const fs::path& target, const fs::path& link) {
    fs::create_directories(link.parent_path());
    fs::create_symlink(fs::relative(target, link.parent_path()), link);
}

const char kUsbHost[] = "devices/pci0000:00/0000:00:14.0/usb1";
} // namespace

CFakeDeviceTree::CFakeDeviceTree() {
    std::string strTemplate = (fs::temp_directory_path() / "ktr84-devtree-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr)
        return;
    m_strRoot = fs::canonical(strTemplate).string();
    m_roots.strSys = m_strRoot + "/sys";
    m_roots.strDev = m_strRoot + "/dev";
    fs::create_directories(m_roots.strSys + "/class/tty");
    fs::create_directories(m_roots.strDev);
    WriteAttribute(m_roots.strSys + "/" + kUsbHost + "/idVendor", "1d6b");
}

CFakeDeviceTree::~CFakeDeviceTree() {
    std::error_code ec;
    if (!m_strRoot.empty())
        fs::remove_all(m_strRoot, ec);
}

std::string CFakeDeviceTree::AddUsbDevice(const Usb& usb) {
    const fs::path device =
        fs::path(m_roots.strSys) / kUsbHost / ("1-" + std::to_string(++m_nUsbDevices));
    fs::create_directories(device);
    if (!usb.strMaker.empty())
        WriteAttribute(device / "manufacturer", usb.strMaker);
    if (!usb.strProduct.empty())
        WriteAttribute(device / "product", usb.strProduct);
    if (!usb.strSerial.empty())
        WriteAttribute(device / "serial", usb.strSerial);
    WriteAttribute(device / "idVendor", usb.strVendorId);
    WriteAttribute(device / "idProduct", usb.strProductId);
    const fs::path interface = device / (device.filename().string() + ":1.0");
    fs::create_directories(interface);
    WriteAttribute(interface / "bInterfaceNumber", "00");
    BindDriver(interface.string(), "usb", usb.strDriver);
    return interface.string();
}

void CFakeDeviceTree::BindDriver(const std::string& strFolder, const std::string& strBus,
                                 const std::string& strDriver) {
    const fs::path driver = fs::path(m_roots.strSys) / "bus" / strBus / "drivers" / strDriver;
    fs::create_directories(driver);
    LinkRelative(driver, fs::path(strFolder) / "driver");
}

void CFakeDeviceTree::AddTty(const std::string& strTty, const std::string& strParent) {
    const fs::path tty = fs::path(strParent) / "tty" / strTty;
    fs::create_directories(tty);
    WriteAttribute(tty / "dev", "188:0");
    LinkRelative(strParent, tty / "device");
    LinkRelative(tty, fs::path(m_roots.strSys) / "class/tty" / strTty);
}

void CFakeDeviceTree::AddUsbSerial(const std::string& strTty, const Usb& usb) {
    const fs::path port = fs::path(AddUsbDevice(usb)) / strTty;
    fs::create_directories(port);
    BindDriver(port.string(), "usb-serial", usb.strDriver);
    if (usb.nLatencyMs >= 0)
        WriteAttribute(port / "latency_timer", std::to_string(usb.nLatencyMs));
    LinkRelative(port, fs::path(m_roots.strSys) / "bus/usb-serial/devices" / strTty);
    AddTty(strTty, port.string());
}

void CFakeDeviceTree::AddModem(const std::string& strTty, const Usb& usb) {
    AddTty(strTty, AddUsbDevice(usb));
}

void CFakeDeviceTree::AddOnBoardUart(const std::string& strTty) {
    const fs::path uart = fs::path(m_roots.strSys) / "devices/platform/serial8250";
    fs::create_directories(uart);
    BindDriver(uart.string(), "platform", "serial8250");
    AddTty(strTty, uart.string());
}

void CFakeDeviceTree::AddNode(const std::string& strTty, const std::string& strTarget) {
    fs::create_symlink(strTarget, fs::path(m_roots.strDev) / strTty);
}

void CFakeDeviceTree::AddById(const std::string& strLink, const std::string& strTty) {
    LinkRelative(fs::path(m_roots.strDev) / strTty,
                 fs::path(m_roots.strDev) / "serial/by-id" / strLink);
}

void CFakeDeviceTree::SetLatency(const std::string& strTty, int nMs) {
    const fs::path port = fs::canonical(fs::path(m_roots.strSys) / "class/tty" / strTty / "device");
    WriteAttribute(port / "latency_timer", std::to_string(nMs));
}

void CFakeDeviceTree::Unplug(const std::string& strTty) {
    std::error_code ec;
    const fs::path classLink = fs::path(m_roots.strSys) / "class/tty" / strTty;
    // The whole USB device goes: the folder right below the host.
    fs::path folder = fs::canonical(classLink / "device", ec);
    while (!ec && folder.has_relative_path() && folder.parent_path().filename() != "usb1")
        folder = folder.parent_path();
    if (!ec && folder.has_relative_path())
        fs::remove_all(folder, ec);
    fs::remove(classLink, ec);
    fs::remove(fs::path(m_roots.strSys) / "bus/usb-serial/devices" / strTty, ec);
    std::vector<fs::path> links;
    for (const auto& entry : fs::directory_iterator(fs::path(m_roots.strDev) / "serial/by-id", ec))
        if (fs::read_symlink(entry.path(), ec).filename() == strTty)
            links.push_back(entry.path());
    for (const fs::path& link : links)
        fs::remove(link, ec);
    fs::remove(fs::path(m_roots.strDev) / strTty, ec);
}
