#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

// The standard dialogs of the program behind one door, so that tests answer
// them in advance instead of a human. Filters are written the Windows way,
// "description|pattern|description|pattern".
namespace dialogs
{

// Empty when cancelled. The save dialog asks before overwriting a file.
QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix);
QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix);
// Several existing files at once; empty when cancelled.
QStringList openFileNames(QWidget* parent, const QString& filter, const QString& defaultSuffix);
std::optional<QColor> color(QWidget* parent, const QColor& initial);
std::optional<QFont> font(QWidget* parent, const QFont& initial);
// The print dialog; true when the user confirmed it (the printer is then set up).
bool printer(QWidget* parent, QPrinter& printer);
// A one-line input box proposing `text`; nothing when cancelled.
std::optional<QString> text(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& text);

// "*.a|*.a|*.b|*.b" -> "*.a (*.a);;*.b (*.b)"
QString qtFilter(const QString& windowsFilter);

// Test hooks: while recording no dialog is shown; each call takes the next
// queued answer of its kind (cancel when there is none) and logs what it asked
// ("open|filter|suffix", "save|filter|suffix", "color", "font", "print",
// "text|caption|prompt|proposed").
void startRecording();
void stopRecording();
void queueFileName(const QString& fileName); // an empty name cancels; "a\nb" answers openFileNames with two
void queueColor(const QColor& color);
void queueFont(const QFont& font);
void queuePrintFile(const QString& pdfFile);        // confirms and prints into a PDF file
void queueText(const std::optional<QString>& text); // nothing cancels
QStringList takeAsked();

} // namespace dialogs
