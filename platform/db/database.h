#pragma once

#include "apperror.h"
#include "fieldtype.h"
#include "recordset.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

struct sqlite3;

// How a database file is opened.
struct DatabaseOptions {
    // Opened for reading only: nothing is written, not even the journal mode.
    bool readOnly = false;
    // Tables the file must hold (names without regard to case).
    QStringList requiredTables;
};

// One open database file. Each instance owns a named Qt Sql connection.
// Values are bound as parameters; table and column names come from code only.
class Database {
public:
    struct Column {
        QString name;
        FieldType type = FieldType::Unknown;
    };

    // Opens an existing file. A password in the connect string (";pwd=...")
    // is accepted and ignored. A missing file, one that is not a database, or
    // one without the required tables throws AppError (FileNotFound,
    // UnrecognizedFormat) and is left untouched: SQLite would otherwise
    // create an empty file, or turn a foreign one into a log-mode database.
    // Only a file that is no database or is damaged is told as
    // UnrecognizedFormat. A file another program holds locked throws Locked;
    // a good one that cannot be opened for lack of write access to it or its
    // folder throws ReadOnlyFolder, for lack of room on its disk
    // DiskFullOpening, and any other failure CannotRead; each names the file.
    explicit Database(const QString& path, const QString& connect = {}, const DatabaseOptions& options = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void close();
    bool isOpen() const;
    bool isReadOnly() const { return m_readOnly; }
    const QString& path() const { return m_path; }

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});

    // Read-only snapshot of a query.
    RecordSet openRecordset(const QString& sql, const QVariantList& params = {}) const;

    // Editable record set over the rows of one table (all its columns).
    RecordSet openTable(const QString& table, const QString& where = {}, const QVariantList& params = {},
                        const QString& orderBy = {});

    bool tableExists(const QString& table) const;
    QStringList tableNames() const;
    void createTable(const QString& createSql);

    // Columns of a table in their declared order; empty when the table is missing.
    QVector<Column> columns(const QString& table) const;
    // The column's name as the table spells it, or "" when it has no such column.
    QString columnName(const QString& table, const QString& column) const;

    qint64 lastInsertRowId() const;
    QSqlDatabase connection() const;

    // Savepoints, so that guards nest. Prefer the Transaction guard.
    void beginSavepoint(const QString& name);
    void releaseSavepoint(const QString& name);
    void rollbackSavepoint(const QString& name);

    // A table or column name quoted for SQL.
    static QString quoteName(const QString& name);

    // Turns a Qt Sql error into the AppError the callers test for.
    [[noreturn]] static void raise(const QString& source, const QString& message, const QString& sql = {});

private:
    friend class RecordSet;
    sqlite3* nativeHandle() const;
    void select(RecordSet::Data& d, const QString& sql, const QVariantList& params, bool rowIdFirst) const;
    void ensureOpen(const char* source) const;
    void forgetSchema() const { m_columnCache.clear(); }

    QString m_path;
    QString m_connectionName;
    std::shared_ptr<bool> m_alive;
    int m_savepointCounter = 0;
    int m_transactionDepth = 0;
    bool m_readOnly = false;
    mutable QHash<QString, QVector<Column>> m_columnCache;

    friend class Transaction;
};

// Rolls back everything done through the database since it was created,
// unless commit() was called.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    QString m_name;
    bool m_done = false;
};
