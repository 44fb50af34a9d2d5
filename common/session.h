#pragma once

#include <QList>
#include <QString>
#include <array>

// Process-wide values describing the logged-in user and the configuration.
// Set at start-up and by the login; read everywhere.
struct Session {
    static constexpr int kMaxSkupiny = 1000;

    int UzivatelID = 0;
    bool Administrator = false;
    int VychoziSkupina = 0;
    QString SkupinyText;
    int PocetSkupin = 0;
    std::array<int, kMaxSkupiny> Skupiny{};
    QString AlarmPoslDatum = QStringLiteral("01.01.0001");
    QString AlarmPoslCas = QStringLiteral("00:00");
    int LoginRezim = 0;
    QString Stat = QStringLiteral("CZ"); // country code for public holidays
    QString SntpServer;
    int SntpAuto = 0;
    bool KJTest = false;

    // The user's groups: the list, its count and its text always agree.
    // Only the first kMaxSkupiny ids are kept.
    void NastavSkupiny(const QList<int>& ids);

    // True when the id is 0 (everybody) or one of the user's groups.
    bool JeVeSkupine(int skupinaId) const
    {
        if (skupinaId == 0) return true;
        for (int i = 0; i < PocetSkupin; ++i)
            if (Skupiny[i] == skupinaId) return true;
        return false;
    }

    static Session& instance();
};

inline Session& session()
{
    return Session::instance();
}
