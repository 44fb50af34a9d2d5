#include "overview/ui/formstringgridfilter.h"

#include "overview/gridquery.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFormStringGridFilter::TFormStringGridFilter(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormStringGridFilter"));
    setWindowTitle(QStringLiteral("Orvan - Filtr"));
    buildConditions();
    buildValuesAndButtons();
    layOut();
    resize(365, 235);
    nastavPovoleni();
}

void TFormStringGridFilter::buildConditions()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Podmínka"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* radios = new QVBoxLayout(GroupBox1);
    radios->setSpacing(0);
    radios->setContentsMargins(6, 2, 6, 4);
    auto* group = new QButtonGroup(this);
    QRadioButton** named[] = {&RB0, &RB1, &RB2, &RB3, &RB4, &RB5, &RB6, &RB7, &RB8};
    for (int i = 0; i < 9; ++i) {
        auto* rb = new QRadioButton(kFiltrOperatory[size_t(i)], GroupBox1);
        rb->setObjectName(QStringLiteral("RB%1").arg(i));
        group->addButton(rb, i);
        radios->addWidget(rb);
        m_rb[size_t(i)] = rb;
        *named[i] = rb;
    }
    RB0->setChecked(true);
    connect(group, &QButtonGroup::buttonClicked, this, [this] { nastavPovoleni(); });
}

void TFormStringGridFilter::buildValuesAndButtons()
{
    CB_1 = new QLineEdit(this);
    CB_1->setObjectName(QStringLiteral("CB_1"));
    CB_2 = new QLineEdit(this);
    CB_2->setObjectName(QStringLiteral("CB_2"));

    // Neither button is the window's default or cancel button.
    Button_OK = new QPushButton(QStringLiteral("OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Button_Cancel->setObjectName(QStringLiteral("Button_Cancel"));
    for (QPushButton* b : {Button_OK, Button_Cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Button_OK, &QPushButton::clicked, this, [this] {
        m_prijato = true;
        accept();
    });
    connect(Button_Cancel, &QPushButton::clicked, this, [this] {
        m_prijato = false;
        reject();
    });
}

void TFormStringGridFilter::layOut()
{
    auto* right = new QVBoxLayout;
    right->addWidget(CB_1);
    right->addWidget(CB_2);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button_OK);
    buttons->addWidget(Button_Cancel);
    right->addLayout(buttons);

    auto* main = new QHBoxLayout(this);
    main->setContentsMargins(8, 6, 8, 8);
    main->addWidget(GroupBox1);
    main->addLayout(right, 1);
}

TFormStringGridFilter* TFormStringGridFilter::Instance(QWidget* owner)
{
    static QPointer<TFormStringGridFilter> instance;
    if (!instance) instance = new TFormStringGridFilter(owner);
    return instance;
}

void TFormStringGridFilter::NastavFiltr(int op, const QString& hodnota1, const QString& hodnota2)
{
    CB_1->setText(op != 0 ? hodnota1 : QString());
    CB_2->setText(op != 0 ? hodnota2 : QString());
    if (op >= 0 && op < int(m_rb.size())) m_rb[size_t(op)]->setChecked(true);
    nastavPovoleni();
}

int TFormStringGridFilter::VratOperator() const
{
    for (int i = 0; i < int(m_rb.size()); ++i)
        if (m_rb[size_t(i)]->isChecked()) return i;
    return 0;
}

void TFormStringGridFilter::nastavPovoleni()
{
    const int op = VratOperator();
    CB_1->setEnabled(op >= 1);
    CB_2->setEnabled(op == 8);
}

void TFormStringGridFilter::showEvent(QShowEvent* event)
{
    m_prijato = true;
    QDialog::showEvent(event);
}

void TFormStringGridFilter::closeEvent(QCloseEvent* event)
{
    // The close box cancels: applying a half-entered filter would surprise the user.
    m_prijato = false;
    QDialog::closeEvent(event);
}

void TFormStringGridFilter::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
