#pragma once

#include "db/fieldtype.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

class RecordSet;

// The rows of the search query, held in memory and shown in the current
// order. Column 0 is the record ID; columns 1.. are the shown fields. Rows
// are addressed in the shown order; sorting keeps every persistent index
// (current row, selected rows) on its record. Text compares and matches
// without regard to case, as the database engine did.
class SearchTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Field {
        QString name;
        QString sourceTable;
        QString sourceField;
        FieldType type = FieldType::Unknown;
    };
    struct SortKey {
        int column = 0;
        bool descending = false;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Takes every row and field of the record set, in its order, unsorted.
    void load(RecordSet& rs);
    void clear();
    const QVector<Field>& fields() const { return m_fields; }

    // The columns of the view: fields 0 .. count-1, with their captions.
    void setShownColumns(int count);
    void setCaption(int column, const QString& caption);
    // The column whose header text shows in the sort colour; 0 marks none.
    void setMarkedColumn(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The value as the grid shows it: dates as "dd-mm-yy", Null as "". A
    // field the query does not have: AppError 3265.
    QString text(int row, int field) const;
    // Field 0 read as a number (a text such as "12A" gives 12).
    double recordNumber(int row) const;

    // Stable: rows equal on every key keep the query's order.
    void sort(const QVector<SortKey>& keys);

    // The first row from `from` on, stepping by `step` (1 or -1), whose field
    // starts with the text (or holds it anywhere); -1 when none does.
    int find(int field, const QString& text, bool anywhere, int from, int step) const;
    // Whether the row's field starts with the text, compared as find compares.
    bool startsWith(int row, int field, const QString& text) const;
    // The first row whose record number is the ID; -1 when none is.
    int findRecord(double id) const;
    // For each ID, the first row whose record number it is (IDs without a row are left out).
    QVector<int> rowsOfRecords(const QVector<double>& ids) const;

private:
    const QVariant& cell(int dataRow, int field) const { return m_cells[qsizetype(dataRow) * m_fields.size() + field]; }
    void requireField(int field) const;
    bool matches(int dataRow, int field, const QString& foldedText, bool anywhere) const;
    const std::vector<QString>& folded(int field) const;
    const std::vector<int>& rank(int field) const;

    QVector<Field> m_fields;
    QVector<QVariant> m_cells; // row after row
    int m_rows = 0;
    std::vector<int> m_order; // shown row -> row of the query
    int m_shownColumns = 0;
    QStringList m_captions;
    int m_markedColumn = 0;
    mutable std::vector<std::vector<QString>> m_folded; // per field, filled when first searched
    mutable std::vector<std::vector<int>> m_rank;       // per field, filled when first sorted
};
