// Opening, refusing and closing the line, and what a closed line leaves behind.
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
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

TEST(SComDocPath, NamesPorts) {
    EXPECT_EQ(CSComDoc::DevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(CSComDoc::DevicePath("COM4"), "/dev/ttyS3");
    EXPECT_EQ(CSComDoc::DevicePath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(CSComDoc::DevicePath("COM5"), "/dev/COM5");
    EXPECT_EQ(CSComDoc::DevicePath("/dev/pts/7"), "/dev/pts/7");
    EXPECT_EQ(CSComDoc::DevicePath("line/by-id/usb-x"), "line/by-id/usb-x");
}

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
