#include "common/ui/aboutbox.h"

#include "common/action.h"
#include "common/ktwinsys.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace
{

QLabel* namedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TAboutBox::TAboutBox(std::function<int()> verzeDat, QWidget* parent)
    : QDialog(parent), m_verzeDat(std::move(verzeDat))
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    vytvorNazev();
    vytvorUdaje();
    QGridLayout* grid = mrizkaUdaju();

    auto* credits = new QLabel(QStringLiteral("Při vývoji tohoto programu byly použity komponenty:"), this);
    auto* moon = new QLabel(
        QStringLiteral(
            "uSlunce – fáze Měsíce, východ a západ Slunce (podle J. Meeuse: Astronomical Algorithms)"),
        this);
    moon->setWordWrap(true);

    vytvorOdkaz();
    vytvorTlacitkoOK();
    rozloz(grid, credits, moon);
}

void TAboutBox::vytvorNazev()
{
    ProductName = namedLabel("ProductName", this);
    ProductName->setText(QStringLiteral("Orvan"));
    QFont big = ProductName->font();
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ProductName->setFont(big);
}

void TAboutBox::vytvorUdaje()
{
    Label_Version = namedLabel("Label_Version", this);
    Label_verze_dat = namedLabel("Label_verze_dat", this);
    Label_JmenoPC = namedLabel("Label_JmenoPC", this);
    Label_Uzivatel = namedLabel("Label_Uzivatel", this);
    Label_IPADRESA = namedLabel("Label_IPADRESA", this);
}

// Captions on the left, the values on the right.
QGridLayout* TAboutBox::mrizkaUdaju()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    const std::pair<const char*, QLabel*> rows[] = {
        {"verze programu", Label_Version}, {"verze dat", Label_verze_dat}, {"Jméno PC", Label_JmenoPC},
        {"Uživatel", Label_Uzivatel},      {"IP Adresa", Label_IPADRESA},
    };
    int row = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

void TAboutBox::vytvorOdkaz()
{
    Label_Web = namedLabel("Label_Web", this);
    Label_Web->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(WebProduktu()));
    Label_Web->setTextFormat(Qt::RichText);
    Label_Web->setTextInteractionFlags(Qt::TextBrowserInteraction);
    Label_Web->setOpenExternalLinks(true);
}

void TAboutBox::vytvorTlacitkoOK()
{
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::rozloz(QGridLayout* grid, QLabel* credits, QLabel* moon)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProductName, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(credits);
    layout->addWidget(moon);
    layout->addWidget(Label_Web);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::Obnov()
{
    Label_Version->setText(VerzeProgramu());
    Label_verze_dat->clear();
    if (m_verzeDat) runAction([this] { Label_verze_dat->setText(QString::number(m_verzeDat())); });
    Label_JmenoPC->setText(JmenoPocitace());
    Label_Uzivatel->setText(JmenoUzivatele());
    Label_IPADRESA->setText(IPAdresa(JmenoPocitace()));
}

void TAboutBox::showEvent(QShowEvent* event)
{
    Obnov();
    adjustSize();
    // Centred on the screen, not over the main window.
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
