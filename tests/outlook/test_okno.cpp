// The import window and the exchange commands through their controls.
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "outlook/ui/importku.h"
#include "outlook/ui/vymenaprikazy.h"
#include "outlook/vymena.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"

#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace
{

const bool kPasmo = [] {
    qputenv("TZ", "Europe/Prague");
    return true;
}();

class ImportOkno : public DbTest
{
protected:
    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, "
                            "ku_c_kat_poradi) values (3, \"Porady\", 255, 1)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (5, \"Dodavatelé\", 255, 1)"));
    }
    void SetUp() override
    {
        DbTest::SetUp();
        for (const char* t : {"ku_kat", "ku", "adresar_zakl_kat", "adresar_zakl"})
            exec(QStringLiteral("delete from ") + QLatin1String(t));
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{10}, 10);
        dialogs::startRecording();
    }
    void TearDown() override
    {
        dialogs::stopRecording();
        m_groups.reset();
    }
    QString soubor(const char* jmeno, const QByteArray& obsah)
    {
        const QString f = m_dir.filePath(QLatin1String(jmeno));
        QFile out(f);
        out.open(QIODevice::WriteOnly);
        out.write(obsah);
        return f;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SessionGroups> m_groups;
};

const QByteArray kKalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:Porada\r\n"
    "DTSTART:20260301T090000\r\nDTEND:20260301T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

TEST_F(ImportOkno, CalendarFilesWithChosenRightsCategoriesAndRule)
{
    TImportKU w;
    QTimer::singleShot(0, &w, [&] {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Orvan Import"));
        EXPECT_TRUE(w.RB_1->isChecked());
        EXPECT_FALSE(w.ProgressBar1->isVisible());
        EXPECT_EQ(w.Frame_Prava1->Prava(), PravaZaznamu::Vse(10));
        ASSERT_EQ(w.FRAME_JvxCheckListBox_KUC1->Pocet(), 1);
        ASSERT_EQ(w.FRAME_JvxCheckListBox_KUC2->Pocet(), 1);
        w.RB_3->setChecked(true);
        // Two files at once; the second event already exists the second time round.
        dialogs::queueFileName(soubor("a.ics", kKalendar) + QLatin1Char('\n') +
                               soubor("b.ics", QByteArray(kKalendar).replace("Porada", "Školení")));
        QTest::mouseClick(w.Button_Import_Kalendar, Qt::LeftButton);
    });
    w.Otevri();
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"open|Kalendář iCalendar|*.ics|ics"});
    EXPECT_EQ(messages::takeShown(), QStringList{"Načteno: 2\r\nPřepsáno: 0\r\nZapsáno: 2\r\n"});
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.Button_Import_Kalendar->isEnabled());
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from ku where f_cist=10")), 2);

    // Opened again: the rule is back at "add"; the matching item is skipped only when chosen.
    QTimer::singleShot(0, &w, [&] {
        EXPECT_TRUE(w.RB_1->isChecked());
        w.RB_3->setChecked(true);
        dialogs::queueFileName(soubor("a.ics", kKalendar));
        QTest::mouseClick(w.Button_Import_Kalendar, Qt::LeftButton);
    });
    w.Otevri();
    EXPECT_EQ(messages::takeShown(),
              QStringList{"Načteno: 1\r\nPřepsáno: 0\r\nZapsáno: 0\r\nPřeskočeno: 1\r\n"});

    // A malformed file imports nothing and says which file.
    QTimer::singleShot(0, &w, [&] {
        dialogs::queueFileName(soubor("a.ics", kKalendar) + QLatin1Char('\n') +
                               soubor("zly.ics", "BEGIN:VCALENDAR\r\n"));
        QTest::mouseClick(w.Button_Import_Kalendar, Qt::LeftButton);
        w.reject();
    });
    w.Otevri();
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Soubor zly.ics nelze načíst.")))
        << shown[0].toStdString();
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from ku")), 2);
    EXPECT_FALSE(w.ProgressBar1->isVisible());
}

TEST_F(ImportOkno, ContactsAndTheExportCommands)
{
    TImportKU w;
    QTimer::singleShot(0, &w, [&] {
        dialogs::queueFileName(soubor("k.vcf",
                                      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Nováková;Jana;;;\r\nORG:Firma\r\n"
                                      "END:VCARD\r\n"));
        QTest::mouseClick(w.Button_Import_Adresar, Qt::LeftButton);
    });
    w.Otevri();
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"open|Kontakty vCard|*.vcf|vcf"});
    EXPECT_EQ(messages::takeShown(), QStringList{"Načteno: 1\r\nPřepsáno: 0\r\nZapsáno: 1\r\n"});

    exec(QStringLiteral("insert into ku (ku_id, datum, cas_od, cas_do, nazev) values (1, \"1.3.2026\", "
                        "\"1.3.2026 9:00\", \"1.3.2026 10:00\", \"Porada\")"));
    const QString ics = m_dir.filePath(QStringLiteral("ven.ics"));
    dialogs::queueFileName(ics);
    vymena::ExportKalendare(nullptr);
    EXPECT_EQ(messages::takeShown(), QStringList{"Uloženo 1 položek do kalendáře v souboru ven.ics"});
    EXPECT_EQ(dialogs::takeAsked(), QStringList{"save|Kalendář iCalendar|*.ics|ics"});
    QFile f(ics);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    EXPECT_TRUE(data.contains("SUMMARY:Porada"));
    EXPECT_TRUE(data.contains("UID:orvan-"));

    // Clearing asks first; No writes nothing.
    const QString zrus = m_dir.filePath(QStringLiteral("zrus.ics"));
    vymena::VymazKalendare(nullptr);
    EXPECT_EQ(messages::takeShown().size(), 1);
    EXPECT_TRUE(dialogs::takeAsked().isEmpty());
    messages::queueAnswer(true);
    dialogs::queueFileName(zrus);
    vymena::VymazKalendare(nullptr);
    EXPECT_EQ(messages::takeShown().size(), 2);
    QFile z(zrus);
    ASSERT_TRUE(z.open(QIODevice::ReadOnly));
    EXPECT_TRUE(z.readAll().contains("METHOD:CANCEL"));

    const QString vcf = m_dir.filePath(QStringLiteral("adresy.vcf"));
    dialogs::queueFileName(vcf);
    vymena::ExportAdresare(nullptr);
    EXPECT_EQ(messages::takeShown(), QStringList{"Uloženo 1 adres do souboru adresy.vcf"});
    QFile v(vcf);
    ASSERT_TRUE(v.open(QIODevice::ReadOnly));
    EXPECT_EQ(vcard::Cti(v.readAll()).value(0).prijmeni, QStringLiteral("Nováková"));
}

} // namespace
