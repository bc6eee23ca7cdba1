// How the program ends: a failed start, and a stop signal at any moment,
// also while a message waits for an answer. The real program runs as a child
// process on the offscreen platform, in a folder of the test's own.
#include "testdatabases.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

class Program {
public:
    explicit Program(const QString& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", home + "/config"); // the registry store
        env.insert("XDG_RUNTIME_DIR", home);
        m_process.setProcessEnvironment(env);
        m_process.setReadChannel(QProcess::StandardError);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool start(const QStringList& arguments)
    {
        m_process.start(ZELVORA_PROGRAM, arguments);
        return m_process.waitForStarted();
    }
    // Waits until the program has written the text to standard error.
    bool waitForError(const QString& text)
    {
        while (!m_errors.contains(text)) {
            if (!m_process.waitForReadyRead(20000))
                return false;
            m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        }
        return true;
    }
    void signal(int number) { ::kill(pid_t(m_process.processId()), number); }
    // True when the program ended by itself, not by a crash.
    bool endsNormally() { return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit; }
    int exitCode() const { return m_process.exitCode(); }
    QString errors() { return m_errors + QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QString m_errors;
};

QByteArray bytesOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProgramExit : public QObject {
    Q_OBJECT

private slots:
    void aStopSignalAnswersTheWaitingStartUpMessage_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void aStopSignalAnswersTheWaitingStartUpMessage()
    {
        QFETCH(int, signal);
        // No language database in the folder: the start-up message waits.
        QTemporaryDir dir;
        Program program(dir.path());
        QVERIFY(program.start({"/Path=" + dir.path(), "/nosplash=yes"}));
        QVERIFY(program.waitForError("PlomLang.mdb"));
        program.signal(signal);
        QVERIFY2(program.endsNormally(), qPrintable(program.errors()));
        QCOMPARE(program.exitCode(), 1);
    }

    void aFailedStartEndsWithStatusOneAndNoCrash()
    {
        QTemporaryDir dir;
        TestSupport::makeDefaultDatabases(dir.path());
        Program program(dir.path());
        QVERIFY(program.start({"/Path=" + dir.path(), "/nosplash=yes", "/GeenBestelling=99999"}));
        QVERIFY(program.waitForError("GeenBestelling"));
        program.signal(SIGTERM);
        QVERIFY2(program.endsNormally(), qPrintable(program.errors()));
        QCOMPARE(program.exitCode(), 1);
    }

    void aStopSignalClosesTheRunningProgramTheOrdinaryWay()
    {
        QTemporaryDir dir;
        TestSupport::makeDefaultDatabases(dir.path());
        const QString lang = dir.filePath("PlomLang.mdb");
        // A language database the program may not write (root is not held
        // back by the mode; the bytes below are checked either way).
        QFile::setPermissions(lang, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray texts = bytesOf(lang);
        const QDateTime modified = QFileInfo(lang).lastModified();

        Program program(dir.path());
        // The question whether to choose a grower database waits on screen.
        QVERIFY(program.start({"/Path=" + dir.path(), "/nosplash=yes", "/KiesTuinder=true"}));
        // The main window has opened the reference database (its log mode is
        // in the file's header) and goes on to ask.
        QTRY_VERIFY2_WITH_TIMEOUT(bytesOf(dir.filePath("ZelvoraH.mdb")).mid(18, 2) == QByteArray("\x02\x02"),
                                  qPrintable(program.errors()), 20000);
        QTest::qWait(300);
        program.signal(SIGTERM);
        QVERIFY2(program.endsNormally(), qPrintable(program.errors()));
        QCOMPARE(program.exitCode(), 0);

        // The databases were closed: their logs are folded back and gone.
        for (const char* file : {"ZelvoraH.mdb", "ZelvoraT.mdb"}) {
            QVERIFY2(!QFile::exists(dir.filePath(file) + QString("-wal")), file);
            QVERIFY2(!QFile::exists(dir.filePath(file) + QString("-shm")), file);
        }
        // The language database was only read.
        QCOMPARE(bytesOf(lang), texts);
        QCOMPARE(QFileInfo(lang).lastModified(), modified);
        QVERIFY(!QFile::exists(lang + "-wal") && !QFile::exists(lang + "-shm"));
        QVERIFY2(!program.errors().contains("readonly"), qPrintable(program.errors()));
    }
};

QTEST_MAIN(TestProgramExit)
#include "test_programexit.moc"
