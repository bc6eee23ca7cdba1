#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QWidget;

// One running Zelvora per user: every instance listens on a local socket
// named per user; a second instance that finds it asks the first to come
// forward (and to take Enter when its splash window is showing).
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    static InstanceGuard& instance();

    // Starts listening unless another instance already does.
    void listen();
    // True when another instance answers on the socket.
    bool otherInstanceRunning() const;
    // Asks the other instance to come forward and waits until it has done so.
    bool activateOtherInstance() const;

    // What this instance does when another asks it to come forward.
    void setActivationHandler(std::function<void()> handler);
    void setServerName(const QString& name); // tests
    QString serverName() const { return m_name; }

private:
    InstanceGuard();
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_handler;
};

// Ends the program (after a beep, the fixed message and bringing the running
// instance forward) when another instance is running. Returns true then; the
// caller stops loading and the program quits as soon as its event loop runs.
bool CheckPrevInstance(QWidget* window);
