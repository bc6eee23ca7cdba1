#include "searchtablemodel.h"

#include "db/apperror.h"
#include "db/recordset.h"
#include "numbers.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace {

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QString formatNumber(double value, int digits)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', digits);
}

QString formatValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString("dd-MM-yy");
    case QMetaType::Float:
        return formatNumber(v.toFloat(), 7);
    case QMetaType::Double:
        return formatNumber(v.toDouble(), 15);
    case QMetaType::Bool:
        return v.toBool() ? "True" : "False";
    default:
        return v.toString();
    }
}

} // namespace

void SearchTableModel::load(RecordSet& rs)
{
    beginResetModel();
    m_fields.clear();
    m_captions.clear();
    for (int i = 0; i < rs.fieldCount(); ++i) {
        m_fields.push_back({rs.fieldName(i), rs.fieldSourceTable(i), rs.fieldSourceField(i), rs.fieldType(i)});
        m_captions << rs.fieldName(i);
    }
    m_rows = rs.recordCount();
    m_cells.clear();
    m_cells.reserve(qsizetype(m_rows) * m_fields.size());
    for (int r = 0; r < m_rows; ++r) {
        rs.move(r);
        for (int i = 0; i < m_fields.size(); ++i)
            m_cells.push_back(rs.value(i));
    }
    m_order.resize(m_rows);
    std::iota(m_order.begin(), m_order.end(), 0);
    m_shownColumns = int(m_fields.size());
    m_markedColumn = 0;
    m_folded.assign(m_fields.size(), {});
    m_rank.assign(m_fields.size(), {});
    endResetModel();
}

void SearchTableModel::clear()
{
    RecordSet nothing;
    load(nothing);
}

void SearchTableModel::setShownColumns(int count)
{
    beginResetModel();
    m_shownColumns = std::clamp(count, 0, int(m_fields.size()));
    endResetModel();
}

void SearchTableModel::setCaption(int column, const QString& caption)
{
    if (column < 0 || column >= m_captions.size())
        return;
    m_captions[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void SearchTableModel::setMarkedColumn(int column)
{
    m_markedColumn = column;
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_shownColumns - 1));
}

int SearchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}
int SearchTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownColumns;
}

QVariant SearchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && isNumber(cell(m_order[index.row()], index.column())))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SearchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Row headers are plain record selectors.
    if (orientation == Qt::Vertical || section < 0 || section >= m_captions.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_captions[section];
    if (role == Qt::ForegroundRole && section == m_markedColumn && section > 0)
        return QColor(Qt::red);
    return {};
}

void SearchTableModel::requireField(int field) const
{
    if (field < 0 || field >= m_fields.size())
        throw AppError(JetError::ItemNotFound, "Tabvin", "Item not found in this collection.");
}

QString SearchTableModel::text(int row, int field) const
{
    requireField(field);
    return formatValue(cell(m_order[row], field));
}

double SearchTableModel::recordNumber(int row) const
{
    const QVariant& v = cell(m_order[row], 0);
    return isNumber(v) ? v.toDouble() : Numbers::leadingNumber(formatValue(v));
}

const std::vector<QString>& SearchTableModel::folded(int field) const
{
    std::vector<QString>& f = m_folded[field];
    if (f.empty() && m_rows > 0) {
        f.reserve(m_rows);
        for (int r = 0; r < m_rows; ++r)
            f.push_back(formatValue(cell(r, field)).toCaseFolded());
    }
    return f;
}

// Each row's place in the field's order, equal values sharing one: Null
// first, then numbers and dates, then text.
const std::vector<int>& SearchTableModel::rank(int field) const
{
    std::vector<int>& rank = m_rank[field];
    if (!rank.empty() || m_rows == 0)
        return rank;
    enum Kind { Null, Number, Text };
    std::vector<Kind> kind(m_rows);
    std::vector<double> number(m_rows);
    bool anyText = false;
    for (int r = 0; r < m_rows; ++r) {
        const QVariant& v = cell(r, field);
        if (!v.isValid()) {
            kind[r] = Null;
        } else if (v.typeId() == QMetaType::QDateTime) {
            kind[r] = Number;
            number[r] = double(v.toDateTime().toMSecsSinceEpoch());
        } else if (isNumber(v)) {
            kind[r] = Number;
            number[r] = v.toDouble();
        } else {
            kind[r] = Text;
            anyText = true;
        }
    }
    const std::vector<QString>* text = anyText ? &folded(field) : nullptr;
    auto less = [&](int a, int b) {
        if (kind[a] != kind[b])
            return kind[a] < kind[b];
        if (kind[a] == Number)
            return number[a] < number[b];
        if (kind[a] == Text)
            return (*text)[a] < (*text)[b];
        return false;
    };
    std::vector<int> rows(m_rows);
    std::iota(rows.begin(), rows.end(), 0);
    std::sort(rows.begin(), rows.end(), less);
    rank.resize(m_rows);
    int place = 0;
    rank[rows[0]] = 0;
    for (int i = 1; i < m_rows; ++i) {
        if (less(rows[i - 1], rows[i]))
            ++place;
        rank[rows[i]] = place;
    }
    return rank;
}

void SearchTableModel::sort(const QVector<SortKey>& keys)
{
    std::vector<const std::vector<int>*> ranks;
    for (const SortKey& k : keys)
        ranks.push_back(&rank(k.column));
    std::vector<int> order(m_rows);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const int ra = (*ranks[i])[a], rb = (*ranks[i])[b];
            if (ra != rb)
                return keys[i].descending ? ra > rb : ra < rb;
        }
        return false;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> placeOf(m_rows);
    for (int i = 0; i < m_rows; ++i)
        placeOf[order[i]] = i;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& idx : before)
        after << index(placeOf[m_order[idx.row()]], idx.column());
    m_order = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool SearchTableModel::matches(int dataRow, int field, const QString& foldedText, bool anywhere) const
{
    if (!cell(dataRow, field).isValid())
        return false;
    const QString& value = folded(field)[dataRow];
    return anywhere ? value.contains(foldedText) : value.startsWith(foldedText);
}

int SearchTableModel::find(int field, const QString& text, bool anywhere, int from, int step) const
{
    requireField(field);
    const QString needle = text.toCaseFolded();
    for (int i = from; i >= 0 && i < m_rows; i += step)
        if (matches(m_order[i], field, needle, anywhere))
            return i;
    return -1;
}

bool SearchTableModel::startsWith(int row, int field, const QString& text) const
{
    requireField(field);
    return matches(m_order[row], field, text.toCaseFolded(), false);
}

int SearchTableModel::findRecord(double id) const
{
    for (int i = 0; i < m_rows; ++i)
        if (recordNumber(i) == id)
            return i;
    return -1;
}

QVector<int> SearchTableModel::rowsOfRecords(const QVector<double>& ids) const
{
    QHash<double, int> rowOf;
    for (double id : ids)
        rowOf.insert(id, -1);
    for (int i = 0; i < m_rows; ++i) {
        auto it = rowOf.find(recordNumber(i));
        if (it != rowOf.end() && *it < 0)
            *it = i;
    }
    QVector<int> rows;
    for (double id : ids)
        if (rowOf.value(id) >= 0)
            rows << rowOf.value(id);
    return rows;
}
