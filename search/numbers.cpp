#include "numbers.h"

#include "db/apperror.h"

#include <cmath>
#include <limits>

namespace Numbers {

double leadingNumber(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
        return i > from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool any = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any)
        return 0;
    qsizetype end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digits())
            end = i;
    }
    QString number = s.left(end);
    number.replace('d', 'e').replace('D', 'e');
    return number.toDouble();
}

namespace {

template <typename T> T rounded(double value)
{
    const double r = std::nearbyint(value); // the default rounding mode takes ties to even
    if (!(r >= std::numeric_limits<T>::min() && r <= std::numeric_limits<T>::max()))
        throw AppError(JetError::Overflow, "Tabvin", "Overflow");
    return T(r);
}

} // namespace

qint16 toInt16(double value)
{
    return rounded<qint16>(value);
}
qint32 toInt32(double value)
{
    return rounded<qint32>(value);
}

} // namespace Numbers
