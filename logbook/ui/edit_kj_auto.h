#pragma once

#include "logbook/kjauto.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;
class TFrame_Prava;

// The editor of one car of the logbook. One instance per process, created by
// the main window on first use; closing hides it.
class Tedit_KJ_AUTO : public QWidget
{
    Q_OBJECT

public:
    explicit Tedit_KJ_AUTO(QWidget* parent = nullptr);

    // WM_EDIT_CAR: the car id, 0 for a new one. Asks about unsaved changes of
    // the shown car first; false when its save was refused and it stays.
    bool OtevriZpravou(int id);
    void Nacti_zaznam(int id);

    enum class Ulozeni { Ulozeno, JenCteni, Odmitnuto };
    Ulozeni Uloz_zaznam();

    int ZaznamID() const { return m_stav.id(); }
    bool JenCteni() const { return m_jenCteni; }
    bool Zmeneno() const { return m_stav.zmeneno(); }

    void SB_SAVEClick();
    void SB_deleteClick();
    void SpeedButton1Click();
    void ZAZNAM_Change();

    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SpeedButton1;
    QGroupBox* GroupBox_AUTO;
    QLineEdit* Edit_SPZ;
    QLineEdit* Edit_POPIS;
    QComboBox* CB_PALIVO;
    QLineEdit* Edit_SPOTREBA;
    QLineEdit* Edit_TACHOMETR_START;
    QGroupBox* GroupBox_PRAVA;
    TFrame_Prava* Frame_Prava1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool ulozenoNeboNelze();
    AutoPole pole() const;

    StavEditoru m_stav;
    bool m_jenCteni = false;
    bool m_smiSmazat = true;
};
