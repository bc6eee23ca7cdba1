// The arithmetic of the own-crop editor: the balance at its tolerance, what
// may be typed, and stepping through codes that need not include the current one.
#include "appstate.h"
#include "stdvoplossing.h"

#include <QtTest>

class TestStdVOplossing : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { appState().UnitID = 0; }

    void balanceWithinOneHundredthOfAPercent()
    {
        ElementVector v;
        v.K = 10;
        v.NO3 = 10.0009f;
        QVERIFY(IsInBalans(BerekenIonenSommen(v)));
        v.NO3 = 10.002f;
        QVERIFY(!IsInBalans(BerekenIonenSommen(v)));
        // Na and HCO3 are no part of a standard solution's sums.
        v = ElementVector{};
        v.Ca = 2;
        v.SO4 = 2;
        v.Na = 5;
        v.HCO3 = 3;
        const IonenSommen s = BerekenIonenSommen(v);
        QCOMPARE(s.kationen, 4.0f);
        QVERIFY(IsInBalans(s));
        QCOMPARE(SchatEC(s), 0.4f);
        QVERIFY(IsInBalans(BerekenIonenSommen(ElementVector{})));
    }

    void typedValues()
    {
        QLocale::setDefault(QLocale::c());
        float mmol = -1;
        QVERIFY(LeesElementWaarde("", "K", mmol));
        QCOMPARE(mmol, 0.0f);
        for (const char* fout : {"-1", "1e40"})
            QVERIFY2(!LeesElementWaarde(fout, "K", mmol), fout);
        appState().UnitID = 1;
        QVERIFY(LeesElementWaarde("9", "Mo", mmol));
        QCOMPARE(mmol, 2.25f);

        qint16 code = 0;
        QVERIFY(LeesTeeltCode("31767", code));
        QCOMPARE(code, qint16(31767));
        for (const char* fout : {"", "-5", "31768", "2.5"})
            QVERIFY2(!LeesTeeltCode(fout, code), fout);
    }

    void steppingStaysAtTheEnds()
    {
        const QList<qint16> codes{3, 7, 12};
        QCOMPARE(VolgendeCode(codes, 3), qint16(7));
        QCOMPARE(VolgendeCode(codes, 12), qint16(12));
        QCOMPARE(VorigeCode(codes, 7), qint16(3));
        QCOMPARE(VorigeCode(codes, 3), qint16(3));
        // A new crop, or one deleted meanwhile, steps to its neighbours.
        QCOMPARE(VorigeCode(codes, -1), qint16(3));
        QCOMPARE(VolgendeCode(codes, 9), qint16(12));
        QCOMPARE(VorigeCode(codes, 9), qint16(7));
        QCOMPARE(VolgendeCode({}, 5), qint16(5));
        QCOMPARE(VorigeCode({}, 0), qint16(0));
    }
};

QTEST_GUILESS_MAIN(TestStdVOplossing)
#include "test_stdvoplossing.moc"
