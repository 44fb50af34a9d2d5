#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// Item files: one calendar event as INI text (".orvan", ".orv"). Categories
// and groups travel by name; the rights frame writes the section RIGHT and
// the category list the section CATEGORY.
struct PolozkaSouboru {
    QString Datum;
    QString CasOd;
    QString CasDo;
    bool CelyDen = false;
    QString Nazev;
    bool Alarm = false;
    QString AlarmDatum;
    QString AlarmCas;
    QString Akce;
    QStringList Poznamka; // plain text lines

    bool operator==(const PolozkaSouboru&) const = default;
};

extern const QString FiltrPolozky; // "*.orvan|*.orvan|*.orv|*.orv"
extern const QString TextZastaralaVerze;
extern const QString TextJinyTyp;

// Writes USER, FILE, DATATYPE, DATA and DATAMEMO in that order (the caller
// then adds RIGHT and CATEGORY and flushes). False when a value cannot be
// held by the file.
bool ZapisPolozku(IniFile& soubor, const PolozkaSouboru& polozka);

// Empty when the file may be read; otherwise the message that refuses it (a
// later format, a missing FILE type, another data type).
QString OverPolozku(const IniFile& soubor);

// The DATA and DATAMEMO sections; missing keys give empty texts.
PolozkaSouboru CtiPolozku(const IniFile& soubor);
