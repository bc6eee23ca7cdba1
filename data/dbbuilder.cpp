#include "dbbuilder.h"

#include "db/apperror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace DbBuilder {

namespace {

QString readText(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(JetError::FileNotFound, "DbBuilder", QString("Cannot read '%1'.").arg(file));
    return QString::fromUtf8(f.readAll());
}

QString unescape(const QString& cell)
{
    QString out;
    out.reserve(cell.size());
    for (int i = 0; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (c == '\\' && i + 1 < cell.size()) {
            const QChar n = cell[i + 1];
            if (n == 'n') {
                out += '\n';
                ++i;
                continue;
            }
            if (n == 't') {
                out += '\t';
                ++i;
                continue;
            }
            if (n == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

void run(QSqlQuery& q, const QString& sql, const QString& where)
{
    if (!q.exec(sql))
        throw AppError(JetError::GeneralSql, "DbBuilder",
                       QString("%1: %2\n%3").arg(where, q.lastError().text(), sql.left(300)));
}

void importTsv(QSqlDatabase& db, const QString& table, const QString& file)
{
    const QStringList lines = readText(file).remove('\r').split('\n');
    if (lines.isEmpty())
        return;
    const QStringList columns = lines.first().split('\t');
    QStringList quotedCols, marks;
    for (const QString& c : columns) {
        quotedCols << '"' + c.trimmed() + '"';
        marks << "?";
    }
    QSqlQuery q(db);
    const QString sql =
        QString("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table, quotedCols.join(", "), marks.join(", "));
    if (!q.prepare(sql))
        throw AppError(JetError::GeneralSql, "DbBuilder", q.lastError().text() + "\n" + sql);
    for (int n = 1; n < lines.size(); ++n) {
        const QString& line = lines[n];
        if (line.trimmed().isEmpty())
            continue;
        const QStringList cells = line.split('\t');
        if (cells.size() != columns.size())
            throw AppError(JetError::GeneralSql, "DbBuilder",
                           QString("%1 line %2: %3 cells where %4 columns are named.")
                               .arg(file)
                               .arg(n + 1)
                               .arg(cells.size())
                               .arg(columns.size()));
        for (int i = 0; i < cells.size(); ++i)
            q.bindValue(i, cells[i].isEmpty() ? QVariant() : QVariant(unescape(cells[i])));
        if (!q.exec())
            throw AppError(JetError::GeneralSql, "DbBuilder",
                           QString("%1 line %2: %3").arg(file).arg(n + 1).arg(q.lastError().text()));
    }
}

std::atomic<int> g_counter{0};

} // namespace

QStringList splitStatements(const QString& sql)
{
    QStringList out;
    QString current;
    bool inString = false;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (inString) {
            current += c;
            if (c == quote)
                inString = false;
            continue;
        }
        if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            while (i < sql.size() && sql[i] != '\n')
                ++i;
            current += '\n';
            continue;
        }
        if (c == '\'' || c == '"') {
            inString = true;
            quote = c;
            current += c;
            continue;
        }
        if (c == ';') {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

void build(const QString& path, const QStringList& sqlFiles, const QList<QPair<QString, QString>>& tsvTables)
{
    const QString tmp = path + ".building";
    QFile::remove(tmp);
    const QString name = QString("zelvora_builder_%1").arg(++g_counter);
    bool ok = false;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(tmp);
        if (!db.open())
            throw AppError(JetError::GeneralSql, "DbBuilder", db.lastError().text());
        try {
            QSqlQuery q(db);
            run(q, "PRAGMA journal_mode = OFF", "setup");
            run(q, "BEGIN", "setup");
            for (const QString& file : sqlFiles)
                for (const QString& stmt : splitStatements(readText(file)))
                    run(q, stmt, QFileInfo(file).fileName());
            for (const auto& t : tsvTables)
                importTsv(db, t.first, t.second);
            run(q, "COMMIT", "setup");
            run(q, "PRAGMA journal_mode = DELETE", "setup");
            ok = true;
        } catch (const AppError& e) {
            error = e.description();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok) {
        QFile::remove(tmp);
        throw AppError(JetError::GeneralSql, "DbBuilder", QString("Building '%1' failed: %2").arg(path, error));
    }
    QFile::remove(path);
    if (!QFile::rename(tmp, path))
        throw AppError(JetError::GeneralSql, "DbBuilder", QString("Cannot write '%1'.").arg(path));
}

QStringList buildDefaults(const QString& dataDir, const QString& targetDir, bool overwrite)
{
    const QDir data(dataDir);
    QDir().mkpath(targetDir);
    const QDir target(targetDir);
    QStringList written;

    auto scripts = [&](const QString& schema, const QString& pattern) {
        QStringList files{data.filePath(schema)};
        for (const QString& f : data.entryList({pattern}, QDir::Files, QDir::Name))
            files << data.filePath(f);
        return files;
    };
    // A database older than its sources is made again only when it holds
    // nothing but the program's own data.
    auto outdated = [](const QString& path, const QStringList& sources) {
        const QDateTime made = QFileInfo(path).lastModified();
        for (const QString& source : sources)
            if (QFileInfo(source).lastModified() > made)
                return true;
        return false;
    };
    auto make = [&](const QString& file, const QStringList& sql, const QList<QPair<QString, QString>>& tsv,
                    bool programData) {
        const QString path = target.filePath(file);
        if (!overwrite && QFileInfo::exists(path)) {
            QStringList sources = sql;
            for (const auto& t : tsv)
                sources << t.second;
            if (!programData || !outdated(path, sources))
                return;
        }
        build(path, sql, tsv);
        written << path;
    };

    make("ZelvoraH.mdb", scripts("schema_reference.sql", "reference_*.sql"), {}, false);
    make("ZelvoraT.mdb", scripts("schema_grower.sql", "grower_*.sql"), {}, false);
    // The texts are the program's, not the user's: a changed texts.tsv reaches the program's directory.
    make("PlomLang.mdb", {data.filePath("schema_lang.sql")}, {{"Lang", data.filePath("texts.tsv")}}, true);
    return written;
}

} // namespace DbBuilder
