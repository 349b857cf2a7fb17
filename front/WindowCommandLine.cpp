#include "front/WindowCommandLine.h"

#include <algorithm>

#include "common/Version.h"
#include "console/ModuleKind.h"
#include "dialog/StringTable.h"
#include "line/SComDoc.h"
#include "window/ControlIds.h"

namespace {
const char kProgram[] = "ktr84-upgrader";

struct ModuleName {
    const char* pszName;
    int nKind;
    int nRadio;
};
constexpr ModuleName kModules[] = {
    {"transceiver", Transceiver, ctl::kTransceiver},
    {"controller", Controller, ctl::kController},
    {"ip", IpController, ctl::kIpController},
};

const ModuleName* FindModule(const std::string& strName) {
    for (const ModuleName& module : kModules)
        if (strName == module.pszName)
            return &module;
    return nullptr;
}

const ModuleName& ModuleOfKind(int nKind) {
    for (const ModuleName& module : kModules)
        if (module.nKind == nKind)
            return module;
    return kModules[0];
}

std::string JoinRates(const std::vector<std::string>& rates) {
    std::string strList;
    for (const std::string& strRate : rates)
        strList += (strList.empty() ? "" : ", ") + strRate;
    return strList;
}

WindowCommandLine Failure(const std::string& strText) {
    WindowCommandLine result;
    result.action = CommandLineAction::Error;
    result.strText = std::string(kProgram) + ": " + strText;
    return result;
}

std::string HelpText(const std::string& strPorts) {
    return std::string("Usage: ") + kProgram +
           " [--module KIND] [--port NAME] [--baud RATE]\n"
           "       " +
           kProgram +
           " --help | --version\n"
           "Installs new firmware into a KTR-84 base station module over a serial cable.\n"
           "\n"
           "Options:\n"
           "  -h, --help      Shows this help and exits.\n"
           "  --version       Prints the program's version and exits.\n"
           "  --module KIND   Preselects the module: transceiver (the default), controller\n"
           "                  or ip.\n"
           "  --port NAME     Preselects the COM port: " +
           strPorts +
           "\n"
           "  --baud RATE     Preselects the upload rate, one of the module's list (the\n"
           "                  default is its last): 9600, 19200, 38400, 115200; the IP\n"
           "                  Controller also 57600.\n";
}

// Checks the module and rate given, filling the choices.
WindowCommandLine CheckChoices(const WindowChoices& given, bool bPortGiven) {
    WindowCommandLine result;
    result.choices = given;
    const int nKind = given.module.value_or(Transceiver);
    const auto& rates = nKind == IpController ? IpBaudRates : LegacyBaudRates;
    if (!given.strBaud.empty() &&
        std::find(rates.begin(), rates.end(), given.strBaud) == rates.end())
        return Failure("unknown rate '" + given.strBaud + "' for the " +
                       ModuleOfKind(nKind).pszName + " module (" + JoinRates(rates) + ")");
    if (bPortGiven && given.strPort.empty())
        return Failure("the port name is empty");
    return result;
}
} // namespace

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments,
                                         const std::string& strPorts) {
    WindowChoices given;
    bool bHelp = false, bVersion = false, bModuleGiven = false, bPortGiven = false;
    std::string strModule;
    for (size_t i = 1; i < arguments.size(); ++i) {
        std::string strArg = arguments[i], strValue;
        if (strArg == "-h" || strArg == "--help" || strArg == "--version") {
            (strArg == "--version" ? bVersion : bHelp) = true;
            continue;
        }
        const size_t nEq = strArg.find('=');
        const bool bInline = strArg.rfind("--", 0) == 0 && nEq != std::string::npos;
        if (bInline) {
            strValue = strArg.substr(nEq + 1);
            strArg.resize(nEq);
        }
        std::string* pTarget = strArg == "--module" ? &strModule
                               : strArg == "--port" ? &given.strPort
                               : strArg == "--baud" ? &given.strBaud
                                                    : nullptr;
        if (!pTarget)
            return Failure(
                (strArg.rfind("-", 0) == 0 ? "unknown option '" : "unexpected argument '") +
                strArg + "' (--help lists the options)");
        if (!bInline && i + 1 >= arguments.size())
            return Failure("missing value after '" + strArg + "' (--help lists the options)");
        *pTarget = bInline ? strValue : arguments[++i];
        bModuleGiven = bModuleGiven || pTarget == &strModule;
        bPortGiven = bPortGiven || pTarget == &given.strPort;
    }
    WindowCommandLine result;
    if (bHelp || bVersion) {
        result.action = bHelp ? CommandLineAction::Help : CommandLineAction::Version;
        result.strText =
            bHelp ? HelpText(strPorts) : std::string(kProgram) + " " + ToolVersion() + "\n";
        return result;
    }
    if (bModuleGiven) {
        const ModuleName* pModule = FindModule(strModule);
        if (!pModule)
            return Failure("unknown module '" + strModule + "' (transceiver, controller or ip)");
        given.module = pModule->nKind;
    }
    return CheckChoices(given, bPortGiven);
}

int ModuleRadio(int nKind) {
    return ModuleOfKind(nKind).nRadio;
}

bool OpensSameLine(const std::string& strEntry, const std::string& strPort) {
    return strEntry == strPort || CSComDoc::DevicePath(strEntry) == CSComDoc::DevicePath(strPort);
}
