#pragma once

#include <QStringList>
#include <QWidget>

class QListWidget;
class QToolButton;

// A check list of records (id + description) with buttons to check all,
// none, or the opposite. The owner reads the checked items and their ids.
class TFrameCheckBox : public QWidget
{
    Q_OBJECT

public:
    explicit TFrameCheckBox(QWidget* parent = nullptr);

    QListWidget* JvCheckListBox1;
    QToolButton* SB_OznacVse;
    QToolButton* SB_OdoznacVse;
    QToolButton* SB_ObratOznaceni;

    // Loads the rows of a query with the columns ID, POPIS and HODNOTA; an item
    // is checked when HODNOTA is neither empty nor "0". Clears the changed flag.
    void NactiSeznam(const QString& sql);

    int Pocet() const;
    bool Zaskrtnuto(int i) const;
    void setZaskrtnuto(int i, bool checked);
    // The record id of item i as text (the id list).
    const QStringList& SeznamID() const { return m_ids; }
    int ID(int i) const { return m_ids.value(i).toInt(); }

    // The user changed the list since it was loaded; the owner may clear it.
    bool Zmeneno() const { return m_zmeneno; }
    void setZmeneno(bool z) { m_zmeneno = z; }

signals:
    void zmeneno();

private:
    void nastavVse(int rezim); // 0 none, 1 all, 2 invert
    void oznacZmenu();

    QStringList m_ids;
    bool m_zmeneno = false;
    bool m_plneni = false;
};
