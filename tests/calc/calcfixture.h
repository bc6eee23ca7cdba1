#pragma once

// Shared set-up of the calculation tests: the default databases opened as the
// program opens them, with the test's own rows added where a test needs them.

#include "appstate.h"
#include "defaultstate.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QTemporaryDir>
#include <QVariantMap>
#include <cmath>
#include <memory>

using P = ElementVector; // P::pK and the like: element positions

namespace CalcFixture {

using TestSupport::openDefaultState;

inline void insertRow(Database& db, const QString& table, const QVariantMap& values)
{
    QStringList columns, marks;
    QVariantList params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        columns << '"' + it.key() + '"';
        marks << "?";
        params << it.value();
    }
    db.execute("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")", params);
}

inline QVariantMap with(QVariantMap row, const QVariantMap& extra)
{
    row.insert(extra);
    return row;
}

using Waarden = std::initializer_list<std::pair<int, double>>;

inline ElementVector vector(Waarden waarden)
{
    ElementVector v;
    for (const auto& [p, x] : waarden)
        v[p] = float(x);
    return v;
}

// Hand-worked figures are written with six decimals.
inline bool near(float actual, double expected)
{
    return std::fabs(actual - expected) < 1e-4 * std::max(1.0, std::fabs(expected));
}

// What differs from the expected elements, "" when nothing does.
inline QString afwijkingen(const ElementVector& v, Waarden verwacht)
{
    QString tekst;
    for (const auto& [p, x] : verwacht)
        if (!near(v[p], x))
            tekst += QString(" [position %1: %2, expected %3]").arg(p).arg(double(v[p]), 0, 'g', 9).arg(x);
    return tekst;
}

} // namespace CalcFixture

#define QCOMPARE_NEAR(actual, expected)                                                                                \
    QVERIFY2(CalcFixture::near((actual), (expected)),                                                                  \
             qPrintable(QString("%1 is %2, expected %3").arg(#actual).arg(double(actual), 0, 'g', 9).arg(expected)))

#define QCOMPARE_ELEMENTS(vector, ...)                                                                                 \
    QVERIFY2(CalcFixture::afwijkingen((vector), __VA_ARGS__).isEmpty(),                                                \
             qPrintable(CalcFixture::afwijkingen((vector), __VA_ARGS__)))
