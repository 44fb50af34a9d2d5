#include "logbook/ui/framezadavanijizd.h"

#include "common/action.h"
#include "common/ktdatumj.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/ui/editorzaznamu.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

template <typename T> T* pojmenuj(T* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

QString s(const char* t)
{
    return QString::fromUtf8(t);
}

} // namespace

TFrameZadavaniJizd::TFrameZadavaniJizd(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameZadavaniJizd"));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(4, 4, 4, 4);
    h->addWidget(sestavLevou(), 3);
    h->addWidget(sestavPravou(), 2);
    propoj();
    editor::nastavDelkyPoli(this, DelkySloupcu(SQLDATA(), QStringLiteral("KJ")));
}

void TFrameZadavaniJizd::sestavStranu(Strana& st, const QString& nazev, const char* predpona, QWidget* rodic)
{
    const QString p = QLatin1String(predpona);
    st.box = pojmenuj(new QGroupBox(nazev, rodic), QStringLiteral("GroupBox_") + p);
    st.Label_ID = pojmenuj(new QLabel(QStringLiteral("0"), st.box), QStringLiteral("Label_%1_ID").arg(p));
    auto edit = [&](const char* sloupec, const QString& tip) {
        auto* e =
            pojmenuj(new QLineEdit(st.box), QStringLiteral("Edit_%1_%2").arg(p, QLatin1String(sloupec)));
        e->setPlaceholderText(tip);
        return e;
    };
    st.Edit_NAZEV = edit("NAZEV", s("Název"));
    st.Edit_JMENO = edit("JMENO", s("Jméno"));
    st.Edit_PRIJMENI = edit("PRIJMENI", s("Příjmení"));
    st.Edit_ULICE = edit("ULICE", s("Ulice"));
    st.Edit_PSC = edit("PSC", s("PSČ"));
    st.Edit_MESTO = edit("MESTO", s("Město"));
    st.Edit_STAT = edit("STAT", s("Stát"));
    const bool od = p == QLatin1String("OD");
    st.SB_PRESUN = tlacitko(st.box, od ? "SB_OD_DO" : "SB_DO_OD", od ? s("Od→Do") : s("Do→Od"),
                            od ? s("Přesune adresu Od->Do") : s("Přesune adresu Do->Od"));
    st.SB_VYMAZAT = tlacitko(st.box, od ? "SB_OD_VYMAZAT" : "SB_DO_VYMAZAT", QStyle::SP_DialogResetButton,
                             QString(), s("Vymaže formulář"));
    auto* g = new QGridLayout(st.box);
    g->setContentsMargins(4, 4, 4, 4);
    g->setSpacing(3);
    auto* horni = new QHBoxLayout;
    horni->addWidget(new QLabel(QStringLiteral("ID:"), st.box));
    horni->addWidget(st.Label_ID);
    horni->addStretch(1);
    horni->addWidget(st.SB_PRESUN);
    horni->addWidget(st.SB_VYMAZAT);
    g->addLayout(horni, 0, 0, 1, 2);
    g->addWidget(st.Edit_NAZEV, 1, 0, 1, 2);
    g->addWidget(st.Edit_JMENO, 2, 0);
    g->addWidget(st.Edit_PRIJMENI, 2, 1);
    g->addWidget(st.Edit_ULICE, 3, 0, 1, 2);
    g->addWidget(st.Edit_PSC, 4, 0);
    g->addWidget(st.Edit_MESTO, 4, 1);
    g->addWidget(st.Edit_STAT, 5, 0, 1, 2);
    g->setColumnStretch(1, 2);
    g->setColumnStretch(0, 1);
}

QWidget* TFrameZadavaniJizd::sestavLevou()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);

    auto* horni = pojmenuj(new QGroupBox(QString(), w), QStringLiteral("GroupBox_AUTO"));
    KTCB_AUTO = pojmenuj(new TKTComboBox(horni), QStringLiteral("KTCB_AUTO"));
    KTEDITDC1 = pojmenuj(new TKTEDITDC(horni, 3), QStringLiteral("KTEDITDC1"));
    SpeedButton1 = tlacitko(horni, "SpeedButton1", QStringLiteral("+1"), s("Přidá 1 den k datumu"));
    KTCB_DUVOD = pojmenuj(new TKTComboBox(horni), QStringLiteral("KTCB_DUVOD"));
    KTCB_DUVOD->setEditable(true);
    KTCB_DUVOD->setInsertPolicy(QComboBox::NoInsert);
    SB_PRIDAT = tlacitko(horni, "SB_PRIDAT", QStringLiteral("+"), s("Přidá důvod do nabídky důvodů"));
    SpeedButton2 = tlacitko(horni, "SpeedButton2", QStringLiteral("→Do"),
                            s("Přidat tento důvod do číselníku adresy DO"));
    auto* g = new QGridLayout(horni);
    g->addWidget(new QLabel(QStringLiteral("Auto"), horni), 0, 0);
    g->addWidget(KTCB_AUTO, 0, 1, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Datum"), horni), 1, 0);
    g->addWidget(KTEDITDC1, 1, 1);
    g->addWidget(SpeedButton1, 1, 2);
    g->addWidget(new QLabel(s("Důvod"), horni), 2, 0);
    g->addWidget(KTCB_DUVOD, 2, 1, 1, 2);
    g->addWidget(SB_PRIDAT, 2, 3);
    g->addWidget(SpeedButton2, 2, 4);
    g->setColumnStretch(1, 1);
    v->addWidget(horni);

    sestavStranu(m_od, QStringLiteral("Od"), "OD", w);
    sestavStranu(m_do, QStringLiteral("Do"), "DO", w);
    // Side by side: the form fits a small window without squeezing the fields.
    auto* adresy = new QHBoxLayout;
    adresy->addWidget(m_od.box);
    adresy->addWidget(m_do.box);
    v->addLayout(adresy);
    v->addWidget(sestavTachometr(w));

    auto* spodni = new QHBoxLayout;
    auto* vzd = pojmenuj(new QGroupBox(PoleVzdalenost.popisek, w), QStringLiteral("GroupBox_VZDALENOST"));
    Edit_VZDALENOST = pojmenuj(new QSpinBox(vzd), QStringLiteral("Edit_VZDALENOST"));
    Edit_VZDALENOST_MAX = pojmenuj(new QSpinBox(vzd), QStringLiteral("Edit_VZDALENOST_MAX"));
    for (QSpinBox* sb : {Edit_VZDALENOST, Edit_VZDALENOST_MAX}) {
        sb->setRange(0, 99999);
        sb->setSuffix(QStringLiteral(" km"));
    }
    SB_SAVE_VZDALENOST = tlacitko(vzd, "SB_SAVE_VZDALENOST", QStyle::SP_DialogSaveButton, QString(),
                                  s("Uloží tuto cestu se vzdáleností"));
    ChB_VZDALENOST_PRO_OBA_SMERY =
        pojmenuj(new QCheckBox(s("Oba směry"), vzd), QStringLiteral("ChB_VZDALENOST_PRO_OBA_SMERY"));
    ChB_VZDALENOST_PRO_OBA_SMERY->setToolTip(s("Uloží vzdálenost pro oba směry"));
    ChB_VZDALENOST_PRO_OBA_SMERY->setChecked(true);
    auto* gv = new QGridLayout(vzd);
    gv->addWidget(new QLabel(s("Minimimální"), vzd), 0, 0);
    gv->addWidget(Edit_VZDALENOST, 0, 1);
    gv->addWidget(SB_SAVE_VZDALENOST, 0, 2);
    gv->addWidget(new QLabel(s("Maximální"), vzd), 1, 0);
    gv->addWidget(Edit_VZDALENOST_MAX, 1, 1);
    gv->addWidget(ChB_VZDALENOST_PRO_OBA_SMERY, 1, 2);
    spodni->addWidget(vzd, 1);

    auto* akceBox = pojmenuj(new QGroupBox(QStringLiteral("Akce"), w), QStringLiteral("GroupBox_AKCE"));
    SB_NovaAdresa =
        pojmenuj(new QPushButton(s("Nová adresa do adresáře"), akceBox), QStringLiteral("SB_NovaAdresa"));
    SB_REFRESH = pojmenuj(new QPushButton(s("Znovu načte údaje adresáře atd."), akceBox),
                          QStringLiteral("SB_REFRESH"));
    BitBtn_SAVE = pojmenuj(new QPushButton(s("&Ulož"), akceBox), QStringLiteral("BitBtn_SAVE"));
    BitBtn_SAVE->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    auto* va = new QVBoxLayout(akceBox);
    va->addWidget(SB_NovaAdresa);
    va->addWidget(SB_REFRESH);
    va->addWidget(BitBtn_SAVE);
    spodni->addWidget(akceBox, 1);
    v->addLayout(spodni);
    v->addStretch(1);
    return w;
}

QWidget* TFrameZadavaniJizd::sestavTachometr(QWidget* rodic)
{
    auto* box = pojmenuj(new QGroupBox(s("Tachometr a řidič"), rodic), QStringLiteral("GroupBox_TACHOMETR"));
    Edit_TACHOMETR_OD = pojmenuj(new QLineEdit(box), QStringLiteral("Edit_TACHOMETR_OD"));
    Edit_TACHOMETR_DO = pojmenuj(new QLineEdit(box), QStringLiteral("Edit_TACHOMETR_DO"));
    for (QLineEdit* e : {Edit_TACHOMETR_OD, Edit_TACHOMETR_DO}) {
        e->setValidator(new QIntValidator(0, 99999999, e));
        e->setMaxLength(8);
    }
    KTCB_RIDIC = pojmenuj(new TKTComboBox(box), QStringLiteral("KTCB_RIDIC"));
    ChB_SOUKROMA = pojmenuj(new QCheckBox(s("Soukromá jízda"), box), QStringLiteral("ChB_SOUKROMA"));
    KTEDITDC_ODJEZD = pojmenuj(new TKTEDITDC(box, 5), QStringLiteral("KTEDITDC_ODJEZD"));
    KTEDITDC_PRIJEZD = pojmenuj(new TKTEDITDC(box, 5), QStringLiteral("KTEDITDC_PRIJEZD"));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(4, 4, 4, 4);
    g->addWidget(new QLabel(PoleTachometrOd.popisek, box), 0, 0);
    g->addWidget(Edit_TACHOMETR_OD, 0, 1);
    g->addWidget(new QLabel(PoleTachometrDo.popisek, box), 0, 2);
    g->addWidget(Edit_TACHOMETR_DO, 0, 3);
    g->addWidget(new QLabel(s("Řidič"), box), 0, 4);
    g->addWidget(KTCB_RIDIC, 0, 5);
    g->addWidget(new QLabel(s("Odjezd"), box), 1, 0);
    g->addWidget(KTEDITDC_ODJEZD, 1, 1);
    g->addWidget(new QLabel(s("příjezd"), box), 1, 2);
    g->addWidget(KTEDITDC_PRIJEZD, 1, 3);
    g->addWidget(ChB_SOUKROMA, 1, 4, 1, 2);
    g->setColumnStretch(5, 1);
    return box;
}

void TFrameZadavaniJizd::nactiTachometr()
{
    const int vuz = KTCB_AUTO->VratZvoleneID();
    Edit_TACHOMETR_OD->setText(vuz > 0 ? PosledniTachometr(SQLDATA(), vuz) : QString());
    Edit_TACHOMETR_DO->clear();
}

QWidget* TFrameZadavaniJizd::sestavPravou()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    auto* kam = pojmenuj(new QGroupBox(s("Kam kopírovat adresu"), w), QStringLiteral("GroupBox_KAM"));
    RB_Od = pojmenuj(new QRadioButton(QStringLiteral("Od"), kam), QStringLiteral("RB_Od"));
    RB_Do = pojmenuj(new QRadioButton(QStringLiteral("Do"), kam), QStringLiteral("RB_Do"));
    RB_Do->setChecked(true);
    CB_POSUN = pojmenuj(new QCheckBox(QStringLiteral("Posun"), kam), QStringLiteral("CB_POSUN"));
    CB_POSUN->setChecked(true);
    auto* hk = new QHBoxLayout(kam);
    hk->addWidget(RB_Od);
    hk->addWidget(RB_Do);
    hk->addWidget(CB_POSUN);
    hk->addStretch(1);
    v->addWidget(kam);

    auto* caste = pojmenuj(new QGroupBox(s("Časté adresy"), w), QStringLiteral("GroupBox_CASTE"));
    auto* gc = new QGridLayout(caste);
    gc->setSpacing(2);
    for (int i = 0; i < 5; ++i) {
        KTCB_Caste_Adresy[i] =
            pojmenuj(new TKTComboBox(caste), QStringLiteral("KTCB_Caste_Adresy%1").arg(i + 1));
        SB_CASTE_ADRESY[i] = tlacitko(caste, "", QStringLiteral("⇐"), s("Nakopíruje adresu"));
        SB_CASTE_ADRESY[i]->setObjectName(QStringLiteral("SB_CASTE_ADRESY_%1").arg(i + 1));
        gc->addWidget(KTCB_Caste_Adresy[i], i, 0);
        gc->addWidget(SB_CASTE_ADRESY[i], i, 1);
    }
    gc->setColumnStretch(0, 1);
    v->addWidget(caste);

    auto* adresy = pojmenuj(new QGroupBox(QStringLiteral("Adresy"), w), QStringLiteral("GroupBox_ADRESY"));
    KTLB_ADRESY = pojmenuj(new TKTListBox(adresy), QStringLiteral("KTLB_ADRESY"));
    (new QVBoxLayout(adresy))->addWidget(KTLB_ADRESY);
    v->addWidget(adresy, 1);
    return w;
}

void TFrameZadavaniJizd::propoj()
{
    connect(BitBtn_SAVE, &QPushButton::clicked, this, akce(this, &TFrameZadavaniJizd::BitBtn_SAVEClick));
    connect(SB_SAVE_VZDALENOST, &QToolButton::clicked, this,
            akce(this, &TFrameZadavaniJizd::SB_SAVE_VZDALENOSTClick));
    connect(SB_PRIDAT, &QToolButton::clicked, this, akce(this, &TFrameZadavaniJizd::SB_PRIDATClick));
    connect(SpeedButton2, &QToolButton::clicked, this, akce(this, &TFrameZadavaniJizd::SpeedButton2Click));
    connect(SpeedButton1, &QToolButton::clicked, this, akce(this, &TFrameZadavaniJizd::SpeedButton1Click));
    connect(SB_NovaAdresa, &QPushButton::clicked, this, akce(this, &TFrameZadavaniJizd::SB_NovaAdresaClick));
    connect(SB_REFRESH, &QPushButton::clicked, this, akce(this, &TFrameZadavaniJizd::NactiSeznamy));
    connect(m_od.SB_PRESUN, &QToolButton::clicked, this, akce(this, &TFrameZadavaniJizd::SB_OD_DOClick));
    connect(m_do.SB_PRESUN, &QToolButton::clicked, this, akce(this, &TFrameZadavaniJizd::SB_DO_ODClick));
    connect(m_od.SB_VYMAZAT, &QToolButton::clicked, this, [this] {
        vymaz(m_od);
        BitBtn_SAVE->setEnabled(true);
    });
    connect(m_do.SB_VYMAZAT, &QToolButton::clicked, this, [this] {
        vymaz(m_do);
        BitBtn_SAVE->setEnabled(true);
    });
    connect(RB_Do, &QRadioButton::toggled, CB_POSUN, &QWidget::setEnabled);
    // Another car: its odometer continues where its last ride ended.
    connect(KTCB_AUTO, &QComboBox::activated, this, [this] { runAction([this] { nactiTachometr(); }); });
    for (int i = 0; i < 5; ++i)
        connect(SB_CASTE_ADRESY[i], &QToolButton::clicked, this,
                [this, i] { runAction([this, i] { VyplnAdresu(KTCB_Caste_Adresy[i]->VratZvoleneID()); }); });
    // A click that changes the selection copies the address; the double
    // click that follows it copies nothing more.
    connect(KTLB_ADRESY, &QListWidget::currentRowChanged, this, [this] { m_zmenaVyberu = true; });
    connect(KTLB_ADRESY, &QListWidget::itemClicked, this, [this] { runAction([this] { klikNaAdresu(); }); });
    connect(KTLB_ADRESY, &QListWidget::itemDoubleClicked, this,
            [this] { runAction([this] { dvojklikNaAdresu(); }); });
    for (Strana* st : {&m_od, &m_do})
        for (QLineEdit* e : {st->Edit_NAZEV, st->Edit_JMENO, st->Edit_PRIJMENI, st->Edit_ULICE, st->Edit_PSC,
                             st->Edit_MESTO, st->Edit_STAT})
            connect(e, &QLineEdit::textChanged, this, [this] {
                if (!m_vyplnuje) BitBtn_SAVE->setEnabled(true);
            });
}

// ---- Lists --------------------------------------------------------------------

void TFrameZadavaniJizd::nactiDuvody()
{
    const QString napsano = KTCB_DUVOD->currentText();
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlDuvody, t);
    KTCB_DUVOD->KTCLEAR();
    if (!napsano.isEmpty()) KTCB_DUVOD->setEditText(napsano);
    for (int r = 1; r <= t.PocetRadku(); ++r)
        KTCB_DUVOD->Pridej(t.HodnotaInt(r, QStringLiteral("ID")), t.HodnotaJmeno(r, QStringLiteral("POPIS")));
}

void TFrameZadavaniJizd::nactiAdresy(const QList<TKTListBox*>& seznamy, const QList<TKTComboBox*>& boxy)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlAdresy(KategorieAdresar ? KategorieAdresar() : QStringLiteral("0")), t);
    // Every saved ride, from any workstation, reloads the lists: the boxes keep
    // their addresses and the list its selected and top rows, by id, so the
    // user's place survives rows added or removed meanwhile.
    struct Poloha {
        int zvolene = 0;
        int horni = 0;
    };
    QList<Poloha> polohy;
    for (TKTListBox* l : seznamy) {
        const QModelIndex horni = l->indexAt(QPoint(0, 0));
        polohy.append({l->VratZvoleneID(), horni.isValid() ? l->VratID(horni.row()) : 0});
    }
    QList<int> zvolene;
    for (TKTComboBox* c : boxy)
        zvolene << c->VratZvoleneID();
    for (TKTListBox* l : seznamy) {
        const QSignalBlocker b(l);
        l->KTCLEAR();
    }
    for (TKTComboBox* c : boxy)
        c->KTCLEAR();
    for (int r = 1; r <= t.PocetRadku(); ++r) {
        const int id = t.HodnotaInt(r, QStringLiteral("ID"));
        const QString popis = PopisAdresy(t, r);
        for (TKTListBox* l : seznamy) {
            const QSignalBlocker b(l);
            l->Pridej(id, popis);
        }
        for (TKTComboBox* c : boxy)
            c->Pridej(id, popis);
    }
    for (qsizetype i = 0; i < boxy.size(); ++i)
        boxy[i]->VyberID(zvolene[i]);
    for (qsizetype i = 0; i < seznamy.size(); ++i) {
        TKTListBox* l = seznamy[i];
        const QSignalBlocker b(l);
        l->VyberID(polohy[i].zvolene);
        for (int r = 0; r < l->count(); ++r)
            if (l->VratID(r) == polohy[i].horni)
                l->scrollToItem(l->item(r), QAbstractItemView::PositionAtTop);
    }
    m_zmenaVyberu = false;
}

void TFrameZadavaniJizd::NactiSeznamy()
{
    // The chosen addresses keep their ids: a ride saved after a reload still
    // names the entries its texts came from.
    nactiDuvody();

    const int auto_ = KTCB_AUTO->VratZvoleneID();
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlAuta(), t);
    KTCB_AUTO->KTCLEAR();
    for (int r = 1; r <= t.PocetRadku(); ++r)
        KTCB_AUTO->Pridej(t.HodnotaInt(r, QStringLiteral("ID")), t.HodnotaJmeno(r, QStringLiteral("POPIS")));
    if (auto_ > 0) KTCB_AUTO->VyberID(auto_);
    if (Edit_TACHOMETR_OD->text().trimmed().isEmpty() || KTCB_AUTO->VratZvoleneID() != auto_)
        nactiTachometr();

    // Drivers: the users; the logged-in one unless another was chosen.
    const int ridic = KTCB_RIDIC->count() > 0 ? KTCB_RIDIC->VratZvoleneID() : session().UzivatelID;
    TKTDATASET u;
    SQLDATA().NactiTabulku(QStringLiteral("select uzivatel_id, login, popis from uzivatel order by login"),
                           u);
    KTCB_RIDIC->KTCLEAR();
    for (int r = 1; r <= u.PocetRadku(); ++r) {
        QString popis = u.HodnotaJmeno(r, QStringLiteral("POPIS")).trimmed();
        if (popis.isEmpty()) popis = u.HodnotaJmeno(r, QStringLiteral("LOGIN")).trimmed();
        KTCB_RIDIC->Pridej(u.HodnotaInt(r, QStringLiteral("UZIVATEL_ID")), popis);
    }
    KTCB_RIDIC->VyberID(ridic);

    nactiAdresy({KTLB_ADRESY}, {KTCB_Caste_Adresy[0], KTCB_Caste_Adresy[1], KTCB_Caste_Adresy[2],
                                KTCB_Caste_Adresy[3], KTCB_Caste_Adresy[4]});
}

// ---- Addresses ----------------------------------------------------------------

void TFrameZadavaniJizd::nastavStranu(Strana& st, const AdresaJizdy& a)
{
    m_vyplnuje = true;
    st.Edit_NAZEV->setText(a.Nazev);
    st.Edit_JMENO->setText(a.Jmeno);
    st.Edit_PRIJMENI->setText(a.Prijmeni);
    st.Edit_ULICE->setText(a.Ulice);
    st.Edit_PSC->setText(a.Psc);
    st.Edit_MESTO->setText(a.Mesto);
    st.Edit_STAT->setText(a.Stat);
    st.id = a.Id;
    st.Label_ID->setText(QString::number(a.Id));
    m_vyplnuje = false;
}

AdresaJizdy TFrameZadavaniJizd::strana(const Strana& st) const
{
    AdresaJizdy a;
    a.Id = st.id;
    a.Nazev = st.Edit_NAZEV->text();
    a.Jmeno = st.Edit_JMENO->text();
    a.Prijmeni = st.Edit_PRIJMENI->text();
    a.Ulice = st.Edit_ULICE->text();
    a.Psc = st.Edit_PSC->text();
    a.Mesto = st.Edit_MESTO->text();
    a.Stat = st.Edit_STAT->text();
    return a;
}

void TFrameZadavaniJizd::vymaz(Strana& st)
{
    nastavStranu(st, AdresaJizdy());
}

void TFrameZadavaniJizd::presun(Strana& z, Strana& na)
{
    nastavStranu(na, strana(z));
    vymaz(z);
    BitBtn_SAVE->setEnabled(true);
}

void TFrameZadavaniJizd::SB_OD_DOClick()
{
    presun(m_od, m_do);
}

void TFrameZadavaniJizd::SB_DO_ODClick()
{
    presun(m_do, m_od);
}

void TFrameZadavaniJizd::VyplnAdresu(int id)
{
    if (id <= 0) return;
    TKTDATASET t;
    SQLDATA().NactiTabulku(QStringLiteral("Select * from adresar_zakl where adresar_zakl_id=%1;").arg(id), t);
    if (t.PocetRadku() < 1) return;
    const AdresaJizdy a = AdresaJizdy::ZRadku(t, 1, id);
    if (RB_Od->isChecked()) {
        nastavStranu(m_od, a);
    } else {
        if (CB_POSUN->isChecked()) nastavStranu(m_od, strana(m_do));
        nastavStranu(m_do, a);
        NactiVzdalenost();
    }
    BitBtn_SAVE->setEnabled(true);
}

void TFrameZadavaniJizd::klikNaAdresu()
{
    m_kliknuto = 0;
    if (!m_zmenaVyberu) return;
    m_zmenaVyberu = false;
    m_kliknuto = KTLB_ADRESY->VratZvoleneID();
    VyplnAdresu(m_kliknuto);
}

void TFrameZadavaniJizd::dvojklikNaAdresu()
{
    const int id = KTLB_ADRESY->VratZvoleneID();
    const bool uzZkopirovano = id == m_kliknuto;
    m_kliknuto = 0;
    if (!uzZkopirovano) VyplnAdresu(id);
}

void TFrameZadavaniJizd::NactiVzdalenost()
{
    Edit_VZDALENOST->setValue(0);
    Edit_VZDALENOST_MAX->setValue(0);
    KTCB_DUVOD->setEditText(QString());
    if (m_od.id == 0 || m_do.id == 0) return;
    const Vzdalenost v = ::NactiVzdalenost(SQLDATA(), m_od.id, m_do.id);
    if (v.nalezena) {
        int km = v.min;
        if (session().KJTest && v.max > v.min)
            km = v.min + int(QRandomGenerator::global()->bounded(v.max - v.min + 1));
        Edit_VZDALENOST->setValue(km);
        Edit_VZDALENOST_MAX->setValue(v.max);
    }
    KTCB_DUVOD->setEditText(NactiDuvod(SQLDATA(), m_do.id));
}

// ---- Saving -------------------------------------------------------------------

JizdaPole TFrameZadavaniJizd::Jizda() const
{
    JizdaPole j;
    j.AutoId = KTCB_AUTO->VratZvoleneID();
    j.Datum = KTEDITDC1->text();
    j.Duvod = KTCB_DUVOD->currentText();
    j.Vzdalenost = QString::number(Edit_VZDALENOST->value());
    j.Od = strana(m_od);
    j.Do = strana(m_do);
    j.TachometrOd = Edit_TACHOMETR_OD->text();
    j.TachometrDo = Edit_TACHOMETR_DO->text();
    j.RidicId = KTCB_RIDIC->VratZvoleneID();
    j.Soukroma = ChB_SOUKROMA->isChecked();
    j.CasOdjezdu = KTEDITDC_ODJEZD->text();
    j.CasPrijezdu = KTEDITDC_PRIJEZD->text();
    return j;
}

void TFrameZadavaniJizd::BitBtn_SAVEClick()
{
    const JizdaPole j = Jizda();
    if (!JizdaJeUplna(j)) {
        messages::error(TextNeniVyplneno);
        return;
    }
    if (const QString chyba = ChybaUdajuJizdy(j); !chyba.isEmpty()) {
        messages::error(chyba);
        return;
    }
    // A distance the odometer contradicts is asked about; No keeps the form.
    if (const QString otazka = OtazkaVzdalenosti(j); !otazka.isEmpty() && !messages::confirm(otazka)) return;
    // A gap or overlap of the odometer is told, not refused.
    const QString upozorneni = UpozorneniTachometru(SQLDATA(), j);
    // Disabled until an address changes: a second press stores nothing twice.
    BitBtn_SAVE->setEnabled(false);
    const VysledekZapisu v = UlozJizdu(SQLDATA(), j, session().UzivatelID);
    if (!v.ok) {
        // Nothing was stored: the same ride may be saved again.
        BitBtn_SAVE->setEnabled(true);
        messages::error(v.chyba);
        return;
    }
    // The next ride starts where this one ended.
    if (!j.TachometrDo.trimmed().isEmpty()) {
        Edit_TACHOMETR_OD->setText(j.TachometrDo.trimmed());
        Edit_TACHOMETR_DO->clear();
    }
    if (!upozorneni.isEmpty()) messages::error(upozorneni);
}

bool TFrameZadavaniJizd::ulozSmer(int od, int doId, int min, int max, const QString& otazka,
                                  QStringList& prikazy)
{
    const Vzdalenost v = ::NactiVzdalenost(SQLDATA(), od, doId);
    if (v.nalezena && !messages::confirm(otazka.arg(v.min).arg(v.max))) return false;
    prikazy << PrikazyVzdalenosti(od, doId, min, max);
    return true;
}

void TFrameZadavaniJizd::SB_SAVE_VZDALENOSTClick()
{
    const int min = Edit_VZDALENOST->value();
    const int max = Edit_VZDALENOST_MAX->value();
    bool chyba = false;
    if (m_od.id == 0 || m_do.id == 0 || min <= 0 || max <= 0) {
        messages::error(TextNeniVyplneno);
        chyba = true;
    }
    if (max < min) {
        messages::error(TextMaxMensi);
        chyba = true;
    }
    if (chyba) return;
    QStringList prikazy;
    ulozSmer(
        m_od.id, m_do.id, min, max,
        s("Data jsou již uložena s hodnotami vzdálenost=%1, maximimální vzdálenost=%2, Chcete je přepsat ?"),
        prikazy);
    if (ChB_VZDALENOST_PRO_OBA_SMERY->isChecked())
        ulozSmer(
            m_do.id, m_od.id, min, max,
            s("Data pro opačný směr jsou již uložena s hodnotami vzdálenost=%1, maximimální vzdálenost=%2, "
              "Chcete je přepsat ?"),
            prikazy);
    if (prikazy.isEmpty()) return;
    // Delete and insert of both directions in one transaction: a failed
    // insert keeps the distances remembered before.
    if (const VysledekZapisu v = SQLDATA().ProvedSQLSeznam(prikazy); !v.ok)
        messages::error(prikazy.constFirst() + QStringLiteral("\r\n") + v.chyba);
}

void TFrameZadavaniJizd::SB_PRIDATClick()
{
    const QString duvod = KTCB_DUVOD->currentText();
    if (const VysledekZapisu v = PridejDuvod(SQLDATA(), duvod); !v.ok) {
        messages::error(v.chyba);
        return;
    }
    // The list grows; the field keeps what was typed.
    nactiDuvody();
    KTCB_DUVOD->setEditText(duvod);
}

void TFrameZadavaniJizd::SpeedButton2Click()
{
    const QString duvod = KTCB_DUVOD->currentText();
    if (duvod.trimmed().isEmpty() || m_do.id <= 0) {
        messages::error(TextNeniVyplneno);
        return;
    }
    if (const VysledekZapisu v = UlozDuvod(SQLDATA(), m_do.id, duvod); !v.ok) messages::error(v.chyba);
}

void TFrameZadavaniJizd::SpeedButton1Click()
{
    const QString d = KTEDITDC1->text().trimmed();
    if (d.isEmpty()) return;
    if (!PlatneDatum(d)) {
        messages::error(TextChybnaData);
        return;
    }
    KTEDITDC1->setText(DatumNaText(4, TextNaDatum(2, d) + 1));
}

void TFrameZadavaniJizd::SB_NovaAdresaClick()
{
    if (!NovaAdresa) return;
    const int id = NovaAdresa();
    nactiAdresy({KTLB_ADRESY}, {});
    if (id > 0) {
        const QSignalBlocker b(KTLB_ADRESY);
        KTLB_ADRESY->VyberID(id);
    }
}
