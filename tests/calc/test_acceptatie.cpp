// The acceptance example of the default data: tomato on rain water, from the
// crop's standard solution to the stock-tank recipe, on the default databases
// as they ship.
#include "advies.h"
#include "calcfixture.h"
#include "recept.h"

#include <QFile>
#include <QtTest>

using namespace CalcFixture;

class TestAcceptatie : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // The lines of one fertiliser (a split one has two).
    static QList<const MeststofRecord*> lines(const MeststofLijst& lijst, qint16 code)
    {
        QList<const MeststofRecord*> found;
        for (const MeststofRecord& r : lijst)
            if (r.Code_MEST == code)
                found << &r;
        return found;
    }

private slots:
    void init() { m_dir = openDefaultState(); }
    void cleanup()
    {
        resetAppState();
        m_dir.reset();
    }

    void tomatoOnRainWater()
    {
        AppState& s = appState();
        insertRow(*s.dbT, "WATER",
                  {{"ID_ALG_Tuinder", s.ID_ALG_Tuinder}, {"ID_HISTORIE", 0}, {"Type", 1}, {"Perc", 100}});
        QVariantMap choice = TestSupport::tomatoChoice();
        choice.insert({{"ID_ALG_Tuinder", s.ID_ALG_Tuinder}, {"ID_HISTORIE", 0}});
        insertRow(*s.dbT, "MEST_Selectie", choice);

        BerekenInstellingen settings;
        settings.Code_Teelt = 1;
        settings.Aanpassing = 1;
        settings.WaterInputType = 1;
        settings.BakGrootte = 1000;
        settings.Concentratie = 100;

        ElementVector t1, advice;
        WaterRecord waterPart, drainPart;
        LaadBerekeningInvoer(s.StreefWaarden, s.AdviesAanpassing, t1, advice, waterPart, drainPart,
                             s.StreefGecorrigeerd, settings);
        // Nothing comes from the water: the corrected target is the standard solution.
        for (int p : kBehoefteElementen)
            QCOMPARE_NEAR(s.StreefGecorrigeerd[p], double(p == P::pH ? 0 : s.StreefWaarden[p]));

        ElementVector ecTarget, tankTarget, result;
        MeststofLijst list{};
        BerekenMeststoffen(s.StreefWaarden, s.StreefGecorrigeerd, ecTarget, tankTarget, list, result, settings);

        const QList<QPair<qint16, double>> amounts = {{1, 91.852},  {6, 49.298},   {11, 6.231},  {4, 17.011},
                                                      {9, 30.493},  {102, 1396.1}, {105, 169.0}, {107, 143.8},
                                                      {109, 286.0}, {112, 18.7},   {114, 12.1}};
        // The data hold the contents to four significant digits; the expected
        // amounts were worked out from the exact ones.
        for (const auto& [code, kg] : amounts) {
            const auto found = lines(list, code);
            QVERIFY2(found.size() == 1, qPrintable(QString("fertiliser %1").arg(code)));
            QVERIFY2(std::fabs(found.first()->Hoeveelheid - kg) < 0.05 + kg * 1e-3,
                     qPrintable(
                         QString("fertiliser %1: %2, expected %3").arg(code).arg(found.first()->Hoeveelheid).arg(kg)));
        }
        const auto liquid = lines(list, 11);
        QVERIFY(std::fabs(liquid.first()->Hoeveelheid2 - 5.066) < 0.005);

        // Potassium nitrate fills the lighter tank and is split over both.
        const auto potassium = lines(list, 3);
        QCOMPARE(potassium.size(), 2);
        double tankA = 0, tankB = 0;
        for (const MeststofRecord* r : potassium)
            (r->Bak == 1 ? tankA : tankB) += r->Hoeveelheid;
        QVERIFY2(std::fabs(tankA - 19.580) < 0.01 && std::fabs(tankB - 20.861) < 0.01,
                 qPrintable(QString("tank A %1, tank B %2").arg(tankA).arg(tankB)));

        for (qint16 code : {1, 11, 102})
            QCOMPARE(lines(list, code).first()->Bak, qint16(1));
        for (qint16 code : {6, 4, 9})
            QCOMPARE(lines(list, code).first()->Bak, qint16(2));
        for (qint16 code : {105, 107, 109, 112, 114})
            QCOMPARE(lines(list, code).first()->Bak, qint16(100));

        // Every requirement met: no element flagged, no message, no question.
        for (int p : kBehoefteElementen)
            QCOMPARE(result[p], 0.0f);
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(MessageBox::last().text));
        QCOMPARE(GetTeeltInstelling("Concentratie_berek", InstellingMode::Number).toInt(), 100);
        QVERIFY(QFile::exists(s.AppPath + "log.txt"));
    }
};

QTEST_GUILESS_MAIN(TestAcceptatie)
#include "test_acceptatie.moc"
