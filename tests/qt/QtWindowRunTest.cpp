// The Qt window as the procedures use it: message boxes, the password prompt,
// quitting during a run, waits, help.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <unistd.h>

#include "QtTestHelpers.h"
#include "dialog/UpgraderDlg.h"
#include "qt/HelpLauncher.h"
#include "qt/HelpViewer.h"
#include "qt/PasswordDlg.h"
#include "qt/QtWindow.h"

namespace {
class QtWindowRun : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPortSource({});
        window.InitDialog(dlg);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Shows a box, answers it with key, and tells what the box looked like.
    int BoxAnsweredWith(Qt::Key key, const std::string& strCaption, MsgIcon icon,
                        MsgButtons buttons) {
        OnNextModal([this, key](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            ASSERT_NE(pBox, nullptr);
            shownTitle = pBox->windowTitle();
            shownIcon = pBox->icon();
            shownButtons = pBox->buttons().size();
            QTest::keyClick(pBox, key);
        });
        return window.MessageBox("Connection not Established", strCaption, icon, buttons);
    }

    CQtWindow window;
    CUpgraderDlg dlg{window};
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    qsizetype shownButtons = 0;
};

TEST_F(QtWindowRun, MessageBoxesCaptionsIconsAndResults) {
    // Without a caption of its own a box carries the executable's name.
    EXPECT_EQ(BoxAnsweredWith(Qt::Key_Return, "", MsgIcon::Stop, MsgButtons::Ok), IDOK);
    EXPECT_EQ(shownTitle, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    EXPECT_EQ(shownTitle, ApplicationCaption());
    EXPECT_EQ(shownIcon, QMessageBox::Critical);
    EXPECT_EQ(shownButtons, 1);

    EXPECT_EQ(
        BoxAnsweredWith(Qt::Key_Escape, "Upgrade", MsgIcon::Exclamation, MsgButtons::OkCancel),
        IDCANCEL);
    EXPECT_EQ(shownTitle, "Upgrade");
    EXPECT_EQ(shownIcon, QMessageBox::Warning);
    EXPECT_EQ(shownButtons, 2);

    EXPECT_EQ(BoxAnsweredWith(Qt::Key_Return, "", MsgIcon::Exclamation, MsgButtons::OkCancel),
              IDOK);
    // Escape on a box with OK alone is OK.
    EXPECT_EQ(BoxAnsweredWith(Qt::Key_Escape, "", MsgIcon::None, MsgButtons::Ok), IDOK);
    EXPECT_EQ(shownIcon, QMessageBox::NoIcon);
}

TEST_F(QtWindowRun, PasswordPromptThroughTheWindow) {
    std::string strEntered = "unchanged";
    OnNextModal([](QWidget* pModal) {
        auto* pPrompt = dynamic_cast<CPasswordDlg*>(pModal);
        ASSERT_NE(pPrompt, nullptr);
        pPrompt->Field()->clear();
        QTest::keyClicks(pPrompt->Field(), "secret");
        QTest::keyClick(pPrompt->Field(), Qt::Key_Return);
    });
    EXPECT_EQ(window.PasswordPrompt("8484", strEntered), IDOK);
    EXPECT_EQ(strEntered, "secret");

    OnNextModal([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Escape); });
    EXPECT_EQ(window.PasswordPrompt("8484", strEntered), IDCANCEL);
    EXPECT_EQ(strEntered, "secret"); // left alone
}

TEST_F(QtWindowRun, QuitWhenIdleReadsBackAndEndsWithOne) {
    int nResult = -1;
    QObject::connect(&window, &QDialog::finished, [&](int n) { nResult = n; });
    window.SetControlText(ctl::kStatus, "Upload Complete!");
    QTest::mouseClick(window.Control(ctl::kOk), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(dlg.m_strStatus, "Upload Complete!");
}

TEST_F(QtWindowRun, EscapeWhenIdleEndsWithTwo) {
    int nResult = -1;
    QObject::connect(&window, &QDialog::finished, [&](int n) { nResult = n; });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(nResult, IDCANCEL);
}

TEST_F(QtWindowRun, CloseDuringARunAsksAndEndsAfterTheRun) {
    dlg.m_bRunning = true; // as inside OnUpgrade
    OnNextModal([](QWidget* pBox) { QTest::keyClick(pBox, Qt::Key_Escape); });
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(dlg.m_bQuitRequested);
    EXPECT_TRUE(dlg.PumpMessages());

    OnNextModal([](QWidget* pBox) { QTest::keyClick(pBox, Qt::Key_Return); });
    window.close();
    EXPECT_TRUE(window.isVisible()); // the run stops after its pass first
    EXPECT_TRUE(dlg.m_bQuitRequested);
    EXPECT_FALSE(dlg.PumpMessages());

    // The run returns; OnUpgrade posts the quit and the window ends.
    dlg.m_bRunning = false;
    window.PostQuit();
    EXPECT_FALSE(window.PumpMessages());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(QtWindowRun, WaitForInputEndsWhenInputArrives) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_FALSE(window.WaitForInput(fds[0], 30));
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    EXPECT_TRUE(window.WaitForInput(fds[0], 60000)); // would hang the test if it missed it
    EXPECT_FALSE(window.WaitForInput(-1, 20));
    close(fds[0]);
    close(fds[1]);
}

TEST_F(QtWindowRun, HelpInTheDesktopsViewerOrTheToolsOwnWindow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QList<QUrl> opened;
    bool bViewerWorks = true;
    window.SetHelpAsRoot(false);
    window.SetHelpLauncher(dir.path(), [&](const QUrl& url) {
        opened << url;
        return bViewerWorks;
    });
    auto pressHelp = [&] {
        QString strBox;
        QPointer<QTimer> watcher = OnNextModal([&](QWidget* pModal) {
            strBox = qobject_cast<QMessageBox*>(pModal)->text();
            QTest::keyClick(pModal, Qt::Key_Return);
        });
        QTest::mouseClick(window.Control(ctl::kHelp), Qt::LeftButton);
        delete watcher; // no box came
        return strBox;
    };

    // No page anywhere near (the installed folder is an empty one of the
    // build's): the one case for the box.
    ASSERT_EQ(FindHelpPage(dir.path()), "")
        << HelpPageCandidates(dir.path()).join(" ").toStdString();
    EXPECT_EQ(pressHelp(), "Failed to launch help.");
    EXPECT_EQ(window.HelpViewer(), nullptr);

    QFile page(QDir(dir.path()).filePath("help.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>Upgrading a module</h1></body></html>");
    page.close();
    const QUrl pageUrl = QUrl::fromLocalFile(page.fileName());
    EXPECT_EQ(pressHelp(), "");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.back(), pageUrl);
    EXPECT_EQ(window.HelpViewer(), nullptr); // the desktop's viewer has it

    // The desktop's viewer cannot be started: the tool's own window shows the page.
    bViewerWorks = false;
    EXPECT_EQ(pressHelp(), "");
    EXPECT_EQ(opened.size(), 2);
    CHelpViewer* pViewer = window.HelpViewer();
    ASSERT_NE(pViewer, nullptr);
    EXPECT_TRUE(pViewer->isVisible());
    EXPECT_FALSE(pViewer->isModal());
    EXPECT_EQ(pViewer->Browser()->source(), pageUrl);
    EXPECT_TRUE(pViewer->Browser()->toPlainText().contains("Upgrading a module"));
    pViewer->close();

    // As root the desktop's viewer is not asked at all; the same window comes back.
    bViewerWorks = true;
    window.SetHelpAsRoot(true);
    EXPECT_EQ(pressHelp(), "");
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(window.HelpViewer(), pViewer);
    EXPECT_TRUE(pViewer->isVisible());
    EXPECT_EQ(pViewer->Browser()->source(), pageUrl);
}
} // namespace
