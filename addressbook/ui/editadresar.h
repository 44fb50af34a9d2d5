#pragma once

#include "addressbook/adresarspec.h"

#include "data/zapiszaznam.h"
#include "records/staveditoru.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

// The editor of one special address (a row of ADRESAR_SPEC). One instance
// per process; the main window fills it and shows it.
class TEditadresar : public QWidget
{
    Q_OBJECT

public:
    explicit TEditadresar(QWidget* parent = nullptr);

    // WM_EDIT_SPECIAL_ADDRESS: the row's id, 0 for a new one. With unsaved
    // changes shown it asks "Chcete data uložit ?" first; false when their
    // save was refused and the shown row stays.
    bool OtevriZpravou(int id);
    void Nacti_zaznam(int id);
    // Writes the shown row; shows what went wrong itself.
    bool Uloz_zaznam();

    int ZaznamID() const { return m_stav.id(); }
    bool Zmeneno() const { return m_stav.zmeneno(); }
    SpecAdresaPole pole() const;

    // ---- Handlers ---------------------------------------------------------
    void SB_SaveClick();
    void SB_DeleteClick();
    void SB_SendMailClick();

    QToolButton* SB_Save;
    QToolButton* SB_Delete;
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QLineEdit*> texty() const;

    StavEditoru m_stav;
    int m_typMimo = 0; // the stored type, kept when the list cannot show it
};
