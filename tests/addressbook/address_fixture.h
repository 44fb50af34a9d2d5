#pragma once

#include "addressbook/kancelar.h"
#include "addressbook/ui/edit_uzivatel_zakl.h"
#include "addressbook/ui/frame_souboryb.h"
#include "common/ui/frame_richedit.h"
#include "fixtures/editor_fixture.h"
#include "records/ui/frame_prava.h"

#include <QComboBox>
#include <QListWidget>
#include <QUrl>

// An address editor with three address categories. What the editor hands to
// the desktop is recorded instead of opened.
class AddressTest : public EditorFixture
{
protected:
    enum { kFirmy, kPratele, kUrady };

    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (11, \"Firmy\", 255, 1)"));
        exec(QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                            "adresar_c_kat_barva, adresar_c_kat_poradi) values (12, \"Přátelé\", 65280, 2)"));
        exec(
            QStringLiteral("insert into adresar_c_kat (adresar_c_kat_id, adresar_c_kat_nazev, "
                           "adresar_c_kat_barva, adresar_c_kat_poradi) values (13, \"Úřady\", 16711680, 3)"));
    }

    void SetUp() override
    {
        EditorFixture::SetUp();
        shell::setOpener([this](const QUrl& u) {
            m_opened << u.toString();
            return true;
        });
        m_ed = std::make_unique<Tedit_UZIVATEL_ZAKL>();
    }

    void TearDown() override
    {
        m_ed.reset();
        kancelar::setBalik(nullptr);
        EditorFixture::TearDown();
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
    // The line edit of a field: "Edit_<COLUMN>" or the edit of "CB_<COLUMN>".
    QLineEdit* field(const QString& column)
    {
        if (auto* e = ed().findChild<QLineEdit*>(QStringLiteral("Edit_") + column)) return e;
        auto* c = ed().findChild<QComboBox*>(QStringLiteral("CB_") + column);
        return c ? c->lineEdit() : nullptr;
    }
    void typeNote(const QString& text) { EditorFixture::typeNote(note(), text); }
    void clickCategoryBox(int i) { EditorFixture::clickCategoryBox(ed().FRAME_JvxCheckListBox_KUC1, i); }
    void doubleClickCategory(int i)
    {
        EditorFixture::doubleClickCategory(ed().FRAME_JvxCheckListBox_KUC1, i);
    }
    static QStringList linksOf(int id)
    {
        return EditorFixture::linksOf(QStringLiteral("adresar_zakl_kat"), QStringLiteral("adresar_zakl_id"),
                                      QStringLiteral("adresar_c_kat_id"), id);
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
        return EditorFixture::noteOf(QStringLiteral("adresar_zakl"), QStringLiteral("adresar_zakl_id"), id);
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

    std::unique_ptr<Tedit_UZIVATEL_ZAKL> m_ed;
    QStringList m_opened; // what was handed to the desktop
};
