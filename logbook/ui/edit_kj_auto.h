#pragma once

#include "logbook/kjauto.h"
#include "records/ui/editorzaznamu.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class TFrame_Prava;

// The editor of one car of the logbook. One instance per process, created by
// the main window on first use; closing hides it. WM_EDIT_CAR opens a car
// with OtevriZpravou (0 = a new one).
class Tedit_KJ_AUTO : public TEditorZaznamu
{
    Q_OBJECT

public:
    explicit Tedit_KJ_AUTO(QWidget* parent = nullptr);

    QGroupBox* GroupBox_AUTO;
    QLineEdit* Edit_SPZ;
    QLineEdit* Edit_POPIS;
    QComboBox* CB_PALIVO;
    QLineEdit* Edit_SPOTREBA;
    QLineEdit* Edit_TACHOMETR_START;
    TFrame_Prava* Frame_Prava1;

private:
    AutoPole pole() const;

    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool jenCteni) override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    // A car some ride still names stays; the user is told so.
    VysledekZapisu smaz() override;
};
