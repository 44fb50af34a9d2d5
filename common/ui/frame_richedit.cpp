#include "common/ui/frame_richedit.h"

#include "common/ui/toolbutton.h"

#include "common/action.h"
#include "common/ui/dialogs.h"
#include "common/ui/shell.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

const QRegularExpression& odkazRe()
{
    static const QRegularExpression re(
        QStringLiteral("\\b(?:(?:https?|ftp)://|www\\.)[^\\s<>\"]+[^\\s<>\".,;:!?)\\]]"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// Shows web addresses as links; the look is not part of the stored text.
class OdkazyHighlighter : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        QTextCharFormat f;
        f.setForeground(QColor(0, 0, 255));
        f.setFontUnderline(true);
        auto it = odkazRe().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            setFormat(int(m.capturedStart()), int(m.capturedLength()), f);
        }
    }
};

} // namespace

TFrame_Richedit::TFrame_Richedit(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame_Richedit"));
    auto* pruh = new QWidget(this);
    pruh->setFixedHeight(25);
    SB_PRINT = tlacitko(pruh, "SB_PRINT", QStringLiteral("Tisk"), QStringLiteral("Tiskne"));
    SpeedButton1 =
        tlacitko(pruh, "SpeedButton1", QStringLiteral("Font"),
                 QStringLiteral("Změní typ fontu. (Pokud je nějaký text označen mění jen tento, jinak "
                                "mění celý text)"));
    auto* h = new QHBoxLayout(pruh);
    h->setContentsMargins(2, 0, 2, 0);
    h->addWidget(SB_PRINT);
    h->addWidget(SpeedButton1);
    h->addStretch(1);

    JvxRichEdit1 = new QTextEdit(this);
    JvxRichEdit1->setObjectName(QStringLiteral("JvxRichEdit1"));
    JvxRichEdit1->setAcceptRichText(true);
    new OdkazyHighlighter(JvxRichEdit1->document());
    JvxRichEdit1->viewport()->installEventFilter(this);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(pruh);
    v->addWidget(JvxRichEdit1, 1);

    connect(SB_PRINT, &QToolButton::clicked, this, [this] { runAction([this] { SB_PRINTClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { runAction([this] { SpeedButton1Click(); }); });
}

void TFrame_Richedit::SB_PRINTClick()
{
    QPrinter printer;
    printer.setDocName(QStringLiteral("ORVAN"));
    if (!dialogs::printer(this, printer)) return;
    JvxRichEdit1->document()->print(&printer);
}

void TFrame_Richedit::SpeedButton1Click()
{
    const auto f = dialogs::font(this, JvxRichEdit1->currentFont());
    if (!f) return;
    QTextCharFormat format;
    format.setFont(*f, QTextCharFormat::FontPropertiesAll);
    QTextCursor c = JvxRichEdit1->textCursor();
    if (!c.hasSelection()) c.select(QTextCursor::Document);
    c.mergeCharFormat(format);
    JvxRichEdit1->mergeCurrentCharFormat(format);
}

QString TFrame_Richedit::OdkazNaPozici(int position) const
{
    const QTextBlock b = JvxRichEdit1->document()->findBlock(position);
    if (!b.isValid()) return {};
    const int off = position - b.position();
    auto it = odkazRe().globalMatch(b.text());
    while (it.hasNext()) {
        const auto m = it.next();
        if (off >= m.capturedStart() && off < m.capturedEnd()) return m.captured();
    }
    return {};
}

bool TFrame_Richedit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == JvxRichEdit1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && !JvxRichEdit1->textCursor().hasSelection()) {
            const QTextCursor c = JvxRichEdit1->cursorForPosition(me->position().toPoint());
            const QString odkaz = OdkazNaPozici(c.position());
            if (!odkaz.isEmpty()) shell::open(odkaz);
        }
    }
    return QWidget::eventFilter(watched, event);
}
