#pragma once

#include <QString>
#include <QStringList>

// Creating an organiser database from the schema scripts built into the program.
namespace dbschema
{

// Statements of a script: "--" lines are comments; "SET TERM x ;" changes the
// terminator, so procedure bodies may hold semicolons.
QStringList splitScript(const QString& text);

// The schema scripts in the order they run, as (name, text).
QList<QPair<QString, QString>> scripts();

// Creates a dialect-1 WIN1250 database at path (a plain path opens the file
// in-process; "host:/path" goes through a server), runs every script (which
// make version 1) and then every upgrade step, unless `upgrade` is false (tests
// of the upgrade itself). Throws DbError with the server's text; a half-made
// database is dropped.
// Without forced writes (scratch databases of tests) creation is much faster.
void createDatabase(const QString& path, const QString& user, const QString& password,
                    bool forcedWrites = true, bool upgrade = true);

} // namespace dbschema
