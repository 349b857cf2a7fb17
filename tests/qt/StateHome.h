#pragma once

#include <QTemporaryDir>
#include <filesystem>

// XDG_STATE_HOME pointed at a folder of the test's own while it lives.
class CStateHome {
public:
    CStateHome()
        : m_strOld(qgetenv("XDG_STATE_HOME")),
          m_bHadOld(qEnvironmentVariableIsSet("XDG_STATE_HOME")) {
        qputenv("XDG_STATE_HOME", m_dir.path().toLocal8Bit());
    }
    ~CStateHome() {
        if (m_bHadOld)
            qputenv("XDG_STATE_HOME", m_strOld);
        else
            qunsetenv("XDG_STATE_HOME");
    }
    std::filesystem::path Records() const {
        return std::filesystem::path(m_dir.path().toStdString()) / "ktr84-upgrader";
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_strOld;
    bool m_bHadOld;
};
