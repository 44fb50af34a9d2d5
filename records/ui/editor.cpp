#include "records/ui/editor.h"

#include "common/action.h"
#include "records/staveditoru.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

namespace editor
{

void sledujZmeny(StavEditoru& stav, std::initializer_list<QObject*> ovladace)
{
    const auto zmena = [&stav] { stav.oznacZmenu(); };
    for (QObject* o : ovladace) {
        if (auto* e = qobject_cast<QLineEdit*>(o))
            QObject::connect(e, &QLineEdit::textChanged, e, zmena);
        else if (auto* b = qobject_cast<QAbstractButton*>(o))
            QObject::connect(b, &QAbstractButton::toggled, b, zmena);
        else if (auto* c = qobject_cast<QComboBox*>(o)) {
            QObject::connect(c, &QComboBox::currentIndexChanged, c, zmena);
            QObject::connect(c, &QComboBox::editTextChanged, c, zmena);
        } else if (auto* s = qobject_cast<QSpinBox*>(o))
            QObject::connect(s, &QSpinBox::valueChanged, s, zmena);
        else if (auto* d = qobject_cast<QDoubleSpinBox*>(o))
            QObject::connect(d, &QDoubleSpinBox::valueChanged, d, zmena);
        else if (auto* t = qobject_cast<QTextEdit*>(o))
            QObject::connect(t, &QTextEdit::textChanged, t, zmena);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(o))
            QObject::connect(p, &QPlainTextEdit::textChanged, p, zmena);
        else
            Q_ASSERT_X(false, "editor::sledujZmeny", "control of an unknown kind");
    }
}

void nastavDelkyPoli(QWidget* koren, const QHash<QString, int>& delky)
{
    static const QString predpona = QStringLiteral("Edit_");
    for (QLineEdit* e : koren->findChildren<QLineEdit*>()) {
        if (!e->objectName().startsWith(predpona)) continue;
        const int n = delky.value(e->objectName().mid(predpona.size()).toUpper());
        if (n > 0) e->setMaxLength(n);
    }
}

void zavri(QCloseEvent* event, StavEditoru& stav, const std::function<bool()>& uloz)
{
    bool zavrit = true;
    if (!runAction([&] { zavrit = stav.MuzeOpustit(uloz); })) zavrit = false;
    if (zavrit)
        event->accept();
    else
        event->ignore();
}

void ulozAZavri(QWidget* okno, StavEditoru& stav, const std::function<bool()>& uloz)
{
    if (!uloz()) return;
    stav.zahodZmeny();
    okno->close();
}

void smazAZavri(QWidget* okno, StavEditoru& stav, const std::function<bool()>& smiSmazat,
                const std::function<QString()>& smaz)
{
    if (stav.id() == 0 || !smiSmazat()) return;
    const QString chyba = smaz();
    if (!chyba.isEmpty()) {
        messages::error(chyba);
        return;
    }
    // Nothing is left to save: close without the question.
    stav.zahodZmeny();
    okno->close();
}

bool otevri(StavEditoru& stav, const std::function<bool()>& uloz, const std::function<void()>& nacti)
{
    if (!stav.MuzeOpustit(uloz)) return false;
    nacti();
    return true;
}

} // namespace editor
