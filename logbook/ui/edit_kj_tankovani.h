#pragma once

#include "logbook/tankovani.h"
#include "records/ui/editorzaznamu.h"

class QLineEdit;
class TKTComboBox;
class TKTEDITDC;

// The editor of one fuel purchase. One instance per process; closing hides
// it. WM_EDIT_FUEL_PURCHASE opens a purchase with OtevriZpravou (0 = a new one).
class Tedit_KJ_TANKOVANI : public TEditorZaznamu
{
    Q_OBJECT

public:
    explicit Tedit_KJ_TANKOVANI(QWidget* parent = nullptr);

    TKTComboBox* KTCB_AUTO;
    TKTEDITDC* KTEDITDC_DATUM;
    QLineEdit* Edit_LITRY;
    QLineEdit* Edit_CENA;
    QLineEdit* Edit_TACHOMETR;

private:
    TankovaniPole pole() const;
    PravidloEditoru pravidloAuta(int autoId) const;

    // The list of cars is read again with every record.
    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool) override {}
    // A purchase has no rights of its own: its car's rights decide, as they
    // are when it is saved or deleted (the car may be changed in the window).
    bool smiMenit() override;
    bool smiSmazat() override;
    QString chybaPoli() override;
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;
};
