#pragma once

class QCoreApplication;
class QApplication;

// Starts the program and runs its event loop; returns the exit code.
int runOrvan(QApplication& app);

// Installs Qt's own Czech texts (standard buttons and dialogs: "Ano", "Ne",
// "Uložit jako"); false when the catalogue is not installed.
bool nactiCeskePrekladyQt(QCoreApplication& app);
