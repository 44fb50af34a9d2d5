#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;
class QApplication;
class Tmainform;

// Starts the program and runs its event loop; returns the exit code.
int runOrvan(QApplication& app);

// The one start-up: the main window with the session (configuration,
// database, login), then for a logged-in user the views and editors and the
// session's timers, the window placed, the clock set when configured.
std::unique_ptr<Tmainform> SpustOrvan(const QString& programPath, const QStringList& arguments);

// Installs Qt's own Czech texts (standard buttons and dialogs: "Ano", "Ne",
// "Uložit jako"); false when the catalogue is not installed.
bool nactiCeskePrekladyQt(QCoreApplication& app);

// The last step of the start: the clock from the configured SNTP server, for a
// logged-in user when the configuration asks for it and the system does not
// already keep its clock synchronised. A failure shows its box; the start goes on.
void NastavCasPriStartu(bool prihlasen);
