#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// Calendar items and contacts as other calendar and mail programs exchange
// them, and the store they are exchanged with. Today the store is a set of
// iCalendar (.ics) and vCard (.vcf) files; a server store (CalDAV, CardDAV)
// would implement the same interface.

struct Schuzka {
    QString uid;
    QString nazev;
    QString popis;
    QDateTime zacatek; // local time
    QDateTime konec;   // local time; an all-day item ends at the start of its last day + 1
    bool celyDen = false;
    bool pripominka = false;
    QDateTime okamzikPripominky; // local time
    // The file cancels the item (METHOD:CANCEL, or STATUS:CANCELLED): it
    // removes the event with its UID and never becomes a row.
    bool zrusena = false;
    // A series: its rule (RFC 5545 RRULE value) and its excluded starts (an
    // occurrence the file cancels is one of them). Empty for a single item.
    QString pravidlo;
    QList<QDateTime> vynechane;
    // A changed occurrence of the series with this uid: the start it replaces
    // (RECURRENCE-ID); invalid for a series or a single item.
    QDateTime puvodni;
    // Repeated by extra dates (RDATE) only, which the calendar does not keep:
    // it comes as its first occurrence that nothing excludes.
    bool zkracenaSerie = false;
    // Why the item cannot be stored (empty: it can), for the import's refusals.
    QString odmitnuti;
};

struct Kontakt {
    QString nazev; // organisation
    QString jmeno, prijmeni, titul, zaPrijmenim;
    QString ulice, mesto, psc, stat;
    QString email1, email2;
    QString telefon1, telefon2; // work, home
    QString mobil1, mobil2;
    QString fax1;
    QString www1;
    QString prezdivka;
    QStringList ostatni; // "NAME=value" of every other property, for the note
    QString poznamka;    // the stored note as plain text (export)
};

class UlozisteVymeny
{
public:
    virtual ~UlozisteVymeny() = default;
    // Every item of the calendar / the contacts; throws ActionError (nothing read) on a bad source.
    virtual QList<Schuzka> NactiKalendar() = 0;
    virtual QList<Kontakt> NactiKontakty() = 0;
    // Adds the items (an item with a known uid replaces it).
    virtual void UlozKalendar(const QList<Schuzka>& polozky) = 0;
    // Removes the items with these uids.
    virtual void ZrusKalendar(const QList<Schuzka>& polozky) = 0;
    virtual void UlozKontakty(const QList<Kontakt>& polozky) = 0;
};

// Reads the given files (all of them or nothing) and writes one file.
class SouboroveUloziste : public UlozisteVymeny
{
public:
    SouboroveUloziste(QStringList vstupy, QString vystup, QDateTime razitko);
    QList<Schuzka> NactiKalendar() override;
    QList<Kontakt> NactiKontakty() override;
    void UlozKalendar(const QList<Schuzka>& polozky) override;
    void ZrusKalendar(const QList<Schuzka>& polozky) override;
    void UlozKontakty(const QList<Kontakt>& polozky) override;

private:
    QStringList m_vstupy;
    QString m_vystup;
    QDateTime m_razitko;
};

namespace ical
{
// Events of an iCalendar text; throws ActionError on a malformed one.
QList<Schuzka> Cti(const QByteArray& data);
// PUBLISH of the items, or CANCEL of their uids; `razitko` is DTSTAMP.
QByteArray Zapis(const QList<Schuzka>& polozky, const QDateTime& razitko, bool zruseni);
} // namespace ical

namespace vcard
{
// Contacts of a vCard 2.1, 3.0 or 4.0 text; throws ActionError on a malformed one.
QList<Kontakt> Cti(const QByteArray& data);
// vCard 3.0.
QByteArray Zapis(const QList<Kontakt>& polozky);
} // namespace vcard
