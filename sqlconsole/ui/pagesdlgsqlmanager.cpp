#include "sqlconsole/ui/pagesdlgsqlmanager.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/session.h"
#include "common/ui/dialogs.h"
#include "data/sqldata.h"
#include "overview/ui/framestringgrid.h"
#include "sqlconsole/sqlmanager.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

void pozadujAdministratora()
{
    if (!sqlmanager::SmiPouzitKonzoli(session())) throw ActionError(sqlmanager::ZpravaBezPrava());
}

QComboBox* novyCombo(const QString& name, QWidget* parent)
{
    auto* cb = new QComboBox(parent);
    cb->setObjectName(name);
    cb->setEditable(true);
    cb->setInsertPolicy(QComboBox::NoInsert); // the list holds nothing the user typed
    cb->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return cb;
}

QToolButton* novySpust(const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QStringLiteral("▶"));
    b->setToolTip(QStringLiteral("Spustit"));
    return b;
}

// Paints the name of the row-header column into the grid's corner, where the
// header row and the header column meet.
class RohMrizky : public QObject
{
public:
    RohMrizky(QAbstractButton* roh, const QString* text) : QObject(roh), m_text(text)
    {
        roh->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_text->isEmpty()) return false;
        auto* roh = static_cast<QAbstractButton*>(watched);
        QStylePainter p(roh);
        QStyleOptionHeader opt;
        opt.initFrom(roh);
        opt.rect = roh->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.text = *m_text;
        opt.textAlignment = Qt::AlignCenter;
        p.drawControl(QStyle::CE_Header, opt);
        return true;
    }

private:
    const QString* m_text;
};

} // namespace

TPagesDlgSQLMANAGER::TPagesDlgSQLMANAGER(QWidget* parent)
    : QDialog(parent), PageControl1(new QTabWidget(this)), m_vysledek(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("PagesDlgSQLMANAGER"));
    setWindowTitle(QStringLiteral("Orvan - Přímá práce s SQL"));
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(stranaBrowse(), QStringLiteral("Browse tabulky"));
    PageControl1->addTab(stranaQuery(), QStringLiteral("Query SQL"));
    PageControl1->addTab(stranaSelect(), QStringLiteral("Select SQL"));
    PageControl1->addTab(stranaStruktura(), QStringLiteral("Struktura"));
    PageControl1->setCurrentIndex(2);
    auto* l = new QVBoxLayout(this);
    l->addWidget(PageControl1);
    setFixedSize(820, 560);

    connect(Button_BROWSE, &QPushButton::clicked, this, akce(this, &TPagesDlgSQLMANAGER::Browse));
    connect(SB_QUERY, &QToolButton::clicked, this, akce(this, &TPagesDlgSQLMANAGER::ProvedQuery));
    connect(ButtonNACTI_SOUBOR, &QPushButton::clicked, this, akce(this, &TPagesDlgSQLMANAGER::SQLZeSouboru));
    connect(SB_SELECT, &QToolButton::clicked, this, akce(this, &TPagesDlgSQLMANAGER::ProvedSelect));
    connect(Button_STRUKTURA, &QPushButton::clicked, this,
            [this] { runAction([this] { ZobrazSeznam(0); }); });
    connect(Button_SQL, &QPushButton::clicked, this, [this] { runAction([this] { ZobrazSeznam(2); }); });
    connect(Button_TABULKY, &QPushButton::clicked, this, [this] { runAction([this] { ZobrazSeznam(1); }); });
    // Enter in a field runs that field's own action, never a button that last had the focus.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    connect(CB_TABULKA->lineEdit(), &QLineEdit::returnPressed, this,
            akce(this, &TPagesDlgSQLMANAGER::Browse));
    connect(CB_QUERY->lineEdit(), &QLineEdit::returnPressed, this,
            akce(this, &TPagesDlgSQLMANAGER::ProvedQuery));
    connect(CB_SELECT->lineEdit(), &QLineEdit::returnPressed, this,
            akce(this, &TPagesDlgSQLMANAGER::ProvedSelect));
    runAction([this] { NactiTabulky(); });
}

QWidget* TPagesDlgSQLMANAGER::stranaBrowse()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_BROWSE"));
    CB_TABULKA = novyCombo(QStringLiteral("CB_TABULKA"), page);
    Button_BROWSE = new QPushButton(QStringLiteral("Browse"), page);
    Button_BROWSE->setObjectName(QStringLiteral("Button_BROWSE"));
    Panel_BROWSE = new QWidget(page);
    Panel_BROWSE->setObjectName(QStringLiteral("Panel_BROWSE"));
    Frame_BROWSE = new TFrameStringGrid(Panel_BROWSE);
    Frame_BROWSE->setObjectName(QStringLiteral("Frame_BROWSE"));
    Frame_BROWSE->OknoZprav = nullptr; // no editor opens from here
    Frame_BROWSE->hide();
    auto* pl = new QVBoxLayout(Panel_BROWSE);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(Frame_BROWSE);

    auto* top = new QHBoxLayout;
    top->addWidget(CB_TABULKA, 1);
    top->addWidget(Button_BROWSE);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addWidget(Panel_BROWSE, 1);
    return page;
}

QWidget* TPagesDlgSQLMANAGER::stranaQuery()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_QUERY"));
    CB_QUERY = novyCombo(QStringLiteral("CB_QUERY"), page);
    SB_QUERY = novySpust(QStringLiteral("SB_QUERY"), page);
    ButtonNACTI_SOUBOR = new QPushButton(QStringLiteral("SQL ze souboru"), page);
    ButtonNACTI_SOUBOR->setObjectName(QStringLiteral("ButtonNACTI_SOUBOR"));
    auto* top = new QHBoxLayout;
    top->addWidget(CB_QUERY, 1);
    top->addWidget(SB_QUERY);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addWidget(ButtonNACTI_SOUBOR, 0, Qt::AlignLeft);
    l->addStretch(1);
    return page;
}

QWidget* TPagesDlgSQLMANAGER::stranaSelect()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_SELECT"));
    CB_SELECT = novyCombo(QStringLiteral("CB_SELECT"), page);
    SB_SELECT = novySpust(QStringLiteral("SB_SELECT"), page);
    StringGrid1 = new QTableView(page);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(m_vysledek);
    StringGrid1->setShowGrid(true);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    if (auto* roh = StringGrid1->findChild<QAbstractButton*>()) new RohMrizky(roh, &m_prvniSloupec);
    auto* top = new QHBoxLayout;
    top->addWidget(CB_SELECT, 1);
    top->addWidget(SB_SELECT);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addWidget(StringGrid1, 1);
    return page;
}

QWidget* TPagesDlgSQLMANAGER::stranaStruktura()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_STRUKTURA"));
    Button_STRUKTURA = new QPushButton(QStringLiteral("Zobraz strukturu"), page);
    Button_STRUKTURA->setObjectName(QStringLiteral("Button_STRUKTURA"));
    Button_SQL = new QPushButton(QStringLiteral("Zobraz SQL"), page);
    Button_SQL->setObjectName(QStringLiteral("Button_SQL"));
    Button_TABULKY = new QPushButton(QStringLiteral("Zobraz Tabulky"), page);
    Button_TABULKY->setObjectName(QStringLiteral("Button_TABULKY"));
    Memo1 = new QPlainTextEdit(page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* top = new QHBoxLayout;
    top->addWidget(Button_STRUKTURA);
    top->addWidget(Button_SQL);
    top->addWidget(Button_TABULKY);
    top->addStretch(1);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addWidget(Memo1, 1);
    return page;
}

void TPagesDlgSQLMANAGER::NactiTabulky()
{
    pozadujAdministratora();
    QStringList tabulky;
    SQLDATA().SeznamTabulek(tabulky, 1);
    const QString typed = CB_TABULKA->currentText();
    CB_TABULKA->clear();
    CB_TABULKA->addItems(tabulky);
    CB_TABULKA->setCurrentIndex(-1);
    CB_TABULKA->setEditText(typed);
}

void TPagesDlgSQLMANAGER::Browse()
{
    pozadujAdministratora();
    // The name goes into the SELECT: only a table the database has.
    QStringList tabulky;
    SQLDATA().SeznamTabulek(tabulky, 1);
    const QString tabulka = sqlmanager::NajdiTabulku(tabulky, CB_TABULKA->currentText());
    if (tabulka.isEmpty())
        throw ActionError(
            QStringLiteral("Tabulka \"%1\" v databázi není.").arg(CB_TABULKA->currentText().trimmed()));
    const Presypaci hodiny;
    Frame_BROWSE->ZrusDefinici();
    Frame_BROWSE->MazaniPovoleno = true;
    Frame_BROWSE->Tabulka = tabulka;
    Frame_BROWSE->KlicovySloupec = tabulka + QStringLiteral("_ID");
    Frame_BROWSE->DalsiTabulky.clear();
    Frame_BROWSE->Podminka.clear();
    Frame_BROWSE->show();
    Frame_BROWSE->NactiData(1);
}

void TPagesDlgSQLMANAGER::ProvedQuery()
{
    pozadujAdministratora();
    const Presypaci hodiny;
    if (const VysledekZapisu v = SQLDATA().ProvedSQL(CB_QUERY->currentText()); !v.ok)
        messages::error(v.chyba);
}

void TPagesDlgSQLMANAGER::SQLZeSouboru()
{
    pozadujAdministratora();
    const QString soubor = dialogs::openFileName(
        this, QStringLiteral("SQL skript (*.sql)|*.sql|Všechny soubory (*.*)|*.*"), QStringLiteral("sql"));
    if (soubor.isEmpty()) return;
    const Presypaci hodiny;
    if (const VysledekZapisu v = SQLDATA().ProvedSkript(soubor); !v.ok) messages::error(v.chyba);
}

void TPagesDlgSQLMANAGER::ProvedSelect()
{
    pozadujAdministratora();
    // Filled apart from the view, then shown at once; a failure keeps what was shown.
    auto* novy = new QStandardItemModel(this);
    QString prvni;
    try {
        const Presypaci hodiny;
        prvni = sqlmanager::NactiVysledek(SQLDATA(), CB_SELECT->currentText(), *novy);
    } catch (...) {
        delete novy;
        throw;
    }
    StringGrid1->setModel(novy);
    delete m_vysledek;
    m_vysledek = novy;
    m_prvniSloupec = prvni;
    // Widths from the captions and the first rows only: a long result stays quick.
    StringGrid1->horizontalHeader()->setResizeContentsPrecision(50);
    StringGrid1->resizeColumnsToContents();
    QHeaderView* radky = StringGrid1->verticalHeader();
    radky->setVisible(!prvni.isEmpty());
    // The row header is wide enough for its values and for the name in the corner.
    radky->setMinimumWidth(prvni.isEmpty() ? 0 : radky->fontMetrics().horizontalAdvance(prvni) + 12);
    StringGrid1->viewport()->update();
}

void TPagesDlgSQLMANAGER::ZobrazSeznam(int druh)
{
    pozadujAdministratora();
    Memo1->clear();
    QStringList radky;
    SQLDATA().SeznamTabulek(radky, druh);
    Memo1->setPlainText(radky.join(QLatin1Char('\n')));
}

void UkazSQLKonzoli(QWidget* hlavni)
{
    if (!sqlmanager::SmiPouzitKonzoli(session())) {
        messages::error(sqlmanager::ZpravaBezPrava());
        return;
    }
    auto* okno = hlavni->findChild<TPagesDlgSQLMANAGER*>(QString(), Qt::FindDirectChildrenOnly);
    if (!okno) {
        const Presypaci hodiny;
        okno = new TPagesDlgSQLMANAGER(hlavni);
    }
    const modal::Scope open;
    okno->exec();
}
