#pragma once

// A small calendar in May 2004 for the calendar's database tests: three
// categories, events with and without a main category, read rights, names
// holding commas, a day with three events and a DATUM carrying a time of day.

#include "common/session.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"

#include <QHash>

namespace kalendar
{

using Skupiny = SessionGroups;

inline constexpr int kCervena = 255;     // category 1
inline constexpr int kZelena = 0x00C000; // category 2 (0x00BBGGRR: green)
inline constexpr int kModra = 0xFF0000;  // category 3 (blue)

class KalendarDb : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (1, "
                            "\"Práce\", %1)")
                 .arg(kCervena));
        exec(
            QStringLiteral(
                "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (2, \"Doma\", %1)")
                .arg(kZelena));
        exec(
            QStringLiteral(
                "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV, KU_C_KAT_BARVA) values (3, \"Auto\", %1)")
                .arg(kModra));

        // id, DATUM, CAS_OD, name, F_CIST, categories (negative = not main)
        struct E {
            int id;
            const char* datum;
            const char* cas;
            const char* nazev;
            const char* cist;
            QList<int> kat;
        };
        const E events[] = {
            {1, "3.5.2004", "3.5.2004 8:00", "Porada", "NULL", {1}},
            {2, "3.5.2004", "3.5.2004 9:30", "Oběd s klientem", "0", {2, -1}},
            {3, "3.5.2004", "3.5.2004", "Celý den", "NULL", {}},
            {4, "3.5.2004", "3.5.2004 10:00", "Servis, STK", "NULL", {3}},
            {5, "4.5.2004", "4.5.2004 7:15", "Tajné", "5", {1}},
            {6, "4.5.2004", "4.5.2004 7:20", "Veřejné", "0", {-1}},
            {7, "5.5.2004", "5.5.2004 12:00", "Schůzka, porada, oběd", "6", {2, -3}},
            {8, "2.5.2004 10:00", "2.5.2004 10:00", "Datum s časem", "NULL", {1}},
            {9, "1.5.2004", "1.5.2004 14:00", "Průvod <b>", "NULL", {}},
            {10, "26.4.2004", "26.4.2004 8:00", "První den", "NULL", {-2, -3}},
            {11, "30.5.2004", "30.5.2004 20:00", "Poslední den", "NULL", {3}},
            {12, "31.5.2004", "31.5.2004 8:00", "Mimo mřížku", "NULL", {}},
            {13, "6.5.2004", "6.5.2004 8:00", "A", "NULL", {2}},
            {14, "6.5.2004", "6.5.2004 9:00", "B", "NULL", {2}},
            {15, "6.5.2004", "6.5.2004 10:00", "C", "NULL", {2}},
            {16, "7.5.2004", "7.5.2004 11:00", "Jen skryté", "NULL", {3}},
        };
        for (const E& e : events) {
            exec(QStringLiteral("insert into KU (KU_ID, DATUM, CAS_OD, NAZEV, F_CIST) values (%1, \"%2\", "
                                "\"%3\", \"%4\", %5)")
                     .arg(e.id)
                     .arg(QLatin1String(e.datum), QLatin1String(e.cas), QString::fromUtf8(e.nazev),
                          QLatin1String(e.cist)));
            for (int k : e.kat)
                exec(QStringLiteral("insert into KU_KAT (KU_ID, KU_C_KAT_ID, HLAVNI) values (%1, %2, %3)")
                         .arg(e.id)
                         .arg(std::abs(k))
                         .arg(k > 0 ? 1 : 0));
        }
        s_db->ObnovTransakci();
    }
};

} // namespace kalendar
