#pragma once

#include "logbook/jizda.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TKTComboBox;
class TKTEDITDC;
class TKTListBox;

// The view in which rides are written into the logbook, one per save, with
// addresses copied from the address book and remembered distances and
// purposes. Lives as long as the main window.
class TFrameZadavaniJizd : public QWidget
{
    Q_OBJECT

public:
    explicit TFrameZadavaniJizd(QWidget* parent = nullptr);

    // The address categories of the category bar (the list clause's "in (…)").
    std::function<QString()> KategorieAdresar;
    // Opens the address editor modally for a new entry; the stored id or 0.
    std::function<int()> NovaAdresa;

    // Rebuilds the purpose, car and address lists. The chosen addresses, the
    // car and a typed purpose stay.
    void NactiSeznamy();
    void VyplnAdresu(int id);
    void NactiVzdalenost();

    // One side of the form.
    struct Strana {
        QGroupBox* box = nullptr;
        QLabel* Label_ID = nullptr;
        QLineEdit* Edit_NAZEV = nullptr;
        QLineEdit* Edit_JMENO = nullptr;
        QLineEdit* Edit_PRIJMENI = nullptr;
        QLineEdit* Edit_ULICE = nullptr;
        QLineEdit* Edit_PSC = nullptr;
        QLineEdit* Edit_MESTO = nullptr;
        QLineEdit* Edit_STAT = nullptr;
        QToolButton* SB_PRESUN = nullptr;
        QToolButton* SB_VYMAZAT = nullptr;
        int id = 0;
    };
    const Strana& Od() const { return m_od; }
    const Strana& Do() const { return m_do; }
    Strana& Od() { return m_od; }
    Strana& Do() { return m_do; }
    JizdaPole Jizda() const;

    // ---- Handlers ---------------------------------------------------------
    void BitBtn_SAVEClick();
    void SB_SAVE_VZDALENOSTClick();
    void SB_PRIDATClick();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void SB_NovaAdresaClick();
    void SB_OD_DOClick();
    void SB_DO_ODClick();

    // ---- Controls ---------------------------------------------------------
    TKTComboBox* KTCB_AUTO;
    TKTEDITDC* KTEDITDC1;
    QToolButton* SpeedButton1;
    TKTComboBox* KTCB_DUVOD;
    QToolButton* SB_PRIDAT;
    QToolButton* SpeedButton2;
    QSpinBox* Edit_VZDALENOST;
    QSpinBox* Edit_VZDALENOST_MAX;
    QToolButton* SB_SAVE_VZDALENOST;
    QCheckBox* ChB_VZDALENOST_PRO_OBA_SMERY;
    QPushButton* SB_NovaAdresa;
    QPushButton* SB_REFRESH;
    QPushButton* BitBtn_SAVE;
    QRadioButton* RB_Od;
    QRadioButton* RB_Do;
    QCheckBox* CB_POSUN;
    TKTComboBox* KTCB_Caste_Adresy[5];
    QToolButton* SB_CASTE_ADRESY[5];
    TKTListBox* KTLB_ADRESY;
    // Odometer, driver, private ride, times.
    QLineEdit* Edit_TACHOMETR_OD;
    QLineEdit* Edit_TACHOMETR_DO;
    TKTComboBox* KTCB_RIDIC;
    QCheckBox* ChB_SOUKROMA;
    TKTEDITDC* KTEDITDC_ODJEZD;
    TKTEDITDC* KTEDITDC_PRIJEZD;

private:
    QWidget* sestavLevou();
    QWidget* sestavPravou();
    QWidget* sestavTachometr(QWidget* rodic);
    void nactiTachometr();
    void sestavStranu(Strana& s, const QString& nazev, const char* predpona, QWidget* rodic);
    void propoj();
    void nactiAdresy(const QList<TKTListBox*>& seznamy, const QList<TKTComboBox*>& boxy);
    void nactiDuvody();
    void nastavStranu(Strana& s, const AdresaJizdy& a);
    AdresaJizdy strana(const Strana& s) const;
    void vymaz(Strana& s);
    void presun(Strana& z, Strana& na);
    bool ulozSmer(int od, int doId, int min, int max, const QString& otazka, QStringList& prikazy);
    void klikNaAdresu();
    void dvojklikNaAdresu();

    Strana m_od, m_do;
    bool m_vyplnuje = false;    // the program fills the address fields
    bool m_zmenaVyberu = false; // the address list's selection changed since the last click
    int m_kliknuto = 0;         // the id a click copied; its double click copies nothing more
};
