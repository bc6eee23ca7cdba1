// The dialogs as the user meets them on screen: above the splash window, in
// the program's language, and closed as cancelled when the program is told
// to stop.
#include "appstate.h"
#include "frmmain.h"
#include "frmsplash.h"
#include "frmtaal.h"
#include "fulldisk.h"
#include "instanceguard.h"
#include "programfixture.h"
#include "qtlanguage.h"
#include "ui/dialogs.h"
#include "ui/widgetdialogs.h"
#include "wizard.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLibraryInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

// Shows a message through the widget presenter; `look` sees the box on
// screen, then it is answered with its escape button.
int showOnScreen(int style, const std::function<void(QMessageBox*)>& look)
{
    QTimer::singleShot(0, [look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        look(box);
        box->reject();
    });
    MessageBox::setScripted(false);
    const int answer = MessageBox::show("Vraag", style);
    MessageBox::setScripted(true);
    return answer;
}

QStringList buttonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text().remove('&');
    texts.sort();
    return texts;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installWidgetDialogs();
        RegisterStepWindow("frmTaal", [] { return new frmTaal; });
        InstanceGuard::instance().setServerName(QString("zelvora-dialogs-%1").arg(QCoreApplication::applicationPid()));
    }

    void splashTakesTheKeyboardAndStaysBelowMessages()
    {
        ProgramFixture p(false);
        auto* splash = new frmSplash(60000);
        QVERIFY(!splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(splash->windowType(), Qt::Window); // a window manager gives a splash-screen window no keyboard
        splash->show();
        QTRY_VERIFY(splash->isActiveWindow());
        QCOMPARE(QGuiApplication::focusWindow(), splash->windowHandle());

        // Enter reaches the splash without a click first.
        QPointer<frmSplash> watch(splash);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        QTRY_VERIFY(!watch);
        QVERIFY(p.main()->isVisible());

        // A message of the start stands above the splash.
        splash = new frmSplash(60000);
        splash->show();
        QTRY_VERIFY(splash->isActiveWindow());
        showOnScreen(MsgBox::OkOnly, [&](QMessageBox* box) {
            QCOMPARE(box->parentWidget(), splash);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        });

        splash->close();
    }

    void standardButtonsFollowTheLanguage()
    {
        const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(dir + "/qtbase_nl.qm")) {
            // Set-up installs it: under CI a missing one is a fault of set-up, as a missing full disk is.
            if (TestSupport::ciRun())
                QFAIL("CI needs Qt's Dutch translation (Debian package qt6-translations-l10n)");
            QSKIP("Qt's Dutch translation is not installed (Debian package qt6-translations-l10n)");
        }
        ProgramFixture p;
        QVERIFY(SetQtLanguage(0));
        QCOMPARE(showOnScreen(MsgBox::YesNo | MsgBox::Question,
                              [](QMessageBox* box) {
                                  QCOMPARE(buttonTexts(box), QStringList({"Ja", "Nee"}));
                              }),
                 int(MsgBox::No));

        // Choosing English in the settings window changes them at once.
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        w->cboTaal[0]->setCurrentIndex(1);
        showOnScreen(MsgBox::YesNoCancel, [](QMessageBox* box) {
            QCOMPARE(buttonTexts(box), QStringList({"Cancel", "No", "Yes"}));
        });
        w->cboTaal[0]->setCurrentIndex(0);
        showOnScreen(MsgBox::YesNoCancel, [](QMessageBox* box) {
            QCOMPARE(buttonTexts(box), QStringList({"Annuleren", "Ja", "Nee"}));
        });
    }

    // Last: after a stop no dialog of this process is shown any more.
    void aStopAnswersEveryQuestionAsCancelled()
    {
        ProgramFixture p;
        MessageBox::setScripted(false);
        bool wasOpen = false;
        QTimer::singleShot(0, [&] {
            wasOpen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
            cancelWidgetDialogs();
        });
        QCOMPARE(MessageBox::show("Opslaan?", MsgBox::YesNoCancel), int(MsgBox::Cancel));
        QVERIFY(wasOpen);
        // Questions asked on the way out are not shown and change nothing.
        QCOMPARE(MessageBox::show("Opslaan?", MsgBox::YesNo), int(MsgBox::No));
        QCOMPARE(MessageBox::show("Opnieuw?", MsgBox::RetryCancel), int(MsgBox::Cancel));
        QCOMPARE(MessageBox::show("Klaar", MsgBox::OkOnly), int(MsgBox::Ok));
        QVERIFY(!QApplication::activeModalWidget());
        MessageBox::setScripted(true);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
