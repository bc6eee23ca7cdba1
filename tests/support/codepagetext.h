#pragma once

#include <QString>

namespace TestSupport {

// The 256 characters of the Windows code page, one per byte in byte order,
// written out here rather than taken from the program's table. 0x00-0x7F and
// 0xA0-0xFF are Latin-1; where Latin-1 has its C1 controls the code page
// prints other characters, and the five bytes it leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the control of the same number, as
// Windows reads them.
inline QString windows1252Characters()
{
    QString text;
    for (int b = 0; b < 0x80; ++b)
        text += QChar(b);
    text += QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    for (int b = 0xA0; b < 0x100; ++b)
        text += QChar(b);
    return text;
}

// The 256 bytes in order.
inline QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 0x100; ++b)
        bytes += char(b);
    return bytes;
}

} // namespace TestSupport
