// One running Zelvora per user: the second instance is refused and brings
// the first forward.
#include "instanceguard.h"
#include "testdatabases.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QThread>
#include <QWidget>
#include <QtTest>
#include <atomic>
#include <thread>

namespace {

// Another running instance, listening in a thread of its own.
class OtherInstance : public QThread {
public:
    explicit OtherInstance(QString name) : m_name(std::move(name)) {}
    std::atomic<int> activations{0};
    std::atomic<bool> ready{false};

protected:
    void run() override
    {
        QLocalServer server;
        QLocalServer::removeServer(m_name);
        server.listen(m_name);
        QObject::connect(&server, &QLocalServer::newConnection, [&] {
            QLocalSocket* s = server.nextPendingConnection();
            QObject::connect(s, &QLocalSocket::readyRead, [this, s] {
                if (s->readAll().contains("activate")) {
                    ++activations;
                    s->write("done\n");
                    s->flush();
                }
            });
        });
        ready = true;
        exec();
    }

private:
    QString m_name;
};

} // namespace

class TestInstanceGuard : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::scriptDialogs();
        QApplication::setApplicationName("Zelvora");
    }

    void secondInstanceIsRefused()
    {
        const QString name = QString("zelvora-test-%1").arg(QCoreApplication::applicationPid());
        OtherInstance other(name);
        other.start();
        auto stop = qScopeGuard([&] {
            other.quit();
            other.wait();
        });
        QTRY_VERIFY(other.ready);

        InstanceGuard::instance().setServerName(name);
        QWidget splash;
        splash.setWindowTitle("Zelvora");
        QVERIFY(CheckPrevInstance(&splash));
        QCOMPARE(Beep::count(), 1);
        QCOMPARE(MessageBox::last().text, QString("Het programma: Zelvora is al gestart!"));
        QCOMPARE(splash.windowTitle(), QString());
        QCOMPARE(other.activations.load(), 1);
    }

    void firstInstanceComesForward()
    {
        const QString name = QString("zelvora-first-%1").arg(QCoreApplication::applicationPid());
        InstanceGuard& guard = InstanceGuard::instance();
        guard.setServerName(name);
        int forward = 0;
        guard.setActivationHandler([&] { ++forward; });
        guard.listen();
        QVERIFY(!CheckPrevInstance(nullptr)); // this instance is the one running
        QVERIFY(MessageBox::shown().isEmpty());

        std::atomic<bool> answered{false};
        std::thread second([&] {
            QLocalSocket socket;
            socket.connectToServer(name);
            if (socket.waitForConnected(2000)) {
                socket.write("activate\n");
                socket.waitForBytesWritten(2000);
                answered = socket.waitForReadyRead(5000) && socket.readAll().contains("done");
            }
        });
        QTRY_VERIFY(answered);
        second.join();
        QCOMPARE(forward, 1);
    }
};

QTEST_MAIN(TestInstanceGuard)
#include "test_instanceguard.moc"
