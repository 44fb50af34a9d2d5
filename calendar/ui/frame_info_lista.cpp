#include "calendar/ui/frame_info_lista.h"

#include "calendar/slunce.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace
{

// A small sun on the horizon with an arrow up (rise) or down (set).
QPixmap ikonaSlunce(bool vychod)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 190, 0));
    p.drawPie(QRectF(1, 7, 12, 12), 0, 180 * 16);
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.drawLine(0, 13, 14, 13);
    p.setPen(QPen(vychod ? QColor(200, 60, 0) : QColor(0, 60, 160), 1.5));
    const int x = 13;
    if (vychod) {
        p.drawLine(QPointF(x, 8), QPointF(x, 1));
        p.drawLine(QPointF(x, 1), QPointF(x - 2.5, 3.5));
        p.drawLine(QPointF(x, 1), QPointF(x + 2.5, 3.5));
    } else {
        p.drawLine(QPointF(x, 1), QPointF(x, 8));
        p.drawLine(QPointF(x, 8), QPointF(x - 2.5, 5.5));
        p.drawLine(QPointF(x, 8), QPointF(x + 2.5, 5.5));
    }
    return pm;
}

QLabel* novyLabel(QWidget* parent, const char* name, int x, int y)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    return l;
}

} // namespace

TFrame_INFO_LISTA::TFrame_INFO_LISTA(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame_INFO_LISTA"));
    setFixedHeight(kVyska);
    setMinimumWidth(480);
    // The fixed positions leave room for 8-point text.
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    Moon1 = novyLabel(this, "Moon1", 6, 4);
    Moon1->setFixedSize(32, 32);
    Label_Aktualni_Datum = novyLabel(this, "Label_Aktualni_Datum", 64, 8);
    Label_Svatek = novyLabel(this, "Label_Svatek", 64, 24);
    Label_Jmeniny = novyLabel(this, "Label_Jmeniny", 128, 8);
    Image_VYCHOD_SLUNCE = novyLabel(this, "Image_VYCHOD_SLUNCE", 264, 1);
    Label_VYCHOD_SLUNCE = novyLabel(this, "Label_VYCHOD_SLUNCE", 284, 4);
    Image_ZAPAD_SLUNCE = novyLabel(this, "Image_ZAPAD_SLUNCE", 320, 2);
    Label_ZAPAD_SLUNCE = novyLabel(this, "Label_ZAPAD_SLUNCE", 340, 4);
    Label_JAKYJECAS = novyLabel(this, "Label_JAKYJECAS", 377, 4);

    QPalette red = Label_Svatek->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label_Svatek->setPalette(red);
    Label_Jmeniny->setPalette(red);
    // Several names wrap inside the room left of the sun times.
    Label_Jmeniny->setWordWrap(true);
    Label_Jmeniny->setFixedWidth(132);
    Image_VYCHOD_SLUNCE->setPixmap(ikonaSlunce(true));
    Image_ZAPAD_SLUNCE->setPixmap(ikonaSlunce(false));
    Image_VYCHOD_SLUNCE->adjustSize();
    Image_ZAPAD_SLUNCE->adjustSize();

    ZobrazDen(false, 0);
}

void TFrame_INFO_LISTA::nastavText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

void TFrame_INFO_LISTA::ZobrazDen(bool zobrazit, DatumCas datum)
{
    const auto skryjSlunce = [this] {
        nastavText(Label_VYCHOD_SLUNCE, QString());
        nastavText(Label_ZAPAD_SLUNCE, QString());
        Image_VYCHOD_SLUNCE->hide();
        Image_ZAPAD_SLUNCE->hide();
    };
    if (!zobrazit) {
        nastavText(Label_Aktualni_Datum, QString());
        nastavText(Label_Svatek, QString());
        nastavText(Label_Jmeniny, QString());
        skryjSlunce();
        Moon1->hide();
        Label_JAKYJECAS->hide();
        return;
    }

    QString svatek;
    StatniSvatek(datum, svatek);
    nastavText(Label_Aktualni_Datum, KlicNaText(1, DatumNaKlic(1, datum)));
    nastavText(Label_Svatek, svatek);
    nastavText(Label_Jmeniny, SvatkyDne(datum));
    Moon1->setPixmap(QPixmap::fromImage(ObrazekMesice(std::floor(datum))));
    Moon1->show();

    const int stav = StavLetnihoCasu(std::floor(datum));
    if (stav == 0) {
        nastavText(Label_JAKYJECAS, QString());
        Label_JAKYJECAS->hide();
        skryjSlunce();
        return;
    }
    static const char* const texty[] = {"", "Letní ma zimní čas", "Zimní ma letní čas", "Letní čas (GMT+2)",
                                        "Zimní čas (GMT+1)"};
    const int zona = (stav == 2 || stav == 3) ? 2 : 1;
    nastavText(Label_JAKYJECAS, QString::fromUtf8(texty[stav]));
    Label_JAKYJECAS->show();

    const CasySlunce s = VychodZapadSlunce(zona, datum);
    nastavText(Label_VYCHOD_SLUNCE, s.vychod);
    nastavText(Label_ZAPAD_SLUNCE, s.zapad);
    Image_VYCHOD_SLUNCE->show();
    Image_ZAPAD_SLUNCE->show();
}
