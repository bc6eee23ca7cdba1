// The main window's menu and the wizard between the steps, driven with small
// stand-in windows of the steps' class names.
#include "appstate.h"
#include "desktopinput.h"
#include "frmmain.h"
#include "general.h"
#include "programfixture.h"
#include "stepwindow.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList g_saved; // class names whose s_Save ran
bool g_failSave = false;

class StandIn : public StepWindow {
public:
    bool s_Save() override
    {
        g_saved << metaObject()->className();
        return !g_failSave;
    }
};

} // namespace

// One stand-in per step, under the step's own class name.
class frmBedrijfGeg : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu2"; }
};
class frmMeststoffen : public StandIn {
    Q_OBJECT
public:
    QString menuToolKey() const override { return "mnu3"; }
};
class frmTeelt : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu4"; }
};
class frmWater : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu5"; }
};
class frmDrain : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu5"; }
};
class frmAdvies : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu6"; }
};
class frmExtraBigBag : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu6"; }
};
class frmSamenstel : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu7"; }
};
class frmMailPrint : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu7"; }
};
class frmHistorie : public StepWindow {
    Q_OBJECT
public:
    frmHistorie() : StepWindow(nullptr, Kind::MenuOnly) {}
    QString menuToolKey() const override { return "mnu1"; }
};
class frmEigenTeelt : public StandIn {
    Q_OBJECT public : QString menuToolKey() const override { return "mnu1"; }
};

class TestWizard : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    QStringList openWindows() const
    {
        QStringList names;
        for (QMdiSubWindow* sub : m_program->main()->mdiArea()->subWindowList())
            names << sub->widget()->metaObject()->className();
        return names;
    }

    StepWindow* step(const QString& name) const { return qobject_cast<StepWindow*>(OpenStepWindow(name)); }

    // Presses a wizard button of the open step and lets the windows settle.
    void press(const QString& name, int index)
    {
        StepWindow* w = step(name);
        QVERIFY2(w, qPrintable(name + " is not open"));
        w->cmdControl[index]->click();
        QCoreApplication::processEvents();
    }

    void settings(int teeltsysteem, const QVariant& aanpassing, int extraBigBag)
    {
        QVERIFY(PutTeeltInstelling("TeeltSysteem", teeltsysteem, InstellingMode::Number));
        QVERIFY(PutTeeltInstelling("Aanpassing", aanpassing, InstellingMode::Number));
        QVERIFY(PutTeeltInstelling("ExtraBigBag", extraBigBag, InstellingMode::Number));
    }

    bool toolOn(const QString& key) const { return m_program->main()->tool(key)->isEnabled(); }

    QToolButton* button(const QString& key) const
    {
        return qobject_cast<QToolButton*>(
            m_program->main()->findChild<QToolBar*>("HoofdMenu")->widgetForAction(m_program->main()->tool(key)));
    }

    static void key(QKeyCombination k) { TestSupport::typeKey(k.key(), k.keyboardModifiers()); }
    // The key that a caption's "&" marks: Alt and the letter.
    static QKeyCombination accessKey(const QString& caption) { return QKeySequence::mnemonic(caption)[0]; }

    static bool focusIn(QWidget* w)
    {
        return w && (w == QApplication::focusWidget() || w->isAncestorOf(QApplication::focusWidget()));
    }

private slots:
    void initTestCase()
    {
        RegisterStepWindow("frmBedrijfGeg", [] { return new frmBedrijfGeg; });
        RegisterStepWindow("frmMeststoffen", [] { return new frmMeststoffen; });
        RegisterStepWindow("frmTeelt", [] { return new frmTeelt; });
        RegisterStepWindow("frmWater", [] { return new frmWater; });
        RegisterStepWindow("frmDrain", [] { return new frmDrain; });
        RegisterStepWindow("frmAdvies", [] { return new frmAdvies; });
        RegisterStepWindow("frmExtraBigBag", [] { return new frmExtraBigBag; });
        RegisterStepWindow("frmSamenstel", [] { return new frmSamenstel; });
        RegisterStepWindow("frmMailPrint", [] { return new frmMailPrint; });
        RegisterStepWindow("frmEigenTeelt", [] { return new frmEigenTeelt; });
        RegisterStepWindow("frmHistorie", [] { return new frmHistorie; });
    }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        g_saved.clear();
        g_failSave = false;
    }

    void cleanup() { m_program.reset(); }

    void startsOnTheWorkingSetWithTheFirstGrower()
    {
        QCOMPARE(appState().ID_HISTORIE, 0);
        QVERIFY(appState().ID_ALG_Tuinder > 0);
        QVERIFY(appState().dbH && appState().dbT);
        QCOMPARE(m_program->endedWith(), -1);
        QVERIFY(m_program->main()->statusPanelText(3).startsWith("Versie : "));
        QCOMPARE(m_program->main()->windowTitle(), QString("ZELVORA"));
    }

    void throughTheWholeWizard()
    {
        settings(0, 1, 0); // no recirculation, typed adjustment: no drain step
        m_program->main()->barMain_Click("mnu2");
        QCOMPARE(openWindows(), QStringList{"frmBedrijfGeg"});
        QVERIFY(toolOn("mnu2") && !toolOn("mnu3") && !toolOn("mnu8"));

        press("frmBedrijfGeg", 0);
        QCOMPARE(openWindows(), QStringList{"frmMeststoffen"});
        QCOMPARE(appState().ElementType, qint16(0));
        QVERIFY(toolOn("mnu3") && !toolOn("mnu2"));
        press("frmMeststoffen", 0); // to the micro page, same window
        QCOMPARE(openWindows(), QStringList{"frmMeststoffen"});
        QCOMPARE(appState().ElementType, qint16(1));
        press("frmMeststoffen", 0);
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        press("frmTeelt", 0);
        QCOMPARE(openWindows(), QStringList{"frmWater"});
        press("frmWater", 0);
        QCOMPARE(openWindows(), QStringList{"frmAdvies"});
        press("frmAdvies", 0);
        QCOMPARE(openWindows(), QStringList{"frmSamenstel"});
        press("frmSamenstel", 0);
        QCOMPARE(openWindows(), QStringList{"frmMailPrint"});
        QVERIFY(toolOn("mnu7"));
        press("frmMailPrint", 0);
        QVERIFY(openWindows().isEmpty());
        QVERIFY(toolOn("mnu2") && toolOn("mnu8"));
        QCOMPARE(g_saved, QStringList({"frmBedrijfGeg", "frmMeststoffen", "frmMeststoffen", "frmTeelt", "frmWater",
                                       "frmAdvies", "frmSamenstel", "frmMailPrint"}));
    }

    void backThroughTheWizard()
    {
        settings(0, 1, 0);
        ShowStepWindow("frmMailPrint");
        press("frmMailPrint", 2);
        QCOMPARE(openWindows(), QStringList{"frmSamenstel"});
        press("frmSamenstel", 2);
        QCOMPARE(openWindows(), QStringList{"frmAdvies"});
        press("frmAdvies", 2);
        QCOMPARE(openWindows(), QStringList{"frmWater"});
        press("frmWater", 2);
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        appState().ElementType = 1;
        press("frmTeelt", 2);
        QCOMPARE(openWindows(), QStringList{"frmMeststoffen"});
        QCOMPARE(appState().ElementType, qint16(1)); // back from the crop lands on the micro page
        press("frmMeststoffen", 2);
        QCOMPARE(appState().ElementType, qint16(0));
        QCOMPARE(openWindows(), QStringList{"frmMeststoffen"});
        press("frmMeststoffen", 2);
        QCOMPARE(openWindows(), QStringList{"frmBedrijfGeg"});
        press("frmBedrijfGeg", 2);
        QVERIFY(openWindows().isEmpty());
        QVERIFY(toolOn("mnu2"));
    }

    void drainRule_data()
    {
        QTest::addColumn<int>("teeltsysteem");
        QTest::addColumn<QVariant>("aanpassing");
        QTest::addColumn<QString>("after");
        QTest::newRow("open, typed") << 1 << QVariant(1) << "frmAdvies";
        QTest::newRow("recirculating on EC") << 2 << QVariant(1) << "frmDrain";
        QTest::newRow("recirculating in %") << 3 << QVariant(1) << "frmDrain";
        QTest::newRow("automatic adjustment") << 1 << QVariant(0) << "frmDrain";
        QTest::newRow("drain adjustment") << 0 << QVariant(2) << "frmDrain";
        QTest::newRow("empty adjustment") << 1 << QVariant() << "frmDrain";
    }

    void drainRule()
    {
        QFETCH(int, teeltsysteem);
        QFETCH(QVariant, aanpassing);
        QFETCH(QString, after);
        settings(teeltsysteem, aanpassing, 0);
        ShowStepWindow("frmWater");
        press("frmWater", 0);
        QCOMPARE(openWindows(), QStringList{after});
        if (after == "frmDrain") {
            press("frmDrain", 0);
            QCOMPARE(openWindows(), QStringList{"frmAdvies"});
            press("frmAdvies", 2);
            QCOMPARE(openWindows(), QStringList{"frmDrain"});
            press("frmDrain", 2);
            QCOMPARE(openWindows(), QStringList{"frmWater"});
        } else {
            press("frmAdvies", 2);
            QCOMPARE(openWindows(), QStringList{"frmWater"});
        }
    }

    void bigBagRule_data()
    {
        QTest::addColumn<int>("extraBigBag");
        QTest::addColumn<QStringList>("forward");
        QTest::addColumn<QStringList>("back");
        QTest::newRow("normal") << 0 << QStringList{"frmSamenstel"} << QStringList{"frmAdvies"};
        QTest::newRow("big bags") << 1 << QStringList{"frmExtraBigBag"} << QStringList{"frmExtraBigBag"};
        QTest::newRow("other value: the composition, back to the advice")
            << 2 << QStringList{"frmSamenstel"} << QStringList{"frmAdvies"};
    }

    void bigBagRule()
    {
        QFETCH(int, extraBigBag);
        QFETCH(QStringList, forward);
        QFETCH(QStringList, back);
        settings(0, 1, extraBigBag);
        ShowStepWindow("frmAdvies");
        press("frmAdvies", 0);
        QCOMPARE(openWindows(), forward);
        m_program->closeChildWindows();
        ShowStepWindow("frmSamenstel");
        press("frmSamenstel", 2);
        QCOMPARE(openWindows(), back);
        if (extraBigBag == 1) {
            press("frmExtraBigBag", 0);
            QCOMPARE(openWindows(), QStringList{"frmSamenstel"});
            press("frmSamenstel", 2);
            press("frmExtraBigBag", 2);
            QCOMPARE(openWindows(), QStringList{"frmAdvies"});
        }
    }

    void ownCropsEndInTheMenu()
    {
        for (int index : {0, 2}) {
            ShowStepWindow("frmEigenTeelt");
            QVERIFY(!toolOn("mnu2"));
            press("frmEigenTeelt", index);
            QVERIFY(openWindows().isEmpty());
            QVERIFY(toolOn("mnu2"));
        }
    }

    void aMenuWindowOffersOnlyStop()
    {
        ShowStepWindow("frmHistorie");
        StepWindow* w = step("frmHistorie");
        QVERIFY(!w->cmdControl[0]->isEnabled() && !w->cmdControl[2]->isEnabled());
        QVERIFY(!GaNaarStap(w, 0, w->changed())); // even when called, it neither saves nor moves
        QCOMPARE(openWindows(), QStringList{"frmHistorie"});
        press("frmHistorie", 1);
        QVERIFY(openWindows().isEmpty());
        QVERIFY(toolOn("mnu2"));
    }

    void stopAsksOnlyWithChanges()
    {
        ShowStepWindow("frmTeelt");
        press("frmTeelt", 1);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(g_saved.isEmpty());
        QVERIFY(openWindows().isEmpty());

        for (int answer : {MsgBox::Yes, MsgBox::No}) {
            g_saved.clear();
            ShowStepWindow("frmTeelt");
            step("frmTeelt")->changed() = true;
            MessageBox::setNextAnswer(answer);
            press("frmTeelt", 1);
            QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
            QCOMPARE(g_saved.size(), answer == MsgBox::Yes ? 1 : 0);
            QVERIFY(openWindows().isEmpty());
            QVERIFY(toolOn("mnu2") && toolOn("mnu7"));
        }
    }

    void aStepThatCannotSaveStays()
    {
        ShowStepWindow("frmTeelt");
        g_failSave = true;
        press("frmTeelt", 0);
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        step("frmTeelt")->changed() = true;
        MessageBox::setNextAnswer(MsgBox::Yes);
        press("frmTeelt", 1);
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        g_failSave = false;
    }

    void aKeyThatNamesNoToolIsAnError()
    {
        m_program->main()->barMain_Click("mnu4");
        QVERIFY(toolOn("mnu4") && !toolOn("mnu3"));
        try {
            SetHoofdMenuAan("mnu99");
            QFAIL("the menu took a key it does not have");
        } catch (const AppError& e) {
            QVERIFY(e.description().contains("mnu99"));
        }
        // The menu stays as the step left it.
        QVERIFY(toolOn("mnu4") && !toolOn("mnu3"));
        // A step's own handler reports it like any other error.
        MessageBox::setNextAnswer(MsgBox::Cancel);
        RunUserAction([] { SetHoofdMenuAan("mnu8Sub1"); });
        QVERIFY(MessageBox::last().text.startsWith("Nummer:  35601\nBron: frmMain.BarMain\n"));
        QVERIFY(toolOn("mnu4"));
    }

    void theMenuIsWorkedWithTheKeyboard()
    {
        QVERIFY(m_program->showMain());
        // Alt and a tool's letter opens its step, with the keyboard in it; Esc there is Stop.
        key(accessKey(button("mnu2")->text()));
        QTRY_COMPARE(openWindows(), QStringList{"frmBedrijfGeg"});
        QVERIFY(focusIn(step("frmBedrijfGeg")));
        key(Qt::Key_Escape);
        QTRY_VERIFY(openWindows().isEmpty());
        QVERIFY(toolOn("mnu3"));

        // F10 goes into the band, the arrows from tool to tool (round the band,
        // past the tools that are off), Enter opens one.
        key(Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), button("mnu2")); // no settings window here: the first tool is off
        key(Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), button("mnu8"));
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), button("mnu4"));
        key(Qt::Key_Return);
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        QWidget* inStep = QApplication::focusWidget();
        QVERIFY(focusIn(step("frmTeelt")));

        // With a step open only its own tool is on; Esc leaves the band for where the keyboard was.
        key(Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), button("mnu4"));
        key(Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), button("mnu4"));
        key(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), inStep);
        key(Qt::Key_Escape);
        QTRY_VERIFY(openWindows().isEmpty());

        // The Data tool opens its popup, in which a tool's letter alone opens its window.
        const QKeyCombination eigen = accessKey(m_program->main()->tool("mnu8Sub3")->text());
        // The popup runs its own loop: the letter is typed in it once it is shown.
        bool popup = false;
        QTimer inPopup;
        QObject::connect(&inPopup, &QTimer::timeout, [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                inPopup.stop();
                popup = true;
                TestSupport::typeKeyIn(menu->windowHandle(), eigen.key());
            }
        });
        inPopup.start(10);
        key(accessKey(button("mnu8")->text()));
        QVERIFY(popup);
        QTRY_COMPARE(openWindows(), QStringList{"frmEigenTeelt"});
    }

    void oneWindowPerStep()
    {
        m_program->main()->barMain_Click("MNU4");
        m_program->main()->barMain_Click("mnu4");
        QCOMPARE(openWindows(), QStringList{"frmTeelt"});
        QVERIFY(!toolOn("mnu3"));
        m_program->main()->setMenuTools("all_on");
        QVERIFY(toolOn("mnu3"));
        QVERIFY(!m_program->main()->tool("mnu8Sub2")->isEnabled()); // a window the program does not have stays off
        QVERIFY(m_program->main()->tool("mnu8Sub4")->isEnabled());
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
