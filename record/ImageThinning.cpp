#include "record/ImageThinning.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <utility>

#include "common/Crc32.h"

namespace {
// What a module echoes or prints while an image streams: S-record text, CR,
// LF, dots and blanks.
struct EchoBytes {
    bool echo[256] = {};
    constexpr EchoBytes() {
        for (unsigned char c : std::string_view("0123456789ABCDEFabcdefS\r\n. "))
            echo[c] = true;
    }
};
constexpr EchoBytes kEcho;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Each of the sixteen bytes at p is a hex digit (bEcho: or echo).
template <bool bEcho> bool Block(const unsigned char* p) {
    Bytes16 v;
    std::memcpy(&v, p, sizeof v);
    const Bytes16 lower = v | 0x20;
    auto in = ((v >= '0') & (v <= '9')) | ((lower >= 'a') & (lower <= 'f'));
    if constexpr (bEcho)
        in |= (v == 'S') | (v == '\r') | (v == '\n') | (v == '.') | (v == ' ');
    uint64_t nLow = 0, nHigh = 0;
    std::memcpy(&nLow, &in, 8);
    std::memcpy(&nHigh, reinterpret_cast<const char*>(&in) + 8, 8);
    return (nLow & nHigh) == ~uint64_t{0};
}

// Each byte of text is a hex digit (bEcho: or echo): sixteen at a time, the
// rest from a copy padded with digits. The sending of every image line pays
// for this, and for the echo of every line.
template <bool bEcho> bool AllOf(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = 0;
    for (; n + 16 <= text.size(); n += 16)
        if (!Block<bEcho>(p + n))
            return false;
    if (n == text.size())
        return true;
    unsigned char tail[16];
    std::memset(tail, '0', sizeof tail);
    std::memcpy(tail, p + n, text.size() - n);
    return Block<bEcho>(tail);
}
} // namespace

bool CImageThinning::IsImageLine(std::string_view bytes) {
    size_t nEnd = bytes.size();
    while (nEnd > 0 && IsLineEnd(bytes[nEnd - 1]))
        --nEnd;
    if (nEnd < 4 || bytes[0] != 'S' || bytes[1] < '0' || bytes[1] > '9')
        return false;
    return AllOf<false>(bytes.substr(2, nEnd - 2));
}

bool CImageThinning::IsEcho(std::string_view text) {
    return AllOf<true>(text);
}

size_t CImageThinning::EchoedLines(std::string_view text) {
    size_t nLineEnd = 0;          // just past the last line end
    size_t nRecord = text.size(); // the first 'S'
    for (size_t n = 0; n < text.size() && kEcho.echo[static_cast<unsigned char>(text[n])]; ++n) {
        if (IsLineEnd(text[n]))
            nLineEnd = n + 1;
        else if (text[n] == 'S' && nRecord == text.size())
            nRecord = n;
    }
    return nRecord < nLineEnd ? nLineEnd : 0;
}

bool CImageThinning::Sent(int64_t nMs, std::string_view bytes) {
    if (!IsImageLine(bytes)) {
        EndImage(nMs);
        return false;
    }
    if (!m_bStreaming) {
        EndEcho();
        Reset();
        m_bStreaming = true;
    }
    ++m_nLines;
    m_nBytes += static_cast<int64_t>(bytes.size());
    AddToCrc(bytes);
    if (m_nLines <= kKept || m_nFollowing > 0) {
        m_nFollowing -= m_nFollowing > 0 ? 1 : 0;
        Keep(nMs, bytes);
    } else {
        Hold(nMs, bytes);
    }
    return true;
}

// zlib's CRC-32 costs several times as much per byte on a line's few dozen
// bytes as on kilobytes: the lines are gathered first.
void CImageThinning::AddToCrc(std::string_view bytes) {
    if (m_nCrcBytes + bytes.size() > m_crcBytes.size())
        FlushCrc();
    if (bytes.size() > m_crcBytes.size()) {
        m_nCrc = Crc32(m_nCrc, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return;
    }
    std::memcpy(m_crcBytes.data() + m_nCrcBytes, bytes.data(), bytes.size());
    m_nCrcBytes += bytes.size();
}

void CImageThinning::FlushCrc() {
    m_nCrc = Crc32(m_nCrc, m_crcBytes.data(), m_nCrcBytes);
    m_nCrcBytes = 0;
}

// Written now, after anything held (nothing is held while lines are kept:
// the first lines, and those after a complaint, which wrote what was held).
void CImageThinning::Keep(int64_t nMs, std::string_view bytes) {
    WriteHeld();
    m_lines.WriteLine(nMs, "sent", bytes, true);
}

// Held with the status before it; the oldest held line, when there are
// five, is left out.
void CImageThinning::Hold(int64_t nMs, std::string_view bytes) {
    if (m_nHeld == kKept) {
        const Held& oldest = m_held[m_nFirst];
        ++m_nLeftLines;
        ++m_nGapLines;
        m_nGapBytes += static_cast<int64_t>(oldest.strLine.size());
        m_nGapEndMs = oldest.nMs;
        if (oldest.bStatus) {
            ++m_nLeftStatuses;
            ++m_nGapStatuses;
        }
        m_nFirst = (m_nFirst + 1) % kKept;
        --m_nHeld;
    }
    Held& held = m_held[(m_nFirst + m_nHeld) % kKept];
    ++m_nHeld;
    held.nMs = nMs;
    held.strLine.assign(bytes);
    held.bStatus = m_bStatus;
    if (m_bStatus) {
        held.nStatusMs = m_nStatusMs;
        std::swap(held.strStatus, m_strStatus);
        m_bStatus = false;
    }
}

bool CImageThinning::TakesEcho(int64_t nMs, std::string_view text) {
    if ((!m_bStreaming && !m_bEchoAfter) || !IsEcho(text))
        return false;
    if (m_bStreaming) {
        m_nEchoBytes += static_cast<int64_t>(text.size());
    } else {
        m_nEchoAfterBytes += static_cast<int64_t>(text.size());
        m_nEchoAfterMs = nMs;
    }
    return true;
}

size_t CImageThinning::Received(int64_t nMs, std::string_view text) {
    if (!m_bStreaming && !m_bEchoAfter)
        return 0;
    if (TakesEcho(nMs, text))
        return text.size();
    // The echoed lines before the module's words are the image's.
    const size_t nEchoed = EchoedLines(text);
    TakesEcho(nMs, text.substr(0, nEchoed));
    if (m_bStreaming) {
        WriteHeld();
        m_nFollowing = kKept;
    }
    EndEcho();
    return nEchoed;
}

// The echo after an image, if it went on, is told.
void CImageThinning::EndEcho() {
    if (m_bEchoAfter && m_nEchoAfterBytes > 0) {
        char szText[120];
        std::snprintf(szText, sizeof szText, "%" PRId64 " bytes of the image's echo after its end",
                      m_nEchoAfterBytes);
        m_lines.WriteLine(m_nEchoAfterMs, "skipped", szText, false);
    }
    m_bEchoAfter = false;
    m_nEchoAfterBytes = 0;
}

bool CImageThinning::Status(int64_t nMs, std::string_view text) {
    if (!m_bStreaming)
        return false;
    // A status that no line followed gives way to the next.
    m_nLeftStatuses += m_bStatus ? 1 : 0;
    m_nGapStatuses += m_bStatus ? 1 : 0;
    m_bStatus = true;
    m_nStatusMs = nMs;
    m_strStatus.assign(text);
    return true;
}

void CImageThinning::WriteStatus() {
    if (!m_bStatus)
        return;
    m_lines.WriteLine(m_nStatusMs, "status", m_strStatus, true);
    m_bStatus = false;
}

// Where lines were left out, how many; the lines held, each after its status;
// the last status.
void CImageThinning::WriteHeld() {
    if (m_nGapLines > 0) {
        char szText[160];
        std::snprintf(szText, sizeof szText,
                      "%" PRId64 " image lines left out (%" PRId64 " bytes, %" PRId64 " statuses)",
                      m_nGapLines, m_nGapBytes, m_nGapStatuses);
        m_lines.WriteLine(m_nGapEndMs, "skipped", szText, false);
        m_nGapLines = m_nGapBytes = m_nGapStatuses = 0;
    }
    for (; m_nHeld > 0; --m_nHeld, m_nFirst = (m_nFirst + 1) % kKept) {
        const Held& held = m_held[m_nFirst];
        if (held.bStatus)
            m_lines.WriteLine(held.nStatusMs, "status", held.strStatus, true);
        m_lines.WriteLine(held.nMs, "sent", held.strLine, true);
    }
    m_nFirst = 0;
    WriteStatus();
}

void CImageThinning::End(int64_t nMs) {
    EndImage(nMs);
    EndEcho();
}

void CImageThinning::EndImage(int64_t nMs) {
    if (!m_bStreaming)
        return;
    WriteHeld();
    FlushCrc();
    char szText[200];
    std::snprintf(szText, sizeof szText,
                  "%" PRId64 " lines, %" PRId64 " bytes sent, CRC-32 %08" PRIx32
                  "; left out: %" PRId64 " lines, %" PRId64 " statuses, %" PRId64 " bytes of echo",
                  m_nLines, m_nBytes, m_nCrc, m_nLeftLines, m_nLeftStatuses, m_nEchoBytes);
    m_lines.WriteLine(nMs, "image", szText, false);
    const bool bEchoed = m_nEchoBytes > 0;
    Reset();
    m_bEchoAfter = bEchoed;
}

void CImageThinning::Reset() {
    m_bStreaming = false;
    m_nLines = m_nBytes = 0;
    m_nCrc = 0;
    m_nCrcBytes = 0;
    m_nLeftLines = m_nLeftStatuses = m_nEchoBytes = 0;
    m_nFollowing = 0;
    m_nGapLines = m_nGapBytes = m_nGapStatuses = m_nGapEndMs = 0;
    m_nFirst = m_nHeld = 0;
    m_bStatus = false;
    m_bEchoAfter = false;
    m_nEchoAfterBytes = m_nEchoAfterMs = 0;
}
