#pragma once

#include <QObject>

class QTimer;
class QWidget;

// The hover rule of the steps whose content can run under their button bar
// on a small screen: a mouse movement over the bar (or one of its buttons)
// brings the bar to the front and restarts a two-second timer, and each tick
// brings the content frame to the front of the rest of the step again; the
// bar stays in front of all, so that its buttons always take their clicks.
class HoverTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kInterval = 2000; // ms

    // The timer is a child of window under the name timerName (tmrEbb), so
    // that it goes with the window and can be found by that name.
    HoverTimer(QWidget* window, QWidget* bar, QWidget* content, const QString& timerName);

    QTimer* timer() const { return m_timer; }

    // What a movement over the bar does; the windows also run it once when
    // they become the active step.
    void barMoved();
    // What a tick does.
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_bar;
    QWidget* m_content;
    QTimer* m_timer;
};
