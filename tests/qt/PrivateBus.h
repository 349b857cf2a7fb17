#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A message bus of the test's own: a dbus-daemon started for it, ended with it.
class CPrivateBus {
public:
    CPrivateBus() {
        m_daemon.setProgram("dbus-daemon");
        m_daemon.setArguments({"--session", "--print-address", "--nofork"});
        m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
        m_daemon.start();
        if (!m_daemon.waitForStarted(10000))
            return;
        // The daemon prints its address once it listens.
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
        }
        m_strAddress = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
    }
    ~CPrivateBus() {
        m_daemon.kill();
        m_daemon.waitForFinished(10000);
    }
    CPrivateBus(const CPrivateBus&) = delete;
    CPrivateBus& operator=(const CPrivateBus&) = delete;

    const QString& Address() const { return m_strAddress; }
    // A new connection to the bus under its own name.
    QDBusConnection Connect(const QString& strName) const {
        return QDBusConnection::connectToBus(m_strAddress, strName);
    }

private:
    QProcess m_daemon;
    QString m_strAddress;
};
