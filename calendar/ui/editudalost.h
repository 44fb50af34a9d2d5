#pragma once

#include "records/udalost.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>
#include <cstdint>

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
struct PolozkaSouboru;

// The editor of one calendar event (a row of KU with its category links,
// rights and note). One instance per process, created by the main window on
// first use; closing hides it.
class Teditudalost : public QWidget
{
    Q_OBJECT

public:
    explicit Teditudalost(QWidget* parent = nullptr);

    // ---- For the main window --------------------------------------------
    // These open another record; when the shown one has unsaved changes they
    // ask "Chcete data uložit ?" first and return false, with the shown record
    // kept, when its save was refused.
    // WM_EDIT_EVENT: lParam -11 edits the event wParam (0 = a new, empty
    // event); -12 a new event on the date key wParam; any other lParam a new
    // event on the date key wParam starting at the time key lParam.
    bool OtevriZpravou(std::intptr_t wParam, std::intptr_t lParam);
    // A new event without a date (the page bar).
    bool NovaUdalost();
    // The import command: asks for an item file; empty when cancelled.
    static QString VyberSouborImportu(QWidget* parent);
    // A new event filled from an item file.
    bool ImportujSoubor(const QString& soubor);

    // Fills the window for the stored event id, or for a new event (id 0)
    // on the date text at the time text, filled from the item file when one
    // is named.
    void Nacti_zaznam(int id, const QString& datum, const QString& soubor, const QString& cas);

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
    void ChB_CELY_DENClick();
    void ChB_ALARMClick();
    void ComboBox_ALARM_TYP_AKCEChange();
    void SB_ALARM_AKCEClick();
    void SB_RUNClick();
    void SB_SAVE_ORVANClick();

    // ---- Controls ---------------------------------------------------------
    QToolButton* SB_SAVE;
    QToolButton* SB_delete;
    QToolButton* SpeedButton1;
    QToolButton* SB_SAVE_ORVAN;
    QGroupBox* GroupBox_DATUM;
    TKTEDITDC* KTEDITDC_DATUM;
    QCheckBox* ChB_CELY_DEN;
    TKTEDITDC* KTEDITDC_CAS_OD;
    TKTEDITDC* KTEDITDC_CAS_DO;
    QGroupBox* GroupBox_UDALOST;
    QLineEdit* Edit_NAZEV;
    QGroupBox* GroupBox_ALARM;
    QCheckBox* ChB_ALARM;
    TKTEDITDC* KTEDITDC_ALARM_DATUM;
    TKTEDITDC* KTEDITDC_ALARM_CAS;
    QComboBox* ComboBox_ALARM_TYP_AKCE;
    QLineEdit* Edit_ALARM_AKCE;
    QToolButton* SB_RUN;
    QToolButton* SB_ALARM_AKCE;
    QGroupBox* GroupBox_PRAVA;
    TFrame_Prava* Frame_Prava1;
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
    bool opustZobrazeny();
    bool ulozenoNeboNelze();

    UdalostPole pole() const;
    PolozkaSouboru polozka() const;
    void nactiZeSouboru(const QString& soubor);
    void povolDleJenCteni();
    void povolCasy();
    void povolAlarm();
    void nastavTypAkce(int typ);

    TSkupinaAlarmu* m_alarm = nullptr;
    StavEditoru m_stav;
    bool m_jenCteni = false;
    bool m_smiSmazat = true;
};
