#pragma once

#include <QByteArray>

class QTextDocument;

// How notes are stored: the editor's rich text (HTML) as UTF-8 bytes. Older
// data in RTF is read as its plain text; anything else as plain text.
namespace notetext
{

void load(const QByteArray& data, QTextDocument* doc);
QByteArray save(const QTextDocument* doc);
QString rtfToPlainText(const QByteArray& rtf);

} // namespace notetext
