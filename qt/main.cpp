// Start-up of the upgrader: one window, run until the operator quits.
#include <QApplication>

#include "dialog/UpgraderDlg.h"
#include "qt/Artwork.h"
#include "qt/CommandLine.h"
#include "qt/DesktopListeners.h"
#include "qt/QtWindow.h"

int main(int argc, char* argv[]) {
    // --help, --version and a bad argument are answered before any display opens.
    const CommandLineResult command = ParseCommandLine(ArgumentList(argc, argv));
    if (command.action != CommandLineAction::Run)
        return AnswerCommandLine(command);
    QApplication app(argc, argv);
    app.setApplicationName("ktr84-upgrader");
    app.setDesktopFileName("ktr84-upgrader");
    app.setWindowIcon(ApplicationIcon());

    // The Windows build checked here that the sockets layer starts; nothing
    // in this program uses sockets and Linux has no such layer to start, so
    // there is no check and no "Windows sockets initialization failed." box.

    CQtWindow window;
    CUpgraderDlg dlg(window);
    CDesktopListeners desktop(dlg, window);
    window.InitDialog(dlg);
    PreselectChoices(command.choices, window);
    window.exec(); // the result (1 Quit, 2 Escape or Close) is not examined
    return 0;
}
