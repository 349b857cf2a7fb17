// The simulated line's I/O thread: it moves bytes between the pty and the
// module's queues at the pace of a UART when asked, delivers them in USB
// bursts or random fragments, adds noise, and makes the line vanish.
#include "sim/SimLine.h"

#include <algorithm>
#include <cmath>
#include <poll.h>
#include <unistd.h>

namespace {
// Deepest a UART's hardware FIFO lets bytes bunch up when the line is paced.
constexpr double kMinFifoBytes = 16.0;
// A paced line is serviced at most this often, moving what fell due meanwhile
// (at 115200 baud some 23 bytes), which keeps the simulator's CPU use low.
constexpr int kPaceTickMs = 2;

int MsUntil(std::chrono::steady_clock::time_point now, std::chrono::steady_clock::time_point t) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - now).count();
    return static_cast<int>(std::clamp<int64_t>(ms + 1, 1, 60000));
}

} // namespace

double CSimLine::RxThreshold() const {
    return std::max(1.0, BytesPerSecond() * kPaceTickMs / 1000.0);
}

void CSimLine::IoLoop() {
    while (!m_bStopping) {
        auto now = Clock::now();
        CheckDisappearance(now);
        if (m_bGone) {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return m_bStopping.load(); });
            return;
        }
        if (m_settings.bPaceUart) {
            double dAdd =
                std::chrono::duration<double>(now - m_tLastCredit).count() * BytesPerSecond();
            double dCap = std::max(kMinFifoBytes, BytesPerSecond() * 0.02);
            m_dRxCredit = std::min(m_dRxCredit + dAdd, dCap);
            m_dTxCredit = std::min(m_dTxCredit + dAdd, dCap);
        }
        m_tLastCredit = now;
        ReceiveFromTool(now);
        TransmitToTool(now);
        DeliverBursts(now);
        WritePending(now);
        MakeNoise(now);

        pollfd fds[2] = {{m_aWakePipe[0], POLLIN, 0}, {m_nMasterFd, 0, 0}};
        if (!m_settings.bPaceUart || m_dRxCredit >= RxThreshold()) {
            fds[1].events |= POLLIN;
        }
        {
            std::lock_guard lock(m_mutex);
            if (!m_strPending.empty() && !m_settings.bRandomFragments) {
                fds[1].events |= POLLOUT;
            }
        }
        poll(fds, 2, PollTimeoutMs(Clock::now()));
        char drain[64];
        while (read(m_aWakePipe[0], drain, sizeof drain) > 0) {
        }
    }
}

void CSimLine::ReceiveFromTool(Clock::time_point now) {
    size_t nWant = 4096;
    if (m_settings.bPaceUart) {
        nWant = static_cast<size_t>(std::floor(m_dRxCredit));
    }
    if (nWant == 0) {
        return;
    }
    uint8_t buf[4096];
    ssize_t nGot = read(m_nMasterFd, buf, std::min(nWant, sizeof buf));
    if (nGot <= 0) {
        return;
    }
    if (m_settings.bPaceUart) {
        m_dRxCredit -= static_cast<double>(nGot);
    }
    if (!m_bGotFirstByte) {
        m_bGotFirstByte = true;
        m_tFirstByte = now;
    }
    bool bMatch = LineMatches();
    {
        std::lock_guard lock(m_mutex);
        for (ssize_t i = 0; i < nGot; ++i) {
            uint8_t c = bMatch ? buf[i] : Garble(buf[i]);
            if (m_bCorruptNextRx) {
                c ^= static_cast<uint8_t>(1u << (m_rng() % 8));
                m_bCorruptNextRx = false;
            }
            m_rxQueue.push_back(c);
        }
    }
    m_cv.notify_all();
}

void CSimLine::TransmitToTool(Clock::time_point) {
    // The rate comparison is made before the bytes leave the queue: the
    // module switches its rate only once its output has drained.
    bool bMatch = LineMatches();
    {
        std::lock_guard lock(m_mutex);
        size_t nTake = m_txQueue.size();
        if (m_settings.bPaceUart) {
            nTake = std::min(nTake, static_cast<size_t>(std::floor(m_dTxCredit)));
        }
        if (nTake == 0) {
            return;
        }
        std::string strWire(m_txQueue.begin(), m_txQueue.begin() + static_cast<ptrdiff_t>(nTake));
        m_txQueue.erase(m_txQueue.begin(), m_txQueue.begin() + static_cast<ptrdiff_t>(nTake));
        if (m_settings.bPaceUart) {
            m_dTxCredit -= static_cast<double>(nTake);
        }
        if (!bMatch) {
            for (char& c : strWire) {
                c = static_cast<char>(Garble(static_cast<uint8_t>(c)));
            }
        }
        (m_settings.nUsbLatencyMs > 0 ? m_strUsbHold : m_strPending) += strWire;
    }
    m_cv.notify_all(); // Drain() may be waiting
}

void CSimLine::DeliverBursts(Clock::time_point now) {
    if (m_settings.nUsbLatencyMs <= 0 || now < m_tNextBurst) {
        return;
    }
    std::lock_guard lock(m_mutex);
    if (m_strUsbHold.empty()) {
        return;
    }
    m_strPending += m_strUsbHold;
    m_strUsbHold.clear();
    m_tNextBurst = now + std::chrono::milliseconds(m_settings.nUsbLatencyMs);
}

void CSimLine::WritePending(Clock::time_point now) {
    std::lock_guard lock(m_mutex);
    if (m_strPending.empty()) {
        return;
    }
    size_t nChunk = m_strPending.size();
    if (m_settings.bRandomFragments) {
        if (now < m_tNextFragment) {
            return;
        }
        nChunk = std::min(nChunk, static_cast<size_t>(1 + m_rng() % 64));
        m_tNextFragment = now + std::chrono::milliseconds(1 + m_rng() % 5);
    }
    ssize_t nDone = write(m_nMasterFd, m_strPending.data(), nChunk);
    if (nDone > 0) {
        m_strPending.erase(0, static_cast<size_t>(nDone));
    }
}

void CSimLine::MakeNoise(Clock::time_point now) {
    if (!m_settings.bLineNoise || now < m_tNextNoise) {
        return;
    }
    int nMean = std::max(m_settings.nNoiseIntervalMs, 2);
    m_tNextNoise = now + std::chrono::milliseconds(nMean / 2 + m_rng() % nMean);
    m_bCorruptNextRx = true;
    std::lock_guard lock(m_mutex);
    m_strPending += static_cast<char>(m_rng() % 256);
}

void CSimLine::CheckDisappearance(Clock::time_point now) {
    if (m_settings.nDisappearAfterMs > 0 && m_bGotFirstByte &&
        now - m_tFirstByte >= std::chrono::milliseconds(m_settings.nDisappearAfterMs)) {
        Vanish();
    }
}

void CSimLine::Vanish() {
    // Closing both ends removes the device node: the cable is gone.
    {
        std::lock_guard lock(m_mutex);
        close(m_nMasterFd);
        close(m_nSlaveFd);
        m_nMasterFd = -1;
        m_nSlaveFd = -1;
        m_bGone = true;
        m_txQueue.clear();
        m_strPending.clear();
        m_strUsbHold.clear();
    }
    m_cv.notify_all();
}

int CSimLine::PollTimeoutMs(Clock::time_point now) const {
    int nMs = -1;
    auto consider = [&nMs](int n) { nMs = nMs < 0 ? n : std::min(nMs, n); };
    std::lock_guard lock(m_mutex);
    if (m_settings.bPaceUart) {
        if (!m_txQueue.empty()) {
            consider(kPaceTickMs);
        }
        if (m_dRxCredit < RxThreshold()) {
            consider(
                std::max(kPaceTickMs, static_cast<int>(std::ceil((RxThreshold() - m_dRxCredit) *
                                                                 1000.0 / BytesPerSecond()))));
        }
    } else if (!m_txQueue.empty()) {
        consider(0);
    }
    if (!m_strUsbHold.empty()) {
        consider(MsUntil(now, m_tNextBurst));
    }
    if (!m_strPending.empty()) {
        consider(m_settings.bRandomFragments ? MsUntil(now, m_tNextFragment) : 50);
    }
    if (m_settings.bLineNoise) {
        consider(MsUntil(now, m_tNextNoise));
    }
    if (m_settings.nDisappearAfterMs > 0 && m_bGotFirstByte) {
        consider(
            MsUntil(now, m_tFirstByte + std::chrono::milliseconds(m_settings.nDisappearAfterMs)));
    }
    return nMs;
}
