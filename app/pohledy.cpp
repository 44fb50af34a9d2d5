#include "pohledy.h"

#include "app/fmain.h"
#include "app/prehledy.h"
#include "calendar/fEditCiselnikKalendarKategorie.h"
#include "calendar/feditudalost.h"
#include "calendar/uBrowseView.h"
#include "calendar/uFrame_MontView.h"
#include "common/action.h"
#include "common/ktdatumj.h"
#include "data/ktdata.h"
#include "overview/uFrameStringgrid.h"
#include "tasks/feditukol.h"
#include "users/fedituzivatel.h"
#include "users/fedituzivskupina.h"

#include <QAction>

namespace
{

DatumCas zKlice(std::intptr_t key)
{
    const int k = int(key);
    return ZakodujDatum(k / 10000, k / 100 % 100, k % 100);
}

void ukaz(QWidget* e)
{
    e->setWindowFlag(Qt::Window, true);
    e->show();
    e->raise();
    e->activateWindow();
}

} // namespace

void PripojPohledy(Tmainform& w)
{
    new TPohledy(w);
}

TPohledy::TPohledy(Tmainform& w)
    : QObject(&w), m_w(w), m_month(new TFrame_MontView), m_browse(new TBrowsePanel),
      m_grid(new TFrameStringGrid)
{
    setObjectName(QStringLiteral("Pohledy"));
    m_month->setCommandTarget(&w);
    m_browse->setCommandTarget(&w);
    m_grid->OknoZprav = &w;
    registrujPohledy();
    registrujEditory();
    if (auto* import = w.findChild<QAction*>(QStringLiteral("ActionImportPolozky")))
        connect(import, &QAction::triggered, this, akce(this, &TPohledy::importujPolozku));
}

Teditudalost* TPohledy::editorUdalosti()
{
    if (!m_udalost) m_udalost = new Teditudalost(&m_w);
    return m_udalost;
}

Teditukol* TPohledy::editorUkolu()
{
    if (!m_ukol) m_ukol = new Teditukol(&m_w);
    return m_ukol;
}

Tedit_UZIVATEL* TPohledy::editorUzivatele()
{
    if (!m_uzivatel) m_uzivatel = new Tedit_UZIVATEL(&m_w);
    return m_uzivatel;
}

Tedit_UZIVSKUPINA* TPohledy::editorSkupiny()
{
    if (!m_skupina) m_skupina = new Tedit_UZIVSKUPINA(&m_w);
    return m_skupina;
}

TFormEditCiselnikKalendarKategorie* TPohledy::editorKategorii()
{
    if (!m_kategorie) {
        m_kategorie = new TFormEditCiselnikKalendarKategorie(&m_w);
        m_kategorie->setNactiKategorie([this](const QString& druh) { m_w.ZnovuNactiKategorie(druh); });
    }
    return m_kategorie;
}

void TPohledy::registrujPohledy()
{
    m_w.RegistrujPohled(QStringLiteral("month"), m_month, [this] { m_month->Obnov(); });
    m_w.RegistrujPohled(QStringLiteral("browse"), m_browse, [this] { m_browse->Obnov(); });
    m_w.RegistrujPohled(QStringLiteral("overview"), m_grid, [this] {
        const StavKategorii k{m_w.FiltrKalendare(), m_w.KategorieAdresar(), m_w.Box0()};
        const QString podminka = prehledy::PodminkaPodleKategorii(m_nazevPrehledu, k);
        if (!podminka.isEmpty()) m_grid->Podminka = podminka;
        m_grid->Obnov();
    });
    m_w.NastavFiltrKalendare = [this](const QString& filtr, bool box0) {
        m_month->NastavFiltrKategorii(filtr);
        m_month->NastavVsechnyKategorie(box0);
        m_browse->NastavFiltrKategorii(filtr);
        m_browse->NastavVsechnyKategorie(box0);
    };
    m_w.SestavFiltrKategorii();
    m_w.DefinujPrehled = [this](const QString& name) {
        m_grid->ZrusDefinici();
        const StavKategorii k{m_w.FiltrKalendare(), m_w.KategorieAdresar(), m_w.Box0()};
        if (!prehledy::Definuj(name, *m_grid, k)) return false;
        m_nazevPrehledu = name;
        m_grid->NactiData(1);
        if (const int p = prehledy::ParametrPoNacteni(name)) m_grid->ParametrEditace = p;
        return true;
    };
}

void TPohledy::registrujEditory()
{
    auto showRange = [this](std::intptr_t od, std::intptr_t doDatum) {
        m_browse->NastavRozsah(zKlice(od), zKlice(doDatum));
    };
    m_w.RegistrujEditor(WM_SHOW_DAY_LIST, showRange);
    m_w.RegistrujEditor(WM_SHOW_WEEK_LIST, showRange);

    // An editor with unsaved changes asks first and may keep its record;
    // either way it comes to the front.
    m_w.RegistrujEditor(WM_EDIT_EVENT, [this](std::intptr_t wp, std::intptr_t lp) {
        Teditudalost* e = editorUdalosti();
        if (lp == LP_NEW_WITHOUT_DATE)
            e->NovaUdalost();
        else
            e->OtevriZpravou(wp, lp);
        ukaz(e);
    });
    m_w.RegistrujEditor(WM_EDIT_TASK, [this](std::intptr_t wp, std::intptr_t) {
        Teditukol* e = nullptr;
        {
            const Presypaci hodiny;
            e = editorUkolu();
            e->OtevriZpravou(int(wp));
        }
        ukaz(e);
    });
    m_w.RegistrujEditor(WM_EDIT_USER, [this](std::intptr_t wp, std::intptr_t) {
        Tedit_UZIVATEL* e = nullptr;
        {
            const Presypaci hodiny;
            e = editorUzivatele();
            e->OtevriZpravou(int(wp));
        }
        ukaz(e);
    });
    m_w.RegistrujEditor(WM_EDIT_USER_GROUP, [this](std::intptr_t wp, std::intptr_t) {
        Tedit_UZIVSKUPINA* e = nullptr;
        {
            const Presypaci hodiny;
            e = editorSkupiny();
            e->OtevriZpravou(int(wp));
        }
        ukaz(e);
    });
    m_w.RegistrujEditor(WM_EDIT_CALENDAR_CATEGORY, [this](std::intptr_t wp, std::intptr_t) {
        TFormEditCiselnikKalendarKategorie* e = editorKategorii();
        e->Napln(int(wp));
        ukaz(e);
    });
}

void TPohledy::importujPolozku()
{
    const QString f = Teditudalost::VyberSouborImportu(&m_w);
    if (f.isEmpty()) return;
    Teditudalost* e = editorUdalosti();
    bool ok = false;
    {
        const Presypaci hodiny;
        ok = runAction([&] { e->ImportujSoubor(f); });
    }
    if (ok) ukaz(e);
}
