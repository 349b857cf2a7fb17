#include "line/WindowsPortNames.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "line/PortName.h"

namespace {
std::string Upper(std::string strText) {
    for (char& c : strText)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return strText;
}

bool StartsWith(const std::string& strText, const std::string& strStart) {
    return strText.compare(0, strStart.size(), strStart) == 0;
}

// The part of an instance id between its first and its last backslash.
std::string MiddleOf(const std::string& strId) {
    const size_t nFirst = strId.find('\\');
    const size_t nLast = strId.rfind('\\');
    return nFirst == nLast ? std::string() : strId.substr(nFirst + 1, nLast - nFirst - 1);
}

// 7 for "COM7"; 0 for no COM port.
int ComNumber(const std::string& strComName) {
    return strComName.empty() ? 0 : std::atoi(strComName.c_str() + 3);
}

// "(Standard port types)" is a maker too; its parentheses would double.
std::string Unbracketed(const std::string& strText) {
    if (strText.size() >= 2 && strText.front() == '(' && strText.back() == ')')
        return strText.substr(1, strText.size() - 2);
    return strText;
}

// The friendly name without the port it ends with.
std::string NameWithoutPort(const std::string& strFriendly, const std::string& strCom) {
    const std::string strTail = " (" + strCom + ")";
    if (strFriendly.size() > strTail.size() &&
        Upper(strFriendly.substr(strFriendly.size() - strTail.size())) == strTail)
        return strFriendly.substr(0, strFriendly.size() - strTail.size());
    return strFriendly == "(" + strCom + ")" ? std::string() : strFriendly;
}
} // namespace

std::string SerialOfInstanceId(const std::string& strInstanceId) {
    const std::string strId = Upper(strInstanceId);
    if (StartsWith(strId, "FTDIBUS\\")) {
        const std::string strMiddle = MiddleOf(strInstanceId);
        const std::string strLast = strMiddle.substr(strMiddle.rfind('+') + 1);
        if (strLast.size() < 2 || strLast.find('&') != std::string::npos ||
            !std::isalpha(static_cast<unsigned char>(strLast.back())))
            return {};
        return strLast.substr(0, strLast.size() - 1);
    }
    if (StartsWith(strId, "USB\\")) {
        const std::string strLast = strInstanceId.substr(strInstanceId.rfind('\\') + 1);
        if (MiddleOf(strInstanceId).empty() || strLast.find('&') != std::string::npos)
            return {};
        return strLast;
    }
    return {};
}

std::string ComNameOf(const std::string& strPort) {
    std::string strName = Upper(PortOfEntry(strPort));
    if (StartsWith(strName, "\\\\.\\"))
        strName.erase(0, 4);
    const bool bDigits = strName.size() > 3 &&
                         strName.find_first_not_of("0123456789", 3) == std::string::npos &&
                         strName[3] != '0';
    return StartsWith(strName, "COM") && bDigits ? strName : std::string();
}

std::string WindowsPortEntry(const WindowsPortInfo& port) {
    const std::string strCom = ComNameOf(port.strPortName);
    std::string strName = NameWithoutPort(port.strFriendlyName, strCom);
    std::vector<std::string> extras;
    const std::string strMaker = Unbracketed(port.strMaker);
    if (!strMaker.empty() && Upper(strName).find(Upper(strMaker)) == std::string::npos)
        extras.push_back(strMaker);
    if (std::string strSerial = SerialOfInstanceId(port.strInstanceId); !strSerial.empty())
        extras.push_back(strSerial);
    if (strName.empty() && !extras.empty()) {
        strName = extras.front();
        extras.erase(extras.begin());
    }
    for (size_t n = 0; n < extras.size(); ++n)
        strName += (n == 0 ? " (" : ", ") + extras[n] + (n + 1 == extras.size() ? ")" : "");
    return PortEntryText(strCom, strName);
}

std::vector<std::string> WindowsPortEntries(const std::vector<WindowsPortInfo>& ports) {
    std::vector<const WindowsPortInfo*> offered;
    for (const WindowsPortInfo& port : ports)
        if (ComNumber(ComNameOf(port.strPortName)) > 4)
            offered.push_back(&port);
    std::stable_sort(offered.begin(), offered.end(), [](const auto* a, const auto* b) {
        return ComNumber(ComNameOf(a->strPortName)) < ComNumber(ComNameOf(b->strPortName));
    });
    std::vector<std::string> entries;
    for (const WindowsPortInfo* pPort : offered)
        entries.push_back(WindowsPortEntry(*pPort));
    return entries;
}
