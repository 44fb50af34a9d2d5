#include "common/ui/formkteditdat.h"

#include "common/ktdatumj.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// ---- TUpDown -------------------------------------------------------------

TUpDown::TUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_min(minimum), m_max(maximum)
{
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(m_up);
    l->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void TUpDown::setValue(int v)
{
    m_value = std::clamp(v, m_min, m_max);
}

void TUpDown::step(int delta)
{
    // The field may have been typed into since: start from what it shows.
    bool ok = false;
    const int current = m_buddy->text().trimmed().toInt(&ok);
    if (ok) setValue(current);
    setValue(m_value + delta);
    m_buddy->setText(QString::number(m_value));
    emit stepped();
}

void TDblClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

// ---- TFORMKTEDITDAT ------------------------------------------------------

namespace
{

QLineEdit* novePole(QWidget* parent, const char* name, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setFixedWidth(width);
    return e;
}

TUpDown* sipky(QLineEdit* buddy, const char* name, int min, int max, QWidget* parent)
{
    auto* u = new TUpDown(buddy, min, max, parent);
    u->setObjectName(QLatin1String(name));
    return u;
}

QPushButton* tlacitko(QWidget* parent, const QString& prefix, int value)
{
    const QString caption = QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(prefix + caption);
    b->setFixedSize(26, 22);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QHBoxLayout* radekPole(QLineEdit* edit, TUpDown* u)
{
    auto* r = new QHBoxLayout;
    r->setSpacing(0);
    r->addWidget(edit);
    r->addWidget(u);
    r->addStretch(1);
    return r;
}

} // namespace

TFORMKTEDITDAT::TFORMKTEDITDAT(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FORMKTEDITDAT"));
    setWindowTitle(QStringLiteral("FORMKTEDITDAT"));
    // Created in this order, which is also the order of the focus chain.
    QLayout* vysledek = buildResult();
    buildDate();
    buildCurrentTime();
    GroupBox_HODINY = buildButtonGroup(
        {"Hodiny", "GroupBox_HODINY", "Edit_HODINY", "UpDown_HODINY", 24, "Button_H", 24, 1, 6, false},
        Edit_HODINY, UpDown_HODINY);
    GroupBox_MINUTY = buildButtonGroup(
        {"Minuty", "GroupBox_MINUTY", "EDIT_MINUTY", "UpDown_MINUTY", 60, "Button_M", 60, 1, 10, true},
        EDIT_MINUTY, UpDown_MINUTY);
    GroupBox_SEKUNDY = buildButtonGroup(
        {"Sekundy", "GroupBox_SEKUNDY", "Edit_SEKUNDY", "UpDown_SEKUNDY", 100, "Button_S", 12, 5, 2, false},
        Edit_SEKUNDY, UpDown_SEKUNDY);
    buildDialogButtons();
    layOut(vysledek);
    wireFields();
    wireButtons();

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TFORMKTEDITDAT::Obnov);
    m_timer->start();
}

QLayout* TFORMKTEDITDAT::buildResult()
{
    auto* vysledek = new QHBoxLayout;
    vysledek->addWidget(new QLabel(QStringLiteral("Výsledek:"), this));
    Label_DATUM = new QLabel(this);
    Label_DATUM->setObjectName(QStringLiteral("Label_DATUM"));
    Label_DATUM->setStyleSheet(QStringLiteral("color: blue; font-weight: bold"));
    vysledek->addWidget(Label_DATUM, 1);
    return vysledek;
}

void TFORMKTEDITDAT::buildDate()
{
    GroupBox_DATUM = new QGroupBox(QStringLiteral("Datum"), this);
    GroupBox_DATUM->setObjectName(QStringLiteral("GroupBox_DATUM"));
    Edit_DEN = novePole(GroupBox_DATUM, "Edit_DEN", 28);
    Edit_MESIC = novePole(GroupBox_DATUM, "Edit_MESIC", 28);
    Edit_ROK = novePole(GroupBox_DATUM, "Edit_ROK", 44);
    UpDown_DEN = sipky(Edit_DEN, "UpDown_DEN", 0, 31, GroupBox_DATUM);
    UpDown_MESIC = sipky(Edit_MESIC, "UpDown_MESIC", 0, 12, GroupBox_DATUM);
    UpDown_ROK = sipky(Edit_ROK, "UpDown_ROK", 0, 9999, GroupBox_DATUM);
    MonthCalendar1 = new QCalendarWidget(GroupBox_DATUM);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    MonthCalendar1->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    auto* g = new QGridLayout(GroupBox_DATUM);
    g->addWidget(new QLabel(QStringLiteral("Den"), GroupBox_DATUM), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("Měsíc"), GroupBox_DATUM), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Rok"), GroupBox_DATUM), 0, 2);
    g->addLayout(radekPole(Edit_DEN, UpDown_DEN), 1, 0);
    g->addLayout(radekPole(Edit_MESIC, UpDown_MESIC), 1, 1);
    g->addLayout(radekPole(Edit_ROK, UpDown_ROK), 1, 2);
    g->addWidget(MonthCalendar1, 2, 0, 1, 4);
    g->setColumnStretch(3, 1);
    g->setRowStretch(3, 1);
}

void TFORMKTEDITDAT::buildCurrentTime()
{
    GroupBox_AKT_CAS = new QGroupBox(this);
    GroupBox_AKT_CAS->setObjectName(QStringLiteral("GroupBox_AKT_CAS"));
    auto* l = new QHBoxLayout(GroupBox_AKT_CAS);
    l->setContentsMargins(6, 2, 6, 2);
    l->addWidget(new QLabel(QStringLiteral("Aktuální čas:"), GroupBox_AKT_CAS));
    Label_AKTUAL_CAS = new TDblClickLabel(GroupBox_AKT_CAS);
    Label_AKTUAL_CAS->setObjectName(QStringLiteral("Label_AKTUAL_CAS"));
    l->addWidget(Label_AKTUAL_CAS, 1);
}

QGroupBox* TFORMKTEDITDAT::buildButtonGroup(const ButtonGroup& spec, QLineEdit*& edit, TUpDown*& sipkyPole)
{
    auto* box = new QGroupBox(QLatin1String(spec.title), this);
    box->setObjectName(QLatin1String(spec.groupName));
    edit = novePole(box, spec.editName, 28);
    sipkyPole = sipky(edit, spec.upDownName, 0, spec.upDownMax, box);

    auto* v = new QVBoxLayout(box);
    v->addLayout(radekPole(edit, sipkyPole));
    auto* g = new QGridLayout;
    g->setSpacing(1);
    const QColor aktivni = palette().color(QPalette::Active, QPalette::Highlight);
    for (int i = 0; i < spec.count; ++i) {
        const int value = i * spec.step;
        QPushButton* b = tlacitko(box, QLatin1String(spec.buttonPrefix), value);
        if (spec.markFives && value % 5 == 0) {
            QPalette p = b->palette();
            p.setColor(QPalette::ButtonText, aktivni);
            b->setPalette(p);
        }
        g->addWidget(b, i / spec.columns, i % spec.columns);
        QLineEdit* e = edit;
        connect(b, &QPushButton::clicked, this, [e, b] { e->setText(b->text()); });
    }
    v->addLayout(g);
    v->addStretch(1);
    return box;
}

void TFORMKTEDITDAT::buildDialogButtons()
{
    BitBtn_OK = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn_OK->setObjectName(QStringLiteral("BitBtn_OK"));
    BitBtn_OK->setDefault(true);
    BitBtn_STORNO = new QPushButton(QStringLiteral("&Storno"), this);
    BitBtn_STORNO->setObjectName(QStringLiteral("BitBtn_STORNO"));
}

void TFORMKTEDITDAT::layOut(QLayout* vysledek)
{
    // Hidden groups take no room, so without the date the hours start at the
    // left edge (8 pixels) and the groups stand 4 pixels apart.
    auto* skupiny = new QHBoxLayout;
    skupiny->setContentsMargins(0, 0, 0, 0);
    skupiny->setSpacing(4);
    skupiny->addWidget(GroupBox_DATUM, 0, Qt::AlignTop);
    auto* hodinySloupec = new QVBoxLayout;
    hodinySloupec->setSpacing(4);
    hodinySloupec->addWidget(GroupBox_AKT_CAS);
    hodinySloupec->addWidget(GroupBox_HODINY);
    hodinySloupec->addStretch(1);
    skupiny->addLayout(hodinySloupec);
    skupiny->addWidget(GroupBox_MINUTY, 0, Qt::AlignTop);
    skupiny->addWidget(GroupBox_SEKUNDY, 0, Qt::AlignTop);
    skupiny->addStretch(1);

    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch(1);
    tlacitka->addWidget(BitBtn_OK);
    tlacitka->addWidget(BitBtn_STORNO);

    auto* hlavni = new QVBoxLayout(this);
    hlavni->setContentsMargins(8, 8, 8, 8);
    hlavni->addLayout(vysledek);
    hlavni->addLayout(skupiny);
    hlavni->addLayout(tlacitka);
    hlavni->setSizeConstraint(QLayout::SetFixedSize);
}

void TFORMKTEDITDAT::wireFields()
{
    connect(UpDown_DEN, &TUpDown::stepped, this, [this] { Edit_DEN->setText(DoplnNulu(Edit_DEN->text())); });
    connect(UpDown_HODINY, &TUpDown::stepped, this,
            [this] { Edit_HODINY->setText(DoplnNulu(Edit_HODINY->text())); });
    // The highlighted day is the answer: a click, a double click or the keys
    // that move the highlight all take it into the fields.
    auto vezmiDen = [this](QDate d) {
        if (m_maska.isEmpty() || !d.isValid()) return; // still being opened
        QString t = QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year());
        const QString cas = casZPoli();
        if (!cas.isEmpty()) t += QLatin1Char(' ') + cas;
        NASTAV_VNITRKY(t);
    };
    connect(MonthCalendar1, &QCalendarWidget::activated, this, vezmiDen);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, vezmiDen);
    connect(MonthCalendar1, &QCalendarWidget::selectionChanged, this,
            [this, vezmiDen] { vezmiDen(MonthCalendar1->selectedDate()); });
    connect(Label_AKTUAL_CAS, &TDblClickLabel::doubleClicked, this, [this] {
        // The date part only where the mask has one, so positions match.
        const QString ted = DatumNaText(3, Ted());
        NASTAV_VNITRKY(m_maska.contains(QLatin1String("DD.MM.RRRR")) ? datumZPoli() + QLatin1Char(' ') + ted
                                                                     : ted);
    });
}

void TFORMKTEDITDAT::wireButtons()
{
    connect(BitBtn_OK, &QPushButton::clicked, this, [this] {
        m_prac = VRAT_VYSLEDEK();
        accept();
    });
    connect(BitBtn_STORNO, &QPushButton::clicked, this, [this] {
        m_prac.clear();
        reject();
    });
}

void TFORMKTEDITDAT::Otevri(const QString& text, int typ)
{
    QString t = text;
    if (typ >= 1 && typ <= 3) {
        if (!t.isEmpty()) {
            const RozlozenyCas r = RozlozDatum(TextNaDatum(2, t));
            MonthCalendar1->setSelectedDate(QDate(r.rok, r.mesic, r.den));
        } else {
            const RozlozenyCas r = RozlozDatum(Dnes());
            MonthCalendar1->setSelectedDate(QDate(r.rok, r.mesic, r.den));
            t = QStringLiteral("%1.%2.%3").arg(r.den).arg(r.mesic).arg(r.rok);
        }
    }
    m_maska = MaskaKTEDITDC(typ);
    GroupBox_SEKUNDY->setVisible(m_maska.contains(QLatin1String("ss")));
    GroupBox_MINUTY->setVisible(m_maska.contains(QLatin1String("mm")));
    GroupBox_HODINY->setVisible(m_maska.contains(QLatin1String("hh")));
    GroupBox_AKT_CAS->setVisible(GroupBox_HODINY->isVisibleTo(this));
    GroupBox_DATUM->setVisible(m_maska.contains(QLatin1String("DD.MM.RRRR")));
    NASTAV_VNITRKY(t);
    Obnov();
}

PolePickeru TFORMKTEDITDAT::pole() const
{
    return {Edit_DEN->text(),    Edit_MESIC->text(),  Edit_ROK->text(),
            Edit_HODINY->text(), EDIT_MINUTY->text(), Edit_SEKUNDY->text()};
}

void TFORMKTEDITDAT::setPole(const PolePickeru& p)
{
    // Only changed texts are set, so the cursor of a field being typed in stays.
    const std::pair<QLineEdit*, const QString*> dvojice[] = {
        {Edit_DEN, &p.den},       {Edit_MESIC, &p.mesic},   {Edit_ROK, &p.rok},
        {Edit_HODINY, &p.hodiny}, {EDIT_MINUTY, &p.minuty}, {Edit_SEKUNDY, &p.sekundy}};
    for (const auto& [e, t] : dvojice)
        if (e->text() != *t) e->setText(*t);
}

QString TFORMKTEDITDAT::datumZPoli() const
{
    return Edit_DEN->text() + QLatin1Char('.') + Edit_MESIC->text() + QLatin1Char('.') + Edit_ROK->text();
}

QString TFORMKTEDITDAT::casZPoli() const
{
    if (!m_maska.contains(QLatin1String("hh"))) return {};
    return Edit_HODINY->text() + QLatin1Char(':') + EDIT_MINUTY->text() + QLatin1Char(':') +
           Edit_SEKUNDY->text();
}

void TFORMKTEDITDAT::NASTAV_VNITRKY(const QString& text)
{
    PolePickeru p;
    m_prac = NastavVnitrky(m_maska, text, p);
    // Fields of tokens the mask lacks keep what they hold.
    PolePickeru stare = pole();
    const std::pair<const char*, QString PolePickeru::*> tokeny[] = {
        {"DD", &PolePickeru::den},    {"MM", &PolePickeru::mesic},  {"RRRR", &PolePickeru::rok},
        {"hh", &PolePickeru::hodiny}, {"mm", &PolePickeru::minuty}, {"ss", &PolePickeru::sekundy}};
    for (const auto& [token, clen] : tokeny)
        if (m_maska.contains(QLatin1String(token))) stare.*clen = p.*clen;
    setPole(stare);
    const std::pair<QLineEdit*, TUpDown*> sipky[] = {
        {Edit_DEN, UpDown_DEN},       {Edit_MESIC, UpDown_MESIC},   {Edit_ROK, UpDown_ROK},
        {Edit_HODINY, UpDown_HODINY}, {EDIT_MINUTY, UpDown_MINUTY}, {Edit_SEKUNDY, UpDown_SEKUNDY}};
    for (int i = 0; i < 6; ++i)
        if (m_maska.contains(QLatin1String(tokeny[i].first)))
            sipky[i].second->setValue(sipky[i].first->text().toInt());
}

QString TFORMKTEDITDAT::VRAT_VYSLEDEK()
{
    PolePickeru p = pole();
    const QString out = VratVysledek(m_maska, p);
    setPole(p);
    return out;
}

void TFORMKTEDITDAT::Obnov()
{
    Label_AKTUAL_CAS->setText(DatumNaText(3, Ted()));
    Label_DATUM->setText(VRAT_VYSLEDEK());
}
