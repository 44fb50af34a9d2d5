#include "fEditCiselnikKalendarKategorie.h"

#include "FRAME_KUC_logic.h"
#include "udalost.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/ui_dialogs.h"
#include "data/ktdata.h"
#include "data/sqlvalues.h"
#include "users/rights.h"

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

const QString SqlNactiKategorii = QStringLiteral(
    "Select ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi from ku_c_kat where (ku_c_kat_id=%d);");
const QString SqlUlozKategorii = QStringLiteral(
    "update ku_c_kat set ku_c_kat_nazev=%s,ku_c_kat_barva=%d,ku_c_kat_poradi=%d where ku_c_kat_id=%d;");
const QString SqlVlozKategorii =
    QStringLiteral("insert into ku_c_kat(ku_c_kat_nazev,ku_c_kat_barva,ku_c_kat_poradi) values(%s,%d,%d)");
const QString SqlPouzitiKategorie = QStringLiteral("select count(*) from ku_kat where (ku_c_kat_id=%d)");
const QString SqlSmazKategorii = QStringLiteral("delete from ku_c_kat where ku_c_kat_id=%d");

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
    m_barva = c;
    update();
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

TFormEditCiselnikKalendarKategorie::TFormEditCiselnikKalendarKategorie(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormEditCiselnikKalendarKategorie"));
    setWindowTitle(QStringLiteral("Orvan - Edtitace kategorií v kalendáři"));
    resize(429, 185);

    auto* lista = new QWidget(this);
    SB_Save = new QToolButton(lista);
    SB_Save->setObjectName(QStringLiteral("SB_Save"));
    SB_Save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SB_Save->setAutoRaise(true);
    SB_Delete = new QToolButton(lista);
    SB_Delete->setObjectName(QStringLiteral("SB_Delete"));
    SB_Delete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    SB_Delete->setAutoRaise(true);
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->addWidget(SB_Save);
    h->addWidget(SB_Delete);
    h->addStretch(1);

    Edit_NAZEV = new QLineEdit(this);
    Edit_NAZEV->setObjectName(QStringLiteral("Edit_NAZEV"));
    Edit_NAZEV->setMaxLength(100);
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

    connect(SB_Save, &QToolButton::clicked, this, [this] { runAction([this] { SB_SaveClick(); }); });
    connect(SB_Delete, &QToolButton::clicked, this, [this] { runAction([this] { SB_DeleteClick(); }); });
    connect(JvColorSquare_BARVA, &TColorSquare::doubleClicked, this,
            [this] { runAction([this] { JvColorSquare_BARVADblClick(); }); });
}

void TFormEditCiselnikKalendarKategorie::Napln(int id)
{
    m_id = id;
    Edit_NAZEV->clear();
    JvColorSquare_BARVA->setBarva(Qt::black);
    JvIntegerEdit_PORADI->setValue(0);
    if (id == 0) return;
    TKTDATASET t;
    SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiKategorii, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return;
    Edit_NAZEV->setText(t.HodnotaJmeno(1, QStringLiteral("KU_C_KAT_NAZEV")));
    JvColorSquare_BARVA->setBarva(BarvaZHodnoty(t.HodnotaInt(1, QStringLiteral("KU_C_KAT_BARVA"))));
    JvIntegerEdit_PORADI->setValue(t.HodnotaInt(1, QStringLiteral("KU_C_KAT_PORADI")));
}

void TFormEditCiselnikKalendarKategorie::SB_SaveClick()
{
    const QString nazev = TextSQL(Edit_NAZEV->text());
    const QString barva = QString::number(HodnotaZBarvy(JvColorSquare_BARVA->barva()));
    const QString poradi = QString::number(JvIntegerEdit_PORADI->value());
    const QString sql = m_id != 0
                            ? VyplnSablonu(SqlUlozKategorii, {nazev, barva, poradi, QString::number(m_id)})
                            : VyplnSablonu(SqlVlozKategorii, {nazev, barva, poradi});
    QString chyba;
    const bool ok = SQLDATA().ProvedSQL(sql, chyba);
    if (!ok) messages::error(sql + QStringLiteral("\r\n") + chyba);
    SQLDATA().UdelejRefresh();
    if (m_nactiKategorie) m_nactiKategorie(QStringLiteral("KU"));
    // A refused save keeps the window open with the user's input.
    if (ok) close();
}

void TFormEditCiselnikKalendarKategorie::SB_DeleteClick()
{
    if (m_id == 0) return;
    if (!messages::confirm(TextOpravduSmazat)) return;
    if (SQLDATA().VratInt(VyplnSablonu(SqlPouzitiKategorie, {QString::number(m_id)})) != 0) {
        messages::error(kTextPouzit);
        return;
    }
    QString chyba;
    SQLDATA().ProvedSQL(VyplnSablonu(SqlSmazKategorii, {QString::number(m_id)}), chyba);
    SQLDATA().UdelejRefresh();
    close();
}

void TFormEditCiselnikKalendarKategorie::JvColorSquare_BARVADblClick()
{
    if (const auto c = dialogs::color(this, JvColorSquare_BARVA->barva())) JvColorSquare_BARVA->setBarva(*c);
}
