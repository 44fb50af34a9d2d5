#pragma once

#include "common/polepickeru.h"

#include <QDialog>
#include <QLabel>

class QCalendarWidget;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

// Up and down arrows beside a picker field: they step the number in the
// field, like arrows bound to an edit.
class TUpDown : public QWidget
{
    Q_OBJECT
public:
    TUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent);
    int value() const { return m_value; }
    void setValue(int v);
    QToolButton* up() const { return m_up; }
    QToolButton* down() const { return m_down; }

signals:
    void stepped();

private:
    void step(int delta);

    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min, m_max, m_value = 0;
};

// A label that reports double clicks (the current time of the picker).
class TDblClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The picker of the date edit: a month calendar and button grids for hours,
// minutes and seconds that compose a text laid out like the edit's mask.
class TFORMKTEDITDAT : public QDialog
{
    Q_OBJECT

public:
    explicit TFORMKTEDITDAT(QWidget* parent = nullptr);

    // Prepares the picker for a text of the given kind. A date kind with an
    // empty text starts at today. Throws ActionError when the text of a date
    // kind is no date.
    void Otevri(const QString& text, int typ);

    void NASTAV_VNITRKY(const QString& text);
    QString VRAT_VYSLEDEK();

    // The answer after closing; empty = leave the edit as it is.
    const QString& Odpoved() const { return m_prac; }
    const QString& Maska() const { return m_maska; }

    // What the 100 ms timer does.
    void Obnov();

    QLabel* Label_DATUM;
    QGroupBox* GroupBox_DATUM;
    QLineEdit* Edit_DEN;
    QLineEdit* Edit_MESIC;
    QLineEdit* Edit_ROK;
    QCalendarWidget* MonthCalendar1;
    QGroupBox* GroupBox_AKT_CAS;
    TDblClickLabel* Label_AKTUAL_CAS;
    QGroupBox* GroupBox_HODINY;
    QLineEdit* Edit_HODINY;
    QGroupBox* GroupBox_MINUTY;
    QLineEdit* EDIT_MINUTY;
    QGroupBox* GroupBox_SEKUNDY;
    QLineEdit* Edit_SEKUNDY;
    QPushButton* BitBtn_OK;
    QPushButton* BitBtn_STORNO;

    TUpDown* UpDown_DEN;
    TUpDown* UpDown_MESIC;
    TUpDown* UpDown_ROK;
    TUpDown* UpDown_HODINY;
    TUpDown* UpDown_MINUTY;
    TUpDown* UpDown_SEKUNDY;

private:
    // One group of a field, its arrows and a grid of buttons that set the field.
    struct ButtonGroup {
        const char* title;
        const char* groupName;
        const char* editName;
        const char* upDownName;
        int upDownMax;
        const char* buttonPrefix;
        int count; // buttons
        int step;  // value of button i is i * step
        int columns;
        bool markFives; // captions of multiples of 5 in the highlight colour
    };

    QLayout* buildResult();
    void buildDate();
    void buildCurrentTime();
    QGroupBox* buildButtonGroup(const ButtonGroup& spec, QLineEdit*& edit, TUpDown*& sipkyPole);
    void buildDialogButtons();
    void layOut(QLayout* vysledek);
    void wireFields();
    void wireButtons();

    PolePickeru pole() const;
    void setPole(const PolePickeru& p);
    QString datumZPoli() const;
    QString casZPoli() const;

    QString m_maska;
    QString m_prac;
    QTimer* m_timer;
};
