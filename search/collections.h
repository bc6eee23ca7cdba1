#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

// The item records and collections of the search component. Clients reach
// them by member name: fields are properties, Add/Item/Remove are invokable,
// Count and NewEnum are properties. Items are kept in insertion order and
// addressed by their 1-based position; the collection owns its items.

class TColHead : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Naam MEMBER Naam)
    Q_PROPERTY(int Lengte READ lengte WRITE setLengte)
    Q_PROPERTY(int Sort MEMBER Sort)
    Q_PROPERTY(QString VeldNaam MEMBER VeldNaam)

public:
    using QObject::QObject;

    QString Naam;
    int Sort = 0; // 0 none, 1 ascending, 2 descending
    QString VeldNaam;

    int lengte() const { return m_lengte; }
    // The column width in characters, as the client gives it.
    void setLengte(int characters)
    {
        m_lengte = characters;
        m_characters = characters;
    }
    int characters() const { return m_characters; }
    // The window shows the width it computed from the characters; the
    // characters stay, so a second search on the same object starts from them.
    void setShownWidth(int twips) { m_lengte = twips; }

private:
    int m_lengte = 0;
    int m_characters = 0;
};

class TTekst : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Kode MEMBER Kode)
    Q_PROPERTY(QString Oms MEMBER Oms)

public:
    using QObject::QObject;
    int Kode = 0;
    QString Oms;
};

class TSelectieID : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ID MEMBER ID)

public:
    using QObject::QObject;
    int ID = 0;
};

// The members the three collections share.
class TabvinCollection : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QVariantList NewEnum READ NewEnum)

public:
    using QObject::QObject;

    int Count() const { return int(m_items.size()); }
    // vntIndexKey: the 1-based position. Outside 1..Count: AppError 9.
    Q_INVOKABLE QObject* Item(const QVariant& vntIndexKey) const;
    Q_INVOKABLE void Remove(const QVariant& vntIndexKey);
    // The items in order, for clients that walk the collection.
    QVariantList NewEnum() const;

protected:
    QVariant append(QObject* item);
    // The item at a 1-based position; outside 1..Count: AppError 9.
    QObject* at(int position) const;

private:
    // The position a key names, 0 when it names none.
    int position(const QVariant& vntIndexKey) const;
    QList<QObject*> m_items;
};

class THeaders : public TabvinCollection {
    Q_OBJECT
public:
    using TabvinCollection::TabvinCollection;
    // Text "caption;width[;A|D]". Returns this collection, or an empty value
    // when the text is empty (nothing is added). No ";" after a caption:
    // AppError 5; a text whose positions exceed 16 bits: AppError 6.
    Q_INVOKABLE QVariant Add(const QString& header);
    TColHead* header(int position) const { return static_cast<TColHead*>(at(position)); }
};

class TTekstRegels : public TabvinCollection {
    Q_OBJECT
public:
    using TabvinCollection::TabvinCollection;
    // An empty Oms adds nothing and returns an empty value.
    Q_INVOKABLE QVariant Add(int Kode, const QString& Oms);
    TTekst* tekst(int position) const { return static_cast<TTekst*>(at(position)); }
};

class TSelectieIDs : public TabvinCollection {
    Q_OBJECT
public:
    using TabvinCollection::TabvinCollection;
    // An ID of 0 adds nothing and returns an empty value.
    Q_INVOKABLE QVariant Add(int ID);
    int id(int position) const { return static_cast<TSelectieID*>(at(position))->ID; }
};
