#pragma once

#include "common/ktdatumj.h"

#include <QList>
#include <QString>
#include <QStringList>

class TSQLDATA;

// The date-range list without a window: its statement, its free times and its rows.

// Inserts the free times of od..doDatum into comma-text lines of the list
// statement (header first; identifier, colour, start, name): every hour at
// night and in the evening, every half hour from 6:00 to 19:00, the last at
// 23:00 of doDatum. An event starting exactly at a free time replaces it.
void VlozVolneCasy(QStringList& radky, DatumCas od, DatumCas doDatum);

// The free-time line for an instant: 0,0,"d.m.yyyy h:mm:ss",,,
QString RadekVolnehoCasu(DatumCas cas);

struct RadekSeznamu {
    QString id;      // "0" for a free time
    QString barva;   // the main category's colour value, "0" for a free time
    QString zacatek; // column "Datum"
    QString nazev;   // column "Název"
    QString vyskyt;  // an occurrence of a series: its start key (KlicVyskytu); else empty

    bool volnyCas() const { return id == QLatin1String("0"); }
    bool operator==(const RadekSeznamu&) const = default;
};

// Where a row shown before stands in a list read again: the same event at the
// same start, else the same event, else the same free time; failing those the
// row number it had, within the list. -1 for an empty list.
int NajdiRadekZnovu(const QList<RadekSeznamu>& radky, const RadekSeznamu& drive, int radekDrive);

// Splits data lines (header excluded) into rows.
QList<RadekSeznamu> RozdelRadky(const QStringList& radky);

// The list statement; `vsechnyKategorie` is box 0 of the category bar (the
// filter applies to any category of an event, not only its main one).
QString DotazSeznamu(const QString& filtr, bool vsechnyKategorie, DatumCas od, DatumCas doDatum);

// Reads the list, with the free times when asked.
// Adds the occurrences of series in od..doDatum to the list's lines (header
// first, as NactiDotaz reads them) in the statement's order.
void VlozVyskytySerii(TSQLDATA& db, QStringList& radky, const QString& filtr, bool vsechnyKategorie,
                      DatumCas od, DatumCas doDatum);
QList<RadekSeznamu> NactiSeznam(TSQLDATA& db, const QString& filtr, bool vsechnyKategorie, DatumCas od,
                                DatumCas doDatum, bool volneCasy);
