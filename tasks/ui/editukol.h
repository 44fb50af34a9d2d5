#pragma once

#include "records/ui/editorzaznamu.h"
#include "tasks/ukol.h"

class QCheckBox;
class TSkupinaOpakovani;
class QGroupBox;
class QLineEdit;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;
class TFrame_Richedit;
class TKTEDITDC;
class TSkupinaAlarmu;

// The editor of one task (a row of UKOLY with its category links, rights and
// note). One instance per process, created by the main window on first use;
// closing hides it. The main window opens a task with OtevriZpravou
// (WM_EDIT_TASK: the task id, 0 for a new one).
class Teditukol : public TEditorZaznamu
{
    Q_OBJECT

public:
    explicit Teditukol(QWidget* parent = nullptr);

    // ---- Controls ---------------------------------------------------------
    QGroupBox* GroupBox_DATUM;
    QCheckBox* ChB_AKTIVNI;
    TKTEDITDC* KTEDITDC_DATUM;
    TKTEDITDC* KTEDITDC_CAS_DO;
    TFrame_Prava* Frame_Prava1;
    QGroupBox* GroupBox_UKOL;
    QLineEdit* Edit_NAZEV;
    TSkupinaAlarmu* GroupBox_ALARM;
    TSkupinaOpakovani* GroupBox_OPAKOVANI;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC1;
    TFrame_Richedit* Frame_Richedit1;

private:
    QWidget* sestavHorniCast();
    UkolPole pole() const;

    // A new task is something to do: active, as the column's default, so its
    // alarm fires without a second tick the user could forget.
    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool jenCteni) override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
};
