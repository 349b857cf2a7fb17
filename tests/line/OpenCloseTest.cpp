// Opening, refusing and closing the line, and what a closed line leaves behind.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "line/SComDoc.h"
#include "testing/PtyPair.h"

namespace {
bool Open(CSComDoc& doc, const std::string& strPath, int32_t nBaud = 9600) {
    doc.m_strPort = strPath;
    doc.m_nBaud = nBaud;
    doc.CreatePortEvents();
    return doc.Connect();
}

// Whether another process could take the device for itself right now.
bool OtherProcessCanLock(const std::string& strPath) {
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(strPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        _exit(fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
    }
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}
} // namespace

struct PortCase {
    const char* pszPort;
    const char* pszDevice;
};
void PrintTo(const PortCase& c, std::ostream* pOut) {
    *pOut << '"' << c.pszPort << '"';
}

// What the line opens for a port name or a port list entry, with the
// simulators announcing in /run/user/4242/ktr84-modsim.
class SComDocPath : public ::testing::TestWithParam<PortCase> {
protected:
    void SetUp() override {
        const char* pszOld = std::getenv("XDG_RUNTIME_DIR");
        m_oldRuntime = pszOld ? std::optional<std::string>(pszOld) : std::nullopt;
        setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    }
    void TearDown() override {
        if (m_oldRuntime)
            setenv("XDG_RUNTIME_DIR", m_oldRuntime->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }
    std::optional<std::string> m_oldRuntime;
};

TEST_P(SComDocPath, NamesPorts) {
    EXPECT_EQ(CSComDoc::DevicePath(GetParam().pszPort), GetParam().pszDevice);
}

INSTANTIATE_TEST_SUITE_P(
    PortsAndEntries, SComDocPath,
    ::testing::Values(
        PortCase{"COM1", "/dev/ttyS0"}, PortCase{"COM4", "/dev/ttyS3"},
        PortCase{"ttyUSB0", "/dev/ttyUSB0"}, PortCase{"COM5", "/dev/COM5"},
        PortCase{"/dev/pts/7", "/dev/pts/7"}, PortCase{"line/by-id/usb-x", "line/by-id/usb-x"},
        // A simulator's entry opens the link it announced.
        PortCase{"Simulated Transceiver (19937)", "/run/user/4242/ktr84-modsim/transceiver-19937"},
        PortCase{"Simulated Controller (7)", "/run/user/4242/ktr84-modsim/controller-7"},
        PortCase{"Simulated IP-Enabled Controller (123)", "/run/user/4242/ktr84-modsim/ip-123"},
        // Near misses are names like any other.
        PortCase{"Simulated Transceiver (19937", "/dev/Simulated Transceiver (19937"},
        PortCase{"Simulated Transceiver ()", "/dev/Simulated Transceiver ()"},
        PortCase{"Simulated Controller (7a)", "/dev/Simulated Controller (7a)"},
        PortCase{"Simulated IP Controller (5)", "/dev/Simulated IP Controller (5)"},
        PortCase{"simulated transceiver (5)", "/dev/simulated transceiver (5)"}));

TEST(SComDocOpen, OpensExclusivelyAndClosesCleanly) {
    CPtyPair pty;
    CSComDoc doc;
    ASSERT_TRUE(Open(doc, pty.SlavePath()));
    EXPECT_EQ(doc.m_bConnected, 1);
    EXPECT_GE(doc.PollHandle(), 0);
    EXPECT_EQ(doc.LastOpenError(), 0);

    // A second open of the open port changes nothing.
    EXPECT_FALSE(doc.Connect());
    EXPECT_EQ(doc.m_bConnected, 1);

    // A second port object (this process runs as root, which TIOCEXCL lets
    // through) and another process are both refused.
    CSComDoc second;
    EXPECT_FALSE(Open(second, pty.SlavePath()));
    EXPECT_EQ(second.m_bConnected, 0);
    EXPECT_EQ(second.LastOpenError(), EBUSY);
    EXPECT_EQ(second.PollHandle(), -1);
    EXPECT_FALSE(OtherProcessCanLock(pty.SlavePath()));

    doc.Disconnect();
    EXPECT_EQ(doc.m_bConnected, 0);
    EXPECT_EQ(doc.PollHandle(), -1);
    doc.Disconnect(); // harmless
    EXPECT_EQ(doc.m_bConnected, 0);

    EXPECT_TRUE(OtherProcessCanLock(pty.SlavePath()));
    EXPECT_TRUE(Open(second, pty.SlavePath()));
}

TEST(SComDocOpen, MissingDeviceIsReportedAsNotOpened) {
    CSComDoc doc;
    EXPECT_FALSE(Open(doc, "/dev/ttyKTR84-missing"));
    EXPECT_EQ(doc.m_bConnected, 0);
    EXPECT_EQ(doc.LastRefusal(), LineRefusal::DeviceNotOpened);
    EXPECT_EQ(doc.LastOpenError(), ENOENT);
    EXPECT_EQ(doc.WriteCommString("x\r"), 0);
}

TEST(SComDocOpen, RefusedSettingsAreReportedAndReleaseTheDevice) {
    CPtyPair pty;
    const int nThreads = CountThreads();
    const int nFds = CountOpenDescriptors();

    struct Case {
        const char* pszWhat;
        std::string strPath;
        int32_t nBaud;
        int32_t nDataBits;
    };
    const Case cases[] = {
        {"unsupported rate", pty.SlavePath(), 12345, 8},
        {"zero rate", pty.SlavePath(), 0, 8},
        {"nine data bits", pty.SlavePath(), 9600, 9},
        {"not a terminal", "/dev/null", 9600, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CSComDoc doc;
        doc.m_nDataBits = c.nDataBits;
        EXPECT_FALSE(Open(doc, c.strPath, c.nBaud));
        EXPECT_EQ(doc.m_bConnected, 0);
        EXPECT_EQ(doc.PollHandle(), -1);
        EXPECT_EQ(doc.LastRefusal(), LineRefusal::SettingsRefused);
    }

    EXPECT_EQ(CountThreads(), nThreads);
    EXPECT_EQ(CountOpenDescriptors(), nFds);
    CSComDoc after;
    EXPECT_TRUE(Open(after, pty.SlavePath()));
}
