#pragma once

#include "common/ktdatumj.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// The reminder of one due event or task: its own top-level window with its
// own taskbar entry, any number open at once. OK stores the last handled
// instant in the user's row; "Odložit" hides it for the chosen minutes. Enter
// means OK whichever control has the focus, and the window opens and comes
// back with the focus on OK: a snooze is only ever chosen on purpose.
class TForm_ALARM : public QWidget
{
    Q_OBJECT
public:
    TForm_ALARM();
    ~TForm_ALARM() override;

    // Reads the record ("ku" or "ukoly") once; a deleted record leaves the labels empty.
    // `okamzik` is the alarm's instant; `vyskyt` the start of a series' occurrence (0: a single row).
    void NastavOknoAlarmu(const QString& tabulka, int id, DatumCas okamzik = 0, DatumCas vyskyt = 0);
    // Why the alarm's own action did not happen (its file not opened); empty hides the line.
    void NastavDuvod(const QString& duvod);

    void OKBtnClick();
    void OdlozitClick();

    // Windows whose snooze has run out come back; true while any is still snoozed.
    static bool ProbudOdlozena(DatumCas ted);
    // The earliest alarm instant of the snoozed windows; 0 when none is snoozed.
    static DatumCas NejdrivOdlozeny();
    static QList<TForm_ALARM*> Okna();

    DatumCas OdlozenoDo() const { return m_odlozenoDo; }

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label_ALARM;
    QLabel* Label_DATUM;
    QLabel* Label_CAS;
    QLabel* Label_UDALOST;
    QLabel* Label_DUVOD;
    QPushButton* OKBtn;
    QPushButton* OdlozitBtn;
    QComboBox* ComboBox_ODLOZIT;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    DatumCas m_okamzik = 0;
    DatumCas m_odlozenoDo = 0;
};
