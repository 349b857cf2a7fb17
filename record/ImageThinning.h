#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Where the thinning's lines go: the run record's writer.
class CRecordLines {
public:
    virtual ~CRecordLines() = default;
    // One stamped line; bEscape: the text is bytes of the line, written escaped.
    virtual void WriteLine(int64_t nMs, const char* pszTag, std::string_view text,
                           bool bEscape) = 0;
};

// A run record of the dialogue, not of the image. A string sent that is an
// S-record line ('S', a type digit, hex, its line end) is an image line; a
// run of them is one image, which ends at the next string sent that is not
// one, or when the line closes or the run ends. Of each image the record
// keeps the first five lines and the last five, the five before and the five
// after anything the module says that is not the image's echo (S-record text,
// CR, LF, dots, blanks), and one summary line: lines and bytes sent, the
// CRC-32 of exactly those bytes, and what was left out. Where lines were left
// out, a "skipped" line says how many. The statuses an upload shows with
// every kilobyte are held with the line they precede and go with it, kept or
// left out; the last one is written before anything else that is written.
// A module that echoes may still be echoing when the last line has gone out
// (a line's queues hold kilobytes): its echo after the image is left out too,
// up to the first text of its own, and a "skipped" line says how much.
//
// The recorder hands it every string sent, every received text it is about to
// write and every status, and tells it before it writes anything else.
class CImageThinning {
public:
    static constexpr int kKept = 5;

    explicit CImageThinning(CRecordLines& lines) : m_lines(lines) {}

    // An image is streaming.
    bool Streaming() const { return m_bStreaming; }

    // A string sent (not a password). An image line is taken: written now,
    // or held, or left out (true). Anything else ends the image in hand and is
    // the caller's to write (false).
    bool Sent(int64_t nMs, std::string_view bytes);
    // Received text that came at nMs: the image's echo, while the image
    // streams or after it, is taken (true); anything else the caller keeps.
    bool TakesEcho(int64_t nMs, std::string_view text);
    // Received text the caller is about to write: how many of its bytes,
    // from the first, are the image's echo and taken (all of them, or the
    // echoed lines before the module's words). Where the module's words
    // follow, while an image streams they are a complaint: the lines held
    // before it are written and the next five will be kept; after an image,
    // they end its echo.
    size_t Received(int64_t nMs, std::string_view text);
    // A status while an image streams is held (true); otherwise the caller's.
    bool Status(int64_t nMs, std::string_view text);
    // The caller is about to write something else: what is held goes first.
    void Before() {
        if (m_bStreaming)
            WriteHeld();
    }
    // The image in hand, if any, ends at nMs (the line closed, the run
    // ended): its last lines and its summary; and so does the echo after one.
    void End(int64_t nMs);
    // Forgets the image in hand without a word (a record that is given up).
    void Reset();

    // 'S', a record-type digit, at least two hex digits, then CR or LF only.
    static bool IsImageLine(std::string_view bytes);
    // Nothing but what a module echoes or prints while an image streams:
    // S-record text, CR, LF, dots and blanks.
    static bool IsEcho(std::string_view text);
    // How many bytes at the start of text are echoed lines, up to the line
    // end before the first byte that is no echo; 0 unless an 'S' is among
    // them (a CR LF of the module's own is its own).
    static size_t EchoedLines(std::string_view text);

private:
    // An image line held back, with the status shown just before it.
    struct Held {
        int64_t nMs = 0;
        std::string strLine;
        bool bStatus = false;
        int64_t nStatusMs = 0;
        std::string strStatus;
    };

    void AddToCrc(std::string_view bytes);
    void FlushCrc();
    void Keep(int64_t nMs, std::string_view bytes);
    void Hold(int64_t nMs, std::string_view bytes);
    void WriteHeld();
    void WriteStatus();
    void EndImage(int64_t nMs);
    void EndEcho();

    CRecordLines& m_lines;
    bool m_bStreaming = false;

    // The image in hand.
    int64_t m_nLines = 0;
    int64_t m_nBytes = 0;
    uint32_t m_nCrc = 0;                    // of the bytes sent but those gathered
    std::array<uint8_t, 4096> m_crcBytes{}; // gathered for the CRC-32
    size_t m_nCrcBytes = 0;
    int64_t m_nLeftLines = 0;
    int64_t m_nLeftStatuses = 0;
    int64_t m_nEchoBytes = 0;
    int m_nFollowing = 0; // lines after a complaint still to keep

    // Left out since the last image line written.
    int64_t m_nGapLines = 0;
    int64_t m_nGapBytes = 0;
    int64_t m_nGapStatuses = 0;
    int64_t m_nGapEndMs = 0;

    // The last lines not written, oldest first from m_nFirst.
    std::array<Held, kKept> m_held;
    size_t m_nFirst = 0;
    size_t m_nHeld = 0;

    // After an image that was echoed: its echo may go on.
    bool m_bEchoAfter = false;
    int64_t m_nEchoAfterBytes = 0;
    int64_t m_nEchoAfterMs = 0;

    // The last status, not yet written nor held with a line.
    bool m_bStatus = false;
    int64_t m_nStatusMs = 0;
    std::string m_strStatus;
};
