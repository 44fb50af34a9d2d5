#pragma once

#include "app/config.h"
#include "common/commandtarget.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class TSQLDATA;
class UnixSignals;

// The program's only top-level window: start-up and the session, the page
// bar, category bar and views, and the hub of the command messages.
class Tmainform : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    // Runs the whole start-up; afterwards Prihlaseno() tells whether a user is in.
    explicit Tmainform(const QString& programPath, const QStringList& arguments, QWidget* parent = nullptr);
    ~Tmainform() override;

    void command(int message, std::intptr_t wParam, std::intptr_t lParam) override;

    bool Prihlaseno() const;
    const AppConfig& config() const { return m_config; }
    TSQLDATA& data() { return *m_data; }

    // The presence heartbeat (60 s), exposed for tests.
    QTimer& heartbeat() { return m_heartbeat; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void start(const QString& programPath, const QStringList& arguments);
    void end();

    AppConfig m_config;
    std::unique_ptr<TSQLDATA> m_data;
    std::unique_ptr<UnixSignals> m_signals;
    QTimer m_heartbeat;
    bool m_ended = false;
};
