#pragma once

#include <mutex>
#include <string>
#include <vector>

// What the module kept of a run, for the tests to compare: shared between
// the module's thread and the test's.
class CSimEvidence {
public:
    void AddMergeLine(const std::string& strLine) {
        std::lock_guard lock(m_mutex);
        m_mergeLines.push_back(strLine);
    }
    void StartMerge() {
        std::lock_guard lock(m_mutex);
        m_mergeLines.clear();
        m_bMergeWritten = false;
    }
    void SetMergeWritten() {
        std::lock_guard lock(m_mutex);
        m_bMergeWritten = true;
    }
    void SetBooted() {
        std::lock_guard lock(m_mutex);
        m_bBooted = true;
    }
    std::vector<std::string> MergeLines() const {
        std::lock_guard lock(m_mutex);
        return m_mergeLines;
    }
    bool MergeWritten() const {
        std::lock_guard lock(m_mutex);
        return m_bMergeWritten;
    }
    bool Booted() const {
        std::lock_guard lock(m_mutex);
        return m_bBooted;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_mergeLines;
    bool m_bMergeWritten = false;
    bool m_bBooted = false;
};
