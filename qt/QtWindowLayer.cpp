// The controls' side of the window layer: texts, lists, checks, enable
// states, the progress bar, message boxes and the password prompt.
#include "qt/QtWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QRadioButton>

#include "qt/DebugCategory.h"
#include "qt/PasswordDlg.h"

namespace {
// Items of the details text are separated by a lone carriage return; the
// control shows each on a line of its own.
QString DisplayText(const std::string& strText) {
    return QString::fromStdString(strText).replace('\r', '\n');
}
} // namespace

std::string CQtWindow::GetControlText(int nId) {
    QWidget* pWidget = Control(nId);
    if (auto* pList = qobject_cast<QComboBox*>(pWidget))
        return pList->currentText().toStdString();
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
        auto it = m_rawTexts.find(nId);
        return it != m_rawTexts.end() ? it->second : pLabel->text().toStdString();
    }
    if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
        return pButton->text().toStdString();
    return {};
}

void CQtWindow::SetControlText(int nId, const std::string& strText) {
    QWidget* pWidget = Control(nId);
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
        m_rawTexts[nId] = strText;
        pLabel->setText(DisplayText(strText));
    } else if (auto* pList = qobject_cast<QComboBox*>(pWidget)) {
        const int nIndex = pList->findText(QString::fromStdString(strText));
        if (nIndex >= 0)
            pList->setCurrentIndex(nIndex);
    } else if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
        pButton->setText(QString::fromStdString(strText));
    }
}

int CQtWindow::GetListCount(int nId) {
    auto* pList = qobject_cast<QComboBox*>(Control(nId));
    return pList ? pList->count() : 0;
}

std::string CQtWindow::GetListEntry(int nId, int nIndex) {
    auto* pList = qobject_cast<QComboBox*>(Control(nId));
    return pList ? pList->itemText(nIndex).toStdString() : std::string();
}

void CQtWindow::DeleteListEntry(int nId, int nIndex) {
    if (auto* pList = qobject_cast<QComboBox*>(Control(nId)))
        pList->removeItem(nIndex);
}

void CQtWindow::AddListEntry(int nId, const std::string& strText) {
    auto* pList = qobject_cast<QComboBox*>(Control(nId));
    if (!pList)
        return;
    // A drop-down list selects nothing until told to, whatever Qt would pick.
    const int nSelected = pList->count() == 0 ? -1 : pList->currentIndex();
    pList->addItem(QString::fromStdString(strText));
    pList->setCurrentIndex(nSelected);
}

int CQtWindow::GetListSelection(int nId) {
    auto* pList = qobject_cast<QComboBox*>(Control(nId));
    return pList ? pList->currentIndex() : -1;
}

void CQtWindow::SetListSelection(int nId, int nIndex) {
    auto* pList = qobject_cast<QComboBox*>(Control(nId));
    if (pList)
        pList->setCurrentIndex(nIndex >= 0 && nIndex < pList->count() ? nIndex : -1);
}

bool CQtWindow::IsChecked(int nId) {
    auto* pButton = qobject_cast<QAbstractButton*>(Control(nId));
    return pButton && pButton->isChecked();
}

void CQtWindow::SetChecked(int nId, bool bChecked) {
    auto* pButton = qobject_cast<QAbstractButton*>(Control(nId));
    if (!pButton)
        return;
    // Qt refuses to uncheck the checked button of an exclusive group.
    const bool bExclusive = pButton->autoExclusive();
    if (!bChecked && bExclusive)
        pButton->setAutoExclusive(false);
    pButton->setChecked(bChecked);
    pButton->setAutoExclusive(bExclusive);
}

bool CQtWindow::IsEnabled(int nId) {
    QWidget* pWidget = Control(nId);
    return pWidget && pWidget->isEnabled();
}

void CQtWindow::EnableControl(int nId, bool bEnable) {
    if (QWidget* pWidget = Control(nId))
        pWidget->setEnabled(bEnable);
}

void CQtWindow::SetProgressRange(int32_t nLower, int32_t nUpper) {
    if (auto* pBar = qobject_cast<QProgressBar*>(Control(ctl::kProgress)))
        pBar->setRange(nLower, nUpper);
}

void CQtWindow::SetProgressPos(int32_t nPos) {
    if (auto* pBar = qobject_cast<QProgressBar*>(Control(ctl::kProgress)))
        pBar->setValue(nPos);
}

// A QProgressBar has no step, and no run ever steps the bar: nothing to keep.
void CQtWindow::SetProgressStep(int32_t) {}

int CQtWindow::MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                          MsgButtons buttons) {
    const QMessageBox::Icon qIcon = icon == MsgIcon::Stop          ? QMessageBox::Critical
                                    : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                                   : QMessageBox::NoIcon;
    const QString strTitle =
        QString::fromStdString(strCaption.empty() ? std::string(ApplicationCaption()) : strCaption);
    QMessageBox box(qIcon, strTitle, QString::fromStdString(strText),
                    buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                    : QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == MsgButtons::OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}

int CQtWindow::PasswordPrompt(const std::string& strDefault, std::string& strEntered) {
    CPasswordDlg prompt(strDefault, this);
    const int nResult = prompt.DoModal();
    if (nResult == IDOK)
        strEntered = prompt.m_strPassword;
    return nResult;
}

int64_t CQtWindow::NowMs() {
    return m_clock.elapsed();
}

void CQtWindow::DebugOutput(std::string_view text) {
    DebugTrace(text);
}
