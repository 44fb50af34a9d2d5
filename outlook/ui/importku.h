#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;
class QRadioButton;
class TFRAME_JvxCheckListBox_KUC;
class TFrame_Prava;

// The import of calendar (.ics) and contact (.vcf) files: the rights and
// categories every imported row gets, and what happens to an item that
// matches a row already stored. The choices are reset each time it opens.
class TImportKU : public QDialog
{
    Q_OBJECT
public:
    explicit TImportKU(QWidget* parent = nullptr);

    // Resets the choices and shows the window modally.
    int Otevri();

    void Button_Import_KalendarClick();
    void Button_Import_AdresarClick();

    TFrame_Prava* Frame_Prava1;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC1;
    TFRAME_JvxCheckListBox_KUC* FRAME_JvxCheckListBox_KUC2;
    QRadioButton* RB_1;
    QRadioButton* RB_2;
    QRadioButton* RB_3;
    QPushButton* Button_Import_Kalendar;
    QPushButton* Button_Import_Adresar;
    QProgressBar* ProgressBar1;

private:
    void nastavVychozi();
    template <typename F>
    void importuj(QPushButton* tlacitko, const QString& filtr, const QString& pripona, F run);
};
