#pragma once

#include "common/ktdatumj.h"

#include <QFrame>

class QLabel;

// The strip above the calendar views describing one day: date, holiday, name
// days, moon phase, summer or winter time and the sun times.
class TFrame_INFO_LISTA : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kVyska = 41;

    explicit TFrame_INFO_LISTA(QWidget* parent = nullptr);

    // Shows the day, or with `zobrazit` false empties the bar. Reads the name days.
    void ZobrazDen(bool zobrazit, DatumCas datum);

    QLabel* Moon1;
    QLabel* Label_Aktualni_Datum;
    QLabel* Label_Svatek;
    QLabel* Label_Jmeniny;
    QLabel* Image_VYCHOD_SLUNCE;
    QLabel* Label_VYCHOD_SLUNCE;
    QLabel* Image_ZAPAD_SLUNCE;
    QLabel* Label_ZAPAD_SLUNCE;
    QLabel* Label_JAKYJECAS;

private:
    void nastavText(QLabel* label, const QString& text);
};
