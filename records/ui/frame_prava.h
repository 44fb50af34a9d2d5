#pragma once

#include "records/pravazaznamu.h"

#include <QList>
#include <QWidget>

class IniFile;
class QCheckBox;
class QComboBox;
class QLabel;

// The panel in which record editors show and change the five group rights of
// a record. All five lists hold the same entries: every user group by name.
class TFrame_Prava : public QWidget
{
    Q_OBJECT

public:
    explicit TFrame_Prava(QWidget* parent = nullptr);

    QLabel* Label_CIST;
    QComboBox* CB_CIST;
    QLabel* Label_EDIT;
    QComboBox* CB_EDITOVAT;
    QLabel* Label_SMAZAT;
    QComboBox* CB_SMAZAT;
    QLabel* Label_ALARM;
    QComboBox* CB_ALARM;
    QLabel* Label_ADMINISTRATOR;
    QComboBox* CB_ADMINISTROVAT;
    QCheckBox* ChB_VSE_STEJNE;
    QLabel* Label6;

    // Fills the lists with the current groups and chooses each right's group.
    // A right of 0 or of a group that no longer exists leaves its list
    // without a choice.
    void NactiPrava(int cist, int editovat, int alarm, int administrovat, int smazat);
    // For records without an alarm right: hides the alarm list for good.
    void NactiPravaBezAlarmu(int cist, int editovat, int administrovat, int smazat);
    void NactiPrava(const PravaZaznamu& p)
    {
        NactiPrava(p.Cist, p.Editovat, p.Alarm, p.Administrovat, p.Smazat);
    }

    // The group chosen in a list. A list without a choice returns what it was
    // loaded with, so a right naming a deleted group stays closed instead of
    // falling back to 0 (every user).
    int PravoCist() const;
    int PravoEditovat() const;
    int PravoSmazat() const;
    int PravoAlarm() const;
    int PravoAdministrovat() const;
    PravaZaznamu Prava() const;

    // Section "RIGHT" of an item file: group names, empty when none is chosen.
    // Does not flush the file; false when a name cannot be written.
    bool UlozPravaIni(IniFile& file) const;
    // Chooses groups by name; a name without a group here chooses the user's
    // default group (or the first group when that one is unknown too).
    void NactiPravaIni(const IniFile& file);

    bool JenCteni() const { return m_jenCteni; }
    void setJenCteni(bool locked);
    bool MaAlarm() const { return m_maAlarm; }
    // The user changed a choice since the last load.
    bool Zmeneno() const { return m_zmeneno; }
    // Group id of each list entry, in entry order.
    const QList<int>& SkupinyID() const { return m_skupinyId; }

signals:
    // The user chose a group in one of the lists (editors set their modified flag).
    void zmenaVyberu();

private:
    QList<QComboBox*> seznamy() const;
    int pravo(const QComboBox* combo, int nactene) const;
    void obnovStav(bool nastavZaskrtnuti);
    void zobrazSeznamy();
    void seznamZmenen();

    QList<int> m_skupinyId;
    PravaZaznamu m_nactene;
    bool m_maAlarm = true;
    bool m_zmeneno = false;
    bool m_jenCteni = false;
    bool m_plneni = false; // the frame itself is changing the lists
};
