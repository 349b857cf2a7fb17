#include "qt/PasswordDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt/DialogUnits.h"
#include "window/ControlIds.h"

CPasswordDlg::CPasswordDlg(const std::string& strDefault, QWidget* pParent)
    : QDialog(pParent), m_strPassword(strDefault) {
    setWindowTitle("Password");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const CDialogUnits units(font());
    setFixedSize(units.ToPixels(202, 26));

    // Template order is tab order: the field, then OK.
    m_pField = new QLineEdit(this);
    m_pField->setObjectName("ctl1045");
    m_pField->setGeometry(units.ToPixels(70, 5, 60, 14));
    m_pField->setEchoMode(QLineEdit::Password);
    m_pField->setText(QString::fromStdString(m_strPassword));

    m_pOk = new QPushButton("OK", this);
    m_pOk->setObjectName("ctl1");
    m_pOk->setGeometry(units.ToPixels(140, 5, 50, 14));
    // A plain push button: Enter is handled by the dialog itself.
    m_pOk->setAutoDefault(false);
    m_pOk->setDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pLabel = new QLabel("Enter Password:", this);
    pLabel->setGeometry(units.ToPixels(10, 5, 55, 13));
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_pField->setFocus();
    m_pField->selectAll();
}

void CPasswordDlg::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(pEvent); // Escape rejects
}

int CPasswordDlg::DoModal() {
    if (exec() != QDialog::Accepted)
        return IDCANCEL;
    m_strPassword = m_pField->text().toStdString();
    return IDOK;
}
