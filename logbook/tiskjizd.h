#pragma once

#include <QString>

class TKTDATASET;
class TPreviewDocument;
class TSQLDATA;

// The printed logbook of one car and the condition of the per-car ride list.

// "where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID)" with the car rights, the car and,
// when not blank, the first and last date (both inclusive). Throws
// ActionError with "Data obsahují nepovolené údaje !" on a date that does not parse.
QString PodminkaJizdAuta(int autoId, const QString& od, const QString& doDatum);

struct TiskKnihyJizd {
    int AutoId = 0;
    QString Od, Do;
    QString Titulek1, Titulek2;
};

extern const QString TextZadneAuto; // the message when no car is chosen

// Reads the car and its rides and lays the logbook out on the document: the
// running line, the titles, a heading with the car's description and its
// registration plate (and the range), three lines per ride, the total.
// A ride without a distance counts 0.
void RozvrhniKnihuJizd(TSQLDATA& db, TPreviewDocument& doc, const TiskKnihyJizd& t);
