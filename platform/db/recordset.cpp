#include "recordset.h"

#include "database.h"
#include "recordset_p.h"

#include <QDateTime>

namespace {

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    const bool aText = a.typeId() == QMetaType::QString;
    const bool bText = b.typeId() == QMetaType::QString;
    if (aText || bText) {
        if (aText && bText)
            return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
        bool ok1 = false, ok2 = false;
        const double x = a.toDouble(&ok1), y = b.toDouble(&ok2);
        if (ok1 && ok2)
            return x == y;
        return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
    }
    if (a.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDateTime)
        return a.toDateTime() == b.toDateTime();
    return a.toDouble() == b.toDouble();
}

[[noreturn]] void noSuchField(int index)
{
    throw AppError::database(JetError::ItemNotFound, "DAO.Fields", {QString::number(index)});
}

} // namespace

RecordSet::RecordSet() : d(std::make_unique<Data>()) {}
RecordSet::~RecordSet() = default;
RecordSet::RecordSet(RecordSet&&) noexcept = default;
RecordSet& RecordSet::operator=(RecordSet&&) noexcept = default;

bool RecordSet::isOpen() const
{
    return d && d->db != nullptr;
}

void RecordSet::close()
{
    if (d)
        d = std::make_unique<Data>();
}

bool RecordSet::isUpdatable() const
{
    return isOpen() && !d->table.isEmpty();
}

void RecordSet::requireOpen(const char* op) const
{
    if (!isOpen())
        throw AppError::database(JetError::ObjectNotSet, "DAO.Recordset", {op});
}

void RecordSet::requireCurrent() const
{
    requireOpen("Field");
    if (d->currentDeleted)
        throw AppError::database(JetError::RecordDeleted, "DAO.Recordset");
    if (d->pos < 0 || d->pos >= d->rowCount)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
}

int RecordSet::recordCount() const
{
    return isOpen() ? d->rowCount : 0;
}
bool RecordSet::eof() const
{
    return !isOpen() || d->eof;
}
bool RecordSet::bof() const
{
    return !isOpen() || d->bof;
}

void RecordSet::moveFirst()
{
    requireOpen("MoveFirst");
    if (d->rowCount == 0)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
    d->setPosition(0);
}

void RecordSet::moveLast()
{
    requireOpen("MoveLast");
    if (d->rowCount == 0)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
    d->setPosition(d->rowCount - 1);
}

void RecordSet::moveNext()
{
    requireOpen("MoveNext");
    if (d->eof)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
    // After a delete the following row already stands at the current index.
    d->setPosition(d->currentDeleted ? d->pos : d->pos + 1);
}

void RecordSet::movePrevious()
{
    requireOpen("MovePrevious");
    if (d->bof)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
    d->setPosition(d->pos - 1);
}

void RecordSet::move(int row)
{
    requireOpen("Move");
    if (row < 0 || row >= d->rowCount)
        throw AppError::database(JetError::NoCurrentRecord, "DAO.Recordset");
    d->setPosition(row);
}

bool RecordSet::findFirst(const std::function<bool(const RecordSet&)>& predicate)
{
    requireOpen("FindFirst");
    const int saved = d->pos;
    const bool savedDeleted = d->currentDeleted;
    for (int i = 0; i < d->rowCount; ++i) {
        d->setPosition(i);
        if (predicate(*this)) {
            d->noMatch = false;
            return true;
        }
    }
    d->setPosition(saved);
    d->currentDeleted = savedDeleted;
    d->noMatch = true;
    return false;
}

bool RecordSet::findFirst(const QString& field, const QVariant& value)
{
    const int idx = requireField(field);
    return findFirst([idx, &value](const RecordSet& rs) { return sameValue(rs.d->cell(rs.d->pos, idx), value); });
}

bool RecordSet::noMatch() const
{
    return isOpen() && d->noMatch;
}

int RecordSet::fieldCount() const
{
    return isOpen() ? d->names.size() : 0;
}

QString RecordSet::fieldName(int index) const
{
    if (!isOpen() || index < 0 || index >= d->names.size())
        noSuchField(index);
    return d->names[index];
}

FieldType RecordSet::fieldType(int index) const
{
    if (!isOpen() || index < 0 || index >= d->types.size())
        noSuchField(index);
    return d->types[index];
}

QString RecordSet::fieldSourceTable(int index) const
{
    if (!isOpen() || index < 0 || index >= d->sourceTables.size())
        noSuchField(index);
    return d->sourceTables[index];
}

QString RecordSet::fieldSourceField(int index) const
{
    if (!isOpen() || index < 0 || index >= d->sourceFields.size())
        noSuchField(index);
    return d->sourceFields[index];
}

int RecordSet::fieldIndex(const QString& name) const
{
    if (!isOpen())
        return -1;
    for (int i = 0; i < d->names.size(); ++i)
        if (d->names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int RecordSet::requireField(const QString& name) const
{
    requireOpen("Fields");
    const int idx = fieldIndex(name);
    if (idx < 0)
        throw AppError::database(JetError::ItemNotFound, "DAO.Fields", {name});
    return idx;
}

QVariant RecordSet::value(const QString& name) const
{
    return value(requireField(name));
}

QVariant RecordSet::value(int index) const
{
    requireOpen("Fields");
    if (index < 0 || index >= d->names.size())
        noSuchField(index);
    if (d->mode != Data::Mode::None)
        return d->buffer[index];
    requireCurrent();
    return d->cell(d->pos, index);
}

void RecordSet::edit()
{
    if (!isUpdatable())
        throw AppError::database(JetError::ReadOnly, "DAO.Recordset");
    requireCurrent();
    d->mode = Data::Mode::Edit;
    d->buffer = d->row(d->pos);
    d->stored = QVector<QVariant>(d->names.size());
    d->dirty = QVector<bool>(d->names.size(), false);
}

void RecordSet::addNew()
{
    if (!isUpdatable())
        throw AppError::database(JetError::ReadOnly, "DAO.Recordset");
    d->mode = Data::Mode::AddNew;
    d->buffer = QVector<QVariant>(d->names.size());
    d->stored = QVector<QVariant>(d->names.size());
    d->dirty = QVector<bool>(d->names.size(), false);
}

void RecordSet::setValue(const QString& name, const QVariant& value)
{
    setValue(requireField(name), value);
}

void RecordSet::setValue(int index, const QVariant& value)
{
    requireOpen("Field");
    if (index < 0 || index >= d->names.size())
        noSuchField(index);
    if (d->mode == Data::Mode::None)
        throw AppError::database(JetError::UpdateWithoutEdit, "DAO.Field");
    const QVariant stored = toStorage(value, d->types[index], d->names[index]);
    d->stored[index] = stored;
    d->buffer[index] = fromStorage(stored, d->types[index]);
    d->dirty[index] = true;
}

void RecordSet::cancelUpdate()
{
    if (!isOpen())
        return;
    d->mode = Data::Mode::None;
    d->buffer.clear();
    d->stored.clear();
    d->dirty.clear();
}

void RecordSet::update()
{
    requireOpen("Update");
    if (d->mode == Data::Mode::None)
        throw AppError::database(JetError::UpdateWithoutEdit, "DAO.Recordset");
    if (d->alive.expired())
        throw AppError::database(JetError::NotOpen, "DAO.Recordset");

    Database& db = *d->db;
    QStringList cols;
    QVariantList vals;
    for (int i = 0; i < d->names.size(); ++i)
        if (d->dirty[i]) {
            cols << Database::quoteName(d->names[i]);
            vals << d->stored[i];
        }

    const QString table = Database::quoteName(d->table);
    qint64 rowId = 0;
    if (d->mode == Data::Mode::Edit) {
        rowId = d->rowIds[d->pos];
        if (!cols.isEmpty())
            db.execute("UPDATE " + table + " SET " + cols.join(" = ?, ") + " = ? WHERE rowid = ?", vals << rowId);
    } else {
        db.execute(cols.isEmpty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                  : "INSERT INTO " + table + " (" + cols.join(", ") + ") VALUES (" +
                                        QStringList(cols.size(), "?").join(", ") + ")",
                   vals);
        rowId = db.lastInsertRowId();
    }

    // Read the row back: defaults and the new key come from the file.
    RecordSet stored = db.openRecordset("SELECT * FROM " + table + " WHERE rowid = ?", {rowId});
    QVector<QVariant> row = d->buffer;
    if (stored.recordCount() > 0)
        for (int i = 0; i < d->names.size(); ++i)
            row[i] = stored.value(d->names[i]);

    if (d->mode == Data::Mode::Edit) {
        d->setRow(d->pos, row);
    } else {
        d->appendRow(row);
        d->rowIds.push_back(rowId);
        d->setPosition(d->rowCount - 1);
    }
    cancelUpdate();
}

void RecordSet::deleteRecord()
{
    if (!isUpdatable())
        throw AppError::database(JetError::ReadOnly, "DAO.Recordset");
    requireCurrent();
    if (d->alive.expired())
        throw AppError::database(JetError::NotOpen, "DAO.Recordset");
    d->db->execute("DELETE FROM " + Database::quoteName(d->table) + " WHERE rowid = ?", {d->rowIds[d->pos]});
    d->removeRow(d->pos);
    d->rowIds.removeAt(d->pos);
    const int p = d->pos;
    d->setPosition(p);
    if (d->rowCount == 0) {
        d->bof = d->eof = true;
        d->pos = -1;
    } else {
        d->currentDeleted = true;
        d->eof = false;
    }
}
