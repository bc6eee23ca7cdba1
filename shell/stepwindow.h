#pragma once

#include "controlarray.h"

#include <QFrame>
#include <QPushButton>
#include <QWidget>

// A step of the wizard, shown as a child window of the main window. Every
// step has the button frame fraControl with cmdControl 0 forward, 1 stop and
// 2 back in its lower right corner, switches the menu to its own tool while
// it is active and back to all tools when it closes.
class StepWindow : public QWidget {
    Q_OBJECT
public:
    explicit StepWindow(QWidget* parent = nullptr);

    // Key of the menu tool of this step ("mnu2").
    virtual QString menuToolKey() const = 0;
    // Stores the step; false when it could not (the wizard then stays on the step).
    virtual bool s_Save() { return true; }
    // Closes the window; its own close handling runs.
    virtual void s_Close();

    bool& changed() { return m_changed; }
    ControlArray<QPushButton> cmdControl{"cmdControl"};
    QFrame* fraControl = nullptr;

protected:
    // What the forward (0), stop (1) and back (2) buttons do: the wizard, then
    // closing the window unless the wizard kept it.
    virtual void cmdControl_Click(int index);
    // Asked before the window closes; false keeps it open.
    virtual bool queryUnload() { return true; }

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool m_changed = false;
};
