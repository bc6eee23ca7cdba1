// The settings file as the program reads it: one parse per key, defaults
// written back only where they are not empty.
#include "appstate.h"
#include "ini/inifile.h"
#include "programsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void write(const char* section, const char* key, const QString& value)
    {
        QVERIFY(IniFile::write(ProgramSettings::filePath(), section, key, value));
    }
    QString stored(const char* section, const char* key) const
    {
        return IniFile::read(ProgramSettings::filePath(), section, key);
    }

private slots:
    void init()
    {
        resetAppState();
        appState().AppPath = m_dir.path() + "/";
        QFile::remove(ProgramSettings::filePath());
    }

    void defaultsOfAnEmptyFile()
    {
        QCOMPARE(ProgramSettings::languageID(), qint16(0));
        QCOMPARE(ProgramSettings::unitID(), qint16(0));
        QCOMPARE(ProgramSettings::mixoraWaardig(), false);
        QCOMPARE(ProgramSettings::mailType(), qint16(1));
        QCOMPARE(ProgramSettings::afwijkingBestelmarge(), qint16(10));
        QCOMPARE(ProgramSettings::smtpServerName(), QString());
        QCOMPARE(ProgramSettings::advisor(), QString());
        // Non-empty defaults are written back; empty ones leave no key behind.
        QCOMPARE(stored("Algemeen", "MailType"), QString("1"));
        QCOMPARE(stored("Algemeen", "MixoraWaardig"), QString("0"));
        QVERIFY(!IniFile::contains(ProgramSettings::filePath(), "Algemeen", "Advisor"));
    }

    void productLineModeIsOnOnlyForOne_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("on");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("1.2 reads as 1") << "1.2" << true;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("text") << "ja" << false;
        QTest::newRow("too large") << "99999" << false;
    }
    void productLineModeIsOnOnlyForOne()
    {
        QFETCH(QString, value);
        QFETCH(bool, on);
        write("Algemeen", "MixoraWaardig", value);
        QCOMPARE(ProgramSettings::mixoraWaardig(), on);
    }

    void orderMarginZeroOrTextCountsAsTen()
    {
        for (const char* value : {"0", "-5", "veel"}) {
            write("Algemeen", "AfwijkingBestelmarge", value);
            QCOMPARE(ProgramSettings::afwijkingBestelmarge(), qint16(10));
        }
        write("Algemeen", "AfwijkingBestelmarge", "25");
        QCOMPARE(ProgramSettings::afwijkingBestelmarge(), qint16(25));
    }

    void aLanguageThatIsNoNumberStopsTheStart()
    {
        write("language", "languageID", "Engels");
        QVERIFY_THROWS_EXCEPTION(AppError, ProgramSettings::languageID());
        write("Unit", "UnitID", "40000");
        QVERIFY_THROWS_EXCEPTION(AppError, ProgramSettings::unitID());
    }

    void settersKeepOtherLines()
    {
        write("Eigen", "Sleutel", "blijft");
        QVERIFY(ProgramSettings::setAdvisor("  J. de Vries "));
        QVERIFY(ProgramSettings::setMixoraWaardig(true));
        QCOMPARE(ProgramSettings::advisor(), QString("J. de Vries"));
        QVERIFY(ProgramSettings::mixoraWaardig());
        QCOMPARE(stored("Eigen", "Sleutel"), QString("blijft"));
    }
};

QTEST_MAIN(TestProgramSettings)
#include "test_programsettings.moc"
