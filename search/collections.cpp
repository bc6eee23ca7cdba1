#include "collections.h"

#include "db/apperror.h"
#include "numbers.h"

#include <cmath>

namespace {

constexpr int InvalidArgument = 5;
constexpr int SubscriptOutOfRange = 9;

} // namespace

int TabvinCollection::position(const QVariant& vntIndexKey) const
{
    // The items carry no keys, so a text never names one.
    bool numeric = false;
    const double p = vntIndexKey.typeId() == QMetaType::QString ? 0 : vntIndexKey.toDouble(&numeric);
    if (!numeric)
        throw AppError(InvalidArgument, "Tabvin", "Invalid procedure call or argument");
    const double r = std::nearbyint(p);
    return r >= 1 && r <= Count() ? int(r) : 0;
}

QObject* TabvinCollection::at(int position) const
{
    if (position < 1 || position > Count())
        throw AppError(SubscriptOutOfRange, "Tabvin", "Subscript out of range");
    return m_items.at(position - 1);
}

QObject* TabvinCollection::Item(const QVariant& vntIndexKey) const
{
    return at(position(vntIndexKey));
}

void TabvinCollection::Remove(const QVariant& vntIndexKey)
{
    const int p = position(vntIndexKey);
    delete at(p);
    m_items.removeAt(p - 1);
}

QVariantList TabvinCollection::NewEnum() const
{
    QVariantList items;
    items.reserve(m_items.size());
    for (QObject* item : m_items)
        items << QVariant::fromValue(item);
    return items;
}

QVariant TabvinCollection::append(QObject* item)
{
    item->setParent(this);
    m_items << item;
    return QVariant::fromValue<QObject*>(this);
}

QVariant THeaders::Add(const QString& header)
{
    if (header.isEmpty())
        return {};
    // Positions in a header text are 16-bit numbers, as the format was defined.
    const QString text = header + ";";
    const qsizetype n = text.indexOf(';'); // the caption's length
    const qsizetype next = n + 1 < text.size() ? text.indexOf(';', n + 1) : -1;
    const qsizetype w = next - n - 1; // the width part's length; negative without a second ";"
    if (n > 32767 || (w >= 0 && n + w + 3 > 32767))
        throw AppError(JetError::Overflow, "Tabvin", "Overflow");

    QString naam;
    int lengte = 0;
    int sort = 0;
    if (n > 0) {
        if (w < 0)
            throw AppError(InvalidArgument, "Tabvin", "Invalid procedure call or argument");
        naam = text.left(n);
        lengte = Numbers::toInt16(std::fabs(Numbers::leadingNumber(text.mid(n + 1, w))));
        const QString letter = text.mid(n + w + 2, 1).toUpper();
        sort = letter == "A" ? 1 : letter == "D" ? 2 : 0;
    }
    auto* item = new TColHead;
    item->Naam = naam;
    item->setLengte(lengte);
    item->Sort = sort;
    return append(item);
}

QVariant TTekstRegels::Add(int Kode, const QString& Oms)
{
    if (Oms.isEmpty())
        return {};
    auto* item = new TTekst;
    item->Kode = Kode;
    item->Oms = Oms;
    return append(item);
}

QVariant TSelectieIDs::Add(int ID)
{
    if (ID == 0)
        return {};
    auto* item = new TSelectieID;
    item->ID = ID;
    return append(item);
}
