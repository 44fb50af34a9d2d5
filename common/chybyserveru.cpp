#include "chybyserveru.h"

#include <QStringList>

namespace chybyserveru
{

namespace
{

bool obsahuje(const QString& text, std::initializer_list<const char*> vzory)
{
    for (const char* v : vzory)
        if (text.contains(QLatin1String(v), Qt::CaseInsensitive)) return true;
    return false;
}

} // namespace

QString veta(const QString& text)
{
    // Most specific first: a lost connection may also mention a lock.
    if (obsahuje(text, {"Database already opened with engine instance", "database is in use"}))
        return QStringLiteral("Databázi právě používá jiný spuštěný program. Aby databázi sdílelo více "
                              "pracovních stanic, musí ji otevírat přes server Firebird.");
    if (obsahuje(text, {"Unable to complete network request", "Failed to establish a connection",
                        "Connection refused", "connection lost", "connection shutdown",
                        "Error reading data from the connection", "Error writing data to the connection"}))
        return QStringLiteral(
            "Server databáze není dostupný. Zkontrolujte připojení k síti a zda server běží.");
    if (obsahuje(text, {"read-only database", "read only database", "database is read-only"}))
        return QStringLiteral("Databáze je otevřena jen pro čtení, změny nelze uložit.");
    if (obsahuje(text, {"update conflicts with concurrent update", "lock conflict on no wait transaction",
                        "deadlock"}))
        return QStringLiteral("Záznam právě mění jiná pracovní stanice. Zkuste to prosím za chvíli znovu.");
    if (obsahuje(text, {"conversion error from string", "Overflow occurred during data type conversion",
                        "arithmetic exception, numeric overflow", "string truncation"}))
        return QStringLiteral("Zadaná hodnota nemá správný typ nebo je příliš dlouhá (například text místo "
                              "čísla nebo data).");
    return QString();
}

QString souborPouzivan(const QString& path, const QString& program)
{
    const QString kdo = program.isEmpty() || program.compare(QLatin1String("orvan"), Qt::CaseInsensitive) == 0
                            ? QStringLiteral("jiný spuštěný program Orvan")
                            : QStringLiteral("jiný spuštěný program (%1)").arg(program);
    return QStringLiteral("Soubor databáze %1 právě používá %2.\n"
                          "Jeden soubor může mít otevřený jen jeden program. Aby databázi sdílelo více "
                          "pracovních stanic, otevírají ji přes server Firebird (v orvan.ini "
                          "pathname=server:/cesta/soubor).")
        .arg(path, kdo);
}

} // namespace chybyserveru
