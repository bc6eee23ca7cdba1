#include "units.h"

#include "appstate.h"
#include "elementen.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

float convert(float value, const QString& element, bool toDisplay)
{
    const qint16 unit = appState().UnitID;
    if (unit == 0)
        return value;
    // OH and EC stand in the catalogue without a valence or a mass: like an
    // unknown name, they have no display value.
    const Element* e = ZoekElement(element);
    if (!e || unit < 0 || unit > 3)
        return 0;
    if (unit == 1) {
        if (e->valentie == 0)
            return 0;
        return toDisplay ? value * e->valentie : value / e->valentie;
    }
    if (e->molmassa == 0)
        return 0;
    if (e->wholeMass) {
        const float m = float(e->molmassa);
        return toDisplay ? value * m : value / m;
    }
    return float(toDisplay ? double(value) * e->molmassa : double(value) / e->molmassa);
}

// The decimal digits of a value as the user would read it: a single with
// seven significant digits, a double with fifteen.
QString decimalText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Float)
        return QString::number(double(value.toFloat()), 'g', 7);
    return QString::number(value.toDouble(), 'g', 15);
}

// Rounds a plain decimal text ("-12.345" or "1.2e-05") to n decimals, halves away from zero.
QString roundDecimal(const QString& text, int decimals, bool& negative)
{
    QString s = text;
    negative = s.startsWith('-');
    if (negative)
        s.remove(0, 1);
    int exponent = 0;
    const qsizetype e = s.indexOf('e', 0, Qt::CaseInsensitive);
    if (e >= 0) {
        exponent = s.mid(e + 1).toInt();
        s.truncate(e);
    }
    qsizetype point = s.indexOf('.');
    QString digits = s;
    if (point < 0)
        point = s.size();
    else
        digits.remove(point, 1);
    point += exponent;
    // Now value = 0.digits × 10^point, written with the point after `point` digits.
    while (point < 0) {
        digits.prepend('0');
        ++point;
    }
    while (digits.size() < point + decimals + 1)
        digits.append('0');
    const bool roundUp = digits[point + decimals] >= '5';
    QString kept = digits.left(point + decimals);
    if (kept.isEmpty())
        kept = "0";
    if (roundUp) {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend('1');
            ++point;
        }
    }
    const qsizetype intLen = kept.size() - decimals;
    QString out = intLen > 0 ? kept.left(intLen) : QString("0");
    if (decimals > 0)
        out += '.' + kept.right(decimals);
    return out;
}

} // namespace

float IonFromUnit(float value, const QString& element)
{
    return convert(value, element, false);
}
float IonToUnit(float value, const QString& element)
{
    return convert(value, element, true);
}

QString GetUnitText(qint16 code)
{
    const int prefix = code / 100;
    const int reference = (code - 100 * prefix) / 10;
    const qint16 unit = appState().UnitID;
    static const char* bases[3][3] = {{"mol", "mmol", "µmol"}, {"eq", "meq", "µeq"}, {"gr", "mg", "µg"}};
    QString label;
    if (unit == 3 && prefix == 2) {
        label = "ppm"; // mg per litre
    } else if (unit == 3 && prefix == 3) {
        label = "ppb"; // µg per litre: "ppm" would be a thousand times off
    } else {
        // A weight unit other than mg/l says what the number is (grams or µg), not "ppm".
        const int u = unit == 3 ? 2 : unit;
        if (u >= 0 && u <= 2 && prefix >= 1 && prefix <= 3)
            label = QString::fromUtf8(bases[u][prefix - 1]);
        if (reference == 1)
            label += "/l";
        else if (reference == 2)
            label += "/kg";
    }
    return label;
}

QString FormatNumber(const QVariant& value, qint16 decimals)
{
    if (decimals < 0)
        return {};
    bool ok = false;
    value.toDouble(&ok);
    if (!ok || value.isNull())
        return value.toString();
    bool negative = false;
    const QString fixed = roundDecimal(decimalText(value), decimals, negative);
    const QLocale locale;
    const qsizetype point = fixed.indexOf('.');
    const QString whole = point < 0 ? fixed : fixed.left(point);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += locale.groupSeparator();
        grouped += whole[i];
    }
    if (point >= 0)
        grouped += locale.decimalPoint() + fixed.mid(point + 1);
    static const QRegularExpression nonZeroDigit("[1-9]"); // compiled once: the log formats hundreds of numbers
    const bool zero = !fixed.contains(nonZeroDigit);
    return (negative && !zero ? "-" : "") + grouped;
}

void ClearElementVector(ElementVector& v)
{
    for (int i = 0; i < ElementVector::FloatCount; ++i)
        v[i] = 0;
}

void ClearWaterRecord(WaterRecord& w)
{
    w.WaterSoort = " ";
    w.SC1 = w.SC2 = w.SC3 = w.SC4 = w.SC5 = w.SC6 = 0;
    w.Perc = w.RecircEC = w.MaxPerc = w.MaxRecircEC = 0;
    ClearElementVector(w.Elementen);
    w.Ph = 0;
}
