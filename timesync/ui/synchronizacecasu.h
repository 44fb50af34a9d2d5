#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sntp
{
struct Vysledek;
}

// The window that reads the time from an SNTP server and sets the clock.
class TSynchronizacecasu : public QDialog
{
    Q_OBJECT

public:
    // The server field starts with `server` (the configured one).
    explicit TSynchronizacecasu(const QString& server, QWidget* parent = nullptr);

    QLabel* Label3;
    QLineEdit* Edit_IPAdresa;
    QPushButton* Button_ZjistiCas;
    QPushButton* Button_NastavCas;
    QLabel* Label1; // UTC time, or what failed
    QLabel* Label2; // local time, or why

    void ZjistiCas();
    void NastavCas();

private:
    void ukazCas(const sntp::Vysledek& v);
    void ukazNeuspech(const QString& prvni, const QString& druhy);
};

// Shows the window modally; created on first use as a child of `hlavni`,
// which keeps it (and the server typed into it) until the program ends.
void UkazSynchronizaciCasu(QWidget* hlavni, const QString& server);
