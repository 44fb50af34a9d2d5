#pragma once

#include "messages.h"

#include <QString>
#include <exception>
#include <stdexcept>
#include <utility>

// A failure that aborts the current user action; its text is shown to the user,
// unless the user was already told (`oznameno`: one box for one loss of the server).
class ActionError : public std::runtime_error
{
public:
    explicit ActionError(const QString& text, bool oznameno = false)
        : std::runtime_error(text.toStdString()), m_text(text), m_oznameno(oznameno)
    {
    }
    const QString& text() const { return m_text; }
    bool oznameno() const { return m_oznameno; }

private:
    QString m_text;
    bool m_oznameno = false;
};

// Runs one user action (a click, a menu command, a timer, a window message).
// A failure ends the action with a message box showing its text; the program
// goes on. Returns false when the action failed.
template <typename F> bool runAction(F&& action)
{
    try {
        std::forward<F>(action)();
        return true;
    } catch (const ActionError& e) {
        if (!e.oznameno()) messages::error(e.text());
    } catch (const std::exception& e) {
        messages::error(QString::fromUtf8(e.what()));
    } catch (...) {
        // Whatever else a library throws ends the action, not the program.
        messages::error(QStringLiteral("Akce skončila neočekávanou chybou."));
    }
    return false;
}

// A slot that runs a member function of `obj` as one user action.
template <typename T> auto akce(T* obj, void (T::*f)())
{
    return [obj, f] { runAction([obj, f] { (obj->*f)(); }); };
}
