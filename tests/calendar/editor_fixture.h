#pragma once

#include "calendar/ui/editudalost.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/kteditdc.h"
#include "fixtures/editor_fixture.h"
#include "records/ui/frame_prava.h"
#include "records/ui/skupinaalarmu.h"

#include <QComboBox>
#include <QGroupBox>

// An event editor with three calendar categories.
class EditorTest : public EditorFixture
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
        m_ed = std::make_unique<Teditudalost>();
    }

    void TearDown() override
    {
        m_ed.reset();
        EditorFixture::TearDown();
    }

    Teditudalost& ed() { return *m_ed; }
    QTextEdit* note() { return ed().Frame_Richedit1->JvxRichEdit1; }

    void open(std::intptr_t w, std::intptr_t l)
    {
        ed().OtevriZpravou(w, l);
        ed().show();
    }
    void clickCategoryBox(int i) { EditorFixture::clickCategoryBox(ed().FRAME_JvxCheckListBox_KUC1, i); }
    void doubleClickCategory(int i)
    {
        EditorFixture::doubleClickCategory(ed().FRAME_JvxCheckListBox_KUC1, i);
    }
    static QString noteOf(int id)
    {
        return EditorFixture::noteOf(QStringLiteral("ku"), QStringLiteral("ku_id"), id);
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

    // The stored event of addEvent made a series with the rule (editable by all).
    static int addSeries(const QString& pravidlo, const QString& konec = QStringLiteral("31.12.9999"))
    {
        const int id = addEvent(0, 0);
        exec(QStringLiteral("update ku set opakovani='%1', konec_opakovani='%2' where ku_id=%3")
                 .arg(pravidlo, konec)
                 .arg(id));
        return id;
    }

    std::unique_ptr<Teditudalost> m_ed;
};
