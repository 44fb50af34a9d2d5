#pragma once

#include "calendar/ui/editudalost.h"
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

// An event editor on a fresh database with two groups and three categories;
// the user belongs to group 10, which is also the default group.
class EditorTest : public DbTest
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
        m_ed = std::make_unique<Teditudalost>();
    }

    void TearDown() override
    {
        m_ed.reset();
        m_groups.reset();
        dialogs::stopRecording();
        shell::setSoundPlayer(nullptr);
        shell::setOpener(nullptr);
    }

    Teditudalost& ed() { return *m_ed; }
    QTextEdit* note() { return ed().Frame_Richedit1->JvxRichEdit1; }

    void open(std::intptr_t w, std::intptr_t l)
    {
        ed().OtevriZpravou(w, l);
        ed().show();
    }

    // Key presses, also for letters outside ASCII (which QTest::keyClicks refuses).
    static void keys(QWidget* w, const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void type(QLineEdit* e, const QString& text)
    {
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        keys(e, text);
        EXPECT_EQ(e->text(), text);
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

    static TKTDATASET rows(const QString& sql)
    {
        TKTDATASET t;
        db().NactiTabulku(sql, t);
        return t;
    }
    static QString noteOf(int id)
    {
        QTextDocument doc;
        db().NactiPoznamku(QStringLiteral("Select poznamka from ku where (ku.ku_id=%1);").arg(id),
                           QStringLiteral("Poznamka"), &doc);
        return doc.toPlainText();
    }

    // A stored event with the given edit and delete rights.
    static int addEvent(int editovat, int smazat, int administrovat = 0)
    {
        const int id = db().NoveID(QStringLiteral("KU_ID"));
        exec(QStringLiteral(
                 "insert into ku (ku_id, datum, cas_od, cas_do, cely_den, nazev, alarm, alarm_datum, "
                 "alarm_cas, alarm_typ_akce, alarm_akce, f_cist, f_editovat, f_smazat, f_alarm, "
                 "f_administrovat) values (%1, \"3.6.2004\", \"3.6.2004 10:15:00\", \"3.6.2004 11:00:00\", "
                 "0, \"Schůzka\", 1, \"2.6.2004\", \"2.6.2004 9:00:00\", 2, \"/tmp/zvuk.wav\", 0, %2, %3, "
                 "0, %4)")
                 .arg(id)
                 .arg(editovat)
                 .arg(smazat)
                 .arg(administrovat));
        exec(QStringLiteral("insert into ku_kat (ku_id, ku_c_kat_id, hlavni) values (%1, 13, 1)").arg(id));
        return id;
    }

    static inline int s_user = 0;
    std::unique_ptr<SessionGroups> m_groups;
    std::unique_ptr<Teditudalost> m_ed;
};
