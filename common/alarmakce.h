#pragma once

#include <QString>
#include <QStringList>

// What an alarm's action may touch on this workstation. The path comes from
// the database, which anyone with an edit right of the record may have set.

// Action type "Spustit soubor": only an existing regular file that is not
// executable and not a desktop launcher may be handed to the desktop.
bool SmiOtevritSoubor(const QString& cesta);
// Why SmiOtevritSoubor refuses the path, as a sentence for the user; empty
// when the file may be opened.
QString DuvodNeotevreni(const QString& cesta);

// The sound of a sound alarm: the record's file when it exists, else the
// program's own file; empty when neither exists (a silent alarm).
QString SouborZvuku(const QString& akce, const QString& vychozi);

// The action types of an alarm, by their stored number: "Dialog", "Dialog +
// Zvuk", "Pouze zvuk", "Spustit soubor".
const QStringList& TypyAkce();
