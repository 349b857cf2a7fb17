#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh folder of the test's own in the system's temporary folder (/tmp, or
// %TEMP% on Windows), removed with all it holds when the test is done.
class CTestFolder {
public:
    CTestFolder() {
        std::random_device random;
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        // A name another test took is tried again with another number.
        for (int nTry = 0; nTry < 100 && m_path.empty(); ++nTry) {
            const auto path = base / ("ktr84-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(path, ec))
                m_path = path;
        }
    }
    ~CTestFolder() {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
