#include "qt/CommandLine.h"

#include <QAbstractButton>
#include <algorithm>
#include <cstdio>

#include "dialog/StringTable.h"
#include "front/Preselect.h"
#include "qt/QtWindow.h"

namespace {
const char kPorts[] = "COM1 (the default) to COM4, a\n"
                      "                  device such as ttyUSB0, a device path, or a module\n"
                      "                  simulator's entry or link.";

// Keeps a port the list does not offer among the entries after COM1..COM4,
// whatever the window's port source offers next time.
void KeepPortOffered(CQtWindow& window, const std::string& strPort) {
    auto fnOffers = [strPort](const std::vector<std::string>& entries) {
        return std::any_of(entries.begin(), entries.end(), [&](const std::string& strEntry) {
            return OpensSameLine(strEntry, strPort);
        });
    };
    if (fnOffers(kTemplatePorts))
        return;
    auto fnSource = window.PortSource();
    window.SetPortSource([fnSource, strPort, fnOffers] {
        std::vector<std::string> ports = fnSource ? fnSource() : std::vector<std::string>();
        if (!fnOffers(ports))
            ports.push_back(strPort);
        return ports;
    });
    window.RefreshPortList();
}
} // namespace

QStringList ArgumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

CommandLineResult ParseCommandLine(const QStringList& arguments) {
    std::vector<std::string> args;
    for (const QString& strArgument : arguments)
        args.push_back(strArgument.toStdString());
    const WindowCommandLine command = ParseWindowCommandLine(args, kPorts);
    CommandLineResult result;
    result.action = command.action;
    result.choices.module = command.choices.module;
    result.choices.strPort = QString::fromStdString(command.choices.strPort);
    result.choices.strBaud = QString::fromStdString(command.choices.strBaud);
    result.strText = QString::fromStdString(command.strText);
    return result;
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
    const WindowChoices given{choices.module, choices.strPort.toStdString(),
                              choices.strBaud.toStdString()};
    const bool bAllMade = PreselectChoices(
        given, window,
        [&window](int nRadio) {
            if (auto* pRadio = qobject_cast<QAbstractButton*>(window.Control(nRadio)))
                pRadio->click();
        },
        [&window](const std::string& strPort) { KeepPortOffered(window, strPort); });
    if (!choices.strPort.isEmpty())
        window.RefreshPortList(); // the tooltip shows the whole path
    return bAllMade;
}
