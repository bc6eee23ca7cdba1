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
    // A wizard step saves on forward and back; a window that only the menu
    // opens has no s_Save, and its forward and back buttons are off.
    enum class Kind { Wizard, MenuOnly };
    explicit StepWindow(QWidget* parent = nullptr, Kind kind = Kind::Wizard);

    Kind kind() const { return m_kind; }

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
    // closing the window unless the wizard kept it (a failed save, or the
    // fertiliser window turning its page).
    virtual void cmdControl_Click(int index);
    // Runs each time the window becomes the active step.
    virtual void Form_Activate() {}
    // Asked before the window closes; false keeps it open.
    virtual bool queryUnload() { return true; }

    // True while this step or the main window is minimised, when a step lays
    // out nothing. It is the step's frame in the main window that is
    // minimised, never the step itself.
    bool isShownMinimized() const;

    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    bool m_changed = false;

private:
    // Gives the keyboard to the step's first control when it has nowhere in the step to go.
    void TakeKeyboard();

    Kind m_kind;
};
