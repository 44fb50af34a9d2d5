#include "addressbook/ui/edit_uzivatel_zakl.h"

#include "addressbook/ui/frame_souboryb.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/session.h"
#include "common/ui/frame_richedit.h"
#include "common/ui/shell.h"
#include "common/ui/toolbutton.h"
#include "data/notetext.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "records/staveditoru.h"
#include "records/ui/editorzaznamu.h"
#include "records/ui/frame_jvxchecklistbox_kuc.h"
#include "records/ui/frame_prava.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

template <typename T> T* pojmenuj(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* edit(QWidget* rodic, const char* name)
{
    return pojmenuj(new QLineEdit(rodic), name);
}

// An editable list: the items are offers, any text may be typed.
QComboBox* seznam(QWidget* rodic, const char* name, const QStringList& polozky)
{
    auto* c = pojmenuj(new QComboBox(rodic), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(polozky);
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    return c;
}

QLabel* popisek(QWidget* rodic, const QString& text)
{
    return new QLabel(text, rodic);
}

QString textPole(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    return static_cast<const QComboBox*>(w)->currentText();
}

void nastavText(QWidget* w, const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
        e->setCursorPosition(0);
        return;
    }
    auto* c = static_cast<QComboBox*>(w);
    c->setCurrentIndex(-1);
    c->setEditText(text);
}

} // namespace

Tedit_UZIVATEL_ZAKL::Tedit_UZIVATEL_ZAKL(QWidget* parent)
    : TEditorZaznamu(parent, QStringLiteral("edit_UZIVATEL_ZAKL"), QStringLiteral("Orvan - Editace adresy"),
                     {.znovu = "SB_ZnovuNacist"})
{
    resize(1010, 690);
    Frame_Richedit1 = pridejPoznamku(sestavHorniCast(), 140, SqlPoznamkaAdresy);

    m_pole = {
        {QStringLiteral("NAZEV"), Edit_NAZEV},       {QStringLiteral("JMENO"), Edit_JMENO},
        {QStringLiteral("PRIJMENI"), Edit_PRIJMENI}, {QStringLiteral("NAZEV2"), Edit_NAZEV2},
        {QStringLiteral("TITUL"), CB_TITUL},         {QStringLiteral("ZA_PRIJMENIM"), CB_ZA_PRIJMENIM},
        {QStringLiteral("ULICE"), Edit_ULICE},       {QStringLiteral("MESTO"), Edit_MESTO},
        {QStringLiteral("PSC"), Edit_PSC},           {QStringLiteral("EMAIL1"), Edit_EMAIL1},
        {QStringLiteral("EMAIL2"), Edit_EMAIL2},     {QStringLiteral("TELEFON1"), Edit_TELEFON1},
        {QStringLiteral("TELEFON2"), Edit_TELEFON2}, {QStringLiteral("MOBIL1"), Edit_MOBIL1},
        {QStringLiteral("MOBIL2"), Edit_MOBIL2},     {QStringLiteral("FAX1"), Edit_FAX1},
        {QStringLiteral("WWW1"), Edit_WWW1},         {QStringLiteral("WWW2"), Edit_WWW2},
        {QStringLiteral("ICO"), Edit_ICO},           {QStringLiteral("DIC"), Edit_DIC},
        {QStringLiteral("BU_UCET"), Edit_BU_UCET},   {QStringLiteral("BU_BANKA"), Edit_BU_BANKA},
        {QStringLiteral("STAT"), CB_STAT},           {QStringLiteral("NAZEV_ZKRACENY"), Edit_NAZEV_ZKRACENY}};
    Q_ASSERT(m_pole.size() == SloupceAdresy().size());

    propoj();
    pouzijKategorie(FRAME_JvxCheckListBox_KUC1, QStringLiteral("ADRESAR"), QStringLiteral("ADRESAR"));
    nastavDelky();
}

void Tedit_UZIVATEL_ZAKL::sestavJmeno(QWidget* rodic)
{
    GroupBox_JMENO = pojmenuj(new QGroupBox(QStringLiteral("Jméno"), rodic), "GroupBox_JMENO");
    QGroupBox* g = GroupBox_JMENO;
    Edit_NAZEV = edit(g, "Edit_NAZEV");
    Edit_NAZEV2 = edit(g, "Edit_NAZEV2");
    CB_TITUL = seznam(g, "CB_TITUL",
                      {QStringLiteral("Ing."), QStringLiteral("Mgr."), QStringLiteral("bc."),
                       QStringLiteral("Dr."), QStringLiteral("ThDr."), QStringLiteral("Dr.Ing."),
                       QStringLiteral("MUDr."), QStringLiteral("JUDr."), QStringLiteral("PhDr."),
                       QStringLiteral("RnDr."), QStringLiteral("Doc."), QStringLiteral("Prof."),
                       QStringLiteral("MvDr."), QStringLiteral("RsDr.")});
    CB_TITUL->setToolTip(QStringLiteral("Titul"));
    Edit_JMENO = edit(g, "Edit_JMENO");
    Edit_JMENO->setPlaceholderText(QStringLiteral("jméno"));
    Edit_PRIJMENI = edit(g, "Edit_PRIJMENI");
    Edit_PRIJMENI->setPlaceholderText(QStringLiteral("příjmení"));
    CB_ZA_PRIJMENIM =
        seznam(g, "CB_ZA_PRIJMENIM", {QStringLiteral("CSc."), QStringLiteral("DrSc."), QString()});
    CB_ZA_PRIJMENIM->setToolTip(QStringLiteral("Titul za jménem"));
    Label_NAZEV_ZKRACENY = pojmenuj(popisek(g, QStringLiteral("Zkrácený název")), "Label_NAZEV_ZKRACENY");
    Label_NAZEV_ZKRACENY->setStyleSheet(QStringLiteral("color: navy;"));
    Edit_NAZEV_ZKRACENY = edit(g, "Edit_NAZEV_ZKRACENY");
    Edit_NAZEV_ZKRACENY->setMaxLength(DelkaZkratky);
    Edit_NAZEV_ZKRACENY->setMaximumWidth(110);

    auto* l = new QGridLayout(g);
    l->addWidget(popisek(g, QStringLiteral("Název")), 0, 0);
    l->addWidget(Edit_NAZEV, 0, 1, 1, 4);
    l->addWidget(Edit_NAZEV2, 1, 1, 1, 4);
    l->addWidget(popisek(g, QStringLiteral("Jméno")), 2, 0);
    l->addWidget(CB_TITUL, 2, 1);
    l->addWidget(Edit_JMENO, 2, 2);
    l->addWidget(Edit_PRIJMENI, 2, 3);
    l->addWidget(CB_ZA_PRIJMENIM, 2, 4);
    l->addWidget(Label_NAZEV_ZKRACENY, 3, 0);
    l->addWidget(Edit_NAZEV_ZKRACENY, 3, 1, 1, 2, Qt::AlignLeft);
    l->setColumnStretch(2, 2);
    l->setColumnStretch(3, 3);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(4, 1);
}

void Tedit_UZIVATEL_ZAKL::sestavAdresu(QWidget* rodic)
{
    GroupBox_ADRESA = pojmenuj(new QGroupBox(QStringLiteral("Adresa"), rodic), "GroupBox_ADRESA");
    QGroupBox* g = GroupBox_ADRESA;
    Edit_ULICE = edit(g, "Edit_ULICE");
    Edit_PSC = edit(g, "Edit_PSC");
    Edit_PSC->setMaximumWidth(80);
    Edit_MESTO = edit(g, "Edit_MESTO");
    CB_STAT = seznam(g, "CB_STAT", {QStringLiteral("Česká republika")});
    auto* l = new QGridLayout(g);
    l->addWidget(popisek(g, QStringLiteral("Ulice")), 0, 0);
    l->addWidget(Edit_ULICE, 0, 1, 1, 3);
    l->addWidget(popisek(g, QStringLiteral("Psč")), 1, 0);
    l->addWidget(Edit_PSC, 1, 1);
    l->addWidget(popisek(g, QStringLiteral("Město")), 1, 2);
    l->addWidget(Edit_MESTO, 1, 3);
    l->addWidget(popisek(g, QStringLiteral("Stát")), 2, 0);
    l->addWidget(CB_STAT, 2, 1, 1, 3);
    l->setColumnStretch(3, 1);
}

void Tedit_UZIVATEL_ZAKL::sestavKontakty(QWidget* rodic)
{
    GroupBox_KONTAKTY = pojmenuj(new QGroupBox(QStringLiteral("Kontakty"), rodic), "GroupBox_KONTAKTY");
    QGroupBox* g = GroupBox_KONTAKTY;
    Edit_EMAIL1 = edit(g, "Edit_EMAIL1");
    Edit_EMAIL2 = edit(g, "Edit_EMAIL2");
    const QString mail = QStringLiteral("Otevře mailového klienta");
    const QString web = QStringLiteral("Otevře webovou stránku");
    SB_SENDMAIL1 = tlacitko(g, "SB_SENDMAIL1", QStringLiteral("@"), mail);
    SB_SENDMAIL2 = tlacitko(g, "SB_SENDMAIL2", QStringLiteral("@"), mail);
    Edit_TELEFON1 = edit(g, "Edit_TELEFON1");
    Edit_TELEFON2 = edit(g, "Edit_TELEFON2");
    Edit_MOBIL1 = edit(g, "Edit_MOBIL1");
    Edit_MOBIL2 = edit(g, "Edit_MOBIL2");
    Edit_WWW1 = edit(g, "Edit_WWW1");
    Edit_WWW2 = edit(g, "Edit_WWW2");
    SB_WWW1 = tlacitko(g, "SB_WWW1", QStringLiteral("www"), web);
    SB_WWW2 = tlacitko(g, "SB_WWW2", QStringLiteral("www"), web);
    Edit_FAX1 = edit(g, "Edit_FAX1");

    auto* l = new QGridLayout(g);
    l->setHorizontalSpacing(3);
    const auto radek = [&](int r, const QString& text, QWidget* a, QWidget* ab, QWidget* b, QWidget* bb) {
        l->addWidget(popisek(g, text), r, 0);
        l->addWidget(a, r, 1);
        if (ab) l->addWidget(ab, r, 2);
        if (b) l->addWidget(b, r, 3);
        if (bb) l->addWidget(bb, r, 4);
    };
    radek(0, QStringLiteral("Email"), Edit_EMAIL1, SB_SENDMAIL1, Edit_EMAIL2, SB_SENDMAIL2);
    radek(1, QStringLiteral("Telefon"), Edit_TELEFON1, nullptr, Edit_TELEFON2, nullptr);
    radek(2, QStringLiteral("Mobil"), Edit_MOBIL1, nullptr, Edit_MOBIL2, nullptr);
    radek(3, QStringLiteral("WWW"), Edit_WWW1, SB_WWW1, Edit_WWW2, SB_WWW2);
    radek(4, QStringLiteral("Fax"), Edit_FAX1, nullptr, nullptr, nullptr);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(3, 1);
}

void Tedit_UZIVATEL_ZAKL::sestavFakturaci(QWidget* rodic)
{
    GroupBox_FAKTURACE =
        pojmenuj(new QGroupBox(QStringLiteral("Fakturační údaje"), rodic), "GroupBox_FAKTURACE");
    QGroupBox* g = GroupBox_FAKTURACE;
    Edit_ICO = edit(g, "Edit_ICO");
    Edit_DIC = edit(g, "Edit_DIC");
    Edit_BU_UCET = edit(g, "Edit_BU_UCET");
    Edit_BU_BANKA = edit(g, "Edit_BU_BANKA");
    Edit_BU_BANKA->setMaximumWidth(60);
    Edit_BU_BANKA->setToolTip(QStringLiteral("Kód banky"));
    auto* l = new QGridLayout(g);
    l->addWidget(popisek(g, QStringLiteral("IČO")), 0, 0);
    l->addWidget(Edit_ICO, 0, 1);
    l->addWidget(popisek(g, QStringLiteral("DIČ")), 0, 2);
    l->addWidget(Edit_DIC, 0, 3, 1, 2);
    l->addWidget(popisek(g, QStringLiteral("Účet")), 1, 0);
    l->addWidget(Edit_BU_UCET, 1, 1, 1, 3);
    l->addWidget(Edit_BU_BANKA, 1, 4);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(3, 1);
}

QWidget* Tedit_UZIVATEL_ZAKL::sestavHorniCast()
{
    auto* horni = new QWidget(this);
    sestavJmeno(horni);
    sestavAdresu(horni);
    sestavKontakty(horni);
    sestavFakturaci(horni);

    // Addresses have no alarm right.
    QWidget* prava = sestavPrava(horni, Frame_Prava1, false);

    auto* soubory = pojmenuj(new QGroupBox(QStringLiteral("Soubory"), horni), "GroupBox_SOUBORY");
    Frame_SouboryB1 = pojmenuj(new TFrame_SouboryB(soubory), "Frame_SouboryB1");
    auto* sl = new QVBoxLayout(soubory);
    sl->setContentsMargins(2, 2, 2, 2);
    sl->addWidget(Frame_SouboryB1);

    FRAME_JvxCheckListBox_KUC1 =
        pojmenuj(new TFRAME_JvxCheckListBox_KUC(horni), "FRAME_JvxCheckListBox_KUC1");
    FRAME_JvxCheckListBox_KUC1->setFixedWidth(190);

    auto* pole = new QGridLayout;
    pole->addWidget(GroupBox_JMENO, 0, 0, 1, 2);
    pole->addWidget(GroupBox_KONTAKTY, 1, 0, 1, 2);
    pole->addWidget(GroupBox_ADRESA, 2, 0);
    pole->addWidget(GroupBox_FAKTURACE, 3, 0);
    pole->addWidget(prava, 2, 1, 2, 1);
    pole->setRowStretch(4, 1);
    pole->setColumnStretch(0, 1);
    pole->setColumnStretch(1, 1);

    auto* h = new QHBoxLayout(horni);
    h->setContentsMargins(0, 0, 0, 0);
    h->addLayout(pole, 3);
    h->addWidget(soubory, 1);
    h->addWidget(FRAME_JvxCheckListBox_KUC1);
    return horni;
}

void Tedit_UZIVATEL_ZAKL::propoj()
{
    // Every slot runs as one user action.
    connect(SB_SENDMAIL1, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL_ZAKL::SB_SENDMAIL1Click));
    connect(SB_SENDMAIL2, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL_ZAKL::SB_SENDMAIL2Click));
    connect(SB_WWW1, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL_ZAKL::SB_WWW1Click));
    connect(SB_WWW2, &QToolButton::clicked, this, akce(this, &Tedit_UZIVATEL_ZAKL::SB_WWW2Click));
    for (const auto& [sloupec, w] : m_pole)
        sledujZmeny({w});
}

void Tedit_UZIVATEL_ZAKL::nastavDelky()
{
    const QHash<QString, int> delky = DelkySloupcu(SQLDATA(), QStringLiteral("ADRESAR_ZAKL"));
    editor::nastavDelkyPoli(this, delky);
    for (const auto& [sloupec, w] : m_pole)
        if (auto* c = qobject_cast<QComboBox*>(w))
            if (const int n = delky.value(sloupec)) c->lineEdit()->setMaxLength(n);
}

// ---- Loading ----------------------------------------------------------------

void Tedit_UZIVATEL_ZAKL::vyprazdni()
{
    for (const auto& [sloupec, w] : m_pole)
        nastavText(w, QString());
    Frame_SouboryB1->NastavCil(CilAdresar, 0, true);
}

bool Tedit_UZIVATEL_ZAKL::nactiZaznam(int id)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(VyplnSablonu(SqlNactiAdresu, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return false;
    const AdresaPole a = AdresaZRadku(t, 1);
    for (const auto& [sloupec, w] : m_pole)
        nastavText(w, *a.pole(sloupec));
    nastavPravaZaznamu(a.Prava);
    zapamatujPrecteny(a, t.HodnotaInt(1, QStringLiteral("REVIZE")));
    Frame_SouboryB1->NastavCil(CilAdresar, id, JenCteni());
    return true;
}

void Tedit_UZIVATEL_ZAKL::zamkniPole(bool jenCteni)
{
    // Read-only texts stay selectable, so a number or address can be copied.
    for (const auto& [sloupec, w] : m_pole) {
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setReadOnly(jenCteni);
        else
            w->setEnabled(!jenCteni);
    }
    // The delete right alone does not unlock an entry shown read-only.
    SB_delete->setEnabled(!jenCteni);
}

// ---- Saving and deleting ---------------------------------------------------------

AdresaPole Tedit_UZIVATEL_ZAKL::pole() const
{
    AdresaPole a;
    for (const auto& [sloupec, w] : m_pole)
        *a.pole(sloupec) = textPole(w);
    a.Prava = Frame_Prava1->Prava();
    a.Prava.Alarm = 0;
    return a;
}

VysledekZapisu Tedit_UZIVATEL_ZAKL::zapis()
{
    return UlozAdresu(SQLDATA(), pole(), ZaznamID(), session().UzivatelID, kategorie()->data(),
                      zmenenaPoznamka(), precteny<AdresaPole>());
}

void Tedit_UZIVATEL_ZAKL::poUlozeni()
{
    m_ulozeneId = ZaznamID();
}

VysledekZapisu Tedit_UZIVATEL_ZAKL::smaz()
{
    return SmazAdresu(SQLDATA(), ZaznamID());
}

int Tedit_UZIVATEL_ZAKL::NovaAdresaModalne()
{
    if (!OtevriZpravou(0)) return 0;
    m_ulozeneId = 0;
    // Modality changes only while the window is hidden.
    hide();
    const Qt::WindowModality predtim = windowModality();
    setWindowModality(Qt::ApplicationModal);
    {
        const modal::Scope otevreno;
        QEventLoop smycka;
        connect(this, &TEditorZaznamu::skryto, &smycka, &QEventLoop::quit);
        show();
        raise();
        activateWindow();
        if (isVisible()) smycka.exec();
    }
    setWindowModality(predtim);
    return m_ulozeneId;
}

// ---- Mail and web -------------------------------------------------------------

void Tedit_UZIVATEL_ZAKL::posliMail(const QLineEdit* e)
{
    const std::optional<QUrl> u = MailAdresa(e->text());
    if (!u) return;
    if (!shell::openUrl(*u)) messages::error(QStringLiteral("Poštovního klienta se nepodařilo spustit."));
}

void Tedit_UZIVATEL_ZAKL::otevriWeb(const QLineEdit* e)
{
    const QString text = e->text().trimmed();
    if (text.isEmpty()) return;
    const std::optional<QUrl> u = WebAdresa(text);
    if (!u) {
        messages::error(
            QStringLiteral("\"%1\" není webová adresa: otevřít lze jen stránky http:// a https://.")
                .arg(text));
        return;
    }
    if (!shell::openUrl(*u))
        messages::error(QStringLiteral("Stránku %1 se nepodařilo otevřít.").arg(u->toDisplayString()));
}

void Tedit_UZIVATEL_ZAKL::SB_SENDMAIL1Click()
{
    posliMail(Edit_EMAIL1);
}
void Tedit_UZIVATEL_ZAKL::SB_SENDMAIL2Click()
{
    posliMail(Edit_EMAIL2);
}
void Tedit_UZIVATEL_ZAKL::SB_WWW1Click()
{
    otevriWeb(Edit_WWW1);
}
void Tedit_UZIVATEL_ZAKL::SB_WWW2Click()
{
    otevriWeb(Edit_WWW2);
}
