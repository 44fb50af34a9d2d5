#pragma once

#include "logbook/tankovani.h"

#include "data/zapiszaznam.h"

#include "records/pravazaznamu.h"
#include "records/staveditoru.h"

#include <QWidget>

class QLineEdit;
class QToolButton;
class TKTComboBox;
class TKTEDITDC;

// The editor of one fuel purchase. Its car's rights decide whether it may
// be changed or deleted. One instance per process; closing hides it.
class Tedit_KJ_TANKOVANI : public QWidget
{
    Q_OBJECT

public:
    explicit Tedit_KJ_TANKOVANI(QWidget* parent = nullptr);

    bool OtevriZpravou(int id);
    void Nacti_zaznam(int id);
    enum class Ulozeni { Ulozeno, JenCteni, Odmitnuto };
    Ulozeni Uloz_zaznam();

    int ZaznamID() const { return m_stav.id(); }
    bool Zmeneno() const { return m_stav.zmeneno(); }

    void SB_SAVEClick();
    void SB_deleteClick();

    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SpeedButton1;
    TKTComboBox* KTCB_AUTO;
    TKTEDITDC* KTEDITDC_DATUM;
    QLineEdit* Edit_LITRY;
    QLineEdit* Edit_CENA;
    QLineEdit* Edit_TACHOMETR;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool ulozenoNeboNelze();
    TankovaniPole pole() const;
    // The rule of the car's rights for the purchase.
    PravidloEditoru pravidlo(int autoId) const;

    StavEditoru m_stav;
};
