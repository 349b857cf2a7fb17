#include "qt/SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <fcntl.h>
#include <unistd.h>

namespace {
const char kNoInhibitor[] = "No sleep inhibitor; the machine may suspend during the upgrade (";
} // namespace

CSleepInhibitor::CSleepInhibitor(QDBusConnection bus, Notify fnNotice)
    : m_bus(std::move(bus)), m_fnNotice(std::move(fnNotice)) {}

CSleepInhibitor::~CSleepInhibitor() {
    Release();
}

void CSleepInhibitor::OnRunStart(const RunStart&) {
    m_bAskedThisRun = false;
}

// The line opens again at the upload rate within a run: one inhibitor a run.
void CSleepInhibitor::OnLineOpened(const LineOpening&) {
    if (m_bAskedThisRun)
        return;
    m_bAskedThisRun = true;
    Take();
}

void CSleepInhibitor::OnRunEnd(const RunEnd&) {
    Release();
    m_bAskedThisRun = false;
}

void CSleepInhibitor::Take() {
    if (Held())
        return;
    auto notify = [this](const QString& strWhy) {
        if (m_fnNotice)
            m_fnNotice(kNoInhibitor + strWhy.toStdString() + ").");
    };
    if (!m_bus.isConnected()) {
        notify("no system bus");
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                       "org.freedesktop.login1.Manager", "Inhibit");
    call << QString("sleep:idle") << QString("KTR-84 Upgrader")
         << QString("Module firmware upgrade in progress") << QString("block");
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        notify(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage());
        return;
    }
    const QList<QVariant> args = reply.arguments();
    const auto fd =
        args.isEmpty() ? QDBusUnixFileDescriptor() : args.first().value<QDBusUnixFileDescriptor>();
    // The reply's descriptor closes with the message; the copy is ours.
    m_nFd = fd.isValid() ? fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
    if (m_nFd < 0)
        notify("logind answered without a descriptor");
}

void CSleepInhibitor::Release() {
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
}
