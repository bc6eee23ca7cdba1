#pragma once

#include "recordset.h"

#include <QSet>

struct RecordSet::Data {
    std::weak_ptr<bool> alive; // the database is still open
    Database* db = nullptr;
    QString table; // empty: read-only snapshot
    QStringList names;
    QVector<FieldType> types;
    QStringList sourceTables; // per field: the table it was read from, "" for a calculated field
    QStringList sourceFields; // per field: the column it was read from, "" for a calculated field
    QVector<QVariant> cells;  // row after row, names.size() values each
    int rowCount = 0;
    QVector<qint64> rowIds; // per row, for editing
    int pos = -1;           // current row; -1 before the first, rows.size() after the last
    bool bof = true;
    bool eof = true;
    bool noMatch = false;
    bool currentDeleted = false;

    enum class Mode { None, Edit, AddNew } mode = Mode::None;
    QVector<QVariant> buffer; // values as shown while editing
    QVector<QVariant> stored; // the same values as they go into the file
    QVector<bool> dirty;

    int width() const { return int(names.size()); }
    const QVariant& cell(int row, int col) const { return cells[qsizetype(row) * width() + col]; }
    QVector<QVariant> row(int r) const { return cells.mid(qsizetype(r) * width(), width()); }
    void setRow(int r, const QVector<QVariant>& values)
    {
        for (int i = 0; i < width(); ++i)
            cells[qsizetype(r) * width() + i] = values[i];
    }
    void appendRow(const QVector<QVariant>& values)
    {
        cells += values;
        ++rowCount;
    }
    void removeRow(int r)
    {
        cells.remove(qsizetype(r) * width(), width());
        --rowCount;
    }

    void setPosition(int p)
    {
        const int n = rowCount;
        currentDeleted = false;
        if (n == 0) {
            pos = -1;
            bof = eof = true;
            return;
        }
        pos = p;
        bof = p < 0;
        eof = p >= n;
        if (pos < 0)
            pos = -1;
        if (pos > n)
            pos = n;
    }
};
