// The grower's settings row, the first grower, crop names, the copies into
// the reference database, and the null-safe readers.
#include "appstate.h"
#include "defaultstate.h"
#include "general.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestZelvoraGeneral : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    int count(Database& db, const QString& sql, const QVariantList& params = {})
    {
        return db.openRecordset(sql, params).value(0).toInt();
    }

private slots:
    void init() { m_dir = TestSupport::openDefaultState(); }

    void cleanup() { resetAppState(); }

    void nullSafeReaders()
    {
        QCOMPARE(NzStr(QVariant()), QString());
        QCOMPARE(NzStr(QVariant(12)), QString("12"));
        QCOMPARE(NzStr(QVariant(0.5f)), QString("0.5"));
        QCOMPARE(NzValue(QVariant()).toInt(), 0);
        QCOMPARE(NzValue(QString("abc")).toInt(), 0);
        QCOMPARE(NzValue(QString(""), NzType::Single).typeId(), int(QMetaType::Float));
        QCOMPARE(NzValue(QVariant(), NzType::Single).toFloat(), 0.0f);
        QCOMPARE(NzValue(QString(" 12.5 "), NzType::Integer).toInt(), 12); // half to even
        QCOMPARE(NzValue(QString("13.5"), NzType::Integer).toInt(), 14);
        QCOMPARE(NzValue(QVariant(2.5), NzType::Double).toDouble(), 2.5);
        QVERIFY(!IsNumericValue(QString("12a")));
    }

    void settingsRowIsMadeWhenMissing()
    {
        Database& t = *appState().dbT;
        QCOMPARE(count(t, "SELECT count(*) FROM TEELT_Instelling"), 0);
        QCOMPARE(GetTeeltInstelling("Aanpassing", InstellingMode::Number).toInt(), 0);
        QCOMPARE(GetTeeltInstelling("Aanpassing", InstellingMode::Text).toString(), QString("0"));
        QCOMPARE(count(t, "SELECT count(*) FROM TEELT_Instelling WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = 0",
                       {appState().ID_ALG_Tuinder}),
                 1);

        QVERIFY(PutTeeltInstelling("ExtraBigbag", 1, InstellingMode::Number)); // any spelling of the column
        QVERIFY(PutTeeltInstelling("Concentratie", QString("150"), InstellingMode::Text));
        QVERIFY(PutTeeltInstelling("EBB_Factor", QString("nonsense"), InstellingMode::Number)); // stored as 0
        QCOMPARE(GetTeeltInstelling("ExtraBigBag", InstellingMode::Number).toInt(), 1);
        QCOMPARE(GetTeeltInstelling("concentratie", InstellingMode::Number).toInt(), 150);
        QCOMPARE(GetTeeltInstelling("EBB_Factor", InstellingMode::Number).toFloat(), 0.0f);
        QVERIFY(MessageBox::shown().isEmpty());

        // Another history set has its own row.
        appState().ID_HISTORIE = 4;
        QCOMPARE(GetTeeltInstelling("ExtraBigBag", InstellingMode::Number).toInt(), 0);
        QCOMPARE(count(t, "SELECT count(*) FROM TEELT_Instelling"), 2);
    }

    void badSettingsAreRefusedAndReported()
    {
        QVERIFY(!PutTeeltInstelling("Bestaatniet", 1, InstellingMode::Number));
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::last().style & MsgBox::Critical);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000050)));

        QVERIFY(PutTeeltInstelling("BakGrootte", 500, InstellingMode::Number));
        QVERIFY(!PutTeeltInstelling("BakGrootte", 40000, InstellingMode::Number)); // not a 16-bit number
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(GetTeeltInstelling("BakGrootte", InstellingMode::Number).toInt(), 500);

        try {
            GetTeeltInstelling("Bestaatniet", InstellingMode::Number);
            QFAIL("an unknown column must be an error");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), JetError::ItemNotFound);
        }
    }

    void firstGrowerIsMadeWhenThereIsNone()
    {
        Database& t = *appState().dbT;
        const qint32 first = GetFirstTuinderID();
        QVERIFY(first > 0);
        t.execute("DELETE FROM ALG_Tuinder");
        const qint32 made = GetFirstTuinderID();
        QVERIFY(made > 0);
        QCOMPARE(count(t, "SELECT count(*) FROM ALG_Tuinder"), 1);
        QCOMPARE(GetFirstTuinderID(), made);
    }

    void cropAndStageNames()
    {
        Database& h = *appState().dbH;
        h.execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (901, 'Proefgewas', 'Test crop')");
        h.execute(
            "INSERT INTO TEELT_Stadium_Lang (Code_TEELT, Code, Lang0, Lang1) VALUES (901, 2, 'Oogst', 'Harvest')");
        QCOMPARE(GetTeeltNaam(901), QString("Proefgewas"));
        QCOMPARE(GetTeeltNaam(902), QString());
        QCOMPARE(GetStadiumNaam(901, 2), QString("Oogst"));
        QCOMPARE(GetStadiumNaam(901, 3), GetLangStr(40300100));
        appState().languageID = 1;
        QCOMPARE(GetTeeltNaam(901), QString("Test crop"));
    }

    void ownCropCopy()
    {
        AppState& s = appState();
        s.dbT->execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (7, 'Eigen tomaat', 'Own tomato')");
        s.dbT->execute(
            "INSERT INTO TEELT_StdVOplossing (Code_Teelt, NH4, K, Ca, pH, EC) VALUES (7, 1.2, 8, 4.5, 5.5, 2.6)");
        s.dbH->execute("INSERT INTO TEELT (Code, Lang0) VALUES (1007, 'oud')");
        s.dbH->execute("INSERT INTO TEELT (Code, Lang0) VALUES (1008, 'ander')");
        s.dbH->execute("INSERT INTO TEELT_StdVOplossing (Code_Teelt, K) VALUES (1007, 99)");

        QVERIFY(CopieGewasT2H(1007));
        RecordSet crop = s.dbH->openRecordset("SELECT * FROM TEELT WHERE Code = 1007");
        QCOMPARE(crop.recordCount(), 1);
        QCOMPARE(crop.value("Lang0").toString(), QString("Eigen tomaat"));
        QVERIFY(crop.value("Lang1").isNull()); // only the current language is copied
        RecordSet sol = s.dbH->openRecordset("SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt = 1007");
        QCOMPARE(sol.recordCount(), 1);
        QCOMPARE(sol.value("K").toFloat(), 8.0f);
        QCOMPARE(sol.value("Ec").toFloat(), 2.6f);
        QCOMPARE(sol.value("pH").toFloat(), 5.5f);
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM TEELT WHERE Code = 1008"), 1);

        // A failing write leaves the old copy and says so.
        s.dbT->execute("UPDATE TEELT_StdVOplossing SET K = 9 WHERE Code_Teelt = 7");
        s.dbH->execute(
            "CREATE TRIGGER vol BEFORE INSERT ON TEELT_StdVOplossing BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY(!CopieGewasT2H(1007));
        QVERIFY(MessageBox::last().text.startsWith("mdlZelvoraGeneral.CopieGewasT2H:"));
        QVERIFY(MessageBox::last().text.contains("Onvoldoende ruimte op de schijf. (INSERT INTO TEELT_StdVOplossing"));
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM TEELT WHERE Code = 1007"), 1);
        QCOMPARE(s.dbH->openRecordset("SELECT K FROM TEELT_StdVOplossing WHERE Code_Teelt = 1007").value(0).toFloat(),
                 8.0f);
    }

    void ownCropCopyNeverTouchesAStandardCropNorEmptiesACopy()
    {
        AppState& s = appState();
        s.dbT->execute("INSERT INTO TEELT (Code, Lang0) VALUES (-5, 'fout')");
        s.dbH->execute("INSERT INTO TEELT (Code, Lang0) VALUES (995, 'standaard')");
        QVERIFY(!CopieGewasT2H(995));
        QVERIFY(!CopieGewasT2H(1000));
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM TEELT WHERE Code = 995"), 1);

        // An own crop deleted since keeps its copy for the history sets that name it.
        s.dbH->execute("INSERT INTO TEELT (Code, Lang0) VALUES (1007, 'oud')");
        s.dbH->execute("INSERT INTO TEELT_StdVOplossing (Code_Teelt, K) VALUES (1007, 8)");
        MessageBox::clear();
        QVERIFY(CopieGewasT2H(1007));
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM TEELT_StdVOplossing WHERE Code_Teelt = 1007 AND K = 8"), 1);
        // Without a copy either, the crop step is told.
        QVERIFY(!CopieGewasT2H(1008));
        QVERIFY(MessageBox::last().text.startsWith("mdlZelvoraGeneral.CopieGewasT2H:"));
    }

    void preferenceListCopy()
    {
        AppState& s = appState();
        s.dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (3, 0)");
        s.dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (4, 1)");
        QVERIFY(CopieMestPrefList());
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList"), 2);
        QCOMPARE(count(*s.dbH, "SELECT UseMeststof FROM MEST_PrefList WHERE Code_MEST = 3"), 0);

        s.dbT->execute("DELETE FROM MEST_PrefList WHERE Code_MEST = 4");
        s.dbH->execute("CREATE TRIGGER vol BEFORE INSERT ON MEST_PrefList BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY(!CopieMestPrefList());
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList"), 2); // the old copy stays
    }

    // Every error the database layer gives reads in the user's language,
    // with its values in place. Standard error keeps the English text, and
    // so does a message shown before the texts are open.
    void databaseErrorsReadInTheUsersLanguage()
    {
        const QStringList values{"Nergens", "Code_MEST"};
        for (const int number : DatabaseErrorNumbers()) {
            const QByteArray at = QByteArray::number(number);
            appState().languageID = 1;
            OpenRsLang();
            const AppError english = AppError::database(number, "DAO", values);
            QCOMPARE(english.description(), english.englishDescription());
            appState().languageID = 0;
            OpenRsLang();
            const AppError dutch = AppError::database(number, "DAO", values);
            QVERIFY2(dutch.description() != english.description(), at);
            QVERIFY2(!dutch.description().contains('%'), at);
            for (const QString& value : values)
                QVERIFY2(dutch.description().contains(value) == english.description().contains(value), at);
            QVERIFY2(QString(dutch.what()).startsWith(english.description()), at);
        }
        // Each value in its own place, the rest of the text as it stands.
        appState().languageID = 1;
        OpenRsLang();
        QCOMPARE(AppError::database(JetError::ConversionError, "DAO", values).description(),
                 QString("Data type conversion error: 'Nergens' does not fit field 'Code_MEST'."));
        resetAppState();
        QCOMPARE(AppError::database(JetError::Locked, "DAO").description(),
                 QString("Could not update; currently locked by another user or program."));
    }

    // A start whose copy of the preference list is up to date writes nothing
    // into the reference database; one after the grower's list changed
    // refreshes the copy.
    void aStartWritesTheListCopyOnlyWhenItDiffers()
    {
        appState().dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (4, 1), (3, 0)");
        QVERIFY(CopieMestPrefList());
        resetAppState();
        const QString reference = m_dir->filePath("ZelvoraH.mdb");
        const auto bytes = [&] {
            QFile f(reference);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray before = bytes();
        const QDateTime modified = QFileInfo(reference).lastModified();
        TestSupport::openState(m_dir->path());
        growerDb().execute("UPDATE MEST_PrefList SET UseMeststof = 1 WHERE Code_MEST = 3");
        resetAppState();
        QCOMPARE(bytes(), before);
        QCOMPARE(QFileInfo(reference).lastModified(), modified);

        TestSupport::openState(m_dir->path());
        QCOMPARE(count(referenceDb(), "SELECT count(*) FROM MEST_PrefList WHERE UseMeststof = 1"), 2);
    }

    void preferenceListIsCreatedWhenMissing()
    {
        AppState& s = appState();
        s.dbH->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (3, 0)");
        s.dbT->execute("DROP TABLE MEST_PrefList");
        CheckMestPrefList(1);
        QVERIFY(s.dbT->tableExists("MEST_PrefList"));
        RecordSet rs = s.dbT->openTable("MEST_PrefList");
        QCOMPARE(rs.fieldName(0), QString("ID"));
        QCOMPARE(rs.fieldName(1), QString("Code_MEST"));
        QCOMPARE(rs.fieldName(2), QString("UseMeststof"));
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList"), 0); // the copy follows the empty list

        s.dbH->execute("DROP TABLE MEST_PrefList");
        s.dbT->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (5, 1)");
        CheckMestPrefList(0);
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList WHERE Code_MEST = 5"), 1);
    }

    void openingAnotherGrowerRefreshesTheCopy()
    {
        AppState& s = appState();
        // Opens a copy of the grower database after the change made to it.
        const auto openCopy = [&s](const QString& name, const QString& change) {
            QVERIFY(QFile::copy(s.AppPath + "ZelvoraT.mdb", s.AppPath + name));
            Database(s.AppPath + name).execute(change);
            s.TDatabaseNaam = name;
            OpenTuinderDb();
        };
        s.dbH->execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (3, 0)");
        openCopy("kasT.mdb", "INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (9, 0)");
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList"), 1);
        QCOMPARE(count(*s.dbH, "SELECT Code_MEST FROM MEST_PrefList"), 9);

        // A grower database that never had a list switches nothing off: the copy is all on again.
        openCopy("nieuwT.mdb", "DROP TABLE MEST_PrefList");
        QCOMPARE(count(*s.dbH, "SELECT count(*) FROM MEST_PrefList"), 0);
    }

    void nearlyEqual()
    {
        QVERIFY(IsNearlyEqual(1000, 1000.009, 0.01f));
        QVERIFY(IsNearlyEqual(0, 0.00009, 0.01f));
        QVERIFY(!IsNearlyEqual(0, 0.0002, 0.01f));
        QVERIFY(IsNearlyEqualNZ(0.00004, 0, 0.01f));
        QVERIFY(!IsNearlyEqual(0.00004, 0, 0.01f));
        QVERIFY(IsNearlyEqual(250, 250.009, 0.01f));
        QVERIFY(!IsNearlyEqual(250, 250.011, 0.01f));
        QVERIFY(!IsNearlyEqual(0.5, 0.50011, 0.01f)); // the scale comes from a alone
    }
};

QTEST_GUILESS_MAIN(TestZelvoraGeneral)
#include "test_zelvorageneral.moc"
