#include "records/ui/formeditciselnikkategorie.h"

#include "records/kategoriekuc.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/tablecolumns.h"
#include "records/pravazaznamu.h"
#include "records/staveditoru.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

TColorSquare::TColorSquare(QWidget* parent) : QWidget(parent)
{
    setFixedSize(40, 40);
}

void TColorSquare::setBarva(const QColor& c)
{
    if (c == m_barva) return;
    m_barva = c;
    update();
    emit zmenena();
}

void TColorSquare::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_barva);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSquare::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

TFormEditCiselnikKategorie::TFormEditCiselnikKategorie(const CiselnikKategorii& ciselnik,
                                                       const QString& titulek, const QString& jmeno,
                                                       QWidget* parent)
    : TEditorZaznamu(parent, jmeno, titulek,
                     {.ulozit = "SB_Save", .smazat = "SB_Delete", .znovu = nullptr, .popisky = false}),
      m_ciselnik(ciselnik)
{
    resize(429, 185);
    Edit_NAZEV = new QLineEdit(this);
    Edit_NAZEV->setObjectName(QStringLiteral("Edit_NAZEV"));
    JvIntegerEdit_PORADI = new QSpinBox(this);
    JvIntegerEdit_PORADI->setObjectName(QStringLiteral("JvIntegerEdit_PORADI"));
    JvIntegerEdit_PORADI->setRange(0, INT_MAX);
    JvIntegerEdit_PORADI->setAlignment(Qt::AlignRight);
    JvIntegerEdit_PORADI->setButtonSymbols(QAbstractSpinBox::NoButtons);
    JvColorSquare_BARVA = new TColorSquare(this);
    JvColorSquare_BARVA->setObjectName(QStringLiteral("JvColorSquare_BARVA"));

    auto* g = new QGridLayout;
    g->setContentsMargins(2, 0, 2, 2);
    g->addWidget(new QLabel(QStringLiteral("Název"), this), 0, 0);
    g->addWidget(Edit_NAZEV, 0, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Pořadí v jakém se zobrazuje"), this), 1, 0);
    g->addWidget(JvIntegerEdit_PORADI, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Zobrazovaná barva"), this), 2, 0);
    g->addWidget(JvColorSquare_BARVA, 2, 1);
    g->setColumnStretch(2, 1);
    obsah()->addLayout(g);
    obsah()->addStretch(1);

    connect(JvColorSquare_BARVA, &TColorSquare::doubleClicked, this,
            akce(this, &TFormEditCiselnikKategorie::JvColorSquare_BARVADblClick));
    sledujZmeny({Edit_NAZEV, JvIntegerEdit_PORADI});
    connect(JvColorSquare_BARVA, &TColorSquare::zmenena, this, [this] { oznacZmenu(); });
    // The name's column is <table>_NAZEV, not NAZEV.
    if (const int n =
            DelkySloupcu(SQLDATA(), m_ciselnik.Tabulka).value(m_ciselnik.Tabulka + QStringLiteral("_NAZEV")))
        Edit_NAZEV->setMaxLength(n);
}

void TFormEditCiselnikKategorie::vyprazdni()
{
    Edit_NAZEV->clear();
    JvColorSquare_BARVA->setBarva(Qt::black);
    JvIntegerEdit_PORADI->setValue(0);
}

bool TFormEditCiselnikKategorie::nactiZaznam(int id)
{
    const std::optional<Kategorie> k = NactiKategorii(SQLDATA(), m_ciselnik, id);
    if (!k) return false;
    Edit_NAZEV->setText(k->Nazev);
    JvColorSquare_BARVA->setBarva(BarvaZHodnoty(k->Barva));
    JvIntegerEdit_PORADI->setValue(k->Poradi);
    zapamatujPrecteny(*k, k->Revize);
    return true;
}

VysledekZapisu TFormEditCiselnikKategorie::zapis()
{
    const Kategorie k{Edit_NAZEV->text(), HodnotaZBarvy(JvColorSquare_BARVA->barva()),
                      JvIntegerEdit_PORADI->value()};
    return UlozKategorii(SQLDATA(), m_ciselnik, k, ZaznamID(), precteny<Kategorie>());
}

VysledekZapisu TFormEditCiselnikKategorie::smaz()
{
    return SmazKategorii(SQLDATA(), m_ciselnik, ZaznamID());
}

void TFormEditCiselnikKategorie::nactiKategorie()
{
    if (m_nactiKategorie) m_nactiKategorie(m_ciselnik.Druh);
}

void TFormEditCiselnikKategorie::JvColorSquare_BARVADblClick()
{
    if (const auto c = dialogs::color(this, JvColorSquare_BARVA->barva())) JvColorSquare_BARVA->setBarva(*c);
}
