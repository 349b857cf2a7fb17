#include "cli/Summary.h"

#include "cli/Json.h"

bool CSummary::IsLoginState(std::string_view strName) {
    return strName == "ConsoleLogin" || strName == "AwaitBootloader" || strName == "BootLogin" ||
           strName == "BootPassword" || strName == "Login";
}

bool CSummary::IsSendState(std::string_view strName) {
    return strName == "SendImage" || strName == "FlashImage/SendLines";
}

void CSummary::OnRunStart(const RunStart& start) {
    m_summary = RunSummary();
    m_summary.strModule = start.strModule;
    m_summary.strPort = start.strPort;
    m_nStartMs = m_fnNowMs();
    m_bInLogin = true;
    m_sendingSinceMs.reset();
    m_nLineBaud = 0;
}

void CSummary::OnState(std::string_view strName) {
    if (m_bInLogin && !IsLoginState(strName)) {
        m_bInLogin = false;
        m_summary.dLoginSeconds = SecondsSince(m_nStartMs);
    }
    const bool bSending = IsSendState(strName);
    if (bSending && !m_sendingSinceMs) {
        m_sendingSinceMs = m_fnNowMs();
        if (m_summary.nUploadBaud == 0)
            m_summary.nUploadBaud = m_nLineBaud;
    } else if (!bSending) {
        LeaveSendState();
    }
}

void CSummary::LeaveSendState() {
    if (!m_sendingSinceMs)
        return;
    m_summary.dUploadSeconds += SecondsSince(*m_sendingSinceMs);
    m_sendingSinceMs.reset();
}

void CSummary::OnLineOpened(const LineOpening& opening) {
    m_nLineBaud = opening.nBaud;
    if (m_summary.strDevice.empty())
        m_summary.strDevice = opening.strDevice;
    if (m_summary.nLoginBaud == 0)
        m_summary.nLoginBaud = opening.nBaud;
    if (m_summary.strAdapter.empty())
        m_summary.strAdapter = opening.strAdapter;
}

void CSummary::OnRunEnd(const RunEnd& end) {
    LeaveSendState();
    if (m_bInLogin)
        m_summary.dLoginSeconds = SecondsSince(m_nStartMs);
    m_bInLogin = false;
    m_summary.dTotalSeconds = SecondsSince(m_nStartMs);
    m_summary.end = end;
    m_summary.bEnded = true;
}

std::string SummaryJson(const RunSummary& s, int nExitCode, const std::string& strRecord) {
    CJsonObject json;
    json.Add("module", s.strModule);
    json.Add("port", s.strPort);
    json.Add("device", s.strDevice);
    json.Add("adapter", s.strAdapter);
    json.Add("login_baud", s.nLoginBaud);
    json.Add("upload_baud", s.nUploadBaud);
    json.Add("outcome", OutcomeName(s.end.outcome));
    json.Add("exit_code", nExitCode);
    json.Add("status", s.end.strStatus);
    json.Add("message", s.end.strMessage);
    json.AddSeconds("login_seconds", s.dLoginSeconds);
    json.AddSeconds("upload_seconds", s.dUploadSeconds);
    json.AddSeconds("total_seconds", s.dTotalSeconds);
    json.Add("bytes_sent", s.nBytesSent);
    if (strRecord.empty())
        json.AddNull("record");
    else
        json.Add("record", strRecord);
    return json.Text();
}
