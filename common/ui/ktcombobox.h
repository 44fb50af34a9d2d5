#pragma once

#include <QComboBox>
#include <QListWidget>

// Combo and list boxes that keep each entry's record id with the entry (in
// its data role), so a text and its id can never drift apart.

// Where the id of an entry lives.
inline constexpr int KTRoleID = Qt::UserRole + 1;

class TKTComboBox : public QComboBox
{
public:
    explicit TKTComboBox(QWidget* parent = nullptr);

    // Empties the entries (and the typed text of an editable box).
    void KTCLEAR();
    // Appends an entry. The first entry becomes the chosen one; a text the
    // user typed into an editable box stays as typed.
    void Pridej(int id, const QString& text);
    // The id of entry `index`; 0 outside the entries.
    int VratID(int index) const;
    // The id of the chosen entry; 0 when there is none (an empty box), and in
    // an editable box also when the text shown is no entry's text: the id
    // always belongs to what the user sees.
    int VratZvoleneID() const;
    // The text shown: the chosen entry's, or what was typed.
    QString VratZvolenyItems() const;
    // Chooses the entry of `id`; false (nothing changed) when no entry has it.
    bool VyberID(int id);
};

class TKTListBox : public QListWidget
{
public:
    explicit TKTListBox(QWidget* parent = nullptr);

    void KTCLEAR();
    void Pridej(int id, const QString& text);
    int VratID(int index) const;
    // The id of the selected entry; 0 when none is selected.
    int VratZvoleneID() const;
    bool VyberID(int id);
};
