#include "elementen.h"

const Element* ZoekElement(QStringView naam)
{
    for (const Element& e : kElementen)
        if (naam.compare(QLatin1String(e.naam), Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

const Element* ElementMetCode(qint16 code)
{
    if (code == 0)
        return nullptr;
    for (const Element& e : kElementen)
        if (e.code == code)
            return &e;
    return nullptr;
}
