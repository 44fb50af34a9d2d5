#pragma once

#include "app/login.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog. Start-up creates it, calls AutomatickePrihlaseni and shows
// it modally only when that answers 2; it closes after OK (whether the login
// succeeded or not) and after Cancel. The outcome is in session().UzivatelID.
class TPasswordDlg : public QDialog
{
    Q_OBJECT
public:
    // The operating-system user comes from JmenoUzivatele().
    explicit TPasswordDlg(QWidget* parent = nullptr);
    // For tests: a given operating-system user name.
    TPasswordDlg(const QString& jmenoSystemu, QWidget* parent = nullptr);

    // 0: a user was logged in; 2: show the dialog; 1: neither (unknown mode).
    // A read failure is shown and answers 1, with nobody logged in.
    int AutomatickePrihlaseni();

    QLabel* Label_JMENO;
    QLabel* Label_Password;
    QLineEdit* Edit_JMENO;
    QLineEdit* EDIT_Password;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OKBtnClick();

    QString m_jmenoSystemu;
};
