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

#include <QMenu>
#include <QMenuBar>

namespace {

DatumCas zKlice(std::intptr_t key)
{
    const int k = int(key);
    return ZakodujDatum(k / 10000, k / 100 % 100, k % 100);
}

// Editors are created on first use and then reused.
template <typename T>
T* editor(Tmainform& w, T*& slot)
{
    if (!slot)
        slot = new T(&w);
    return slot;
}

template <typename T>
void ukaz(T* e)
{
    e->setWindowFlag(Qt::Window, true);
    e->show();
    e->raise();
    e->activateWindow();
}

} // namespace

void PripojPohledy(Tmainform& w)
{
    auto* month = new TFrame_MontView;
    month->setCommandTarget(&w);
    auto* browse = new TBrowsePanel;
    browse->setCommandTarget(&w);
    auto* grid = new TFrameStringGrid;
    grid->OknoZprav = &w;
    auto* nazevPrehledu = new QString;
    QObject::connect(grid, &QObject::destroyed, [nazevPrehledu] { delete nazevPrehledu; });

    w.RegistrujPohled(QStringLiteral("month"), month, [month] { month->Obnov(); });
    w.RegistrujPohled(QStringLiteral("browse"), browse, [browse] { browse->Obnov(); });
    w.RegistrujPohled(QStringLiteral("overview"), grid, [&w, grid, nazevPrehledu] {
        const StavKategorii k{w.FiltrKalendare(), w.KategorieAdresar(), w.Box0()};
        const QString podminka = prehledy::PodminkaPodleKategorii(*nazevPrehledu, k);
        if (!podminka.isEmpty())
            grid->Podminka = podminka;
        grid->Obnov();
    });
    w.NastavFiltrKalendare = [month, browse](const QString& filtr, bool box0) {
        month->NastavFiltrKategorii(filtr);
        month->NastavVsechnyKategorie(box0);
        browse->NastavFiltrKategorii(filtr);
        browse->NastavVsechnyKategorie(box0);
    };
    w.SestavFiltrKategorii();
    w.DefinujPrehled = [&w, grid, nazevPrehledu](const QString& name) {
        grid->ZrusDefinici();
        const StavKategorii k{w.FiltrKalendare(), w.KategorieAdresar(), w.Box0()};
        if (!prehledy::Definuj(name, *grid, k))
            return false;
        *nazevPrehledu = name;
        grid->NactiData(1);
        if (const int p = prehledy::ParametrPoNacteni(name))
            grid->ParametrEditace = p;
        return true;
    };

    auto showRange = [browse](std::intptr_t od, std::intptr_t doDatum) {
        browse->NastavRozsah(zKlice(od), zKlice(doDatum));
    };
    w.RegistrujEditor(WM_SHOW_DAY_LIST, showRange);
    w.RegistrujEditor(WM_SHOW_WEEK_LIST, showRange);

    auto* udalost = new Teditudalost*(nullptr);
    auto* kategorie = new TFormEditCiselnikKalendarKategorie*(nullptr);
    QObject::connect(grid, &QObject::destroyed, [udalost, kategorie] {
        delete udalost;
        delete kategorie;
    });
    w.RegistrujEditor(WM_EDIT_EVENT, [&w, udalost](std::intptr_t wp, std::intptr_t lp) {
        Teditudalost* e = editor(w, *udalost);
        if (lp == -13)
            e->NovaUdalost();
        else
            e->OtevriZpravou(wp, lp);
        ukaz(e);
    });
    w.RegistrujEditor(WM_EDIT_CALENDAR_CATEGORY, [&w, kategorie](std::intptr_t wp, std::intptr_t) {
        TFormEditCiselnikKalendarKategorie* e = editor(w, *kategorie);
        e->setNactiKategorie([&w](const QString& druh) { w.ZnovuNactiKategorie(druh); });
        e->Napln(int(wp));
        ukaz(e);
    });

    // "Special" menu: import of an item file into the event editor.
    for (QAction* a : w.menuBar()->actions()) {
        if (!a->menu() || a->menu()->objectName() != QLatin1String("MenuSpecial"))
            continue;
        for (QAction* item : a->menu()->actions())
            if (item->text() == QLatin1String("Import položky ze souboru typu ORVAN"))
                QObject::connect(item, &QAction::triggered, &w, [&w, udalost] {
                    const QString f = Teditudalost::VyberSouborImportu(&w);
                    if (f.isEmpty())
                        return;
                    KurzorHodiny();
                    Teditudalost* e = editor(w, *udalost);
                    runAction([&] { e->ImportujSoubor(f); });
                    KurzorNormalni();
                    ukaz(e);
                });
    }
}
