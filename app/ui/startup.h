#pragma once

class QCoreApplication;
class QApplication;

// Starts the program and runs its event loop; returns the exit code.
int runOrvan(QApplication& app);

// Installs Qt's own Czech texts (standard buttons and dialogs: "Ano", "Ne",
// "Uložit jako"); false when the catalogue is not installed.
bool nactiCeskePrekladyQt(QCoreApplication& app);

// The last step of the start: the clock from the configured SNTP server, for a
// logged-in user when the configuration asks for it and the system does not
// already keep its clock synchronised. A failure shows its box; the start goes on.
void NastavCasPriStartu(bool prihlasen);
