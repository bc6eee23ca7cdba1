#include "hovertimer.h"

#include "general.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

HoverTimer::HoverTimer(QWidget* window, QWidget* bar, QWidget* content, const QString& timerName)
    : QObject(window), m_bar(bar), m_content(content), m_timer(new QTimer(window))
{
    m_timer->setObjectName(timerName);
    m_timer->setInterval(kInterval);
    connectAction(m_timer, &QTimer::timeout, this, [this] { tick(); });
    // Movements without a pressed button count too.
    QList<QWidget*> watched{bar};
    watched += bar->findChildren<QWidget*>();
    for (QWidget* w : watched) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void HoverTimer::barMoved()
{
    m_bar->raise();
    m_timer->start(); // two seconds from the last movement
}

void HoverTimer::tick()
{
    // The content comes forward over the rest of the step, never over the
    // bar: its frame may run on under the bar, and would take the clicks
    // meant for the buttons.
    m_content->raise();
    m_bar->raise();
}

bool HoverTimer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        RunUserAction([this] { barMoved(); });
    return QObject::eventFilter(watched, event);
}
