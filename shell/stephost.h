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
    // Work that lets window events through while it waits (the order's mail)
    // runs alone: meanwhile the menu and the steps take no input, and a close
    // of the main window is held until the work has ended. Calls nest; use
    // ExclusiveWork.
    virtual void beginExclusiveWork() {}
    virtual void endExclusiveWork() {}
};

// Holds the host's exclusive work for its own lifetime.
class ExclusiveWork {
public:
    explicit ExclusiveWork(StepHost* host) : m_host(host)
    {
        if (m_host)
            m_host->beginExclusiveWork();
    }
    ~ExclusiveWork()
    {
        if (m_host)
            m_host->endExclusiveWork();
    }
    ExclusiveWork(const ExclusiveWork&) = delete;
    ExclusiveWork& operator=(const ExclusiveWork&) = delete;

private:
    StepHost* m_host;
};

// The main window as step host; null before it exists.
StepHost* CurrentStepHost();
