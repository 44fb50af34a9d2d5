#include "timesync/ui/synchronizacecasu.h"

#include "common/action.h"
#include "common/modal.h"
#include "data/datamoduleib.h"
#include "timesync/nastavcas.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

const QString& textNespojeno()
{
    static const QString t = QStringLiteral("Nepodařilo se navázat spojení !");
    return t;
}

} // namespace

TSynchronizacecasu::TSynchronizacecasu(const QString& server, QWidget* parent)
    : QDialog(parent), Label3(new QLabel(QStringLiteral("IP adresa  SNTP serveru"), this)),
      Edit_IPAdresa(new QLineEdit(server, this)),
      Button_ZjistiCas(new QPushButton(QStringLiteral("&Zjisti čas"), this)),
      Button_NastavCas(new QPushButton(QStringLiteral("&Nastav čas"), this)), Label1(new QLabel(this)),
      Label2(new QLabel(this))
{
    setObjectName(QStringLiteral("Synchronizacecasu"));
    setWindowTitle(QStringLiteral("Synchronizace času"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Edit_IPAdresa->setObjectName(QStringLiteral("Edit_IPAdresa"));
    Label3->setBuddy(Edit_IPAdresa);
    Button_ZjistiCas->setObjectName(QStringLiteral("Button_ZjistiCas"));
    Button_ZjistiCas->setToolTip(QStringLiteral("Zjistí a zobrazí čas z internetu"));
    Button_NastavCas->setObjectName(QStringLiteral("Button_NastavCas"));
    Button_NastavCas->setToolTip(QStringLiteral("Zjistí, nastaví a zobrazí čas z internetu"));
    Button_ZjistiCas->setDefault(true);
    for (QLabel* l : {Label1, Label2}) {
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setMinimumWidth(380);
    }
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));

    auto* g = new QGridLayout(this);
    g->addWidget(Label3, 0, 0, 1, 2);
    g->addWidget(Edit_IPAdresa, 1, 0, 1, 2);
    g->addWidget(Button_ZjistiCas, 2, 0);
    g->addWidget(Button_NastavCas, 2, 1);
    g->addWidget(Label1, 3, 0, 1, 2);
    g->addWidget(Label2, 4, 0, 1, 2);
    g->setRowMinimumHeight(3, 24);
    g->setRowMinimumHeight(4, 24);
    g->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button_ZjistiCas, &QPushButton::clicked, this, akce(this, &TSynchronizacecasu::ZjistiCas));
    connect(Button_NastavCas, &QPushButton::clicked, this, akce(this, &TSynchronizacecasu::NastavCas));
}

void TSynchronizacecasu::ZjistiCas()
{
    sntp::Vysledek v;
    {
        const Presypaci hodiny; // the query may wait up to five seconds
        v = nastavcas::ZjistiCas(Edit_IPAdresa->text());
    }
    if (v.ok())
        ukazCas(v);
    else
        ukazNeuspech(textNespojeno(), QString());
}

void TSynchronizacecasu::NastavCas()
{
    nastavcas::Nastaveni n;
    {
        const Presypaci hodiny;
        n = nastavcas::NastavCas(Edit_IPAdresa->text());
    }
    if (!n.dotaz.ok())
        ukazNeuspech(textNespojeno(), QString());
    else if (!n.chybaNastaveni.isEmpty())
        ukazNeuspech(nastavcas::ZpravaNeuspechu(Edit_IPAdresa->text().trimmed()), n.chybaNastaveni);
    else
        ukazCas(n.dotaz);
}

void TSynchronizacecasu::ukazCas(const sntp::Vysledek& v)
{
    Label1->setText(DatumNaText(2, v.utc) + QStringLiteral(" UTC"));
    Label2->setText(DatumNaText(2, sntp::MistniCas(v.utc)) + QStringLiteral(" Lokální čas"));
}

void TSynchronizacecasu::ukazNeuspech(const QString& prvni, const QString& druhy)
{
    Label1->setText(prvni);
    Label2->setText(druhy);
}

void UkazSynchronizaciCasu(QWidget* hlavni, const QString& server)
{
    auto* okno = hlavni->findChild<TSynchronizacecasu*>(QString(), Qt::FindDirectChildrenOnly);
    if (!okno) okno = new TSynchronizacecasu(server, hlavni);
    const modal::Scope open;
    okno->exec();
}
