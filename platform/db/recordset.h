#pragma once

#include "apperror.h"
#include "fieldtype.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class Database;

// A record set as the windows use it: the rows of one query held in memory,
// a current position with EOF and BOF, fields by name (without regard to
// case) or by position, Null as an invalid QVariant. Record sets opened with
// Database::openTable can also edit, add and delete rows.
class RecordSet {
public:
    RecordSet();
    ~RecordSet();
    RecordSet(RecordSet&&) noexcept;
    RecordSet& operator=(RecordSet&&) noexcept;

    bool isOpen() const;
    void close();
    bool isUpdatable() const;

    int recordCount() const;
    bool eof() const;
    bool bof() const;

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void move(int row); // to row index 0..count-1

    // Moves to the first row (from the top) for which the predicate holds;
    // noMatch() tells whether none did. The position stays when none matched.
    bool findFirst(const std::function<bool(const RecordSet&)>& predicate);
    // Same, for "field = value" (text compared without regard to case).
    bool findFirst(const QString& field, const QVariant& value);
    bool noMatch() const;

    int fieldCount() const;
    QString fieldName(int index) const;
    FieldType fieldType(int index) const;
    // Table and column a field was read from; "" for a calculated field.
    QString fieldSourceTable(int index) const;
    QString fieldSourceField(int index) const;
    int fieldIndex(const QString& name) const; // -1 when absent
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    // Field of the current row. Unknown field: ItemNotFound. No current row: NoCurrentRecord.
    QVariant value(const QString& name) const;
    QVariant value(int index) const;
    QVariant operator[](const QString& name) const { return value(name); }

    // Editing (only for record sets opened on a table).
    void edit();
    void addNew();
    void setValue(const QString& name, const QVariant& value);
    void setValue(int index, const QVariant& value);
    void update(); // writes the edited or new row; a new row becomes the current row
    void cancelUpdate();
    void deleteRecord();

    struct Data;

private:
    friend class Database;
    std::unique_ptr<Data> d;

    void requireOpen(const char* op) const;
    void requireCurrent() const;
    int requireField(const QString& name) const;
};
