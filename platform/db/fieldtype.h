#pragma once

#include <QString>
#include <QVariant>

// The column types of the databases, named after the types the program works
// with. The schema declares them as SMALLINT, INTEGER, SINGLE, DOUBLE, TEXT,
// DATETIME and BOOLEAN.
enum class FieldType { Unknown, Integer, Long, Single, Double, Text, Date, Boolean };

FieldType fieldTypeFromDeclared(const QString& declared);

// Value as read from the file, turned into the C++ type of the column
// (Integer/Long -> int, Single -> float, Double -> double, Text -> QString,
// Date -> QDateTime, Boolean -> bool). Null stays an invalid QVariant.
QVariant fromStorage(const QVariant& stored, FieldType type);

// Value to be written into a column of that type. Throws AppError
// (ConversionError, NumericFieldOverflow) when it does not fit, as Jet did.
QVariant toStorage(const QVariant& value, FieldType type, const QString& fieldName);
