#include "ikony.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace ikony
{
namespace
{

QPixmap kresli(const std::function<void(QPainter&)>& draw)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pm;
}

void list(QPainter& p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    QPolygonF page({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}});
    p.drawPolygon(page);
}

QPainterPath trychtyrCesta()
{
    QPainterPath path;
    path.moveTo(1.5, 2.5);
    path.lineTo(14.5, 2.5);
    path.lineTo(9.5, 8.5);
    path.lineTo(9.5, 14.0);
    path.lineTo(6.5, 12.5);
    path.lineTo(6.5, 8.5);
    path.closeSubpath();
    return path;
}

} // namespace

QPixmap sipkaNahoru()
{
    return kresli([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 0, 0));
        p.drawPolygon(QPolygonF({{8, 3}, {14, 13}, {2, 13}}));
    });
}

QPixmap sipkaDolu()
{
    return kresli([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 0, 0));
        p.drawPolygon(QPolygonF({{2, 3}, {14, 3}, {8, 13}}));
    });
}

QPixmap trychtyr()
{
    return kresli([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 220, 40));
        p.drawPath(trychtyrCesta());
    });
}

QIcon obnovit()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(QPen(QColor(0, 130, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 130, 0));
        p.drawPolygon(QPolygonF({{9, 0.5}, {14, 3.5}, {9, 6.5}}));
    }));
}

QIcon novyZaznam()
{
    return QIcon(kresli([](QPainter& p) {
        list(p);
        p.setPen(QPen(QColor(0, 110, 0), 2));
        p.drawLine(QPointF(8.5, 5), QPointF(8.5, 12));
        p.drawLine(QPointF(5, 8.5), QPointF(12, 8.5));
    }));
}

QIcon tisk()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    }));
}

QIcon zrusitFiltry()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 220, 40));
        p.drawPath(trychtyrCesta());
        p.setPen(QPen(QColor(210, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
    }));
}

QIcon exportCsv()
{
    return QIcon(kresli([](QPainter& p) {
        list(p);
        p.setPen(QPen(QColor(0, 110, 0), 1));
        for (double y : {5.5, 8.5, 11.5})
            p.drawLine(QPointF(5, y), QPointF(12, y));
        p.drawLine(QPointF(8.5, 4), QPointF(8.5, 13));
    }));
}

QIcon exportHtml()
{
    return QIcon(kresli([](QPainter& p) {
        list(p);
        p.setPen(QPen(QColor(0, 70, 190), 1.4));
        p.drawPolyline(QPolygonF({{7.5, 5.5}, {5, 8.5}, {7.5, 11.5}}));
        p.drawPolyline(QPolygonF({{9.5, 5.5}, {12, 8.5}, {9.5, 11.5}}));
    }));
}

QIcon nastaveniTiskarny()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 4));
        p.setBrush(QColor(0, 90, 200));
        p.drawEllipse(QPointF(11.5, 12.5), 3, 3);
    }));
}

QIcon pdf()
{
    return QIcon(kresli([](QPainter& p) {
        list(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 20, 20));
        p.drawRect(QRectF(2, 8, 12, 5));
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(QPointF(4, 10.5), QPointF(12, 10.5));
    }));
}

QIcon predchozi()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawPolygon(QPolygonF({{11, 2}, {11, 14}, {4, 8}}));
    }));
}

QIcon dalsi()
{
    return QIcon(kresli([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawPolygon(QPolygonF({{5, 2}, {5, 14}, {12, 8}}));
    }));
}

} // namespace ikony
