#include "testing/FarEnd.h"

#include <cerrno>

#include "testing/PtyPair.h"

struct CFarEnd::CImpl {
    CPtyPair pty{true};
};

const int kHangUpError = EIO;
const char* const kMissingPort = "/dev/ktr84-no-such-adapter";
const int kMissingPortError = ENOENT;
const int kLineReadAhead = 0;

CFarEnd::CFarEnd() : m_pImpl(std::make_unique<CImpl>()) {}
CFarEnd::~CFarEnd() = default;

bool CFarEnd::Ok() const {
    return m_pImpl->pty.Ok();
}

const std::string& CFarEnd::PortName() const {
    return m_pImpl->pty.SlavePath();
}

void CFarEnd::Send(const std::string& text) {
    m_pImpl->pty.Send(text);
}

void CFarEnd::Send(const std::vector<unsigned char>& bytes) {
    m_pImpl->pty.Send(bytes);
}

std::string CFarEnd::Receive(int nMs) {
    return m_pImpl->pty.Receive(nMs);
}

std::string CFarEnd::ReceiveWaiting(int nMs, int32_t& nRate) {
    std::string strGot = m_pImpl->pty.ReceiveWaiting(nMs);
    nRate = m_pImpl->pty.LineRate();
    return strGot;
}

std::vector<unsigned char> CFarEnd::ReceiveBytes(size_t nCount) {
    return m_pImpl->pty.ReceiveBytes(nCount);
}

void CFarEnd::HangUp() {
    m_pImpl->pty.CloseMaster();
}

size_t CFarEnd::FillTowardsFarEnd() {
    return m_pImpl->pty.FillTowardsMaster();
}

int CFarEnd::QueuedAtLine() {
    return m_pImpl->pty.QueuedAtSlave();
}

bool CFarEnd::WaitQueuedAtLine(int nCount) {
    return m_pImpl->pty.WaitQueuedAtSlave(nCount);
}

int32_t CFarEnd::LineRate() {
    return m_pImpl->pty.LineRate();
}
