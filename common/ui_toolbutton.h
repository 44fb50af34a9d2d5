#pragma once

#include <QString>
#include <QToolButton>

// The flat tool button of the small frames' button strips.
inline QToolButton* tlacitko(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}
