#pragma once

#include "common/messages.h"
#include "common/session.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "logbook/ui/edit_kj_auto.h"
#include "logbook/ui/framezadavanijizd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

// A database with two groups, a user of group 10 (the default group), two
// cars and three addresses without categories.
class LogbookTest : public DbTest
{
protected:
    static constexpr int kVedeni = 10, kObchod = 20;

    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (20, \"Obchod\")"));
        s_user = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("x"));
        s_octavia = addCar(QStringLiteral("1AB 2345"), QStringLiteral("Octavia"));
        s_fabia = addCar(QStringLiteral("2CD 6789"), QStringLiteral("Fabia"));
        s_a = addAddress(QStringLiteral("Alfa s.r.o."), QStringLiteral("Brno"), QStringLiteral("602 00"));
        s_b = addAddress(QStringLiteral("Beta a.s."), QStringLiteral("Praha"), QStringLiteral("110 00"));
        s_c = addAddress(QStringLiteral("Gama, v.o.s."), QStringLiteral("Ostrava"), QStringLiteral("702 00"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{kVedeni}, kVedeni);
        session().UzivatelID = s_user;
        session().KJTest = false;
        messages::takeShown();
    }

    void TearDown() override
    {
        m_groups.reset();
        messages::takeShown();
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

    static TKTDATASET rows(const QString& sql)
    {
        TKTDATASET t;
        db().ObnovTransakci();
        db().NactiTabulku(sql, t);
        return t;
    }
    static QString value(const QString& sql) { return rows(sql).Hodnota(1, 1); }

    static void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        const QPoint p = qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, p);
    }
    static void type(QLineEdit* e, const QString& text)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        e->insert(text);
    }

    static inline int s_user = 0, s_octavia = 0, s_fabia = 0, s_a = 0, s_b = 0, s_c = 0;
    std::unique_ptr<SessionGroups> m_groups;
};
