#pragma once

#include "db/apperror.h"
#include "general.h"

#include <QObject>
#include <functional>

class QLineEdit;

// What the value boxes of the water, trace-element and drain windows share:
// the whole text is selected when a box gets the focus, and the window hears
// when a box loses it (where it reads what the user typed).
class InvoerVakFocus : public QObject
{
public:
    InvoerVakFocus(QObject* parent, std::function<void(QLineEdit*)> lostFocus);
    // Watches the box; its keys go through the numeric key filter as well.
    void watch(QLineEdit* box);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QLineEdit*)> m_lostFocus;
    QObject* m_keys;
};

// Runs a user action; a run-time error goes to the general error dialog
// instead of into the event loop.
template <typename F> void RunUserAction(F action)
{
    try {
        action();
    } catch (const AppError& e) {
        qint16 marker = 0;
        ErrorHandler(marker, e);
    }
}
