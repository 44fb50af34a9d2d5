#pragma once

#include "records/opakovani.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class TKTEDITDC;

// The "Opakování" group of the event and task editors: how often (Neopakuje
// se, Denně, Týdně with its days, Měsíčně, Ročně), every how many, the end,
// and the rule's summary in a line. The day of a monthly series follows the
// record's date (`datum`). A rule the group cannot show (from another calendar
// program) is shown by its summary and kept as it is until the user picks
// another repetition.
class TSkupinaOpakovani : public QGroupBox
{
    Q_OBJECT

public:
    TSkupinaOpakovani(QWidget* parent, TKTEDITDC* datum);

    QComboBox* ComboBox_OPAKOVANI;
    QSpinBox* SpinBox_KAZDYCH;
    QLabel* Label_JEDNOTKA;
    QCheckBox* ChB_DNY[7]; // Monday .. Sunday
    QComboBox* ComboBox_MESICNE;
    QComboBox* ComboBox_KONEC;
    TKTEDITDC* KTEDITDC_KONEC;
    QSpinBox* SpinBox_POCET;
    QLabel* Label_POPIS;

    // The stored rule into the group (empty: a single record).
    void nacti(const QString& pravidlo);
    // The rule to store: the one read while the group was left alone and the
    // date kept, else the group's. Empty for a single record.
    QString pravidlo() const;
    // Why the group's settings cannot be stored; empty when they can.
    QString chyba() const;
    bool opakujeSe() const { return !pravidlo().isEmpty(); }

signals:
    // Any change the user makes (for the editor's "modified" state).
    void zmeneno();

private:
    opakovani::Nastaveni nastaveni() const;
    void zobraz(const opakovani::Nastaveni& n);
    void povol();
    void obnovPopis();
    // The monthly choices name the record's day and week.
    void popisMesicne();
    QDate datum() const;

    TKTEDITDC* m_datum;
    QString m_precteno;    // the rule as read
    QDate m_datumPrecteni; // the record's date when it was read
    bool m_jine = false;   // the rule read is one the group cannot show
    bool m_nacitani = false;
    QList<QLabel*> m_popiskyOpakovani; // "každých", "Konec"
};
