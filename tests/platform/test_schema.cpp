// The default databases carry every table and column the program reads or
// writes, with the autonumber key first where history copies rely on it.
#include "db/database.h"
#include "db/recordset.h"
#include "dbbuilder.h"
#include "testdatabases.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kElements17 = {"NH4",  "K",  "Na", "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                                 "HCO3", "Si", "Fe", "Mn", "Zn", "B",   "Cu", "Mo"};
const QStringList kElements15 = {"NH4", "K",  "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                                 "Si",  "Fe", "Mn", "Zn", "B",   "Cu", "Mo"};
const QStringList kLimit14 = {"K", "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4", "Si", "Fe", "Mn", "Zn", "B", "Cu", "Mo"};
const QStringList kVector18 = {"NH4", "K",    "Na", "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                               "H",   "HCO3", "Si", "Fe", "Mn", "Zn",  "B",  "Cu",  "Mo"};

struct Table {
    QString name;
    QStringList columns;
    bool keyFirst = false;
};

QList<Table> growerTables()
{
    return {
        {"ALG_Tuinder",
         {"ID", "relNR", "Naam", "Adres", "Postcode", "woonplaats", "land", "Telefoon", "Mobiel", "Email", "Fax",
          "Code_ALG_Handelaar", "ID_ALG_Afleveradres"},
         true},
        {"ALG_Afleveradres",
         {"ID", "ID_ALG_Tuinder", "Code_Afleveradres", "AfleverAdres", "Adres", "Postcode", "Woonplaats", "Land",
          "Deurcode", "ExtraInfo"},
         true},
        {"TEELT_Instelling",
         {"ID_ALG_Tuinder", "ID_HISTORIE", "Code_Teelt", "Code_Teeltstadium", "TeeltSysteem", "ECVerhoging",
          "Aanpassing", "VerrekeningStandaardEC", "BakGrootte", "ZakGrootte", "Concentratie", "Concentratie_berek",
          "MixoraMest", "Mixorabak", "WaterInputType", "ExtraBigBag", "AmoniumAanpassing", "EBB_Factor"},
         true},
        {"WATER",
         QStringList{"ID_ALG_Tuinder", "ID_HISTORIE", "Type", "Perc", "SC1", "SC2", "SC3", "SC4", "SC5", "SC6"} +
             kElements17,
         true},
        {"MAT", QStringList{"ID_ALG_Tuinder", "ID_HISTORIE", "EC", "Ph"} + kElements17, true},
        {"MEST_Selectie", {"ID_ALG_Tuinder", "ID_HISTORIE", "NH4_Code",   "K_Code",     "Ca_Code",       "Mg_Code",
                           "NO3_Code",       "Cl_Code",     "SO4_Code",   "H2PO4_Code", "ZuurLoog_Code", "Si_Code",
                           "Fe_Code",        "Mn_Code",     "Zn_Code",    "B_Code",     "Cu_Code",       "Mo_Code",
                           "PBron_Code",     "FeBron_Code", "PBron_Perc", "FeBron_Perc"}},
        {"HISTORIE_Mest", {"ID_ALG_Tuinder", "ID_HISTORIE", "Index", "Naam", "Conc1", "Conc2", "Conc3"}, true},
        {"HISTORIE_Advies",
         QStringList{"ID_ALG_Tuinder", "ID_HISTORIE", "Type", "Ec", "Perc", "RecircEC", "MaxPerc", "MaxRecircEC"} +
             kVector18,
         true},
        {"HISTORIE_Aanpassing", QStringList{"ID_ALG_Tuinder", "ID_HISTORIE", "Ec"} + kVector18, true},
        {"HISTORIE_StandaardBakEC", QStringList{"ID_ALG_Tuinder", "ID_HISTORIE", "Type"} + kVector18, true},
        {"HISTORIE_SamenstellingMeststoffen",
         {"ID_ALG_Tuinder", "ID_HISTORIE", "Index", "Nr", "Naam", "Bak", "Kg", "Kgl", "liter"},
         true},
        {"HISTORIE_ExtraBigbag",
         {"ID_ALG_Tuinder", "ID_HISTORIE", "Index", "Nr", "Naam", "Bak", "Kg", "Kgl", "liter"},
         true},
        {"HISTORIE", {"ID", "Datum", "ID_ALG_Tuinder", "Omschrijving"}, true},
        {"TEELT", {"Code", "Lang0", "Lang1"}},
        {"TEELT_StdVOplossing", QStringList{"Code_Teelt", "pH", "EC"} + kElements15},
        {"MEST_PrefList", {"ID", "Code_MEST", "UseMeststof"}, true},
        {"BEST_Hist", {"ID", "ID_ALG_Tuinder", "ID_ALG_Afleveradres", "Datum"}, true},
        {"BEST_Meststoffen", {"ID_BEST_Hist", "Code_Meststof", "NaamMeststof", "Hoeveelheid", "Eenheid"}},
        {"BEST_HistElementen", {"Naam", "Hoeveelheid", "Eenheid"}},
    };
}

QList<Table> referenceTables()
{
    QStringList perc;
    for (const QString& e : kElements15)
        perc << e + "_perc";
    return {
        {"MEST", {"Code", "Lang0", "Lang1"}},
        {"MEST_Meststof", QStringList{"Code_MEST", "H", "OH", "KGl", "PrimElement0", "PrimElement1", "Mixora",
                                      "MixoraStatus", "Mixorakoppel"} +
                              kElements15 + perc},
        {"MEST_PrefList", {"ID", "Code_MEST", "UseMeststof"}, true},
        {"TEELT", {"Code", "Lang0", "Lang1"}},
        {"TEELT_StdVOplossing", QStringList{"Code_Teelt", "Ec", "pH"} + kElements15},
        {"TEELT_Stadium", QStringList{"Code_TEELT", "Code"} + kElements15},
        {"TEELT_Stadium_Lang", {"Code_TEELT", "Code", "Lang0", "Lang1"}},
        {"TEELT_Grenzen", QStringList{"Code_TEELT", "GrensCode"} + kLimit14},
        {"TEELT_GrensAanpassing", QStringList{"Code_TEELT", "GrensCode"} + kLimit14},
        {"TEELT_Streef", {"Code_teelt", "EC"}},
        {"TEELT_KCAFactor", {"Code_TEELT", "Factor", "KMin", "KMax", "CaMin", "CaMax", "K", "Ca"}},
        {"TEELT_NH4Aanpassing", {"Code_TEELT", "Class6", "Class7", "Class8"}},
        {"ALG_Handelaar",
         {"Code", "Handelaar", "Adres", "Postcode", "Woonplaats", "Contactpersoon", "Telefoon", "Bestel-Email"}},
    };
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void checkTables(const QString& file, const QList<Table>& tables)
    {
        Database db(m_dir.filePath(file));
        for (const Table& t : tables) {
            QVERIFY2(db.tableExists(t.name), qPrintable(file + ": " + t.name));
            for (const QString& c : t.columns)
                QVERIFY2(!db.columnName(t.name, c).isEmpty(), qPrintable(file + ": " + t.name + "." + c));
            if (t.keyFirst) {
                const auto cols = db.columns(t.name);
                QCOMPARE(cols.first().name, QString("ID"));
                // The key numbers itself.
                const auto sql = db.openRecordset("SELECT sql FROM sqlite_master WHERE name = ?", {t.name});
                QVERIFY2(sql.value(0).toString().contains("AUTOINCREMENT"), qPrintable(t.name));
            }
        }
        QCOMPARE(db.tableNames().size(), tables.size());
    }

private slots:
    void initTestCase() { TestSupport::makeDefaultDatabases(m_dir.path()); }

    void growerDatabase() { checkTables("ZelvoraT.mdb", growerTables()); }
    void referenceDatabase() { checkTables("ZelvoraH.mdb", referenceTables()); }

    void languageDatabase()
    {
        Database db(m_dir.filePath("PlomLang.mdb"));
        RecordSet rs = db.openRecordset("SELECT * FROM Lang WHERE ID = 0");
        QCOMPARE(rs.fieldName(0), QString("ID"));
        QCOMPARE(rs.fieldName(1), QString("Lang0"));
        QCOMPARE(rs.fieldName(2), QString("Lang1"));
        QCOMPARE(rs.value(1).toString(), QString("Nederlands"));
        QCOMPARE(rs.value(2).toString(), QString("English"));
    }

    void rebuildKeepsExistingDatabases()
    {
        QTemporaryDir dir;
        DbBuilder::buildDefaults(ZELVORA_DATA_DIR, dir.path(), false);
        {
            Database db(dir.filePath("ZelvoraT.mdb"));
            db.execute("UPDATE ALG_Tuinder SET Naam = 'Mijn kwekerij'");
        }
        QVERIFY(DbBuilder::buildDefaults(ZELVORA_DATA_DIR, dir.path(), false).isEmpty());
        Database db(dir.filePath("ZelvoraT.mdb"));
        QCOMPARE(db.openRecordset("SELECT Naam FROM ALG_Tuinder").value(0).toString(), QString("Mijn kwekerij"));
    }

    void changedTextsReachTheLanguageDatabaseOnly()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath("data");
        QDir().mkpath(data);
        for (const QString& f : QDir(ZELVORA_DATA_DIR).entryList({"*.sql", "*.tsv"}, QDir::Files))
            QVERIFY(QFile::copy(QDir(ZELVORA_DATA_DIR).filePath(f), QDir(data).filePath(f)));
        const QString bin = dir.filePath("bin");
        DbBuilder::buildDefaults(data, bin, false);
        const QDateTime older = QDateTime::currentDateTime().addSecs(-60);
        for (const QString& f : QDir(bin).entryList({"*.mdb"}, QDir::Files)) {
            QFile file(QDir(bin).filePath(f));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(older, QFileDevice::FileModificationTime));
        }
        QFile texts(QDir(data).filePath("texts.tsv"));
        QVERIFY(texts.open(QIODevice::Append));
        texts.write("999999901\tNieuw\tNew\n");
        texts.close();
        QCOMPARE(DbBuilder::buildDefaults(data, bin, false), QStringList{QDir(bin).filePath("PlomLang.mdb")});
        Database db(QDir(bin).filePath("PlomLang.mdb"));
        QCOMPARE(db.openRecordset("SELECT Lang1 FROM Lang WHERE ID = 999999901").value(0).toString(), QString("New"));
    }

    void defaultGrowerHasOneRow()
    {
        Database db(m_dir.filePath("ZelvoraT.mdb"));
        QCOMPARE(db.openRecordset("SELECT * FROM ALG_Tuinder").recordCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
