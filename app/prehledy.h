#pragma once

#include <QString>
#include <QStringList>

struct GridDefinition;

// What the category bar holds when an overview is defined.
struct StavKategorii {
    QString filtrKalendare;   // the month view's filter
    QString kategorieAdresar; // KategorieAdresar
    bool box0 = true;         // ticked: any category matches
};

namespace prehledy
{

// Sets the fields and columns of the named page-bar overview on a definition
// that was just cleared. False for names that are not defined here (the ride
// overview of one car asks for the car itself).
bool Definuj(const QString& name, GridDefinition& d, const StavKategorii& k);

// The names Definuj knows, in the order of the table.
QStringList Nazvy();

// The WHERE text of the overviews that follow the category bar, rebuilt when
// a box changes; empty for other names.
QString PodminkaPodleKategorii(const QString& name, const StavKategorii& k);

// The rides of one car (the per-car ride overview): the columns of the ride
// overview without the car, under the given WHERE text, by date and order.
void DefinujJizdyAuta(GridDefinition& d, const QString& podminka);

// The edit parameter an overview gets after loading (-11 for the alarm lists, which open events by id).
int ParametrPoNacteni(const QString& name);

} // namespace prehledy
