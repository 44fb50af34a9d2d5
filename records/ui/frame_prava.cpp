#include "records/ui/frame_prava.h"

#include "common/inifile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScopedValueRollback>

#include <algorithm>

namespace
{

const QString kSekce = QStringLiteral("RIGHT");

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QComboBox* combo(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    // Long group names must not widen the editor.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    return c;
}

QStringList polozky(const QComboBox* c)
{
    QStringList out;
    out.reserve(c->count());
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

TFrame_Prava::TFrame_Prava(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame_Prava"));

    Label_CIST = label(this, "Label_CIST", QStringLiteral("Číst"));
    CB_CIST = combo(this, "CB_CIST");
    Label_EDIT = label(this, "Label_EDIT", QStringLiteral("Měnit"));
    CB_EDITOVAT = combo(this, "CB_EDITOVAT");
    Label_SMAZAT = label(this, "Label_SMAZAT", QStringLiteral("Smazat"));
    CB_SMAZAT = combo(this, "CB_SMAZAT");
    Label_ALARM = label(this, "Label_ALARM", QStringLiteral("Alarm"));
    CB_ALARM = combo(this, "CB_ALARM");
    Label_ADMINISTRATOR = label(this, "Label_ADMINISTRATOR", QStringLiteral("Admin"));
    CB_ADMINISTROVAT = combo(this, "CB_ADMINISTROVAT");
    ChB_VSE_STEJNE = new QCheckBox(this);
    ChB_VSE_STEJNE->setObjectName(QStringLiteral("ChB_VSE_STEJNE"));
    Label6 = label(this, "Label6", QStringLiteral("Všechna práva stejná"));
    Label6->setBuddy(ChB_VSE_STEJNE);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setVerticalSpacing(2);
    auto* radekVse = new QHBoxLayout;
    radekVse->addWidget(ChB_VSE_STEJNE);
    radekVse->addWidget(Label6, 1);
    grid->addLayout(radekVse, 0, 0, 1, 2);
    const QList<QPair<QLabel*, QComboBox*>> radky = {{Label_CIST, CB_CIST},
                                                     {Label_EDIT, CB_EDITOVAT},
                                                     {Label_SMAZAT, CB_SMAZAT},
                                                     {Label_ALARM, CB_ALARM},
                                                     {Label_ADMINISTRATOR, CB_ADMINISTROVAT}};
    for (int i = 0; i < radky.size(); ++i) {
        grid->addWidget(radky[i].first, i + 1, 0);
        grid->addWidget(radky[i].second, i + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(radky.size() + 1, 1);

    for (QComboBox* c : seznamy())
        connect(c, &QComboBox::currentIndexChanged, this, &TFrame_Prava::seznamZmenen);
    connect(ChB_VSE_STEJNE, &QCheckBox::toggled, this, [this] { zobrazSeznamy(); });

    obnovStav(true);
}

QList<QComboBox*> TFrame_Prava::seznamy() const
{
    return {CB_CIST, CB_EDITOVAT, CB_SMAZAT, CB_ALARM, CB_ADMINISTROVAT};
}

void TFrame_Prava::NactiPrava(int cist, int editovat, int alarm, int administrovat, int smazat)
{
    m_zmeneno = false;
    const QList<Skupina> skupiny = NactiSkupiny();
    {
        QScopedValueRollback guard(m_plneni, true);
        m_nactene = {cist, editovat, smazat, alarm, administrovat};
        m_skupinyId.clear();
        const QList<QPair<QComboBox*, int>> prava = {{CB_CIST, cist},
                                                     {CB_EDITOVAT, editovat},
                                                     {CB_SMAZAT, smazat},
                                                     {CB_ALARM, alarm},
                                                     {CB_ADMINISTROVAT, administrovat}};
        for (const auto& [c, pravo] : prava) {
            c->clear();
            c->setCurrentIndex(-1);
        }
        for (const Skupina& g : skupiny) {
            m_skupinyId << g.Id;
            for (const auto& [c, pravo] : prava) {
                c->addItem(g.Nazev);
                // The first entry a non-editable combo gets becomes current; undo that.
                if (g.Id == pravo && pravo != 0)
                    c->setCurrentIndex(c->count() - 1);
                else if (c->count() == 1)
                    c->setCurrentIndex(-1);
            }
        }
    }
    obnovStav(true);
}

void TFrame_Prava::NactiPravaBezAlarmu(int cist, int editovat, int administrovat, int smazat)
{
    CB_ALARM->hide();
    m_maAlarm = false;
    NactiPrava(cist, editovat, 0, administrovat, smazat);
}

int TFrame_Prava::pravo(const QComboBox* c, int nactene) const
{
    const int i = c->currentIndex();
    return i >= 0 && i < m_skupinyId.size() ? m_skupinyId[i] : nactene;
}

int TFrame_Prava::PravoCist() const
{
    return pravo(CB_CIST, m_nactene.Cist);
}
int TFrame_Prava::PravoEditovat() const
{
    return pravo(CB_EDITOVAT, m_nactene.Editovat);
}
int TFrame_Prava::PravoSmazat() const
{
    return pravo(CB_SMAZAT, m_nactene.Smazat);
}
int TFrame_Prava::PravoAlarm() const
{
    return pravo(CB_ALARM, m_nactene.Alarm);
}
int TFrame_Prava::PravoAdministrovat() const
{
    return pravo(CB_ADMINISTROVAT, m_nactene.Administrovat);
}

PravaZaznamu TFrame_Prava::Prava() const
{
    return {PravoCist(), PravoEditovat(), PravoSmazat(), PravoAlarm(), PravoAdministrovat()};
}

void TFrame_Prava::setJenCteni(bool locked)
{
    m_jenCteni = locked;
    for (QComboBox* c : seznamy())
        c->setEnabled(!locked);
}

void TFrame_Prava::obnovStav(bool nastavZaskrtnuti)
{
    // No choice (-1) counts as an entry of its own.
    const int cist = CB_CIST->currentIndex();
    bool stejne = CB_EDITOVAT->currentIndex() == cist && CB_SMAZAT->currentIndex() == cist &&
                  CB_ADMINISTROVAT->currentIndex() == cist;
    if (m_maAlarm) stejne = stejne && CB_ALARM->currentIndex() == cist;
    ChB_VSE_STEJNE->setEnabled(stejne);
    if (nastavZaskrtnuti) ChB_VSE_STEJNE->setChecked(stejne);
    setJenCteni(m_jenCteni);
    zobrazSeznamy();
}

void TFrame_Prava::zobrazSeznamy()
{
    // Ticked: one list (CB_CIST) sets every right, so the others are hidden.
    const bool zobrazVse = !ChB_VSE_STEJNE->isChecked();
    const QList<QWidget*> ostatni = {Label_CIST, Label_EDIT,          CB_EDITOVAT,     Label_SMAZAT,
                                     CB_SMAZAT,  Label_ADMINISTRATOR, CB_ADMINISTROVAT};
    for (QWidget* w : ostatni)
        w->setHidden(!zobrazVse);
    Label_ALARM->setHidden(!(zobrazVse && m_maAlarm));
    CB_ALARM->setHidden(!(zobrazVse && m_maAlarm));
}

void TFrame_Prava::seznamZmenen()
{
    if (m_plneni) return;
    m_zmeneno = true;
    if (ChB_VSE_STEJNE->isChecked()) {
        QScopedValueRollback guard(m_plneni, true);
        const int i = CB_CIST->currentIndex();
        for (QComboBox* other : {CB_EDITOVAT, CB_SMAZAT, CB_ALARM, CB_ADMINISTROVAT})
            other->setCurrentIndex(i);
    }
    obnovStav(false);
    emit zmenaVyberu();
}

bool TFrame_Prava::UlozPravaIni(IniFile& file) const
{
    bool ok = file.WriteString(kSekce, QStringLiteral("read"), CB_CIST->currentText());
    ok = file.WriteString(kSekce, QStringLiteral("edit"), CB_EDITOVAT->currentText()) && ok;
    ok = file.WriteString(kSekce, QStringLiteral("delete"), CB_SMAZAT->currentText()) && ok;
    ok = file.WriteString(kSekce, QStringLiteral("admin"), CB_ADMINISTROVAT->currentText()) && ok;
    if (m_maAlarm) ok = file.WriteString(kSekce, QStringLiteral("alarm"), CB_ALARM->currentText()) && ok;
    return ok;
}

void TFrame_Prava::NactiPravaIni(const IniFile& file)
{
    const QString vychozi = NazevSkupiny(session().VychoziSkupina);
    const int vychoziPozice = std::max(0, NajdiNazevSkupiny(polozky(CB_CIST), vychozi));

    ChB_VSE_STEJNE->setChecked(false);
    ChB_VSE_STEJNE->setEnabled(false);

    QScopedValueRollback guard(m_plneni, true);
    const QList<QPair<QString, QComboBox*>> klice = {{QStringLiteral("read"), CB_CIST},
                                                     {QStringLiteral("edit"), CB_EDITOVAT},
                                                     {QStringLiteral("delete"), CB_SMAZAT},
                                                     {QStringLiteral("admin"), CB_ADMINISTROVAT},
                                                     {QStringLiteral("alarm"), CB_ALARM}};
    for (const auto& [klic, c] : klice) {
        const int i = NajdiNazevSkupiny(polozky(c), file.ReadString(kSekce, klic, QString()));
        c->setCurrentIndex(i >= 0 ? i : vychoziPozice);
    }
}
