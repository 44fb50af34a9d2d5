#include "records/ui/skupinaopakovani.h"

#include "common/action.h"
#include "common/ui/kteditdc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace
{

template <typename T> T* pojmenuj(T* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

const char* const kDny[7] = {"Po", "Út", "St", "Čt", "Pá", "So", "Ne"};
const char* const kDnyCele[7] = {"pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota", "neděle"};

// Index of "Jiné" in the kind box: a rule read that the group cannot show.
constexpr int kJine = 5;

QString jednotka(int druh, int n)
{
    static const char* const tvary[5][3] = {{"", "", ""},
                                            {"den", "dny", "dní"},
                                            {"týden", "týdny", "týdnů"},
                                            {"měsíc", "měsíce", "měsíců"},
                                            {"rok", "roky", "let"}};
    if (druh < 1 || druh > 4) return QString();
    return QString::fromUtf8(tvary[druh][n == 1 ? 0 : (n <= 4 ? 1 : 2)]);
}

} // namespace

TSkupinaOpakovani::TSkupinaOpakovani(QWidget* parent, TKTEDITDC* datum)
    : QGroupBox(QStringLiteral("Opakování"), parent), m_datum(datum)
{
    setObjectName(QStringLiteral("GroupBox_OPAKOVANI"));
    ComboBox_OPAKOVANI = pojmenuj(new QComboBox(this), QStringLiteral("ComboBox_OPAKOVANI"));
    ComboBox_OPAKOVANI->addItems({QStringLiteral("Neopakuje se"), QStringLiteral("Denně"),
                                  QStringLiteral("Týdně"), QStringLiteral("Měsíčně"),
                                  QStringLiteral("Ročně")});
    SpinBox_KAZDYCH = pojmenuj(new QSpinBox(this), QStringLiteral("SpinBox_KAZDYCH"));
    SpinBox_KAZDYCH->setRange(1, 999);
    Label_JEDNOTKA = pojmenuj(new QLabel(this), QStringLiteral("Label_JEDNOTKA"));
    auto* dny = new QWidget(this);
    auto* hd = new QHBoxLayout(dny);
    hd->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 7; ++i) {
        ChB_DNY[i] =
            pojmenuj(new QCheckBox(QString::fromUtf8(kDny[i]), dny), QStringLiteral("ChB_DEN_%1").arg(i + 1));
        ChB_DNY[i]->setToolTip(QString::fromUtf8(kDnyCele[i]));
        hd->addWidget(ChB_DNY[i]);
    }
    hd->addStretch(1);
    ComboBox_MESICNE = pojmenuj(new QComboBox(this), QStringLiteral("ComboBox_MESICNE"));
    ComboBox_KONEC = pojmenuj(new QComboBox(this), QStringLiteral("ComboBox_KONEC"));
    ComboBox_KONEC->addItems(
        {QStringLiteral("nikdy"), QStringLiteral("dne"), QStringLiteral("po počtu výskytů")});
    KTEDITDC_KONEC = pojmenuj(new TKTEDITDC(this, 3), QStringLiteral("KTEDITDC_KONEC"));
    SpinBox_POCET = pojmenuj(new QSpinBox(this), QStringLiteral("SpinBox_POCET"));
    SpinBox_POCET->setRange(1, 9999);
    Label_POPIS = pojmenuj(new QLabel(this), QStringLiteral("Label_POPIS"));
    Label_POPIS->setWordWrap(true);

    auto* g = new QGridLayout(this);
    g->addWidget(ComboBox_OPAKOVANI, 0, 0);
    m_popiskyOpakovani << new QLabel(QStringLiteral("každých"), this);
    g->addWidget(m_popiskyOpakovani.last(), 0, 1);
    g->addWidget(SpinBox_KAZDYCH, 0, 2);
    g->addWidget(Label_JEDNOTKA, 0, 3);
    m_popiskyOpakovani << new QLabel(QStringLiteral("Konec"), this);
    g->addWidget(m_popiskyOpakovani.last(), 0, 4);
    g->addWidget(ComboBox_KONEC, 0, 5);
    g->addWidget(KTEDITDC_KONEC, 0, 6);
    g->addWidget(SpinBox_POCET, 0, 7);
    g->addWidget(dny, 1, 0, 1, 8);
    g->addWidget(ComboBox_MESICNE, 2, 0, 1, 4);
    g->addWidget(Label_POPIS, 3, 0, 1, 8);
    g->setColumnStretch(8, 1);

    const auto zmena = [this] {
        if (m_nacitani) return;
        runAction([this] {
            povol();
            obnovPopis();
            emit zmeneno();
        });
    };
    connect(ComboBox_OPAKOVANI, &QComboBox::currentIndexChanged, this, zmena);
    connect(SpinBox_KAZDYCH, &QSpinBox::valueChanged, this, zmena);
    for (QCheckBox* c : ChB_DNY)
        connect(c, &QCheckBox::toggled, this, zmena);
    connect(ComboBox_MESICNE, &QComboBox::currentIndexChanged, this, zmena);
    connect(ComboBox_KONEC, &QComboBox::currentIndexChanged, this, zmena);
    connect(KTEDITDC_KONEC, &QLineEdit::textChanged, this, zmena);
    connect(SpinBox_POCET, &QSpinBox::valueChanged, this, zmena);
    // The monthly choices name the record's day: they follow its date.
    if (m_datum)
        connect(m_datum, &QLineEdit::textChanged, this, [this] {
            const bool nacitani = m_nacitani;
            m_nacitani = true;
            popisMesicne();
            m_nacitani = nacitani;
            obnovPopis();
        });
    nacti(QString());
}

QDate TSkupinaOpakovani::datum() const
{
    const QString t = m_datum ? m_datum->text().trimmed() : QString();
    QDate d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    return d;
}

void TSkupinaOpakovani::nacti(const QString& pravidlo)
{
    m_precteno = pravidlo.trimmed();
    m_datumPrecteni = datum();
    const std::optional<opakovani::Nastaveni> n = opakovani::ZPravidla(m_precteno, m_datumPrecteni);
    m_jine = !n;
    m_nacitani = true;
    if (ComboBox_OPAKOVANI->count() > kJine) ComboBox_OPAKOVANI->removeItem(kJine);
    if (m_jine) ComboBox_OPAKOVANI->addItem(QStringLiteral("Jiné"));
    zobraz(n.value_or(opakovani::Nastaveni()));
    if (m_jine) ComboBox_OPAKOVANI->setCurrentIndex(kJine);
    m_nacitani = false;
    povol();
    obnovPopis();
}

void TSkupinaOpakovani::zobraz(const opakovani::Nastaveni& n)
{
    ComboBox_OPAKOVANI->setCurrentIndex(int(n.druh));
    SpinBox_KAZDYCH->setValue(n.kazdych);
    const QDate d = datum();
    for (int i = 0; i < 7; ++i)
        ChB_DNY[i]->setChecked(n.dny.contains(i + 1) ||
                               (n.dny.isEmpty() && d.isValid() && d.dayOfWeek() == i + 1));
    popisMesicne();
    ComboBox_MESICNE->setCurrentIndex(int(n.mesicne));
    ComboBox_KONEC->setCurrentIndex(int(n.konec));
    KTEDITDC_KONEC->setText(n.konecDne.isValid() ? n.konecDne.toString(QStringLiteral("dd.MM.yyyy"))
                                                 : QString());
    SpinBox_POCET->setValue(n.pocet);
    Label_JEDNOTKA->setText(jednotka(int(n.druh), n.kazdych));
}

void TSkupinaOpakovani::popisMesicne()
{
    const int i = ComboBox_MESICNE->currentIndex();
    const QDate d = datum();
    ComboBox_MESICNE->clear();
    if (d.isValid()) {
        const int poradi = opakovani::PoradiDneVMesici(d);
        const QString den = QString::fromUtf8(kDnyCele[d.dayOfWeek() - 1]);
        ComboBox_MESICNE->addItems(
            {QStringLiteral("%1. dne v měsíci").arg(d.day()),
             (poradi == -1 ? QStringLiteral("poslední") : QStringLiteral("%1.").arg(poradi)) +
                 QLatin1Char(' ') + den + QStringLiteral(" v měsíci"),
             QStringLiteral("poslední den v měsíci")});
    } else {
        ComboBox_MESICNE->addItems({QStringLiteral("N-tého dne v měsíci"), QStringLiteral("N-tý den v týdnu"),
                                    QStringLiteral("poslední den v měsíci")});
    }
    ComboBox_MESICNE->setCurrentIndex(std::max(0, i));
}

opakovani::Nastaveni TSkupinaOpakovani::nastaveni() const
{
    using N = opakovani::Nastaveni;
    N n;
    const int druh = ComboBox_OPAKOVANI->currentIndex();
    n.druh = druh >= 0 && druh < kJine ? N::Druh(druh) : N::Neopakuje;
    n.kazdych = SpinBox_KAZDYCH->value();
    for (int i = 0; i < 7; ++i)
        if (ChB_DNY[i]->isChecked()) n.dny << i + 1;
    n.mesicne = N::ZpusobMesicne(std::max(0, ComboBox_MESICNE->currentIndex()));
    n.konec = N::DruhKonce(std::max(0, ComboBox_KONEC->currentIndex()));
    n.konecDne = QDate::fromString(KTEDITDC_KONEC->text().trimmed(), QStringLiteral("d.M.yyyy"));
    n.pocet = SpinBox_POCET->value();
    return n;
}

QString TSkupinaOpakovani::pravidlo() const
{
    if (m_jine && ComboBox_OPAKOVANI->currentIndex() == kJine) return m_precteno;
    const opakovani::Nastaveni n = nastaveni();
    // A rule left alone is stored as it was read (another program's spelling stays).
    const std::optional<opakovani::Nastaveni> precteno = opakovani::ZPravidla(m_precteno, m_datumPrecteni);
    if (precteno && *precteno == n && datum() == m_datumPrecteni) return m_precteno;
    return opakovani::NaPravidlo(n, datum());
}

QString TSkupinaOpakovani::chyba() const
{
    if (m_jine && ComboBox_OPAKOVANI->currentIndex() == kJine) return QString();
    const opakovani::Nastaveni n = nastaveni();
    if (n.druh == opakovani::Nastaveni::Neopakuje) return QString();
    if (n.druh == opakovani::Nastaveni::Tydne && n.dny.isEmpty())
        return QStringLiteral("Zvolte dny v týdnu, kdy se má událost opakovat.");
    if (n.konec == opakovani::Nastaveni::Dne) {
        if (!n.konecDne.isValid()) return QStringLiteral("Zadejte platné datum konce opakování.");
        if (datum().isValid() && n.konecDne < datum())
            return QStringLiteral("Konec opakování je dříve než první výskyt.");
    }
    return QString();
}

void TSkupinaOpakovani::povol()
{
    using N = opakovani::Nastaveni;
    const int druh = ComboBox_OPAKOVANI->currentIndex();
    const bool opakuje = druh > 0 && druh < kJine;
    // A single record shows only the choice; a rule read from elsewhere its summary.
    for (QWidget* w : std::initializer_list<QWidget*>{SpinBox_KAZDYCH, Label_JEDNOTKA, ComboBox_KONEC})
        w->setVisible(opakuje);
    for (QLabel* l : m_popiskyOpakovani)
        l->setVisible(opakuje);
    for (QCheckBox* c : ChB_DNY)
        c->parentWidget()->setVisible(druh == N::Tydne);
    ComboBox_MESICNE->setVisible(druh == N::Mesicne);
    KTEDITDC_KONEC->setVisible(opakuje && ComboBox_KONEC->currentIndex() == N::Dne);
    SpinBox_POCET->setVisible(opakuje && ComboBox_KONEC->currentIndex() == N::PoPoctu);
    Label_JEDNOTKA->setText(jednotka(druh, SpinBox_KAZDYCH->value()));
}

void TSkupinaOpakovani::obnovPopis()
{
    const QString p = chyba().isEmpty() ? pravidlo() : QString();
    const QString popis = p.isEmpty() ? QString() : opakovani::Popis(p);
    Label_POPIS->setText(popis);
    Label_POPIS->setVisible(!popis.isEmpty());
}
