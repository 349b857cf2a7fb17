// The sleep inhibitor against a stand-in logind on a bus of the test's own:
// taken at the run's first line opening, held across the line's reopenings,
// released at the run's end (the stand-in sees its pipe hang up).
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

#include "PrivateBus.h"
#include "qt/SleepInhibitor.h"

namespace {
// logind's Manager as far as Inhibit goes: each call hands out the write end
// of a new pipe and keeps the read end, which hangs up once every copy of
// the write end is closed.
class CLogindStandIn : public QDBusVirtualObject {
public:
    ~CLogindStandIn() override {
        for (int fd : m_readEnds)
            close(fd);
    }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& msg, const QDBusConnection& conn) override {
        if (msg.interface() != "org.freedesktop.login1.Manager" || msg.member() != "Inhibit")
            return false;
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back({});
            for (const QVariant& arg : msg.arguments())
                m_calls.back() << arg.toString();
            m_readEnds.push_back(fds[0]);
        }
        const QDBusUnixFileDescriptor writeEnd(fds[1]); // a copy of its own
        close(fds[1]);
        conn.send(msg.createReply(QVariant::fromValue(writeEnd)));
        return true;
    }
    std::vector<QStringList> Calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    int ReadEnd(size_t n) {
        std::lock_guard lock(m_mutex);
        return n < m_readEnds.size() ? m_readEnds[n] : -1;
    }

private:
    std::mutex m_mutex;
    std::vector<QStringList> m_calls;
    std::vector<int> m_readEnds;
};

// True once the pipe's write ends are all closed; nWaitMs only guards a hang.
bool HungUp(int fd, int nWaitMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, nWaitMs) == 1 && (p.revents & POLLHUP);
}

class SleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
        standInBus = bus.Connect("login1-stand-in");
        ASSERT_TRUE(standInBus.isConnected());
        ASSERT_TRUE(standInBus.registerService("org.freedesktop.login1"));
        // The tool's call blocks the test's thread: the stand-in answers from another.
        worker.start();
        standIn.moveToThread(&worker);
        ASSERT_TRUE(standInBus.registerVirtualObject("/org/freedesktop/login1", &standIn));
        toolBus = bus.Connect("tool");
        ASSERT_TRUE(toolBus.isConnected());
    }
    void TearDown() override {
        standInBus.unregisterObject("/org/freedesktop/login1");
        worker.quit();
        worker.wait();
        QDBusConnection::disconnectFromBus("tool");
        QDBusConnection::disconnectFromBus("login1-stand-in");
    }

    CPrivateBus bus;
    CLogindStandIn standIn;
    QThread worker;
    QDBusConnection standInBus{""};
    QDBusConnection toolBus{""};
    std::vector<std::string> notices;
    CSleepInhibitor::Notify notify = [this](const std::string& s) { notices.push_back(s); };
};

TEST_F(SleepInhibitorTest, TakenAtTheFirstOpeningAndReleasedAtRunEnd) {
    CSleepInhibitor inhibitor(toolBus, notify);
    inhibitor.OnRunStart({});
    EXPECT_FALSE(inhibitor.Held());
    EXPECT_TRUE(standIn.Calls().empty());

    inhibitor.OnLineOpened({"/dev/ttyUSB0", 9600, "", ""});
    EXPECT_TRUE(inhibitor.Held());
    ASSERT_EQ(standIn.Calls().size(), 1u);
    EXPECT_EQ(standIn.Calls()[0], (QStringList{"sleep:idle", "KTR-84 Upgrader",
                                               "Module firmware upgrade in progress", "block"}));
    const int fd = standIn.ReadEnd(0);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(HungUp(fd, 0)); // the tool holds its end

    // The line closes and opens again at the upload rate: still the one inhibitor.
    inhibitor.OnLineClosed();
    inhibitor.OnLineOpened({"/dev/ttyUSB0", 115200, "", ""});
    EXPECT_EQ(standIn.Calls().size(), 1u);
    EXPECT_FALSE(HungUp(fd, 0));

    RunEnd end;
    end.outcome = RunOutcome::UploadFailed;
    inhibitor.OnRunEnd(end);
    EXPECT_FALSE(inhibitor.Held());
    EXPECT_TRUE(HungUp(fd, 10000));
    EXPECT_TRUE(notices.empty());
}

TEST_F(SleepInhibitorTest, EachRunTakesItsOwnAndTheDestructorReleases) {
    auto pInhibitor = std::make_unique<CSleepInhibitor>(toolBus, notify);
    for (int nRun = 0; nRun < 2; ++nRun) {
        pInhibitor->OnRunStart({});
        pInhibitor->OnLineOpened({"/dev/ttyS0", 9600, "", ""});
        ASSERT_EQ(standIn.Calls().size(), size_t(nRun + 1));
        EXPECT_TRUE(pInhibitor->Held());
        if (nRun == 0) {
            pInhibitor->OnRunEnd({});
            EXPECT_TRUE(HungUp(standIn.ReadEnd(0), 10000));
        }
    }
    const int fd = standIn.ReadEnd(1);
    EXPECT_FALSE(HungUp(fd, 0));
    pInhibitor.reset(); // the window closes mid-run
    EXPECT_TRUE(HungUp(fd, 10000));
}

TEST_F(SleepInhibitorTest, BusWithoutLogindGivesOneNotice) {
    standInBus.unregisterService("org.freedesktop.login1");
    CSleepInhibitor inhibitor(toolBus, notify);
    inhibitor.OnRunStart({});
    inhibitor.OnLineOpened({"/dev/ttyS0", 9600, "", ""});
    inhibitor.OnLineOpened({"/dev/ttyS0", 115200, "", ""});
    EXPECT_FALSE(inhibitor.Held());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].rfind("No sleep inhibitor; the machine may suspend", 0), 0u) << notices[0];
    inhibitor.OnRunEnd({});
    EXPECT_TRUE(standIn.Calls().empty());
}

TEST(SleepInhibitorNoBus, NoBusAtAllGivesOneNoticeARun) {
    std::vector<std::string> notices;
    const QDBusConnection none =
        QDBusConnection::connectToBus(QString("unix:path=/nonexistent/ktr84-bus"), "none");
    ASSERT_FALSE(none.isConnected());
    CSleepInhibitor inhibitor(none, [&](const std::string& s) { notices.push_back(s); });
    for (int nRun = 0; nRun < 2; ++nRun) {
        inhibitor.OnRunStart({});
        inhibitor.OnLineOpened({"/dev/ttyS0", 9600, "", ""});
        inhibitor.OnLineOpened({"/dev/ttyS0", 38400, "", ""});
        EXPECT_FALSE(inhibitor.Held());
        inhibitor.OnRunEnd({});
    }
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], "No sleep inhibitor; the machine may suspend during the upgrade (no "
                          "system bus).");
    QDBusConnection::disconnectFromBus("none");
}
} // namespace
