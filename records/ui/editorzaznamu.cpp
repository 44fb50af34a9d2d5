#include "records/ui/editorzaznamu.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/toolbutton.h"
#include "data/notetext.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"
#include "records/ui/skupinaopakovani.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QSpinBox>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

const QString TextZaznamNenalezen = QStringLiteral("Záznam %1 nebyl nalezen.");
const QString TextZmenenoMezitim = QStringLiteral(
    "Záznam mezitím změnil a uložil %1.\nVaše údaje zůstávají v editoru, dokud nevyberete, co s "
    "nimi.");
const QString TextSmazanoMezitim =
    QStringLiteral("Záznam mezitím smazal jiný uživatel.\nVaše údaje zůstávají v editoru.");

TEditorZaznamu::TEditorZaznamu(QWidget* parent, const QString& jmeno, const QString& titulek,
                               const Lista& lista)
    : QWidget(parent, Qt::Window)
{
    setObjectName(jmeno);
    setWindowTitle(titulek);

    m_lista = new QWidget(this);
    m_lista->setObjectName(QStringLiteral("Lista"));
    const QString ulozit = QStringLiteral("Uložit"), smazat = QStringLiteral("Smazat");
    SB_SAVE = tlacitko(m_lista, lista.ulozit, QStyle::SP_DialogSaveButton, lista.popisky ? ulozit : QString(),
                       ulozit);
    SB_delete =
        tlacitko(m_lista, lista.smazat, QStyle::SP_TrashIcon, lista.popisky ? smazat : QString(), smazat);
    auto* h = new QHBoxLayout(m_lista);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(2);
    h->addWidget(SB_SAVE);
    h->addWidget(SB_delete);
    if (lista.znovu) {
        SB_ZnovuNacist = tlacitko(m_lista, lista.znovu, QStyle::SP_BrowserReload, QString(),
                                  QStringLiteral("Znovu načtení záznamu"));
        h->addWidget(SB_ZnovuNacist);
        connect(SB_ZnovuNacist, &QToolButton::clicked, this,
                akce(this, &TEditorZaznamu::SB_ZnovuNacistClick));
    }
    h->addStretch(1);

    m_obsah = new QVBoxLayout(this);
    m_obsah->setContentsMargins(2, 2, 2, 2);
    m_obsah->addWidget(m_lista);

    // Every slot runs as one user action.
    connect(SB_SAVE, &QToolButton::clicked, this, akce(this, &TEditorZaznamu::SB_SAVEClick));
    connect(SB_delete, &QToolButton::clicked, this, akce(this, &TEditorZaznamu::SB_deleteClick));
}

QToolButton* TEditorZaznamu::pridejTlacitko(const char* jmeno, QStyle::StandardPixmap ikona,
                                            const QString& text, const QString& tip)
{
    QToolButton* b = tlacitko(m_lista, jmeno, ikona, text, tip);
    auto* h = static_cast<QHBoxLayout*>(m_lista->layout());
    h->insertWidget(h->count() - 1, b);
    return b;
}

// ---- Shared frames ------------------------------------------------------------

void TEditorZaznamu::pouzijPrava(TFrame_Prava* prava, bool sAlarmem)
{
    m_prava = prava;
    m_pravaSAlarmem = sAlarmem;
    connect(prava, &TFrame_Prava::zmenaVyberu, this, [this] { oznacZmenu(); });
}

void TEditorZaznamu::pouzijKategorie(TFRAME_JvxCheckListBox_KUC* kategorie, const QString& druhSeznamu,
                                     const QString& druhOdkazu)
{
    m_kategorie = kategorie;
    m_druhOdkazu = druhOdkazu;
    kategorie->NastavDruh(true, druhSeznamu);
    connect(kategorie, &TFRAME_JvxCheckListBox_KUC::zmeneno, this, [this] { oznacZmenu(); });
}

TFrame_Richedit* TEditorZaznamu::pridejPoznamku(QWidget* horni, int vyskaPoznamky, const QString& sqlPoznamky)
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    auto* f = new TFrame_Richedit(splitter);
    f->setObjectName(QStringLiteral("Frame_Richedit1"));
    splitter->addWidget(horni);
    splitter->addWidget(f);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({height() - vyskaPoznamky, vyskaPoznamky});
    m_obsah->addWidget(splitter, 1);
    m_poznamka = f->JvxRichEdit1;
    m_sqlPoznamky = sqlPoznamky;
    sledujZmeny({m_poznamka});
    return f;
}

QWidget* TEditorZaznamu::sestavPrava(QWidget* rodic, TFrame_Prava*& prava, bool sAlarmem)
{
    auto* box = new QGroupBox(QStringLiteral("Práva"), rodic);
    box->setObjectName(QStringLiteral("GroupBox_PRAVA"));
    prava = new TFrame_Prava(box);
    prava->setObjectName(QStringLiteral("Frame_Prava1"));
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(2, 2, 2, 2);
    l->addWidget(prava);
    pouzijPrava(prava, sAlarmem);
    return box;
}

TEditorZaznamu::CastiPolozky TEditorZaznamu::sestavPolozku(QWidget* horni, QGroupBox* datumBox,
                                                           const QString& titulekNazvu,
                                                           const char* jmenoNazvu, TKTEDITDC* datum,
                                                           TKTEDITDC* cas)
{
    CastiPolozky c{};
    QWidget* prava = sestavPrava(horni, c.prava);
    c.nazevBox = new QGroupBox(titulekNazvu, horni);
    c.nazevBox->setObjectName(QLatin1String(jmenoNazvu));
    c.nazev = new QLineEdit(c.nazevBox);
    c.nazev->setObjectName(QStringLiteral("Edit_NAZEV"));
    (new QVBoxLayout(c.nazevBox))->addWidget(c.nazev);
    c.alarm = new TSkupinaAlarmu(horni, datum, cas);
    c.opakovani = new TSkupinaOpakovani(horni, datum);
    c.kategorie = new TFRAME_JvxCheckListBox_KUC(horni);
    c.kategorie->setObjectName(QStringLiteral("FRAME_JvxCheckListBox_KUC1"));
    c.kategorie->setFixedWidth(213);

    auto* vlevo = new QGridLayout;
    vlevo->addWidget(datumBox, 0, 0);
    vlevo->addWidget(prava, 0, 1);
    vlevo->addWidget(c.nazevBox, 1, 0, 1, 2);
    vlevo->addWidget(c.alarm, 2, 0, 1, 2);
    vlevo->addWidget(c.opakovani, 3, 0, 1, 2);
    vlevo->setRowStretch(4, 1);
    auto* h = new QHBoxLayout(horni);
    h->setContentsMargins(0, 0, 0, 0);
    h->addLayout(vlevo, 1);
    h->addWidget(c.kategorie);
    return c;
}

QByteArray TEditorZaznamu::poznamka() const
{
    return m_poznamka ? notetext::save(m_poznamka->document()) : QByteArray();
}

std::optional<QByteArray> TEditorZaznamu::zmenenaPoznamka() const
{
    if (!m_poznamka || (ZaznamID() != 0 && !m_poznamka->document()->isModified())) return std::nullopt;
    return poznamka();
}

void TEditorZaznamu::nastavPravaZaznamu(const PravaZaznamu& p)
{
    m_pravidlo = PravidloZaznamu(p);
    if (!m_prava) return;
    m_prava->setJenCteni(m_pravidlo.PravaZamcena);
    if (m_pravaSAlarmem)
        m_prava->NactiPrava(p);
    else
        m_prava->NactiPravaBezAlarmu(p.Cist, p.Editovat, p.Administrovat, p.Smazat);
}

void TEditorZaznamu::sledujZmeny(std::initializer_list<QObject*> ovladace)
{
    const auto zmena = [this] { m_stav.oznacZmenu(); };
    for (QObject* o : ovladace) {
        if (auto* e = qobject_cast<QLineEdit*>(o)) {
            connect(e, &QLineEdit::textChanged, this, zmena);
            // The length limit counts UTF-16 units and can cut a character
            // (an emoji) in two: the half left at the end goes.
            connect(e, &QLineEdit::textChanged, e, [e](const QString& t) {
                if (!t.isEmpty() && t.back().isHighSurrogate()) e->setText(t.chopped(1));
            });
        } else if (auto* b = qobject_cast<QAbstractButton*>(o))
            connect(b, &QAbstractButton::toggled, this, zmena);
        else if (auto* c = qobject_cast<QComboBox*>(o)) {
            connect(c, &QComboBox::currentIndexChanged, this, zmena);
            connect(c, &QComboBox::editTextChanged, this, zmena);
        } else if (auto* s = qobject_cast<QSpinBox*>(o))
            connect(s, &QSpinBox::valueChanged, this, zmena);
        else if (auto* d = qobject_cast<QDoubleSpinBox*>(o))
            connect(d, &QDoubleSpinBox::valueChanged, this, zmena);
        else if (auto* t = qobject_cast<QTextEdit*>(o))
            connect(t, &QTextEdit::textChanged, this, zmena);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(o))
            connect(p, &QPlainTextEdit::textChanged, this, zmena);
        else
            Q_ASSERT_X(false, "TEditorZaznamu::sledujZmeny", "control of an unknown kind");
    }
}

// ---- The sequence ---------------------------------------------------------------

bool TEditorZaznamu::otevri(const std::function<void()>& nacti)
{
    if (!m_stav.MuzeOpustit([this] { return ulozenoNeboNelze(); })) return false;
    nacti();
    return true;
}

bool TEditorZaznamu::OtevriZpravou(int id)
{
    bool nalezeno = false;
    return otevri([&] { nalezeno = Nacti_zaznam(id); }) && nalezeno;
}

void TEditorZaznamu::vyprazdniVse()
{
    m_stav.setId(0);
    m_precteny.reset();
    m_revize = 0;
    m_pravidlo = pravidloNovehoZaznamu();
    if (m_prava) {
        const int s = session().VychoziSkupina;
        m_prava->setJenCteni(false);
        if (m_pravaSAlarmem)
            m_prava->NactiPrava(PravaZaznamu::Vse(s));
        else
            m_prava->NactiPravaBezAlarmu(s, s, s, s);
    }
    if (m_poznamka) m_poznamka->clear();
    vyprazdni();
}

bool TEditorZaznamu::Nacti_zaznam(int id)
{
    bool nalezeno = true;
    {
        const StavEditoru::Nacitani nacitani(m_stav);
        try {
            vyprazdniVse();
            if (id != 0) {
                nalezeno = nactiZaznam(id);
                if (nalezeno && m_poznamka)
                    SQLDATA().NactiPoznamku(VyplnSablonu(m_sqlPoznamky, {QString::number(id)}),
                                            QStringLiteral("Poznamka"), m_poznamka->document());
                // A row gone meanwhile: the window is a new record, not bound to the dead id.
                if (!nalezeno) vyprazdniVse();
            }
            if (m_kategorie) m_kategorie->NactiKategorie(nalezeno ? id : 0, m_druhOdkazu);
            if (nalezeno) m_stav.setId(id);
        } catch (...) {
            // Whatever was read stays shown, but as a new record: a later save
            // cannot update a row this window did not read whole.
            m_stav.setId(0);
            m_pravidlo = pravidloNovehoZaznamu();
            zamkni();
            SB_delete->setVisible(false);
            throw;
        }
        zamkni();
        SB_delete->setVisible(m_stav.id() != 0);
        if (m_poznamka) m_poznamka->document()->setModified(false);
    }
    if (!nalezeno) messages::error(TextZaznamNenalezen.arg(id));
    return nalezeno;
}

void TEditorZaznamu::zamkni()
{
    const bool jenCteni = m_pravidlo.JenCteni;
    if (!ulozeniVzdyPovoleno()) SB_SAVE->setEnabled(!jenCteni);
    // A read-only note stays selectable, so its text can be copied.
    if (m_poznamka) m_poznamka->setReadOnly(jenCteni);
    if (m_kategorie) m_kategorie->setEnabled(!jenCteni);
    zamkniPole(jenCteni);
}

TEditorZaznamu::Ulozeni TEditorZaznamu::Uloz_zaznam()
{
    try {
        return ulozZaznam();
    } catch (const ActionError& e) {
        // A read of the save met the lost server: the loss was told once, but
        // the user must still hear that nothing was stored.
        if (!e.oznameno()) throw;
        messages::error(TextBezSpojeni);
        return Ulozeni::ChybaServeru;
    }
}

TEditorZaznamu::Ulozeni TEditorZaznamu::ulozZaznam()
{
    if (!smiMenit()) {
        messages::error(TextNemateMenit);
        return Ulozeni::JenCteni;
    }
    if (const QString chyba = chybaPoli(); !chyba.isEmpty()) {
        messages::error(chyba);
        return Ulozeni::Odmitnuto;
    }
    if (!predUlozenim()) return Ulozeni::Odmitnuto;
    VysledekZapisu v = zapis();
    while (!v.ok && v.konflikt != VysledekZapisu::Konflikt::Zadny) {
        const std::optional<VysledekZapisu> znovu = poKonfliktu(v);
        if (!znovu) return Ulozeni::Odmitnuto;
        v = *znovu;
    }
    if (!v.ok) {
        messages::error(v.chyba);
        return Ulozeni::ChybaServeru;
    }
    m_stav.setId(v.id);
    m_stav.zahodZmeny();
    if (m_poznamka) m_poznamka->document()->setModified(false);
    if (m_kategorie) m_kategorie->setZmeneno(false);
    SB_delete->setVisible(m_stav.id() != 0);
    poUlozeni();
    return Ulozeni::Ulozeno;
}

std::optional<VysledekZapisu> TEditorZaznamu::poKonfliktu(const VysledekZapisu& v)
{
    if (v.konflikt == VysledekZapisu::Konflikt::ZmenenoMezitim) {
        enum { Prepsat, Nacist, Zpet };
        const QString kdo = v.zmenil.isEmpty() ? QStringLiteral("jiný uživatel") : v.zmenil;
        const int volba =
            messages::choose(TextZmenenoMezitim.arg(kdo),
                             {QStringLiteral("Přepsat mými údaji"), QStringLiteral("Načíst jejich verzi"),
                              QStringLiteral("Zpět do editoru")},
                             Zpet, Zpet);
        if (volba == Prepsat) {
            // Only what the user changed overwrites; the rest keeps their values.
            m_revize = v.revize;
            return zapis();
        }
        if (volba == Nacist) Nacti_zaznam(m_stav.id());
        return std::nullopt;
    }
    enum { JakoNovy, Zpet };
    const int volba = messages::choose(
        TextSmazanoMezitim, {QStringLiteral("Uložit jako nový záznam"), QStringLiteral("Zpět do editoru")},
        Zpet, Zpet);
    if (volba != JakoNovy) return std::nullopt;
    m_stav.setId(0);
    m_precteny.reset();
    return zapis();
}

bool TEditorZaznamu::ulozenoNeboNelze()
{
    // A read-only record has nothing that could be saved: it may be left.
    const Ulozeni u = Uloz_zaznam();
    return u == Ulozeni::Ulozeno || u == Ulozeni::JenCteni;
}

void TEditorZaznamu::SB_SAVEClick()
{
    if (Uloz_zaznam() == Ulozeni::Ulozeno) close();
}

void TEditorZaznamu::SB_deleteClick()
{
    if (m_stav.id() == 0 || !smiSmazat()) return;
    const VysledekZapisu v = smaz();
    if (!v.ok) {
        messages::error(v.chyba);
        return;
    }
    // Nothing is left to save: close without the question.
    m_stav.zahodZmeny();
    poSmazani();
    close();
}

void TEditorZaznamu::SB_ZnovuNacistClick()
{
    Nacti_zaznam(m_stav.id());
}

void TEditorZaznamu::closeEvent(QCloseEvent* event)
{
    bool zavrit = true;
    if (!runAction([&] { zavrit = m_stav.MuzeOpustit([this] { return ulozenoNeboNelze(); }); }))
        zavrit = false;
    if (zavrit)
        event->accept();
    else
        event->ignore();
}

void TEditorZaznamu::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A minimised window is still open.
    if (!event->spontaneous()) emit skryto();
}

void TEditorZaznamu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // The window's close: asks first when the record was changed.
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TEditorZaznamu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_tabulatorUsporadan) {
        usporadejTabulator();
        m_tabulatorUsporadan = true;
    }
    // The cursor starts in the first field, not on the tool bar.
    QWidget* f = focusWidget();
    if (f && f->parentWidget() != m_lista) return;
    for (QWidget* w : editor::poradiVRozvrzeni(this)) {
        if (w->parentWidget() != m_lista && w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void TEditorZaznamu::usporadejTabulator()
{
    const QList<QWidget*> poradi = editor::poradiVRozvrzeni(this);
    for (qsizetype i = 1; i < poradi.size(); ++i)
        QWidget::setTabOrder(poradi[i - 1], poradi[i]);
}

// ---- Helpers ------------------------------------------------------------------------

namespace editor
{

void nastavDelkyPoli(QWidget* koren, const QHash<QString, int>& delky)
{
    static const QString predpona = QStringLiteral("Edit_");
    for (QLineEdit* e : koren->findChildren<QLineEdit*>()) {
        if (!e->objectName().startsWith(predpona)) continue;
        const int n = delky.value(e->objectName().mid(predpona.size()).toUpper());
        if (n > 0) e->setMaxLength(n);
    }
}

namespace
{

struct Sber {
    QList<QWidget*> poradi;
    QSet<QWidget*> navstivene;
    void widget(QWidget* w);
    void rozvrzeni(QLayout* l);
};

void Sber::rozvrzeni(QLayout* l)
{
    struct Polozka {
        int radek, sloupec;
        QLayoutItem* item;
    };
    QList<Polozka> polozky;
    for (int i = 0; i < l->count(); ++i) {
        int radek = i, sloupec = 0;
        if (auto* g = qobject_cast<QGridLayout*>(l)) {
            int rs = 0, cs = 0;
            g->getItemPosition(i, &radek, &sloupec, &rs, &cs);
        } else if (auto* f = qobject_cast<QFormLayout*>(l)) {
            QFormLayout::ItemRole role{};
            f->getItemPosition(i, &radek, &role);
            sloupec = int(role);
        }
        polozky.append({radek, sloupec, l->itemAt(i)});
    }
    std::stable_sort(polozky.begin(), polozky.end(), [](const Polozka& a, const Polozka& b) {
        return a.radek != b.radek ? a.radek < b.radek : a.sloupec < b.sloupec;
    });
    for (const Polozka& p : polozky) {
        if (QWidget* w = p.item->widget())
            widget(w);
        else if (QLayout* vnoreny = p.item->layout())
            rozvrzeni(vnoreny);
    }
}

void Sber::widget(QWidget* w)
{
    if (navstivene.contains(w)) return;
    navstivene.insert(w);
    if (auto* s = qobject_cast<QSplitter*>(w)) {
        for (int i = 0; i < s->count(); ++i)
            widget(s->widget(i));
        return;
    }
    if (!w->layout()) {
        // A control; what it holds inside (a combo box's edit, a scroll
        // area's bars) is its own business.
        if (w->focusPolicy() & Qt::TabFocus) poradi.append(w);
        return;
    }
    rozvrzeni(w->layout());
    for (QObject* o : w->children()) {
        auto* dite = qobject_cast<QWidget*>(o);
        if (dite && !dite->isWindow()) widget(dite);
    }
}

} // namespace

QList<QWidget*> poradiVRozvrzeni(QWidget* koren)
{
    Sber s;
    s.widget(koren);
    s.poradi.removeAll(koren);
    return s.poradi;
}

} // namespace editor
