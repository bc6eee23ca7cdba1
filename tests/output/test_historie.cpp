// The history store on the default databases: a save copies the whole
// working set or nothing, also when the program is killed in the middle of
// it; a delete removes a whole set or nothing; opening a set leaves none of
// the advice of the set before it behind.
#include "appstate.h"
#include "defaultstate.h"
#include "historie.h"
#include "zelvorageneral.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>

namespace {

// The working set of a grower: one row in every copied table, a few in one of them.
void werkset(qint32 tuinder, int extra = 3)
{
    Database& db = growerDb();
    for (const QString& tabel : Historie::KopieTabellen())
        db.execute("INSERT INTO " + Database::quoteName(tabel) + " (ID_ALG_Tuinder, ID_HISTORIE) VALUES (?, 0)",
                   {tuinder});
    for (int i = 0; i < extra; ++i)
        db.execute("INSERT INTO HISTORIE_Mest (ID_ALG_Tuinder, ID_HISTORIE, \"Index\", Naam) VALUES (?, 0, ?, ?)",
                   {tuinder, i, QString("meststof %1").arg(i)});
}

// The rows of a set in a table, without their own key and set, in key order.
QStringList rijen(Database& db, const QString& tabel, qint32 tuinder, qint32 set)
{
    const QVector<Database::Column> kolommen = db.columns(tabel);
    RecordSet rs = db.openRecordset("SELECT * FROM " + Database::quoteName(tabel) +
                                        " WHERE ID_ALG_Tuinder = ? AND ID_HISTORIE = ? ORDER BY 1",
                                    {tuinder, set});
    QStringList uit;
    for (int i = 0; i < rs.recordCount(); ++i) {
        rs.move(i);
        QStringList velden;
        for (int k = 1; k < kolommen.size(); ++k)
            if (kolommen[k].name.compare("ID_HISTORIE", Qt::CaseInsensitive) != 0)
                velden << rs.value(kolommen[k].name).toString();
        uit << velden.join('|');
    }
    return uit;
}

// Rows of every set table under a set that has no HISTORIE row.
qint64 wezen(Database& db)
{
    qint64 n = 0;
    for (const QString& tabel : Historie::SetTabellen())
        n += TestSupport::countOf(db, "SELECT COUNT(*) FROM " + Database::quoteName(tabel) +
                                          " WHERE ID_HISTORIE <> 0 AND ID_HISTORIE NOT IN (SELECT ID FROM HISTORIE)");
    return n;
}

} // namespace

class TestHistorie : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    qint32 m_tuinder = 0;

private slots:
    void init()
    {
        m_dir = TestSupport::openDefaultState();
        m_tuinder = appState().ID_ALG_Tuinder;
        QVERIFY(m_tuinder != 0);
    }

    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void saveCopiesTheWholeWorkingSetAndNothingElse()
    {
        Database& db = growerDb();
        werkset(m_tuinder);
        werkset(m_tuinder + 1000); // another grower's
        db.execute("INSERT INTO HISTORIE_Aanpassing (ID_ALG_Tuinder, ID_HISTORIE) VALUES (?, 0)", {m_tuinder});
        const qint32 eerste = Historie::Bewaar(m_tuinder, "eerste", QDate(2026, 3, 1));
        const qint32 tweede = Historie::Bewaar(m_tuinder, "tweede", QDate(2026, 3, 2));
        QVERIFY(tweede > eerste);

        for (const QString& tabel : Historie::KopieTabellen()) {
            const QStringList werk = rijen(db, tabel, m_tuinder, 0);
            QVERIFY(!werk.isEmpty());
            QCOMPARE(rijen(db, tabel, m_tuinder, eerste), werk);
            QCOMPARE(rijen(db, tabel, m_tuinder, tweede), werk); // the first set is not copied again
            QVERIFY(rijen(db, tabel, m_tuinder + 1000, eerste).isEmpty());
        }
        QCOMPARE(TestSupport::countOf(db, "SELECT COUNT(*) FROM HISTORIE_Aanpassing WHERE ID_HISTORIE <> 0"), 0);

        const QList<HistorieSet> lijst = Historie::Lijst(m_tuinder);
        QCOMPARE(lijst.size(), 2);
        QCOMPARE(lijst[0].ID, tweede); // newest first
        QCOMPARE(lijst[0].Datum, QDate(2026, 3, 2));
        QCOMPARE(lijst[1].Omschrijving, QString("eerste"));
        QVERIFY(Historie::Lijst(m_tuinder + 1000).isEmpty());

        // A delete takes only that set of that grower, with the selection row
        // under it that a save never makes.
        db.execute("INSERT INTO MEST_Selectie (ID_ALG_Tuinder, ID_HISTORIE) VALUES (?, ?)", {m_tuinder, eerste});
        QVERIFY(!Historie::Verwijder(m_tuinder + 1000, eerste)); // not that grower's set
        QVERIFY(!Historie::Verwijder(m_tuinder, 0));             // the working set is no stored set
        QCOMPARE(rijen(db, "HISTORIE_Mest", m_tuinder, 0).size(), 4);
        QVERIFY(Historie::Verwijder(m_tuinder, eerste));
        QCOMPARE(TestSupport::countOf(db, "SELECT COUNT(*) FROM MEST_Selectie WHERE ID_HISTORIE = ?", {eerste}), 0);
        QCOMPARE(rijen(db, "HISTORIE_Mest", m_tuinder, tweede).size(), 4);
        QCOMPARE(wezen(db), 0);
    }

    void aFailedSaveOrDeleteLeavesTheDataAsTheyWere()
    {
        Database& db = growerDb();
        werkset(m_tuinder);
        const qint32 id = Historie::Bewaar(m_tuinder, "bewaard", QDate(2026, 3, 1));

        // The last copied table refuses: no HISTORIE row, no copied row.
        db.execute("CREATE TRIGGER vol BEFORE INSERT ON HISTORIE_SamenstellingMeststoffen WHEN NEW.ID_HISTORIE <> "
                   "0 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, Historie::Bewaar(m_tuinder, "half", QDate(2026, 3, 2)));
        QCOMPARE(Historie::Lijst(m_tuinder).size(), 1);
        QCOMPARE(wezen(db), 0);
        QCOMPARE(TestSupport::countOf(db, "SELECT COUNT(*) FROM HISTORIE_Mest WHERE ID_HISTORIE <> 0"), 4);

        // The last table of the delete refuses: the whole set stays.
        db.execute("CREATE TRIGGER vast BEFORE DELETE ON HISTORIE_SamenstellingMeststoffen BEGIN "
                   "SELECT RAISE(ABORT, 'locked'); END");
        QVERIFY_THROWS_EXCEPTION(AppError, Historie::Verwijder(m_tuinder, id));
        QCOMPARE(Historie::Lijst(m_tuinder).size(), 1);
        for (const QString& tabel : Historie::KopieTabellen())
            QCOMPARE(rijen(db, tabel, m_tuinder, id), rijen(db, tabel, m_tuinder, 0));
    }

    void choosingASetClearsTheAdviceOfTheSetBefore()
    {
        AppState& s = appState();
        s.StreefWaarden[ElementVector::pK] = 8;
        s.StreefGecorrigeerd[ElementVector::pK] = 8;
        s.AdviesAanpassing[ElementVector::pK] = 0.5f;
        s.AdviesAanpassing.Vlag = 1;
        s.DrainAnalyse.Perc = 30;
        Historie::KiesSet(7);
        QCOMPARE(s.ID_HISTORIE, 7);
        QCOMPARE(s.StreefWaarden[ElementVector::pK], 0.f);
        QCOMPARE(s.StreefGecorrigeerd[ElementVector::pK], 0.f);
        QCOMPARE(s.AdviesAanpassing[ElementVector::pK], 0.f);
        QCOMPARE(s.AdviesAanpassing.Vlag, qint16(0)); // a cleared vector is no adjustment to store
        QCOMPARE(s.DrainAnalyse.Perc, 0.f);
        Historie::KiesSet(0);
        QCOMPARE(s.ID_HISTORIE, 0);
    }

    // The program killed at random moments while it saves: after the restart
    // every set is whole, and no row stands under a set that is not listed.
    void killedInTheMiddleOfASaveLeavesWholeSetsOnly()
    {
        werkset(m_tuinder, 400);
        {
            // Enough rows that a save takes a while, so the kills fall inside one.
            Database& db = growerDb();
            Transaction tx(db);
            for (int i = 0; i < 4000; ++i)
                db.execute("INSERT INTO HISTORIE_Advies (ID_ALG_Tuinder, ID_HISTORIE, Type) VALUES (?, 0, ?)",
                           {m_tuinder, i % 6});
            tx.commit();
        }
        appState().dbT.reset();
        const QString pad = m_dir->path() + "/ZelvoraT.mdb";
        QRandomGenerator willekeur(21);
        qint64 sets = 0;
        for (int run = 0; run < 6; ++run) {
            QProcess kind;
            kind.start(BEWAARKIND, {m_dir->path()});
            QVERIFY(kind.waitForStarted());
            QVERIFY2(kind.waitForReadyRead(60000), qPrintable(kind.readAllStandardError()));
            QTest::qWait(int(willekeur.bounded(60)));
            ::kill(pid_t(kind.processId()), SIGKILL);
            QVERIFY(kind.waitForFinished());
            QCOMPARE(kind.exitStatus(), QProcess::CrashExit);

            Database db(pad);
            QVERIFY(TestSupport::countOf(db, "SELECT COUNT(*) FROM HISTORIE") > sets);
            sets = TestSupport::countOf(db, "SELECT COUNT(*) FROM HISTORIE");
            // No listed set holds other than the working set's number of rows in any table.
            for (const QString& tabel : Historie::KopieTabellen()) {
                const QString t = Database::quoteName(tabel);
                QCOMPARE(TestSupport::countOf(db, "SELECT COUNT(*) FROM HISTORIE h WHERE (SELECT COUNT(*) FROM " + t +
                                                      " WHERE ID_HISTORIE = h.ID) <> (SELECT COUNT(*) FROM " + t +
                                                      " WHERE ID_HISTORIE = 0)"),
                         0);
            }
            QCOMPARE(wezen(db), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestHistorie)
#include "test_historie.moc"
