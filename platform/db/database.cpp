#include "database.h"

#include "recordset.h"
#include "recordset_p.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <limits>
#include <sqlite3.h>

namespace {

std::atomic<int> g_connectionCounter{0};

// Another connection holds the file: SQLite waited out its busy time-out.
bool isLock(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// A write-ahead database is read with a shared-memory file beside it; in a
// folder the program may not write to (read-only media) that file cannot be
// made, and SQLite says it cannot open the database, good as it is.
bool isUnwritable(const QSqlError& error, const QFileInfo& file)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return (code == SQLITE_CANTOPEN || code == SQLITE_READONLY) &&
           !(file.isWritable() && QFileInfo(file.absolutePath()).isWritable());
}

bool isDamaged(int code)
{
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

// How the file's schema reads without the files SQLite keeps beside it: as
// immutable, SQLite makes nothing beside the file and writes nothing into it.
int schemaReadWithoutSideFiles(const QFileInfo& file)
{
    const QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded() + "?immutable=1";
    sqlite3* handle = nullptr;
    int code = sqlite3_open_v2(uri.constData(), &handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    return code & 0xff;
}

// Why a file could not be opened. Only a file that is no database, or a
// damaged one, is told as an unknown format: told so of a good file (one
// another program holds, one on a full disk), a grower might throw it away.
// A write-ahead database fails at its shared-memory file before SQLite reads
// a page of it, so whether the file itself is whole is asked once more
// without that file.
int openingFailure(const QSqlError& error, int systemError, const QFileInfo& file)
{
    if (isLock(error))
        return JetError::Locked;
    const int code = error.nativeErrorCode().toInt() & 0xff;
    const int withoutSideFiles = isDamaged(code) ? code : schemaReadWithoutSideFiles(file);
    if (isDamaged(withoutSideFiles))
        return JetError::UnrecognizedFormat;
    if (withoutSideFiles != SQLITE_OK)
        return JetError::CannotRead;
    if (code == SQLITE_FULL || systemError == ENOSPC)
        return JetError::DiskFullOpening;
    if (isUnwritable(error, file))
        return JetError::ReadOnlyFolder;
    return JetError::CannotRead;
}

// The operating system's error behind SQLite's last one on the connection.
int systemErrorOf(const QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return 0;
    sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
    return handle ? sqlite3_system_errno(handle) : 0;
}

} // namespace

void Database::raise(const QString& source, const QString& message, const QString& sql)
{
    // The user reads a plain text in the words of the old engine; the
    // driver's message and the statement are kept as the error's detail.
    const QString m = message.toLower();
    int number = JetError::GeneralSql;
    QStringList values;
    if (m.contains("no such table")) {
        number = JetError::TableNotFound;
        const int at = message.indexOf("no such table:", 0, Qt::CaseInsensitive);
        QString table = at >= 0 ? message.mid(at + 14).trimmed() : QString();
        values << table.section(' ', 0, 0);
    } else if (m.contains("no such column") || m.contains("has no column named")) {
        number = JetError::TooFewParameters;
    } else if (m.contains("unique constraint")) {
        number = JetError::DuplicateKey;
    } else if (m.contains("not null constraint")) {
        number = JetError::FieldRequired;
    } else if (m.contains("syntax error")) {
        number = JetError::SyntaxError;
    } else if (m.contains("readonly") || m.contains("read-only")) {
        number = JetError::ReadOnly;
    } else if (m.contains("disk full") || m.contains("disk is full")) {
        number = JetError::DiskFull;
    } else if (m.contains("database is locked") || m.contains("database is busy")) {
        number = JetError::Locked;
    }
    QString detail = message;
    if (!sql.isEmpty())
        detail += " (" + sql + ")";
    throw AppError::database(number, source, values, detail);
}

Database::Database(const QString& path, const QString& connect, const DatabaseOptions& options) : m_path(path)
{
    Q_UNUSED(connect); // the Jet password is not needed: SQLite files have none
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        throw AppError::database(JetError::FileNotFound, "DAO.Workspace", {path});

    // The counter's address keeps the names apart when this code is linked
    // into both the program and the search library.
    m_connectionName = QString("zelvora_db_%1_%2")
                           .arg(reinterpret_cast<quintptr>(&g_connectionCounter), 0, 16)
                           .arg(++g_connectionCounter);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(options.readOnly ? "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"
                                              : "QSQLITE_BUSY_TIMEOUT=3000");
        const auto refuse = [&](int number, const QString& detail) {
            if (db.isOpen())
                db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw AppError::database(number, "DAO.Workspace", {path}, detail);
        };
        if (!db.open())
            refuse(openingFailure(db.lastError(), 0, fi), "Cannot open it: " + db.lastError().text());
        // SQLite opens lazily; reading the schema tells whether it is a
        // database at all, and whether it is the one the caller expects. Both
        // are settled before anything is written, so a foreign file (or an
        // empty one) is left exactly as it was.
        QStringList tables;
        {
            QSqlQuery q(db);
            if (!q.exec("SELECT name FROM sqlite_master WHERE type IN ('table','view')")) {
                const QSqlError err = q.lastError();
                const int systemError = systemErrorOf(db);
                q = QSqlQuery();
                refuse(openingFailure(err, systemError, fi), path + ": " + err.text());
            }
            while (q.next())
                tables << q.value(0).toString();
        }
        for (const QString& required : options.requiredTables)
            if (!tables.contains(required, Qt::CaseInsensitive))
                refuse(JetError::UnrecognizedFormat, QString("It has no table '%1'.").arg(required));
    }
    m_alive = std::make_shared<bool>(true);
    m_readOnly = options.readOnly;
    if (m_readOnly)
        return; // a file only read keeps its journal mode and gets no log files beside it
    // Write-ahead logging: a commit needs no disk flush, and the log is folded
    // back into the file when the database closes. A read-only file keeps its mode.
    try {
        execute("PRAGMA journal_mode = WAL");
        execute("PRAGMA synchronous = NORMAL");
    } catch (const AppError&) {
    }
}

Database::~Database()
{
    close();
}

void Database::close()
{
    if (!m_alive)
        return;
    m_alive.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool Database::isOpen() const
{
    return bool(m_alive);
}

void Database::ensureOpen(const char* source) const
{
    if (!m_alive)
        throw AppError::database(JetError::NotOpen, source);
}

QSqlDatabase Database::connection() const
{
    ensureOpen("DAO.Database");
    return QSqlDatabase::database(m_connectionName, false);
}

QString Database::quoteName(const QString& name)
{
    QString n = name;
    n.replace('"', "\"\"");
    return '"' + n + '"';
}

namespace {

QVariant readColumn(sqlite3_stmt* stmt, int i, FieldType type)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt, i);
        switch (type) {
        case FieldType::Single:
            return QVariant(float(v));
        case FieldType::Double:
            return QVariant(double(v));
        case FieldType::Boolean:
            return QVariant(v != 0);
        case FieldType::Text:
            return QVariant(QString::number(v));
        case FieldType::Date:
            return fromStorage(QVariant(double(v)), type);
        default:
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return QVariant(int(v));
            return QVariant(v);
        }
    }
    case SQLITE_FLOAT: {
        const double v = sqlite3_column_double(stmt, i);
        if (type == FieldType::Single)
            return QVariant(float(v));
        if (type == FieldType::Unknown || type == FieldType::Double)
            return QVariant(v);
        return fromStorage(QVariant(v), type);
    }
    default: {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, i));
        const int bytes = sqlite3_column_bytes16(stmt, i);
        QString s = QString::fromUtf16(text, bytes / 2);
        if (type == FieldType::Text || type == FieldType::Unknown)
            return QVariant(std::move(s));
        return fromStorage(QVariant(std::move(s)), type);
    }
    }
}

void bindNative(sqlite3_stmt* stmt, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& p = params.at(i);
        const int at = i + 1;
        if (p.isNull() || !p.isValid()) {
            sqlite3_bind_null(stmt, at);
            continue;
        }
        switch (p.typeId()) {
        case QMetaType::Bool:
            sqlite3_bind_int64(stmt, at, p.toBool() ? 1 : 0);
            break;
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(stmt, at, p.toLongLong());
            break;
        case QMetaType::Float:
            sqlite3_bind_double(stmt, at, double(p.toFloat()));
            break;
        case QMetaType::Double:
            sqlite3_bind_double(stmt, at, p.toDouble());
            break;
        case QMetaType::QDateTime:
        case QMetaType::QDate: {
            const QString s = p.toDateTime().toString("yyyy-MM-dd HH:mm:ss");
            sqlite3_bind_text16(stmt, at, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString s = p.toString();
            sqlite3_bind_text16(stmt, at, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
            break;
        }
        }
    }
}

} // namespace

sqlite3* Database::nativeHandle() const
{
    const QVariant h = connection().driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw AppError::database(JetError::GeneralSql, "DAO.Database", {}, "The SQLite driver gives no handle.");
    return *static_cast<sqlite3* const*>(h.constData());
}

namespace {

// A prepared statement with its values bound, finalized when it goes.
class Statement {
public:
    Statement(sqlite3* handle, const QString& sql, const QVariantList& params) : m_handle(handle), m_sql(sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(handle, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
            fail();
        bindNative(m_stmt, params);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while there is a row to read.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }
    sqlite3_stmt* get() const { return m_stmt; }

private:
    [[noreturn]] void fail() { Database::raise("DAO.Database", QString::fromUtf8(sqlite3_errmsg(m_handle)), m_sql); }

    sqlite3* m_handle;
    QString m_sql;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace

int Database::execute(const QString& sql, const QVariantList& params)
{
    sqlite3* handle = nativeHandle();
    Statement statement(handle, sql, params);
    while (statement.step()) {
    }
    const QString head = sql.trimmed().left(8).toUpper();
    if (head.startsWith("CREATE") || head.startsWith("DROP") || head.startsWith("ALTER"))
        forgetSchema();
    return sqlite3_changes(handle);
}

// Reads every row of a query into the record set's memory. With a row-id
// column first (openTable) that column is kept apart for editing.
void Database::select(RecordSet::Data& d, const QString& sql, const QVariantList& params, bool rowIdFirst) const
{
    Statement statement(nativeHandle(), sql, params);
    sqlite3_stmt* stmt = statement.get();
    const int first = rowIdFirst ? 1 : 0;
    const int n = sqlite3_column_count(stmt) - first;
    d.names.reserve(n);
    d.types.reserve(n);
    for (int i = 0; i < n; ++i) {
        d.names << QString::fromUtf8(sqlite3_column_name(stmt, i + first));
        const char* decl = sqlite3_column_decltype(stmt, i + first);
        d.types << (decl ? fieldTypeFromDeclared(QString::fromUtf8(decl)) : FieldType::Unknown);
        d.sourceTables << QString::fromUtf8(sqlite3_column_table_name(stmt, i + first));
        d.sourceFields << QString::fromUtf8(sqlite3_column_origin_name(stmt, i + first));
    }
    while (statement.step()) {
        if (rowIdFirst)
            d.rowIds.push_back(sqlite3_column_int64(stmt, 0));
        for (int i = 0; i < n; ++i)
            d.cells.emplace_back(readColumn(stmt, i + first, d.types[i]));
        ++d.rowCount;
    }
    d.alive = m_alive;
    d.db = const_cast<Database*>(this);
    d.setPosition(0);
}

RecordSet Database::openRecordset(const QString& sql, const QVariantList& params) const
{
    RecordSet rs;
    select(*rs.d, sql, params, false);
    return rs;
}

RecordSet Database::openTable(const QString& table, const QString& where, const QVariantList& params,
                              const QString& orderBy)
{
    QString sql = "SELECT rowid AS zv__rowid, * FROM " + quoteName(table);
    if (!where.trimmed().isEmpty())
        sql += " WHERE " + where;
    if (!orderBy.trimmed().isEmpty())
        sql += " ORDER BY " + orderBy;
    RecordSet rs;
    rs.d->table = table;
    select(*rs.d, sql, params, true);
    return rs;
}

bool Database::tableExists(const QString& table) const
{
    return openRecordset("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE",
                         {table})
               .recordCount() > 0;
}

QStringList Database::tableNames() const
{
    QStringList out;
    RecordSet rs =
        openRecordset("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
    for (int i = 0; i < rs.recordCount(); ++i) {
        rs.move(i);
        out << rs.value(0).toString();
    }
    return out;
}

void Database::createTable(const QString& createSql)
{
    execute(createSql);
}

QVector<Database::Column> Database::columns(const QString& table) const
{
    const QString key = table.toLower();
    auto it = m_columnCache.constFind(key);
    if (it != m_columnCache.constEnd())
        return *it;
    QVector<Column> cols;
    RecordSet info = openRecordset("PRAGMA table_info(" + quoteName(table) + ")");
    for (int i = 0; i < info.recordCount(); ++i) {
        info.move(i);
        cols.push_back({info.value("name").toString(), fieldTypeFromDeclared(info.value("type").toString())});
    }
    if (!cols.isEmpty())
        m_columnCache.insert(key, cols);
    return cols;
}

QString Database::columnName(const QString& table, const QString& column) const
{
    for (const Column& c : columns(table))
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return c.name;
    return {};
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(nativeHandle());
}

void Database::beginSavepoint(const QString& name)
{
    execute("SAVEPOINT " + quoteName(name));
    ++m_transactionDepth;
}

void Database::releaseSavepoint(const QString& name)
{
    execute("RELEASE SAVEPOINT " + quoteName(name));
    if (--m_transactionDepth == 0 && !m_readOnly) {
        // A saved step goes into the file itself, so that a copy of the file
        // taken while the program runs holds it.
        try {
            execute("PRAGMA wal_checkpoint(PASSIVE)");
        } catch (const AppError&) {
            // The log is folded in at the next checkpoint or when the file closes.
        }
    }
}

void Database::rollbackSavepoint(const QString& name)
{
    --m_transactionDepth;
    execute("ROLLBACK TO SAVEPOINT " + quoteName(name));
    execute("RELEASE SAVEPOINT " + quoteName(name));
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_name = QString("zv_tx_%1").arg(++db.m_savepointCounter);
    m_db.beginSavepoint(m_name);
}

Transaction::~Transaction()
{
    if (m_done || !m_db.isOpen())
        return;
    try {
        m_db.rollbackSavepoint(m_name);
    } catch (const AppError&) {
        // Nothing more can be done from a destructor; the engine rolls back on close.
    }
    m_db.forgetSchema();
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_db.releaseSavepoint(m_name);
    m_done = true;
}
