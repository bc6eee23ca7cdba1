#pragma once

#include <QString>

class QMdiArea;
class QWidget;
class QTcpSocket;

// What the wizard and the step windows need of the main window: the area the
// steps are shown in and the menu band's tools. The main window implements it.
class StepHost {
public:
    virtual ~StepHost() = default;
    virtual QMdiArea* mdiArea() const = 0;
    // "ALL_ON" (any case) switches every tool on, another key only that one;
    // a key that names no tool throws AppError.
    virtual void setMenuTools(const QString& key) = 0;
    // The active step takes the menu for its own tool.
    virtual void menuForActiveWindow() = 0;
    // Closes the open step windows, the last opened first, each asking about
    // its unsaved work; keep stays open. False when one of them stays open.
    virtual bool closeStepWindows(const QWidget* keep = nullptr) = 0;
    // The connection the built-in SMTP client sends the order mail over; null when there is none.
    virtual QTcpSocket* mailSocket() const { return nullptr; }
};

// The main window as step host; null before it exists.
StepHost* CurrentStepHost();
