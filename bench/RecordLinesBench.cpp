// The run record's CPU time per image line, the recorder driven directly as
// an upload drives it (a program, not a test): every line of an embedded
// image sent, the upload's status before each line, and for the IP image the
// module's echo of each line received before the next goes out. No line and
// no module: what the record itself costs.
//
//   record_lines_bench [rounds]   (5 without an argument)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "firmware/EmbeddedImages.h"
#include "record/RunRecorder.h"

namespace fs = std::filesystem;

namespace {
double ThreadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// The image's lines as the run sends them: the legacy run without the line
// feed, the IP run as the image has them.
std::vector<std::string> Lines(const char* pszImage, bool bKeepLineFeed) {
    std::vector<std::string> lines;
    const EmbeddedImage* pImage = FindEmbeddedImage(pszImage);
    if (!pImage)
        return lines;
    const std::string_view text(reinterpret_cast<const char*>(pImage->pData),
                                static_cast<size_t>(pImage->nSize));
    for (size_t n = 0; n < text.size();) {
        const size_t nEnd = std::min(text.find('\n', n), text.size() - 1) + 1;
        lines.emplace_back(text.substr(n, bKeepLineFeed ? nEnd - n : nEnd - n - 1));
        n = nEnd;
    }
    return lines;
}

struct Result {
    double dUsPerLine = 0;
    uintmax_t nRecordBytes = 0;
};

Result Run(const fs::path& folder, const char* pszModule, const std::vector<std::string>& lines,
           bool bEcho) {
    std::ostringstream errors;
    CRunRecorder recorder(folder, "bench", errors);
    recorder.OnRunStart({pszModule, "/dev/pts/99", "115200", {}});
    recorder.OnLineSent("8484\r", true); // a password, as the IP run has one
    std::string strStatus, strEcho;
    size_t nBytes = 0;
    const double dStart = ThreadCpuUs();
    for (const std::string& strLine : lines) {
        strStatus = "Uploading " + std::to_string(nBytes / 1024) + " of 5704 kilobytes";
        recorder.OnStatus(strStatus);
        recorder.OnLineSent(strLine, false);
        nBytes += strLine.size();
        if (bEcho) {
            // As the monitor echoes it: "\r\n", the record, "\r\r\n".
            const size_t nEnd = strLine.find_last_not_of("\r\n") + 1;
            strEcho.assign("\r\n").append(strLine, 0, nEnd).append("\r\r\n");
            recorder.OnLineReceived(strEcho);
        }
    }
    recorder.OnLineSent("\r\r", false);
    Result r;
    r.dUsPerLine = (ThreadCpuUs() - dStart) / static_cast<double>(lines.size());
    recorder.OnRunEnd({RunOutcome::Complete, "Idle", "Upload Complete!"});
    std::error_code ec;
    r.nRecordBytes = fs::file_size(recorder.Path(), ec);
    fs::remove(recorder.Path(), ec);
    return r;
}
} // namespace

int main(int argc, char** argv) {
    const int nRounds = argc > 1 ? std::atoi(argv[1]) : 5;
    char szTemplate[] = "/tmp/ktr84-record-bench-XXXXXX";
    const char* pszFolder = mkdtemp(szTemplate);
    if (!pszFolder)
        return 1;
    const std::vector<std::string> legacy = Lines("SREC_ADI_CTRL", false);
    const std::vector<std::string> ip = Lines("SREC_FILESYSTEM", true);
    for (int i = 0; i < nRounds; ++i) {
        const Result l = Run(pszFolder, "Controller", legacy, false);
        const Result p = Run(pszFolder, "IP-Enabled Controller", ip, true);
        std::printf("legacy %zu lines: %.3f us/line, record %ju bytes; "
                    "ip %zu lines echoed: %.3f us/line, record %ju bytes\n",
                    legacy.size(), l.dUsPerLine, l.nRecordBytes, ip.size(), p.dUsPerLine,
                    p.nRecordBytes);
    }
    fs::remove_all(pszFolder);
    return 0;
}
