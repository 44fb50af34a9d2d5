// Two workstations on one server database: a save names the revision it read,
// so it never overwrites another workstation's save or a deleted record
// without saying so, and writes only the fields its user changed.
#include "data/notetext.h"
#include "fixtures/testdb.h"
#include "records/kategoriekuc.h"
#include "records/printers.h"
#include "records/udalost.h"

#include <QTextDocument>

namespace
{

class Revize : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ORVAN_REQUIRE_SERVER_OR_SKIP(m_database);
        for (TSQLDATA* ws : {&a, &b})
            ASSERT_TRUE(
                ws->PripojDatabazi(m_database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
        setSQLDATA(&a);
        m_jana = testdb::addUser(a, QStringLiteral("jana"), QStringLiteral("x"), false, false,
                                 QStringLiteral("Jana Nováková"));
        m_petr = testdb::addUser(a, QStringLiteral("petr"), QStringLiteral("y"));
        for (const char* sql : {"insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV) values (1, \"Porady\")",
                                "insert into KU_C_KAT (KU_C_KAT_ID, KU_C_KAT_NAZEV) values (2, \"Servis\")"})
            ASSERT_TRUE(a.ProvedSQL(QString::fromUtf8(sql)).ok);
    }
    void TearDown() override { setSQLDATA(nullptr); }

    static QByteArray note(const QString& text)
    {
        QTextDocument d;
        d.setPlainText(text);
        return notetext::save(&d);
    }
    QString storedNote(int id)
    {
        QTextDocument d;
        a.ObnovTransakci();
        a.NactiPoznamku(VyplnSablonu(SqlPoznamkaUdalosti, {QString::number(id)}), QStringLiteral("Poznamka"),
                        &d);
        return d.toPlainText();
    }
    // The event as a workstation's editor reads it.
    static PrectenyZaznam<UdalostPole> read(TSQLDATA& ws, int id)
    {
        ws.ObnovTransakci();
        const std::optional<UdalostPole> u = NactiUdalost(ws, id);
        EXPECT_TRUE(u.has_value());
        return {u.value_or(UdalostPole{}), u ? u->Revize : -1};
    }
    int newEvent()
    {
        UdalostPole u;
        u.Datum = QStringLiteral("7.9.2026");
        u.CasOd = QStringLiteral("9:00");
        u.Nazev = QStringLiteral("Porada");
        TKategorieKUC k;
        k.NactiKategorie(0, QStringLiteral("KU"));
        k.Zaskrtni(0, true);
        const VysledekZapisu v = UlozUdalost(a, u, 0, m_jana, k, note(QStringLiteral("Program")));
        EXPECT_TRUE(v.ok) << v.chyba.toStdString();
        return v.id;
    }
    static TKategorieKUC categoriesOf(int id)
    {
        TKategorieKUC k;
        k.NactiKategorie(id, QStringLiteral("KU"));
        return k;
    }
    int links(int id)
    {
        a.ObnovTransakci();
        return a.VratInt(QStringLiteral("select count(*) from ku_kat where ku_id=%1").arg(id));
    }

    testdb::ServerDatabase m_database;
    TSQLDATA a, b;
    int m_jana = 0, m_petr = 0;
};

// A and B open one event; A saves a new name and a note, B a new start time.
// B's save is a conflict that names A; overwriting writes B's field only, so
// A's name and note stay. A save naming a revision that is gone is refused
// again: only the revision the conflict reported goes through.
TEST_F(Revize, StaleSaveIsAConflictAndOverwritingKeepsTheOtherFields)
{
    const int id = newEvent();
    const PrectenyZaznam<UdalostPole> ra = read(a, id), rb = read(b, id);

    UdalostPole ua = ra.pole;
    ua.Nazev = QStringLiteral("Porada vedení");
    VysledekZapisu v = UlozUdalost(a, ua, id, m_jana, categoriesOf(id), note(QStringLiteral("Zápis")), ra);
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();

    UdalostPole ub = rb.pole;
    ub.CasOd = QStringLiteral("10:30");
    v = UlozUdalost(b, ub, id, m_petr, categoriesOf(id), std::nullopt, rb);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.konflikt, VysledekZapisu::Konflikt::ZmenenoMezitim);
    EXPECT_TRUE(v.zmenil.startsWith(QStringLiteral("Jana Nováková, "))) << v.zmenil.toStdString();
    EXPECT_GT(v.revize, rb.revize);
    EXPECT_EQ(read(a, id).pole.CasOd, QStringLiteral("9:00:00")) << "nothing of the refused save is stored";

    v = UlozUdalost(b, ub, id, m_petr, categoriesOf(id), std::nullopt,
                    PrectenyZaznam<UdalostPole>{rb.pole, v.revize});
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();
    const UdalostPole now = read(a, id).pole;
    EXPECT_EQ(now.Nazev, QStringLiteral("Porada vedení"));
    EXPECT_EQ(now.CasOd, QStringLiteral("10:30:00"));
    EXPECT_EQ(storedNote(id), QStringLiteral("Zápis"));
    EXPECT_EQ(links(id), 1);

    // A still holds the revision it saved with: two saves later it is stale.
    v = UlozUdalost(a, ua, id, m_jana, categoriesOf(id), std::nullopt, read(b, id) /*fresh*/);
    EXPECT_TRUE(v.ok) << "a fresh revision saves: " << v.chyba.toStdString();
    v = UlozUdalost(a, ua, id, m_jana, categoriesOf(id), std::nullopt, ra);
    EXPECT_EQ(v.konflikt, VysledekZapisu::Konflikt::ZmenenoMezitim);
}

// Two people change different fields one after the other, each from what he
// read: the second gets the question, and overwriting keeps both changes.
// Categories the second did not touch keep the first one's choice.
TEST_F(Revize, DifferentFieldsBothKept)
{
    const int id = newEvent();
    const PrectenyZaznam<UdalostPole> ra = read(a, id), rb = read(b, id);
    const TKategorieKUC kb = categoriesOf(id); // B's list: only "Porady"

    TKategorieKUC ka = categoriesOf(id);
    ka.Zaskrtni(1, true);
    ASSERT_TRUE(UlozUdalost(a, ra.pole, id, m_jana, ka, note(QStringLiteral("Od Jany")), ra).ok);

    UdalostPole ub = rb.pole;
    ub.Nazev = QStringLiteral("Porada s klientem");
    VysledekZapisu v = UlozUdalost(b, ub, id, m_petr, categoriesOf(id), std::nullopt, rb);
    ASSERT_EQ(v.konflikt, VysledekZapisu::Konflikt::ZmenenoMezitim);
    // B's categories as B read them, untouched: not written.
    v = UlozUdalost(b, ub, id, m_petr, kb, std::nullopt, PrectenyZaznam<UdalostPole>{rb.pole, v.revize});
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();

    EXPECT_EQ(read(a, id).pole.Nazev, QStringLiteral("Porada s klientem"));
    EXPECT_EQ(storedNote(id), QStringLiteral("Od Jany"));
    EXPECT_EQ(links(id), 2);
}

// B deleted the event while A edited it: A's save says so, writes nothing
// (no link rows for the missing event), and the links went with the event.
TEST_F(Revize, DeletedMeanwhileWritesNoLinks)
{
    const int id = newEvent();
    const PrectenyZaznam<UdalostPole> ra = read(a, id);
    ASSERT_TRUE(SmazUdalost(b, id).ok);

    TKategorieKUC ka = categoriesOf(0);
    ka.Zaskrtni(1, true);
    UdalostPole ua = ra.pole;
    ua.Nazev = QStringLiteral("Porada přesunuta");
    const VysledekZapisu v = UlozUdalost(a, ua, id, m_jana, ka, note(QStringLiteral("Nový zápis")), ra);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.konflikt, VysledekZapisu::Konflikt::SmazanoMezitim);
    EXPECT_EQ(links(id), 0);
    EXPECT_EQ(a.VratInt(QStringLiteral("select count(*) from ku where ku_id=%1").arg(id)), 0);
}

// The database itself keeps links to existing records: a link for a missing
// event fails, and deleting an event or a category takes its links.
TEST_F(Revize, LinksCannotBeOrphaned)
{
    const int id = newEvent();
    EXPECT_FALSE(a.ProvedSQL(QStringLiteral("insert into ku_kat (ku_kat_id, ku_id, ku_c_kat_id) values "
                                            "(gen_id(ku_kat_id, 1), 999999, 1)"))
                     .ok);
    const int other = newEvent();
    ASSERT_TRUE(a.ProvedSQL(QStringLiteral("delete from ku where ku_id=%1").arg(id)).ok);
    EXPECT_EQ(links(id), 0);
    ASSERT_TRUE(a.ProvedSQL(QStringLiteral("delete from ku_c_kat where ku_c_kat_id=1")).ok);
    EXPECT_EQ(links(other), 0);
}

} // namespace
