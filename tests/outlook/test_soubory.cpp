// iCalendar and vCard files as other programs write them, and as this one does.
#include "common/action.h"
#include "outlook/radky.h"
#include "outlook/vymena.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace
{

// Local times below are Prague's.
const bool kPasmo = [] {
    qputenv("TZ", "Europe/Prague");
    return true;
}();

QDateTime mistni(int y, int mo, int d, int h = 0, int mi = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

Schuzka schuzka(const QString& uid, const QString& nazev, const QString& popis, const QDateTime& od,
                const QDateTime& konec, bool celyDen, bool pripominka, const QDateTime& alarm)
{
    Schuzka s;
    s.uid = uid;
    s.nazev = nazev;
    s.popis = popis;
    s.zacatek = od;
    s.konec = konec;
    s.celyDen = celyDen;
    s.pripominka = pripominka;
    s.okamzikPripominky = alarm;
    return s;
}

QByteArray crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

TEST(ICal, EventsFromAnotherProgram)
{
    const QByteArray ics = crlf(R"(BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Jiny program//CS
BEGIN:VTIMEZONE
TZID:Central Europe Standard Time
BEGIN:STANDARD
DTSTART:16011028T030000
RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10
TZOFFSETFROM:+0200
TZOFFSETTO:+0100
END:STANDARD
BEGIN:DAYLIGHT
DTSTART:16010325T020000
RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3
TZOFFSETFROM:+0100
TZOFFSETTO:+0200
END:DAYLIGHT
END:VTIMEZONE
BEGIN:VEVENT
UID:a1
SUMMARY:Porada\, vedení
DTSTART;TZID=Central Europe Standard Time:20260715T100000
DTEND;TZID=Central Europe Standard Time:20260715T113000
DESCRIPTION:První řádek\ndruhý řádek s dlouhým textem\, který jiný program zalo
 mil
BEGIN:VALARM
ACTION:DISPLAY
TRIGGER:-PT15M
END:VALARM
END:VEVENT
BEGIN:VEVENT
UID:a2
SUMMARY:Zimní schůzka
DTSTART:20261210T090000Z
DURATION:PT2H
RRULE:FREQ=WEEKLY;COUNT=10
BEGIN:VALARM
TRIGGER;RELATED=END:PT5M
ACTION:AUDIO
END:VALARM
END:VEVENT
BEGIN:VEVENT
UID:a3
SUMMARY:Státní svátek
DTSTART;VALUE=DATE:20261228
DTEND;VALUE=DATE:20261229
BEGIN:VALARM
TRIGGER;VALUE=DATE-TIME:20261227T170000Z
END:VALARM
END:VEVENT
BEGIN:VEVENT
UID:a4
SUMMARY:Pražský čas
DTSTART;TZID=Europe/Prague:20260110T080000
DTEND;TZID=Europe/Prague:20260110T090000
END:VEVENT
END:VCALENDAR
)");
    const QList<Schuzka> s = ical::Cti(ics);
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[0].nazev, QStringLiteral("Porada, vedení"));
    EXPECT_EQ(s[0].zacatek, mistni(2026, 7, 15, 10, 0));
    EXPECT_EQ(s[0].konec, mistni(2026, 7, 15, 11, 30));
    EXPECT_EQ(s[0].popis,
              QStringLiteral("První řádek\ndruhý řádek s dlouhým textem, který jiný program zalomil"));
    EXPECT_TRUE(s[0].pripominka);
    EXPECT_EQ(s[0].okamzikPripominky, mistni(2026, 7, 15, 9, 45));
    EXPECT_FALSE(s[0].celyDen);

    // UTC in winter is one hour behind; a recurring event keeps its first occurrence.
    EXPECT_EQ(s[1].zacatek, mistni(2026, 12, 10, 10, 0));
    EXPECT_EQ(s[1].konec, mistni(2026, 12, 10, 12, 0));
    EXPECT_EQ(s[1].okamzikPripominky, mistni(2026, 12, 10, 12, 5));

    EXPECT_TRUE(s[2].celyDen);
    EXPECT_EQ(s[2].zacatek, mistni(2026, 12, 28));
    EXPECT_EQ(s[2].okamzikPripominky, mistni(2026, 12, 27, 18, 0));
    EXPECT_EQ(s[3].zacatek, mistni(2026, 1, 10, 8, 0));
}

TEST(ICal, MalformedFilesAreRefusedWhole)
{
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:x\nDTSTART:20260101T100000\nEND:VCALENDAR\n", "řádku 5"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY x\nEND:VEVENT\nEND:VCALENDAR\n", "řádku 3"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:2026xx01\nEND:VEVENT\nEND:VCALENDAR\n", "neplatné datum"},
        {"BEGIN:VCARD\nFN:x\nEND:VCARD\n", "není kalendář"},
        // libical's own refusals, on the line of the property.
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101T100000\nRRULE:FREQ=OBCAS\nEND:VEVENT\nEND:"
         "VCALENDAR\n",
         "řádku 4: neplatné pravidlo opakování"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101T100000\nBEGIN:VALARM\nACTION:DISPLAY\n"
         "TRIGGER:-PT15X\nEND:VALARM\nEND:VEVENT\nEND:VCALENDAR\n",
         "řádku 6: neplatný čas připomenutí"},
    };
    for (const auto& c : cases) {
        try {
            ical::Cti(crlf(c.text));
            ADD_FAILURE() << c.text;
        } catch (const ActionError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.message))) << e.text().toStdString();
        }
    }

    // Of two files, a bad second one means nothing is read.
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("a.ics")), bad = dir.filePath(QStringLiteral("b.ics"));
    QFile f(good);
    f.open(QIODevice::WriteOnly);
    f.write(ical::Zapis({schuzka(QStringLiteral("u"), QStringLiteral("x"), {}, mistni(2026, 1, 1, 10),
                                 mistni(2026, 1, 1, 11), false, false, {})},
                        QDateTime::currentDateTimeUtc(), false));
    f.close();
    QFile g(bad);
    g.open(QIODevice::WriteOnly);
    g.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
    g.close();
    SouboroveUloziste u({good, bad}, QString(), QDateTime());
    try {
        u.NactiKalendar();
        ADD_FAILURE();
    } catch (const ActionError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("b.ics"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QStringLiteral("Nic nebylo importováno"))) << e.text().toStdString();
    }
}

TEST(ICal, WrittenFileFoldsAndReadsBackTheSame)
{
    const QString dlouhy = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy; ") + QString(60, QChar(u'š'));
    const QList<Schuzka> ven{
        // Across the October change: the end is in winter time.
        schuzka(QStringLiteral("orvan-ku-1-x@orvan"), dlouhy, QStringLiteral("řádek\nřádek, dva"),
                mistni(2026, 10, 24, 23, 0), mistni(2026, 10, 25, 4, 0), false, true,
                mistni(2026, 10, 24, 22, 30)),
        schuzka(QStringLiteral("orvan-ku-2-x@orvan"), QStringLiteral("Celý den"), {}, mistni(2026, 3, 29),
                mistni(2026, 3, 30), true, false, {}),
        // A reminder after the start stays after it.
        schuzka(QStringLiteral("orvan-ku-3-x@orvan"), QStringLiteral("Po začátku"), {},
                mistni(2026, 5, 1, 10), mistni(2026, 5, 1, 11), false, true, mistni(2026, 5, 1, 10, 20)),
    };
    const QDateTime razitko(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC);
    const QByteArray data = ical::Zapis(ven, razitko, false);
    for (const QByteArray& line : data.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData(); // 75 octets + CR
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << "a UTF-8 sequence was split";
    }
    EXPECT_TRUE(data.contains("\r\n"));
    EXPECT_TRUE(data.contains("DTSTAMP:20261210T120000Z"));
    EXPECT_TRUE(data.contains("DTSTART;VALUE=DATE:20260329"));
    EXPECT_TRUE(data.contains("TRIGGER:-PT30M"));
    EXPECT_TRUE(data.contains("TRIGGER:PT20M"));
    const QList<Schuzka> zpet = ical::Cti(data);
    ASSERT_EQ(zpet.size(), ven.size());
    for (qsizetype i = 0; i < ven.size(); ++i) {
        EXPECT_EQ(zpet[i].uid, ven[i].uid);
        EXPECT_EQ(zpet[i].nazev, ven[i].nazev);
        EXPECT_EQ(zpet[i].popis, ven[i].popis);
        EXPECT_EQ(zpet[i].zacatek, ven[i].zacatek) << i;
        EXPECT_EQ(zpet[i].konec, ven[i].konec) << i;
        EXPECT_EQ(zpet[i].celyDen, ven[i].celyDen);
        EXPECT_EQ(zpet[i].pripominka, ven[i].pripominka);
        if (ven[i].pripominka) {
            EXPECT_EQ(zpet[i].okamzikPripominky, ven[i].okamzikPripominky) << i;
        }
    }
    // The cancelling file names the same uids.
    const QByteArray zruseni = ical::Zapis(ven, razitko, true);
    EXPECT_TRUE(zruseni.contains("METHOD:CANCEL"));
    EXPECT_TRUE(zruseni.contains("STATUS:CANCELLED"));
    EXPECT_TRUE(zruseni.contains("UID:orvan-ku-2-x@orvan"));
    EXPECT_FALSE(zruseni.contains("VALARM"));
}

TEST(VCard, ThreeVersions)
{
    QByteArray v21 = crlf(
        "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Nov=C3=A1k;Jan;;Ing.;Ph.D.\n"
        "ORG;CHARSET=WINDOWS-1250;ENCODING=QUOTED-PRINTABLE:Stavebn=ED s.r.o.\n"
        "ADR;HOME:;;Domácí 1;Brno;;60200;CZ\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:;;Dlouh=C3=A1 12;Praha;;11000;=\n"
        "=C4=8Cesk=C3=A1 republika\n"
        "TEL;WORK;VOICE:+420 111\nTEL;HOME;VOICE:+420 222\nTEL;CELL:+420 333\nTEL;CELL:+420 444\n"
        "TEL;WORK;FAX:+420 555\nEMAIL;INTERNET:jan@firma.cz\nEMAIL;INTERNET:jan@domu.cz\n"
        "EMAIL;INTERNET:treti@x.cz\nURL:http://osobni.cz\nURL;WORK:http://firma.cz\n"
        "NICKNAME:Honzíček z Brna\nNOTE:Volat ráno\nEND:VCARD\n");
    const QByteArray v30 =
        crlf("BEGIN:VCARD\nVERSION:3.0\nN:Svobodová;Eva;;;\nFN:Eva Svobodová\nORG:Úřad\\, odbor;Podatelna\n"
             "TEL;TYPE=WORK,VOICE:+420 600\nEMAIL;TYPE=INTERNET,PREF:eva@urad.cz\nNOTE:Dlouhá poznámka"
             ", která je zalo\n mená na dva řádky\nEND:VCARD\n");
    const QByteArray v40 =
        crlf("BEGIN:VCARD\nVERSION:4.0\nN:Dvořák;Petr;;;\nTEL;VALUE=uri;TYPE=\"cell,voice\":tel:+420-777\n"
             "TEL;TYPE=work:+420 888\nADR;TYPE=work:;;Nám. 1;Plzeň;;30100;CZ\nEND:VCARD\n");
    const QList<Kontakt> k = vcard::Cti(v21 + v30 + v40);
    ASSERT_EQ(k.size(), 3);
    EXPECT_EQ(k[0].prijmeni, QStringLiteral("Novák"));
    EXPECT_EQ(k[0].jmeno, QStringLiteral("Jan"));
    EXPECT_EQ(k[0].titul, QStringLiteral("Ing."));
    EXPECT_EQ(k[0].zaPrijmenim, QStringLiteral("Ph.D."));
    EXPECT_EQ(k[0].nazev, QStringLiteral("Stavební s.r.o."));
    EXPECT_EQ(k[0].ulice, QStringLiteral("Dlouhá 12"));
    EXPECT_EQ(k[0].mesto, QStringLiteral("Praha"));
    EXPECT_EQ(k[0].psc, QStringLiteral("11000"));
    EXPECT_EQ(k[0].stat, QStringLiteral("Česká republika"));
    EXPECT_EQ(QStringList({k[0].telefon1, k[0].telefon2, k[0].mobil1, k[0].mobil2, k[0].fax1}),
              QStringList({"+420 111", "+420 222", "+420 333", "+420 444", "+420 555"}));
    EXPECT_EQ(QStringList({k[0].email1, k[0].email2}), QStringList({"jan@firma.cz", "jan@domu.cz"}));
    EXPECT_EQ(k[0].www1, QStringLiteral("http://firma.cz"));
    EXPECT_EQ(k[0].prezdivka, QStringLiteral("Honzíček z Brna"));
    EXPECT_TRUE(k[0].ostatni.contains(QStringLiteral("EMAIL=treti@x.cz")))
        << k[0].ostatni.join(u'|').toStdString();
    EXPECT_TRUE(k[0].ostatni.contains(QStringLiteral("NOTE=Volat ráno")));
    EXPECT_TRUE(k[0].ostatni.contains(QStringLiteral("ADR;HOME=Domácí 1, Brno, 60200, CZ")));
    EXPECT_FALSE(k[0].ostatni.join(u'|').contains(QStringLiteral("VERSION")));

    EXPECT_EQ(k[1].nazev, QStringLiteral("Úřad, odbor"));
    EXPECT_EQ(k[1].telefon1, QStringLiteral("+420 600"));
    EXPECT_EQ(k[1].email1, QStringLiteral("eva@urad.cz"));
    EXPECT_TRUE(
        k[1].ostatni.contains(QStringLiteral("NOTE=Dlouhá poznámka, která je zalomená na dva řádky")));

    EXPECT_EQ(k[2].mobil1, QStringLiteral("+420-777"));
    EXPECT_EQ(k[2].telefon1, QStringLiteral("+420 888"));
    EXPECT_EQ(k[2].mesto, QStringLiteral("Plzeň"));

    // Out and back in.
    const QList<Kontakt> zpet = vcard::Cti(vcard::Zapis(k));
    ASSERT_EQ(zpet.size(), 3);
    for (qsizetype i = 0; i < k.size(); ++i) {
        const auto pole = [](const Kontakt& c) {
            return QStringList{c.nazev,    c.jmeno,  c.prijmeni, c.titul,  c.zaPrijmenim, c.ulice,
                               c.mesto,    c.psc,    c.stat,     c.email1, c.email2,      c.telefon1,
                               c.telefon2, c.mobil1, c.mobil2,   c.fax1,   c.www1,        c.prezdivka};
        };
        EXPECT_EQ(pole(zpet[i]), pole(k[i])) << i;
    }
}

// A zone rule with a month that does not exist is ignored, not walked
// forever: the event still imports, at the zone's other offset.
TEST(ICal, ZoneRuleWithAMonthThatDoesNotExist)
{
    for (const char* mesic : {"13", "-1", "0"}) {
        const QByteArray data =
            crlf(QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VTIMEZONE\nTZID:Chybna\n"
                            "BEGIN:STANDARD\nDTSTART:19701025T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\n"
                            "RRULE:FREQ=YEARLY;BYMONTH=") +
                 mesic +
                 ";BYDAY=-1SU\nEND:STANDARD\nEND:VTIMEZONE\nBEGIN:VEVENT\nUID:x\n"
                 "DTSTART;TZID=Chybna:20260115T100000\nSUMMARY:Porada\nEND:VEVENT\nEND:VCALENDAR\n");
        const QList<Schuzka> s = ical::Cti(data);
        ASSERT_EQ(s.size(), 1) << mesic;
        EXPECT_TRUE(s[0].zacatek.isValid()) << mesic;
    }
}

// A phone's card with its full name only fills the name; a row without any
// name still goes out with a full name (FN may not be empty).
TEST(VCard, FullNameOnly)
{
    const QList<Kontakt> k = vcard::Cti(crlf("BEGIN:VCARD\nVERSION:3.0\nFN:Jan Pavel Novák\n"
                                             "TEL;TYPE=CELL:+420 777\nEND:VCARD\n"
                                             "BEGIN:VCARD\nVERSION:3.0\nFN:Ludmila\nEND:VCARD\n"));
    ASSERT_EQ(k.size(), 2);
    EXPECT_EQ(k[0].jmeno, QStringLiteral("Jan Pavel"));
    EXPECT_EQ(k[0].prijmeni, QStringLiteral("Novák"));
    EXPECT_EQ(k[1].prijmeni, QStringLiteral("Ludmila"));
    EXPECT_TRUE(k[0].ostatni.isEmpty());

    Kontakt bezJmena;
    bezJmena.email1 = QStringLiteral("info@firma.cz");
    Kontakt nic;
    const QByteArray ven = vcard::Zapis({bezJmena, nic});
    EXPECT_TRUE(ven.contains("FN:info@firma.cz\r\n"));
    EXPECT_TRUE(ven.contains("FN:(bez jména)\r\n"));
    EXPECT_FALSE(ven.contains("FN:\r\n"));
}

} // namespace

namespace
{

QByteArray kalendar(const char* telo)
{
    return crlf((QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Jiny//CS\n") + telo + "END:VCALENDAR\n")
                    .constData());
}

// A US zone as long-lived definitions carry it: the rules before 2007 end
// with UNTIL and must not apply after.
const char* kVychodniPasmo = R"(BEGIN:VTIMEZONE
TZID:Vychodni (vlastni)
BEGIN:DAYLIGHT
DTSTART:19870405T020000
RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU;UNTIL=20060402T070000Z
TZOFFSETFROM:-0500
TZOFFSETTO:-0400
END:DAYLIGHT
BEGIN:STANDARD
DTSTART:19671029T020000
RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU;UNTIL=20061029T060000Z
TZOFFSETFROM:-0400
TZOFFSETTO:-0500
END:STANDARD
BEGIN:DAYLIGHT
DTSTART:20070311T020000
RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU
TZOFFSETFROM:-0500
TZOFFSETTO:-0400
END:DAYLIGHT
BEGIN:STANDARD
DTSTART:20071104T020000
RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU
TZOFFSETFROM:-0400
TZOFFSETTO:-0500
END:STANDARD
END:VTIMEZONE
)";

} // namespace

// Where the event lands in Prague's local time, for zones as files write them.
TEST(ICal, ZonesAsOtherProgramsWriteThem)
{
    struct {
        const char* popis;
        QByteArray soubor;
        QDateTime zacatek;
    } pripady[] = {
        // Between the old rules' end of summer time and the new one's: still summer (-4).
        {"UNTIL-ended rules",
         kalendar((QByteArray(kVychodniPasmo) + "BEGIN:VEVENT\nUID:z1\nDTSTART;TZID=Vychodni (vlastni):"
                                                "20261028T100000\nEND:VEVENT\n")
                      .constData()),
         mistni(2026, 10, 28, 15, 0)},
        {"the same zone in winter",
         kalendar((QByteArray(kVychodniPasmo) + "BEGIN:VEVENT\nUID:z2\nDTSTART;TZID=Vychodni (vlastni):"
                                                "20261210T100000\nEND:VEVENT\n")
                      .constData()),
         mistni(2026, 12, 10, 16, 0)},
        // A known zone is the system's, not the file's stale copy (no summer time in it).
        {"system zone before the file's",
         kalendar("BEGIN:VTIMEZONE\nTZID:Europe/Prague\nBEGIN:STANDARD\nDTSTART:19700101T000000\n"
                  "TZOFFSETFROM:+0100\nTZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n"
                  "BEGIN:VEVENT\nUID:z3\nDTSTART;TZID=Europe/Prague:20260710T100000\nEND:VEVENT\n"),
         mistni(2026, 7, 10, 10, 0)},
        {"zone name behind a prefix",
         kalendar("BEGIN:VEVENT\nUID:z4\nDTSTART;TZID=/mozilla.org/20070129_1/Europe/London:20260710T100000\n"
                  "END:VEVENT\n"),
         mistni(2026, 7, 10, 11, 0)},
        {"Windows zone name without a definition",
         kalendar("BEGIN:VEVENT\nUID:z5\nDTSTART;TZID=GMT Standard Time:20260110T100000\nEND:VEVENT\n"),
         mistni(2026, 1, 10, 11, 0)},
        {"floating time is the workstation's",
         kalendar("BEGIN:VEVENT\nUID:z6\nDTSTART:20260110T100000\nEND:VEVENT\n"), mistni(2026, 1, 10, 10, 0)},
    };
    for (const auto& p : pripady) {
        const QList<Schuzka> s = ical::Cti(p.soubor);
        ASSERT_EQ(s.size(), 1) << p.popis;
        EXPECT_EQ(s[0].zacatek, p.zacatek)
            << p.popis << ": " << s[0].zacatek.toString(Qt::ISODate).toStdString();
    }
}

// A series comes with its rule, the starts it leaves out (EXDATE as a time or
// a date, cancelled occurrences) and its changed occurrences as items of
// their own; only extra dates (RDATE) are cut, with a mark.
TEST(ICal, SeriesComeWithTheirRuleExclusionsAndChanges)
{
    const QByteArray serie = kalendar(
        "BEGIN:VEVENT\nUID:s1\nSUMMARY:Porada\nDTSTART;TZID=Europe/Prague:20260105T090000\n"
        "DTEND;TZID=Europe/Prague:20260105T100000\nRRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=5\n"
        "EXDATE;TZID=Europe/Prague:20260105T090000\nEXDATE;VALUE=DATE:20260112\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:s1\nRECURRENCE-ID;TZID=Europe/Prague:20260119T090000\n"
        "DTSTART;TZID=Europe/Prague:20260119T090000\nSTATUS:CANCELLED\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:s1\nRECURRENCE-ID:20260126T080000Z\nSUMMARY:Porada (přesunuto)\n"
        "DTSTART;TZID=Europe/Prague:20260127T140000\nDTEND;TZID=Europe/Prague:20260127T150000\nEND:VEVENT\n");
    const QList<Schuzka> s = ical::Cti(serie);
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0].uid, QStringLiteral("s1"));
    EXPECT_EQ(s[0].pravidlo, QStringLiteral("FREQ=WEEKLY;COUNT=5;BYDAY=MO"));
    EXPECT_EQ(s[0].zacatek, mistni(2026, 1, 5, 9));
    EXPECT_EQ(s[0].vynechane,
              (QList<QDateTime>{mistni(2026, 1, 19, 9), mistni(2026, 1, 5, 9), mistni(2026, 1, 12, 9)}));
    EXPECT_FALSE(s[0].zkracenaSerie);
    EXPECT_EQ(s[1].uid, QStringLiteral("s1"));
    EXPECT_EQ(s[1].puvodni, mistni(2026, 1, 26, 9));
    EXPECT_EQ(s[1].zacatek, mistni(2026, 1, 27, 14));
    EXPECT_EQ(s[1].nazev, QStringLiteral("Porada (přesunuto)"));

    // Written and read again: the same series and change.
    const QByteArray ven = ical::Zapis(s, QDateTime::currentDateTimeUtc(), false);
    EXPECT_TRUE(ven.contains("BEGIN:VTIMEZONE")) << ven.constData();
    EXPECT_TRUE(ven.contains("DTSTART;TZID=Europe/Prague:20260105T090000")) << ven.constData();
    EXPECT_TRUE(ven.contains("RECURRENCE-ID;TZID=Europe/Prague:20260126T090000")) << ven.constData();
    const QList<Schuzka> zpet = ical::Cti(ven);
    ASSERT_EQ(zpet.size(), 2);
    EXPECT_EQ(zpet[0].pravidlo, s[0].pravidlo);
    EXPECT_EQ(zpet[0].zacatek, s[0].zacatek);
    EXPECT_EQ(zpet[0].vynechane, s[0].vynechane);
    EXPECT_EQ(zpet[1].puvodni, s[1].puvodni);
    EXPECT_EQ(zpet[1].zacatek, s[1].zacatek);

    // Extra dates alone: the first occurrence that nothing excludes, marked.
    const QList<Schuzka> rdate = ical::Cti(
        kalendar("BEGIN:VEVENT\nUID:s2\nDTSTART:20260105T090000Z\nRDATE:20260107T090000Z,20260109T090000Z\n"
                 "EXDATE:20260105T090000Z\nEND:VEVENT\n"));
    ASSERT_EQ(rdate.size(), 1);
    EXPECT_TRUE(rdate[0].zkracenaSerie);
    EXPECT_EQ(rdate[0].zacatek, mistni(2026, 1, 7, 10));

    // A cancelled single occurrence without its series cancels nothing.
    const QList<Schuzka> vyskyt = ical::Cti(kalendar(
        "METHOD:CANCEL\nBEGIN:VEVENT\nUID:s3\nRECURRENCE-ID:20260112T080000Z\nDTSTART:20260112T080000Z\n"
        "STATUS:CANCELLED\nEND:VEVENT\n"));
    ASSERT_EQ(vyskyt.size(), 1);
    EXPECT_FALSE(vyskyt[0].zrusena);
    EXPECT_FALSE(vyskyt[0].odmitnuti.isEmpty());
}

// Ends on a later day are the file's: over midnight, and whole days over several days.
TEST(ICal, EndsOnALaterDayAreKept)
{
    const QList<Schuzka> s = ical::Cti(
        kalendar("BEGIN:VEVENT\nUID:n1\nDTSTART;TZID=Europe/Prague:20260310T220000\n"
                 "DTEND;TZID=Europe/Prague:20260311T060000\nEND:VEVENT\n"
                 "BEGIN:VEVENT\nUID:n2\nDTSTART;VALUE=DATE:20260803\nDTEND;VALUE=DATE:20260808\nEND:VEVENT\n"
                 "BEGIN:VEVENT\nUID:n3\nDTSTART;VALUE=DATE:20260803\nDURATION:P2D\nEND:VEVENT\n"));
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].konec, mistni(2026, 3, 11, 6));
    EXPECT_EQ(s[1].konec, mistni(2026, 8, 8));
    EXPECT_EQ(s[2].konec, mistni(2026, 8, 5));
    // Written back as they came.
    const QList<Schuzka> zpet = ical::Cti(ical::Zapis(s, QDateTime::currentDateTimeUtc(), false));
    ASSERT_EQ(zpet.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(zpet[i].konec, s[i].konec) << i;
}

// Cards as phones and address programs write them: the fields the address
// book has come out the same whatever the writer's habits.
TEST(VCard, CardsAsOtherProgramsWriteThem)
{
    struct {
        const char* popis;
        QByteArray karta;
        QStringList pole; // organisation, first name, surname, street, town, e-mail, work phone, mobile
    } pripady[] = {
        {"Apple: groups, lower-case repeated types, labels",
         crlf("BEGIN:VCARD\nVERSION:3.0\nPRODID:-//Apple Inc.//iPhone OS 17.0//EN\nN:Horáková;Marie;;;\n"
              "FN:Marie Horáková\nORG:Zahradnictví Veselá;\nitem1.EMAIL;type=INTERNET;type=pref:marie@zv.cz\n"
              "item1.X-ABLabel:_$!<Other>!$_\nTEL;type=CELL;type=VOICE;type=pref:+420 602 111 222\n"
              "TEL;type=WORK;type=VOICE:+420 544 000 111\nitem2.ADR;type=WORK;type=pref:;;Lipová "
              "5;Brno;;60200;"
              "Česko\nitem2.X-ABADR:cz\nEND:VCARD\n"),
         {"Zahradnictví Veselá", "Marie", "Horáková", "Lipová 5", "Brno", "marie@zv.cz", "+420 544 000 111",
          "+420 602 111 222"}},
        {"Google: several TYPE parameters, an empty N part",
         crlf("BEGIN:VCARD\nVERSION:3.0\nFN:Petr Dvořák\nN:Dvořák;Petr;;;\nEMAIL;TYPE=INTERNET;TYPE=WORK:"
              "petr@firma.cz\nTEL;TYPE=WORK:+420 222 333 444\nTEL;TYPE=CELL:+420 777 888 999\n"
              "ADR;TYPE=WORK:;;Na Příkopě 1;Praha;;11000;CZ\nORG:Firma s.r.o.\nEND:VCARD\n"),
         {"Firma s.r.o.", "Petr", "Dvořák", "Na Příkopě 1", "Praha", "petr@firma.cz", "+420 222 333 444",
          "+420 777 888 999"}},
        {"Android 2.1: quoted-printable with soft breaks, a photo",
         crlf("BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C4=8Cern=C3=BD;Ji=C5=99="
              "C3="
              "AD;;;\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Ji=C5=99=C3=AD =C4=8Cern=C3=BD\n"
              "TEL;CELL;PREF:+420603000111\nEMAIL;HOME:jiri@seznam.cz\n"
              "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;Dlouh=C3=A1 7;=\n=C3=9Ast=C3=AD;;;\n"
              "PHOTO;ENCODING=BASE64;JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\n AAAAAAAAAAAAAAAA\n\nEND:VCARD\n"),
         {"", "Jiří", "Černý", "Dlouhá 7", "Ústí", "jiri@seznam.cz", "", "+420603000111"}},
        {"Outlook 2.1 in Windows-1250 without a charset",
         QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;LANGUAGE=cs:Bene\x9a;Old\xf8ich\r\nFN:Old\xf8ich "
                    "Bene\x9a\r\nORG:Stola\xf8stv\xed Bene\x9a;V\xfdroba\r\nTEL;WORK;VOICE:+420 465 111 "
                    "222\r\nADR;WORK;PREF:;;N\xe1m\xec\x73t\xed 3;\xc8\x65sk\xe1 T\xf8\x65\x62ov\xe1;;56002;"
                    "\xc8\x65sk\xe1 republika\r\nLABEL;WORK;PREF;ENCODING=QUOTED-PRINTABLE:N=E1m=ECst=ED "
                    "3=0D=0A=\r\n=C8esk=E1 T=F8ebov=E1\r\nEMAIL;PREF;INTERNET:benes@stolarstvi.cz\r\n"
                    "REV:20260101T120000Z\r\nEND:VCARD\r\n"),
         {"Stolařství Beneš", "Oldřich", "Beneš", "Náměstí 3", "Česká Třebová", "benes@stolarstvi.cz",
          "+420 465 111 222", ""}},
        {"vCard 4.0: quoted parameters with colons and semicolons, tel: URIs",
         crlf("BEGIN:VCARD\nVERSION:4.0\nUID:urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1\n"
              "FN:Eva Svobodová\nN:Svobodová;Eva;;;\nORG:Úřad\\, odbor\n"
              "TEL;VALUE=uri;TYPE=\"voice,work\":tel:+420-224-111-222\nTEL;VALUE=uri;TYPE=cell:tel:+420-731-"
              "000-111\nADR;TYPE=work;LABEL=\"Vodičkova 9; 3. patro: podatelna\":;;Vodičkova 9;Praha;;11000;"
              "CZ\nEMAIL;PREF=1:eva@urad.cz\nEND:VCARD\n"),
         {"Úřad, odbor", "Eva", "Svobodová", "Vodičkova 9", "Praha", "eva@urad.cz", "+420-224-111-222",
          "+420-731-000-111"}},
        {"bare LF lines folded with a tab, a byte-order mark, lower-case names",
         QByteArray("\xEF\xBB\xBF"
                    "begin:vcard\nversion:3.0\nn:Kratochvíl;Tomáš;;;\nfn:Tomáš Kratochvíl\norg:Vinařství\n\t "
                    "Kratochvíl\nemail:tomas@vino.cz\nend:vcard\n"),
         {"Vinařství Kratochvíl", "Tomáš", "Kratochvíl", "", "", "tomas@vino.cz", "", ""}},
    };
    for (const auto& p : pripady) {
        const QList<Kontakt> k = vcard::Cti(p.karta);
        ASSERT_EQ(k.size(), 1) << p.popis;
        EXPECT_EQ((QStringList{k[0].nazev, k[0].jmeno, k[0].prijmeni, k[0].ulice, k[0].mesto, k[0].email1,
                               k[0].telefon1, k[0].mobil1}),
                  p.pole)
            << p.popis;
        // What the address book has no field for is kept in the note, never a photo or a program's own.
        const QString poznamka = k[0].ostatni.join(QLatin1Char('|'));
        EXPECT_FALSE(poznamka.contains(QStringLiteral("PHOTO"))) << p.popis;
        EXPECT_FALSE(poznamka.contains(QStringLiteral("X-AB"))) << p.popis;
    }
}
