#pragma once

#include "common/messages.h"
#include "common/session.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "fixtures/editor_fixture.h"
#include "logbook/ui/edit_kj_auto.h"
#include "logbook/ui/framezadavanijizd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

// The editor fixture with two cars and three addresses without categories.
class LogbookTest : public EditorFixture
{
protected:
    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        s_octavia = addCar(QStringLiteral("1AB 2345"), QStringLiteral("Octavia"));
        s_fabia = addCar(QStringLiteral("2CD 6789"), QStringLiteral("Fabia"));
        s_a = addAddress(QStringLiteral("Alfa s.r.o."), QStringLiteral("Brno"), QStringLiteral("602 00"));
        s_b = addAddress(QStringLiteral("Beta a.s."), QStringLiteral("Praha"), QStringLiteral("110 00"));
        s_c = addAddress(QStringLiteral("Gama, v.o.s."), QStringLiteral("Ostrava"), QStringLiteral("702 00"));
    }

    void SetUp() override
    {
        EditorFixture::SetUp();
        session().KJTest = false;
    }

    static int addCar(const QString& spz, const QString& popis, int editovat = 0, int smazat = 0)
    {
        const int id = db().NoveID(QStringLiteral("KJ_AUTO_ID"));
        exec(QStringLiteral(
                 "insert into kj_auto (kj_auto_id, spz, popis, f_cist, f_editovat, f_smazat, f_alarm, "
                 "f_administrovat) values (%1, \"%2\", \"%3\", 0, %4, %5, 0, 0)")
                 .arg(id)
                 .arg(spz, popis)
                 .arg(editovat)
                 .arg(smazat));
        return id;
    }
    static int addAddress(const QString& nazev, const QString& mesto, const QString& psc)
    {
        const int id = db().NoveID(QStringLiteral("ADRESAR_ZAKL_ID"));
        exec(QStringLiteral(
                 "insert into adresar_zakl (adresar_zakl_id, nazev, jmeno, prijmeni, ulice, psc, mesto, "
                 "stat, f_cist) values (%1, \"%2\", \"Jan\", \"Novák\", \"Hlavní 1\", \"%3\", \"%4\", "
                 "\"CZ\", 0)")
                 .arg(id)
                 .arg(nazev, psc, mesto));
        return id;
    }

    // Rows written through another connection's transaction are seen too.
    static TKTDATASET rows(const QString& sql)
    {
        db().ObnovTransakci();
        return EditorFixture::rows(sql);
    }
    static QString value(const QString& sql) { return rows(sql).Hodnota(1, 1); }

    static inline int s_octavia = 0, s_fabia = 0, s_a = 0, s_b = 0, s_c = 0;
};
