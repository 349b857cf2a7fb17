#include "cli/CliOptions.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "dialog/StringTable.h"

namespace {
bool Refuse(std::string& strError, const std::string& strWhy) {
    strError = strWhy;
    return false;
}

bool ParseModule(const std::string& strValue, CliOptions& o, std::string& strError) {
    static const std::map<std::string, ModuleKind> kModules = {
        {"transceiver", Transceiver}, {"controller", Controller}, {"ip", IpController}};
    auto it = kModules.find(strValue);
    if (it == kModules.end())
        return Refuse(strError,
                      "--module takes transceiver, controller or ip, not '" + strValue + "'");
    o.module = it->second;
    return true;
}

// The first line of the file, without its line end.
bool ReadPasswordFile(const std::string& strPath, CliOptions& o, std::string& strError) {
    std::ifstream in(strPath, std::ios::binary);
    std::string strLine;
    if (!in || (!std::getline(in, strLine) && !in.eof()))
        return Refuse(strError, "cannot read the password file '" + strPath + "'");
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    o.strPassword = strLine;
    return true;
}

bool ReadPasswordEnv(const std::string& strName, CliOptions& o, std::string& strError) {
    const char* pszValue = strName.empty() ? nullptr : std::getenv(strName.c_str());
    if (pszValue == nullptr)
        return Refuse(strError, "the environment variable '" + strName + "' is not set");
    o.strPassword = pszValue;
    return true;
}

bool ParseNoAppCode(const std::string& strValue, CliOptions& o, std::string& strError) {
    if (strValue != "continue" && strValue != "abort")
        return Refuse(strError, "--on-no-app-code takes continue or abort, not '" + strValue + "'");
    o.bContinueWithoutAppCode = strValue == "continue";
    return true;
}

bool ParseImages(const std::string& strValue, CliOptions& o, std::string& strError) {
    static const std::vector<std::string> kImages = {"bootloader", "kernel", "filesystem"};
    o.images.clear();
    if (strValue == "all") {
        o.images = kImages;
        return true;
    }
    std::stringstream list(strValue);
    for (std::string strName; std::getline(list, strName, ',');) {
        if (std::find(kImages.begin(), kImages.end(), strName) == kImages.end())
            return Refuse(strError, "--images takes all or a list of bootloader, kernel and "
                                    "filesystem, not '" +
                                        strValue + "'");
        o.images.push_back(strName);
    }
    if (o.images.empty())
        return Refuse(strError, "--images needs at least one image");
    return true;
}

using ValueParser = std::function<bool(const std::string&, CliOptions&, std::string&)>;

const std::map<std::string, ValueParser>& ValueOptions() {
    static const std::map<std::string, ValueParser> kOptions = {
        {"--module", ParseModule},
        {"--port",
         [](const std::string& s, CliOptions& o, std::string&) { return o.strPort = s, true; }},
        {"--baud",
         [](const std::string& s, CliOptions& o, std::string&) { return o.strBaud = s, true; }},
        {"--password-file", ReadPasswordFile},
        {"--password-env", ReadPasswordEnv},
        {"--on-no-app-code", ParseNoAppCode},
        {"--images", ParseImages},
    };
    return kOptions;
}

// What holds for the whole command line once every option is read.
bool CheckTogether(const CliOptions& o, bool bModuleGiven, std::string& strError) {
    if (!bModuleGiven)
        return Refuse(strError, "--module is required");
    if (o.strPort.empty())
        return Refuse(strError, "--port is required");
    const auto& rates = o.module == IpController ? IpBaudRates : LegacyBaudRates;
    if (!o.strBaud.empty() && std::find(rates.begin(), rates.end(), o.strBaud) == rates.end()) {
        std::string strOffered;
        for (const auto& rate : rates)
            strOffered += (strOffered.empty() ? "" : ", ") + rate;
        return Refuse(strError, "--baud " + o.strBaud + " is not offered for this module (" +
                                    strOffered + ")");
    }
    if (!o.images.empty() && o.module != IpController)
        return Refuse(strError, "--images applies to --module ip only");
    return true;
}
} // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                         std::string& strError) {
    CliOptions o;
    bool bModuleGiven = false;
    int nPasswordOptions = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string strArg = args[i];
        if (strArg == "--help" || strArg == "-h")
            return CliParse::Help;
        if (strArg == "--version")
            return CliParse::Version;
        if (strArg == "--json") {
            o.bJson = true;
            continue;
        }
        std::string strValue;
        bool bInline = false;
        if (const size_t nEq = strArg.find('=');
            strArg.rfind("--", 0) == 0 && nEq != std::string::npos) {
            strValue = strArg.substr(nEq + 1);
            strArg.resize(nEq);
            bInline = true;
        }
        auto it = ValueOptions().find(strArg);
        if (it == ValueOptions().end())
            return Refuse(strError, "unknown option '" + args[i] + "'"), CliParse::Error;
        if (!bInline) {
            if (i + 1 >= args.size())
                return Refuse(strError, strArg + " needs a value"), CliParse::Error;
            strValue = args[++i];
        }
        bModuleGiven = bModuleGiven || strArg == "--module";
        nPasswordOptions += strArg == "--password-file" || strArg == "--password-env";
        if (!it->second(strValue, o, strError))
            return CliParse::Error;
        if (strArg == "--password-file" || strArg == "--password-env")
            o.passwordSource = PasswordSource::Given;
    }
    if (nPasswordOptions > 1)
        return Refuse(strError, "give one of --password-file and --password-env"), CliParse::Error;
    if (!CheckTogether(o, bModuleGiven, strError))
        return CliParse::Error;
    options = std::move(o);
    return CliParse::Run;
}
