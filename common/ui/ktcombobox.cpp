#include "common/ui/ktcombobox.h"

#include <QLineEdit>

TKTComboBox::TKTComboBox(QWidget* parent) : QComboBox(parent) {}

void TKTComboBox::KTCLEAR()
{
    clear();
    if (isEditable()) setEditText(QString());
}

void TKTComboBox::Pridej(int id, const QString& text)
{
    const QString napsano = isEditable() ? currentText() : QString();
    const bool prvni = count() == 0;
    addItem(text);
    setItemData(count() - 1, id, KTRoleID);
    if (prvni) setCurrentIndex(0);
    // Adding never replaces what the user typed.
    if (isEditable() && !napsano.isEmpty() && currentText() != napsano) setEditText(napsano);
}

int TKTComboBox::VratID(int index) const
{
    if (index < 0 || index >= count()) return 0;
    return itemData(index, KTRoleID).toInt();
}

int TKTComboBox::VratZvoleneID() const
{
    const int i = currentIndex();
    if (i < 0) return 0;
    if (isEditable() && currentText() != itemText(i)) {
        const int j = findText(currentText(), Qt::MatchExactly);
        return j < 0 ? 0 : VratID(j);
    }
    return VratID(i);
}

QString TKTComboBox::VratZvolenyItems() const
{
    return currentText();
}

bool TKTComboBox::VyberID(int id)
{
    const int i = findData(id, KTRoleID);
    if (i < 0) return false;
    setCurrentIndex(i);
    return true;
}

TKTListBox::TKTListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TKTListBox::KTCLEAR()
{
    clear();
}

void TKTListBox::Pridej(int id, const QString& text)
{
    auto* it = new QListWidgetItem(text, this);
    it->setData(KTRoleID, id);
}

int TKTListBox::VratID(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->data(KTRoleID).toInt() : 0;
}

int TKTListBox::VratZvoleneID() const
{
    const QListWidgetItem* it = currentItem();
    return it && it->isSelected() ? it->data(KTRoleID).toInt() : 0;
}

bool TKTListBox::VyberID(int id)
{
    for (int i = 0; i < count(); ++i)
        if (VratID(i) == id) {
            setCurrentRow(i);
            return true;
        }
    return false;
}
