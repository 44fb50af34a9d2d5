#pragma once

#include "addressbook/kancelar.h"
#include "addressbook/ui/edit_uzivatel_zakl.h"
#include "addressbook/ui/frame_souboryb.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/shell.h"
#include "fixtures/clicks.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <memory>

// An address editor on a fresh database with two groups and three address
// categories; the user belongs to group 10, which is also the default group.
// What the editor hands to the desktop is recorded instead of opened.
class AddressTest : public DbTest
{
protected:
    enum { kFirmy, kPratele, kUrady };
    static constexpr int kVedeni = 10, kObchod = 20;

    static void SetUpTestSuite()
    {
        DbTest::SetUpTestSuite();
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (10, \"Vedení\")"));
        exec(QStringLiteral("insert into UZIVSKUPINA (UZIVSKUPINA_ID, POPIS) values (20, \"Obchod\")"));
        exec(QStringLiteral("insert into adresar_c_kat values (11, \"Firmy\", 255, 1)"));
        exec(QStringLiteral("insert into adresar_c_kat values (12, \"Přátelé\", 65280, 2)"));
        exec(QStringLiteral("insert into adresar_c_kat values (13, \"Úřady\", 16711680, 3)"));
        s_user = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("x"));
    }

    void SetUp() override
    {
        DbTest::SetUp();
        dialogs::startRecording();
        m_groups = std::make_unique<SessionGroups>(std::initializer_list<int>{kVedeni}, kVedeni);
        session().UzivatelID = s_user;
        shell::setOpener([this](const QUrl& u) {
            m_opened << u.toString();
            return true;
        });
        m_ed = std::make_unique<Tedit_UZIVATEL_ZAKL>();
    }

    void TearDown() override
    {
        m_ed.reset();
        m_groups.reset();
        dialogs::stopRecording();
        shell::setOpener(nullptr);
        kancelar::setBalik(nullptr);
    }

    Tedit_UZIVATEL_ZAKL& ed() { return *m_ed; }
    TFrame_SouboryB& files() { return *ed().Frame_SouboryB1; }
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
    // The line edit of a field: "Edit_<COLUMN>" or the edit of "CB_<COLUMN>".
    QLineEdit* field(const QString& column)
    {
        if (auto* e = ed().findChild<QLineEdit*>(QStringLiteral("Edit_") + column)) return e;
        auto* c = ed().findChild<QComboBox*>(QStringLiteral("CB_") + column);
        return c ? c->lineEdit() : nullptr;
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
        const QPoint p = qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, p);
    }

    static TKTDATASET rows(const QString& sql)
    {
        TKTDATASET t;
        db().NactiTabulku(sql, t);
        return t;
    }
    static QString value(const QString& sql) { return rows(sql).Hodnota(1, 1); }
    // The category links of an entry as "category/main", by category.
    static QStringList linksOf(int id)
    {
        const TKTDATASET t =
            rows(QStringLiteral("select adresar_c_kat_id, hlavni from adresar_zakl_kat where "
                                "adresar_zakl_id=%1 order by adresar_c_kat_id")
                     .arg(id));
        QStringList out;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            out << t.Hodnota(r, 1) + QLatin1Char('/') + t.Hodnota(r, 2);
        return out;
    }
    // The attached files of an entry as "path|description", by description.
    static QStringList filesOf(int id)
    {
        const TKTDATASET t = rows(
            QStringLiteral("select jmeno, popis from soubor where cil=1 and cil_id=%1 order by popis, jmeno")
                .arg(id));
        QStringList out;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            out << t.Hodnota(r, 1) + QLatin1Char('|') + t.Hodnota(r, 2);
        return out;
    }
    static QString noteOf(int id)
    {
        QTextDocument doc;
        db().NactiPoznamku(
            QStringLiteral("Select poznamka from adresar_zakl where (adresar_zakl.adresar_zakl_id=%1);")
                .arg(id),
            QStringLiteral("Poznamka"), &doc);
        return doc.toPlainText();
    }

    // A stored entry named `nazev` with the given rights and one category
    // link (Úřady, main).
    static int addAddress(int editovat, int smazat, int administrovat = 0,
                          const QString& nazev = QStringLiteral("Obecní úřad"))
    {
        const int id = db().NoveID(QStringLiteral("ADRESAR_ZAKL_ID"));
        exec(QStringLiteral(
                 "insert into adresar_zakl (adresar_zakl_id, nazev, jmeno, prijmeni, email1, www1, "
                 "nazev_zkraceny, f_cist, f_editovat, f_smazat, f_administrovat) values (%1, \"%2\", "
                 "\"Jan\", \"Novák\", \"urad@obec.cz\", \"www.obec.cz\", \"OU\", 0, %3, %4, %5)")
                 .arg(id)
                 .arg(nazev)
                 .arg(editovat)
                 .arg(smazat)
                 .arg(administrovat));
        exec(QStringLiteral("insert into adresar_zakl_kat (adresar_zakl_id, adresar_c_kat_id, hlavni) values "
                            "(%1, 13, 1)")
                 .arg(id));
        return id;
    }

    static inline int s_user = 0;
    std::unique_ptr<SessionGroups> m_groups;
    std::unique_ptr<Tedit_UZIVATEL_ZAKL> m_ed;
    QStringList m_opened; // what was handed to the desktop
};
