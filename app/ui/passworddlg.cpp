#include "app/ui/passworddlg.h"

#include "common/action.h"
#include "common/ktwinsys.h"
#include "common/session.h"
#include "data/sqldata.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TPasswordDlg::TPasswordDlg(QWidget* parent) : TPasswordDlg(JmenoUzivatele(), parent) {}

TPasswordDlg::TPasswordDlg(const QString& jmenoSystemu, QWidget* parent)
    : QDialog(parent), m_jmenoSystemu(jmenoSystemu)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(QStringLiteral("Orvan - Přihlášení"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    Edit_JMENO = new QLineEdit(this);
    Edit_JMENO->setObjectName(QStringLiteral("Edit_JMENO"));
    EDIT_Password = new QLineEdit(this);
    EDIT_Password->setObjectName(QStringLiteral("EDIT_Password"));
    EDIT_Password->setEchoMode(QLineEdit::Password);
    // The style's mask character differs per platform; the password shows as "*".
    EDIT_Password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    Label_JMENO = new QLabel(QStringLiteral("Login"), this);
    Label_JMENO->setObjectName(QStringLiteral("Label_JMENO"));
    Label_JMENO->setBuddy(Edit_JMENO);
    Label_Password = new QLabel(QStringLiteral("Heslo"), this);
    Label_Password->setObjectName(QStringLiteral("Label_Password"));
    Label_Password->setBuddy(EDIT_Password);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    // Escape rejects through QDialog as well.
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(Label_JMENO, 0, 0);
    fields->addWidget(Edit_JMENO, 0, 1);
    fields->addWidget(Label_Password, 1, 0);
    fields->addWidget(EDIT_Password, 1, 1);
    fields->setColumnMinimumWidth(1, 180);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(Edit_JMENO, EDIT_Password);
    setTabOrder(EDIT_Password, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

int TPasswordDlg::AutomatickePrihlaseni()
{
    login::Odpoved odpoved = login::Odpoved::Nic;
    const bool ok = runAction([&] {
        odpoved = login::AutomatickePrihlaseni(SQLDATA(), session().LoginRezim, m_jmenoSystemu, session());
    });
    if (!ok) return int(login::Odpoved::Nic);
    if (odpoved != login::Odpoved::Nic) Edit_JMENO->setText(m_jmenoSystemu);
    return int(odpoved);
}

void TPasswordDlg::OKBtnClick()
{
    bool prihlasen = false;
    runAction([&] {
        prihlasen =
            login::PrihlaseniDialogem(SQLDATA(), Edit_JMENO->text(), EDIT_Password->text(), session());
    });
    // No second attempt: the dialog closes either way.
    done(prihlasen ? QDialog::Accepted : QDialog::Rejected);
}

void TPasswordDlg::showEvent(QShowEvent* event)
{
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    // The name is usually right; the password is what is left to type.
    if (Edit_JMENO->text().isEmpty())
        Edit_JMENO->setFocus();
    else
        EDIT_Password->setFocus();
    QDialog::showEvent(event);
}
