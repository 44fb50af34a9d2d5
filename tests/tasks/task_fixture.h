#pragma once

#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "fixtures/editor_fixture.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"
#include "tasks/ui/editukol.h"

#include <QComboBox>
#include <QGroupBox>

// A task editor with three calendar categories.
class TaskTest : public EditorFixture
{
protected:
    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        addCalendarCategories();
    }

    void SetUp() override
    {
        EditorFixture::SetUp();
        m_ed = std::make_unique<Teditukol>();
    }

    void TearDown() override
    {
        m_ed.reset();
        EditorFixture::TearDown();
    }

    Teditukol& ed() { return *m_ed; }
    QTextEdit* note() { return ed().Frame_Richedit1->JvxRichEdit1; }

    bool open(int id)
    {
        const bool ok = ed().OtevriZpravou(id);
        ed().show();
        return ok;
    }
    void typeNote(const QString& text) { EditorFixture::typeNote(note(), text); }
    void clickCategoryBox(int i) { EditorFixture::clickCategoryBox(ed().FRAME_JvxCheckListBox_KUC1, i); }
    void doubleClickCategory(int i)
    {
        EditorFixture::doubleClickCategory(ed().FRAME_JvxCheckListBox_KUC1, i);
    }
    void chooseType(int i)
    {
        ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->setCurrentIndex(i);
        emit ed().GroupBox_ALARM->ComboBox_ALARM_TYP_AKCE->activated(i);
    }
    static QStringList linksOf(int id)
    {
        return EditorFixture::linksOf(QStringLiteral("ukoly_kat"), QStringLiteral("ukoly_id"),
                                      QStringLiteral("ku_c_kat_id"), id);
    }
    static QString noteOf(int id)
    {
        return EditorFixture::noteOf(QStringLiteral("ukoly"), QStringLiteral("ukoly_id"), id);
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

    std::unique_ptr<Teditukol> m_ed;
};
