#pragma once

#include <QTemporaryDir>
#include <filesystem>

// An environment variable pointed at a folder of the test's own while it
// lives, and set back as it was after.
class CEnvFolder {
public:
    explicit CEnvFolder(const char* pszName)
        : m_pszName(pszName), m_strOld(qgetenv(pszName)),
          m_bHadOld(qEnvironmentVariableIsSet(pszName)) {
        qputenv(m_pszName, m_dir.path().toLocal8Bit());
    }
    ~CEnvFolder() {
        if (m_bHadOld)
            qputenv(m_pszName, m_strOld);
        else
            qunsetenv(m_pszName);
    }
    CEnvFolder(const CEnvFolder&) = delete;
    CEnvFolder& operator=(const CEnvFolder&) = delete;
    std::filesystem::path Path() const { return m_dir.path().toStdString(); }

private:
    const char* m_pszName;
    QTemporaryDir m_dir;
    QByteArray m_strOld;
    bool m_bHadOld;
};
