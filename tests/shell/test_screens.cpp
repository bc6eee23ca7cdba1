// The program on the screen that CTest gives it: the 1024 by 768 screen its
// windows are laid out for, a larger one, and smaller ones (a 1366 by 768
// laptop at 125 % leaves 1093 by 614 points, a netbook 1024 by 600, an old
// projector 800 by 600).
#include "appstate.h"
#include "defaultstate.h"
#include "frmmain.h"
#include "frmprintpreview.h"
#include "programfixture.h"
#include "stepwindow.h"
#include "stepwindows.h"
#include "windowroom.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

namespace {

// What a maximised window has of a 1024 by 768 screen, and what a restored step takes.
const QSize kDesigned(1000, 640);

const char* const kWizardSteps[] = {"frmBedrijfGeg", "frmTeelt",       "frmWater",    "frmDrain",
                                    "frmAdvies",     "frmExtraBigBag", "frmSamenstel"};
const char* const kSteps[] = {"frmBedrijfGeg", "frmMeststoffen", "frmTeelt",       "frmWater",          "frmDrain",
                              "frmAdvies",     "frmExtraBigBag", "frmRegistratie", "frmEigenTeelt",     "frmMestPref",
                              "frmSamenstel",  "frmMailPrint",   "frmHistorie",    "frmSamenstelSimpel"};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    frmMain* main() const { return m_program->main(); }
    QMdiArea* area() const { return main()->mdiArea(); }
    static QSize screenRoom() { return QGuiApplication::primaryScreen()->availableGeometry().size(); }
    static bool screenOfTheDesign() { return screenRoom().width() >= 1024 && screenRoom().height() >= 768; }

    QRect inView(const QWidget* control) const
    {
        return QRect(control->mapTo(area()->viewport(), QPoint(0, 0)), control->size());
    }
    bool inSight(const QWidget* control) const { return area()->viewport()->rect().contains(inView(control)); }
    QPoint scrolled() const { return {area()->horizontalScrollBar()->value(), area()->verticalScrollBar()->value()}; }

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
            // As a drag of the slider moves it.
            bar->setSliderPosition(bar->value() + (start < 0 ? start : std::max(0, end - length)));
            settle();
        }
        return inSight(control);
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // A press of the left button on the middle of the control, through the
    // main window as a desktop delivers it; the release follows once the
    // program has done what the press made it do.
    void press(const QWidget* control) const
    {
        QTest::mousePress(main()->windowHandle(), Qt::LeftButton, {}, control->mapTo(main(), control->rect().center()));
        settle();
    }
    void release(const QPoint& at) const
    {
        QTest::mouseRelease(main()->windowHandle(), Qt::LeftButton, {}, at);
        settle();
    }

    // Opens the step in the main window shown as the program shows it, and lets it settle.
    QWidget* open(const char* className, bool maximised = true) const
    {
        if (maximised)
            main()->showMaximized();
        else
            main()->show();
        if (!QTest::qWaitForWindowActive(main()))
            return nullptr;
        QWidget* w = ShowStepWindow(className);
        settle();
        return w;
    }

    static QMdiSubWindow* frameOf(QWidget* step) { return qobject_cast<QMdiSubWindow*>(step->parentWidget()); }

private slots:
    void initTestCase()
    {
        RegisterStepWindows();
        // The steps' sizes follow the desktop's face: the figures here hold
        // for Debian's own, which set-up installs.
        QApplication::setFont(QFont("DejaVu Sans", 9));
        QCOMPARE(QFontInfo(QApplication::font()).family(), QString("DejaVu Sans"));
        qInfo("screen %d by %d", screenRoom().width(), screenRoom().height());
    }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        // A recirculating crop, so that the advice has its reuse boxes.
        for (auto [naam, waarde] : {std::pair{"Code_Teelt", 1}, {"TeeltSysteem", 3}, {"Aanpassing", 1}})
            PutTeeltInstelling(naam, waarde, InstellingMode::Number);
    }

    void cleanup() { m_program.reset(); }

    void theMainWindowFitsTheScreenAlsoRestored()
    {
        const QRect room = main()->screen()->availableGeometry();
        const auto fits = [&] {
            const QRect outer = main()->frameGeometry();
            return room.contains(outer) && outer != main()->geometry();
        };
        // Shown first maximised, as at the start, and then restored.
        main()->showMaximized();
        QVERIFY(QTest::qWaitForWindowActive(main()));
        QVERIFY(fits());
        main()->showNormal();
        settle();
        QVERIFY2(
            fits(),
            qPrintable(QString("%1 by %2").arg(main()->frameGeometry().width()).arg(main()->frameGeometry().height())));
        if (room.width() >= 1280 && room.height() >= 960)
            QCOMPARE(main()->size(), QSize(1024, 768));
    }

    void everyWizardButtonTakesAClickThroughTheWindow_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("button");
        for (const char* step : kWizardSteps)
            for (int button : {0, 1, 2})
                QTest::addRow("%s %d", step, button) << QString(step) << button;
    }

    void everyWizardButtonTakesAClickThroughTheWindow()
    {
        QFETCH(QString, step);
        QFETCH(int, button);
        // The composition opens on an advice, and shows a recipe.
        if (step == "frmSamenstel")
            QVERIFY(TestSupport::chooseTomatoExample() && open("frmAdvies"));
        QWidget* w = open(qPrintable(step));
        QVERIFY(w);
        auto* control = w->findChild<QPushButton*>(QString("cmdControl_%1").arg(button));
        QVERIFY(control && control->isVisible() && control->isEnabled());
        QVERIFY(scrollsIntoView(control));
        // The user took longer than the steps' hover timers.
        for (QTimer* timer : w->findChildren<QTimer*>(QRegularExpression("^tmr")))
            QMetaObject::invokeMethod(timer, "timeout");
        // Nothing lies over any part of it: a click from end to end reaches it.
        for (const int x : {2, control->width() / 2, control->width() - 3}) {
            const QWidget* hit = main()->childAt(control->mapTo(main(), QPoint(x, control->height() / 2)));
            QVERIFY2(hit == control || control->isAncestorOf(hit), qPrintable(hit ? hit->objectName() : "none"));
        }
        QSignalSpy clicked(control, &QPushButton::clicked);
        const QPoint at = control->mapTo(main(), control->rect().center());
        press(control);
        release(at);
        QCOMPARE(clicked.count(), 1);
    }

    void aPressDoesNotMoveTheWorkArea()
    {
        // The box farthest from the one the step opens on, scrolled to by hand.
        QWidget* w = open("frmAdvies");
        QLineEdit* far = nullptr;
        for (QLineEdit* box : w->findChildren<QLineEdit*>())
            if (box->isVisible() && box->isEnabled() &&
                (!far || inView(box).bottomRight().manhattanLength() > inView(far).bottomRight().manhattanLength()))
                far = box;
        QVERIFY(far && scrollsIntoView(far));
        const QPoint before = scrolled();
        const QPoint at = far->mapTo(main(), far->rect().center());
        press(far);
        QCOMPARE(scrolled(), before);
        release(at);
        QCOMPARE(scrolled(), before);
        QVERIFY(far->hasFocus());
    }

    void tabToAControlOutOfSightBringsItIntoView()
    {
        QWidget* w = open("frmAdvies");
        auto* ec = w->findChild<QLineEdit*>("txtAdvies_1001");
        auto* reuse = w->findChild<QLineEdit*>("txtAdvies_1002");
        ec->setFocus();
        QTRY_VERIFY(ec->hasFocus());
        if (screenOfTheDesign())
            QVERIFY(inSight(reuse));
        QTest::keyClick(ec, Qt::Key_Tab);
        QVERIFY(reuse->hasFocus());
        QVERIFY(inSight(reuse));
    }

    void theBoxAStepOpensOnIsInSight()
    {
        // A desktop's title bar and panel take a little more of the screen.
        main()->showNormal();
        main()->resize(main()->size() - QSize(0, 54));
        QWidget* w = open("frmAdvies", false);
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first && w->isAncestorOf(first));
        QVERIFY(inSight(first));
    }

    void theGrowerStepShowsItsCaptions()
    {
        QWidget* w = open("frmBedrijfGeg");
        for (QGroupBox* frame : w->findChildren<QGroupBox*>())
            if (frame->isVisible())
                QVERIFY2(frame->mapTo(w, QPoint(0, 0)).y() >= 0, qPrintable(frame->title()));
        QVERIFY(ShowsEveryControl(w));
    }

    void noStepScrollsOnTheScreenOfItsDesign()
    {
        if (!screenOfTheDesign())
            QSKIP("the screen is smaller than the one the steps are laid out for");
        for (const char* step : kSteps) {
            QWidget* w = open(step);
            QVERIFY2(w, step);
            QVERIFY2(area()->horizontalScrollBar()->maximum() == 0 && area()->verticalScrollBar()->maximum() == 0,
                     step);
            m_program->closeChildWindows();
        }
    }

    void aRestoredStepHasItsDesignedSize_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QSize>("designed");
        // The water's mixed row and the blends' second frame reach a little further.
        const QHash<QString, QSize> wider{{"frmWater", {1013, 640}}, {"frmExtraBigBag", {1001, 640}}};
        for (const char* step : kSteps)
            QTest::newRow(step) << QString(step) << wider.value(step, kDesigned);
    }

    void aRestoredStepHasItsDesignedSize()
    {
        QFETCH(QString, step);
        QFETCH(QSize, designed);
        if (step == "frmSamenstel") // it opens on an advice
            QVERIFY(open("frmAdvies"));
        QWidget* w = open(qPrintable(step));
        QVERIFY(w);
        QMdiSubWindow* sub = frameOf(w);
        sub->showNormal();
        settle();
        QCOMPARE(w->size(), designed);
        QVERIFY(ShowsEveryControl(w));
        // Maximised and restored again, it comes back the same.
        sub->showMaximized();
        settle();
        sub->showNormal();
        settle();
        QCOMPARE(w->size(), designed);
    }

    void aRestoredStepStaysWhereTheUserPutIt()
    {
        QWidget* w = open("frmAdvies");
        QMdiSubWindow* sub = frameOf(w);
        sub->showNormal();
        settle();
        const QPoint put(30, 20);
        if (!area()->viewport()->rect().contains(QRect(put, sub->size())))
            QSKIP("the step does not fit the work area");
        sub->move(put);
        sub->showMaximized();
        settle();
        sub->showNormal();
        settle();
        QCOMPARE(sub->pos(), put);
    }

    void theWheelMovesTheOnlyScrollBar()
    {
        for (const char* step : kSteps) {
            QWidget* w = open(step);
            QVERIFY2(w, step);
            QScrollBar* across = area()->horizontalScrollBar();
            if (across->maximum() > 0 && area()->verticalScrollBar()->maximum() == 0) {
                across->setValue(0);
                // Through the main window, over the step, as a desktop delivers it.
                const QPoint at = w->mapTo(main(), w->rect().center());
                QWheelEvent wheel(at, main()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase,
                                  false);
                // As QTest gives keys: sendEvent would take it for one the program made itself.
                QSpontaneKeyEvent::setSpontaneous(&wheel);
                qApp->notify(main()->windowHandle(), &wheel);
                settle();
                QVERIFY2(across->value() > 0, step);
                return;
            }
            m_program->closeChildWindows();
        }
        QSKIP("no step has only a horizontal scroll bar here");
    }

    void thePrintPreviewFitsTheScreen()
    {
        frmPrintPreview& preview = frmPrintPreview::instance();
        bool fits = false;
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitForWindowActive(&preview))
                fits = QRect(QPoint(0, 0), screenRoom()).contains(preview.frameGeometry());
            preview.reject();
        });
        preview.showModal();
        frmPrintPreview::release();
        QVERIFY(fits);
    }
};

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
