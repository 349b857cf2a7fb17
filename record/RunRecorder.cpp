#include "record/RunRecorder.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "record/RecordFolder.h"
#include "record/RecordText.h"
#include "window/ControlIds.h"

namespace fs = std::filesystem;

CRunRecorder::CRunRecorder(fs::path folder, std::string strVersion, std::ostream& errors)
    : m_folder(std::move(folder)), m_strVersion(std::move(strVersion)), m_errors(errors) {}

CRunRecorder::~CRunRecorder() {
    if (m_pFile)
        std::fclose(m_pFile);
}

void CRunRecorder::Fail(const std::string& strWhat) {
    m_errors << "ktr84: no run record (" << strWhat << "); the upgrade goes on without it."
             << std::endl;
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
}

bool CRunRecorder::Open(const RunStart& start) {
    const auto now = std::chrono::system_clock::now();
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    const fs::path path = m_folder / RecordFileName(now, start.strModule, start.strPort);
    m_pFile = std::fopen(path.c_str(), "wx");
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
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
    m_strPath.clear();
    m_secrets.clear();
    m_strReceived.clear();
    m_start = std::chrono::steady_clock::now();
    Open(start);
}

void CRunRecorder::Line(const char* pszTag, std::string_view text) {
    if (!m_pFile)
        return;
    if (!m_strReceived.empty())
        FlushReceived();
    const auto nMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - m_start)
                         .count();
    const std::string strLine = StampedLine(nMs, pszTag, text);
    std::fwrite(strLine.data(), 1, strLine.size(), m_pFile);
}

void CRunRecorder::FlushReceived() {
    const std::string strLine = StampedLine(m_nReceivedMs, "recv", Escaped(Masked(m_strReceived)));
    m_strReceived.clear();
    std::fwrite(strLine.data(), 1, strLine.size(), m_pFile);
}

void CRunRecorder::Flush() {
    if (m_pFile && (std::fflush(m_pFile) != 0 || std::ferror(m_pFile)))
        Fail(m_strPath + ": " + std::strerror(errno));
}

namespace {
bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The secret at n stands on its own (an echo), not inside a longer word such
// as the hex digits of an S-record line.
bool StandsAlone(const std::string& strText, size_t n, size_t nLength) {
    return (n == 0 || !IsWordChar(strText[n - 1])) &&
           (n + nLength == strText.size() || !IsWordChar(strText[n + nLength]));
}
} // namespace

// Every password this run sent, wherever the module echoed it.
std::string CRunRecorder::Masked(std::string_view text) const {
    std::string strText(text);
    for (const std::string& strSecret : m_secrets)
        for (size_t n = strText.find(strSecret); n != std::string::npos;
             n = strText.find(strSecret, n + 1)) {
            if (!StandsAlone(strText, n, strSecret.size()))
                continue;
            strText.replace(n, strSecret.size(), "********");
        }
    return strText;
}

void CRunRecorder::OnState(std::string_view strName) {
    Line("state", strName);
    Flush();
}

void CRunRecorder::OnStatus(const std::string& strText) {
    Line("status", Escaped(strText));
}

void CRunRecorder::OnBox(const std::string& strText, const std::string& strCaption, int nAnswer) {
    Line("box", Escaped(strCaption.empty() ? strText : strCaption + ": " + strText));
    Line("answer", nAnswer == IDOK ? "OK" : "Cancel");
    Flush();
}

void CRunRecorder::OnPasswordPrompt(int nAnswer) {
    Line("prompt", nAnswer == IDOK ? "password entered, OK" : "Cancel");
    Flush();
}

void CRunRecorder::OnNotice(const std::string& strText) {
    Line("notice", Escaped(strText));
}

void CRunRecorder::OnLineOpened(const LineOpening& opening) {
    std::string strText = opening.strDevice + " at " + std::to_string(opening.nBaud) + " baud";
    if (!opening.strAdapter.empty())
        strText += ", adapter " + opening.strAdapter;
    Line("open", Escaped(strText));
    if (!opening.strSlowAdapter.empty())
        Line("slow", Escaped(opening.strSlowAdapter));
}

void CRunRecorder::OnLineClosed() {
    Line("close", "");
}

void CRunRecorder::OnLineSent(std::string_view bytes, bool bSecret) {
    if (!bSecret) {
        Line("sent", Escaped(bytes));
        return;
    }
    std::string_view secret = bytes;
    if (!secret.empty() && secret.back() == '\r')
        secret.remove_suffix(1);
    if (!secret.empty())
        m_secrets.emplace_back(secret);
    Line("sent", bytes.size() > secret.size() ? "********\\r" : "********");
}

void CRunRecorder::OnLineReceived(std::string_view bytes) {
    if (!m_pFile)
        return;
    if (m_strReceived.empty())
        m_nReceivedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - m_start)
                            .count();
    m_strReceived.append(bytes);
}

void CRunRecorder::OnRunEnd(const RunEnd& end) {
    Line("outcome", std::string(OutcomeName(end.outcome)) + " (" + Escaped(end.strStatus) +
                        (end.strMessage.empty() ? "" : "; " + Escaped(end.strMessage)) + ")");
    Flush();
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
    PruneRecords(m_folder);
}
