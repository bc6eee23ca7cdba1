#include "invoervak.h"

#include "generalui.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

InvoerVakFocus::InvoerVakFocus(QObject* parent, std::function<void(QLineEdit*)> lostFocus)
    : QObject(parent), m_lostFocus(std::move(lostFocus)), m_keys(new KeyAsciiFilter(this, 1))
{
}

void InvoerVakFocus::watch(QLineEdit* box)
{
    box->installEventFilter(m_keys);
    box->installEventFilter(this);
}

bool InvoerVakFocus::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    if (event->type() == QEvent::FocusIn && !box->isReadOnly()) {
        // After the mouse press that gave the focus, which would place the cursor instead.
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (event->type() == QEvent::FocusOut) {
        RunUserAction([&] { m_lostFocus(box); });
    }
    return false;
}
