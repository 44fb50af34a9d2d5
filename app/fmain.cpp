#include "fmain.h"

#include "app/startlogin.h"
#include "app/unixsignals.h"
#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/ktdata.h"

#include <QCloseEvent>
#include <QFileInfo>

Tmainform::Tmainform(const QString& programPath, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("ORVAN"));
    resize(763, 480);
    start(programPath, arguments);
}

Tmainform::~Tmainform() { end(); }

bool Tmainform::Prihlaseno() const { return session().UzivatelID != 0; }

void Tmainform::start(const QString& programPath, const QStringList& arguments)
{
    const QString dir = QFileInfo(programPath).absolutePath();
    if (isLocalFbSetupSwitch(arguments)) {
        QString error;
        if (!writeLocalFirebirdConf(dir, &error))
            messages::error(error);
    }

    m_data = std::make_unique<TSQLDATA>();
    m_data->NotifyWindow = this;
    setSQLDATA(m_data.get());
    m_data->setCaptionTarget([this] { return windowTitle(); }, [this](const QString& c) { setWindowTitle(c); });

    m_config = AppConfig::read(AppConfig::iniPath(programPath), programPath);
    m_config.applyTo(session());

    if (!m_data->PripojDatabazi(m_config.pathname, m_config.username, m_config.password)) {
        messages::error(QStringLiteral("Chyba pripojení k databázi."));
        return;
    }

    runAction([&] { prihlasUzivatele(*m_data); });

    if (Prihlaseno()) {
        bool allowed = false;
        runAction([&] { allowed = m_data->Prihlas(); });
        if (!allowed) {
            session().UzivatelID = 0;
            messages::error(QStringLiteral("Tento uživatel je již přihlášen !\rZkuste program spustit za 3 minuty."));
        }
    }
    if (!Prihlaseno())
        return;

    m_heartbeat.setInterval(60000);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { runAction([this] { m_data->ZapisZivot(true); }); });
    m_heartbeat.start();

    // A desktop logout, shutdown or closed terminal ends the program like closing the window.
    m_signals = std::make_unique<UnixSignals>();
    connect(m_signals.get(), &UnixSignals::terminationRequested, this, [this] { close(); });
}

void Tmainform::end()
{
    if (m_ended)
        return;
    m_ended = true;
    m_heartbeat.stop();
    if (m_data && m_data->Pripojeno())
        runAction([this] { m_data->Odhlas(); });
    m_signals.reset();
    if (m_data)
        m_data->NotifyWindow = nullptr;
}

void Tmainform::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!Prihlaseno())
        QTimer::singleShot(0, this, &QWidget::close);
}

void Tmainform::closeEvent(QCloseEvent* e)
{
    end();
    e->accept();
}

void Tmainform::command(int message, std::intptr_t, std::intptr_t)
{
    if (message == WM_DATA_CHANGED) {
        if (!Prihlaseno())
            return;
        runAction([this] { m_data->ObnovTransakci(); });
    }
}
