#include "line/posix/PortState.h"

#include <termios.h>

#include "line/SComDoc.h"
#include "line/posix/ExclusiveOpen.h"
#include "line/posix/LowLatency.h"
#include "line/posix/ModemLines.h"
#include "line/posix/OpeningReport.h"
#include "line/posix/ResumeEvent.h"
#include "line/posix/TermiosSettings.h"

CLinePort::CLinePort() : m_pState(std::make_unique<CState>()) {}

CLinePort::~CLinePort() {
    CloseResumeEvent(m_pState->nResumeFd);
}

bool CLinePort::CreateEvents() {
    CloseResumeEvent(m_pState->nResumeFd);
    m_pState->nResumeFd = CreateResumeEvent();
    return HasEvents();
}

bool CLinePort::HasEvents() const {
    return m_pState->nResumeFd >= 0;
}

int CLinePort::Open(const std::string& strDevice) {
    int nError = 0;
    m_pState->nFd = OpenExclusive(strDevice, nError);
    return m_pState->nFd >= 0 ? 0 : nError;
}

int CLinePort::LossOfOpenFailure(int nError) {
    return LossOfErrno(nError == ENOENT ? ENODEV : nError);
}

bool CLinePort::Configure(const LineSettings& settings) {
    if (!ConfigureLine(m_pState->nFd, settings))
        return false;
    ResetResumeEvent(m_pState->nResumeFd);
    return true;
}

LineOpening CLinePort::Prepare(const std::string& strPort, const std::string& strDevice,
                               int32_t nBaud) {
    RaiseModemLines(m_pState->nFd);
    const LowLatency latency = RequestLowLatency(m_pState->nFd);
    return DescribeOpening(strPort, strDevice, nBaud, latency);
}

void CLinePort::Release() {
    CloseExclusive(m_pState->nFd);
    m_pState->nFd = -1;
}

void CLinePort::WakeWatcher() {
    SignalResumeEvent(m_pState->nResumeFd);
}

void CLinePort::Close() {
    ResetResumeEvent(m_pState->nResumeFd);
    DropModemLines(m_pState->nFd);
    tcflush(m_pState->nFd, TCIOFLUSH);
    Release();
}

LineHandle CLinePort::InputHandle() const {
    return m_pState->nFd;
}
