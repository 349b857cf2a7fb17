#include "line/posix/AdapterInfo.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {
// The first line of a sysfs attribute, without trailing blanks; empty when
// the attribute is missing.
std::string ReadAttribute(const fs::path& path) {
    std::ifstream file(path);
    std::string strLine;
    if (!file || !std::getline(file, strLine))
        return {};
    const size_t nEnd = strLine.find_last_not_of(" \t\r\n");
    return nEnd == std::string::npos ? std::string() : strLine.substr(0, nEnd + 1);
}

int ReadNumber(const fs::path& path) {
    const std::string strText = ReadAttribute(path);
    if (strText.empty() || strText.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::atoi(strText.c_str());
}

// The name of the driver bound to a device folder, empty when none is.
std::string DriverOf(const fs::path& device) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(device / "driver", ec);
    return ec ? std::string() : target.filename().string();
}

bool IsUsbDevice(const fs::path& folder) {
    std::error_code ec;
    return fs::exists(folder / "idVendor", ec) || fs::exists(folder / "product", ec);
}

// The USB device at or above the tty's device folder, empty if there is none
// below the sysfs root.
fs::path UsbDeviceAbove(const fs::path& device, const fs::path& sysRoot) {
    for (fs::path folder = device; folder != sysRoot && folder.has_relative_path();
         folder = folder.parent_path()) {
        if (IsUsbDevice(folder))
            return folder;
    }
    return {};
}

fs::path Canonical(const fs::path& path) {
    std::error_code ec;
    fs::path result = fs::canonical(path, ec);
    return ec ? fs::path() : result;
}
} // namespace

DeviceRoots DeviceRootsFromEnvironment() {
    DeviceRoots roots;
    if (const char* pszSys = std::getenv("KTR84_SYSFS_ROOT"); pszSys && *pszSys)
        roots.strSys = pszSys;
    if (const char* pszDev = std::getenv("KTR84_DEV_ROOT"); pszDev && *pszDev)
        roots.strDev = pszDev;
    return roots;
}

AdapterInfo ReadAdapter(const std::string& strTty, const DeviceRoots& roots) {
    AdapterInfo info;
    if (strTty.empty() || strTty.find('/') != std::string::npos)
        return info;
    const fs::path device = Canonical(fs::path(roots.strSys) / "class/tty" / strTty / "device");
    const fs::path sysRoot = Canonical(roots.strSys);
    if (device.empty() || sysRoot.empty())
        return info;
    const fs::path usb = UsbDeviceAbove(device, sysRoot);
    if (usb.empty())
        return info;
    info.bUsb = true;
    info.strMaker = ReadAttribute(usb / "manufacturer");
    info.strProduct = ReadAttribute(usb / "product");
    info.strSerial = ReadAttribute(usb / "serial");
    info.strVendorId = ReadAttribute(usb / "idVendor");
    info.strProductId = ReadAttribute(usb / "idProduct");
    // A usb-serial port names its driver; a modem's tty hangs off the
    // interface, which does.
    info.strDriver = DriverOf(device);
    if (info.strDriver.empty())
        info.strDriver = DriverOf(device.parent_path());
    // A usb-serial port folder (also /sys/bus/usb-serial/devices/<tty>) holds
    // the timer of adapters that have one.
    info.nLatencyMs = ReadNumber(device / "latency_timer");
    return info;
}

std::string AdapterDescription(const AdapterInfo& info) {
    std::vector<std::string> parts;
    if (!info.strMaker.empty())
        parts.push_back(info.strMaker);
    if (!info.strProduct.empty())
        parts.push_back(info.strProduct);
    else if (!info.strVendorId.empty() && !info.strProductId.empty())
        parts.push_back(info.strVendorId + ":" + info.strProductId);
    if (!info.strSerial.empty())
        parts.push_back("(" + info.strSerial + ")");
    std::string strText;
    for (const std::string& strPart : parts)
        strText += (strText.empty() ? "" : " ") + strPart;
    return strText;
}

std::string StableDevicePath(const std::string& strTty, const DeviceRoots& roots) {
    const fs::path device = Canonical(fs::path(roots.strDev) / strTty);
    if (device.empty())
        return {};
    std::vector<std::string> links;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(roots.strDev) / "serial/by-id", ec)) {
        if (entry.is_symlink(ec) && Canonical(entry.path()) == device)
            links.push_back(entry.path().string());
    }
    if (links.empty())
        return {};
    return *std::min_element(links.begin(), links.end());
}
