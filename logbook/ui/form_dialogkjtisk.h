#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TKTComboBox;
class TKTEDITDC;

// Asks for the car, the date range and two title lines of the logbook print;
// in car-only mode (the per-car ride overview) just for the car.
class TForm_DialogKJTisk : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_DialogKJTisk(QWidget* parent = nullptr);

    // Car only: the dates and titles are hidden and, unlike before, not used.
    void NastavRezim(bool jenAuto);
    bool JenAuto() const { return m_jenAuto; }
    // Fills the car list (the cars the user may read) and shows the dialog
    // modally; true when OK was pressed with a car chosen. With no car the
    // user is told so and the answer is false.
    bool Zeptej();
    bool Potvrzeno() const { return m_potvrzeno; }
    int VybraneAuto() const;
    // The range as the caller should use it: empty in car-only mode.
    QString Od() const;
    QString Do() const;

    TKTComboBox* KTCB_AUTO;
    TKTEDITDC* KTEDITDC_OD;
    TKTEDITDC* KTEDITDC_DO;
    QLineEdit* Edit_Titulek_1;
    QLineEdit* Edit_Titulek_2;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NactiAuta();

    QList<QWidget*> m_rozsah;
    bool m_jenAuto = false;
    bool m_potvrzeno = false;
};
