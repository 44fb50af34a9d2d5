#pragma once

#include <QString>

// Masks of the date edit kinds and the text handling of its picker. A mask
// uses the tokens DD, MM, RRRR (day, month, year) and hh, mm, ss (hours,
// minutes, seconds), matched with case.

// Kind 1 "DD.MM.RRRR hh:mm:ss", 2 "DD.MM.RRRR hh:mm", 3 "DD.MM.RRRR",
// 4 "hh:mm:ss", 5 "hh:mm"; empty for 0 and unknown kinds.
QString MaskaKTEDITDC(int typ);

// The six text fields of the picker.
struct PolePickeru {
    QString den, mesic, rok, hodiny, minuty, sekundy;
    bool operator==(const PolePickeru&) const = default;
};

// Fills the fields from a text laid out like the mask. An empty text stands
// for the mask with every token digit 0. One-digit day, month, hour and minute
// parts gain a leading 0 first. Returns the (padded) working text.
QString NastavVnitrky(const QString& maska, const QString& text, PolePickeru& pole);

// Pads one-character fields (not the year) with a leading 0 in place and
// returns the mask with each token replaced by its field.
QString VratVysledek(const QString& maska, PolePickeru& pole);

// "7" -> "07"; other lengths unchanged.
QString DoplnNulu(const QString& pole);
