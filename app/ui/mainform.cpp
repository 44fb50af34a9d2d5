#include "app/ui/mainform.h"

#include "app/timechangewatcher.h"
#include "app/ui/startlogin.h"
#include "app/unixsignals.h"
#include "common/action.h"
#include "common/ktwinsys.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/session.h"
#include "common/ui/aboutbox.h"
#include "data/dbupgrade.h"
#include "data/sqldata.h"
#include "outlook/ui/vymenaprikazy.h"
#include "sqlconsole/sqlmanager.h"
#include "sqlconsole/ui/pagesdlgsqlmanager.h"
#include "tasks/ui/alarmy.h"
#include "tasks/ui/form_alarm.h"
#include "timesync/ui/synchronizacecasu.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolBox>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <cstdlib>

namespace
{

Tmainform* g_hlavni = nullptr;

// The windowing system may end the process with exit() (its connection lost):
// then the window is never destroyed, so the session ends here, before the
// database client's own exit handler shuts the engine down.
void ukonciPriExit()
{
    if (!g_hlavni) return;
    // No window may be touched any more: failures go to stderr.
    messages::setSink(nullptr);
    g_hlavni->UkonciDatabazi();
}

// Runs an action with the hourglass around it.
template <typename F> void sHodinami(F&& f)
{
    const Presypaci hodiny;
    runAction(std::forward<F>(f));
}

// A database of another schema version is not used: nobody logs in and the program ends.
bool verzeDatSedi(TSQLDATA& data, const QString& cesta)
{
    QString chyba;
    if (!runAction([&] { chyba = dbupgrade::ChybaVerze(data.VerzeDat(), cesta); })) return false;
    if (!chyba.isEmpty()) messages::error(chyba);
    return chyba.isEmpty();
}

} // namespace

Tmainform::Tmainform(const QString& programPath, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("ORVAN"));
    setObjectName(QStringLiteral("mainform"));
    // The month view needs room for the dates in its cells: most of the screen.
    QSize first(763, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableSize();
        first = first.expandedTo(avail * 0.85).boundedTo(avail);
    }
    resize(first);
    start(programPath, arguments);
}

Tmainform::~Tmainform()
{
    modal::forget(this);
    Ukonci();
}

void Tmainform::Ukonci()
{
    end();
    UkonciDatabazi();
}

void Tmainform::UkonciDatabazi()
{
    if (!m_ended) {
        m_ended = true;
        if (m_data && m_data->Pripojeno()) runAction([this] { m_data->Odhlas(); });
    }
    if (m_data) {
        m_data->NotifyWindow = nullptr;
        m_data->ZmenaSpojeni = nullptr;
        m_data->Odpoj();
        setSQLDATA(nullptr);
    }
    g_hlavni = nullptr;
}

bool Tmainform::Prihlaseno() const
{
    return session().UzivatelID != 0;
}

void Tmainform::start(const QString& programPath, const QStringList& arguments)
{
    m_programDir = QFileInfo(programPath).absolutePath();

    if (isLocalFbSetupSwitch(arguments)) {
        QString error;
        if (!writeLocalFirebirdConf(m_programDir, &error)) messages::error(error);
    }
    m_druhKategorii.clear();
    m_kategorieAdresar.clear();

    pripravData(programPath);
    buildUi();

    if (!m_data->PripojDatabazi(m_config.pathname, m_config.username, m_config.password))
        messages::error(QStringLiteral("Chyba připojení k databázi."));
    else if (verzeDatSedi(*m_data, m_config.pathname))
        prihlas();
}

void Tmainform::pripravData(const QString& programPath)
{
    m_data = std::make_unique<TSQLDATA>();
    m_data->NotifyWindow = this;
    setSQLDATA(m_data.get());
    m_data->setCaptionTarget([this] { return windowTitle(); },
                             [this](const QString& c) { setWindowTitle(c); });
    m_data->ZmenaSpojeni = [this](bool pripojeno) {
        if (LabelSpojeni) LabelSpojeni->setVisible(!pripojeno);
        // Back: the presence is marked again (the views read again on the
        // change message the module sends).
        if (pripojeno && Prihlaseno()) m_data->Tep();
    };

    m_config = AppConfig::read(AppConfig::iniPath(programPath), programPath);
    m_config.applyTo(session());
}

void Tmainform::prihlas()
{
    // Registered after the connection and the session exist, so it runs
    // before their exit-time teardown.
    g_hlavni = this;
    (void)session();
    static const bool registered = std::atexit(ukonciPriExit) == 0;
    (void)registered;
    bool ciselniky = true;
    runAction([&] { ciselniky = prihlasUzivatele(*m_data); });
    // After a dialog login of a non-administrator the code lists are not offered.
    if (!ciselniky) skryjCiselniky();
    if (Prihlaseno()) zapisPritomnost();
    // The logon's own change event would read every view a second time.
    m_data->SledujZmenyOdTed();
}

void Tmainform::skryjCiselniky()
{
    if (m_pageCiselniky < 0) return;
    QWidget* page = PageBar->widget(m_pageCiselniky);
    PageBar->removeItem(m_pageCiselniky);
    page->hide();
    m_pageCiselniky = -1;
}

void Tmainform::zapisPritomnost()
{
    using Pritomnost = TSQLDATA::Pritomnost;
    Pritomnost p = Pritomnost::Chyba;
    runAction([&] { p = m_data->Prihlas(); });
    if (p == Pritomnost::Prihlasen) return;
    session().UzivatelID = 0;
    // A write that failed (a read-only database) has shown its own message.
    if (p == Pritomnost::Jinde)
        messages::error(
            QStringLiteral("Tento uživatel je již přihlášen !\rZkuste program spustit za 3 minuty."));
    else if (p == Pritomnost::BeziZde)
        messages::error(QStringLiteral("Tento uživatel je již přihlášen !\rProgram Orvan tohoto uživatele "
                                       "na tomto počítači už běží."));
}

void Tmainform::SpustSezeni()
{
    m_uiBuilt = true;
    spustAlarmy();
    ZobrazPanel(QStringLiteral("MonthPanel"));
    if (m_menuSpecial) m_menuSpecial->menuAction()->setVisible(m_config.showSpecialMenu());
    // Direct SQL passes every record right: the configuration alone is not enough.
    if (auto* db = findChild<QAction*>(QStringLiteral("ActionPristupDoDB")))
        db->setVisible(sqlmanager::SmiPouzitKonzoli(session()));
    buildTray();
    spustHlidace();
}

void Tmainform::spustAlarmy()
{
    runAction([this] {
        m_alarmy = new TAlarmy(m_alarmTimer, QDir(m_programDir).filePath(QStringLiteral("orvan.wav")), this);
        PreplanujAlarmy = [this] { m_alarmy->NastavAlarm(); };
    });
    if (!m_alarmy) return;
    m_alarmy->JeSkryto = [this] { return !isVisible() && m_tray && m_tray->isVisible(); };
    m_alarmy->Upozorneni = [this](const QString& nazev, const QString& cas) {
        if (m_tray) m_tray->showMessage(QStringLiteral("Orvan - Alarm"), nazev + QLatin1Char('\n') + cas);
    };
    // Armed now: the window may never be activated (focus-stealing prevention,
    // no window manager); change events, clock changes and activation re-arm it.
    runAction(PreplanujAlarmy);
}

void Tmainform::spustHlidace()
{
    m_heartbeat.setInterval(60000);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { m_data->Tep(); });
    m_heartbeat.start();
    m_timeWatcher = std::make_unique<TimeChangeWatcher>();
    connect(m_timeWatcher.get(), &TimeChangeWatcher::timeChanged, this, [this] {
        if (PreplanujAlarmy) runAction(PreplanujAlarmy);
    });
    // A desktop logout, shutdown or closed terminal ends the program like closing the window.
    m_signals = std::make_unique<UnixSignals>();
    connect(m_signals.get(), &UnixSignals::terminationRequested, this, [this] { close(); });
}

void Tmainform::buildUi()
{
    buildMenus();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setHandleWidth(2);
    splitter->setChildrenCollapsible(false);
    PageBar = new QToolBox(splitter);
    PageBar->setObjectName(QStringLiteral("PageBar"));
    PageBar->setMinimumWidth(150);
    buildPageBar();

    auto* client = new QWidget(splitter);
    client->setObjectName(QStringLiteral("ClientPanel"));
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);

    m_kategorieBar = new QScrollArea(client);
    m_kategorieBar->setObjectName(QStringLiteral("KategorieBar"));
    m_kategorieBar->setFixedHeight(41);
    m_kategorieBar->setFrameShape(QFrame::Panel);
    m_kategorieBar->setFrameShadow(QFrame::Sunken);
    m_kategorieBar->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_kategorieBar->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Panel_kategorie = new QWidget;
    Panel_kategorie->setObjectName(QStringLiteral("Panel_kategorie"));
    Panel_kategorie->setContextMenuPolicy(Qt::CustomContextMenu);
    m_kategorieBar->setWidget(Panel_kategorie);
    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("KategoriePopup"));
    popup->addAction(QStringLiteral("Označit všechny kategorie"), this, [this] { OznacitVse(1); });
    popup->addAction(QStringLiteral("Odoznačit všechny kategorie"), this, [this] { OznacitVse(0); });
    popup->addAction(QStringLiteral("Obrátit označení všech"), this, [this] { OznacitVse(2); });
    connect(Panel_kategorie, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& p) { popup->popup(Panel_kategorie->mapToGlobal(p)); });
    clientLayout->addWidget(m_kategorieBar);

    m_viewArea = new QWidget(client);
    m_viewArea->setObjectName(QStringLiteral("ViewArea"));
    m_viewLayout = new QVBoxLayout(m_viewArea);
    m_viewLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(m_viewArea, 1);

    splitter->addWidget(PageBar);
    splitter->addWidget(client);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({170, 593});
    setCentralWidget(splitter);
    statusBar()->setSizeGripEnabled(true);
    // Stays while the server is away, whatever else the status bar shows.
    LabelSpojeni =
        new QLabel(QStringLiteral("Spojení se serverem databáze je přerušeno – program se připojuje "
                                  "znovu…"),
                   this);
    LabelSpojeni->setObjectName(QStringLiteral("LabelSpojeni"));
    LabelSpojeni->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    statusBar()->addPermanentWidget(LabelSpojeni);
    LabelSpojeni->hide();
}

void Tmainform::buildMenus()
{
    m_menuSpecial = menuBar()->addMenu(QStringLiteral("Special"));
    m_menuSpecial->setObjectName(QStringLiteral("MenuSpecial"));
    m_menuSpecial
        ->addAction(QStringLiteral("Přístup do DB"), this,
                    [this] { runAction([this] { UkazSQLKonzoli(this); }); })
        ->setObjectName(QStringLiteral("ActionPristupDoDB"));
    ActionImportPolozky = m_menuSpecial->addAction(QStringLiteral("Import položky ze souboru typu ORVAN"));
    ActionImportPolozky->setObjectName(QStringLiteral("ActionImportPolozky"));
    m_menuSpecial->menuAction()->setVisible(false);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Ná&stroje"));
    tools->setObjectName(QStringLiteral("MenuNastroje"));
    // Calendar and contacts travel as iCalendar and vCard files, which every
    // calendar and mail program reads and writes.
    const auto prikaz = [this](QMenu* m, const QString& text, const char* name, void (*f)(QWidget*)) {
        m->addAction(text, this, [this, f] {
             runAction([this, f] { f(this); });
         })->setObjectName(QLatin1String(name));
    };
    prikaz(tools, QStringLiteral("Import adres ze souboru typu CSV"), "ActionImportCSV",
           vymena::ImportCSVAdres);
    prikaz(tools, QStringLiteral("Import z Outlooku"), "ActionImportOutlook", vymena::ImportKalendareAAdres);
    prikaz(tools, QStringLiteral("Výmaz kalendáře v Outlooku"), "ActionVymazKalendare",
           vymena::VymazKalendare);
    prikaz(tools, QStringLiteral("Export kalendáře do Outlooku"), "ActionExportKalendare",
           vymena::ExportKalendare);
    prikaz(tools, QStringLiteral("Export adresáře do souboru vCard"), "ActionExportAdresare",
           vymena::ExportAdresare);
    QAction* time = tools->addAction(QStringLiteral("&Nastavení času z internetu"), this, [this] {
        runAction([this] { UkazSynchronizaciCasu(this, session().SntpServer); });
    });
    time->setObjectName(QStringLiteral("ActionNastaveniCasu"));
    time->setStatusTip(QStringLiteral("Nastaví datum a čas z přesného serveru na internetu"));
    time->setToolTip(time->statusTip());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Nápověda"));
    help->setObjectName(QStringLiteral("MenuNapoveda"));
    help->addAction(QStringLiteral("Nápověda"), this, [this] {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QDir(m_programDir).filePath(QStringLiteral("help/index.html"))));
    });
    help->addAction(QStringLiteral("Orvan na internetu"), this,
                    [] { QDesktopServices::openUrl(QUrl(WebProduktu())); });
    help->addAction(QStringLiteral("O programu"), this, [this] {
        TAboutBox about(
            [] {
                SQLDATA().ObnovTransakci();
                return SQLDATA().VerzeDat();
            },
            this);
        const modal::Scope open;
        about.exec();
    });
}

namespace
{

// A page of the page bar: a column of buttons above a stretch.
QWidget* novaStranka(const char* name)
{
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(name));
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(4);
    l->addStretch(1);
    return w;
}

} // namespace

// One button of the page bar: it shows a view (panel), sends a command
// message (prikaz with lParam), or is wired by whoever gets it through `cil`.
struct Tmainform::TlacitkoStranky {
    const char* text;
    const char* jmeno;
    const char* panel = nullptr;
    int prikaz = 0;
    std::intptr_t lParam = 0;
    QPushButton* Tmainform::*cil = nullptr;
    const char* tip = nullptr;
};

int Tmainform::pridejStranku(const char* jmeno, const char* titulek,
                             std::initializer_list<TlacitkoStranky> tlacitka)
{
    QWidget* page = novaStranka(jmeno);
    auto* l = static_cast<QVBoxLayout*>(page->layout());
    for (const TlacitkoStranky& t : tlacitka) {
        auto* b = new QPushButton(QString::fromUtf8(t.text), page);
        b->setObjectName(QLatin1String(t.jmeno));
        if (t.tip) b->setToolTip(QString::fromUtf8(t.tip));
        l->insertWidget(l->count() - 1, b);
        if (t.cil) this->*t.cil = b;
        // Its click runs with the hourglass.
        if (t.panel)
            connect(b, &QPushButton::clicked, this,
                    [this, panel = t.panel] { sHodinami([&] { ZobrazPanel(QString::fromLatin1(panel)); }); });
        else if (t.prikaz)
            connect(b, &QPushButton::clicked, this,
                    [this, prikaz = t.prikaz, lp = t.lParam] { sHodinami([&] { command(prikaz, 0, lp); }); });
    }
    return PageBar->addItem(page, QString::fromUtf8(titulek));
}

void Tmainform::buildPageBar()
{
    const int kalendar = pridejStranku("PageKalendar", "Kalendář",
                                       {{.text = "Měsíc", .jmeno = "Button_Mesic", .panel = "MonthPanel"},
                                        {.text = "Od Do", .jmeno = "Button_OdDo", .panel = "BrowsePanel"},
                                        {.text = "Nová událost",
                                         .jmeno = "Button_NovaUdalost",
                                         .prikaz = WM_EDIT_EVENT,
                                         .lParam = LP_NEW_WITHOUT_DATE}});
    pridejStranku(
        "PageAlarmy", "Alarmy",
        {{.text = "Kalendář přehled alarmů", .jmeno = "Button_AlarmyKalendar", .panel = "BrowseAlarm"},
         {.text = "Úkoly přehled alarmů", .jmeno = "Button_AlarmyUkoly", .panel = "BrowseUkolyAlarm"}});
    m_pageKnihaJizd =
        pridejStranku("PageKnihaJizd", "Kniha jízd",
                      {{.text = "Přehled aut", .jmeno = "Button_PrehledAut", .panel = "KJPrehledAut"},
                       {.text = "Přehled jízd", .jmeno = "Button_PrehledJizd", .panel = "KJPrehledJizd"},
                       {.text = "Zadávání jízd", .jmeno = "Button_ZadavaniJizd", .panel = "ZadavaniJizd"},
                       {.text = "Tisk přehledu jízd",
                        .jmeno = "Button_TiskJizd",
                        .cil = &Tmainform::Button_TiskJizd,
                        .tip = "Tisk přehledu jízd"},
                       {.text = "Přehled jízd pro konkrétní vůz",
                        .jmeno = "Button_JizdyVozu",
                        .panel = "KJPrehledJizdKonkretni",
                        .tip = "Přehled jízd pro konkrétní vůz"},
                       {.text = "Měsíční výkaz",
                        .jmeno = "Button_MesicniVykaz",
                        .cil = &Tmainform::Button_MesicniVykaz,
                        .tip = "Měsíční výkaz jízd pro účetní: tisk a CSV"},
                       {.text = "Tankování",
                        .jmeno = "Button_Tankovani",
                        .panel = "KJPrehledTankovani",
                        .tip = "Nákupy paliva"},
                       {.text = "Sazby náhrad",
                        .jmeno = "Button_SazbyNahrad",
                        .cil = &Tmainform::Button_SazbyNahrad,
                        .tip = "Základní sazba a průměrné ceny paliv podle roku"}});
    if (!m_config.showLogbook()) {
        QWidget* kj = PageBar->widget(m_pageKnihaJizd);
        PageBar->removeItem(m_pageKnihaJizd);
        kj->hide();
        m_pageKnihaJizd = -1;
    }
    pridejStranku(
        "PageAdresar", "Adresář",
        {{.text = "Nová položka", .jmeno = "Button_NovaAdresa", .prikaz = WM_EDIT_ADDRESS},
         {.text = "Přehled", .jmeno = "Button_PrehledAdres", .panel = "BrowseAdresarZakladni"},
         {.text = "Speciální adresy", .jmeno = "Button_SpecialniAdresy", .panel = "BrowseAdresarPanel"}});
    m_pageCiselniky = pridejStranku(
        "PageCiselniky", "Číselníky",
        {{.text = "Kalendář kategorie",
          .jmeno = "Button_KalendarKategorie",
          .panel = "CiselnikKalendarKategorie"},
         {.text = "Uživatelé", .jmeno = "Button_Uzivatele", .panel = "Uzivatel"},
         {.text = "Skupiny uživatelů", .jmeno = "Button_SkupinyUzivatelu", .panel = "UzivSkupina"},
         {.text = "Adresář kategorie",
          .jmeno = "Button_AdresarKategorie",
          .panel = "CiselnikAdresarKategorie"}});
    pridejStranku("PageUkoly", "Úkoly",
                  {{.text = "Nová položka", .jmeno = "Button_NovyUkol", .prikaz = WM_EDIT_TASK},
                   {.text = "Přehled", .jmeno = "Button_PrehledUkolu", .panel = "BrowseUkoly"}});
    PageBar->setCurrentIndex(kalendar);
}

void Tmainform::buildTray()
{
    m_tray = new QSystemTrayIcon(this);
    QIcon icon = windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    m_tray->setIcon(icon);
    m_tray->setToolTip(QStringLiteral("Orvan"));
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("TrayPopup"));
    menu->addAction(QStringLiteral("Maximalizovat"), this, [this] { PrivedDoPopredi(); });
    menu->addAction(QStringLiteral("Ukončit program"), this, [this] { close(); });
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) command(WM_TRAY_ICON, 0, 513);
    });
    m_tray->show();
}

void Tmainform::PrivedDoPopredi()
{
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    showNormal();
    raise();
    activateWindow();
}

void Tmainform::UmistiOkno()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect placed = ::UmistiOkno(geometry(), avail.width(), avail.height() - caption, caption);
    move(placed.topLeft());
}

void Tmainform::RegistrujPohled(const QString& key, QWidget* view, std::function<void()> obnov)
{
    if (QWidget* old = m_views.value(key)) old->deleteLater();
    view->setParent(m_viewArea);
    m_viewLayout->addWidget(view);
    view->hide();
    m_views[key] = view;
    m_obnov[key] = std::move(obnov);
}

void Tmainform::ZobrazPanel(const QString& name)
{
    for (QWidget* v : m_views)
        v->hide();
    m_panel = name;
    auto showView = [this](const char* key) {
        if (QWidget* v = m_views.value(QString::fromLatin1(key))) v->show();
    };
    auto overview = [&](bool bar, const QString& druh) {
        m_kategorieBar->setVisible(bar);
        if (!druh.isEmpty()) NaplnKategorie(druh);
        bool defined = false;
        if (DefinujPrehled) runAction([&] { defined = DefinujPrehled(name); });
        if (defined) showView("overview");
    };
    if (name == QLatin1String("MonthPanel")) {
        m_kategorieBar->show();
        NaplnKategorie(QStringLiteral("KU"));
        showView("month");
        if (auto f = m_obnov.value(QStringLiteral("month"))) runAction(f);
    } else if (name == QLatin1String("BrowsePanel")) {
        m_kategorieBar->show();
        showView("browse");
        if (auto f = m_obnov.value(QStringLiteral("browse"))) runAction(f);
    } else if (name == QLatin1String("ZadavaniJizd")) {
        m_kategorieBar->show();
        NaplnKategorie(QStringLiteral("ADRESAR"));
        if (auto f = m_obnov.value(QStringLiteral("ride"))) runAction(f);
        showView("ride");
    } else if (name == QLatin1String("BrowseAdresarZakladni")) {
        overview(true, QStringLiteral("ADRESAR"));
    } else if (name == QLatin1String("BrowseUkoly")) {
        overview(true, QStringLiteral("KU"));
    } else {
        overview(false, QString());
    }
}

void Tmainform::NaplnKategorie(const QString& druh)
{
    if (druh == m_druhKategorii) return;
    runAction([&] { postavKategorie(druh, {}); });
}

void Tmainform::postavKategorie(const QString& druh, const QList<KategorieBox>& stare)
{
    // Read first: a failed read throws here and leaves the old bar and kind,
    // so the next request of this kind tries again.
    QList<KategorieBox> nove = NactiKategorie(*m_data, druh);
    PrevezmiZaskrtnuti(nove, stare);
    qDeleteAll(m_boxy);
    m_boxy.clear();
    m_kategorie = std::move(nove);
    m_druhKategorii = druh;
    for (qsizetype i = 0; i < m_kategorie.size(); ++i)
        m_boxy << postavBox(int(i));
    Panel_kategorie->setFixedSize(PoziceBoxu(int(m_kategorie.size())).left() + 10, 30);
    SestavFiltrKategorii();
}

QCheckBox* Tmainform::postavBox(int i)
{
    auto* cb = new QCheckBox(Panel_kategorie);
    cb->setObjectName(QStringLiteral("Kategorie_%1").arg(i));
    cb->setChecked(m_kategorie[i].zaskrtnuto);
    cb->setGeometry(PoziceBoxu(i));
    if (i == 0) {
        cb->setToolTip(QStringLiteral("Nastavuje jestli se mají zobrazovat i položky, které nemají vybrané "
                                      "kategorie jako hlavní"));
    } else {
        cb->setToolTip(m_kategorie[i].nazev);
        const QColor c = QColor::fromRgb(BarvaNaRgb(m_kategorie[i].barva));
        cb->setAutoFillBackground(true);
        QPalette pal = cb->palette();
        pal.setColor(QPalette::Window, c);
        pal.setColor(QPalette::Button, c);
        cb->setPalette(pal);
        cb->setStyleSheet(
            QStringLiteral("QCheckBox { background-color: %1; padding-left: 5px; }").arg(c.name()));
    }
    connect(cb, &QCheckBox::clicked, this, [this] { runAction([this] { KategorieZmena(); }); });
    cb->show();
    return cb;
}

void Tmainform::ZnovuNactiKategorie(const QString& druh)
{
    if (druh != m_druhKategorii) return;
    for (qsizetype i = 0; i < m_boxy.size() && i < m_kategorie.size(); ++i)
        m_kategorie[i].zaskrtnuto = m_boxy[i]->isChecked();
    const QList<KategorieBox> stare = m_kategorie;
    if (runAction([&] { postavKategorie(druh, stare); })) refreshVisible();
}

bool Tmainform::Box0() const
{
    return m_boxy.isEmpty() || m_boxy.front()->isChecked();
}

void Tmainform::SestavFiltrKategorii()
{
    for (qsizetype i = 0; i < m_boxy.size() && i < m_kategorie.size(); ++i)
        m_kategorie[i].zaskrtnuto = m_boxy[i]->isChecked();
    const QString filtr = ::SestavFiltrKategorii(m_kategorie);
    if (m_druhKategorii == QLatin1String("KU")) {
        m_filtrKalendare = filtr;
        if (NastavFiltrKalendare) NastavFiltrKalendare(filtr, Box0());
    } else if (m_druhKategorii == QLatin1String("ADRESAR")) {
        m_kategorieAdresar = filtr;
    }
}

void Tmainform::KategorieZmena()
{
    SestavFiltrKategorii();
    refreshVisible();
}

void Tmainform::refreshVisible()
{
    for (const QString& key : {QStringLiteral("browse"), QStringLiteral("month"), QStringLiteral("overview"),
                               QStringLiteral("ride")}) {
        QWidget* v = m_views.value(key);
        if (v && v->isVisibleTo(this))
            if (auto f = m_obnov.value(key)) runAction(f);
    }
}

void Tmainform::OznacitVse(int how)
{
    const Presypaci hodiny;
    for (qsizetype i = 1; i < m_boxy.size(); ++i) {
        const bool before = m_boxy[i]->isChecked();
        const bool after = how == 2 ? !before : how == 1;
        if (before != after) {
            m_boxy[i]->setChecked(after);
            runAction([this] { KategorieZmena(); });
        }
    }
}

void Tmainform::end()
{
    if (m_ended) return;
    m_ended = true;
    m_heartbeat.stop();
    m_alarmTimer.stop();
    // Alarm windows are top-level windows of their own; they end with the program.
    for (TForm_ALARM* w : TForm_ALARM::Okna())
        w->close();
    if (m_data && m_data->Pripojeno()) runAction([this] { m_data->Odhlas(); });
    if (m_tray) {
        m_tray->hide();
        delete m_tray;
        m_tray = nullptr;
    }
    m_signals.reset();
    m_timeWatcher.reset();
    if (m_data) {
        m_data->NotifyWindow = nullptr;
        m_data->ZmenaSpojeni = nullptr;
    }
}

void Tmainform::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!Prihlaseno()) QTimer::singleShot(0, this, &QWidget::close);
}

void Tmainform::closeEvent(QCloseEvent* e)
{
    end();
    e->accept();
}

void Tmainform::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (!Prihlaseno())
            close();
        else if (PreplanujAlarmy)
            runAction(PreplanujAlarmy);
    }
}

void Tmainform::command(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_TRAY_ICON:
        if (lParam == 513) {
            PrivedDoPopredi();
        } else if (lParam == 516 && m_tray && m_tray->contextMenu()) {
            m_tray->contextMenu()->popup(QCursor::pos());
        }
        return;
    case WM_DATA_CHANGED:
        if (!Prihlaseno()) return;
        if (modal::isOpen()) {
            // Nothing changes under an open box; one refresh once it closes.
            modal::whenClosed(this, [this] { command(WM_DATA_CHANGED, 0, 0); });
            return;
        }
        runAction([this] { m_data->ObnovTransakci(); });
        refreshVisible();
        if (PreplanujAlarmy) runAction(PreplanujAlarmy);
        return;
    case WM_SHOW_DAY_LIST:
    case WM_SHOW_WEEK_LIST:
        if (auto f = m_editory.value(message)) runAction([&] { f(wParam, lParam); });
        ZobrazPanel(QStringLiteral("BrowsePanel"));
        return;
    default:
        break;
    }
    const auto opener = m_editory.value(message);
    if (!opener) return; // accepted; nothing to open (1231, or an editor not available)
    const Presypaci hodiny;
    runAction([&] { opener(wParam, lParam); });
}
