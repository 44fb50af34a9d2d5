#include "tasks/ui/form_alarm.h"

#include "tasks/planovacalarmu.h"

#include "common/action.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/sqldata.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

namespace
{

constexpr int kSirka = 383, kVyska = 214;

bool jeEnter(const QEvent* e)
{
    if (e->type() != QEvent::KeyPress) return false;
    const int k = static_cast<const QKeyEvent*>(e)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}

QList<TForm_ALARM*>& okna()
{
    static QList<TForm_ALARM*> list;
    return list;
}

QLabel* hodnota(QWidget* parent, const char* name, const QColor& barva)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, barva);
    l->setPalette(p);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TForm_ALARM::TForm_ALARM() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("Form_ALARM"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvan - Alarm"));
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    setWindowIcon(icon);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(frame);
    Image1 = new QLabel(frame);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(icon.pixmap(32, 32));
    Label1 = new QLabel(frame);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label_ALARM = hodnota(frame, "Label_ALARM", Qt::magenta);
    Label_DATUM = hodnota(frame, "Label_DATUM", Qt::red);
    Label_CAS = hodnota(frame, "Label_CAS", Qt::red);
    Label_UDALOST = hodnota(frame, "Label_UDALOST", Qt::red);
    Label_UDALOST->setWordWrap(true);
    g->addWidget(Image1, 0, 0);
    g->addWidget(Label1, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Alarm"), frame), 1, 0);
    g->addWidget(Label_ALARM, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Datum:"), frame), 2, 0);
    g->addWidget(Label_DATUM, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Čas"), frame), 3, 0);
    g->addWidget(Label_CAS, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("Událost"), frame), 4, 0, Qt::AlignTop);
    g->addWidget(Label_UDALOST, 4, 1);
    Label_DUVOD = new QLabel(frame);
    Label_DUVOD->setObjectName(QStringLiteral("Label_DUVOD"));
    Label_DUVOD->setWordWrap(true);
    Label_DUVOD->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_DUVOD->hide();
    g->addWidget(Label_DUVOD, 5, 0, 1, 2);
    g->setColumnStretch(1, 1);
    g->setRowStretch(6, 1);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    OdlozitBtn = new QPushButton(QStringLiteral("Odložit"), this);
    OdlozitBtn->setObjectName(QStringLiteral("OdlozitBtn"));
    OdlozitBtn->setAutoDefault(false);
    ComboBox_ODLOZIT = new QComboBox(this);
    ComboBox_ODLOZIT->setObjectName(QStringLiteral("ComboBox_ODLOZIT"));
    for (int minuty : {5, 10, 15, 60})
        ComboBox_ODLOZIT->addItem(QStringLiteral("%1 min").arg(minuty), minuty);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addSpacing(24);
    buttons->addWidget(OdlozitBtn);
    buttons->addWidget(ComboBox_ODLOZIT);
    buttons->addStretch();
    auto* v = new QVBoxLayout(this);
    v->addWidget(frame, 1);
    v->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, akce(this, &TForm_ALARM::OKBtnClick));
    connect(OdlozitBtn, &QPushButton::clicked, this, akce(this, &TForm_ALARM::OdlozitClick));

    setFixedSize(kSirka, kVyska);
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    // Enter means OK on every control, whatever the control itself would make of it.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    OKBtn->setFocus();
    okna() << this;
}

TForm_ALARM::~TForm_ALARM()
{
    okna().removeAll(this);
}

void TForm_ALARM::NastavOknoAlarmu(const QString& tabulka, int id, DatumCas okamzik, DatumCas vyskyt)
{
    m_okamzik = okamzik;
    Label1->setText(QString::number(id));
    AlarmInfo i;
    try {
        i = NactiAlarmInfo(SQLDATA(), tabulka, id, vyskyt);
    } catch (const ActionError& e) {
        // The alarm is shown anyway; its details are lost with the connection.
        qCWarning(orvanAlarmy) << "alarm details not read:" << e.text();
    }
    Label_DATUM->setText(i.datum);
    Label_CAS->setText(i.cas);
    Label_UDALOST->setText(i.nazev);
    Label_ALARM->setText(i.alarm);
}

void TForm_ALARM::NastavDuvod(const QString& duvod)
{
    Label_DUVOD->setText(duvod);
    Label_DUVOD->setVisible(!duvod.isEmpty());
    // Room for the wrapped reason below the record's lines.
    layout()->activate();
    const int vyska = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(kSirka)
                                                    : layout()->totalSizeHint().height();
    setFixedSize(kSirka, qMax(kVyska, vyska));
}

void TForm_ALARM::OKBtnClick()
{
    m_odlozenoDo = 0;
    const VysledekZapisu v = PotvrdAlarmy(SQLDATA(), session(), NejdrivOdlozeny());
    close();
    // The window closes either way; the user learns that the alarms will come again.
    if (!v.ok)
        messages::error(
            QStringLiteral("Potvrzení alarmu se nepodařilo uložit, alarmy se při příštím spuštění "
                           "zobrazí znovu.\r") +
            v.chyba);
}

void TForm_ALARM::OdlozitClick()
{
    const int minuty = ComboBox_ODLOZIT->currentData().toInt();
    m_odlozenoDo = Ted() + minuty / 1440.0;
    hide();
}

bool TForm_ALARM::ProbudOdlozena(DatumCas ted)
{
    bool zbyva = false;
    for (TForm_ALARM* w : okna()) {
        if (w->m_odlozenoDo == 0) continue;
        if (std::llround(ted * 86400000.0) >= std::llround(w->m_odlozenoDo * 86400000.0)) {
            w->m_odlozenoDo = 0;
            // Back on OK, not on the "Odložit" that hid it.
            w->OKBtn->setFocus();
            w->show();
            w->raise();
            w->activateWindow();
        } else {
            zbyva = true;
        }
    }
    return zbyva;
}

DatumCas TForm_ALARM::NejdrivOdlozeny()
{
    DatumCas nejdriv = 0;
    for (const TForm_ALARM* w : okna())
        if (w->m_odlozenoDo != 0 && w->m_okamzik != 0 && (nejdriv == 0 || w->m_okamzik < nejdriv))
            nejdriv = w->m_okamzik;
    return nejdriv;
}

QList<TForm_ALARM*> TForm_ALARM::Okna()
{
    return okna();
}

bool TForm_ALARM::eventFilter(QObject* o, QEvent* e)
{
    if (jeEnter(e)) {
        OKBtn->click();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void TForm_ALARM::keyPressEvent(QKeyEvent* e)
{
    // A plain window has no dialog keys of its own: Enter presses OK, Escape closes.
    if (jeEnter(e)) {
        OKBtn->click();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}
