#pragma once

#include <QTest>

// A real double click: press and release, then the double-click press and
// its release (QTest::mouseDClick alone sends only the double-click event).
inline void doubleClickAt(QWidget* w, QPoint pos)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(w, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
}
