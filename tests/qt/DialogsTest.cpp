// The password prompt and the About box, and the context menu that opens it.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "StateHome.h"
#include "dialog/UpgraderDlg.h"
#include "qt/AboutDlg.h"
#include "qt/PasswordDlg.h"
#include "qt/QtWindow.h"

namespace {
// Runs the prompt with the default password and acts on it once shown.
int RunPrompt(CPasswordDlg& prompt, std::function<void(CPasswordDlg&)> fnAct) {
    OnNextModal([&prompt, fnAct](QWidget*) { fnAct(prompt); });
    return prompt.DoModal();
}

TEST(PasswordPrompt, MaskedFieldWithTheDefaultAndFocus) {
    CPasswordDlg prompt(kDefaultPassword);
    EXPECT_EQ(prompt.windowTitle(), "Password");
    EXPECT_EQ(prompt.Field()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(prompt.Field()->text(), kDefaultPassword);
    EXPECT_FALSE(prompt.OkButton()->isDefault());
    bool bFocused = false;
    RunPrompt(prompt, [&](CPasswordDlg& p) {
        bFocused = p.focusWidget() == p.Field();
        QTest::keyClick(p.Field(), Qt::Key_Escape);
    });
    EXPECT_TRUE(bFocused);
}

TEST(PasswordPrompt, EnterWithoutTypingGivesOneAndTheDefault) {
    CPasswordDlg prompt("8484");
    EXPECT_EQ(RunPrompt(prompt, [](CPasswordDlg& p) { QTest::keyClick(p.Field(), Qt::Key_Enter); }),
              IDOK);
    EXPECT_EQ(prompt.m_strPassword, "8484");
}

TEST(PasswordPrompt, TypedTextThroughOkOrReturn) {
    CPasswordDlg prompt("8484");
    EXPECT_EQ(RunPrompt(prompt,
                        [](CPasswordDlg& p) {
                            // The default is selected: typing replaces it.
                            QTest::keyClicks(p.Field(), "field99");
                            QTest::keyClick(p.Field(), Qt::Key_Return);
                        }),
              IDOK);
    EXPECT_EQ(prompt.m_strPassword, "field99");

    CPasswordDlg second("8484");
    EXPECT_EQ(RunPrompt(second,
                        [](CPasswordDlg& p) {
                            p.Field()->setText("x1");
                            QTest::mouseClick(p.OkButton(), Qt::LeftButton);
                        }),
              IDOK);
    EXPECT_EQ(second.m_strPassword, "x1");
}

TEST(PasswordPrompt, EscapeAndCloseGiveTwoAndKeepTheDefault) {
    CPasswordDlg prompt("8484");
    EXPECT_EQ(RunPrompt(prompt,
                        [](CPasswordDlg& p) {
                            QTest::keyClicks(p.Field(), "typed");
                            QTest::keyClick(p.Field(), Qt::Key_Escape);
                        }),
              IDCANCEL);
    EXPECT_EQ(prompt.m_strPassword, "8484");

    CPasswordDlg closed("8484");
    EXPECT_EQ(RunPrompt(closed,
                        [](CPasswordDlg& p) {
                            QTest::keyClicks(p.Field(), "typed");
                            p.close();
                        }),
              IDCANCEL);
    EXPECT_EQ(closed.m_strPassword, "8484");
}

TEST(AboutBox, ShowsTransceiverAndIpLinesButNotTheController) {
    CAboutDlg about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.windowTitle(), "About ZEK upgrader");
    ASSERT_NE(about.PackageLine("KTR-84 Upgrader Version 3.11"), nullptr);
    for (const char* pszLine : {"Transceiver Release 4.74", "IP Controller Release 4.3"}) {
        ASSERT_NE(about.PackageLine(pszLine), nullptr) << pszLine;
        EXPECT_TRUE(about.PackageLine(pszLine)->isVisible()) << pszLine;
    }
    ASSERT_NE(about.PackageLine("Controller Release 3.10"), nullptr);
    EXPECT_FALSE(about.PackageLine("Controller Release 3.10")->isVisible());
    auto groups = about.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0]->title(), "Contents of this Package");
    auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutBox, OpensFromTheWindowsContextMenu) {
    CQtWindow window;
    CUpgraderDlg dlg(window);
    window.SetPortSource({});
    window.InitDialog(dlg);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QMenu* pMenu = window.CreateContextMenu();
    ASSERT_EQ(pMenu->actions().size(), 2);
    QAction* pAbout = pMenu->actions()[0];
    EXPECT_EQ(pAbout->text(), "&About KTR-84 upgrader...");
    QString strShown;
    OnNextModal([&](QWidget* pModal) {
        strShown = pModal->windowTitle();
        QTest::keyClick(pModal, Qt::Key_Escape);
    });
    pAbout->trigger();
    EXPECT_EQ(strShown, "About ZEK upgrader");
    EXPECT_TRUE(window.isVisible()); // the About box's Escape is its own
    delete pMenu;
}

TEST(RunRecords, OpenFromTheContextMenuBesideAboutCreatingTheFolder) {
    CStateHome home;
    CQtWindow window;
    CUpgraderDlg dlg(window);
    window.SetPortSource({});
    window.InitDialog(dlg);
    QList<QUrl> opened;
    window.SetFolderOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });

    QMenu* pMenu = window.CreateContextMenu();
    ASSERT_EQ(pMenu->actions().size(), 2);
    EXPECT_EQ(pMenu->actions()[0]->text(), "&About KTR-84 upgrader...");
    QAction* pRecords = pMenu->actions()[1];
    EXPECT_EQ(pRecords->text(), "Open run records");
    ASSERT_FALSE(std::filesystem::exists(home.Records()));
    pRecords->trigger();
    EXPECT_TRUE(std::filesystem::is_directory(home.Records()));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(home.Records().string())));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    delete pMenu;
}
} // namespace
