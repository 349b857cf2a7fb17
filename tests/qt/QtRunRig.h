#pragma once

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"

// The real window shown with its dialog, the port list holding strPort (the
// only port its source lists) and that port selected. False if the window
// never showed.
inline bool ShowWithPort(CQtWindow& window, CUpgraderDlg& dlg, const std::string& strPort) {
    window.SetPortSource([strPort] { return std::vector<std::string>{strPort}; });
    window.InitDialog(dlg);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    auto* pPorts = qobject_cast<QComboBox*>(window.Control(ctl::kComList));
    pPorts->setCurrentIndex(pPorts->findText(QString::fromStdString(strPort)));
    return true;
}

// Presses Upgrade and returns when the run is over. Every message box is
// answered with OK and its text kept; fnTick is called on every watcher tick
// that finds no box (Qt's timers run rarely while an upload pumps).
inline std::vector<QString> PressUpgradeAnsweringOk(CQtWindow& window,
                                                    const std::function<void()>& fnTick = {}) {
    std::vector<QString> boxes;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.push_back(pBox->text());
            QTest::keyClick(pBox, Qt::Key_Return);
        } else if (fnTick) {
            fnTick();
        }
    });
    watcher.start();
    QTest::mouseClick(window.Control(ctl::kUpgrade), Qt::LeftButton);
    watcher.stop();
    return boxes;
}
