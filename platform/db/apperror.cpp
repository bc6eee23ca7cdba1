#include "apperror.h"

#include "processshared.h"

#include <QTextStream>

namespace {

std::string fullText(const QString& description, const QString& detail)
{
    return (detail.isEmpty() ? description : description + " [" + detail + "]").toStdString();
}

// One text per number, as the old engine had: what differs between two
// errors of one number (the statement, which table is missing) is detail.
struct EnglishText {
    int number;
    const char* text;
};
constexpr EnglishText kEnglish[] = {
    {JetError::ObjectNotSet, "%1: the record set is not open."},
    {JetError::GeneralSql, "The database could not carry out the operation."},
    {JetError::UpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit."},
    {JetError::NoCurrentRecord, "No current record."},
    {JetError::DuplicateKey, "The record would give a key field a value that is already there."},
    {JetError::FileNotFound, "Could not find file '%1'."},
    {JetError::DiskFull, "Not enough space on disk."},
    {JetError::ReadOnly, "Cannot update. Database or object is read-only."},
    {JetError::TooFewParameters, "A field the program asked for is not in the table."},
    {JetError::SyntaxError, "The program asked the database something it cannot read."},
    {JetError::TableNotFound, "The database engine cannot find the input table or query '%1'."},
    {JetError::RecordDeleted, "Record is deleted."},
    {JetError::Locked, "Could not update; currently locked by another user or program."},
    {JetError::ItemNotFound, "Item not found in this collection: '%1'."},
    {JetError::FieldRequired, "A field that must have a value is empty."},
    {JetError::UnrecognizedFormat, "Unrecognized database format '%1'."},
    {JetError::NumericFieldOverflow, "Numeric field overflow: %1 does not fit field '%2'."},
    {JetError::NotOpen, "The database is closed."},
    {JetError::ConversionError, "Data type conversion error: '%1' does not fit field '%2'."},
    {JetError::CannotRead, "The file '%1' could not be read."},
    {JetError::DiskFullOpening, "The disk that holds '%1' is full, so the file cannot be opened. Make room on the "
                                "disk and try again."},
    {JetError::ReadOnlyFolder,
     "'%1' is on read-only media or in a folder the program may not write to, so it cannot be opened."},
};

QString englishText(int number)
{
    for (const EnglishText& e : kEnglish)
        if (e.number == number)
            return QString::fromUtf8(e.text);
    return englishText(JetError::GeneralSql);
}

// Shared with the search library under a key that names this layout:
// a change here takes a new key (processshared.h).
struct Texts {
    DatabaseErrorTexts texts = nullptr;
};

Texts& texts()
{
    return processShared<Texts>("zelvora.databaseerrortexts/1");
}

// %1 to %9 in one pass, so that a value holding "%2" stays as it is; a
// number without a value stays as written.
QString withValues(const QString& text, const QStringList& values)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const int at = text[i + 1].digitValue() - 1;
            if (at < values.size()) {
                out += values[at];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

AppError::AppError(int number, QString source, QString description, QString detail)
    : AppError(number, std::move(source), description, description, std::move(detail))
{
}

AppError::AppError(int number, QString source, QString description, QString english, QString detail)
    : std::runtime_error(fullText(english, detail)), m_number(number), m_source(std::move(source)),
      m_description(std::move(description)), m_english(std::move(english)), m_detail(std::move(detail))
{
}

AppError AppError::database(int number, QString source, const QStringList& values, QString detail)
{
    const QString english = withValues(englishText(number), values);
    const DatabaseErrorTexts own = texts().texts;
    const QString text = own ? own(number) : QString();
    return AppError(number, std::move(source), text.isEmpty() ? english : withValues(text, values), english,
                    std::move(detail));
}

void SetDatabaseErrorTexts(DatabaseErrorTexts own)
{
    texts().texts = own;
}

QList<int> DatabaseErrorNumbers()
{
    QList<int> numbers;
    for (const EnglishText& e : kEnglish)
        numbers << e.number;
    return numbers;
}

void LogAppError(const AppError& error)
{
    QTextStream err(stderr);
    err << "Zelvora: error " << error.number() << " in " << error.source() << ": " << error.englishDescription();
    if (!error.detail().isEmpty())
        err << "\n  " << error.detail();
    err << Qt::endl;
}
