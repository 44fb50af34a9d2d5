#include "tools/vymenadb.h"

#include "app/login.h"
#include "common/action.h"
#include "common/session.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "outlook/zaznamyvymeny.h"
#include "records/vyskyty.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace vymenadb
{

namespace
{

void chyba(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// Puts the user into the session as a login would; false with a message when there is none.
bool prihlas(TSQLDATA& db, const QString& login)
{
    const int id =
        login.isEmpty()
            ? db.VratInt(QStringLiteral("select min(uzivatel_id) from uzivatel where administrator=1"))
            : db.VratInt(QStringLiteral("select min(uzivatel_id) from uzivatel where upper(login)=upper(%1)")
                             .arg(TextSQL(login)));
    const std::optional<login::Prihlaseni> p = id != 0 ? login::NactiPrihlaseni(db, id) : std::nullopt;
    if (!p) {
        chyba(login.isEmpty() ? QStringLiteral("V databázi není žádný administrátor.")
                              : QStringLiteral("Uživatel %1 v databázi není.").arg(login));
        return false;
    }
    p->ZapisDo(session());
    return true;
}

bool jeKalendar(const QString& soubor)
{
    return QFileInfo(soubor).suffix().compare(QLatin1String("ics"), Qt::CaseInsensitive) == 0;
}

} // namespace

int Importuj(TSQLDATA& db, const QStringList& soubory, const Volby& v)
{
    try {
        if (!prihlas(db, v.login)) return 1;
        NastaveniImportu n;
        n.prava = PravaZaznamu::Vse(session().VychoziSkupina);
        n.duplicita = v.duplicity == QLatin1String("replace") ? Duplicita::Prepsat
                      : v.duplicity == QLatin1String("skip")  ? Duplicita::Preskocit
                                                              : Duplicita::Pridat;
        SouboroveUloziste uloziste(soubory, QString(), QDateTime::currentDateTimeUtc());
        const PocitadlaImportu p = jeKalendar(soubory.first())
                                       ? ImportujKalendar(db, uloziste.NactiKalendar(), n)
                                       : ImportujKontakty(db, uloziste.NactiKontakty(), n);
        std::printf("%s",
                    p.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toLocal8Bit().constData());
        if (!p.chyby.isEmpty()) chyba(p.Podrobnosti());
        return p.chybne > 0 ? 1 : 0;
    } catch (const ActionError& e) {
        chyba(e.text());
        return 1;
    }
}

int Exportuj(TSQLDATA& db, const QString& soubor, const Volby& v)
{
    try {
        if (!prihlas(db, v.login)) return 1;
        const bool kontakty =
            v.kontakty || (!jeKalendar(soubor) && QFileInfo(soubor).suffix().compare(
                                                      QLatin1String("vcf"), Qt::CaseInsensitive) == 0);
        QByteArray data;
        qsizetype pocet = 0;
        if (kontakty) {
            const QList<Kontakt> k = AdresyKExportu(db);
            pocet = k.size();
            data = vcard::Zapis(k);
        } else {
            const QList<Schuzka> s = UdalostiKExportu(db);
            pocet = s.size();
            data = ical::Zapis(s, QDateTime::currentDateTimeUtc(), false);
        }
        QFile f(soubor);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.flush()) {
            chyba(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(soubor, f.errorString()));
            return 1;
        }
        std::printf("Zapsáno: %lld\n", static_cast<long long>(pocet));
        return 0;
    } catch (const ActionError& e) {
        chyba(e.text());
        return 1;
    }
}

int Agenda(TSQLDATA& db, const QString& od, const QString& doDatum, const Volby& v)
{
    try {
        const auto den = [](const QString& text) {
            const std::optional<QString> d = KanonickeDatum(text);
            return d ? QDate::fromString(*d, QStringLiteral("d.M.yyyy")) : QDate();
        };
        const QDate prvni = den(od), posledni = den(doDatum);
        if (!prvni.isValid() || !posledni.isValid()) {
            chyba(QStringLiteral("Neplatné datum (zadejte den.měsíc.rok): %1")
                      .arg(prvni.isValid() ? doDatum : od));
            return 2;
        }
        if (!prihlas(db, v.login)) return 1;
        for (const VyskytUdalosti& x : NactiVyskyty(db, prvni, posledni)) {
            const QString cas = QStringLiteral("HH:mm");
            const QString radek =
                QStringList{x.zacatek.date().toString(Qt::ISODate),
                            x.celyDen ? QString() : x.zacatek.toString(cas),
                            x.celyDen || !x.konec.isValid() ? QString() : x.konec.toString(cas),
                            QString(x.nazev).replace(QLatin1Char('\t'), QLatin1Char(' ')),
                            x.serie ? QString::number(x.serie) : QString()}
                    .join(QLatin1Char('\t'));
            std::printf("%s\n", radek.toUtf8().constData());
        }
        return 0;
    } catch (const ActionError& e) {
        chyba(e.text());
        return 1;
    }
}

} // namespace vymenadb
