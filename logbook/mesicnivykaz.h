#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TPreviewDocument;
class TSQLDATA;

// The monthly report for the accountant: per car and driver the odometer at
// the month's first and last ride, business and private kilometres, and the
// reimbursement of the business kilometres at the year's rates; per car
// also the fuel bought.

struct RadekVykazu {
    bool Celkem = false; // the car's total row (all drivers, fuel bought)
    int AutoId = 0;
    QString Spz, Vuz;
    QString Ridic;                            // empty in a total row
    QString TachometrZacatek, TachometrKonec; // empty when not recorded
    int KmSluzebni = 0;
    int KmSoukrome = 0;
    double Litry = 0;         // total rows only
    double CenaTankovani = 0; // total rows only, Kč with VAT
    double Sazba = 0;         // basic rate, Kč/km
    double Spotreba = 0;      // l/100 km from the technical certificate
    double CenaPaliva = 0;    // the decree's average price, Kč/l
    double Nahrada = 0;       // Kč
};

struct MesicniVykaz {
    int Rok = 0;
    int Mesic = 0;
    QList<RadekVykazu> Radky;
    QStringList Upozorneni; // odometer gaps and overlaps, missing rates
};

// km × rate + km × consumption / 100 × fuel price, to the haléř.
double Nahrada(int km, double sazba, double spotreba, double cenaPaliva);

// Reads the rides and fuel purchases of the month for the cars the user may
// read (one car when autoId > 0). A ride without a driver counts for the
// user who entered it; a ride without a distance counts 0 km. A car that was
// fuelled but not driven gets its total row alone, with 0 km.
MesicniVykaz SestavMesicniVykaz(TSQLDATA& db, int rok, int mesic, int autoId = 0);

// The odometer warnings of one car's rides in their order: where a ride
// does not start where the previous one ended.
struct StavTachometru {
    QString popis; // "5.3.2025/2"
    QString od, do_;
};
QStringList KontrolaNavaznosti(const QString& vuz, const QList<StavTachometru>& jizdy);

// The report as CSV for Czech spreadsheets: UTF-8 with a byte order mark,
// ";" between fields, decimal commas, CR LF line ends.
QByteArray VykazCsv(const MesicniVykaz& v);

// The report on the preview's pages.
void RozvrhniVykaz(TPreviewDocument& doc, const MesicniVykaz& v);
