#pragma once

#include <QList>
#include <QRect>
#include <QString>

class TSQLDATA;

// State of the category bar, kept apart from its check boxes.
struct KategorieBox {
    int id = 0; // box 0 has id 0
    QString nazev;
    int barva = 0; // 0x00BBGGRR
    bool zaskrtnuto = true;
};

// The boxes of a kind ("KU" calendar, "ADRESAR" address book) from its code
// list: box 0 first, then at most 1000 categories, all ticked. Throws DbError
// when the read fails.
QList<KategorieBox> NactiKategorie(TSQLDATA& data, const QString& druh);

// Ids of the ticked boxes from box 1 on, in box order, joined by ","; "0" when none.
QString SestavFiltrKategorii(const QList<KategorieBox>& boxy);

// A rebuilt bar keeps the user's ticks: boxes found in `stare` by id (box 0
// included) take their tick from there; new categories start ticked.
void PrevezmiZaskrtnuti(QList<KategorieBox>& nove, const QList<KategorieBox>& stare);

// Positions of the boxes in the strip: box i at left 35 * i + 25 (box 0 at 25), top 2, 25 wide.
QRect PoziceBoxu(int index);

// Moves a window so it fits the client area (w x h) of a full-screen window whose
// caption is c pixels high.
QRect UmistiOkno(QRect okno, int w, int h, int c);

// A colour value (red in the low byte) as RGB.
inline unsigned BarvaNaRgb(int barva)
{
    const unsigned v = unsigned(barva);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
