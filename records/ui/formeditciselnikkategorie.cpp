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
#include "records/ui/editor.h"

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

namespace
{
const QString kTextPouzit = QStringLiteral("Záznam je již použit v systému a není možné ho smazat !");
}

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
    : QWidget(parent, Qt::Window), m_ciselnik(ciselnik)
{
    setObjectName(jmeno);
    setWindowTitle(titulek);
    resize(429, 185);

    auto* lista = new QWidget(this);
    SB_Save = tlacitko(lista, "SB_Save", QStyle::SP_DialogSaveButton, QString(), QString());
    SB_Delete = tlacitko(lista, "SB_Delete", QStyle::SP_TrashIcon, QString(), QString());
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->addWidget(SB_Save);
    h->addWidget(SB_Delete);
    h->addStretch(1);

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
    g->addWidget(new QLabel(QStringLiteral("Název"), this), 0, 0);
    g->addWidget(Edit_NAZEV, 0, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Pořadí v jakém se zobrazuje"), this), 1, 0);
    g->addWidget(JvIntegerEdit_PORADI, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Zobrazovaná barva"), this), 2, 0);
    g->addWidget(JvColorSquare_BARVA, 2, 1);
    g->setColumnStretch(2, 1);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 2, 4, 4);
    v->addWidget(lista);
    v->addLayout(g);
    v->addStretch(1);

    connect(SB_Save, &QToolButton::clicked, this, akce(this, &TFormEditCiselnikKategorie::SB_SaveClick));
    connect(SB_Delete, &QToolButton::clicked, this, akce(this, &TFormEditCiselnikKategorie::SB_DeleteClick));
    connect(JvColorSquare_BARVA, &TColorSquare::doubleClicked, this,
            akce(this, &TFormEditCiselnikKategorie::JvColorSquare_BARVADblClick));
    editor::sledujZmeny(m_stav, {Edit_NAZEV, JvIntegerEdit_PORADI});
    connect(JvColorSquare_BARVA, &TColorSquare::zmenena, this, [this] { m_stav.oznacZmenu(); });
    // The name's column is <table>_NAZEV, not NAZEV.
    if (const int n =
            DelkySloupcu(SQLDATA(), m_ciselnik.Tabulka).value(m_ciselnik.Tabulka + QStringLiteral("_NAZEV")))
        Edit_NAZEV->setMaxLength(n);
}

bool TFormEditCiselnikKategorie::Napln(int id)
{
    if (!m_stav.MuzeOpustit([this] { return Uloz_zaznam(); })) return false;
    const StavEditoru::Nacitani nacitani(m_stav);
    m_stav.setId(id);
    Edit_NAZEV->clear();
    JvColorSquare_BARVA->setBarva(Qt::black);
    JvIntegerEdit_PORADI->setValue(0);
    if (id == 0) return true;
    if (const auto k = NactiKategorii(SQLDATA(), m_ciselnik, id)) {
        Edit_NAZEV->setText(k->Nazev);
        JvColorSquare_BARVA->setBarva(BarvaZHodnoty(k->Barva));
        JvIntegerEdit_PORADI->setValue(k->Poradi);
    }
    return true;
}

bool TFormEditCiselnikKategorie::Uloz_zaznam()
{
    const Kategorie k{Edit_NAZEV->text(), HodnotaZBarvy(JvColorSquare_BARVA->barva()),
                      JvIntegerEdit_PORADI->value()};
    const VysledekZapisu v = UlozKategorii(SQLDATA(), m_ciselnik, k, m_stav.id());
    if (!v.ok) {
        // A refused save keeps the window open with the user's input.
        messages::error(v.chyba);
        return false;
    }
    m_stav.zahodZmeny();
    nactiKategorie();
    return true;
}

void TFormEditCiselnikKategorie::SB_SaveClick()
{
    if (Uloz_zaznam()) close();
}

void TFormEditCiselnikKategorie::SB_DeleteClick()
{
    if (m_stav.id() == 0) return;
    if (!messages::confirm(TextOpravduSmazat)) return;
    QString chyba;
    switch (SmazKategorii(SQLDATA(), m_ciselnik, m_stav.id(), chyba)) {
    case SmazaniKategorie::Pouzita:
        messages::error(kTextPouzit);
        return;
    case SmazaniKategorie::Chyba:
        messages::error(chyba);
        return;
    case SmazaniKategorie::Smazano:
        m_stav.zahodZmeny();
        nactiKategorie();
        close();
        return;
    }
}

void TFormEditCiselnikKategorie::nactiKategorie()
{
    if (m_nactiKategorie) m_nactiKategorie(m_ciselnik.Druh);
}

void TFormEditCiselnikKategorie::JvColorSquare_BARVADblClick()
{
    if (const auto c = dialogs::color(this, JvColorSquare_BARVA->barva())) JvColorSquare_BARVA->setBarva(*c);
}

void TFormEditCiselnikKategorie::closeEvent(QCloseEvent* event)
{
    editor::zavri(event, m_stav, [this] { return Uloz_zaznam(); });
}
