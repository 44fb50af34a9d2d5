#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

class IniFile;
class TKTDATASET;

// The categories of one kind of record ("KU", "UKOLY" or "ADRESAR") with the
// record's links: which are checked and which checked one is the main
// category. The widget of the category check list shows this state.
//
// Invariant in main mode after every user action and after reading an item
// file: the main index is -1 exactly when nothing is checked, otherwise it
// points to a checked item.
class TKategorieKUC
{
public:
    static constexpr int kMaxKategorii = 1000;

    struct Polozka {
        QString Nazev;
        int Barva = 0; // 0x00BBGGRR
        int Id = 0;
        bool Zaskrtnuto = false;
    };

    // The category query of a kind for a record (0 = no record).
    static QString SqlKategorii(const QString& druh, int zaznamId);
    // Name of the link column of the query for a record.
    static QString SloupecOdkazu(const QString& druh);

    // Remembers kind and main mode and loads the categories without a record.
    void NastavDruh(bool hlavniRezim, const QString& druh);
    // Reads the categories of the kind and the links of the record.
    void NactiKategorie(int zaznamId, const QString& druh);
    // The same from a result already read (rows as the query of the kind).
    void NaplnZTabulky(const TKTDATASET& tabulka, int zaznamId, const QString& druh);

    // Enforces the invariant (main mode only).
    void OverHlavni();

    // A click in the list: the item's box may have changed before it.
    void Klik();
    // The user changed the check box of an item (mouse or keyboard).
    void Zaskrtni(int i, bool zaskrtnuto);
    // A double click: the item becomes checked and the main category.
    void DvojKlik(int i);

    // Section CATEGORY of an item file. Writing fails only when a name cannot
    // be held by the file (see IniFile::WriteString).
    bool UlozKategorieDoSouboru(IniFile& soubor) const;
    void NactiKategorieZeSouboru(const IniFile& soubor);

    // Link statements of a save: the delete (when the template is not empty)
    // and one insert per checked item in list order with the main flag.
    // Templates take "%d" for the record id, then category id and main flag.
    QStringList PrikazyOdkazu(int zaznamId, const QString& smazat, const QString& vlozit) const;

    int Pocet() const { return int(m_polozky.size()); }
    const Polozka& polozka(int i) const { return m_polozky.at(size_t(i)); }
    bool Zaskrtnuto(int i) const { return polozka(i).Zaskrtnuto; }
    int Id(int i) const { return polozka(i).Id; }
    QColor Barva(int i) const;
    // The text painted for an item: ">" before the main item's name, a blank
    // before the others.
    QString TextPolozky(int i) const;

    int HlavniIndex() const { return m_hlavni; }
    bool HlavniRezim() const { return m_hlavniRezim; }
    const QString& Druh() const { return m_druh; }
    bool Zmeneno() const { return m_zmeneno; }
    void setZmeneno(bool z) { m_zmeneno = z; }

private:
    std::vector<Polozka> m_polozky;
    QString m_druh;
    bool m_hlavniRezim = false;
    int m_hlavni = -1;
    bool m_zmeneno = false;
};

// Link statements of the editors.
extern const QString SqlSmazatKuKat;     // "Delete from KU_KAT where KU_ID=%d"
extern const QString SqlVlozitKuKat;     // stored event: without the trailing ";"
extern const QString SqlVlozitKuKatNovy; // new event: with it
extern const QString SqlSmazatUkolyKat;
extern const QString SqlVlozitUkolyKat;
extern const QString SqlSmazatAdresarKat;
extern const QString SqlVlozitAdresarKat;

// Colour value 0x00BBGGRR and back.
QColor BarvaZHodnoty(int hodnota);
int HodnotaZBarvy(const QColor& barva);
