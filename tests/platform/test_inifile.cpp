#include "codepagetext.h"
#include "fulldisk.h"
#include "ini/inifile.h"
#include "unreadablefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString p = m_dir.filePath(name);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return p;
    }

    QByteArray readFile(const QString& p)
    {
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void missingFileOrKeyGivesTheDefault()
    {
        const QString none = m_dir.filePath("none.ini");
        QCOMPARE(IniFile::read(none, "language", "languageID", "0"), QString("0"));
        QVERIFY(!QFile::exists(none));
        const QString p = writeFile("a.ini", "[language]\nlanguageID=1\n");
        QCOMPARE(IniFile::read(p, "Algemeen", "MailType", "1"), QString("1"));
        QCOMPARE(IniFile::read(p, "language", "other"), QString());
        QVERIFY(!IniFile::contains(p, "language", "other"));
    }

    void sectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed()
    {
        const QString p = writeFile("b.ini", "[Unit]\n  UnitID =  3  \n[Algemeen]\nMailtype=0\n");
        QCOMPARE(IniFile::read(p, "unit", "unitid"), QString("3"));
        QCOMPARE(IniFile::read(p, "ALGEMEEN", "MailType"), QString("0"));
        QVERIFY(IniFile::contains(p, "algemeen", "MAILTYPE"));
        // A key of another section is not found.
        QCOMPARE(IniFile::read(p, "Unit", "Mailtype", "x"), QString("x"));
    }

    void writingKeepsEveryOtherLine()
    {
        const QByteArray original = "; Zelvora settings\r\n[language]\r\nlanguageID=0\r\n\r\n[Unit]\r\n"
                                    "UnitID=2 ; mgr\r\n\r\n[Eigen]\r\nwaarde = met = teken\r\n";
        const QString p = writeFile("c.ini", original);
        QVERIFY(IniFile::write(p, "LANGUAGE", "LanguageID", " 1 "));
        QByteArray expected = original;
        expected.replace("languageID=0", "languageID=1");
        QCOMPARE(readFile(p), expected);
        QCOMPARE(IniFile::read(p, "Eigen", "waarde"), QString("met = teken"));

        // New key in an existing section goes after its last line, before the blank line.
        QVERIFY(IniFile::write(p, "unit", "Extra", "x"));
        QVERIFY(readFile(p).contains("UnitID=2 ; mgr\r\nExtra=x\r\n\r\n[Eigen]"));
        // New section at the end.
        QVERIFY(IniFile::write(p, "Algemeen", "Advisor", "J. de Vries"));
        QVERIFY(readFile(p).endsWith("waarde = met = teken\r\n\r\n[Algemeen]\r\nAdvisor=J. de Vries\r\n"));
        QCOMPARE(IniFile::read(p, "algemeen", "advisor"), QString("J. de Vries"));
    }

    void removingAKeyKeepsEveryOtherLine()
    {
        const QString p = writeFile("r.ini", "[A]\nx=1\nY=2\n\n[B]\nx=3\n");
        QVERIFY(IniFile::remove(p, "a", "X"));
        QCOMPARE(readFile(p), QByteArray("[A]\nY=2\n\n[B]\nx=3\n"));
        QVERIFY(IniFile::remove(p, "A", "missing"));
        QVERIFY(IniFile::remove(p, "Nosection", "x"));
        QCOMPARE(readFile(p), QByteArray("[A]\nY=2\n\n[B]\nx=3\n"));
    }

    void writingCreatesTheFile()
    {
        const QString p = m_dir.filePath("sub-new.ini");
        QVERIFY(IniFile::write(p, "Algemeen", "MixoraWaardig", "0"));
        QCOMPARE(readFile(p), QByteArray("[Algemeen]\nMixoraWaardig=0\n"));
        QVERIFY(!IniFile::write(m_dir.filePath("no/such/dir/x.ini"), "a", "b", "c"));
    }

    // The new content could not be written out: the old file stays whole.
    void aFullDiskKeepsTheOldFile()
    {
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        const QByteArray original = "[language]\nlanguageID=1\n[Algemeen]\nMailType=0\nSMTPservername=smtp.example\n";
        const QString p = disk.path() + "Zelvora.ini";
        {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(original);
        }
        QVERIFY(disk.fill());
        QVERIFY(!IniFile::write(p, "Algemeen", "Advisor", "J. de Vries"));
        QVERIFY(!IniFile::remove(p, "Algemeen", "MailType"));
        QCOMPARE(readFile(p), original);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "Zelvora.ini"}));
    }

    // A settings file that is there but cannot be read reads as missing; a
    // write would put its one key in place of every setting the file holds.
    void aFileThatCannotBeReadIsNotWrittenOver()
    {
        const QByteArray original = "[language]\nlanguageID=1\n[Algemeen]\nMailType=0\nSMTPservername=smtp.example\n";
        const QString p = writeFile("unreadable.ini", original);
        {
            UnreadableFile unreadable(p);
            QVERIFY2(unreadable.ok(), unreadable.whyNot());
            QCOMPARE(IniFile::read(p, "Algemeen", "MailType", "1"), QString("1"));
            QVERIFY(!IniFile::write(p, "Algemeen", "Advisor", "J. de Vries"));
            QVERIFY(!IniFile::remove(p, "Algemeen", "MailType"));
        }
        QCOMPARE(readFile(p), original);
    }

    // A file made on Windows is in its code page: read as such, and written
    // back in it; only a value that code page cannot hold makes it UTF-8.
    void windowsCodePageIsReadAndKept()
    {
        const QByteArray original = "[Algemeen]\r\nAdvisor=J\xF6rg M\xFCller\r\nMailType=1\r\n";
        const QString p = writeFile("w.ini", original);
        QCOMPARE(IniFile::read(p, "Algemeen", "Advisor"), QString("Jörg Müller"));
        QVERIFY(IniFile::write(p, "Algemeen", "SMTPservername", "smtp.café.example €"));
        QCOMPARE(readFile(p), original + "SMTPservername=smtp.caf\xE9.example \x80\r\n");
        // A letter given as its base and a combining mark is the code page's own.
        QVERIFY(IniFile::write(p, "Algemeen", "Kas", QString::fromUtf8("Bru\xCC\x88ggemann")));
        QVERIFY(readFile(p).endsWith("\r\nKas=Br\xFCggemann\r\n"));

        QVERIFY(IniFile::write(p, "Algemeen", "Kas", "Łódź"));
        QVERIFY(readFile(p).contains("Advisor=J\xC3\xB6rg"));
        QCOMPARE(IniFile::read(p, "Algemeen", "Advisor"), QString("Jörg Müller"));
        QCOMPARE(IniFile::read(p, "Algemeen", "SMTPservername"), QString("smtp.café.example €"));
        QCOMPARE(IniFile::read(p, "Algemeen", "Kas"), QString("Łódź"));
    }

    // Every byte a value of a Windows file can hold is read as its
    // character and kept as the same byte; every one but the controls, which
    // a write refuses, is written as it.
    void everyWindowsCodePageByteIsReadAndWrittenBack()
    {
        QByteArray bytes = TestSupport::allBytes();
        QString characters = TestSupport::windows1252Characters();
        bytes.remove(0x0A, 1); // a line end
        characters.remove(0x0A, 1);
        const QByteArray original = "[Algemeen]\r\nTekens=<" + bytes + ">\r\n";
        const QString p = writeFile("cp.ini", original);
        QCOMPARE(IniFile::read(p, "Algemeen", "Tekens"), "<" + characters + ">");
        QByteArray printableBytes;
        QString printable;
        for (qsizetype i = 0; i < characters.size(); ++i) {
            if (characters[i].category() != QChar::Other_Control) {
                printableBytes += bytes[i];
                printable += characters[i];
            }
        }
        QVERIFY(IniFile::write(p, "Algemeen", "Kopie", "<" + printable + ">"));
        QCOMPARE(readFile(p), original + "Kopie=<" + printableBytes + ">\r\n");
    }

    // A line break in a value, key or section would write keys and sections
    // of its own into the file (a pasted "AfwijkingBestelmarge=95").
    void aWriteOfMoreThanOneLineIsRefused_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString pasted = "smtp.example%1AfwijkingBestelmarge=95%1[Unit]%1UnitID=3";
        QTest::newRow("CR LF in a value") << "Algemeen"
                                          << "SMTPservername" << pasted.arg("\r\n");
        QTest::newRow("LF in a value") << "Algemeen"
                                       << "SMTPservername" << pasted.arg("\n");
        QTest::newRow("CR in a value") << "Algemeen"
                                       << "SMTPservername" << pasted.arg("\r");
        QTest::newRow("line separator") << "Algemeen"
                                        << "Advisor" << pasted.arg(QChar(0x2028));
        QTest::newRow("tab") << "Algemeen"
                             << "Advisor"
                             << "J.\tde Vries";
        QTest::newRow("NUL") << "Algemeen"
                             << "Advisor" << QString("J.") + QChar(0) + "de Vries";
        QTest::newRow("C1 control") << "Algemeen"
                                    << "Advisor" << QString("J.") + QChar(0x85) + "de Vries";
        QTest::newRow("in a key") << "Algemeen"
                                  << "Advisor\nMailType"
                                  << "0";
        QTest::newRow("in a section") << "Algemeen]\n[Unit"
                                      << "UnitID"
                                      << "3";
    }
    void aWriteOfMoreThanOneLineIsRefused()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray original = "[Unit]\r\nUnitID=2\r\n\r\n[Algemeen]\r\nSMTPservername=smtp.oud\r\n";
        const QString p = writeFile("lines.ini", original);
        QVERIFY(!IniFile::write(p, section, key, value));
        QCOMPARE(readFile(p), original);
        QVERIFY(!IniFile::write(m_dir.filePath("lines-new.ini"), section, key, value));
        QVERIFY(!QFile::exists(m_dir.filePath("lines-new.ini")));
    }

    void utf8Survives()
    {
        const QString p = m_dir.filePath("u.ini");
        QVERIFY(IniFile::write(p, "Algemeen", "Advisor", "Zoë Müller µg"));
        QCOMPARE(IniFile::read(p, "Algemeen", "Advisor"), QString("Zoë Müller µg"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
