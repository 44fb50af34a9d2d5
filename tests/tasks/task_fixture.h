#pragma once

#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "common/ui/shell.h"
#include "fixtures/clicks.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"
#include "tasks/ui/editukol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

// A task editor on a fresh database with two groups and three categories;
// the user belongs to group 10, which is also the default group.
class TaskTest : public DbTest
{
protected:
    enum { kPrace, kRodina, kSport };
    static constexpr int kVedeni = 10, kObchod = 20;

    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (20, \"Obchod\")"));
        exec(QStringLiteral("insert into ku_c_kat values (11, \"Práce\", 255, 1)"));
        exec(QStringLiteral("insert into ku_c_kat values (12, \"Rodina\", 65280, 2)"));
        exec(QStringLiteral("insert into ku_c_kat values (13, \"Sport\", 16711680, 3)"));
        s_user = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("x"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        dialogs::startRecording();
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{kVedeni}, kVedeni);
        session().UzivatelID = s_user;
        m_ed = std::make_unique<Teditukol>();
    }

    void TearDown() override
    {
        m_ed.reset();
        m_groups.reset();
        dialogs::stopRecording();
        shell::setSoundPlayer(nullptr);
        shell::setOpener(nullptr);
        messages::takeShown();
    }

    Teditukol& ed() { return *m_ed; }
    QTextEdit* note() { return ed().Frame_Richedit1->JvxRichEdit1; }

    bool open(int id)
    {
        const bool ok = ed().OtevriZpravou(id);
        ed().show();
        return ok;
    }

    static bool allPrintable(const QString& s)
    {
        for (QChar c : s)
            if (!c.isPrint() || c.isSurrogate()) return false;
        return true;
    }
    // Types what a keyboard can type and pastes the rest, as a user would.
    static void type(QLineEdit* e, const QString& text)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        if (allPrintable(text)) {
            for (QChar c : text)
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        } else {
            e->insert(text);
        }
    }
    void typeNote(const QString& text)
    {
        note()->setFocus();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, note(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void clickCategoryBox(int i)
    {
        TFRAME_JvxCheckListBox_KUC* f = ed().FRAME_JvxCheckListBox_KUC1;
        QTest::mouseClick(f->JvxCheckListBox1->viewport(), Qt::LeftButton, {}, f->rectZaskrtnuti(i).center());
    }
    void doubleClickCategory(int i)
    {
        TFRAME_JvxCheckListBox_KUC* f = ed().FRAME_JvxCheckListBox_KUC1;
        doubleClickAt(f->JvxCheckListBox1->viewport(), f->rectNazvu(i).center());
    }
    static void click(QAbstractButton* b)
    {
        ASSERT_TRUE(b->isEnabled() && b->isVisible()) << b->objectName().toStdString();
        // A check box reacts on its box and caption, not on empty room beside them.
        const QPoint p = qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, p);
    }
    void chooseType(int i)
    {
        ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(i);
        emit ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->activated(i);
    }

    static TKTDATASET rows(const QString& sql)
    {
        TKTDATASET t;
        db().NactiTabulku(sql, t);
        return t;
    }
    static QString value(const QString& sql) { return rows(sql).Hodnota(1, 1); }
    // The category links of a task as "category/main", by category.
    static QStringList linksOf(int id)
    {
        const TKTDATASET t = rows(
            QStringLiteral("select ku_c_kat_id, hlavni from ukoly_kat where ukoly_id=%1 order by ku_c_kat_id")
                .arg(id));
        QStringList out;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            out << t.Hodnota(r, 1) + QLatin1Char('/') + t.Hodnota(r, 2);
        return out;
    }
    static QString noteOf(int id)
    {
        QTextDocument doc;
        db().NactiPoznamku(QStringLiteral("Select poznamka from ukoly where (ukoly.UKOLY_ID=%1);").arg(id),
                           QStringLiteral("Poznamka"), &doc);
        return doc.toPlainText();
    }

    // A stored task with an alarm, the given edit and delete rights and one
    // category link (Sport, main).
    static int addTask(int editovat, int smazat, int administrovat = 0)
    {
        const int id = db().NoveID(QStringLiteral("UKOLY_ID"));
        exec(QStringLiteral("insert into ukoly (ukoly_id, datum, cas_do, aktivni, nazev, alarm, alarm_datum, "
                            "alarm_cas, alarm_typ_akce, alarm_akce, f_cist, f_editovat, f_smazat, f_alarm, "
                            "f_administrovat) values (%1, \"24.12.2004\", \"24.12.2004 10:00:00\", 1, "
                            "\"Dárky\", 1, \"23.12.2004\", \"23.12.2004 9:00:00\", 2, \"/tmp/zvuk.wav\", 0, "
                            "%2, %3, 0, %4)")
                 .arg(id)
                 .arg(editovat)
                 .arg(smazat)
                 .arg(administrovat));
        exec(QStringLiteral("insert into ukoly_kat (ukoly_id, ku_c_kat_id, hlavni) values (%1, 13, 1)")
                 .arg(id));
        return id;
    }
    static void resetTask(int id)
    {
        exec(QStringLiteral("update ukoly set datum=\"24.12.2004\", cas_do=\"24.12.2004 10:00:00\", "
                            "nazev=\"Dárky\", alarm=1, alarm_datum=\"23.12.2004\", alarm_cas=\"23.12.2004 "
                            "9:00:00\", alarm_akce=\"/tmp/zvuk.wav\" where ukoly_id=%1")
                 .arg(id));
    }

    static inline int s_user = 0;
    std::unique_ptr<SessionGroups> m_groups;
    std::unique_ptr<Teditukol> m_ed;
};
