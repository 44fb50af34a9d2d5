#include "pohledy.h"

#include "addressbook/ui/edit_uzivatel_zakl.h"
#include "addressbook/ui/editadresar.h"
#include "addressbook/ui/formeditciselnikadresarkategorie.h"
#include "app/prehledy.h"
#include "app/ui/mainform.h"
#include "calendar/ui/browsepanel.h"
#include "calendar/ui/editudalost.h"
#include "calendar/ui/formeditciselnikkalendarkategorie.h"
#include "calendar/ui/frame_montview.h"
#include "common/action.h"
#include "common/clock.h"
#include "common/ktdatumj.h"
#include "common/modal.h"
#include "data/sqldata.h"
#include "logbook/tiskjizd.h"
#include "logbook/ui/edit_kj_auto.h"
#include "logbook/ui/edit_kj_tankovani.h"
#include "logbook/ui/form_dialogkjtisk.h"
#include "logbook/ui/form_editsazby.h"
#include "logbook/ui/form_mesicnivykaz.h"
#include "logbook/ui/framezadavanijizd.h"
#include "overview/ui/form_previewprint.h"
#include "overview/ui/framestringgrid.h"
#include "records/vyskyty.h"
#include "tasks/ui/editukol.h"
#include "users/ui/edit_uzivatel.h"
#include "users/ui/edit_uzivskupina.h"

#include <QAction>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>

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
      m_grid(new TFrameStringGrid), m_jizdy(new TFrameZadavaniJizd)
{
    setObjectName(QStringLiteral("Pohledy"));
    m_month->setCommandTarget(&w);
    m_browse->setCommandTarget(&w);
    m_grid->OknoZprav = &w;
    registrujPohledy();
    registrujEditory();
    connect(w.ActionImportPolozky, &QAction::triggered, this, akce(this, &TPohledy::importujPolozku));
    connect(w.Button_TiskJizd, &QPushButton::clicked, this, akce(this, &TPohledy::tiskniKnihuJizd));
    connect(w.Button_MesicniVykaz, &QPushButton::clicked, this, akce(this, &TPohledy::mesicniVykaz));
    connect(w.Button_SazbyNahrad, &QPushButton::clicked, this, akce(this, &TPohledy::sazbyNahrad));
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

Tedit_KJ_TANKOVANI* TPohledy::editorTankovani()
{
    if (!m_tankovani) m_tankovani = new Tedit_KJ_TANKOVANI(&m_w);
    return m_tankovani;
}

Tedit_KJ_AUTO* TPohledy::editorAuta()
{
    if (!m_auto) m_auto = new Tedit_KJ_AUTO(&m_w);
    return m_auto;
}

TFormEditCiselnikKalendarKategorie* TPohledy::editorKategorii()
{
    if (!m_kategorie) {
        m_kategorie = new TFormEditCiselnikKalendarKategorie(&m_w);
        m_kategorie->setNactiKategorie([this](const QString& druh) { m_w.ZnovuNactiKategorie(druh); });
    }
    return m_kategorie;
}

Tedit_UZIVATEL_ZAKL* TPohledy::editorAdresy()
{
    if (!m_adresa) m_adresa = new Tedit_UZIVATEL_ZAKL(&m_w);
    return m_adresa;
}

TEditadresar* TPohledy::editorSpecAdresy()
{
    if (!m_specAdresa) m_specAdresa = new TEditadresar(&m_w);
    return m_specAdresa;
}

TFormEditCiselnikAdresarKategorie* TPohledy::editorKategoriiAdres()
{
    if (!m_kategorieAdres) {
        m_kategorieAdres = new TFormEditCiselnikAdresarKategorie(&m_w);
        m_kategorieAdres->setNactiKategorie([this](const QString& druh) { m_w.ZnovuNactiKategorie(druh); });
    }
    return m_kategorieAdres;
}

void TPohledy::registrujPohledy()
{
    m_w.RegistrujPohled(QStringLiteral("month"), m_month, [this] { m_month->Obnov(); });
    m_w.RegistrujPohled(QStringLiteral("browse"), m_browse, [this] { m_browse->Obnov(); });
    m_jizdy->KategorieAdresar = [this] { return m_w.KategorieAdresar(); };
    m_jizdy->NovaAdresa = [this] { return editorAdresy()->NovaAdresaModalne(); };
    m_w.RegistrujPohled(QStringLiteral("ride"), m_jizdy, [this] { m_jizdy->NactiSeznamy(); });
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
        if (name == QLatin1String("KJPrehledJizdKonkretni")) {
            if (!definujJizdyAuta()) return false;
            m_nazevPrehledu = name;
            return true;
        }
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
    // either way it comes to the front. A record that no longer exists shows
    // its message and no empty window.
    m_w.RegistrujEditor(WM_EDIT_EVENT, [this](std::intptr_t wp, std::intptr_t lp) {
        Teditudalost* e = editorUdalosti();
        const bool otevreno = lp == LP_NEW_WITHOUT_DATE ? e->NovaUdalost() : e->OtevriZpravou(wp, lp);
        if (otevreno || e->isVisible()) ukaz(e);
    });
    m_w.RegistrujEditor(WM_EDIT_OCCURRENCE, [this](std::intptr_t wp, std::intptr_t lp) {
        Teditudalost* e = editorUdalosti();
        if (e->OtevriVyskyt(int(wp), VyskytZKlice(lp)) || e->isVisible()) ukaz(e);
    });
    otevira(WM_EDIT_TASK, &TPohledy::editorUkolu);
    otevira(WM_EDIT_ADDRESS, &TPohledy::editorAdresy);
    otevira(WM_EDIT_SPECIAL_ADDRESS, &TPohledy::editorSpecAdresy);
    otevira(WM_EDIT_USER, &TPohledy::editorUzivatele);
    otevira(WM_EDIT_USER_GROUP, &TPohledy::editorSkupiny);
    otevira(WM_EDIT_CAR, &TPohledy::editorAuta);
    otevira(WM_EDIT_FUEL_PURCHASE, &TPohledy::editorTankovani);
    otevira(WM_EDIT_ADDRESS_CATEGORY, &TPohledy::editorKategoriiAdres);
    otevira(WM_EDIT_CALENDAR_CATEGORY, &TPohledy::editorKategorii);
}

template <typename E> void TPohledy::otevira(int zprava, E* (TPohledy::*editor)())
{
    // The editor opens the record (asking first over unsaved changes) under the
    // hourglass, then comes to the front.
    m_w.RegistrujEditor(zprava, [this, editor](std::intptr_t wp, std::intptr_t) {
        E* e = nullptr;
        bool otevreno = false;
        {
            const Presypaci hodiny;
            e = (this->*editor)();
            otevreno = e->OtevriZpravou(int(wp));
        }
        if (otevreno || e->isVisible()) ukaz(e);
    });
}

TForm_DialogKJTisk* TPohledy::dialogKJ()
{
    if (!m_dialogKJ) m_dialogKJ = new TForm_DialogKJTisk(&m_w);
    return m_dialogKJ;
}

bool TPohledy::definujJizdyAuta()
{
    TForm_DialogKJTisk* d = dialogKJ();
    d->NastavRezim(true);
    if (!d->Zeptej()) return false;
    // Car only: no date range of an earlier print hides rides here.
    prehledy::DefinujJizdyAuta(*m_grid, PodminkaJizdAuta(d->VybraneAuto(), QString(), QString()));
    m_grid->NactiData(1);
    m_grid->ObarviSkupiny(0, false, true, 0xFFFFFF, 0xDBDBDB);
    m_grid->NastavBarvyRadku(true, false, 0);
    m_grid->ObarviNavaznost(2, 3, 4, 5, true, false, 0x0000FF, 0x008000);
    return true;
}

void TPohledy::tiskniKnihuJizd()
{
    TForm_DialogKJTisk* d = dialogKJ();
    d->NastavRezim(false);
    if (!d->Zeptej()) return;
    TForm_PreviewPrint* nahled = TForm_PreviewPrint::Instance(&m_w);
    {
        const Presypaci hodiny;
        RozvrhniKnihuJizd(
            SQLDATA(), nahled->Dokument(),
            {d->VybraneAuto(), d->Od(), d->Do(), d->Edit_Titulek_1->text(), d->Edit_Titulek_2->text()});
    }
    const modal::Scope otevreno;
    nahled->exec();
}

void TPohledy::mesicniVykaz()
{
    if (!m_vykaz) m_vykaz = new TForm_MesicniVykaz(&m_w);
    // The month just ended is the one the accountant asks for.
    const QDate minuly = Clock::current().now().date().addMonths(-1);
    m_vykaz->Priprav(minuly.year(), minuly.month());
    const modal::Scope otevreno;
    m_vykaz->exec();
}

void TPohledy::sazbyNahrad()
{
    TForm_EditSazby d(&m_w);
    d.Nacti(Clock::current().now().date().year());
    const modal::Scope otevreno;
    d.exec();
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
