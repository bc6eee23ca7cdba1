#pragma once

#include "appstate.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// Data access shared by every window: the null-safe readers, the language
// texts, the grower's settings row, the first grower, crop and stage names,
// the copy of an own crop and of the fertiliser preference list into the
// reference database.

// Wanted types of NzValue.
namespace NzType {
enum : int { None = 0, Integer = 2, Long = 3, Single = 4, Double = 5 };
}

QString NzStr(const QVariant& value);
// 0 for Null, empty or non-numeric values, else the value, converted to the
// wanted type when one is given. A value outside the wanted type's range
// stays unconverted.
QVariant NzValue(const QVariant& value, int wantedType = NzType::None);
bool IsNumericValue(const QVariant& value);

// The text in the given language, or the ID formatted "##:##:###:##" when it
// is missing or empty (also when the language has no column).
QString GetLangStr(qint32 id, qint16 language);
inline QString GetLangStr(qint32 id)
{
    return GetLangStr(id, appState().languageID);
}
QString FormatTextId(qint32 id);
// Reopens the text record set for the current languageID; it stays closed
// when the language has no column.
void OpenRsLang();
// The names of the languages, in the order of their IDs: the language
// database's row 0. Empty when that database is not open or cannot be read.
QStringList LanguageNames();

// Settings modes.
namespace InstellingMode {
enum : int { Text = 0, Number = 1 };
}
// The settings row of the current grower and history set, created when missing.
RecordSet OpenTeeltInstelling();
void EnsureSettingRow(RecordSet& rs);
QVariant GetTeeltInstelling(const QString& column, int mode);
// Stores one setting; on failure tells the user and returns false.
bool PutTeeltInstelling(const QString& column, const QVariant& value, int mode);

qint32 GetFirstTuinderID();
QString GetTeeltNaam(qint16 code);
QString GetStadiumNaam(qint16 cropCode, qint16 stageCode);

// Refreshes the reference copy of own crop c (own code c - 1000). On failure
// the old copy stays, the user is told and the result is false. Codes up to
// 1000 (the standard crops) are refused. An own crop that is no longer in
// the grower database keeps its copy; without a copy that is a failure.
bool CopieGewasT2H(qint16 code);

// Which database: 0 the reference database, 1 the grower's.
void CheckMestPrefList(int which);
void CreateMestPrefList(int which);
// Replaces the reference copy of the preference list by the grower's rows
// (none when the grower database has no list: every fertiliser on). On
// failure the old copy stays and the result is false.
bool CopieMestPrefList();

// Asks 999000019 (save the changes?) when the flag is set: 6 Yes, 7 No.
qint16 AskSaveChanges(bool changed);

// The three databases. Each open throws AppError, and leaves the file as it
// was, when the file is missing, is no database, or lacks one of the tables
// that database must hold.
enum class WhichDatabase { Grower, Reference, Language };
const QStringList& RequiredTables(WhichDatabase which);

// Opens AppPath + "PlomLang.mdb" read-only as dbTaal (rsTaal is closed).
void OpenLanguageDb();
// Opens AppPath + HDatabaseNaam as dbH (closing the one open).
void OpenReferenceDb();
// Opens AppPath + TDatabaseNaam as dbT (closing the one open) and refreshes the
// reference copy of its preference list.
void OpenTuinderDb();
