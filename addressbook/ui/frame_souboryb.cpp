#include "addressbook/ui/frame_souboryb.h"

#include "common/action.h"
#include "common/alarmakce.h"
#include "common/messages.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "common/ui/shell.h"
#include "common/ui/toolbutton.h"
#include "data/sqldata.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMimeData>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace
{

const QString kFiltr = QStringLiteral("*.*|*.*|*.doc|*.doc|*.xls|*.xls|*.eml|*.eml");
const QString kTitulekPopisu = QStringLiteral("Orvan - Změna popisu");
const QString kPopis = QStringLiteral("Popis");

// The local files of a drag, in the order delivered; empty when it carries
// anything else.
QStringList souboryTazeni(const QMimeData* data)
{
    QStringList out;
    if (!data || !data->hasUrls()) return out;
    for (const QUrl& u : data->urls()) {
        if (!u.isLocalFile()) return {};
        out << u.toLocalFile();
    }
    return out;
}

} // namespace

TFrame_SouboryB::TFrame_SouboryB(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame_SouboryB"));
    auto* lista = new QWidget(this);
    SB_NEW_SOUBOR =
        tlacitko(lista, "SB_NEW_SOUBOR", QStyle::SP_FileIcon, QString(), QStringLiteral("Přidá soubor"));
    SB_Vymazat = tlacitko(lista, "SB_Vymazat", QStyle::SP_TrashIcon, QString(),
                          QStringLiteral("Smaže odkaz na soubor"));
    SB_EDITACE = tlacitko(lista, "SB_EDITACE", QStyle::SP_FileDialogDetailedView, QString(),
                          QStringLiteral("Editace popisu"));
    SB_OTEVRIT = tlacitko(lista, "SB_OTEVRIT", QStyle::SP_DialogOpenButton, QString(),
                          QStringLiteral("Otevře soubor"));
    SB_NEWWORD =
        tlacitko(lista, "SB_NEWWORD", QStringLiteral("W"), QStringLiteral("Otevře nový soubor MS Word "));
    SB_NEWWXCEL =
        tlacitko(lista, "SB_NEWWXCEL", QStringLiteral("X"), QStringLiteral("Otevře nový soubor MS Excel"));
    auto* h = new QHBoxLayout(lista);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    for (QToolButton* b : {SB_NEW_SOUBOR, SB_Vymazat, SB_EDITACE, SB_OTEVRIT, SB_NEWWORD, SB_NEWWXCEL})
        h->addWidget(b);
    h->addStretch(1);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    v->addWidget(lista);
    v->addWidget(ListBox1, 1);

    connect(SB_NEW_SOUBOR, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_NEW_SOUBORClick));
    connect(SB_Vymazat, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_VymazatClick));
    connect(SB_EDITACE, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_EDITACEClick));
    connect(SB_OTEVRIT, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_OTEVRITClick));
    connect(SB_NEWWORD, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_NEWWORDClick));
    connect(SB_NEWWXCEL, &QToolButton::clicked, this, akce(this, &TFrame_SouboryB::SB_NEWWXCELClick));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, akce(this, &TFrame_SouboryB::SB_OTEVRITClick));
    povol();
}

void TFrame_SouboryB::NastavCil(int druh, int id, bool zamceno)
{
    m_cil = druh;
    m_cilId = id;
    m_zamceno = zamceno;
    if (id != 0) {
        NactiSoubory();
    } else {
        m_soubory.clear();
        ListBox1->clear();
    }
    povol();
}

void TFrame_SouboryB::povol()
{
    const bool menit = LzeMenit();
    for (QToolButton* b : {SB_NEW_SOUBOR, SB_Vymazat, SB_EDITACE, SB_NEWWORD, SB_NEWWXCEL})
        b->setEnabled(menit);
    // Reading a file changes nothing: a read-only record's files open too.
    SB_OTEVRIT->setEnabled(m_cilId != 0);
    setAcceptDrops(menit);
    ListBox1->setToolTip(m_cilId == 0 ? QStringLiteral("Soubory lze připojit až k uloženému záznamu.")
                                      : QString());
}

void TFrame_SouboryB::NactiSoubory()
{
    m_soubory = ::NactiSoubory(SQLDATA(), m_cil, m_cilId);
    ListBox1->clear();
    for (const SouborRadek& s : m_soubory) {
        auto* i = new QListWidgetItem(s.Popis, ListBox1);
        i->setToolTip(s.Jmeno);
    }
}

bool TFrame_SouboryB::PridejSoubor(const QString& cesta, const QString& popis)
{
    const VysledekZapisu v = ::PridejSoubor(SQLDATA(), m_cil, LzeMenit() ? m_cilId : 0, cesta, popis,
                                            session().UzivatelID, DelkySouboru::Z(SQLDATA()));
    if (!v.ok) messages::error(v.chyba);
    return v.ok;
}

int TFrame_SouboryB::PridejSoubory(const QStringList& cesty)
{
    if (!LzeMenit()) return 0;
    const DelkySouboru delky = DelkySouboru::Z(SQLDATA());
    QStringList chyby;
    int pridano = 0;
    for (const QString& c : cesty) {
        const VysledekZapisu v = ::PridejSoubor(SQLDATA(), m_cil, m_cilId, c, PopisZCesty(c, delky.Popis),
                                                session().UzivatelID, delky);
        if (v.ok)
            ++pridano;
        else
            chyby << v.chyba;
    }
    NactiSoubory();
    if (!chyby.isEmpty())
        messages::error(QStringLiteral("Některé soubory nebyly připojeny:\n\n") +
                        chyby.join(QStringLiteral("\n\n")));
    return pridano;
}

QString TFrame_SouboryB::popisOd(const QString& navrh)
{
    // A cancelled box keeps the proposal.
    return dialogs::text(this, kTitulekPopisu, kPopis, navrh).value_or(navrh);
}

void TFrame_SouboryB::SB_NEW_SOUBORClick()
{
    if (!LzeMenit()) return;
    const QString cesta = dialogs::openFileName(this, kFiltr, QString());
    if (cesta.isEmpty()) return;
    const QString popis = popisOd(PopisZCesty(cesta, DelkySouboru::Z(SQLDATA()).Popis));
    PridejSoubor(cesta, popis);
    NactiSoubory();
}

const SouborRadek* TFrame_SouboryB::vybrany()
{
    const int r = ListBox1->currentRow();
    if (r < 0 || r >= m_soubory.size() || !ListBox1->currentItem()->isSelected()) {
        messages::error(TextNeniVybrano);
        return nullptr;
    }
    return &m_soubory.at(r);
}

void TFrame_SouboryB::SB_VymazatClick()
{
    if (!LzeMenit()) return;
    const SouborRadek* s = vybrany();
    if (!s) return;
    if (!messages::confirm(QStringLiteral("Opravdu chcete vymazat odkaz na soubor ?"))) return;
    const VysledekZapisu v = SmazOdkazNaSoubor(SQLDATA(), s->Id);
    NactiSoubory();
    if (!v.ok) messages::error(v.chyba);
}

void TFrame_SouboryB::SB_EDITACEClick()
{
    if (!LzeMenit()) return;
    const SouborRadek* s = vybrany();
    if (!s) return;
    const int id = s->Id;
    const QString stary = s->Popis;
    const std::optional<QString> novy = dialogs::text(this, kTitulekPopisu, kPopis, stary);
    if (!novy || *novy == stary) return;
    const VysledekZapisu v = ZmenPopisSouboru(SQLDATA(), id, *novy, DelkySouboru::Z(SQLDATA()));
    NactiSoubory();
    if (!v.ok) messages::error(v.chyba);
}

void TFrame_SouboryB::SB_OTEVRITClick()
{
    const SouborRadek* s = vybrany();
    if (!s) return;
    const QString cesta = s->Jmeno.trimmed();
    if (cesta.isEmpty()) return;
    // A path anyone with the edit right may have stored: only a document is
    // handed to the desktop, never a program or a launcher.
    if (!SmiOtevritSoubor(cesta)) {
        messages::error(
            QStringLiteral("Soubor \"%1\" nelze otevřít: neexistuje, je spustitelný nebo je to spouštěč.")
                .arg(cesta));
        return;
    }
    if (!shell::openUrl(QUrl::fromLocalFile(QFileInfo(cesta).absoluteFilePath())))
        messages::error(QStringLiteral("Soubor \"%1\" se nepodařilo otevřít.").arg(cesta));
}

void TFrame_SouboryB::SB_NEWWORDClick()
{
    novyDokument(kancelar::Druh::Text);
}

void TFrame_SouboryB::SB_NEWWXCELClick()
{
    novyDokument(kancelar::Druh::Tabulka);
}

void TFrame_SouboryB::novyDokument(kancelar::Druh druh)
{
    if (!LzeMenit()) return;
    kancelar::Balik& b = kancelar::balik();
    if (!b.nainstalovan(druh)) {
        messages::error(kancelar::TextNeniNainstalovan(druh));
        return;
    }
    const QString cesta = dialogs::saveFileName(this, kFiltr, kancelar::VychoziPripona(druh));
    if (cesta.isEmpty()) return;
    const DelkySouboru delky = DelkySouboru::Z(SQLDATA());
    // Refuse a path the row cannot hold before a file is made for it.
    QString chyba = OverPridaniSouboru(m_cilId, cesta, QString(), delky);
    const QString popis = chyba.isEmpty() ? popisOd(PopisZCesty(cesta, delky.Popis)) : QString();
    if (chyba.isEmpty()) chyba = OverPridaniSouboru(m_cilId, cesta, popis, delky);
    if (!chyba.isEmpty()) {
        messages::error(chyba);
        return;
    }
    // The file first: a row never names a document that was not made.
    {
        const Presypaci hodiny;
        chyba = b.vytvor(druh, cesta);
    }
    if (!chyba.isEmpty()) {
        messages::error(chyba);
        return;
    }
    const bool pripojeno = PridejSoubor(cesta, popis);
    NactiSoubory();
    if (!pripojeno) {
        // The empty document was made for this row alone.
        QFile::remove(cesta);
        return;
    }
    shell::openUrl(QUrl::fromLocalFile(QFileInfo(cesta).absoluteFilePath()));
}

void TFrame_SouboryB::dragEnterEvent(QDragEnterEvent* event)
{
    if (LzeMenit() && !souboryTazeni(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFrame_SouboryB::dragMoveEvent(QDragMoveEvent* event)
{
    if (LzeMenit() && !souboryTazeni(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFrame_SouboryB::dropEvent(QDropEvent* event)
{
    const QStringList cesty = souboryTazeni(event->mimeData());
    if (!LzeMenit() || cesty.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    runAction([&] { PridejSoubory(cesty); });
}
