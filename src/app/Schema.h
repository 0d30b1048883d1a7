#pragma once
// The one definition of the database: every table, column and index, and the
// rows a new database starts with.

#include <QString>
#include <QStringList>

class Db;

namespace Schema {

// Creates every table and index in an empty database and inserts the initial
// rows, in one transaction.
void create(Db& db, const QString& unitName = QStringLiteral("Kelvora示范单位"));

// Creates a new database file (and its folder); refuses an existing file.
void createFile(const QString& file, const QString& unitName = QStringLiteral("Kelvora示范单位"));

// The nine document kinds: header table names, in the order of the kinds table.
const QStringList& documentTables();

// The tables the program cannot run without.
const QStringList& requiredTables();

} // namespace Schema
