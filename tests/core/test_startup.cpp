// Start-up: the command line, the settings file, the language database.
#include "appstate.h"
#include "registry/registry.h"
#include "startup.h"
#include "testdatabases.h"
#include "units.h"
#include "zelvorageneral.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_appDir; // AppPath given through /Path

    int startError(const QString& commandLine)
    {
        appState().CommandLine = commandLine;
        try {
            StartUp();
        } catch (const AppError& e) {
            return e.number();
        }
        return 0;
    }

    QString readIni() const
    {
        QFile f(m_appDir + "Zelvora.ini");
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Registry::setRootDirectory(m_dir.filePath("registry"));
        m_appDir = m_dir.filePath("kas") + "/";
        QDir().mkpath(m_appDir);
        TestSupport::makeDefaultDatabases(m_appDir);
    }

    void init()
    {
        resetAppState();
        TestSupport::scriptDialogs();
        QFile::remove(m_appDir + "Zelvora.ini");
    }

    void commandLineSwitches_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "/path=x"
                               << "Path"
                               << "x";
        QTest::newRow("blank before =") << "/Path =x"
                                        << "Path"
                                        << "x";
        QTest::newRow("blank after slash") << "/ Path=x"
                                           << "Path"
                                           << "";
        QTest::newRow("longer name") << "/Pathname=x"
                                     << "Path"
                                     << "";
        QTest::newRow("value trimmed") << "/nosplash=  yes   /Path=x"
                                       << "nosplash"
                                       << "yes";
        QTest::newRow("unix path") << "/Path=/home/a/kas /nosplash=yes"
                                   << "Path"
                                   << "/home/a/kas";
        QTest::newRow("after a unix path") << "/Path=/home/a/kas /nosplash=yes"
                                           << "nosplash"
                                           << "yes";
        QTest::newRow("no slash sets nothing") << "Path=/x"
                                               << "Path"
                                               << "";
        QTest::newRow("text before the first slash") << "Path=D:x /nosplash=yes"
                                                     << "Path"
                                                     << "D:x";
        QTest::newRow("absent") << "/nosplash=yes"
                                << "KiesTuinder"
                                << "";
        QTest::newRow("whole line") << " /a=1 /b=2"
                                    << ""
                                    << " /a=1 /b=2";
        QTest::newRow("first match wins") << "/GeenBestelling=2 /GeenBestelling=3"
                                          << "geenbestelling"
                                          << "2";
    }

    void commandLineSwitches()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(QString, value);
        appState().CommandLine = line;
        QCOMPARE(GetCommandArg(name), value);
    }

    void startUpWithoutSettingsFile()
    {
        appState().CommandLine = "/Path=" + m_dir.filePath("kas");
        QVERIFY(StartUp()); // the splash window comes first
        AppState& s = appState();
        QCOMPARE(s.AppPath, m_appDir); // one trailing separator added
        QCOMPARE(s.TDatabaseNaam, QString("ZelvoraT.mdb"));
        QCOMPARE(s.HDatabaseNaam, QString("ZelvoraH.mdb"));
        QCOMPARE(s.AppNaam, QString("Zelvora"));
        QCOMPARE(s.languageID, qint16(0));
        QCOMPARE(s.UnitID, qint16(0));
        QCOMPARE(s.KiesTuinder, qint16(0));
        QCOMPARE(s.GeenBestelling, qint16(0));
        QCOMPARE(s.HelpFile, m_appDir + "ZVz0.chm");
        QVERIFY(s.dbTaal && s.rsTaal.isOpen());
        // The defaults are written back.
        const QString ini = readIni();
        QVERIFY(ini.contains("[language]\nlanguageID=0"));
        QVERIFY(ini.contains("[Unit]\nUnitID=0"));
        QVERIFY(ini.contains("[Algemeen]\nMixoraWaardig=0"));
        // The registry keeps the program's own directory, not the /Path one.
        const auto reg = Registry::read(RegistryHive::CurrentUser, ProgramSettingsKey(), "appPath");
        QVERIFY(reg);
        QCOMPARE(reg->value.toString(), GetAppPath());
        QVERIFY(GetAppPath().endsWith('/'));
    }

    void startUpWithSettingsAndSwitches()
    {
        QFile f(m_appDir + "Zelvora.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[LANGUAGE]\nlanguageid = 1\n[unit]\nUnitID=3\n[Algemeen]\nMixoraWaardig=1\n");
        f.close();
        appState().CommandLine = "/Path=" + m_appDir + " /nosplash=yes /kiestuinder=true /GeenBestelling=2";
        QVERIFY(!StartUp());
        AppState& s = appState();
        QCOMPARE(s.AppPath, m_appDir);
        QCOMPARE(s.languageID, qint16(1));
        QCOMPARE(s.UnitID, qint16(3));
        QCOMPARE(s.KiesTuinder, qint16(1));
        QCOMPARE(s.GeenBestelling, qint16(2));
        QCOMPARE(s.HelpFile, m_appDir + "ZVm1.chm");
        QCOMPARE(GetLangStr(0), QString("English"));
    }

    void switchValuesThatSetNothing()
    {
        appState().CommandLine = "/Path=" + m_appDir + " /nosplash=Yes /KiesTuinder=1 /GeenBestelling=abc";
        QVERIFY(StartUp());
        QCOMPARE(appState().KiesTuinder, qint16(0));
        QCOMPARE(appState().GeenBestelling, qint16(0));
    }

    void startUpFailuresNameWhatFailed()
    {
        // No language database in that folder.
        QTemporaryDir empty;
        QCOMPARE(startError("/Path=" + empty.path()), JetError::FileNotFound);

        QFile f(m_appDir + "Zelvora.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[language]\nlanguageID=veel\n");
        f.close();
        try {
            appState().CommandLine = "/Path=" + m_appDir;
            StartUp();
            QFAIL("a language that is not a number must stop the start");
        } catch (const AppError& e) {
            QVERIFY(e.description().contains("languageID"));
        }
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[language]\nlanguageID=0\n");
        f.close();
        QCOMPARE(startError("/Path=" + m_appDir + " /GeenBestelling=40000"), JetError::Overflow);
    }

    void anUnknownUnitShowsMmol()
    {
        QFile f(m_appDir + "Zelvora.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Unit]\nUnitID=7\n");
        f.close();
        appState().CommandLine = "/Path=" + m_appDir;
        StartUp();
        QCOMPARE(appState().UnitID, qint16(0));
        QCOMPARE(IonToUnit(2.5f, "K"), 2.5f);    // the data shown as it is, not as 0
        QVERIFY(readIni().contains("UnitID=7")); // the file is not rewritten by reading it
    }

    void theLanguageDatabaseIsOnlyRead()
    {
        const QString lang = m_appDir + "PlomLang.mdb";
        const QByteArray before = [&] {
            QFile f(lang);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        const QDateTime modified = QFileInfo(lang).lastModified();
        appState().CommandLine = "/Path=" + m_appDir;
        StartUp();
        QVERIFY(appState().dbTaal->isReadOnly());
        QCOMPARE(GetLangStr(0), QString("Nederlands"));
        appState().languageID = 1;
        OpenRsLang();
        QCOMPARE(GetLangStr(0), QString("English"));
        QVERIFY(!QFile::exists(lang + "-wal") && !QFile::exists(lang + "-shm"));
        resetAppState();
        QFile f(lang);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(QFileInfo(lang).lastModified(), modified);
        QVERIFY(!QFile::exists(lang + "-wal") && !QFile::exists(lang + "-shm"));
    }

    void aLanguageDatabaseWithoutTextsStopsTheStart()
    {
        QTemporaryDir dir;
        QFile empty(dir.filePath("PlomLang.mdb"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(startError("/Path=" + dir.path()), JetError::UnrecognizedFormat);
        QCOMPARE(QFileInfo(dir.filePath("PlomLang.mdb")).size(), 0);
        QVERIFY(!appState().dbTaal);
    }

    void textsAndTheirFallback()
    {
        appState().CommandLine = "/Path=" + m_appDir;
        StartUp();
        QCOMPARE(GetLangStr(0), QString("Nederlands"));
        QCOMPARE(GetLangStr(999999999), QString("99:99:999:99"));
        QCOMPARE(FormatTextId(999000050), QString("99:90:000:50"));
        QCOMPARE(FormatTextId(10400200), QString("1:04:002:00"));
        // A language other than the open one has no column in the texts: its ID shows.
        QCOMPARE(GetLangStr(0, 1), QString(":::0"));

        // A language without a column: every text shows its ID.
        appState().languageID = 5;
        OpenRsLang();
        QVERIFY(!appState().rsTaal.isOpen());
        QCOMPARE(GetLangStr(999000050), QString("99:90:000:50"));
        appState().languageID = 1;
        OpenRsLang();
        QCOMPARE(GetLangStr(0), QString("English"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
