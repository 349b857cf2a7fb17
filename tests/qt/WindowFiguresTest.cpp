// The window's figures of a run: the bar's percentage, the time left once the
// upload's pace is known, the slow-adapter line, and a screenshot of them.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "front/WindowFigures.h"

namespace {
const char kSlowText[] = "ttyUSB0 (FTDI FT232R USB UART) holds what it receives for 16 ms: "
                         "the upload will be slow. Its latency timer can be set to 1 ms.";
const char kAdapterPort[] = "ttyUSB0 — FTDI FT232R USB UART (A10K3J2Q)";

class WindowFiguresTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPortSource([] { return std::vector<std::string>{kAdapterPort}; });
        dlg.AddListener(figures);
        window.InitDialog(dlg);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        templateSize = window.size();
    }
    // The bar moves as a run moves it: through the dialog's window.
    void Progress(int64_t nAtMs, int32_t nPos) {
        nNowMs = nAtMs;
        dlg.m_window.SetProgressPos(nPos);
    }
    LineOpening Opening(int32_t nBaud, std::string strSlow) {
        return {"/dev/ttyUSB0", nBaud, "FTDI FT232R USB UART (A10K3J2Q)", std::move(strSlow)};
    }
    QProgressBar* Bar() { return qobject_cast<QProgressBar*>(window.Control(ctl::kProgress)); }

    CQtWindow window;
    CUpgraderDlg dlg{window};
    int64_t nNowMs = 0;
    CWindowFigures figures{window, [this] { return nNowMs; }};
    QSize templateSize;
};

TEST_F(WindowFiguresTest, BarShowsItsPercentage) {
    EXPECT_TRUE(Bar()->isTextVisible());
    dlg.m_window.SetProgressRange(0, 400);
    Progress(0, 100);
    EXPECT_EQ(Bar()->text(), "25%");
    Progress(10, 400);
    EXPECT_EQ(Bar()->text(), "100%");
}

TEST_F(WindowFiguresTest, TimeLeftOnceThePaceIsKnownAndClearedAtRunEnd) {
    figures.OnRunStart({});
    dlg.m_window.SetProgressRange(0, 1000);
    Progress(1000, 0);
    Progress(2000, 100);
    EXPECT_EQ(window.TimeLeftLabel()->text(), ""); // too early to tell
    // 200 of 1000 in 10 s after the first move: 800 more take 40 s.
    Progress(1000 + 10000, 200);
    EXPECT_EQ(window.TimeLeftLabel()->text(), "0:40 left");
    EXPECT_TRUE(window.TimeLeftLabel()->isVisible());
    EXPECT_EQ(window.GetControlText(ctl::kStatus), "Idle"); // the status keeps its own text

    figures.OnRunEnd({});
    EXPECT_EQ(window.TimeLeftLabel()->text(), "");
    // The next image starts its own estimate.
    figures.OnRunStart({});
    Progress(20000, 10);
    EXPECT_EQ(window.TimeLeftLabel()->text(), "");
}

TEST_F(WindowFiguresTest, SlowAdapterLineShowsWithoutABoxAndGoesOnAGoodLine) {
    figures.OnRunStart({});
    figures.OnLineOpened(Opening(9600, kSlowText));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QLabel* pLine = window.SlowAdapterLine();
    EXPECT_TRUE(pLine->isVisible());
    EXPECT_EQ(pLine->text(), kSlowText);
    EXPECT_TRUE(pLine->wordWrap());
    // The window grows a row for it; the template's controls stay where they are.
    EXPECT_GT(window.height(), templateSize.height());
    EXPECT_TRUE(window.rect().contains(pLine->geometry()));
    EXPECT_GE(pLine->geometry().top(), window.Control(ctl::kProgress)->geometry().bottom());
    EXPECT_GE(pLine->height(), pLine->heightForWidth(pLine->width()));

    // The line opens again at the upload rate within the run: the line stays.
    figures.OnLineOpened(Opening(115200, ""));
    EXPECT_TRUE(pLine->isVisible());
    figures.OnRunEnd({});
    EXPECT_TRUE(pLine->isVisible());

    // The next run starts on a good adapter.
    figures.OnRunStart({});
    figures.OnLineOpened(Opening(9600, ""));
    EXPECT_FALSE(pLine->isVisible());
    EXPECT_EQ(window.size(), templateSize);
}

TEST_F(WindowFiguresTest, WritesAScreenshotMidUpload) {
    auto* pPorts = qobject_cast<QComboBox*>(window.Control(ctl::kComList));
    pPorts->setCurrentIndex(pPorts->findText(kAdapterPort));
    ASSERT_EQ(window.GetControlText(ctl::kComList), kAdapterPort);
    figures.OnRunStart({});
    figures.OnLineOpened(Opening(9600, kSlowText));
    dlg.SetStatus("Uploading 137 of 371 kilobytes");
    window.EnableControl(ctl::kUpgrade, false);
    dlg.EnableModuleRadios(false);
    dlg.m_window.SetProgressRange(0, 1000);
    Progress(0, 0);
    Progress(1000, 10);
    Progress(60000, 370);
    EXPECT_EQ(Bar()->text(), "37%");
    EXPECT_FALSE(window.TimeLeftLabel()->text().isEmpty());
    ASSERT_TRUE(window.SlowAdapterLine()->isVisible());

    const QPixmap shot = window.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), window.size());
    EXPECT_TRUE(shot.save(KTR84_PROGRESS_SCREENSHOT, "PNG"));
}
} // namespace
