#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

// The modal password prompt: a masked field holding the default password.
// DoModal gives IDOK (OK or Enter) with the field's text in m_strPassword, or
// IDCANCEL (Escape or the close box) leaving m_strPassword at the default.
class CPasswordDlg : public QDialog {
public:
    explicit CPasswordDlg(const std::string& strDefault, QWidget* pParent = nullptr);

    int DoModal();
    QLineEdit* Field() const { return m_pField; }
    QPushButton* OkButton() const { return m_pOk; }

    std::string m_strPassword; // control 1045

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    QLineEdit* m_pField;
    QPushButton* m_pOk;
};
