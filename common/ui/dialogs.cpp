#include "common/ui/dialogs.h"

#include "common/modal.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <deque>

namespace dialogs
{
namespace
{

struct State {
    bool recording = false;
    std::deque<QString> files;
    std::deque<QColor> colors;
    std::deque<QFont> fonts;
    std::deque<QString> prints;
    std::deque<std::optional<QString>> texts;
    QStringList asked;
};

State& state()
{
    static State s;
    return s;
}

template <typename T> std::optional<T> next(std::deque<T>& queue)
{
    if (queue.empty()) return std::nullopt;
    T v = queue.front();
    queue.pop_front();
    return v;
}

} // namespace

QString qtFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") +
                   QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return out.join(QStringLiteral(";;"));
}

static QStringList fileDialog(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                              bool many = false)
{
    const modal::Scope open;
    State& s = state();
    if (s.recording) {
        s.asked << QStringLiteral("%1|%2|%3")
                       .arg(save ? QStringLiteral("save") : QStringLiteral("open"), filter, suffix);
        const QString answer = next(s.files).value_or(QString());
        return answer.isEmpty() ? QStringList() : answer.split(QLatin1Char('\n'));
    }
    QFileDialog d(parent);
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save   ? QFileDialog::AnyFile
                  : many ? QFileDialog::ExistingFiles
                         : QFileDialog::ExistingFile);
    d.setNameFilter(qtFilter(filter));
    QString sfx = suffix;
    if (sfx.startsWith(QLatin1Char('.'))) sfx.remove(0, 1);
    d.setDefaultSuffix(sfx);
    if (d.exec() != QDialog::Accepted) return {};
    return d.selectedFiles();
}

QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return fileDialog(parent, false, filter, defaultSuffix).value(0);
}

QStringList openFileNames(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return fileDialog(parent, false, filter, defaultSuffix, true);
}

QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return fileDialog(parent, true, filter, defaultSuffix).value(0);
}

std::optional<QColor> color(QWidget* parent, const QColor& initial)
{
    const modal::Scope open;
    State& s = state();
    if (s.recording) {
        s.asked << QStringLiteral("color");
        return next(s.colors);
    }
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> font(QWidget* parent, const QFont& initial)
{
    const modal::Scope open;
    State& s = state();
    if (s.recording) {
        s.asked << QStringLiteral("font");
        return next(s.fonts);
    }
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return f;
}

bool printer(QWidget* parent, QPrinter& printer)
{
    const modal::Scope open;
    State& s = state();
    if (s.recording) {
        s.asked << QStringLiteral("print");
        const auto file = next(s.prints);
        if (!file) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*file);
        return true;
    }
    QPrintDialog d(&printer, parent);
    return d.exec() == QDialog::Accepted;
}

std::optional<QString> text(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& text)
{
    const modal::Scope open;
    State& s = state();
    if (s.recording) {
        s.asked << QStringLiteral("text|%1|%2|%3").arg(caption, prompt, text);
        return next(s.texts).value_or(std::nullopt);
    }
    bool ok = false;
    const QString t = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return t;
}

void startRecording()
{
    state().recording = true;
}

void stopRecording()
{
    state() = State{};
}

void queueFileName(const QString& fileName)
{
    state().files.push_back(fileName);
}
void queueColor(const QColor& c)
{
    state().colors.push_back(c);
}
void queueFont(const QFont& f)
{
    state().fonts.push_back(f);
}
void queuePrintFile(const QString& pdfFile)
{
    state().prints.push_back(pdfFile);
}

void queueText(const std::optional<QString>& text)
{
    state().texts.push_back(text);
}

QStringList takeAsked()
{
    QStringList out;
    out.swap(state().asked);
    return out;
}

} // namespace dialogs
