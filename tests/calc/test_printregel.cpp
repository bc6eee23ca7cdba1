// A print line's element members are reached by ElementVector position, so
// the big-bag blends are read and totalled through the element catalogue.
#include "clsprintmeststofmeststof.h"
#include "elementen.h"

#include <QtTest>

class TestPrintRegel : public QObject {
    Q_OBJECT

private slots:
    void elementPositionsReachTheNamedMembers()
    {
        clsPrintMeststofMeststof lijn;
        const struct {
            int positie;
            float clsPrintMeststofMeststof::*lid;
        } leden[] = {{EP::pNH4, &clsPrintMeststofMeststof::NH4},
                     {EP::pNa, &clsPrintMeststofMeststof::Na},
                     {EP::pHCO3, &clsPrintMeststofMeststof::HCO3},
                     {EP::pFe, &clsPrintMeststofMeststof::Fe},
                     {EP::pMo, &clsPrintMeststofMeststof::Mo},
                     {EP::pH, &clsPrintMeststofMeststof::H},
                     {EP::pOH, &clsPrintMeststofMeststof::OH},
                     {EP::pEC, &clsPrintMeststofMeststof::EC},
                     {EP::pKationSom, &clsPrintMeststofMeststof::Kionen},
                     {EP::pAnionSom, &clsPrintMeststofMeststof::AIonen}};
        for (const auto& l : leden)
            QCOMPARE(&lijn.element(l.positie), &(lijn.*l.lid));

        // Every position is a member of its own: filling one leaves the others alone.
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            lijn.element(p) = float(p + 1);
        const clsPrintMeststofMeststof& vast = lijn;
        for (int p = 0; p < ElementVector::FloatCount; ++p)
            QCOMPARE(vast.element(p), float(p + 1));
    }
};

QTEST_GUILESS_MAIN(TestPrintRegel)
#include "test_printregel.moc"
