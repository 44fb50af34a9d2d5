#include "common/ui/kteditdc.h"

#include "common/action.h"
#include "common/modal.h"
#include "common/polepickeru.h"
#include "common/ui/formkteditdat.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QToolButton>

namespace
{
constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 17;
} // namespace

TKTEDITDC::TKTEDITDC(QWidget* parent, int typ) : QLineEdit(parent)
{
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("Button_VYBER"));
    m_button->setText(QStringLiteral("*"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setFixedSize(kButtonWidth, kButtonHeight);
    connect(m_button, &QToolButton::clicked, this, [this] { runAction([this] { SpustVyber(); }); });
    setTyp(typ);
}

void TKTEDITDC::setTyp(int typ)
{
    m_typ = typ;
    const QString maska = MaskaKTEDITDC(typ);
    setMaxLength(maska.isEmpty() ? 32767 : int(maska.size()));
    m_button->setVisible(!maska.isEmpty());
    // Text never runs under the button.
    setTextMargins(0, 0, maska.isEmpty() ? 0 : kButtonWidth + 1, 0);
    placeButton();
}

QSize TKTEDITDC::minimumSizeHint() const
{
    QSize s = QLineEdit::minimumSizeHint();
    // One line of the font plus borders, never lower than the button.
    const QFontMetrics fm(font());
    const QFontMetrics sys(QApplication::font());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int h = fm.height() + std::min(fm.height(), sys.height()) / 4 + 4 * frame + 2;
    s.setHeight(std::max({s.height(), h, kButtonHeight + 2}));
    return s;
}

QSize TKTEDITDC::sizeHint() const
{
    QSize s = QLineEdit::sizeHint();
    s.setHeight(std::max(s.height(), minimumSizeHint().height()));
    return s;
}

void TKTEDITDC::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TKTEDITDC::placeButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int y = std::max(0, (height() - kButtonHeight) / 2);
    m_button->move(width() - kButtonWidth - std::max(1, frame), y);
}

void TKTEDITDC::SpustVyber()
{
    // A read-only edit shows its text but takes no answer.
    if (isReadOnly()) return;
    TFORMKTEDITDAT picker(this);
    picker.Otevri(text(), m_typ); // throws on a text that is no date
    const modal::Scope open;
    picker.exec();
    const QString odpoved = picker.Odpoved();
    if (!odpoved.isEmpty()) setText(odpoved);
    setFocus();
}
