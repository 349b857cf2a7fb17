#include "record/RunRecorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "record/NewFile.h"
#include "record/RecordFolder.h"
#include "record/RecordText.h"
#include "window/ControlIds.h"

namespace fs = std::filesystem;

CRunRecorder::CRunRecorder(fs::path folder, std::string strVersion, std::ostream& errors)
    : m_folder(std::move(folder)), m_strVersion(std::move(strVersion)), m_errors(errors),
      m_buffer(2 * kWriteChunk) {}

CRunRecorder::~CRunRecorder() {
    Close();
}

// What the line brought that was held back: nothing more of it comes.
void CRunRecorder::FlushAllReceived() {
    if (m_pFile && !m_strReceived.empty())
        FlushReceived(true);
}

void CRunRecorder::Close() {
    FlushAllReceived();
    if (m_pFile)
        m_thinning.End(ElapsedMs());
    m_thinning.Reset();
    WriteOut();
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
}

void CRunRecorder::Fail(const std::string& strWhat) {
    m_errors << "ktr84: no run record (" << strWhat << "); the upgrade goes on without it."
             << std::endl;
    m_nUsed = 0;
    m_thinning.Reset();
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
}

bool CRunRecorder::Open(const RunStart& start) {
    const auto now = std::chrono::system_clock::now();
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    const fs::path path = m_folder / RecordFileName(now, start.strModule, start.strPort);
    m_pFile = OpenNewFile(path);
    if (!m_pFile) {
        Fail(path.string() + ": " + std::strerror(errno));
        return false;
    }
    m_strPath = path.string();
    std::fprintf(m_pFile, "KTR-84 Upgrader run record\nversion: %s\nstarted: %s\n",
                 m_strVersion.c_str(), WallTime(now).c_str());
    std::fprintf(m_pFile, "module: %s\nport: %s\nrate: %s\n", start.strModule.c_str(),
                 start.strPort.c_str(), start.strRate.c_str());
    if (!start.images.empty())
        std::fprintf(m_pFile, "images: %s\n", JoinWords(start.images).c_str());
    std::fputs("\n", m_pFile);
    return true;
}

void CRunRecorder::OnRunStart(const RunStart& start) {
    Close();
    m_strPath.clear();
    m_secrets.clear();
    m_strReceived.clear();
    m_nFlushedMs = 0;
    m_strLastStatus.clear();
    m_start = std::chrono::steady_clock::now();
    Open(start);
}

int64_t CRunRecorder::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_start)
        .count();
}

char* CRunRecorder::Room(size_t nText) {
    const size_t nNeed = kStampRoom + EscapedRoom(nText) + 1;
    if (m_nUsed + nNeed > m_buffer.size()) {
        WriteOut();
        if (nNeed > m_buffer.size())
            m_buffer.resize(nNeed);
    }
    return m_buffer.data() + m_nUsed;
}

void CRunRecorder::Written(const char* pEnd) {
    m_nUsed = static_cast<size_t>(pEnd - m_buffer.data());
    if (m_nUsed >= kWriteChunk)
        WriteOut();
}

// One stamped line; bEscape: the text is bytes of the line, written escaped.
void CRunRecorder::Line(const char* pszTag, std::string_view text, bool bEscape) {
    if (!m_pFile)
        return;
    if (!m_strReceived.empty())
        FlushReceived();
    m_thinning.Before();
    WriteLine(ElapsedMs(), pszTag, text, bEscape);
}

void CRunRecorder::WriteLine(int64_t nMs, const char* pszTag, std::string_view text, bool bEscape) {
    if (!m_pFile)
        return;
    char* p = WriteStamp(Room(text.size()), nMs, pszTag);
    p = bEscape ? WriteEscaped(p, text) : std::copy(text.begin(), text.end(), p);
    *p++ = '\n';
    Written(p);
}

void CRunRecorder::WriteOut() {
    if (m_pFile && m_nUsed > 0)
        std::fwrite(m_buffer.data(), 1, m_nUsed, m_pFile);
    m_nUsed = 0;
}

void CRunRecorder::Flush() {
    m_nFlushedMs = ElapsedMs();
    WriteOut();
    if (m_pFile && (std::fflush(m_pFile) != 0 || std::ferror(m_pFile)))
        Fail(m_strPath + ": " + std::strerror(errno));
}

void CRunRecorder::OnState(std::string_view strName) {
    Line("state", strName, false);
    Flush();
}

void CRunRecorder::OnStatus(const std::string& strText) {
    // The upload repeats its status with every line: written when it changes.
    if (strText == m_strLastStatus)
        return;
    m_strLastStatus = strText;
    if (m_pFile && m_thinning.Streaming()) {
        // Held with the image line it precedes, kept or left out with it.
        if (!m_strReceived.empty())
            FlushReceived();
        m_thinning.Status(ElapsedMs(), strText);
    } else {
        Line("status", strText);
    }
    // Statuses come with every kilobyte of an upload: written out at most
    // once a second, the decisive events at once.
    if (ElapsedMs() - m_nFlushedMs >= 1000)
        Flush();
}

void CRunRecorder::OnBox(const std::string& strText, const std::string& strCaption, int nAnswer) {
    Line("box", strCaption.empty() ? strText : strCaption + ": " + strText);
    Line("answer", nAnswer == IDOK ? "OK" : "Cancel", false);
    Flush();
}

void CRunRecorder::OnPasswordPrompt(int nAnswer) {
    Line("prompt", nAnswer == IDOK ? "password entered, OK" : "Cancel", false);
    Flush();
}

void CRunRecorder::OnNotice(const std::string& strText) {
    Line("notice", strText);
}

void CRunRecorder::OnLineOpened(const LineOpening& opening) {
    std::string strText = opening.strDevice + " at " + std::to_string(opening.nBaud) + " baud";
    if (!opening.strAdapter.empty())
        strText += ", adapter " + opening.strAdapter;
    Line("open", strText);
    if (!opening.strSlowAdapter.empty())
        Line("slow", opening.strSlowAdapter);
}

void CRunRecorder::OnLineClosed() {
    FlushAllReceived();
    m_thinning.End(ElapsedMs());
    Line("close", "", false);
}

void CRunRecorder::OnLineSent(std::string_view bytes, bool bSecret) {
    if (!m_pFile)
        return;
    // What the module said before this string went out is written (or taken
    // as the image's echo) first.
    if (!m_strReceived.empty())
        FlushReceived();
    // An image line is the thinning's; any other string ends the image, and
    // a password the echo after one too.
    const int64_t nMs = ElapsedMs();
    if (!bSecret) {
        if (!m_thinning.Sent(nMs, bytes))
            WriteLine(nMs, "sent", bytes, true);
        return;
    }
    m_thinning.End(nMs);
    std::string_view secret = bytes;
    if (!secret.empty() && secret.back() == '\r')
        secret.remove_suffix(1);
    if (!secret.empty())
        m_secrets.emplace_back(secret);
    Line("sent", bytes.size() > secret.size() ? "********\\r" : "********", false);
}

void CRunRecorder::OnLineReceived(std::string_view bytes) {
    if (!m_pFile)
        return;
    const bool bFirst = m_strReceived.empty();
    const int64_t nMs = bFirst ? ElapsedMs() : m_nReceivedMs;
    // An image's echo is not kept: taken at once, unless what came before
    // it waits to be written.
    if (bFirst && m_thinning.TakesEcho(nMs, bytes))
        return;
    m_nReceivedMs = nMs;
    m_strReceived.append(bytes);
}

void CRunRecorder::OnRunEnd(const RunEnd& end) {
    FlushAllReceived();
    m_thinning.End(ElapsedMs());
    Line("outcome",
         std::string(OutcomeName(end.outcome)) + " (" + Escaped(end.strStatus) +
             (end.strMessage.empty() ? "" : "; " + Escaped(end.strMessage)) + ")",
         false);
    Flush();
    Close();
    PruneRecords(m_folder);
}
