#include "invoervak.h"

#include "generalui.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

void HideSelection(QLineEdit* box, Qt::FocusReason reason)
{
    // A box keeps its selection when another window (a dialog, a message) takes
    // the focus, and would look selected beside the box that has it.
    if (reason == Qt::ActiveWindowFocusReason)
        box->deselect();
}

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
        // After the mouse press that gave the focus, which would place the cursor
        // instead; a box left before then keeps no selection.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
    } else if (event->type() == QEvent::FocusOut) {
        HideSelection(box, static_cast<QFocusEvent*>(event)->reason());
        RunUserAction([&] { m_lostFocus(box); });
    }
    return false;
}
