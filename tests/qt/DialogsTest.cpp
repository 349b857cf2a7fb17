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

// Each way the operator ends the prompt, after typing or not: Enter or Return
// (typing replaces the selected default) and OK give 1 and the text; Escape
// and the close box give 2 and keep the default, whatever was typed.
TEST(PasswordPrompt, AnswersAndWhatTheyGive) {
    auto press = [](Qt::Key key) {
        return [key](CPasswordDlg& p) { QTest::keyClick(p.Field(), key); };
    };
    struct {
        const char* pszTyped;
        std::function<void(CPasswordDlg&)> end;
        int nResult;
        std::string strPassword;
    } const cases[] = {
        {"", press(Qt::Key_Enter), IDOK, "8484"},
        {"field99", press(Qt::Key_Return), IDOK, "field99"},
        {"",
         [](CPasswordDlg& p) {
             p.Field()->setText("x1");
             QTest::mouseClick(p.OkButton(), Qt::LeftButton);
         },
         IDOK, "x1"},
        {"typed", press(Qt::Key_Escape), IDCANCEL, "8484"},
        {"typed", [](CPasswordDlg& p) { p.close(); }, IDCANCEL, "8484"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strPassword + " " + std::to_string(c.nResult));
        CPasswordDlg prompt("8484");
        EXPECT_EQ(RunPrompt(prompt,
                            [&c](CPasswordDlg& p) {
                                QTest::keyClicks(p.Field(), c.pszTyped);
                                c.end(p);
                            }),
                  c.nResult);
        EXPECT_EQ(prompt.m_strPassword, c.strPassword);
    }
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
