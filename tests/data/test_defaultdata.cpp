// The default databases must let a new user work through a real advice: the
// recipe divides by the contents, the tank rules read them, every search and
// caption joins the names of the current language, and an order goes to the
// grower's dealer. These checks catch the slips a data edit can make.
#include "db/database.h"
#include "db/recordset.h"
#include "testdatabases.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

using Row = QHash<QString, QVariant>;

QList<Row> rows(const Database& db, const QString& sql, const QVariantList& params = {})
{
    QList<Row> out;
    for (RecordSet rs = db.openRecordset(sql, params); !rs.eof(); rs.moveNext()) {
        Row r;
        for (int i = 0; i < rs.fieldCount(); ++i)
            r.insert(rs.fieldName(i), rs.value(i));
        out << r;
    }
    return out;
}

double num(const Row& r, const QString& column)
{
    return r.value(column).toDouble();
}

bool near(double a, double b, double relative, double absolute = 1e-9)
{
    return std::fabs(a - b) <= std::max(absolute, relative * std::max(std::fabs(a), std::fabs(b)));
}

QString where(const Row& r, const QString& key)
{
    return QString("%1 %2").arg(key, r.value(key).toString());
}

// The content column each element code of PrimElement0/1 stands for.
const QHash<int, QString> kElementColumn = {{1, "NH4"}, {2, "K"},     {4, "Ca"}, {5, "Mg"},  {6, "NO3"}, {7, "Cl"},
                                            {8, "SO4"}, {9, "H2PO4"}, {10, "H"}, {11, "OH"}, {15, "Si"}, {20, "Fe"},
                                            {21, "Mn"}, {22, "Zn"},   {23, "B"}, {24, "Cu"}, {25, "Mo"}, {50, "H2PO4"}};

const QStringList kMacro = {"NO3", "H2PO4", "SO4", "NH4", "K", "Ca", "Mg", "Cl", "Si", "H", "OH"};
const QStringList kTrace = {"Fe", "Mn", "Zn", "B", "Cu", "Mo"};
const QStringList kLimitColumns = {"K",  "Ca", "Mg", "NO3", "Cl", "SO4", "H2PO4",
                                   "Si", "Fe", "Mn", "Zn",  "B",  "Cu",  "Mo"};

double cations(const Row& r)
{
    return num(r, "NH4") + num(r, "K") + 2 * num(r, "Ca") + 2 * num(r, "Mg");
}
double anions(const Row& r)
{
    return num(r, "NO3") + num(r, "Cl") + 2 * num(r, "SO4") + num(r, "H2PO4");
}

// Helpers that take a language text ID; a window that adds another one lists
// it here so that its IDs are checked too.
const QStringList kTextHelpers = {"GetLangStr", "SetCaptionLang"};

// Numeric literals passed whole as an argument to one of the text helpers.
// Computed IDs ("30100000 + 100 * r") cannot be checked from the source.
QList<qint64> textIdsIn(const QString& source)
{
    static const QRegularExpression call("\\b(" + kTextHelpers.join('|') + ")\\s*\\(");
    static const QRegularExpression literal("^\\d+$");
    QList<qint64> ids;
    for (auto it = call.globalMatch(source); it.hasNext();) {
        const auto m = it.next();
        int depth = 1;
        QString arg;
        for (qsizetype i = m.capturedEnd(); i < source.size() && depth > 0; ++i) {
            const QChar c = source[i];
            if (c == '(')
                ++depth;
            else if (c == ')')
                --depth;
            if (depth == 0 || (depth == 1 && c == ',')) {
                if (literal.match(arg.trimmed()).hasMatch())
                    ids << arg.trimmed().toLongLong();
                arg.clear();
            } else {
                arg += c;
            }
        }
    }
    return ids;
}

} // namespace

class TestDefaultData : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_ref, m_grower;
    QStringList m_languages; // "Lang0", "Lang1", ... as row 0 of Lang offers them
    QHash<qint64, Row> m_texts;

    void checkNames(const QString& table, const QString& key)
    {
        for (const Row& r : rows(*m_ref, "SELECT * FROM " + table))
            for (const QString& lang : m_languages)
                QVERIFY2(!r.value(lang).toString().trimmed().isEmpty(),
                         qPrintable(QString("%1 %2 has no %3").arg(table, where(r, key), lang)));
    }

private slots:
    void initTestCase()
    {
        TestSupport::makeDefaultDatabases(m_dir.path());
        m_ref = std::make_unique<Database>(m_dir.filePath("ZelvoraH.mdb"));
        m_grower = std::make_unique<Database>(m_dir.filePath("ZelvoraT.mdb"));
        const Database lang(m_dir.filePath("PlomLang.mdb"));
        for (const Row& r : rows(lang, "SELECT * FROM Lang"))
            m_texts.insert(r.value("ID").toLongLong(), r);
        // The language columns follow ID in order without gaps.
        const RecordSet names = lang.openRecordset("SELECT * FROM Lang WHERE ID = 0");
        for (int i = 1; i < names.fieldCount(); ++i)
            m_languages << names.fieldName(i);
        QCOMPARE(m_languages, QStringList({"Lang0", "Lang1"}));
    }

    void fertilisersHaveNamesAndCompositions()
    {
        QSet<int> names, compositions;
        for (const Row& r : rows(*m_ref, "SELECT Code FROM MEST"))
            names << r.value("Code").toInt();
        for (const Row& r : rows(*m_ref, "SELECT Code_MEST FROM MEST_Meststof"))
            compositions << r.value("Code_MEST").toInt();
        QVERIFY(!names.isEmpty());
        QCOMPARE(names, compositions);
        checkNames("MEST", "Code");
    }

    void fertiliserCompositions()
    {
        for (const Row& r : rows(*m_ref, "SELECT * FROM MEST_Meststof")) {
            const int code = r.value("Code_MEST").toInt();
            const QByteArray at = where(r, "Code_MEST").toUtf8();

            // Macro products are dosed in kg, trace products in gram: a content
            // in the other range would count 1000 times wrong.
            double macro = 0, trace = 0;
            for (const QString& c : kMacro)
                macro += std::fabs(num(r, c));
            for (const QString& c : kTrace)
                trace += std::fabs(num(r, c));
            if (code < 100)
                QVERIFY2(trace == 0 && macro > 0, at);
            else
                QVERIFY2(macro == 0 && trace > 0, at);

            // Exactly 1 is a solid; a liquid near 1 would be taken for one.
            QVERIFY2(!r.value("KGl").isNull(), at);
            const float kgl = r.value("KGl").toFloat();
            QVERIFY2(kgl == 1.0f || (kgl >= 1.05f && kgl <= 2.5f), at);

            // The solver only doses a product whose primary element it contains.
            const int prim0 = r.value("PrimElement0").toInt();
            const int prim1 = r.value("PrimElement1").toInt();
            QVERIFY2(kElementColumn.contains(prim0), at);
            QVERIFY2(prim1 == 0 || kElementColumn.contains(prim1), at);
            QVERIFY2(num(r, kElementColumn[prim0]) > 0, at);
            if (prim1 != 0)
                QVERIFY2(num(r, kElementColumn[prim1]) > 0, at);

            // Silicate is no ion of the recipe, so a silicon product cannot balance.
            if (code < 100 && num(r, "Si") == 0) {
                const double plus = cations(r) + num(r, "H");
                const double minus = anions(r) + num(r, "OH");
                QVERIFY2(near(plus, minus, 0.002), at);
            }
        }
    }

    void weightPercentsMatchContents()
    {
        // Per cent = mol/kg x molar mass of the labelled form / 10.
        const QList<std::pair<QString, double>> forms = {
            {"NO3", 14.007}, {"NH4", 14.007}, {"H2PO4", 30.974}, {"SO4", 96.06}, {"K", 94.195 / 2},
            {"Ca", 56.077},  {"Mg", 40.304},  {"Cl", 35.45},     {"Si", 28.085}, {"Fe", 55.845},
            {"Mn", 54.938},  {"Zn", 65.38},   {"B", 10.81},      {"Cu", 63.546}, {"Mo", 95.95}};
        for (const Row& r : rows(*m_ref, "SELECT * FROM MEST_Meststof"))
            for (const auto& [column, mass] : forms)
                QVERIFY2(near(num(r, column + "_perc"), num(r, column) * mass / 10, 0.01, 0.03),
                         qPrintable(where(r, "Code_MEST") + " " + column + "_perc"));
    }

    void productLineAllowsRecipesAndBlends()
    {
        const QList<Row> all = rows(*m_ref, "SELECT * FROM MEST_Meststof");
        static const QRegularExpression couplings("^(\\d\\d,)+$");
        bool reloadable = false;
        for (const Row& r : all) {
            const QString koppel = r.value("Mixorakoppel").toString();
            if (koppel.isEmpty())
                continue;
            QVERIFY2(koppel == "1," || couplings.match(koppel).hasMatch(), qPrintable(where(r, "Code_MEST")));
            // The blend searches offer only product-line fertilisers.
            QCOMPARE(r.value("Mixora").toInt(), 1);
            reloadable = reloadable || QRegularExpression("^\\d,$").match(koppel).hasMatch();
        }
        // Stored blends reload only when some product has one digit and a comma.
        QVERIFY(reloadable);

        for (int blend = 1; blend <= 2; ++blend) {
            const QString n = QString::number(blend);
            // As the blend search asks: coupling 1 or any coupling for blend n.
            const auto offered = rows(*m_ref,
                                      "SELECT Code_MEST FROM MEST_Meststof WHERE Mixora = 1 AND "
                                      "(Mixorakoppel LIKE ? OR Mixorakoppel LIKE ? OR Mixorakoppel = ?)",
                                      {"%1" + n + ",%", "%0" + n + ",%", blend == 1 ? "1," : ""});
            QVERIFY2(!offered.isEmpty(), qPrintable("blend " + n));
        }

        // With the product-line filter on, every row of a recipe still has a choice.
        for (int element : {1, 2, 4, 5, 6, 8, 9, 10, 20, 21, 22, 23, 24, 25}) {
            bool found = false;
            for (const Row& r : all)
                found = found || (r.value("Mixora").toInt() == 1 && (r.value("PrimElement0").toInt() == element ||
                                                                     r.value("PrimElement1").toInt() == element));
            QVERIFY2(found, qPrintable(QString("element code %1").arg(element)));
        }
    }

    void cropsHaveNamesAndStandardSolutions()
    {
        const QList<Row> crops = rows(*m_ref, "SELECT Code FROM TEELT");
        QVERIFY(!crops.isEmpty());
        checkNames("TEELT", "Code");
        for (const Row& crop : crops) {
            const int code = crop.value("Code").toInt();
            const QByteArray at = where(crop, "Code").toUtf8();
            // From 1000 the program keeps its copies of own crops.
            QVERIFY2(code >= 1 && code <= 999, at);
            const QList<Row> solution = rows(*m_ref, "SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt = ?", {code});
            QVERIFY2(solution.size() == 1, at);
            const Row& s = solution.first();
            QVERIFY2(num(s, "Ec") > 0, at);
            QVERIFY2(near(cations(s), anions(s), 1e-6), at);
        }
        QCOMPARE(
            rows(*m_ref, "SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt NOT IN (SELECT Code FROM TEELT)").size(),
            0);
    }

    void stagesHaveNamesAndKeepTheBalance()
    {
        checkNames("TEELT_Stadium_Lang", "Code_TEELT");
        const QString names =
            "SELECT * FROM TEELT_Stadium_Lang n WHERE n.Code_TEELT = s.Code_TEELT AND n.Code = s.Code";
        const QString values = "SELECT * FROM TEELT_Stadium s WHERE s.Code_TEELT = n.Code_TEELT AND s.Code = n.Code";
        QCOMPARE(rows(*m_ref, "SELECT * FROM TEELT_Stadium s WHERE NOT EXISTS (" + names + ")").size(), 0);
        QCOMPARE(rows(*m_ref, "SELECT * FROM TEELT_Stadium_Lang n WHERE NOT EXISTS (" + values + ")").size(), 0);
        for (const Row& r : rows(*m_ref, "SELECT * FROM TEELT_Stadium")) {
            const QByteArray at = (where(r, "Code_TEELT") + " " + where(r, "Code")).toUtf8();
            // Stage 0 is the program's own "no stage" entry.
            QVERIFY2(r.value("Code").toInt() >= 1, at);
            QVERIFY2(near(cations(r), anions(r), 1e-6), at);
            QVERIFY2(!rows(*m_ref, "SELECT Code FROM TEELT WHERE Code = ?", {r.value("Code_TEELT")}).isEmpty(), at);
        }
    }

    void limitsAreCompleteAndOrdered()
    {
        for (const Row& crop : rows(*m_ref, "SELECT Code FROM TEELT")) {
            const int code = crop.value("Code").toInt();
            const QByteArray at = where(crop, "Code").toUtf8();
            // The limits are read by one inner join of the three tables.
            const QList<Row> streef = rows(*m_ref, "SELECT * FROM TEELT_Streef WHERE Code_teelt = ?", {code});
            QVERIFY2(streef.size() == 1 && num(streef.first(), "EC") > 0, at);
            const Row solution =
                rows(*m_ref, "SELECT * FROM TEELT_StdVOplossing WHERE Code_Teelt = ?", {code}).value(0);
            for (const QString table : {"TEELT_Grenzen", "TEELT_GrensAanpassing"}) {
                const QList<Row> bands =
                    rows(*m_ref, "SELECT * FROM " + table + " WHERE Code_TEELT = ? ORDER BY GrensCode", {code});
                QVERIFY2(bands.size() == 5, qPrintable(table + " " + at));
                for (int b = 0; b < 5; ++b)
                    QVERIFY2(bands[b].value("GrensCode").toInt() == b + 1, qPrintable(table + " " + at));
                for (const QString& element : kLimitColumns) {
                    const QByteArray el = (table + " " + at + " " + element).toUtf8();
                    if (table == "TEELT_Grenzen") {
                        // A band limit holds for every band up to it; 0 means none.
                        bool any = false, all = true;
                        for (int b = 0; b < 4; ++b) {
                            any = any || num(bands[b], element) != 0;
                            all = all && num(bands[b], element) != 0;
                            if (b > 0)
                                QVERIFY2(num(bands[b], element) >= num(bands[b - 1], element), el);
                        }
                        QVERIFY2(any == all, el);
                    } else if (element == "Si" && num(solution, "Si") == 0) {
                        // No rule keeps an Si adjustment from adding Si to a crop without it.
                        for (const Row& band : bands)
                            QVERIFY2(num(band, "Si") == 0, el);
                    }
                }
            }
        }
        for (const Row& r : rows(*m_ref, "SELECT * FROM TEELT_KCAFactor"))
            QVERIFY2(!r.value("Factor").isNull(), qPrintable(where(r, "Code_TEELT")));
        for (const Row& r : rows(*m_ref, "SELECT a.*, s.NH4 FROM TEELT_NH4Aanpassing a "
                                         "JOIN TEELT_StdVOplossing s ON s.Code_Teelt = a.Code_TEELT")) {
            const QByteArray at = where(r, "Code_TEELT").toUtf8();
            QVERIFY2(num(r, "Class6") <= num(r, "Class7") && num(r, "Class7") <= num(r, "Class8"), at);
            // The advice window flags an NH4 adjustment above half the base.
            QVERIFY2(num(r, "Class8") <= 0.5 * num(r, "NH4"), at);
        }
        QCOMPARE(rows(*m_ref, "SELECT * FROM TEELT_NH4Aanpassing a JOIN TEELT_StdVOplossing s "
                              "ON s.Code_Teelt = a.Code_TEELT")
                     .size(),
                 rows(*m_ref, "SELECT * FROM TEELT_NH4Aanpassing").size());
    }

    void defaultGrowerOrdersFromATestDealer()
    {
        const QList<Row> growers = rows(*m_grower, "SELECT Code_ALG_Handelaar FROM ALG_Tuinder");
        QCOMPARE(growers.size(), 1);
        const int dealer = growers.first().value("Code_ALG_Handelaar").toInt();
        QVERIFY(dealer != 0);
        const QList<Row> found = rows(*m_ref, "SELECT \"Bestel-Email\" FROM ALG_Handelaar WHERE Code = ?", {dealer});
        QCOMPARE(found.size(), 1);
        QVERIFY(!found.first().value("Bestel-Email").toString().trimmed().isEmpty());

        // Default data must never place a real order.
        static const QRegularExpression reserved("@example\\.(com|net|org)$");
        for (const Row& r : rows(*m_ref, "SELECT * FROM ALG_Handelaar"))
            QVERIFY2(reserved.match(r.value("Bestel-Email").toString()).hasMatch(), qPrintable(where(r, "Code")));
    }

    void textsAreComplete()
    {
        QVERIFY(m_texts.size() > 300);
        QCOMPARE(m_texts[0].value("Lang0").toString(), QString("Nederlands"));
        QCOMPARE(m_texts[0].value("Lang1").toString(), QString("English"));
        for (const Row& r : std::as_const(m_texts))
            for (const QString& lang : m_languages)
                QVERIFY2(!r.value(lang).toString().trimmed().isEmpty(), qPrintable(where(r, "ID") + " " + lang));

        auto text = [&](qint64 id, const QString& lang) { return m_texts.value(id).value(lang).toString(); };
        for (const QString& lang : m_languages) {
            // The order margin replaces the first "10%" of this question.
            QVERIFY2(text(999000039, lang).contains("10%"), qPrintable(lang));
            // Joined without a separator: "... K" + " is larger ...", "... than " + "200x".
            QVERIFY2(text(999000011, lang).startsWith(' '), qPrintable(lang));
            QVERIFY2(text(999000012, lang).endsWith(' '), qPrintable(lang));
        }
    }

    void textIdsUsedInTheCodeExist()
    {
        const QDir root(ZELVORA_SOURCE_DIR);
        // Tests may ask for missing IDs on purpose; build trees hold no sources of ours.
        const QSet<QString> skipped = {"tests", "data", ".git"};
        int checked = 0;
        for (QDirIterator it(root.path(), {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            const QString top = root.relativeFilePath(path).section('/', 0, 0);
            if (skipped.contains(top) || top.startsWith("build"))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (qint64 id : textIdsIn(QString::fromUtf8(file.readAll()))) {
                const QByteArray at = QString("%1 in %2").arg(id).arg(root.relativeFilePath(path)).toUtf8();
                QVERIFY2(m_texts.contains(id), at);
                for (const QString& lang : m_languages)
                    QVERIFY2(!m_texts[id].value(lang).toString().trimmed().isEmpty(), at);
                ++checked;
            }
        }
        qInfo("%d text IDs checked in the source", checked);
    }

    void textIdScan_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QList<qint64>>("ids");
        QTest::newRow("plain") << "s = GetLangStr(999000019);" << QList<qint64>{999000019};
        QTest::newRow("second argument") << "SetCaptionLang(ui->lblTeelt_1, 40100100 );" << QList<qint64>{40100100};
        QTest::newRow("nested call") << "box(GetLangStr(999000003) + \"\\r\" + e.description());"
                                     << QList<qint64>{999000003};
        QTest::newRow("computed") << "GetLangStr(30100000 + 100 * r + p); GetLangStr(kBase);" << QList<qint64>{};
        QTest::newRow("other helper") << "ShowStatusLang(main, 1); tr(1);" << QList<qint64>{};
        QTest::newRow("several") << "GetLangStr(1) + GetLangStr( 2 )" << QList<qint64>{1, 2};
    }

    void textIdScan()
    {
        QFETCH(QString, source);
        QFETCH(QList<qint64>, ids);
        QCOMPARE(textIdsIn(source), ids);
    }
};

QTEST_GUILESS_MAIN(TestDefaultData)
#include "test_defaultdata.moc"
