// Whole runs against the simulator leave one record each, passwords masked,
// of each image its first and last lines and a summary; a record that cannot
// be written does not touch the run.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "record/RecordFolder.h"
#include "record/RunRecorder.h"
#include "testing/TestFolder.h"
#include "tests/ip/IpFieldRig.h"
#include "tests/ip/IpSimRig.h"
#include "tests/legacy/SimRig.h"
#include "tests/record/RecordReading.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const std::string& strPath) {
    std::ifstream in(strPath);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t Files(const fs::path& folder) {
    size_t n = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        n += e.is_regular_file();
    return n;
}

// The record without the image data it shows (S-record lines sent and
// echoed), where a password's digits may stand by chance.
std::string WithoutImageData(const std::string& strRecord) {
    auto hex = [&](size_t n) { return n < strRecord.size() && std::isxdigit(strRecord[n]); };
    std::string strOut;
    for (size_t n = 0; n < strRecord.size();) {
        size_t nEnd = n + 2;
        if (strRecord[n] == 'S' && n + 1 < strRecord.size() && std::isdigit(strRecord[n + 1]))
            while (hex(nEnd))
                ++nEnd;
        if (nEnd - n >= 10) {
            strOut += "S-record";
            n = nEnd;
        } else
            strOut += strRecord[n++];
    }
    return strOut;
}

// A Transceiver whose console asks for a log-in, on a line paced like a UART
// behind a USB adapter that delivers in bursts.
SimOptions ConsoleLoginTransceiver() {
    SimOptions options = QuickSim(SimModule::Transceiver);
    options.nUsbLatencyMs = 16;
    options.bConsoleLoginRequired = true;
    options.strConsolePassword = "4711";
    return options;
}
} // namespace

TEST(RunRecord, TransceiverRunHeaderStatesOutcomeAndNoPasswordInClear) {
    CTestFolder dir;
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path(), "9.9 (test)", errors);
    CLegacySimRig rig(ConsoleLoginTransceiver(), Transceiver);
    rig.UseShortImages();
    rig.dlg.AddListener(recorder);
    ASSERT_TRUE(rig.bStarted);
    rig.window.QueuePasswordAnswer(IDOK, "4711");
    rig.dlg.OnUpgrade();
    ASSERT_EQ(rig.BoxTexts(), std::vector<std::string>{"Upload Complete!"});

    ASSERT_FALSE(recorder.Path().empty()) << errors.str();
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(Files(dir.Path()), 1u);
    const std::string strRecord = ReadAll(recorder.Path());
    EXPECT_TRUE(strRecord.starts_with("KTR-84 Upgrader run record\nversion: 9.9 (test)\n"));
    EXPECT_TRUE(Has(strRecord, "module: Transceiver\n"));
    EXPECT_TRUE(Has(strRecord, "port: " + rig.pSim->DevicePath() + "\n"));
    EXPECT_TRUE(Has(strRecord, "rate: 115200\n"));
    EXPECT_TRUE(Has(strRecord, " at 9600 baud")) << strRecord.substr(0, 2000);
    EXPECT_TRUE(Has(strRecord, " at 115200 baud"));
    EXPECT_TRUE(HasLine(strRecord, "state", "ConsoleLogin")) << strRecord.substr(0, 2000);
    EXPECT_TRUE(HasLine(strRecord, "status", "Uploading")) << strRecord.substr(0, 2000);
    EXPECT_TRUE(HasLine(strRecord, "recv", "\\r\\n")); // the module's line ends, escaped
    EXPECT_TRUE(HasLine(strRecord, "sent", "root\\r"));
    EXPECT_TRUE(HasLine(strRecord, "box", "Upload Complete!"));
    EXPECT_TRUE(HasLine(strRecord, "outcome", "complete ("));
    // The typed console password and the boot loader's built-in one.
    EXPECT_FALSE(Has(WithoutImageData(strRecord), "4711")) << strRecord.substr(0, 3000);
    EXPECT_FALSE(Has(strRecord, "vexa"));
    EXPECT_TRUE(Has(strRecord, "********"));
    ExpectThinnedImage(strRecord, AsTheLegacyRunSends(rig.pShort->Lines("SREC_TRAN")));
}

TEST(RunRecord, IpRunRecordsImagesAndMasksTheDefaultPassword) {
    CTestFolder dir;
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path(), "9.9 (test)", errors);
    CSimRun r(FastIp(SimIpStart::Password));
    r.dlg.AddListener(recorder);
    r.window.QueuePasswordAnswer(IDOK, kDefaultPassword);
    r.Upgrade();
    r.ExpectComplete();

    const std::string strRecord = ReadAll(recorder.Path());
    EXPECT_TRUE(Has(strRecord, "module: IP-Enabled Controller\n")) << strRecord.substr(0, 1000);
    EXPECT_TRUE(Has(strRecord, "images: ")) << strRecord.substr(0, 1000);
    EXPECT_TRUE(HasLine(strRecord, "sent", "loads"));
    EXPECT_TRUE(HasLine(strRecord, "sent", "bootd"));
    EXPECT_TRUE(HasLine(strRecord, "outcome", "complete ("));
    EXPECT_FALSE(Has(WithoutImageData(strRecord), kDefaultPassword));
    EXPECT_TRUE(HasLine(strRecord, "sent", "********"));

    // The whole file system image, echoed: a record of some kilobytes.
    EXPECT_LT(strRecord.size(), 100u * 1024) << strRecord.substr(0, 5000);
    const EmbeddedImage* pImage = FindEmbeddedImage("SREC_FILESYSTEM");
    ASSERT_NE(pImage, nullptr);
    const SentImage sent = AsTheIpRunSends(
        std::string_view(reinterpret_cast<const char*>(pImage->pData), pImage->nSize));
    ExpectThinnedImage(strRecord, sent);
    ExpectNoEcho(strRecord, sent);
    // What the monitor said after the download is kept.
    EXPECT_TRUE(Has(strRecord, "## Total Size      = 0x001EFFF2")) << strRecord.substr(0, 5000);
}

// On a line paced like a UART the echo trails the upload by the kilobytes the
// line's queues hold: that echo too is left out, up to the monitor's words
// after the download.
TEST(RunRecord, PacedIpRunLeavesOutTheEchoThatTrailsTheImage) {
    CTestFolder dir;
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path(), "9.9 (test)", errors);
    CIpFieldRun r(FieldIp(SimIpStart::Shell), 40000);
    r.dlg.AddListener(recorder);
    ASSERT_TRUE(r.bStarted);
    r.dlg.OnUpgrade();
    r.ExpectComplete();

    const std::string strRecord = ReadAll(recorder.Path());
    const SentImage sent = AsTheIpRunSends(r.image.strSrec);
    ASSERT_GT(sent.Bytes().size(), 80000u); // more than the queues hold
    EXPECT_LT(strRecord.size(), 20u * 1024) << strRecord;
    ExpectThinnedImage(strRecord, sent);
    ExpectNoEcho(strRecord, sent);
    EXPECT_TRUE(HasLine(strRecord, "recv", "## First Load Addr")) << strRecord;
    EXPECT_TRUE(Has(strRecord, "## Total Size")) << strRecord;
}

TEST(RunRecord, EachRunHasItsOwnRecordAndAFailureIsNamed) {
    CTestFolder dir;
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path(), "v", errors);
    CLegacySimRig rig(QuickSim(SimModule::Controller), Transceiver);
    rig.dlg.AddListener(recorder);
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    const std::string strFirst = recorder.Path();
    EXPECT_TRUE(HasLine(ReadAll(strFirst), "outcome", "wrong-cable (")) << ReadAll(strFirst);

    rig.NewModule(QuickSim(SimModule::Transceiver));
    rig.Select(Transceiver);
    rig.UseShortImages();
    rig.dlg.OnUpgrade();
    EXPECT_NE(recorder.Path(), strFirst);
    EXPECT_EQ(Files(dir.Path()), 2u);
    EXPECT_TRUE(HasLine(ReadAll(recorder.Path()), "outcome", "complete ("));
}

// Neither a folder that cannot be made nor one that cannot be written ends
// or fails the run: one line on the error stream, "Upload Complete!".
TEST(RunRecord, AnUnwritableFolderCostsOneLineAndTheRunGoesOn) {
    CTestFolder dir;
    std::ofstream(dir.Path() / "file") << "not a folder";
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path() / "file" / "ktr84-upgrader", "v", errors);
    CLegacySimRig rig(QuickSim(SimModule::Transceiver), Transceiver);
    rig.UseShortImages();
    rig.dlg.AddListener(recorder);
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    EXPECT_EQ(rig.BoxTexts(), std::vector<std::string>{"Upload Complete!"});
    EXPECT_TRUE(rig.pSim->MergeWritten());
    EXPECT_TRUE(recorder.Path().empty());
    const std::string strErrors = errors.str();
    EXPECT_TRUE(Has(strErrors, "no run record")) << strErrors;
    EXPECT_EQ(std::count(strErrors.begin(), strErrors.end(), '\n'), 1) << strErrors;
}

// An echo of the password that comes in two pieces, with a status written
// between them, is masked whole; a password's first letters at the end of
// the run's last bytes are written before its outcome, not lost.
TEST(RunRecord, AnEchoInPiecesIsMaskedWhole) {
    CTestFolder dir;
    std::ostringstream errors;
    CRunRecorder recorder(dir.Path(), "9.9 (test)", errors);
    recorder.OnRunStart({"Transceiver", "/dev/pts/9", "115200", {}});
    recorder.OnLineSent("Wr0ng-77\r", true);
    recorder.OnLineReceived("Passwd> Wr0");
    recorder.OnStatus("Console Login......");
    recorder.OnLineReceived("ng-77\r\nLogin incorrect\r\nLogin: ");
    recorder.OnLineSent("root\r", false);
    recorder.OnLineReceived("root\r\nPasswd> Wr");
    recorder.OnRunEnd({RunOutcome::LoginFailed, "Console Login......", ""});

    const std::string strRecord = ReadAll(recorder.Path());
    EXPECT_FALSE(Has(strRecord, "Wr0")) << strRecord;
    EXPECT_FALSE(Has(strRecord, "ng-77")) << strRecord;
    EXPECT_TRUE(HasLine(strRecord, "recv", "********\\r\\nLogin incorrect")) << strRecord;
    EXPECT_TRUE(Has(strRecord, " recv    root\\r\\nPasswd> Wr\n")) << strRecord;
    EXPECT_LT(strRecord.find(" recv    root\\r\\nPasswd> Wr\n"), strRecord.find(" outcome "));
    EXPECT_LT(strRecord.find(" status "), strRecord.find("********\\r\\nLogin"));
}
