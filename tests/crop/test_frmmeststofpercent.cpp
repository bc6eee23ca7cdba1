// The share of a second source, typed into its modal dialog.
#include "appstate.h"
#include "defaultstate.h"
#include "frmmeststofpercent.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestFrmMeststofPercent : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // Shows the dialog for the row with this share; `drive` works it once it is up.
    static float vraag(qint16 index, float perc, const std::function<void(frmMeststofPercent&)>& drive)
    {
        frmMeststofPercent dialog;
        dialog.ElementIndex = index;
        dialog.ElementPerc = perc;
        QTimer::singleShot(0, &dialog, [&] {
            drive(dialog);
            if (dialog.isVisible())
                dialog.reject();
        });
        dialog.exec();
        return dialog.ElementPerc;
    }
    static void bevestig(frmMeststofPercent& d, const QString& tekst)
    {
        d.txtMeststofPercent->setText(tekst);
        d.cmdMeststofPercent->click();
    }

private slots:
    void initTestCase() { m_dir = TestSupport::openDefaultState(TestSupport::Open::TextsOnly); }
    void cleanupTestCase()
    {
        resetAppState();
        m_dir.reset();
    }
    void init() { MessageBox::clear(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void sharesFromNoneToAllAreTakenAndEscapeLeavesTheShare()
    {
        QCOMPARE(vraag(8, 50, [](auto& d) { bevestig(d, "0"); }), 0.0f);
        QCOMPARE(vraag(8, 50, [](auto& d) { bevestig(d, "100"); }), 100.0f);
        QCOMPARE(vraag(8, 50, [](auto& d) { bevestig(d, ""); }), 0.0f); // an emptied box: no share
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(vraag(8, 40,
                       [](frmMeststofPercent& d) {
                           d.txtMeststofPercent->setText("90");
                           QTest::keyClick(&d, Qt::Key_Escape);
                       }),
                 40.0f);
    }

    // What is no number is told so, with the range, as every number box does.
    void outOfRangeOrNoNumberStaysToBeCorrected()
    {
        const QString veld = GetLangStr(32100800) + ": "; // the second phosphate source
        const QString bereik = GetLangStr(999000085).arg("0", "100");
        const std::pair<QString, bool> gevallen[] = {
            {"-0.1", true}, {"100.1", true}, {"veertig", false}, {"4O", false}, {"7,5", false}};
        for (const auto& [tekst, getal] : gevallen) {
            MessageBox::clear();
            bool open = false, selected = false;
            const float perc = vraag(8, 50, [&](frmMeststofPercent& d) {
                bevestig(d, tekst);
                open = d.isVisible();
                selected = d.txtMeststofPercent->selectedText() == tekst;
            });
            QVERIFY2(open && selected, qPrintable(tekst));
            QCOMPARE(perc, 50.0f);
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::last().text,
                     veld + (getal ? bereik : GetLangStr(999000087).arg(tekst) + " " + bereik));
        }
    }

    void theShareIsShownToOneDecimalInTheUsersLocale()
    {
        QString getoond;
        vraag(101, 7.26f, [&](frmMeststofPercent& d) {
            QCOMPARE(d.windowTitle(), GetLangStr(32110100)); // the iron row asks for iron's share
            getoond = d.txtMeststofPercent->text();
        });
        QCOMPARE(getoond, QString("7.3"));

        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        const float perc = vraag(8, 12.5f, [&](frmMeststofPercent& d) {
            getoond = d.txtMeststofPercent->text();
            bevestig(d, "33,5");
        });
        QCOMPARE(getoond, QString("12,5"));
        QCOMPARE(perc, 33.5f);
    }
};

QTEST_MAIN(TestFrmMeststofPercent)
#include "test_frmmeststofpercent.moc"
