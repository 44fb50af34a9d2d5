#pragma once

#include "users/uzivatele.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QToolButton;
class TFrameCheckBox;

// The editor of one user group (a row of UZIVSKUPINA) and its members. One
// instance per process, created by the main window on first use; closing
// hides it. Only an administrator may change anything.
class Tedit_UZIVSKUPINA : public QWidget
{
    Q_OBJECT

public:
    explicit Tedit_UZIVSKUPINA(QWidget* parent = nullptr);

    // WM_EDIT_USER_GROUP: the group id, 0 for a new one. Unsaved changes of the
    // shown group are offered for saving first; false when that save was refused.
    bool OtevriZpravou(int id);
    void Nacti_zaznam(int id);

    enum class Ulozeni {
        Ulozeno,
        JenCteni,  // not an administrator: the message was shown, nothing written
        Odmitnuto, // empty or used name: the input stays
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
    QGroupBox* GroupBox_SKUPINA;
    QLineEdit* Edit_POPIS;
    QGroupBox* GroupBox_UZIVATELE;
    TFrameCheckBox* FrameCheckBox1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SkupinaPole pole() const;
    bool ulozenoNeboNelze();

    StavEditoru m_stav;
    bool m_jenCteni = false;
};
