#pragma once

#include "addressbook/adresarspec.h"
#include "records/ui/editorzaznamu.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// The editor of one special address (a row of ADRESAR_SPEC). One instance
// per process; the main window fills it and shows it (WM_EDIT_SPECIAL_ADDRESS:
// OtevriZpravou with the row's id, 0 for a new one).
class TEditadresar : public TEditorZaznamu
{
    Q_OBJECT

public:
    explicit TEditadresar(QWidget* parent = nullptr);

    SpecAdresaPole pole() const;

    void SB_SendMailClick();

    QComboBox* CB_TYP;
    QLineEdit* Edit_NAZEV;
    QLineEdit* Edit_JMENO;
    QLineEdit* Edit_PRIJMENI;
    QLineEdit* Edit_EMAIL;
    QToolButton* SB_SendMail;
    QLineEdit* Edit_TELEFON1;
    QLineEdit* Edit_TELEFON2;
    QLineEdit* Edit_ULICE;
    QLineEdit* Edit_PSC;
    QLineEdit* Edit_MESTO;
    QLineEdit* Edit_STAT;
    QLineEdit* Edit_POZNAMKA;
    QCheckBox* ChB_ZASILAT_INFORMACE;

private:
    QList<QLineEdit*> texty() const;

    // Special addresses carry no rights: the defaults let everyone change
    // and delete them, after the question.
    void vyprazdni() override;
    bool nactiZaznam(int id) override;
    void zamkniPole(bool) override {}
    VysledekZapisu zapis() override;
    VysledekZapisu smaz() override;

    int m_typMimo = 0; // the stored type, kept when the list cannot show it
};
