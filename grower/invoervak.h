#pragma once

#include "db/apperror.h"
#include "general.h"

#include <QObject>
#include <functional>

class QLineEdit;

// Takes the selection from a box that loses the focus to another window; it
// is selected again when the focus comes back.
void HideSelection(QLineEdit* box, Qt::FocusReason reason);

// What the value boxes of the water, trace-element and drain windows share:
// the whole text is selected when a box gets the focus, and the window hears
// when a box loses it (where it reads what the user typed).
class InvoerVakFocus : public QObject {
public:
    InvoerVakFocus(QObject* parent, std::function<void(QLineEdit*)> lostFocus);
    // Watches the box; its keys go through the numeric key filter as well.
    void watch(QLineEdit* box);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QLineEdit*)> m_lostFocus;
    QObject* m_keys;
};
