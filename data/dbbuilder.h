#pragma once

#include <QPair>
#include <QString>
#include <QStringList>

// Makes database files from the text sources in data/: SQL scripts and
// tab-separated tables (first line: column names; an empty cell is Null;
// "\n", "\t" and "\\" in a cell stand for a line break, a tab and a backslash).
namespace DbBuilder {

// Statements of an SQL script, without comments.
QStringList splitStatements(const QString& sql);

// Creates the file at path from the scripts, then fills each (table, tsv file).
// The file is written under a temporary name and renamed into place, so a
// failed build leaves nothing behind. Throws AppError.
void build(const QString& path, const QStringList& sqlFiles, const QList<QPair<QString, QString>>& tsvTables);

// The three default databases, built from dataDir into targetDir.
// Without overwrite an existing grower or reference database is left as it
// is: it is user data. The language database holds only the program's texts
// and is made again when its sources are newer. Returns the files written.
QStringList buildDefaults(const QString& dataDir, const QString& targetDir, bool overwrite);

} // namespace DbBuilder
