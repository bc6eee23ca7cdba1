#include "windows1252.h"

#include <QList>

namespace {

// Windows-1252 puts printable characters where Latin-1 has its C1 controls.
// Its five unassigned bytes (0 here) stand for those controls, as Windows
// reads them, so that a file read and written back keeps them.
constexpr char16_t k80_9F[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromByte(unsigned char b)
{
    if (b < 0x80 || b >= 0xA0 || k80_9F[b - 0x80] == 0)
        return b;
    return k80_9F[b - 0x80];
}

// The byte of the character, or -1 when the code page lacks it.
int toByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i) {
        if (k80_9F[i] == c || (k80_9F[i] == 0 && c == char32_t(0x80 + i)))
            return 0x80 + i;
    }
    return -1;
}

// Some keyboards, input methods and pasted file names give "ü" as "u" and a
// combining diaeresis: composed, it is the code page's one letter. Every
// character of the code page is composed already, so what it holds stays.
QList<uint> composed(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C).toUcs4();
}

} // namespace

namespace Windows1252 {

QString decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out += QChar(char16_t(fromByte(static_cast<unsigned char>(b))));
    return out;
}

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : composed(text)) {
        const int b = toByte(c);
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

QString missing(const QString& text)
{
    QList<char32_t> found;
    for (char32_t c : composed(text)) {
        if (toByte(c) < 0 && !found.contains(c))
            found << c;
    }
    return QString::fromUcs4(found.constData(), found.size());
}

} // namespace Windows1252
