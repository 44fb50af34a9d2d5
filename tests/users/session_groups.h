#pragma once

#include "common/session.h"

#include <QStringList>
#include <initializer_list>

// Sets the logged-in user's groups for one test and puts the session back afterwards.
class SessionGroups
{
public:
    explicit SessionGroups(std::initializer_list<int> groups, int defaultGroup = 0) : m_saved(session())
    {
        Session& s = session();
        QStringList text;
        s.PocetSkupin = 0;
        for (int g : groups) {
            s.Skupiny[size_t(s.PocetSkupin++)] = g;
            text << QString::number(g);
        }
        s.SkupinyText = text.join(QLatin1Char(','));
        s.VychoziSkupina = defaultGroup;
    }
    ~SessionGroups() { session() = m_saved; }
    SessionGroups(const SessionGroups&) = delete;
    SessionGroups& operator=(const SessionGroups&) = delete;

private:
    Session m_saved;
};
