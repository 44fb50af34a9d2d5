#include "logbook_fixture.h"

#include "common/action.h"
#include "logbook/tiskjizd.h"
#include "logbook/ui/form_dialogkjtisk.h"
#include "overview/ktpreviewprint.h"
#include "overview/pagetext.h"

#include <QPushButton>
#include <QTimer>

namespace
{

class LogbookPrint : public LogbookTest
{
protected:
    void SetUp() override
    {
        LogbookTest::SetUp();
        exec(QStringLiteral("delete from kj"));
    }
    static void addRide(int car, const QString& datum, int poradi, const QString& km, const QString& duvod)
    {
        exec(QStringLiteral(
                 "insert into kj (kj_auto_id, datum, poradi, vzdalenost, duvod, od_nazev, od_mesto, "
                 "do_nazev, do_psc, do_mesto) values (%1, \"%2\", %3, %4, \"%5\", \"Alfa\", \"Brno\", "
                 "\"  \", \"110 00\", \"Praha\")")
                 .arg(car)
                 .arg(datum)
                 .arg(poradi)
                 .arg(km, duvod));
    }
    // Every line of every page as its pieces joined.
    static QStringList text(const TPreviewDocument& doc)
    {
        QStringList out;
        for (int p = 1; p <= doc.PocetStran(); ++p)
            for (const auto& line : PageText(doc.Strana(p)).lines())
                out << PageText::words(line).join(QString());
        return out;
    }
};

TEST_F(LogbookPrint, RangeOfOneCarWithPlateAndTotal)
{
    addRide(s_octavia, QStringLiteral("5.3.2004"), 2, QStringLiteral("30"), QStringLiteral("Druhá"));
    addRide(s_fabia, QStringLiteral("5.3.2004"), 1, QStringLiteral("99"), QStringLiteral("Jiné auto"));
    addRide(s_octavia, QStringLiteral("5.3.2004"), 3, QStringLiteral("NULL"), QStringLiteral("Bez km"));
    addRide(s_octavia, QStringLiteral("4.3.2004"), 1, QStringLiteral("12"), QStringLiteral("První"));
    addRide(s_octavia, QStringLiteral("9.3.2004"), 1, QStringLiteral("50"), QStringLiteral("Mimo"));
    TPreviewDocument doc;
    RozvrhniKnihuJizd(db(), doc,
                      {s_octavia, QStringLiteral("4.3.2004"), QStringLiteral("5.3.2004"),
                       QStringLiteral("Firma s.r.o."), QStringLiteral("   ")});
    const QStringList lines = text(doc);
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Vytištěno programem Orvan")));
    EXPECT_EQ(lines[1], QStringLiteral("Firma s.r.o.")) << "a blank title is not printed";
    EXPECT_EQ(lines[2], QStringLiteral("Kniha jízd: Octavia, SPZ 1AB 2345, období 4.3.2004 – 5.3.2004"));
    const QStringList expected = {
        QStringLiteral("4.3.200412 km  První"),  QStringLiteral("   od: Alfa, Brno,"),
        QStringLiteral("   do: 110 00, Praha,"), QStringLiteral("5.3.200430 km  Druhá"),
        QStringLiteral("   od: Alfa, Brno,"),    QStringLiteral("   do: 110 00, Praha,"),
        QStringLiteral("5.3.20040 km  Bez km"),  QStringLiteral("   od: Alfa, Brno,"),
        QStringLiteral("   do: 110 00, Praha,"), QStringLiteral("Celkem 42 km"),
    };
    // Pieces are joined as drawn; the field widths keep them apart on paper.
    EXPECT_EQ(lines.mid(3).join(QLatin1Char('|')).toStdString(),
              expected.join(QLatin1Char('|')).toStdString());
}

TEST_F(LogbookPrint, CarWithoutRidesAndNoCar)
{
    TPreviewDocument doc;
    RozvrhniKnihuJizd(db(), doc, {s_fabia, {}, {}, {}, {}});
    const QStringList lines = text(doc);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QStringLiteral("Kniha jízd: Fabia, SPZ 2CD 6789"));
    EXPECT_EQ(lines[2], QStringLiteral("Celkem 0 km"));
    try {
        RozvrhniKnihuJizd(db(), doc, {0, {}, {}, {}, {}});
        ADD_FAILURE() << "no car must be refused";
    } catch (const ActionError& e) {
        EXPECT_EQ(e.text(), TextZadneAuto);
    }
    EXPECT_THROW(PodminkaJizdAuta(s_fabia, QStringLiteral("32.1.2004"), QString()), ActionError);
}

// The dialog: car-only mode uses no hidden range; no car gives a clear message.
TEST_F(LogbookPrint, DialogModes)
{
    TForm_DialogKJTisk d;
    d.KTEDITDC_OD->setText(QStringLiteral("1.1.2004"));
    d.KTEDITDC_DO->setText(QStringLiteral("31.1.2004"));
    auto answer = [&](QPushButton* b) { QTimer::singleShot(0, b, [b] { b->click(); }); };

    d.NastavRezim(false);
    answer(d.OKBtn);
    ASSERT_TRUE(d.Zeptej());
    EXPECT_EQ(d.VybraneAuto(), s_fabia) << "the first car by description";
    EXPECT_EQ(d.Od(), QStringLiteral("1.1.2004"));

    d.NastavRezim(true);
    EXPECT_FALSE(d.KTEDITDC_OD->isVisibleTo(&d));
    d.KTCB_AUTO->VyberID(s_octavia);
    answer(d.OKBtn);
    ASSERT_TRUE(d.Zeptej());
    EXPECT_EQ(d.VybraneAuto(), s_octavia) << "the choice is kept";
    EXPECT_TRUE(d.Od().isEmpty());
    EXPECT_TRUE(d.Do().isEmpty());
    EXPECT_EQ(d.KTEDITDC_OD->text(), QStringLiteral("1.1.2004")) << "hidden, not cleared";

    answer(d.CancelBtn);
    EXPECT_FALSE(d.Zeptej());
    EXPECT_TRUE(messages::takeShown().isEmpty());

    exec(QStringLiteral("update kj_auto set f_cist=%1").arg(kObchod));
    answer(d.OKBtn);
    EXPECT_FALSE(d.Zeptej());
    exec(QStringLiteral("update kj_auto set f_cist=0"));
    EXPECT_EQ(messages::takeShown(), QStringList{TextZadneAuto});
}

} // namespace
