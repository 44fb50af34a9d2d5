#pragma once

class QApplication;

// Starts the program and runs its event loop; returns the exit code.
int runOrvan(QApplication& app);
