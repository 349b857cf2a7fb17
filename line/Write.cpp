#include "line/SComDoc.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

// How long the line may take no byte before the next one is given up.
constexpr std::chrono::milliseconds kByteWait{1000};

enum class Writable { Yes, TimedOut, HungUp };

// Whether nFd takes output again before the deadline, or the line hung up.
Writable WaitWritable(int nFd, Clock::time_point deadline) {
    for (;;) {
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remaining <= 0)
            return Writable::TimedOut;
        pollfd pfd{nFd, POLLOUT, 0};
        const int n = poll(&pfd, 1, static_cast<int>(remaining));
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0 && (pfd.revents & (POLLHUP | POLLERR)))
            return Writable::HungUp;
        return n > 0 && (pfd.revents & POLLOUT) ? Writable::Yes : Writable::TimedOut;
    }
}

// Passwords never reach the diagnostics: every character but the closing
// carriage return shows as '*'.
std::string Masked(std::string_view text) {
    std::string strMasked(text.size(), '*');
    if (!text.empty() && text.back() == '\r')
        strMasked.back() = '\r';
    return strMasked;
}
} // namespace

// Hands the bytes to the line in as few writes as it takes. Where the line
// takes nothing for a whole second, or refuses a byte, that byte is lost and
// the rest goes on: the same outcome as writing them one by one, each with
// its own bounded wait. A line that went away takes nothing more: false.
bool CSComDoc::WriteBytes(const uint8_t* pBytes, size_t nCount) {
    size_t nDone = 0;
    auto deadline = Clock::now() + kByteWait;
    while (nDone < nCount) {
        const ssize_t n = write(m_nFd, pBytes + nDone, nCount - nDone);
        if (n > 0) {
            nDone += static_cast<size_t>(n);
            if (nDone < nCount)
                deadline = Clock::now() + kByteWait;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            const Writable state = WaitWritable(m_nFd, deadline);
            if (state == Writable::Yes)
                continue;
            if (state == Writable::HungUp) {
                NoteLineFailure(EIO);
                return false;
            }
        } else if (n < 0 && NoteLineFailure(errno)) {
            return false;
        }
        ++nDone; // dropped
        deadline = Clock::now() + kByteWait;
    }
    return true;
}

int CSComDoc::WriteCommByte(uint8_t byte) {
    if (!m_bConnected || m_nLineLost)
        return 0;
    if (!WriteBytes(&byte, 1))
        return 0;
    if (m_pObserver)
        m_pObserver->OnLineSent(std::string_view(reinterpret_cast<const char*>(&byte), 1), false);
    return 1;
}

int CSComDoc::WriteCommString(const char* psz, bool bMaskTrace) {
    if (!m_bConnected || m_nLineLost)
        return 0;
    const std::string_view text = psz ? std::string_view(psz) : std::string_view();
    if (!WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        return 0;
    Trace(text, bMaskTrace);
    if (m_pObserver)
        m_pObserver->OnLineSent(text, bMaskTrace);
    return 1;
}

void CSComDoc::Trace(std::string_view text, bool bMask) {
    if (!m_trace)
        return;
    m_trace("CSComDoc::WriteCommString(): ");
    m_trace(bMask ? std::string_view(Masked(text)) : text);
    m_trace("\n");
}
