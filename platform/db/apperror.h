#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A run-time error as the program reports it: a number, the place it came
// from and a plain description the user can read. What only helps whoever
// debugs (the SQL statement, the driver's own text) is kept apart as the
// detail, which goes to standard error and never into a dialog.
class AppError : public std::runtime_error {
public:
    AppError(int number, QString source, QString description, QString detail = {});

    // An error of the database layer. Its description is the one text its
    // number has, with the values put in for %1, %2, ...: in the user's
    // language when the program gives the texts (SetDatabaseErrorTexts),
    // else in English.
    static AppError database(int number, QString source, const QStringList& values = {}, QString detail = {});

    int number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }
    // The description in English, for standard error.
    const QString& englishDescription() const { return m_english; }
    const QString& detail() const { return m_detail; }

private:
    AppError(int number, QString source, QString description, QString english, QString detail);

    int m_number;
    QString m_source;
    QString m_description;
    QString m_english;
    QString m_detail;
};

// Writes the error with its detail to standard error, in English.
void LogAppError(const AppError& error);

// The user's text for a database error number, with the same %1, %2, ... as
// the English one; "" keeps the English text. The texts are shared with the
// search library, whose database errors then read the same.
using DatabaseErrorTexts = QString (*)(int number);
void SetDatabaseErrorTexts(DatabaseErrorTexts texts);

// The numbers the database layer reports (AppError::database).
QList<int> DatabaseErrorNumbers();

namespace JetError {
constexpr int Overflow = 6;      // numeric overflow in a conversion
constexpr int ObjectNotSet = 91; // object variable not set
constexpr int ControlArrayElementMissing = 340;
constexpr int GeneralSql = 3000; // any other engine error
constexpr int NoCurrentRecord = 3021;
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int DiskFull = 3026;
constexpr int ReadOnly = 3027;
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int TooFewParameters = 3061; // a column name the table does not have
constexpr int RecordDeleted = 3167;
constexpr int Locked = 3218;
constexpr int ItemNotFound = 3265;
constexpr int UpdateWithoutEdit = 3020;
constexpr int FieldRequired = 3314;
constexpr int UnrecognizedFormat = 3343;
constexpr int NumericFieldOverflow = 3349;
constexpr int ConversionError = 3421;
constexpr int NotOpen = 3420; // object invalid or no longer set
// A good database file that could not be opened, under Basic's numbers for
// these failures, each told with the file's name: a grower must know which
// file it is, and that it is not damaged.
constexpr int CannotRead = 57;      // no read access, or an I/O error
constexpr int DiskFullOpening = 61; // no room for the files SQLite keeps beside it
constexpr int ReadOnlyFolder = 70;  // read-only media, or a folder the program may not write to
} // namespace JetError
