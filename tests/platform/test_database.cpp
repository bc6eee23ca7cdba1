#include "db/database.h"
#include "db/recordset.h"
#include "fulldisk.h"
#include "testdatabases.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;

    QString path(const QString& f) const { return m_dir.filePath(f); }

    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool hasLogFiles(const QString& file)
    {
        return QFile::exists(file + "-wal") || QFile::exists(file + "-shm") || QFile::exists(file + "-journal");
    }

    int expectError(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const AppError& e) {
            return e.number();
        }
        return 0;
    }

    // The error number that opening the file gives a user without
    // privileges (nobody), for whom file modes hold as on a grower's machine:
    // the tests run as root, for whom they do not. 0 when the file opens.
    static int errorAsUserWithoutPrivileges(const QString& file)
    {
        int channel[2];
        if (::pipe(channel) != 0)
            return -1;
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            int number = -1;
            if (::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)) {
                number = 0;
                try {
                    Database db(file);
                } catch (const AppError& e) {
                    number = e.number();
                }
            }
            const bool told = ::write(channel[1], &number, sizeof number) == sizeof number;
            ::_exit(told ? 0 : 1);
        }
        ::close(channel[1]);
        int number = -1;
        if (child < 0 || ::read(channel[0], &number, sizeof number) != sizeof number)
            number = -1;
        ::close(channel[0]);
        if (child > 0)
            ::waitpid(child, nullptr, 0);
        return number;
    }

    // Whether others may pass every folder on the way to this one.
    static bool othersCanPass(const QString& path)
    {
        QString folder = QFileInfo(path).canonicalFilePath();
        if (folder.isEmpty())
            return false;
        for (;;) {
            struct stat st {};
            if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
                return false;
            if (folder == "/")
                return true;
            folder = QFileInfo(folder).path();
        }
    }

    // A folder for files that user must reach: the temporary folder, unless
    // it lies in a folder closed to others (TMPDIR in root's home), else /tmp
    // or /var/tmp; empty when none will do.
    static QString folderOthersCanReach()
    {
        for (const QString& base : {QDir::tempPath(), QString("/tmp"), QString("/var/tmp")})
            if (othersCanPass(base))
                return base;
        return {};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        TestSupport::makeDefaultDatabases(m_dir.path());
    }

    void init() { m_db = std::make_unique<Database>(path("ZelvoraT.mdb")); }
    void cleanup() { m_db.reset(); }

    void openingRefusesMissingAndForeignFiles()
    {
        QCOMPARE(expectError([&] { Database db(path("nothere.mdb")); }), JetError::FileNotFound);
        QVERIFY(!QFile::exists(path("nothere.mdb")));

        QFile junk(path("junk.mdb"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QCOMPARE(expectError([&] { Database db(path("junk.mdb")); }), JetError::UnrecognizedFormat);

        // A password in the connect string is accepted.
        Database h(path("ZelvoraH.mdb"), ";pwd=qzmwRV61");
        QVERIFY(h.isOpen());
        QVERIFY(h.tableExists("mest_meststof"));
    }

    void filesWithoutTheirTablesAreRefusedUntouched()
    {
        const DatabaseOptions grower{false, {"ALG_Tuinder", "WATER"}};
        QFile empty(path("leegT.mdb"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(expectError([&] { Database db(path("leegT.mdb"), {}, grower); }), JetError::UnrecognizedFormat);
        QCOMPARE(QFileInfo(path("leegT.mdb")).size(), 0);
        QVERIFY(!hasLogFiles(path("leegT.mdb")));

        // Another program's database, in its own journal mode.
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setDatabaseName(path("vreemdT.mdb"));
            QVERIFY(other.open());
            QSqlQuery(other).exec("CREATE TABLE ALG_Tuinder (ID INTEGER)");
            other.close();
        }
        QSqlDatabase::removeDatabase("other");
        const QByteArray before = bytesOf(path("vreemdT.mdb"));
        try {
            Database db(path("vreemdT.mdb"), {}, grower);
            QFAIL("a database without WATER was opened");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), JetError::UnrecognizedFormat);
            QVERIFY(e.detail().contains("'WATER'"));
        }
        QCOMPARE(bytesOf(path("vreemdT.mdb")), before);
        QVERIFY(!hasLogFiles(path("vreemdT.mdb")));

        Database ok(path("ZelvoraT.mdb"), {}, {false, {"alg_tuinder", "Water"}});
        QVERIFY(ok.isOpen());
    }

    void readOnlyFilesStayByteForByte()
    {
        QVERIFY(QFile::copy(path("PlomLang.mdb"), path("TaalRO.mdb")));
        const QByteArray before = bytesOf(path("TaalRO.mdb"));
        {
            Database db(path("TaalRO.mdb"), ";pwd=qzmwRV61", {true, {"Lang"}});
            QVERIFY(db.isReadOnly());
            QCOMPARE(db.openRecordset("SELECT Lang1 FROM Lang WHERE ID = 0").value(0).toString(), QString("English"));
            // Also where the file system would allow it (root ignores file modes).
            QCOMPARE(expectError([&] { db.execute("UPDATE Lang SET Lang0 = 'x' WHERE ID = 0"); }), JetError::ReadOnly);
            QVERIFY(!hasLogFiles(path("TaalRO.mdb")));
        }
        QCOMPARE(bytesOf(path("TaalRO.mdb")), before);
        QVERIFY(!hasLogFiles(path("TaalRO.mdb")));
    }

    // A good database on read-only media is not told as damaged: a grower
    // might throw a good file away.
    void aDatabaseInAFolderThatCannotBeWrittenIsToldAsReadOnly()
    {
        FullDisk media("1m");
        FULL_DISK_OR_SKIP(media);
        const QString file = media.path() + "ZelvoraH.mdb";
        QVERIFY(QFile::copy(path("ZelvoraH.mdb"), file));
        Database(file).close(); // in write-ahead mode from now on
        QVERIFY(media.makeReadOnly());
        const QByteArray before = bytesOf(file);
        try {
            Database db(file);
            QFAIL("a database on read-only media was opened");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), JetError::ReadOnlyFolder);
            QVERIFY(e.description().contains(file));
        }
        QCOMPARE(bytesOf(file), before);
    }

    // Where SQLite cannot make the files it keeps beside a write-ahead
    // database it fails before it reads a page: a damaged file must not pass
    // there for a good one that a grower would keep.
    void aDamagedDatabaseIsToldAsDamagedWhereNothingCanBeWrittenBesideIt()
    {
        for (const bool full : {true, false}) {
            FullDisk disk("1m");
            FULL_DISK_OR_SKIP(disk);
            const QString file = disk.path() + "ZelvoraT.mdb";
            QVERIFY(QFile::copy(path("ZelvoraT.mdb"), file));
            Database(file).close();
            {
                // The header still says write-ahead; the schema's page behind it is gone.
                QFile f(file);
                QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(100));
                QVERIFY(f.write(QByteArray(1000, '\xff')) == 1000);
            }
            QVERIFY(full ? disk.fill() : disk.makeReadOnly());
            const QByteArray before = bytesOf(file);
            QCOMPARE(expectError([&] { Database db(file); }), JetError::UnrecognizedFormat);
            QCOMPARE(bytesOf(file), before);
        }
    }

    void openingAsAUserWithoutPrivileges_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("number");
        QTest::newRow("a file the user may not read") << 0 << 0777 << JetError::CannotRead;
        // No room beside the file for the shared-memory file, though the file itself may be written.
        QTest::newRow("a folder the user may not write to") << 0666 << 0555 << JetError::ReadOnlyFolder;
    }

    // Whatever keeps a good database from opening, it is not told as damaged
    // and stays as it was.
    void openingAsAUserWithoutPrivileges()
    {
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(int, number);
        const QString reachable = folderOthersCanReach();
        QVERIFY2(!reachable.isEmpty(), "no temporary folder that a user without privileges may pass to");
        QTemporaryDir dir(reachable + "/zelvora-XXXXXX");
        QVERIFY(dir.isValid());
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString folder = dir.filePath("kas");
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + "/ZelvoraT.mdb";
        QVERIFY(QFile::copy(path("ZelvoraT.mdb"), file));
        Database(file).close(); // in write-ahead mode from now on
        const QByteArray before = bytesOf(file);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(fileMode)) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)) == 0);
        QCOMPARE(errorAsUserWithoutPrivileges(file), number);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
        QCOMPARE(bytesOf(file), before);
    }

    void nullZeroAndEmptyTextStayApart()
    {
        m_db->execute("INSERT INTO ALG_Tuinder (relNR, Naam, Code_ALG_Handelaar) VALUES (?, ?, ?)",
                      {QVariant(), QString(""), 0});
        const qint64 id = m_db->lastInsertRowId();
        RecordSet rs =
            m_db->openRecordset("SELECT relNR, Naam, Code_ALG_Handelaar, Email FROM ALG_Tuinder WHERE ID = ?", {id});
        QCOMPARE(rs.recordCount(), 1);
        QVERIFY(rs.value("relNR").isNull());
        QVERIFY(!rs.value("Naam").isNull());
        QCOMPARE(rs.value("Naam").toString(), QString(""));
        QVERIFY(!rs.value("Code_ALG_Handelaar").isNull());
        QCOMPARE(rs.value("Code_ALG_Handelaar").toInt(), 0);
        QVERIFY(rs.value("Email").isNull());
    }

    void fieldsByNameIgnoreCaseAndByPosition()
    {
        RecordSet rs = m_db->openTable("ALG_Tuinder", "ID = ?", {1});
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.value("WOONPLAATS"), rs.value("woonplaats"));
        QCOMPARE(rs.fieldName(0), QString("ID"));
        QCOMPARE(rs.value(0).toInt(), 1);
        QCOMPARE(rs.fieldIndex("code_alg_HANDELAAR"), rs.fieldIndex("Code_ALG_Handelaar"));
        QCOMPARE(expectError([&] { rs.value("NoSuchColumn"); }), JetError::ItemNotFound);
        QCOMPARE(expectError([&] { rs.value(99); }), JetError::ItemNotFound);
    }

    void fieldsKnowTheColumnTheyCameFrom()
    {
        RecordSet rs = m_db->openRecordset("SELECT t.ID AS Nr, Naam, 1 + 1 AS Twee FROM ALG_Tuinder t");
        QCOMPARE(rs.fieldName(0), QString("Nr"));
        QCOMPARE(rs.fieldSourceTable(0), QString("ALG_Tuinder"));
        QCOMPARE(rs.fieldSourceField(0), QString("ID"));
        QCOMPARE(rs.fieldSourceField(1), QString("Naam"));
        QCOMPARE(rs.fieldSourceTable(2), QString());
        QCOMPARE(rs.fieldSourceField(2), QString());
        QCOMPARE(expectError([&] { rs.fieldSourceTable(3); }), JetError::ItemNotFound);
    }

    void columnTypesGiveTheirCppTypes()
    {
        m_db->execute("INSERT INTO TEELT_Instelling (ID_ALG_Tuinder, ID_HISTORIE, EBB_Factor, Code_Teelt) "
                      "VALUES (7, 0, ?, 12)",
                      {QVariant(0.1f)});
        RecordSet rs = m_db->openRecordset("SELECT * FROM TEELT_Instelling WHERE ID_ALG_Tuinder = 7");
        QCOMPARE(rs.value("EBB_Factor").typeId(), int(QMetaType::Float));
        QCOMPARE(rs.value("EBB_Factor").toFloat(), 0.1f);
        QCOMPARE(rs.value("Code_Teelt").typeId(), int(QMetaType::Int));
        QCOMPARE(rs.fieldType(rs.fieldIndex("Code_Teelt")), FieldType::Integer);
        QCOMPARE(rs.fieldType(rs.fieldIndex("ID_HISTORIE")), FieldType::Long);
        m_db->execute("DELETE FROM TEELT_Instelling WHERE ID_ALG_Tuinder = 7");
    }

    void outOfRangeValuesAreRefused()
    {
        RecordSet rs = m_db->openTable("TEELT_Instelling");
        rs.addNew();
        rs.setValue("ID_ALG_Tuinder", 1);
        QCOMPARE(expectError([&] { rs.setValue("BakGrootte", 40000); }), JetError::NumericFieldOverflow);
        QCOMPARE(expectError([&] { rs.setValue("BakGrootte", -32769); }), JetError::NumericFieldOverflow);
        QCOMPARE(expectError([&] { rs.setValue("BakGrootte", "abc"); }), JetError::ConversionError);
        QCOMPARE(expectError([&] { rs.setValue("EBB_Factor", 1e39); }), JetError::NumericFieldOverflow);
        rs.setValue("BakGrootte", 32767);
        rs.setValue("Concentratie", "12.5"); // rounded half to even, as the Basic conversions did
        rs.update();
        QCOMPARE(rs.value("BakGrootte").toInt(), 32767);
        QCOMPARE(rs.value("Concentratie").toInt(), 12);
        // The refused values never reached the file.
        RecordSet check = m_db->openRecordset("SELECT count(*) AS n FROM TEELT_Instelling WHERE BakGrootte > 32767");
        QCOMPARE(check.value("n").toInt(), 0);
        m_db->execute("DELETE FROM TEELT_Instelling");
    }

    void addNewGivesTheNewKeyAndDefaults()
    {
        RecordSet rs = m_db->openTable("TEELT_Instelling", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {5, 0});
        QVERIFY(rs.eof() && rs.bof());
        QCOMPARE(expectError([&] { rs.value("Aanpassing"); }), JetError::NoCurrentRecord);
        rs.addNew();
        rs.setValue("ID_ALG_Tuinder", 5);
        rs.setValue("ID_HISTORIE", 0);
        rs.update();
        QVERIFY(!rs.eof());
        QVERIFY(rs.value("ID").toInt() > 0);
        QCOMPARE(rs.value("Aanpassing").toInt(), 0); // the column's default

        rs.edit();
        rs.setValue("Aanpassing", 2);
        QCOMPARE(rs.value("Aanpassing").toInt(), 2); // the edited value while editing
        rs.cancelUpdate();
        QCOMPARE(rs.value("Aanpassing").toInt(), 0);
        rs.edit();
        rs.setValue("aanpassing", 2);
        rs.update();
        RecordSet again = m_db->openRecordset("SELECT Aanpassing FROM TEELT_Instelling WHERE ID_ALG_Tuinder = 5");
        QCOMPARE(again.value(0).toInt(), 2);

        QCOMPARE(expectError([&] { again.edit(); }), JetError::ReadOnly);
        QCOMPARE(expectError([&] { rs.setValue("Aanpassing", 1); }), JetError::UpdateWithoutEdit);
        m_db->execute("DELETE FROM TEELT_Instelling");
    }

    void moveFindAndDelete()
    {
        for (int slot : {3, 1, 2})
            m_db->execute(
                "INSERT INTO ALG_Afleveradres (ID_ALG_Tuinder, Code_Afleveradres, AfleverAdres) VALUES (9, ?, ?)",
                {slot, QString("Adres %1").arg(slot)});
        RecordSet rs = m_db->openTable("ALG_Afleveradres", "ID_ALG_Tuinder = ?", {9}, "Code_Afleveradres");
        QCOMPARE(rs.recordCount(), 3);
        QVERIFY(!rs.bof() && !rs.eof());
        QStringList order;
        while (!rs.eof()) {
            order << rs.value("AfleverAdres").toString();
            rs.moveNext();
        }
        QCOMPARE(order, QStringList({"Adres 1", "Adres 2", "Adres 3"}));
        QCOMPARE(expectError([&] { rs.moveNext(); }), JetError::NoCurrentRecord);

        QVERIFY(rs.findFirst("afleveradres", "ADRES 2"));
        QVERIFY(!rs.noMatch());
        QCOMPARE(rs.value("Code_Afleveradres").toInt(), 2);
        rs.deleteRecord();
        QCOMPARE(expectError([&] { rs.value("Code_Afleveradres"); }), 3167);
        rs.moveNext(); // the row after the deleted one
        QCOMPARE(rs.value("Code_Afleveradres").toInt(), 3);
        QVERIFY(!rs.findFirst("Code_Afleveradres", 2));
        QVERIFY(rs.noMatch());
        QCOMPARE(rs.value("Code_Afleveradres").toInt(), 3); // position kept on no match

        rs.moveFirst();
        rs.movePrevious();
        QVERIFY(rs.bof());
        m_db->execute("DELETE FROM ALG_Afleveradres WHERE ID_ALG_Tuinder = 9");
    }

    void quotesAreDataNotSql()
    {
        const QString town = "'s-Gravenzande";
        RecordSet rs = m_db->openTable("ALG_Tuinder", "ID = ?", {1});
        rs.edit();
        rs.setValue("woonplaats", town);
        rs.setValue("Naam", "Kwekerij \"De Hoek\"; DROP TABLE WATER");
        rs.update();
        RecordSet found = m_db->openRecordset("SELECT * FROM ALG_Tuinder WHERE woonplaats = ?", {town});
        QCOMPARE(found.recordCount(), 1);
        QCOMPARE(found.value("Naam").toString(), QString("Kwekerij \"De Hoek\"; DROP TABLE WATER"));
        // Text compares without regard to case, as in the old files.
        QCOMPARE(
            m_db->openRecordset("SELECT ID FROM ALG_Tuinder WHERE woonplaats = ?", {"'S-GRAVENZANDE"}).recordCount(),
            1);
        QVERIFY(m_db->tableExists("WATER"));
    }

    void transactionRollsBackUnlessCommitted()
    {
        m_db->execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc) VALUES (3, 0, 1, 60)");
        m_db->execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc) VALUES (3, 0, 2, 40)");
        auto count = [&] {
            return m_db->openRecordset("SELECT count(*) FROM WATER WHERE ID_ALG_Tuinder = 3").value(0).toInt();
        };
        try {
            Transaction tx(*m_db);
            m_db->execute("DELETE FROM WATER WHERE ID_ALG_Tuinder = 3");
            QCOMPARE(count(), 0);
            m_db->execute("INSERT INTO NoSuchTable VALUES (1)");
            tx.commit();
            QFAIL("the insert should have failed");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), JetError::TableNotFound);
        }
        QCOMPARE(count(), 2);

        {
            Transaction outer(*m_db);
            {
                Transaction inner(*m_db);
                m_db->execute("DELETE FROM WATER WHERE ID_ALG_Tuinder = 3 AND Type = 2");
            } // inner rolled back
            QCOMPARE(count(), 2);
            m_db->execute("DELETE FROM WATER WHERE ID_ALG_Tuinder = 3 AND Type = 1");
            outer.commit();
        }
        QCOMPARE(count(), 1);
        m_db->execute("DELETE FROM WATER WHERE ID_ALG_Tuinder = 3");
    }

    void errorsCarryJetNumbers()
    {
        QCOMPARE(expectError([&] { m_db->openRecordset("SELECT * FROM Nergens"); }), JetError::TableNotFound);
        QCOMPARE(expectError([&] { m_db->execute("UPDATE WATER SET Bestaatniet = 1"); }), JetError::TooFewParameters);
        try {
            m_db->openRecordset("SELECT * FROM Nergens");
        } catch (const AppError& e) {
            QVERIFY(e.description().contains("Nergens"));
            QVERIFY(!e.source().isEmpty());
        }
        // The user reads a plain text; the statement and the driver's words
        // are kept for standard error.
        m_db->execute("INSERT INTO ALG_Tuinder (ID) VALUES (4242)");
        try {
            m_db->execute("INSERT INTO ALG_Tuinder (ID) VALUES (?)", {4242});
            QFAIL("a duplicate key was stored");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), JetError::DuplicateKey);
            QVERIFY(!e.description().contains("INSERT"));
            QVERIFY(!e.description().contains("UNIQUE", Qt::CaseInsensitive));
            QVERIFY(e.detail().contains("INSERT INTO ALG_Tuinder"));
            QVERIFY(e.detail().contains("UNIQUE constraint failed"));
        }
        m_db->execute("DELETE FROM ALG_Tuinder WHERE ID = 4242");
    }

    void closedDatabaseIsReported()
    {
        RecordSet rs = m_db->openTable("ALG_Tuinder");
        m_db->close();
        QVERIFY(!m_db->isOpen());
        QCOMPARE(expectError([&] { m_db->execute("DELETE FROM WATER"); }), JetError::NotOpen);
        rs.edit();
        rs.setValue("Naam", "x");
        QCOMPARE(expectError([&] { rs.update(); }), JetError::NotOpen);
    }

    void columnsOfATable()
    {
        const auto cols = m_db->columns("water");
        QVERIFY(!cols.isEmpty());
        QCOMPARE(cols.first().name, QString("ID"));
        QCOMPARE(m_db->columnName("TEELT_Instelling", "extrabigbag"), QString("ExtraBigBag"));
        QCOMPARE(m_db->columnName("TEELT_Instelling", "Bestaatniet"), QString());
        QVERIFY(m_db->columns("Nergens").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
