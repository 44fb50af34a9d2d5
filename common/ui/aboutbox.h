#pragma once

#include <QDialog>
#include <functional>

class QGridLayout;
class QLabel;
class QPushButton;

// The about window: program and data versions and the workstation. The main
// window owns it and shows it modally; it is filled afresh each time it is shown.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // `verzeDat` gives the current data version; the caller renews the read
    // transaction inside it so the number is not an old snapshot. It may throw
    // (a read failure): the failure is shown and the field stays empty.
    explicit TAboutBox(std::function<int()> verzeDat, QWidget* parent = nullptr);

    // Fills the labels; runs on every show.
    void Obnov();

    QLabel* ProductName;
    QLabel* Label_Version;
    QLabel* Label_verze_dat;
    QLabel* Label_JmenoPC;
    QLabel* Label_Uzivatel;
    QLabel* Label_IPADRESA;
    QLabel* Label_Web;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Construction steps, in the order the controls are created.
    void vytvorNazev();
    void vytvorUdaje();
    QGridLayout* mrizkaUdaju();
    void vytvorOdkaz();
    void vytvorTlacitkoOK();
    void rozloz(QGridLayout* grid, QLabel* credits, QLabel* moon);

    std::function<int()> m_verzeDat;
};
