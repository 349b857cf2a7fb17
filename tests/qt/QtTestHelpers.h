#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal dialog once it shows, from inside its own event
// loop (message boxes, the password prompt and the About box are modal).
// Delete the returned timer to stop waiting.
inline QPointer<QTimer> OnNextModal(std::function<void(QWidget*)> fnAct) {
    auto* pTimer = new QTimer(qApp);
    pTimer->setInterval(5);
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, fnAct] {
        QWidget* pModal = QApplication::activeModalWidget();
        if (!pModal || !pModal->isVisible())
            return;
        pTimer->stop();
        pTimer->deleteLater();
        fnAct(pModal);
    });
    pTimer->start();
    return pTimer;
}
