#include "calendar/editor_fixture.h"
#include "calendar/ui/formeditciselnikkalendarkategorie.h"
#include "records/ciselnikkategorii.h"

#include "common/action.h"
#include "common/commandtarget.h"
#include "common/messages.h"
#include "data/notetext.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "data/zapiszaznam.h"
#include "fixtures/hostile.h"

#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>

namespace
{

using Lifecycle = EditorTest;

// Every text, date and time field of the event editor takes every hostile
// text: afterwards only the edited event may have changed, and the value
// reads back exactly or the save was refused with a message.
TEST_F(Lifecycle, HostileInputInEveryEventField)
{
    const int id = addEvent(kVedeni, kVedeni);
    addEvent(kObchod, kObchod); // others, one of them not editable by the user
    addEvent(0, 0);
    const auto column = [id](const char* c) {
        return QStringLiteral("select %1 from ku where ku_id=%2").arg(QLatin1String(c)).arg(id);
    };
    const auto time = [](const QString& stored, const QString& typed) { return CasCast(stored) == typed; };
    hostileInput(
        {.open = [&]() -> TEditorZaznamu& {
             m_ed = std::make_unique<Teditudalost>();
             open(id, LP_EDIT_RECORD);
             return ed();
         },
         .edited = {{QStringLiteral("KU"), QStringLiteral("ku_id=%1").arg(id)},
                    {QStringLiteral("KU_KAT"), QStringLiteral("ku_id=%1").arg(id)}},
         .row = QStringLiteral("select * from ku where ku_id=%1").arg(id),
         .reset =
             [id] {
                 exec(QStringLiteral(
                          "update ku set datum=\"3.6.2004\", cas_od=\"3.6.2004 10:15:00\", cas_do=\"3.6.2004 "
                          "11:00:00\", nazev=\"Schůzka\", alarm_datum=\"2.6.2004\", alarm_cas=\"2.6.2004 "
                          "9:00:00\", alarm_akce=\"/tmp/zvuk.wav\" where ku_id=%1")
                          .arg(id));
             }},
        {{.edit = [this] { return ed().Edit_NAZEV; }, .readBack = column("NAZEV"), .name = "NAZEV"},
         {.edit = [this] { return ed().GroupBox_ALARM->Edit_ALARM_AKCE; },
          .readBack = column("ALARM_AKCE"),
          .name = "ALARM_AKCE"},
         {.edit = [this] { return ed().KTEDITDC_DATUM; }, .readBack = column("DATUM"), .name = "DATUM"},
         {.edit = [this] { return ed().KTEDITDC_CAS_OD; },
          .readBack = column("CAS_OD"),
          .same = time,
          .name = "CAS_OD"},
         {.edit = [this] { return ed().KTEDITDC_CAS_DO; },
          .readBack = column("CAS_DO"),
          .same = time,
          .name = "CAS_DO"},
         {.edit = [this] { return ed().KTEDITDC_DATUM_DO; },
          .readBack = column("CAS_DO"),
          .same = [](const QString& stored, const QString& typed) { return DatumCast(stored) == typed; },
          .name = "DATUM_DO"},
         {.edit = [this] { return ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM; },
          .readBack = column("ALARM_DATUM"),
          .name = "ALARM_DATUM"},
         {.edit = [this] { return ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS; },
          .readBack = column("ALARM_CAS"),
          .same = time,
          .name = "ALARM_CAS"}});
}

TEST_F(Lifecycle, HostileInputInTheCategoryName)
{
    exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, ku_c_kat_poradi) "
                        "values (21, \"Jiná\", 0, 1)"));
    exec(QStringLiteral("insert into ku_c_kat (ku_c_kat_id, ku_c_kat_nazev, ku_c_kat_barva, ku_c_kat_poradi) "
                        "values (22, \"Upravovaná\", 0, 2)"));
    std::unique_ptr<TFormEditCiselnikKalendarKategorie> k;
    hostileInput({.open = [&]() -> TEditorZaznamu& {
                      k = std::make_unique<TFormEditCiselnikKalendarKategorie>();
                      k->Napln(22);
                      k->show();
                      return *k;
                  },
                  .edited = {{QStringLiteral("KU_C_KAT"), QStringLiteral("ku_c_kat_id=22")}},
                  .row = QStringLiteral("select * from ku_c_kat where ku_c_kat_id=22"),
                  .reset =
                      [] {
                          exec(QStringLiteral(
                              "update ku_c_kat set ku_c_kat_nazev=\"Upravovaná\" where ku_c_kat_id=22"));
                      }},
                 {{.edit = [&] { return k->Edit_NAZEV; },
                   .readBack = QStringLiteral("select ku_c_kat_nazev from ku_c_kat where ku_c_kat_id=22"),
                   .name = "KU_C_KAT_NAZEV"}});
    exec(QStringLiteral("delete from ku_c_kat where ku_c_kat_id in (21, 22)"));
}

// Each kind of change marks the event modified; loading does not.
TEST_F(Lifecycle, EveryFieldMarksTheEventModified)
{
    const int id = addEvent(kVedeni, kVedeni);
    const std::function<void()> changes[] = {
        [&] { type(ed().Edit_NAZEV, QStringLiteral("x")); },
        [&] { type(ed().KTEDITDC_DATUM, QStringLiteral("4.6.2004")); },
        [&] { type(ed().KTEDITDC_CAS_OD, QStringLiteral("9:00")); },
        [&] { type(ed().KTEDITDC_CAS_DO, QStringLiteral("9:30")); },
        [&] { type(ed().KTEDITDC_DATUM_DO, QStringLiteral("5.6.2004")); },
        [&] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM, QStringLiteral("1.6.2004")); },
        [&] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS, QStringLiteral("8:00")); },
        [&] { type(ed().GroupBox_ALARM->Edit_ALARM_AKCE, QStringLiteral("/tmp/b.wav")); },
        [&] { click(ed().ChB_CELY_DEN); },
        [&] { click(ed().GroupBox_ALARM->ChB_ALARM); },
        [&] { ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(0); },
        [&] { clickCategoryBox(kPrace); },
        [&] { ed().Frame_Prava1->CB_CIST->setCurrentIndex(ed().Frame_Prava1->CB_CIST->count() - 1); },
        [&] {
            note()->setFocus();
            keys(note(), QStringLiteral("p"));
        },
    };
    int i = 0;
    for (const auto& change : changes) {
        open(id, LP_EDIT_RECORD);
        ASSERT_FALSE(ed().Zmeneno()) << i;
        change();
        EXPECT_TRUE(ed().Zmeneno()) << "change " << i;
        // Reload drops it without a question.
        click(ed().SB_ZnovuNacist);
        EXPECT_FALSE(ed().Zmeneno()) << i;
        ++i;
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // Text edits are as long as their columns.
    const QHash<QString, int> lengths = DelkySloupcu(db(), QStringLiteral("KU"));
    EXPECT_EQ(ed().Edit_NAZEV->maxLength(), lengths.value(QStringLiteral("NAZEV")));
    EXPECT_EQ(ed().GroupBox_ALARM->Edit_ALARM_AKCE->maxLength(), lengths.value(QStringLiteral("ALARM_AKCE")));
    EXPECT_GT(ed().Edit_NAZEV->maxLength(), 0);
}

// Another record opened over unsaved changes: the question comes first; No
// drops them, Yes saves them, and a refused save keeps them shown.
TEST_F(Lifecycle, OpeningAnotherRecordAsksFirst)
{
    const int a = addEvent(kVedeni, kVedeni);
    const int b = addEvent(kVedeni, kVedeni);
    const QString nameOf = QStringLiteral("select nazev from ku where ku_id=%1");

    QTemporaryDir dir;
    const QString f = dir.filePath(QStringLiteral("a.orvan"));
    open(a, LP_EDIT_RECORD);
    dialogs::queueFileName(f);
    click(ed().SB_SAVE_ORVAN);
    type(ed().Edit_NAZEV, QStringLiteral("Zahozeno"));
    open(b, LP_EDIT_RECORD); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(ed().ZaznamID(), b);
    EXPECT_EQ(rows(nameOf.arg(a)).Hodnota(1, 1), QStringLiteral("Schůzka"));

    type(ed().Edit_NAZEV, QStringLiteral("Uloženo"));
    messages::queueAnswer(true);
    open(20040501, LP_NEW_ON_DATE);
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(rows(nameOf.arg(b)).Hodnota(1, 1), QStringLiteral("Uloženo"));
    EXPECT_EQ(ed().ZaznamID(), 0);
    EXPECT_EQ(ed().KTEDITDC_DATUM->text(), QStringLiteral("1.5.2004"));

    // A new record typed, then refused on save: it stays with its input.
    type(ed().Edit_NAZEV, QStringLiteral("Nová"));
    type(ed().KTEDITDC_CAS_OD, QStringLiteral("25:00"));
    messages::queueAnswer(true);
    EXPECT_FALSE(ed().OtevriZpravou(a, LP_EDIT_RECORD));
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Chcete data uložit ?", "Data obsahují nepovolené údaje !"}));
    EXPECT_EQ(ed().ZaznamID(), 0);
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Nová"));
    EXPECT_TRUE(ed().Zmeneno());

    // An item file imported over it asks as well; No drops the typed event.
    EXPECT_TRUE(ed().ImportujSoubor(f));
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(ed().ZaznamID(), 0);
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Schůzka"));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku where nazev=\"Nová\"")).Hodnota(1, 1),
              QStringLiteral("0"));
}

// The write sequence lives below the window: a failure anywhere in it, the
// note included, leaves nothing of the record behind.
TEST_F(Lifecycle, RecordAndNoteAreOneTransaction)
{
    const int id = addEvent(kVedeni, kVedeni);
    const QStringList before = testdb::snapshot(db());
    const VysledekZapisu broken = ZapisZaznam(
        db(), id, QStringLiteral("KU_ID"),
        [](int i) {
            return QStringList{QStringLiteral("update ku set nazev=\"Nové\" where ku_id=%1").arg(i)};
        },
        PoznamkaZapisu{QStringLiteral("NO_SUCH_PROCEDURE"), 0, QByteArrayLiteral("x")});
    EXPECT_FALSE(broken.ok);
    EXPECT_TRUE(broken.chyba.startsWith(QLatin1String("update ku set nazev"))) << broken.chyba.toStdString();
    EXPECT_EQ(testdb::snapshot(db()), before);

    UdalostPole u;
    u.Datum = QStringLiteral("07.05.2004");
    u.CasOd = QStringLiteral("8:5");
    u.Nazev = QStringLiteral("Řekl \"ano\"");
    u.Prava = PravaZaznamu::Vse(kVedeni);
    TKategorieKUC kat;
    QTextDocument zapis(QStringLiteral("Zápis"));
    const VysledekZapisu v = UlozUdalost(db(), u, 0, s_user, kat, notetext::save(&zapis));
    ASSERT_TRUE(v.ok) << v.chyba.toStdString();
    EXPECT_GT(v.id, id);
    const TKTDATASET t = rows(QStringLiteral("select datum, cas_od, nazev from ku where ku_id=%1").arg(v.id));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("DATUM")), QStringLiteral("7.5.2004"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("CAS_OD")), QStringLiteral("7.5.2004 8:05:00"));
    EXPECT_EQ(t.HodnotaJmeno(1, QStringLiteral("NAZEV")), QStringLiteral("Řekl \"ano\""));
    EXPECT_EQ(noteOf(v.id), QStringLiteral("Zápis"));

    // A malformed time never becomes SQL, whoever builds the statements.
    u.CasOd = QStringLiteral("0:00\"--");
    EXPECT_FALSE(UdalostMaPlatnaData(u));
    EXPECT_THROW(UlozUdalost(db(), u, v.id, s_user, kat, QByteArray()), ActionError);
    EXPECT_EQ(rows(QStringLiteral("select count(*) from ku where datum=\"7.5.2004\"")).Hodnota(1, 1),
              QStringLiteral("1"));
}

} // namespace
