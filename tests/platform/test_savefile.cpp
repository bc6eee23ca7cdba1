// Whole-file writes on a disk too small for them: the old file stays.
#include "file/savefile.h"
#include "fulldisk.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestSaveFile : public QObject {
    Q_OBJECT

private slots:
    // The disk takes what fits of one large write and Qt only returns the
    // smaller count, without an error: the commit must refuse it all the same.
    void aWriteLargerThanTheSpaceLeftIsNotCommitted()
    {
        FullDisk disk; // not filled: the write itself runs out of space
        FULL_DISK_OR_SKIP(disk);
        const QString path = disk.path() + "R1.zv1";
        const QByteArray older = "########\r\n##\r\n";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(older) == older.size());
        }
        const QByteArray large(1 << 20, 'x');
        auto olderKept = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) && f.readAll() == older &&
                   QDir(disk.path()).entryList(QDir::Files | QDir::Hidden) == QStringList{"R1.zv1"};
        };

        SaveFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(large) < large.size());
        QVERIFY(!CommitSaveFile(file));
        QVERIFY(file.diskFull()); // told so, though Qt sets no error for it
        QVERIFY(olderKept());

        QVERIFY(!WriteWholeFile(path, large));
        QVERIFY(olderKept());
    }

    void ciRunIsAnyValueButEmptyFalseOrZero_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("ci");
        QTest::newRow("unset") << false << QByteArray() << false;
        QTest::newRow("empty") << true << QByteArray("") << false;
        QTest::newRow("false") << true << QByteArray("false") << false;
        QTest::newRow("0") << true << QByteArray("0") << false;
        QTest::newRow("true") << true << QByteArray("true") << true;
        QTest::newRow("1") << true << QByteArray("1") << true;
        QTest::newRow("yes") << true << QByteArray("yes") << true;
    }

    // A CI service that sets CI=1 has the test above fail without its full
    // disk, as CI=true has, instead of passing it over.
    void ciRunIsAnyValueButEmptyFalseOrZero()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, value);
        QFETCH(bool, ci);
        const bool wasSet = qEnvironmentVariableIsSet("CI");
        const QByteArray before = qgetenv("CI");
        const auto restore = qScopeGuard([&] { wasSet ? qputenv("CI", before) : qunsetenv("CI"); });
        if (set)
            qputenv("CI", value);
        else
            qunsetenv("CI");
        QCOMPARE(TestSupport::ciRun(), ci);
    }
};

QTEST_GUILESS_MAIN(TestSaveFile)
#include "test_savefile.moc"
