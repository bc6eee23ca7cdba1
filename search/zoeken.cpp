#include "zoeken.h"

#include "collections.h"
#include "db/apperror.h"
#include "frmtabel.h"
#include "ui/dialogs.h"

#include <QApplication>

Zoeken::Zoeken(QObject* parent)
    : QObject(parent), m_headers(new THeaders(this)), m_tekstRegels(new TTekstRegels(this)),
      m_selectieIDs(new TSelectieIDs(this))
{
}

Zoeken::~Zoeken()
{
    delete m_window;
}

QObject* Zoeken::headers() const
{
    return m_headers;
}
QObject* Zoeken::tekstRegels() const
{
    return m_tekstRegels;
}
QObject* Zoeken::selectieIDs() const
{
    return m_selectieIDs;
}

bool Zoeken::Show()
{
    QString failure;
    try {
        if (!m_window)
            m_window = new frmTabel(QApplication::activeWindow());
        m_window->GridHeaders = m_headers;
        m_window->TekstRegels = m_tekstRegels;
        m_window->SelectieIDs = m_selectieIDs;
        m_window->TabelQry = m_query;
        m_window->TabelDb = m_databaseDirectory + m_databaseName;
        m_window->TabelID = m_id;
        m_window->TabelSelectieAktief = m_selectieAktief;
        m_window->setWindowTitle(m_caption);
        const bool accepted = m_window->showModal();
        m_id = m_window->TabelID;
        m_selectieAktief = m_window->TabelSelectieAktief;
        return accepted;
    } catch (const AppError& e) {
        failure = e.description();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    // ID keeps what the client set: another client of the component may read
    // it back. The result says that nothing was chosen.
    MessageBox::show("Er is een fout opgetreden " + failure, MsgBox::OkOnly);
    return false;
}
