#pragma once

#include <QString>
#include <QStyle>
#include <QToolButton>

// The flat tool button of the editors' and small frames' button strips.
inline QToolButton* tlacitko(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

// The same with a standard icon, the text beside it.
inline QToolButton* tlacitko(QWidget* parent, const char* name, QStyle::StandardPixmap ikona,
                             const QString& text, const QString& tip)
{
    QToolButton* b = tlacitko(parent, name, text, tip);
    b->setIcon(parent->style()->standardIcon(ikona));
    if (!text.isEmpty()) b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}

// An icon-only button of a fixed size, for the preview's and the grid's strips.
inline QToolButton* tlacitko(QWidget* parent, const char* name, const QString& tip, const QIcon& ikona,
                             const QSize& velikost)
{
    QToolButton* b = tlacitko(parent, name, QString(), tip);
    b->setIcon(ikona);
    b->setFixedSize(velikost);
    return b;
}
