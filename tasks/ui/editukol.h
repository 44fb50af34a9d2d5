#pragma once

#include "tasks/ukol.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSplitter;
class QToolButton;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;
class TFrame_Richedit;
class TKTEDITDC;
class TSkupinaAlarmu;

// The editor of one task (a row of UKOLY with its category links, rights and
// note). One instance per process, created by the main window on first use;
// closing hides it.
class Teditukol : public QWidget
{
    Q_OBJECT

public:
    explicit Teditukol(QWidget* parent = nullptr);

    // WM_EDIT_TASK: the task id, 0 for a new one. When the shown task has
    // unsaved changes, asks "Chcete data uložit ?" first and returns false,
    // with the shown task kept, when its save was refused.
    bool OtevriZpravou(int id);

    // Fills the window for the stored task id, or for a new task (id 0).
    void Nacti_zaznam(int id);

    enum class Ulozeni {
        Ulozeno,    // written
        JenCteni,   // read-only record: the message was shown, nothing written
        ChybiDatum, // refused before writing: a date or time is missing or malformed
        Odmitnuto,  // the server refused the statements; the input stays
    };
    // Shows what went wrong itself; the window keeps the input unless saved.
    Ulozeni Uloz_zaznam();

    int ZaznamID() const { return m_stav.id(); }
    bool JenCteni() const { return m_jenCteni; }
    bool Zmeneno() const { return m_stav.zmeneno(); }

    // ---- Handlers ---------------------------------------------------------
    void SB_SAVEClick();
    void SB_deleteClick();
    void SpeedButton1Click();
    void ZAZNAM_Change();
    void ChB_ALARMClick();
    void ComboBox_ALARM_TYP_AKCEChange();
    void SB_ALARM_AKCEClick();
    void SB_RUNClick();

    // ---- Controls ---------------------------------------------------------
    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SpeedButton1;
    QGroupBox* GroupBox_DATUM;
    QCheckBox* ChB_AKTIVNI;
    TKTEDITDC* KTEDITDC_DATUM;
    TKTEDITDC* KTEDITDC_CAS_DO;
    QGroupBox* GroupBox_PRAVA;
    TFrame_Prava* Frame_Prava1;
    QGroupBox* GroupBox_UKOL;
    QLineEdit* Edit_NAZEV;
    QGroupBox* GroupBox_ALARM;
    QCheckBox* ChB_ALARM;
    TKTEDITDC* KTEDITDC_ALARM_DATUM;
    TKTEDITDC* KTEDITDC_ALARM_CAS;
    QComboBox* ComboBox_ALARM_TYP_AKCE;
    QLineEdit* Edit_ALARM_AKCE;
    QToolButton* SB_RUN;
    QToolButton* SB_ALARM_AKCE;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC1;
    QSplitter* Splitter1;
    TFrame_Richedit* Frame_Richedit1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* sestavListu();
    QWidget* sestavHorniCast();
    void sestavDatum(QWidget* rodic);
    void sestavAlarm(QWidget* rodic);
    void propoj();
    bool ulozenoNeboNelze();

    UkolPole pole() const;
    void povolDleJenCteni();
    void povolAlarm();
    void nastavTypAkce(int typ);

    TSkupinaAlarmu* m_alarm = nullptr;
    StavEditoru m_stav;
    bool m_jenCteni = false;
    bool m_smiSmazat = true;
};
