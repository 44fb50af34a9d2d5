#pragma once

#include "users/ui/editorspravy.h"
#include "users/uzivatele.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

// The editor of one user (a row of UZIVATEL) and the groups the user belongs
// to. One instance per process, created by the main window on first use;
// closing hides it. WM_EDIT_USER opens a user with OtevriZpravou (0 = a new
// one). The password is never shown, only a new one typed.
class Tedit_UZIVATEL : public TEditorSpravy
{
    Q_OBJECT

public:
    explicit Tedit_UZIVATEL(QWidget* parent = nullptr);

    QGroupBox* GroupBox_UZIVATEL;
    QLineEdit* Edit_LOGIN;
    QLineEdit* Edit_POPIS;
    QCheckBox* ChB_ADMINISTRATOR;
    QLineEdit* Edit_HESLO;
    QCheckBox* ChB_PRAVO_PRIHLASENI;
    QGroupBox* GroupBox_SKUPINY;
    TFrameCheckBox* FrameCheckBox1;

private:
    UzivatelPole pole() const;

    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
    QString chybaSmazani() override;
    // The password field never keeps what was typed.
    void poUlozeni() override;
};
