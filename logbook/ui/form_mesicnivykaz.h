#pragma once

#include "logbook/mesicnivykaz.h"

#include <QDialog>

class QPushButton;
class QSpinBox;
class TKTComboBox;

// The monthly report for the accountant: the month, the car (or all), then
// the print preview or a CSV file.
class TForm_MesicniVykaz : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_MesicniVykaz(QWidget* parent = nullptr);

    // Fills the car list; the month shown is the previous one.
    void Priprav(int rok, int mesic);
    MesicniVykaz Vykaz() const;
    // Writes the report's CSV to `soubor`; throws ActionError when it cannot.
    void UlozCsv(const QString& soubor) const;

    void NahledClick();
    void CsvClick();

    QSpinBox* SE_ROK;
    QSpinBox* SE_MESIC;
    TKTComboBox* KTCB_AUTO;
    QPushButton* Button_NAHLED;
    QPushButton* Button_CSV;
    QPushButton* Button_ZAVRIT;
};
