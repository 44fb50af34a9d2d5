#pragma once

#include "records/kategoriekuc.h"

#include <QWidget>

class QListView;
class KategorieModel;

// The category check list of the record editors: every category of one kind
// in its colour, checked when linked to the record, the main one marked ">".
// A click keeps the main mark valid; a double click makes an item the main one.
class TFRAME_JvxCheckListBox_KUC : public QWidget
{
    Q_OBJECT

public:
    explicit TFRAME_JvxCheckListBox_KUC(QWidget* parent = nullptr);

    QListView* JvxCheckListBox1;

    void NastavDruh(bool hlavniRezim, const QString& druh);
    void NactiKategorie(int zaznamId, const QString& druh);
    void OverHlavni();
    bool UlozKategorieDoSouboru(IniFile& soubor) const { return m_data.UlozKategorieDoSouboru(soubor); }
    void NactiKategorieZeSouboru(const IniFile& soubor);

    int Pocet() const { return m_data.Pocet(); }
    bool Zaskrtnuto(int i) const { return m_data.Zaskrtnuto(i); }
    int Id(int i) const { return m_data.Id(i); }
    int HlavniIndex() const { return m_data.HlavniIndex(); }
    bool Zmeneno() const { return m_data.Zmeneno(); }
    void setZmeneno(bool z) { m_data.setZmeneno(z); }
    const TKategorieKUC& data() const { return m_data; }

    // The list position of an item's check box and of its name (for tests and
    // keyboard-free use).
    QRect rectZaskrtnuti(int i) const;
    QRect rectNazvu(int i) const;

signals:
    // The user changed the list.
    void zmeneno();

private:
    friend class KategorieModel;
    void obnov();

    TKategorieKUC m_data;
    KategorieModel* m_model;
};
