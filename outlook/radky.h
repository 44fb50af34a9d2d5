#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// Content lines of iCalendar and vCard files: NAME;PARAM=VALUE:value, folded
// after 75 octets. vCard 2.1 adds bare parameters (TEL;WORK;VOICE) and
// quoted-printable values with "=" soft line breaks.
namespace radky
{

struct Vlastnost {
    QString skupina;                              // "item1" of "item1.EMAIL" (vCard), empty otherwise
    QString jmeno;                                // upper-case
    QList<std::pair<QString, QString>> parametry; // upper-case names; a bare parameter is ("TYPE", value)
    QString hodnota; // raw value: escapes are left for the reader of the property
    int radek = 0;   // line number in the file, for messages

    // The first value of the parameter (case-insensitive), empty when absent.
    QString parametr(const QString& jmeno) const;
    // Every TYPE value, upper-case, comma lists split ("WORK,VOICE" -> WORK, VOICE).
    QStringList typy() const;
    bool maTyp(const QString& typ) const { return typy().contains(typ); }
};

struct Komponenta {
    QString typ; // upper-case: VCALENDAR, VEVENT, VALARM, VTIMEZONE, VCARD, ...
    QList<Vlastnost> vlastnosti;
    QList<Komponenta> deti;
    int radek = 0;

    const Vlastnost* najdi(const QString& jmeno) const;
    QList<const Vlastnost*> vsechny(const QString& jmeno) const;
};

// Splits the file into its components (BEGIN:X ... END:X, nested). Decodes
// UTF-8 unless a CHARSET parameter names another code page for a
// quoted-printable value. Throws ActionError with the line number on a
// malformed file (a line without ":", END without BEGIN, a missing END).
QList<Komponenta> Rozeber(const QByteArray& data);

// Text values: "\n", "\,", "\;" and "\\" undone; an escaped list separator
// stays inside its part.
QString Odescapuj(const QString& hodnota);
QStringList RozdelText(const QString& hodnota,
                       QChar oddelovac); // splits at unescaped separators, unescapes parts
QString Escapuj(const QString& text);

// One output line "NAME;params:value" folded at 75 octets with CRLF, never
// inside a UTF-8 sequence.
QByteArray Slozeni(const QString& radek);

} // namespace radky
