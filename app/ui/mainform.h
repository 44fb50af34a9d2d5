#pragma once

#include "app/config.h"
#include "app/kategorie.h"
#include "common/commandtarget.h"

#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QScrollArea;
class QSystemTrayIcon;
class QToolBox;
class QVBoxLayout;
class TAlarmy;
class TSQLDATA;
class TimeChangeWatcher;
class UnixSignals;

// The program's only top-level window: the session (database, login,
// presence, alarms, the watches that end or re-arm it), the page bar,
// category bar and views, and the hub of the command messages. The views and
// editors are not its own: SpustOrvan (app/ui/startup) connects them.
class Tmainform : public QMainWindow, public CommandTarget
{
    Q_OBJECT
public:
    // Reads the configuration, builds the window, connects and logs in;
    // afterwards Prihlaseno() tells whether a user is in.
    explicit Tmainform(const QString& programPath, const QStringList& arguments, QWidget* parent = nullptr);
    ~Tmainform() override;

    // For a logged-in user, once the views are connected: the alarms, the
    // month view, the tray and the watches.
    void SpustSezeni();
    // Moves the window so it fits the screen.
    void UmistiOkno();

    void command(int message, std::intptr_t wParam, std::intptr_t lParam) override;

    bool Prihlaseno() const;
    // Program end: the user's presence cleared, tray icon removed, database closed.
    void Ukonci();
    // The database part of the end alone, for when no window may be touched.
    void UkonciDatabazi();
    const AppConfig& config() const { return m_config; }
    TSQLDATA& data() { return *m_data; }

    // Views ("MonthPanel", "BrowsePanel", "BrowseUkoly", ...) and categories.
    void ZobrazPanel(const QString& name);
    QString AktualniPanel() const { return m_panel; }
    // Shows the kind's categories; a failed read is reported and keeps the bar as it was.
    void NaplnKategorie(const QString& druh);
    // Reloads the bar even when it already shows that kind (a category was edited).
    void ZnovuNactiKategorie(const QString& druh);
    void SestavFiltrKategorii();
    void KategorieZmena();
    const QString& DruhKategorii() const { return m_druhKategorii; }
    const QString& KategorieAdresar() const { return m_kategorieAdresar; }
    const QString& FiltrKalendare() const { return m_filtrKalendare; }
    bool Box0() const;
    QList<QCheckBox*> KategorieBoxy() const { return m_boxy; }
    void OznacitVse(int how); // 0 untick, 1 tick, 2 invert

    // What a command message opens; an editor registers its opener here.
    using Opener = std::function<void(std::intptr_t wParam, std::intptr_t lParam)>;
    void RegistrujEditor(int message, Opener opener) { m_editory[message] = std::move(opener); }

    // The four views: "month", "browse", "ride", "overview". A view shows when
    // ZobrazPanel picks it; obnov refreshes it (data change, category click).
    void RegistrujPohled(const QString& key, QWidget* view, std::function<void()> obnov);
    QWidget* Pohled(const QString& key) const { return m_views.value(key); }
    // Defines and loads the overview frame for an overview name; false when not defined.
    std::function<bool(const QString& name)> DefinujPrehled;
    // Views that follow the calendar filter get it here (text, box 0 ticked).
    std::function<void(const QString& filtr, bool box0)> NastavFiltrKalendare;

    // Re-arms the alarm scheduler (after login, data change, time change, activation).
    std::function<void()> PreplanujAlarmy;

    void PrivedDoPopredi();
    QTimer& heartbeat() { return m_heartbeat; }
    // "Spojení se serverem databáze je přerušeno …" in the status bar while the server is away.
    QLabel* LabelSpojeni = nullptr;
    QTimer& alarmTimer() { return m_alarmTimer; }

    // Page bar buttons and a menu command that the views' wiring connects.
    QPushButton* Button_TiskJizd = nullptr;
    QPushButton* Button_MesicniVykaz = nullptr;
    QPushButton* Button_SazbyNahrad = nullptr;
    QAction* ActionImportPolozky = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void start(const QString& programPath, const QStringList& arguments);
    void pripravData(const QString& programPath);
    void prihlas();
    void skryjCiselniky();
    void zapisPritomnost();
    void spustHlidace();
    void spustAlarmy();
    void buildUi();
    void buildMenus();
    void buildPageBar();
    struct TlacitkoStranky;
    int pridejStranku(const char* jmeno, const char* titulek,
                      std::initializer_list<TlacitkoStranky> tlacitka);
    void buildTray();
    // Reads the kind's categories, then replaces the boxes; throws (bar unchanged) when the read fails.
    void postavKategorie(const QString& druh, const QList<KategorieBox>& stare);
    QCheckBox* postavBox(int index);
    void refreshVisible();
    void end();

    AppConfig m_config;
    std::unique_ptr<TSQLDATA> m_data;
    std::unique_ptr<UnixSignals> m_signals;
    std::unique_ptr<TimeChangeWatcher> m_timeWatcher;
    QTimer m_heartbeat;
    QTimer m_alarmTimer;
    TAlarmy* m_alarmy = nullptr;
    bool m_ended = false;
    bool m_uiBuilt = false;
    QString m_programDir;

    QToolBox* PageBar = nullptr;
    int m_pageKnihaJizd = -1;
    int m_pageCiselniky = -1;
    QMenu* m_menuSpecial = nullptr;
    QScrollArea* m_kategorieBar = nullptr;
    QWidget* Panel_kategorie = nullptr;
    QWidget* m_viewArea = nullptr;
    QVBoxLayout* m_viewLayout = nullptr;
    QSystemTrayIcon* m_tray = nullptr;

    QString m_panel;
    QString m_druhKategorii;
    QString m_kategorieAdresar;
    QString m_filtrKalendare;
    QList<KategorieBox> m_kategorie;
    QList<QCheckBox*> m_boxy;
    QMap<int, Opener> m_editory;
    QMap<QString, QWidget*> m_views;
    QMap<QString, std::function<void()>> m_obnov;
};
