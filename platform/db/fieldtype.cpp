#include "fieldtype.h"

#include "apperror.h"

#include <QDateTime>
#include <QLocale>
#include <cfloat>
#include <cmath>
#include <limits>

FieldType fieldTypeFromDeclared(const QString& declared)
{
    const QString t = declared.trimmed().toUpper();
    if (t.isEmpty())
        return FieldType::Unknown;
    if (t == "SMALLINT" || t == "SHORT" || t == "INTEGER16")
        return FieldType::Integer;
    if (t == "INTEGER" || t == "INT" || t == "LONG" || t == "COUNTER" || t == "BIGINT")
        return FieldType::Long;
    if (t == "SINGLE" || t == "REAL" || t == "FLOAT4")
        return FieldType::Single;
    if (t == "DOUBLE" || t == "FLOAT" || t == "FLOAT8" || t.startsWith("NUMERIC"))
        return FieldType::Double;
    if (t == "DATETIME" || t == "DATE")
        return FieldType::Date;
    if (t == "BOOLEAN" || t == "BOOL" || t == "BIT" || t == "YESNO")
        return FieldType::Boolean;
    if (t.startsWith("TEXT") || t.startsWith("VARCHAR") || t.startsWith("CHAR") || t == "MEMO")
        return FieldType::Text;
    return FieldType::Unknown;
}

namespace {

const QDateTime& dateBase()
{
    static const QDateTime base(QDate(1899, 12, 30), QTime(0, 0));
    return base;
}

// A number from a stored or typed value; false when it is not one.
bool toNumber(const QVariant& v, double& out)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        out = v.toBool() ? -1.0 : 0.0;
        return true;
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return false;
        bool ok = false;
        out = QLocale::c().toDouble(s, &ok);
        if (!ok)
            out = QLocale().toDouble(s, &ok);
        return ok;
    }
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        const QDateTime dt = v.toDateTime();
        out = dateBase().msecsTo(dt) / 86400000.0;
        return true;
    }
    default: {
        bool ok = false;
        out = v.toDouble(&ok);
        return ok;
    }
    }
}

QDateTime toDateTime(const QVariant& v, bool& ok)
{
    ok = true;
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        QDateTime dt = QDateTime::fromString(s, Qt::ISODate);
        if (!dt.isValid())
            dt = QDateTime::fromString(s, "yyyy-MM-dd HH:mm:ss");
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(s, Qt::ISODate);
            if (d.isValid())
                dt = QDateTime(d, QTime(0, 0));
        }
        if (dt.isValid())
            return dt;
    }
    double serial = 0;
    if (v.typeId() != QMetaType::QString && toNumber(v, serial) && std::isfinite(serial))
        return dateBase().addMSecs(qint64(std::llround(serial * 86400000.0)));
    ok = false;
    return {};
}

[[noreturn]] void conversionError(const QString& field, const QVariant& value)
{
    throw AppError::database(JetError::ConversionError, "DAO.Field", {value.toString(), field});
}

[[noreturn]] void overflow(const QString& field, const QVariant& value)
{
    throw AppError::database(JetError::NumericFieldOverflow, "DAO.Field", {value.toString(), field});
}

// Whole numbers are rounded half to even, as the Basic conversions do.
qint64 roundWhole(double d)
{
    return qint64(std::nearbyint(d));
}

} // namespace

QVariant fromStorage(const QVariant& stored, FieldType type)
{
    if (stored.isNull() || !stored.isValid())
        return {};
    double d = 0;
    switch (type) {
    case FieldType::Integer:
    case FieldType::Long:
        if (toNumber(stored, d) && std::isfinite(d))
            return QVariant(int(roundWhole(d)));
        return stored;
    case FieldType::Single:
        if (toNumber(stored, d))
            return QVariant(float(d));
        return stored;
    case FieldType::Double:
        if (toNumber(stored, d))
            return QVariant(d);
        return stored;
    case FieldType::Text:
        return QVariant(stored.toString());
    case FieldType::Boolean:
        if (toNumber(stored, d))
            return QVariant(d != 0);
        return stored;
    case FieldType::Date: {
        bool ok = false;
        const QDateTime dt = toDateTime(stored, ok);
        return ok ? QVariant(dt) : stored;
    }
    case FieldType::Unknown:
        break;
    }
    return stored;
}

QVariant toStorage(const QVariant& value, FieldType type, const QString& fieldName)
{
    if (value.isNull() || !value.isValid())
        return {};
    double d = 0;
    switch (type) {
    case FieldType::Integer:
    case FieldType::Long: {
        if (!toNumber(value, d))
            conversionError(fieldName, value);
        if (!std::isfinite(d))
            overflow(fieldName, value);
        const double r = std::nearbyint(d);
        const double lo = type == FieldType::Integer ? -32768.0 : double(std::numeric_limits<qint32>::min());
        const double hi = type == FieldType::Integer ? 32767.0 : double(std::numeric_limits<qint32>::max());
        if (r < lo || r > hi)
            overflow(fieldName, value);
        return QVariant(qint64(r));
    }
    case FieldType::Single:
        if (!toNumber(value, d))
            conversionError(fieldName, value);
        if (!std::isfinite(d) || std::fabs(d) > double(FLT_MAX))
            overflow(fieldName, value);
        // Stored as the double of the single, so that reading it back gives the same single.
        return QVariant(double(float(d)));
    case FieldType::Double:
        if (!toNumber(value, d))
            conversionError(fieldName, value);
        if (!std::isfinite(d))
            overflow(fieldName, value);
        return QVariant(d);
    case FieldType::Boolean:
        if (!toNumber(value, d))
            conversionError(fieldName, value);
        return QVariant(qint64(d != 0 ? 1 : 0));
    case FieldType::Date: {
        bool ok = false;
        const QDateTime dt = toDateTime(value, ok);
        if (!ok)
            conversionError(fieldName, value);
        return QVariant(dt.toString("yyyy-MM-dd HH:mm:ss"));
    }
    case FieldType::Text:
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().toString("yyyy-MM-dd HH:mm:ss"));
        return QVariant(value.toString());
    case FieldType::Unknown:
        break;
    }
    return value;
}
