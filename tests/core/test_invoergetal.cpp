// Reading a typed number: what every number box of the program accepts and refuses.
#include "appstate.h"
#include "defaultstate.h"
#include "invoergetal.h"

#include <QtTest>

class TestInvoerGetal : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        resetAppState();
        m_dir.reset();
    }

    void readsWithinTheRangeAndRefusesTheRestLeavingTheValue()
    {
        const InvoerBereik bereik{0, 100, 2, false};
        double value = -1;
        QCOMPARE(LeesInvoer("", bereik, value), InvoerFout::Geen);
        QCOMPARE(value, 0.0); // an empty box is 0
        QCOMPARE(LeesInvoer(" 100 ", bereik, value), InvoerFout::Geen);
        QCOMPARE(value, 100.0); // both limits belong to the range
        for (const char* refused : {"100.01", "-0.5", "inf"}) {
            value = 7;
            QCOMPARE(LeesInvoer(refused, bereik, value), InvoerFout::BuitenBereik);
            QCOMPARE(value, 7.0);
        }
        for (const char* refused : {"abc", "7,5", "12a", "1e400"}) {
            value = 7;
            QCOMPARE(LeesInvoer(refused, bereik, value), InvoerFout::GeenGetal);
            QCOMPARE(value, 7.0);
        }
    }

    void theUsersDecimalSignIsRead()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        double value = 0;
        QCOMPARE(LeesInvoer("7,5", {0, 100, 2, false}, value), InvoerFout::Geen);
        QCOMPARE(value, 7.5);
    }

    void aWholeNumberRoundsHalvesToEvenBeforeTheRangeIsChecked()
    {
        const InvoerBereik geheel{0, 32767, 0, true};
        double value = 0;
        QCOMPARE(LeesInvoer("2.5", geheel, value), InvoerFout::Geen);
        QCOMPARE(value, 2.0);
        QCOMPARE(LeesInvoer("32767.4", geheel, value), InvoerFout::Geen);
        QCOMPARE(value, 32767.0);
        QCOMPARE(LeesInvoer("32767.6", geheel, value), InvoerFout::BuitenBereik);
    }

    void aMessageNamesItsBoxOnlyWhenTheBoxHasACaption()
    {
        m_dir = TestSupport::openDefaultState(TestSupport::Open::TextsOnly);
        const InvoerBereik bereik{0, 100, 2, false};
        const QString melding = InvoerMelding("", InvoerFout::BuitenBereik, "200", bereik);
        QVERIFY2(!melding.isEmpty() && !melding.startsWith(':'), qPrintable(melding));
        QCOMPARE(InvoerMelding("Kg", InvoerFout::BuitenBereik, "200", bereik), "Kg: " + melding);
    }
};

QTEST_GUILESS_MAIN(TestInvoerGetal)
#include "test_invoergetal.moc"
