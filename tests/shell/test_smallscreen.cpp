// The program on a screen smaller than the one its windows are laid out for:
// a 1366 by 768 laptop at 125 % leaves 1093 by 614 points, about what a
// 1024 by 600 netbook has.
#include "appstate.h"
#include "frmmain.h"
#include "programfixture.h"
#include "stepwindow.h"
#include "stepwindows.h"
#include "windowroom.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

class TestSmallScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    QMdiArea* area() const { return m_program->main()->mdiArea(); }

    QRect inView(const QWidget* control) const
    {
        return QRect(control->mapTo(area()->viewport(), QPoint(0, 0)), control->size());
    }

    // Moves the work area's scroll bars as a user does until the control is
    // in the view, as far as they go; whether it then is.
    bool scrollsIntoView(const QWidget* control) const
    {
        const QSize view = area()->viewport()->size();
        for (auto [bar, horizontal] :
             {std::pair{area()->horizontalScrollBar(), true}, std::pair{area()->verticalScrollBar(), false}}) {
            const QRect place = inView(control);
            const int start = horizontal ? place.left() : place.top();
            const int end = horizontal ? place.right() + 1 : place.bottom() + 1;
            const int length = horizontal ? view.width() : view.height();
            bar->setValue(bar->value() + (start < 0 ? start : std::max(0, end - length)));
        }
        QCoreApplication::processEvents();
        return area()->viewport()->rect().contains(inView(control));
    }

    // Opens the step in the main window shown as the program shows it, and lets it settle.
    QWidget* open(const char* className, bool maximised = true) const
    {
        if (maximised)
            m_program->main()->showMaximized();
        else
            m_program->main()->show();
        if (!QTest::qWaitForWindowActive(m_program->main()))
            return nullptr;
        QWidget* w = ShowStepWindow(className);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        return w;
    }

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        // A recirculating crop, so that the advice has its reuse boxes.
        for (auto [naam, waarde] : {std::pair{"Code_Teelt", 1}, {"TeeltSysteem", 3}, {"Aanpassing", 1}})
            PutTeeltInstelling(naam, waarde, InstellingMode::Number);
    }

    void cleanup() { m_program.reset(); }

    void theMainWindowFitsTheScreen()
    {
        QVERIFY(m_program->showMain());
        const QRect room = m_program->main()->screen()->availableGeometry();
        QCOMPARE(room.size(), QSize(1093, 614));
        QVERIFY2(room.contains(m_program->main()->frameGeometry()),
                 qPrintable(QString("%1 by %2")
                                .arg(m_program->main()->frameGeometry().width())
                                .arg(m_program->main()->frameGeometry().height())));
    }

    void everyControlOfAStepScrollsIntoView_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("controls");
        const QStringList wizard{"cmdControl_0", "cmdControl_1", "cmdControl_2"};
        QTest::newRow("the advice's reuse")
            << "frmAdvies" << QStringList{"txtAdvies_1002", "lblAdvies_1003", "lblAdvies_1023"} + wizard;
        QTest::newRow("the big bags' totals and buttons")
            << "frmExtraBigBag" << QStringList{"lblEbb_190", "lblEbb_290", "cmdEbb_4", "cmdEbb_5"} + wizard;
    }

    void everyControlOfAStepScrollsIntoView()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, controls);
        QWidget* w = open(qPrintable(step));
        QVERIFY(w);
        for (const QString& name : controls) {
            const auto* control = w->findChild<QWidget*>(name);
            QVERIFY2(control && control->isVisible(), qPrintable(name));
            QVERIFY2(scrollsIntoView(control), qPrintable(name));
        }
    }

    void tabToAControlOutOfSightBringsItIntoView()
    {
        QWidget* w = open("frmAdvies");
        auto* ec = w->findChild<QLineEdit*>("txtAdvies_1001");
        auto* reuse = w->findChild<QLineEdit*>("txtAdvies_1002");
        ec->setFocus();
        QTRY_VERIFY(ec->hasFocus());
        QVERIFY(!area()->viewport()->rect().contains(inView(reuse)));
        QTest::keyClick(ec, Qt::Key_Tab);
        QVERIFY(reuse->hasFocus());
        QVERIFY(area()->viewport()->rect().contains(inView(reuse)));
    }

    void theBoxAStepOpensOnIsInSight()
    {
        // A desktop's title bar and panel take a little more of the screen.
        m_program->main()->showNormal();
        m_program->main()->resize(1093, 560);
        QWidget* w = open("frmAdvies", false);
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first && w->isAncestorOf(first));
        QVERIFY(area()->viewport()->rect().contains(inView(first)));
    }

    void aRestoredStepHasItsDesignedSize()
    {
        QWidget* w = open("frmAdvies");
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        sub->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(w->size(), DesignedSize(w));
        QVERIFY(ShowsEveryControl(w));
        // Maximised and restored again, it comes back the same.
        sub->showMaximized();
        QCoreApplication::processEvents();
        sub->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(w->size(), DesignedSize(w));
    }
};

QTEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
