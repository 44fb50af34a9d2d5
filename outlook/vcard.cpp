#include "radky.h"
#include "vymena.h"

#include "common/action.h"

#include <QSet>

using radky::Komponenta;
using radky::Vlastnost;

namespace
{

QString text(const Vlastnost& v)
{
    return radky::Odescapuj(v.hodnota).trimmed();
}

QString cast(const QStringList& casti, int i)
{
    return casti.value(i).trimmed();
}

// A 4.0 TEL may be a URI.
QString telefon(const Vlastnost& v)
{
    QString t = text(v);
    if (t.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) t = t.mid(4);
    return t;
}

QString popisVlastnosti(const Vlastnost& v)
{
    QStringList typy = v.typy();
    typy.removeAll(QStringLiteral("INTERNET"));
    typy.removeAll(QStringLiteral("PREF"));
    QString jmeno = v.jmeno;
    if (!typy.isEmpty()) jmeno += QLatin1Char(';') + typy.join(QLatin1Char(','));
    QStringList casti = radky::RozdelText(v.hodnota, QLatin1Char(';'));
    casti.removeAll(QString());
    return jmeno + QLatin1Char('=') + casti.join(QStringLiteral(", ")).trimmed();
}

Kontakt kontakt(const Komponenta& c)
{
    Kontakt k;
    QSet<const Vlastnost*> pouzite;
    const auto vezmi = [&](const Vlastnost* v) {
        pouzite.insert(v);
        return v;
    };
    if (const Vlastnost* v = c.najdi(QStringLiteral("ORG")))
        k.nazev = cast(radky::RozdelText(vezmi(v)->hodnota, QLatin1Char(';')), 0);
    if (const Vlastnost* v = c.najdi(QStringLiteral("N"))) {
        const QStringList n = radky::RozdelText(vezmi(v)->hodnota, QLatin1Char(';'));
        k.prijmeni = cast(n, 0);
        k.jmeno = cast(n, 1);
        k.titul = cast(n, 3);
        k.zaPrijmenim = cast(n, 4);
    }
    // A card with its full name only (phones write such): a person's name,
    // the last word the surname.
    if (const Vlastnost* v = c.najdi(QStringLiteral("FN"));
        v && k.nazev.isEmpty() && k.jmeno.isEmpty() && k.prijmeni.isEmpty()) {
        const QStringList slova = radky::Odescapuj(vezmi(v)->hodnota).simplified().split(QLatin1Char(' '));
        k.prijmeni = slova.last();
        k.jmeno = slova.mid(0, slova.size() - 1).join(QLatin1Char(' '));
    }
    // The work address, else the first one.
    const QList<const Vlastnost*> adresy = c.vsechny(QStringLiteral("ADR"));
    const Vlastnost* adresa = adresy.isEmpty() ? nullptr : adresy.first();
    for (const Vlastnost* a : adresy)
        if (a->maTyp(QStringLiteral("WORK"))) {
            adresa = a;
            break;
        }
    if (adresa) {
        const QStringList a = radky::RozdelText(vezmi(adresa)->hodnota, QLatin1Char(';'));
        k.ulice = cast(a, 2);
        k.mesto = cast(a, 3);
        k.psc = cast(a, 5);
        k.stat = cast(a, 6);
    }
    for (const Vlastnost* e : c.vsechny(QStringLiteral("EMAIL"))) {
        if (k.email1.isEmpty())
            k.email1 = text(*vezmi(e));
        else if (k.email2.isEmpty())
            k.email2 = text(*vezmi(e));
    }
    for (const Vlastnost* t : c.vsechny(QStringLiteral("TEL"))) {
        const QStringList typy = t->typy();
        const bool fax = typy.contains(QStringLiteral("FAX"));
        const bool mobil = typy.contains(QStringLiteral("CELL"));
        const bool prace = typy.contains(QStringLiteral("WORK"));
        const bool domu = typy.contains(QStringLiteral("HOME"));
        if (mobil) {
            if (k.mobil1.isEmpty())
                k.mobil1 = telefon(*vezmi(t));
            else if (k.mobil2.isEmpty())
                k.mobil2 = telefon(*vezmi(t));
        } else if (fax) {
            if (prace && k.fax1.isEmpty()) k.fax1 = telefon(*vezmi(t));
        } else if (prace && k.telefon1.isEmpty()) {
            k.telefon1 = telefon(*vezmi(t));
        } else if (domu && k.telefon2.isEmpty()) {
            k.telefon2 = telefon(*vezmi(t));
        }
    }
    // A number without any type is the work number when that is still free.
    for (const Vlastnost* t : c.vsechny(QStringLiteral("TEL")))
        if (!pouzite.contains(t) && t->typy().isEmpty() && k.telefon1.isEmpty())
            k.telefon1 = telefon(*vezmi(t));
    const QList<const Vlastnost*> url = c.vsechny(QStringLiteral("URL"));
    const Vlastnost* web = url.isEmpty() ? nullptr : url.first();
    for (const Vlastnost* u : url)
        if (u->maTyp(QStringLiteral("WORK"))) {
            web = u;
            break;
        }
    if (web) k.www1 = text(*vezmi(web));
    if (const Vlastnost* v = c.najdi(QStringLiteral("NICKNAME")))
        k.prezdivka = cast(radky::RozdelText(vezmi(v)->hodnota, QLatin1Char(',')), 0);

    static const QSet<QString> bezPoznamky{QStringLiteral("VERSION"), QStringLiteral("PRODID"),
                                           QStringLiteral("PHOTO"),   QStringLiteral("LOGO"),
                                           QStringLiteral("SOUND"),   QStringLiteral("KEY")};
    for (const Vlastnost& v : c.vlastnosti)
        if (!pouzite.contains(&v) && !bezPoznamky.contains(v.jmeno) &&
            !v.jmeno.startsWith(QLatin1String("X-")))
            k.ostatni << popisVlastnosti(v);
    return k;
}

} // namespace

namespace vcard
{

QList<Kontakt> Cti(const QByteArray& data)
{
    const QList<Komponenta> koreny = radky::Rozeber(data);
    QList<Kontakt> out;
    for (const Komponenta& c : koreny) {
        if (c.typ != QLatin1String("VCARD"))
            throw ActionError(
                QStringLiteral("Soubor není adresář ve formátu vCard (nalezeno BEGIN:%1).").arg(c.typ));
        out << kontakt(c);
    }
    if (koreny.isEmpty() && !data.trimmed().isEmpty())
        throw ActionError(QStringLiteral("Soubor není adresář ve formátu vCard (chybí BEGIN:VCARD)."));
    return out;
}

QByteArray Zapis(const QList<Kontakt>& polozky)
{
    QByteArray out;
    const auto radek = [&](const QString& r) { out += radky::Slozeni(r); };
    const auto e = [](const QString& t) { return radky::Escapuj(t); };
    for (const Kontakt& k : polozky) {
        radek(QStringLiteral("BEGIN:VCARD"));
        radek(QStringLiteral("VERSION:3.0"));
        const QString cele =
            QStringList{k.titul, k.jmeno, k.prijmeni, k.zaPrijmenim}.join(QLatin1Char(' ')).simplified();
        // FN is required and must not be empty: the first name the row has.
        QString fn = cele;
        for (const QString* x : {&k.nazev, &k.prezdivka, &k.email1, &k.mobil1, &k.telefon1})
            if (fn.isEmpty()) fn = x->trimmed();
        radek(QStringLiteral("FN:") + e(fn.isEmpty() ? QStringLiteral("(bez jména)") : fn));
        radek(QStringLiteral("N:%1;%2;;%3;%4").arg(e(k.prijmeni), e(k.jmeno), e(k.titul), e(k.zaPrijmenim)));
        if (!k.nazev.isEmpty()) radek(QStringLiteral("ORG:") + e(k.nazev));
        if (!k.prezdivka.isEmpty()) radek(QStringLiteral("NICKNAME:") + e(k.prezdivka));
        if (!(k.ulice + k.mesto + k.psc + k.stat).isEmpty())
            radek(QStringLiteral("ADR;TYPE=WORK:;;%1;%2;;%3;%4")
                      .arg(e(k.ulice), e(k.mesto), e(k.psc), e(k.stat)));
        for (const QString& m : {k.email1, k.email2})
            if (!m.isEmpty()) radek(QStringLiteral("EMAIL;TYPE=INTERNET:") + e(m));
        if (!k.telefon1.isEmpty()) radek(QStringLiteral("TEL;TYPE=WORK,VOICE:") + e(k.telefon1));
        if (!k.telefon2.isEmpty()) radek(QStringLiteral("TEL;TYPE=HOME,VOICE:") + e(k.telefon2));
        for (const QString& m : {k.mobil1, k.mobil2})
            if (!m.isEmpty()) radek(QStringLiteral("TEL;TYPE=CELL:") + e(m));
        if (!k.fax1.isEmpty()) radek(QStringLiteral("TEL;TYPE=WORK,FAX:") + e(k.fax1));
        if (!k.www1.isEmpty()) radek(QStringLiteral("URL;TYPE=WORK:") + e(k.www1));
        const QString poznamka =
            (QStringList{k.poznamka.trimmed()} + k.ostatni).join(QLatin1Char('\n')).trimmed();
        if (!poznamka.isEmpty()) radek(QStringLiteral("NOTE:") + e(poznamka));
        radek(QStringLiteral("END:VCARD"));
    }
    return out;
}

} // namespace vcard
