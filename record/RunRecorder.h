#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "record/ImageThinning.h"
#include "record/RunListener.h"

// Writes one plain-text record per run into the record folder: a header (the
// tool's version, module, port and its adapter, rates), then every state,
// status, string sent, chunk received, message box with its answer and the
// outcome, each with the milliseconds since the start. Of an image it keeps
// the lines around what the module said and a summary (CImageThinning).
// Passwords show as "********", also where the module echoes them. A record
// that cannot be written costs one line on the error stream; the run goes on.
class CRunRecorder : public CRunListener, private CRecordLines {
public:
    CRunRecorder(std::filesystem::path folder, std::string strVersion, std::ostream& errors);
    ~CRunRecorder() override;

    // The record of the run in hand or the last one; empty if none was written.
    const std::string& Path() const { return m_strPath; }

    void OnRunStart(const RunStart& start) override;
    void OnState(std::string_view strName) override;
    void OnStatus(const std::string& strText) override;
    void OnBox(const std::string& strText, const std::string& strCaption, int nAnswer) override;
    void OnPasswordPrompt(int nAnswer) override;
    void OnNotice(const std::string& strText) override;
    void OnRunEnd(const RunEnd& end) override;
    void OnLineOpened(const LineOpening& opening) override;
    void OnLineClosed() override;
    void OnLineSent(std::string_view bytes, bool bSecret) override;
    void OnLineReceived(std::string_view bytes) override;

private:
    bool Open(const RunStart& start);
    void Line(const char* pszTag, std::string_view text, bool bEscape = true);
    void WriteLine(int64_t nMs, const char* pszTag, std::string_view text, bool bEscape) override;
    // Where a line of nText bytes of text goes in the buffer.
    char* Room(size_t nText);
    void Written(const char* pEnd);
    int64_t ElapsedMs() const;
    void FlushReceived(bool bAll = false);
    void FlushAllReceived();
    size_t HeldBack(const std::string& strText) const;
    void Flush();
    // Hands the lines gathered so far to the file.
    void WriteOut();
    void Close();
    static constexpr size_t kWriteChunk = 16 * 1024;
    void Fail(const std::string& strWhat);
    std::string Masked(std::string_view text) const;

    std::filesystem::path m_folder;
    std::string m_strVersion;
    std::ostream& m_errors;
    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    std::chrono::steady_clock::time_point m_start;
    std::string m_strReceived;  // received bytes not yet written, one chunk
    int64_t m_nReceivedMs = 0;  // when that chunk began
    int64_t m_nFlushedMs = 0;   // when the file was last written out
    std::vector<char> m_buffer; // lines not yet handed to the file
    size_t m_nUsed = 0;
    std::string m_strLastStatus;
    std::vector<std::string> m_secrets; // passwords sent in this run
    CImageThinning m_thinning{*this};
};
