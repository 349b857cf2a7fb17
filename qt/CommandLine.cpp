#include "qt/CommandLine.h"

#include <QAbstractButton>
#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>

#include "common/Version.h"
#include "console/ModuleKind.h"
#include "dialog/StringTable.h"
#include "line/SComDoc.h"
#include "qt/QtWindow.h"
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

const ModuleName* FindModule(const QString& strName) {
    for (const ModuleName& module : kModules)
        if (strName == QLatin1String(module.pszName))
            return &module;
    return nullptr;
}

const ModuleName& ModuleOfKind(int nKind) {
    for (const ModuleName& module : kModules)
        if (module.nKind == nKind)
            return module;
    return kModules[0];
}

const std::vector<std::string>& RatesOf(int nKind) {
    return nKind == IpController ? IpBaudRates : LegacyBaudRates;
}

QString JoinRates(const std::vector<std::string>& rates) {
    QStringList list;
    for (const std::string& strRate : rates)
        list << QString::fromStdString(strRate);
    return list.join(", ");
}

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Installs new firmware into a KTR-84 base station module over a serial cable.");
    parser.addOption({{"h", "help"}, "Shows this help and exits."});
    parser.addOption({"version", "Prints the program's version and exits."});
    parser.addOption({"module",
                      "Preselects the module: transceiver (the default), controller or ip.",
                      "transceiver|controller|ip"});
    parser.addOption({"port",
                      "Preselects the COM port: COM1 (the default) to COM4, a device such as "
                      "ttyUSB0, a device path, or a module simulator's entry or link.",
                      "name"});
    parser.addOption({"baud",
                      "Preselects the upload rate, one of the module's list (the default is its "
                      "last): 9600, 19200, 38400, 115200; the IP Controller also 57600.",
                      "rate"});
}

CommandLineResult Failure(const QString& strText) {
    CommandLineResult result;
    result.action = CommandLineAction::Error;
    result.strText = QString(kProgram) + ": " + strText;
    return result;
}

QString HelpText(const QCommandLineParser& parser) {
    // Without an application object the parser does not know the name.
    QString strHelp = parser.helpText();
    strHelp.replace("<executable_name>", kProgram);
    return strHelp;
}

// Checks the module and rate given, filling the choices.
CommandLineResult ReadChoices(const QCommandLineParser& parser) {
    CommandLineResult result;
    int nKind = Transceiver;
    if (parser.isSet("module")) {
        const ModuleName* pModule = FindModule(parser.value("module"));
        if (!pModule)
            return Failure("unknown module '" + parser.value("module") +
                           "' (transceiver, controller or ip)");
        nKind = pModule->nKind;
        result.choices.module = nKind;
    }
    if (parser.isSet("baud")) {
        const std::string strBaud = parser.value("baud").toStdString();
        const auto& rates = RatesOf(nKind);
        if (std::find(rates.begin(), rates.end(), strBaud) == rates.end())
            return Failure("unknown rate '" + parser.value("baud") + "' for the " +
                           ModuleOfKind(nKind).pszName + " module (" + JoinRates(rates) + ")");
        result.choices.strBaud = parser.value("baud");
    }
    if (parser.isSet("port")) {
        if (parser.value("port").isEmpty())
            return Failure("the port name is empty");
        result.choices.strPort = parser.value("port");
    }
    return result;
}

int FindEntry(CQtWindow& window, int nList, const std::string& strText) {
    for (int i = 0; i < window.GetListCount(nList); ++i)
        if (window.GetListEntry(nList, i) == strText)
            return i;
    return -1;
}

// An entry offers the port given when it opens the same line: "/dev/ttyS1" is
// COM2, a simulator's link path its "Simulated Transceiver (4711)".
bool OpensSameLine(const std::string& strEntry, const std::string& strPort) {
    return strEntry == strPort || CSComDoc::DevicePath(strEntry) == CSComDoc::DevicePath(strPort);
}

bool Offers(const std::vector<std::string>& entries, const std::string& strPort) {
    return std::any_of(entries.begin(), entries.end(), [&](const std::string& strEntry) {
        return OpensSameLine(strEntry, strPort);
    });
}

// Keeps a port the list does not offer among the entries after COM1..COM4,
// whatever the window's port source offers next time.
void KeepPortOffered(CQtWindow& window, const std::string& strPort) {
    if (Offers(kTemplatePorts, strPort))
        return;
    auto fnSource = window.PortSource();
    window.SetPortSource([fnSource, strPort] {
        std::vector<std::string> ports = fnSource ? fnSource() : std::vector<std::string>();
        if (!Offers(ports, strPort))
            ports.push_back(strPort);
        return ports;
    });
    window.RefreshPortList();
}

bool SelectEntry(CQtWindow& window, int nList, const std::string& strText) {
    const int nIndex = FindEntry(window, nList, strText);
    if (nIndex < 0)
        return false;
    window.SetListSelection(nList, nIndex);
    return true;
}

// The entry of that text, else the first that opens the same line.
bool SelectPort(CQtWindow& window, const std::string& strPort) {
    if (SelectEntry(window, ctl::kComList, strPort))
        return true;
    for (int i = 0; i < window.GetListCount(ctl::kComList); ++i) {
        if (OpensSameLine(window.GetListEntry(ctl::kComList, i), strPort)) {
            window.SetListSelection(ctl::kComList, i);
            return true;
        }
    }
    return false;
}
} // namespace

QStringList ArgumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

CommandLineResult ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments))
        return Failure(parser.errorText() + " (--help lists the options)");
    CommandLineResult result;
    if (parser.isSet("help")) {
        result.action = CommandLineAction::Help;
        result.strText = HelpText(parser);
        return result;
    }
    if (parser.isSet("version")) {
        result.action = CommandLineAction::Version;
        result.strText = QString(kProgram) + " " + ToolVersion() + "\n";
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return Failure("unexpected argument '" + parser.positionalArguments().first() +
                       "' (--help lists the options)");
    return ReadChoices(parser);
}

int AnswerCommandLine(const CommandLineResult& result) {
    const QByteArray text = result.strText.toLocal8Bit();
    if (result.action == CommandLineAction::Error) {
        std::fprintf(stderr, "%s\n", text.constData());
        return 2;
    }
    std::fputs(text.constData(), stdout);
    return 0;
}

bool PreselectChoices(const CommandLineChoices& choices, CQtWindow& window) {
    if (choices.module) {
        auto* pRadio =
            qobject_cast<QAbstractButton*>(window.Control(ModuleOfKind(*choices.module).nRadio));
        if (!pRadio)
            return false;
        pRadio->click();
    }
    bool bAllMade = true;
    if (!choices.strBaud.isEmpty())
        bAllMade = SelectEntry(window, ctl::kBaudList, choices.strBaud.toStdString()) && bAllMade;
    if (!choices.strPort.isEmpty()) {
        const std::string strPort = choices.strPort.toStdString();
        KeepPortOffered(window, strPort);
        bAllMade = SelectPort(window, strPort) && bAllMade;
        window.RefreshPortList(); // the tooltip shows the whole path
    }
    return bAllMade;
}
