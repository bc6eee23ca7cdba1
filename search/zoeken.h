#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class frmTabel;
class THeaders;
class TSelectieIDs;
class TTekstRegels;

// The search component's class, created by the class name "Tabvin.Zoeken".
// Clients fill it by property name, call Show and read ID (and, with
// SelectieAktief 1, SelectieIDs) back.
class Zoeken : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseDirectory MEMBER m_databaseDirectory)
    Q_PROPERTY(QString DatabaseName MEMBER m_databaseName)
    Q_PROPERTY(QString Caption MEMBER m_caption)
    Q_PROPERTY(int ID MEMBER m_id)
    Q_PROPERTY(QString Query MEMBER m_query)
    Q_PROPERTY(QObject* Headers READ headers CONSTANT)
    Q_PROPERTY(int SelectieAktief MEMBER m_selectieAktief)
    Q_PROPERTY(QObject* TekstRegels READ tekstRegels CONSTANT)
    Q_PROPERTY(QObject* SelectieIDs READ selectieIDs CONSTANT)

public:
    explicit Zoeken(QObject* parent = nullptr);
    ~Zoeken() override;

    // Shows the search window modally over DatabaseDirectory + DatabaseName
    // (joined as they stand). True when the user accepted a row: ID then
    // holds its ID. Cancel, and a query without rows, set ID to 0; a window
    // closed from its frame, or a failure of Show itself, leaves ID as the
    // client set it. SelectieIDs keeps what the client put in unless a row
    // was accepted.
    Q_INVOKABLE bool Show();

    QObject* headers() const;
    QObject* tekstRegels() const;
    QObject* selectieIDs() const;

private:
    QString m_databaseDirectory;
    QString m_databaseName;
    QString m_caption;
    int m_id = 0;
    QString m_query;
    int m_selectieAktief = 0;
    THeaders* m_headers;
    TTekstRegels* m_tekstRegels;
    TSelectieIDs* m_selectieIDs;
    QPointer<frmTabel> m_window; // kept for the object's lifetime; a later Show reuses it
};
