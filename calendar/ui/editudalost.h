#pragma once

#include "records/udalost.h"
#include "records/ui/editorzaznamu.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QGroupBox;
class QLineEdit;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;
class TFrame_Richedit;
class TKTEDITDC;
class TSkupinaAlarmu;
class TSkupinaOpakovani;
struct PolozkaSouboru;

// The editor of one calendar event (a row of KU with its category links,
// rights and note). One instance per process, created by the main window on
// first use; closing hides it.
class Teditudalost : public TEditorZaznamu
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
    // The occurrence of the series `id` that starts at `vyskyt` (a click on
    // it in the month or the list): its save and delete ask how far they reach.
    bool OtevriVyskyt(int id, const QDateTime& vyskyt);

    // Fills the window for the stored event id, or for a new event (id 0)
    // on the date text at the time text, filled from the item file when one
    // is named.
    bool Nacti_zaznam(int id, const QString& datum, const QString& soubor, const QString& cas);

    // ---- Handlers ---------------------------------------------------------
    void ChB_CELY_DENClick();
    void SB_SAVE_ORVANClick();

    // ---- Controls ---------------------------------------------------------
    QToolButton* SB_SAVE_ORVAN;
    QGroupBox* GroupBox_DATUM;
    TKTEDITDC* KTEDITDC_DATUM;
    QCheckBox* ChB_CELY_DEN;
    TKTEDITDC* KTEDITDC_CAS_OD;
    TKTEDITDC* KTEDITDC_CAS_DO;
    TKTEDITDC* KTEDITDC_DATUM_DO; // the last day, empty for the start's
    QGroupBox* GroupBox_UDALOST;
    QLineEdit* Edit_NAZEV;
    TSkupinaAlarmu* GroupBox_ALARM;
    TSkupinaOpakovani* GroupBox_OPAKOVANI;
    TFrame_Prava* Frame_Prava1;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC1;
    TFrame_Richedit* Frame_Richedit1;

private:
    // A new event starts on the date and time of the command that opened it.
    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool jenCteni) override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
    // A series goes with every occurrence, or an occurrence asks how far.
    bool smiSmazat() override;
    bool predUlozenim() override;
    // The occurrence opened, when the user edits one of a series.
    bool upravujeVyskyt() const;
    // Asks how far the save or delete of an occurrence reaches; false: back to the editor.
    bool zvolRozsah(const QString& otazka, bool smazani);

    QWidget* sestavHorniCast();
    void sestavDatum(QWidget* rodic);
    UdalostPole pole() const;
    PolozkaSouboru polozka() const;
    void nactiZeSouboru(const QString& soubor);
    void povolCasy();

    QString m_noveDatum, m_novyCas;
    QString m_opakovani; // the rule of the event read
    QDateTime m_vyskyt;  // the occurrence opened; invalid for the row itself
    RozsahZmeny m_rozsah = RozsahZmeny::Vsechny;
};
