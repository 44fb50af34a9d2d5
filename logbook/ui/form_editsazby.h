#pragma once

#include "logbook/sazby.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The administrator's table of yearly rates: the basic rate and the average
// fuel prices of one year. Others see it read-only.
class TForm_EditSazby : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_EditSazby(QWidget* parent = nullptr);

    void Nacti(int rok);
    bool JenCteni() const { return m_jenCteni; }
    // True when stored; shows what went wrong itself.
    bool Uloz();

    QSpinBox* SE_ROK;
    QLineEdit* Edit_ZAKLADNI;
    QTableWidget* Grid_CENY;
    QPushButton* Button_ULOZIT;
    QPushButton* Button_ZAVRIT;

private:
    SazbyRoku pole() const;
    bool m_jenCteni = false;
    bool m_nacita = false;
};
