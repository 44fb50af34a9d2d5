#pragma once

#include "users/uzivatele.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QToolButton;
class TFrameCheckBox;

// The editor of one user (a row of UZIVATEL) and the groups the user belongs
// to. One instance per process, created by the main window on first use;
// closing hides it. Only an administrator may change anything; the password
// is never shown, only a new one typed.
class Tedit_UZIVATEL : public QWidget
{
    Q_OBJECT

public:
    explicit Tedit_UZIVATEL(QWidget* parent = nullptr);

    // WM_EDIT_USER: the user id, 0 for a new one. Unsaved changes of the shown
    // user are offered for saving first; false when that save was refused.
    bool OtevriZpravou(int id);
    void Nacti_zaznam(int id);

    enum class Ulozeni {
        Ulozeno,
        JenCteni,  // not an administrator: the message was shown, nothing written
        Odmitnuto, // empty or used login, or the last administrator: the input stays
        ChybaServeru,
    };
    Ulozeni Uloz_zaznam();

    int ZaznamID() const { return m_stav.id(); }
    bool JenCteni() const { return m_jenCteni; }
    bool Zmeneno() const { return m_stav.zmeneno(); }

    void SB_SAVEClick();
    void SB_deleteClick();
    void SB_ZnovuNacistClick();

    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SB_ZnovuNacist;
    QGroupBox* GroupBox_UZIVATEL;
    QLineEdit* Edit_LOGIN;
    QLineEdit* Edit_POPIS;
    QCheckBox* ChB_ADMINISTRATOR;
    QLineEdit* Edit_HESLO;
    QCheckBox* ChB_PRAVO_PRIHLASENI;
    QGroupBox* GroupBox_SKUPINY;
    TFrameCheckBox* FrameCheckBox1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    UzivatelPole pole() const;
    bool ulozenoNeboNelze();

    StavEditoru m_stav;
    bool m_jenCteni = false;
};
