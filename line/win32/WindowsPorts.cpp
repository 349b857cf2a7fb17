#include "line/win32/WindowsPorts.h"

#include <windows.h>

#include <initguid.h>

#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

#include "common/win32/Utf16.h"
#include "line/WindowsPortNames.h"

namespace {
// A text value of a registry key; empty when it is missing or no text.
std::string RegistryText(HKEY hKey, const wchar_t* pszName) {
    wchar_t szText[256] = {};
    DWORD dwType = 0;
    DWORD dwSize = sizeof szText - sizeof(wchar_t); // room for the end Windows may not write
    if (RegQueryValueExW(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(szText),
                         &dwSize) != ERROR_SUCCESS ||
        dwType != REG_SZ)
        return {};
    return Utf8FromUtf16(szText);
}

std::string DeviceText(HDEVINFO hSet, SP_DEVINFO_DATA& device, DWORD dwProperty) {
    wchar_t szText[256] = {};
    DWORD dwType = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(hSet, &device, dwProperty, &dwType,
                                           reinterpret_cast<BYTE*>(szText),
                                           sizeof szText - sizeof(wchar_t), nullptr) ||
        dwType != REG_SZ)
        return {};
    return Utf8FromUtf16(szText);
}

std::string InstanceId(HDEVINFO hSet, SP_DEVINFO_DATA& device) {
    wchar_t szId[MAX_DEVICE_ID_LEN + 1] = {};
    if (!SetupDiGetDeviceInstanceIdW(hSet, &device, szId, MAX_DEVICE_ID_LEN, nullptr))
        return {};
    return Utf8FromUtf16(szId);
}

// The device key's "PortName": the COM name the port opens as.
std::string PortName(HDEVINFO hSet, SP_DEVINFO_DATA& device) {
    const HKEY hKey =
        SetupDiOpenDevRegKey(hSet, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (hKey == INVALID_HANDLE_VALUE)
        return {};
    std::string strName = RegistryText(hKey, L"PortName");
    RegCloseKey(hKey);
    return strName;
}

// The timer under one FTDIBUS instance, -1 when that instance is not strComName.
int InstanceLatencyMs(HKEY hBus, const std::wstring& strInstance, const std::string& strComName) {
    HKEY hParameters = nullptr;
    const std::wstring strKey = strInstance + L"\\0000\\Device Parameters";
    if (RegOpenKeyExW(hBus, strKey.c_str(), 0, KEY_QUERY_VALUE, &hParameters) != ERROR_SUCCESS)
        return -1;
    int nMs = -1;
    DWORD dwMs = 0, dwType = 0, dwSize = sizeof dwMs;
    if (ComNameOf(RegistryText(hParameters, L"PortName")) == strComName &&
        RegQueryValueExW(hParameters, L"LatencyTimer", nullptr, &dwType,
                         reinterpret_cast<BYTE*>(&dwMs), &dwSize) == ERROR_SUCCESS &&
        dwType == REG_DWORD)
        nMs = static_cast<int>(dwMs);
    RegCloseKey(hParameters);
    return nMs;
}
} // namespace

std::vector<std::string> WindowsSerialPortEntries() {
    const HDEVINFO hSet =
        SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (hSet == INVALID_HANDLE_VALUE)
        return {};
    std::vector<WindowsPortInfo> ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD n = 0; SetupDiEnumDeviceInfo(hSet, n, &device); ++n)
        ports.push_back({PortName(hSet, device), DeviceText(hSet, device, SPDRP_FRIENDLYNAME),
                         DeviceText(hSet, device, SPDRP_MFG), InstanceId(hSet, device)});
    SetupDiDestroyDeviceInfoList(hSet);
    return WindowsPortEntries(ports);
}

int FtdiLatencyTimerMs(const std::string& strComName) {
    const std::string strCom = ComNameOf(strComName);
    HKEY hBus = nullptr;
    if (strCom.empty() ||
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Enum\\FTDIBUS", 0,
                      KEY_ENUMERATE_SUB_KEYS, &hBus) != ERROR_SUCCESS)
        return -1;
    int nMs = -1;
    wchar_t szInstance[256];
    for (DWORD n = 0; nMs < 0; ++n) {
        DWORD dwLength = 256;
        if (RegEnumKeyExW(hBus, n, szInstance, &dwLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        nMs = InstanceLatencyMs(hBus, szInstance, strCom);
    }
    RegCloseKey(hBus);
    return nMs;
}
