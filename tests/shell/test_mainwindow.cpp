// The main window's life: first activation, the grower-database choice, the
// splash window, the settings window, the database update and closing.
#include "appstate.h"
#include "db/database.h"
#include "frmmain.h"
#include "frmselecttuinder.h"
#include "frmsplash.h"
#include "frmtaal.h"
#include "fulldisk.h"
#include "ini/inifile.h"
#include "instanceguard.h"
#include "program.h"
#include "programfixture.h"
#include "programsettings.h"
#include "registry/registry.h"
#include "startup.h"
#include "stepwindow.h"
#include "testdatabases.h"
#include "ui/dialogs.h"
#include "unreadablefile.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

// A step that refuses to close while it holds unsaved work.
class frmTeelt : public StepWindow {
    Q_OBJECT
public:
    bool refuse = true;
    QString menuToolKey() const override { return "mnu4"; }

protected:
    bool queryUnload() override { return !refuse; }
};

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_registry;

    int openChildren(ProgramFixture& p) const { return p.main()->mdiArea()->subWindowList().size(); }

    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }

    static bool writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    // Closing the settings window tells once that the settings were not saved.
    static void closingSaysNotSaved(frmTaal* w, const QString& message = GetLangStr(999000072))
    {
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, message);
    }

private slots:
    void initTestCase()
    {
        RegisterStepWindow("frmTeelt", [] { return new frmTeelt; });
        RegisterStepWindow("frmTaal", [] { return new frmTaal; });
        Registry::setRootDirectory(m_registry.path());
    }

    void missingGrowerDatabaseEndsWithAMessage()
    {
        ProgramFixture p(false);
        appState().TDatabaseNaam = "weg.mdb";
        p.main()->MDIForm_Activate();
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000018) + "\n"));
        QVERIFY(MessageBox::last().text.contains("weg.mdb"));
        QCOMPARE(p.endedWith(), 1);
        QVERIFY(!QFile::exists(p.appPath() + "weg.mdb")); // no empty file in its place
        QVERIFY(!appState().dbT);
    }

    void missingReferenceDatabaseEndsAtLoad()
    {
        QTemporaryDir dir;
        resetAppState();
        TestSupport::scriptDialogs();
        int ended = -1;
        SetEndProgramHandler([&](int code) { ended = code; });
        appState().AppPath = dir.path() + "/";
        appState().HDatabaseNaam = "ZelvoraH.mdb";
        {
            frmMain main;
            QCOMPARE(ended, 1);
            QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000018)));
        }
        SetEndProgramHandler({});
    }

    void growerDatabasesWithoutTheirTablesAreRefusedUntouched()
    {
        // An empty file, and another database, under the grower database's name.
        for (const bool foreign : {false, true}) {
            ProgramFixture p(false);
            const QString file = p.appPath() + "ZelvoraT.mdb";
            QVERIFY(QFile::remove(file));
            if (foreign) {
                QVERIFY(QFile::copy(p.appPath() + "PlomLang.mdb", file));
            } else {
                QFile empty(file);
                QVERIFY(empty.open(QIODevice::WriteOnly));
            }
            const QByteArray before = bytesOf(file);
            p.main()->MDIForm_Activate();
            QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000018) + "\n"));
            QVERIFY(!MessageBox::last().text.contains("SELECT"));
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(p.endedWith(), 1);
            QVERIFY(!appState().dbT);
            QCOMPARE(bytesOf(file), before);
            QVERIFY(!QFile::exists(file + "-wal"));
            // Nothing was edited, so closing asks nothing.
            QVERIFY(p.main()->close());
            QCOMPARE(MessageBox::shown().size(), 1);
        }
    }

    void aGrowerDatabaseLockedByAnotherProgramIsReportedAsLocked_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("Dutch")
            << qint16(0)
            << "Het programma kan niet starten en wordt afgesloten.\nKan niet bijwerken; de database is "
               "vergrendeld door een andere gebruiker of een ander programma.";
        QTest::newRow("English") << qint16(1)
                                 << "The program cannot start and will close.\nCould not update; currently locked by "
                                    "another user or program.";
    }

    // Another program that holds the grower database is reported as a lock,
    // not as a damaged file that the grower might delete, and all of it in
    // the grower's language.
    void aGrowerDatabaseLockedByAnotherProgramIsReportedAsLocked()
    {
        QFETCH(qint16, language);
        QFETCH(QString, message);
        ProgramFixture p(false);
        appState().languageID = language;
        OpenRsLang();
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "otherProgram");
            other.setDatabaseName(p.appPath() + "ZelvoraT.mdb");
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec("PRAGMA locking_mode = EXCLUSIVE"));
            QVERIFY(q.exec("BEGIN EXCLUSIVE"));
            p.main()->MDIForm_Activate();
            QCOMPARE(MessageBox::last().text, message);
            QCOMPARE(p.endedWith(), 1);
            QVERIFY(q.exec("ROLLBACK"));
            q = QSqlQuery();
            other.close();
        }
        QSqlDatabase::removeDatabase("otherProgram");
    }

    void aGrowerDatabaseOnAFullDiskIsToldAsAFullDisk_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("Dutch") << qint16(0)
                               << "Het programma kan niet starten en wordt afgesloten.\nDe schijf met '%1' is vol, "
                                  "daarom kan het bestand niet worden geopend. Maak ruimte vrij op de schijf en "
                                  "probeer het opnieuw.";
        QTest::newRow("English") << qint16(1)
                                 << "The program cannot start and will close.\nThe disk that holds '%1' is full, so "
                                    "the file cannot be opened. Make room on the disk and try again.";
    }

    // A write-ahead database needs room beside it to be read; without it the
    // good file is not told as an unknown format that the grower might throw
    // away, and it is left as it was.
    void aGrowerDatabaseOnAFullDiskIsToldAsAFullDisk()
    {
        QFETCH(qint16, language);
        QFETCH(QString, message);
        FullDisk disk("1m");
        FULL_DISK_OR_SKIP(disk);
        ProgramFixture p(false);
        appState().languageID = language;
        OpenRsLang();
        const QString file = disk.path() + "ZelvoraT.mdb";
        QVERIFY(QFile::copy(p.appPath() + "ZelvoraT.mdb", file));
        Database(file).close(); // in write-ahead mode from now on
        const QByteArray before = bytesOf(file);
        QVERIFY(disk.fill());
        appState().AppPath = disk.path();
        p.main()->MDIForm_Activate();
        QCOMPARE(MessageBox::last().text, message.arg(file));
        QCOMPARE(p.endedWith(), 1);
        QVERIFY(!appState().dbT);
        QCOMPARE(bytesOf(file), before);
    }

    void aReferenceDatabaseWithoutItsTablesEndsAtLoad()
    {
        QTemporaryDir dir;
        TestSupport::makeDefaultDatabases(dir.path());
        resetAppState();
        TestSupport::scriptDialogs();
        int ended = -1;
        SetEndProgramHandler([&](int code) { ended = code; });
        appState().AppPath = dir.path() + "/";
        appState().HDatabaseNaam = "ZelvoraT.mdb"; // a grower database in its place
        OpenLanguageDb();
        OpenRsLang();
        QFile grower(dir.filePath("ZelvoraT.mdb"));
        QVERIFY(grower.open(QIODevice::ReadOnly));
        const QByteArray before = grower.readAll();
        grower.close();
        {
            frmMain main;
            QCOMPARE(ended, 1);
            QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000018) + "\n"));
            QVERIFY(!appState().dbH);
        }
        QVERIFY(grower.open(QIODevice::ReadOnly));
        QCOMPARE(grower.readAll(), before);
        SetEndProgramHandler({});
        resetAppState();
    }

    // Whole, and each with a letter of its own: Alt and the letter on the band, the letter alone in the popup.
    void menuCaptionsAreNeverCutAndEachHasItsLetter()
    {
        ProgramFixture p(false);
        for (const qint16 language : {qint16(0), qint16(1)}) {
            appState().languageID = language;
            OpenRsLang();
            frmMain main;
            QCOMPARE(main.tool("mnu71")->text(), GetLangStr(10400710));
            main.show();
            for (const int width : {1024, 1280, 1600}) {
                main.resize(width, 768);
                QCoreApplication::processEvents();
                int right = 0;
                for (const char* key : {"mnu1", "mnu2", "mnu3", "mnu4", "mnu5", "mnu6", "mnu7", "mnu71", "mnu8"}) {
                    auto* button = qobject_cast<QToolButton*>(
                        main.findChild<QToolBar*>("HoofdMenu")->widgetForAction(main.tool(key)));
                    const QString where = QString("%1 at %2 px, language %3").arg(key).arg(width).arg(language);
                    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(where));
                    QVERIFY2(button->x() >= right, qPrintable(where)); // no caption runs into the one before
                    QVERIFY2(button->isVisible(), qPrintable(where));
                    right = button->x() + button->width();
                }
                QVERIFY(right <= main.width());
            }
            QSet<int> band, popup;
            for (const char* key : {"mnu1", "mnu2", "mnu3", "mnu4", "mnu5", "mnu6", "mnu7", "mnu71", "mnu8"})
                band << QKeySequence::mnemonic(main.findChild<QToolBar*>("HoofdMenu")
                                                   ->widgetForAction(main.tool(key))
                                                   ->property("text")
                                                   .toString())[0]
                            .toCombined();
            for (const QAction* a : main.findChild<QMenu*>("mnu8Sub")->actions())
                popup << QKeySequence::mnemonic(a->text())[0].toCombined();
            band.remove(0);
            popup.remove(0);
            QCOMPARE(band.size(), 9);
            QCOMPARE(popup.size(), 6);
            main.close();
        }
    }

    void activationHappensOnce()
    {
        ProgramFixture p;
        const qint32 grower = appState().ID_ALG_Tuinder;
        Database* db = appState().dbT.get();
        p.main()->MDIForm_Activate();
        QCOMPARE(appState().dbT.get(), db);
        QCOMPARE(appState().ID_ALG_Tuinder, grower);
    }

    void chooseAnotherGrowerDatabase()
    {
        ProgramFixture p(false);
        QVERIFY(QFile::copy(p.appPath() + "ZelvoraT.mdb", p.appPath() + "kasT.mdb"));
        QVERIFY(QFile::copy(p.appPath() + "ZelvoraT.mdb", p.appPath() + "kas2.mdb"));
        appState().KiesTuinder = 1;
        MessageBox::setNextAnswer(MsgBox::Yes);
        // The modal choice: pick kasT.mdb and open it.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<frmSelectTuinder*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QStringList shown;
            for (int i = 0; i < dialog->lstSelectTuinder->count(); ++i)
                shown << dialog->lstSelectTuinder->item(i)->text();
            QCOMPARE(shown, QStringList({"kasT.mdb", "ZelvoraT.mdb"}));
            dialog->lstSelectTuinder->setCurrentRow(0);
            dialog->cmdSelectTuinder[0]->click();
        });
        p.main()->MDIForm_Activate();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000035));
        QCOMPARE(appState().TDatabaseNaam, QString("kasT.mdb"));
        QCOMPARE(appState().dbT->path(), p.appPath() + "kasT.mdb");
        QCOMPARE(p.endedWith(), -1);
    }

    void answeringNoKeepsTheDefault()
    {
        ProgramFixture p(false);
        appState().KiesTuinder = 1;
        MessageBox::setNextAnswer(MsgBox::No);
        p.main()->MDIForm_Activate();
        QCOMPARE(MessageBox::last().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
        QCOMPARE(appState().TDatabaseNaam, QString("ZelvoraT.mdb"));
    }

    void newGrowerDatabases()
    {
        ProgramFixture p(false);
        frmSelectTuinder dialog;
        auto names = [&] {
            QStringList n;
            for (int i = 0; i < dialog.lstSelectTuinder->count(); ++i)
                n << dialog.lstSelectTuinder->item(i)->text();
            return n;
        };
        QCOMPARE(names(), QStringList{"ZelvoraT.mdb"});

        InputBox::setNextAnswer("kas");
        dialog.cmdSelectTuinder_Click(1);
        QCOMPARE(names(), QStringList({"kasT.mdb", "ZelvoraT.mdb"}));
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(InputBox::prompts(), QStringList{GetLangStr(999000036)});
        {
            Database copy(p.appPath() + "kasT.mdb");
            QCOMPARE(copy.openRecordset("SELECT count(*) FROM ALG_Tuinder").value(0).toInt(), 1);
            copy.execute("UPDATE ALG_Tuinder SET Naam = 'eigen'");
        }

        // An existing name is replaced only on Yes.
        InputBox::setNextAnswer("kas");
        MessageBox::setNextAnswer(MsgBox::No);
        dialog.cmdSelectTuinder_Click(1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000063) + "\nkasT.mdb");
        {
            Database copy(p.appPath() + "kasT.mdb");
            QCOMPARE(copy.openRecordset("SELECT Naam FROM ALG_Tuinder").value(0).toString(), QString("eigen"));
        }
        InputBox::setNextAnswer("kas");
        MessageBox::setNextAnswer(MsgBox::Yes);
        dialog.cmdSelectTuinder_Click(1);
        {
            Database copy(p.appPath() + "kasT.mdb");
            QVERIFY(copy.openRecordset("SELECT Naam FROM ALG_Tuinder").value(0).isNull());
        }

        // Names that would leave the folder, and the current file itself.
        const int before = MessageBox::shown().size();
        for (const char* bad : {"../x", "a/b", "..", ".verborgen"}) {
            InputBox::setNextAnswer(bad);
            dialog.cmdSelectTuinder_Click(1);
        }
        QCOMPARE(MessageBox::shown().size(), before + 4);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000034)));
        InputBox::setNextAnswer("Zelvora");
        dialog.cmdSelectTuinder_Click(1);
        QVERIFY(MessageBox::last().text.contains(GetLangStr(999000064)));
        QCOMPARE(names(), QStringList({"kasT.mdb", "ZelvoraT.mdb"}));

        // Cancel and an empty answer do nothing; Open without a choice leaves FileName empty.
        InputBox::setNextCancel();
        dialog.cmdSelectTuinder_Click(1);
        dialog.lstSelectTuinder->clearSelection();
        dialog.cmdSelectTuinder_Click(0);
        QCOMPARE(dialog.FileName(), QString());
    }

    // The list shows chosen the file that Open opens, so what is shown is
    // what opens; the first row is no longer marked without being chosen.
    void growerDatabaseChoiceStartsOnTheFileOpenWillOpen()
    {
        ProgramFixture p(false);
        QVERIFY(QFile::copy(p.appPath() + "ZelvoraT.mdb", p.appPath() + "kasT.mdb"));
        frmSelectTuinder dialog;
        dialog.show();
        QTRY_VERIFY(dialog.lstSelectTuinder->hasFocus());
        const QList<QListWidgetItem*> chosen = dialog.lstSelectTuinder->selectedItems();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0]->text(), QString("ZelvoraT.mdb"));
        QCOMPARE(dialog.lstSelectTuinder->currentItem(), chosen[0]);
        dialog.cmdSelectTuinder[0]->click();
        QCOMPARE(dialog.FileName(), QString("ZelvoraT.mdb"));
    }

    void splashKeysAndTimeOut()
    {
        ProgramFixture p;
        InstanceGuard::instance().setServerName(QString("zelvora-splash-%1").arg(QCoreApplication::applicationPid()));
        {
            auto* splash = new frmSplash(60000);
            QVERIFY(splash->loaded());
            QCOMPARE(splash->lblSplash[0]->text(), GetLangStr(1));
            QCOMPARE(splash->lblSplash[1]->text(), GetLangStr(2));
            splash->show();
            QTest::keyClick(splash, Qt::Key_A); // other keys do nothing
            QVERIFY(splash->isVisible());
            QCOMPARE(p.endedWith(), -1);
            QTest::keyClick(splash, Qt::Key_Escape);
            QCOMPARE(p.endedWith(), 0);
        }
        {
            auto* splash = new frmSplash(50);
            splash->show();
            QPointer<frmSplash> watch(splash);
            QTRY_VERIFY(!watch); // closed by the timer
        }
        {
            auto* splash = new frmSplash(60000);
            splash->show();
            QPointer<frmSplash> watch(splash);
            QTest::keyClick(splash, Qt::Key_Return);
            QTRY_VERIFY(!watch);
            QVERIFY(p.main()->isVisible());
        }
    }

    void settingsWindowWritesTheSettingsFile()
    {
        ProgramFixture p;
        Registry::setMailHandlerQuery([] { return QString("rundll32 url.dll"); });
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QVERIFY(w);
        QVERIFY(p.main()->tool("mnu1")->isEnabled());
        QVERIFY(!p.main()->tool("mnu4")->isEnabled());
        QCOMPARE(w->cboTaal[0]->count(), 2);
        QCOMPARE(w->cboTaal[0]->itemText(1), QString("English"));
        QCOMPARE(w->cboTaal[1]->itemText(3), QString("ppm"));
        QVERIFY(w->optTaal[1]->isChecked()); // no Mailtype yet: MAPI
        QVERIFY(w->lbltaal[100]->isVisibleTo(w));
        QCOMPARE(w->lbltaal[100]->text(), QString("No default mail program"));
        QVERIFY(!w->txtTaal[0]->isEnabled());

        w->cboTaal[0]->setCurrentIndex(1); // takes effect at once
        QCOMPARE(appState().languageID, qint16(1));
        QCOMPARE(GetLangStr(0), QString("English"));
        w->cboTaal[1]->setCurrentIndex(2);
        QCOMPARE(appState().UnitID, qint16(2));
        w->optTaal[0]->click();
        QVERIFY(!w->lbltaal[100]->isVisibleTo(w));
        QVERIFY(w->txtTaal[0]->isEnabled());
        w->txtTaal[0]->setText("smtp.example.com");
        w->txtTaal[1]->setText("J. de Tuinder");
        QVERIFY(!IniFile::contains(p.appPath() + "Zelvora.ini", "language", "languageID"));

        w->cmdTaal->click();
        QCoreApplication::processEvents();
        const QString ini = p.appPath() + "Zelvora.ini";
        QCOMPARE(IniFile::read(ini, "language", "languageID"), QString("1"));
        QCOMPARE(IniFile::read(ini, "Unit", "UnitID"), QString("2"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "MailType"), QString("0"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "SMTPservername"), QString("smtp.example.com"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "Advisor"), QString("J. de Tuinder"));
        QVERIFY(p.main()->tool("mnu4")->isEnabled());

        // A registered mail program other than rundll32 gives no warning.
        Registry::setMailHandlerQuery([] { return QString("thunderbird.desktop"); });
        IniFile::write(ini, "Algemeen", "MailType", "1");
        w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QVERIFY(w->optTaal[1]->isChecked());
        QVERIFY(!w->lbltaal[100]->isVisibleTo(w));
        Registry::setMailHandlerQuery({});
    }

    // A pasted line break stays in its box as a space: it could otherwise
    // write a key of its own into the file, or lose the setting.
    void settingsWindowKeepsAPastedLineOnOneLine()
    {
        ProgramFixture p;
        const QString ini = p.appPath() + "Zelvora.ini";
        IniFile::write(ini, "Unit", "UnitID", "2");
        IniFile::write(ini, "Algemeen", "AfwijkingBestelmarge", "10");
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        w->optTaal[0]->click();
        QGuiApplication::clipboard()->setText("smtp.example\r\nAfwijkingBestelmarge=95\n[Unit]");
        QTest::keySequence(w->txtTaal[0], QKeySequence::Paste);
        QGuiApplication::clipboard()->setText("J. de Vries\nUnitID=3");
        QTest::keySequence(w->txtTaal[1], QKeySequence::Paste);
        QCOMPARE(w->txtTaal[0]->text(), QString("smtp.example AfwijkingBestelmarge=95 [Unit]"));
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(IniFile::read(ini, "Algemeen", "SMTPservername"),
                 QString("smtp.example AfwijkingBestelmarge=95 [Unit]"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "Advisor"), QString("J. de Vries UnitID=3"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "AfwijkingBestelmarge"), QString("10"));
        QCOMPARE(IniFile::read(ini, "Unit", "UnitID"), QString("2"));
    }

    // Reading the settings writes the defaults of missing keys back, closing
    // writes them all: on a full disk the file keeps every setting it had,
    // and the user is told that the settings were not saved.
    void settingsWindowOnAFullDiskKeepsTheSettingsFile()
    {
        ProgramFixture p;
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        const QByteArray original =
            "[language]\nlanguageID=0\n[Unit]\nUnitID=2\n[Algemeen]\nSMTPservername=smtp.example\n";
        const QString ini = disk.path() + "Zelvora.ini";
        QVERIFY(writeBytes(ini, original));
        appState().AppPath = disk.path();
        QVERIFY(disk.fill());
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QVERIFY(w);
        QVERIFY(MessageBox::shown().isEmpty()); // a default that could not be written back is still used
        QVERIFY(w->optTaal[1]->isChecked());
        w->txtTaal[1]->setText("J. de Tuinder");
        closingSaysNotSaved(w);
        QCOMPARE(bytesOf(ini), original);
    }

    void settingsWindowOnAnUnreadableFileKeepsTheSettingsFile_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("disk");
        QTest::newRow("Dutch") << qint16(0)
                               << "Zelvora.ini kon niet worden gelezen, daarom zijn de instellingen niet opgeslagen. "
                                  "Wat erin staat, is bewaard."
                               << "schijf";
        QTest::newRow("English") << qint16(1)
                                 << "Zelvora.ini could not be read, so the settings have not been saved. What it "
                                    "holds has been kept."
                                 << "disk";
    }

    // A settings file the program cannot read shows the defaults and is not
    // written over with them: the user is told that nothing was saved, and
    // why, with no full disk to look for.
    void settingsWindowOnAnUnreadableFileKeepsTheSettingsFile()
    {
        QFETCH(qint16, language);
        QFETCH(QString, message);
        QFETCH(QString, disk);
        ProgramFixture p;
        appState().languageID = language;
        OpenRsLang();
        const QString ini = p.appPath() + "Zelvora.ini";
        const QByteArray original =
            "[language]\nlanguageID=0\n[Unit]\nUnitID=2\n[Algemeen]\nMailType=0\nSMTPservername=smtp.example\n";
        QVERIFY(writeBytes(ini, original));
        {
            UnreadableFile unreadable(ini);
            QVERIFY2(unreadable.ok(), unreadable.whyNot());
            auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
            QVERIFY(w->optTaal[1]->isChecked());
            QVERIFY(MessageBox::shown().isEmpty());
            closingSaysNotSaved(w, message);
            QVERIFY(!MessageBox::last().text.contains(disk, Qt::CaseInsensitive));
        }
        QCOMPARE(bytesOf(ini), original);
    }

    void settingsWindowOpensAndClosesWithTheKeyboard()
    {
        ProgramFixture p;
        QVERIFY(p.showMain());
        const QString ini = p.appPath() + "Zelvora.ini";
        using TestSupport::typeKey;
        // Alt+Z opens it; Esc closes it and writes the settings, as the close button does.
        typeKey(Qt::Key_Z, Qt::AltModifier);
        QTRY_VERIFY(OpenStepWindow("frmTaal"));
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!OpenStepWindow("frmTaal"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "MailType"), QString("1"));

        // Enter on the close button closes it.
        typeKey(Qt::Key_Z, Qt::AltModifier);
        QTRY_VERIFY(OpenStepWindow("frmTaal"));
        auto* w = qobject_cast<frmTaal*>(OpenStepWindow("frmTaal"));
        for (int i = 0; i < 10 && QApplication::focusWidget() != w->txtTaal[1]; ++i)
            typeKey(Qt::Key_Tab);
        TestSupport::typeText("Ada");
        typeKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdTaal);
        typeKey(Qt::Key_Return);
        QTRY_VERIFY(!OpenStepWindow("frmTaal"));
        QCOMPARE(IniFile::read(ini, "Algemeen", "Advisor"), QString("Ada"));
    }

    void settingsWindowShowsAndKeepsTheStoredLanguageAndUnit()
    {
        ProgramFixture p;
        const QString ini = p.appPath() + "Zelvora.ini";
        IniFile::write(ini, "language", "languageID", "1");
        IniFile::write(ini, "Unit", "UnitID", "2");
        appState().languageID = 1;
        appState().UnitID = 2;
        OpenRsLang();
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QCOMPARE(w->cboTaal[0]->currentText(), QString("English"));
        QCOMPARE(w->cboTaal[1]->currentText(), QString("mgr"));
        QCOMPARE(appState().languageID, qint16(1));
        QCOMPARE(appState().UnitID, qint16(2));
        QCOMPARE(GetLangStr(0), QString("English"));
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QCOMPARE(IniFile::read(ini, "language", "languageID"), QString("1"));
        QCOMPARE(IniFile::read(ini, "Unit", "UnitID"), QString("2"));
        QCOMPARE(appState().languageID, qint16(1));
        QCOMPARE(appState().UnitID, qint16(2));

        // A unit the program does not know is shown as mmol, and stays in the
        // file until the user picks one.
        IniFile::write(ini, "Unit", "UnitID", "7");
        appState().UnitID = ProgramSettings::unitID();
        w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QCOMPARE(w->cboTaal[1]->currentText(), QString("mmol"));
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QCOMPARE(IniFile::read(ini, "Unit", "UnitID"), QString("7"));
        w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        w->cboTaal[1]->setCurrentIndex(3);
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QCOMPARE(IniFile::read(ini, "Unit", "UnitID"), QString("3"));
    }

    // A language number the texts have no column for would show every
    // caption as its number: the program starts in the first language,
    // Dutch, and the settings window shows it.
    void anUnknownLanguageStartsInDutch_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("beyond the languages") << "7";
        QTest::newRow("negative") << "-1";
        QTest::newRow("a fraction") << "1.5";
    }
    void anUnknownLanguageStartsInDutch()
    {
        QFETCH(QString, stored);
        ProgramFixture p;
        const QString ini = p.appPath() + "Zelvora.ini";
        IniFile::write(ini, "language", "languageID", stored);
        appState().CommandLine = "/Path=" + p.appPath() + " /nosplash=yes";
        StartUp();
        QCOMPARE(appState().languageID, qint16(0));
        QCOMPARE(GetLangStr(72100000), QString("Afdrukken en bestellen"));
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QVERIFY(w);
        QCOMPARE(w->cboTaal[0]->currentText(), QString("Nederlands"));
        w->cmdTaal->click();
        QCoreApplication::processEvents();
        QCOMPARE(IniFile::read(ini, "language", "languageID"), stored); // kept until the user picks one
    }

    void settingsWindowShowsTheWholeRestartNotice()
    {
        ProgramFixture p;
        p.main()->show();
        Registry::setMailHandlerQuery([] { return QString(); });
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        const auto noticeFits = [w] {
            QCoreApplication::processEvents();
            QLabel* notice = w->lbltaal[2];
            return notice->height() >= notice->heightForWidth(notice->width()) &&
                   w->fraTaal->contentsRect().contains(notice->geometry()) &&
                   w->cmdTaal->y() > w->fraTaal->geometry().bottom();
        };
        QVERIFY(w->lbltaal[100]->isVisibleTo(w)); // the warning takes a line of its own
        QVERIFY(noticeFits());
        w->optTaal[0]->click();
        QVERIFY(!w->lbltaal[100]->isVisibleTo(w));
        QVERIFY(noticeFits());
        w->optTaal[1]->click();
        QVERIFY(noticeFits());
        Registry::setMailHandlerQuery({});
    }

    // The warning about the mail program comes and goes with the mail type;
    // the boxes stay where they are, so the next click lands where it was aimed.
    void settingsWindowKeepsItsControlsInPlaceWhenTheMailTypeChanges()
    {
        ProgramFixture p;
        p.main()->show();
        Registry::setMailHandlerQuery([] { return QString(); });
        auto* w = qobject_cast<frmTaal*>(ShowStepWindow("frmTaal"));
        QVERIFY(w->optTaal[1]->isChecked());
        const auto places = [w] {
            QCoreApplication::processEvents();
            QList<QRect> r{w->fraTaal->geometry(), w->cmdTaal->geometry()};
            for (QWidget* box : {static_cast<QWidget*>(w->txtTaal[0]), static_cast<QWidget*>(w->txtTaal[1]),
                                 static_cast<QWidget*>(w->optTaal[0]), static_cast<QWidget*>(w->optTaal[1])})
                r << QRect(box->mapTo(w, QPoint(0, 0)), box->size());
            return r;
        };
        const QList<QRect> withWarning = places();
        w->optTaal[0]->click();
        QVERIFY(!w->lbltaal[100]->isVisibleTo(w));
        QCOMPARE(places(), withWarning);
        w->optTaal[1]->click();
        QVERIFY(w->lbltaal[100]->isVisibleTo(w));
        QCOMPARE(places(), withWarning);
        Registry::setMailHandlerQuery({});
    }

    void closingLetsAStepRefuse()
    {
        ProgramFixture p;
        auto* step = qobject_cast<frmTeelt*>(ShowStepWindow("frmTeelt"));
        QVERIFY(!p.main()->close());
        QCOMPARE(openChildren(p), 1);
        QVERIFY(appState().dbT && appState().dbH); // nothing released while a step holds work
        step->refuse = false;
        QVERIFY(p.main()->close());
        QCOMPARE(openChildren(p), 0);
        QVERIFY(!appState().dbT && !appState().dbH);
    }

    void databaseUpdate()
    {
        ProgramFixture p;
        // No update program: say so and carry on.
        p.main()->barMain_Click("mnu8Sub6");
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000060)));
        QVERIFY(appState().dbT && appState().dbH);
        QCOMPARE(p.endedWith(), -1);

        QFile program(frmMain::updateProgramPath());
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        QStringList arguments;
        frmMain::setProgramStarter([&](const QString&, const QStringList& args) {
            arguments = args;
            return false;
        });
        ShowStepWindow("frmTeelt");
        qobject_cast<frmTeelt*>(OpenStepWindow("frmTeelt"))->refuse = false;
        p.main()->barMain_Click("mnu8sub6");
        QCOMPARE(arguments,
                 QStringList({"/database=" + p.appPath() + "ZelvoraT.mdb", "/auto=true", "/reuseinifiles=true"}));
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000061)));
        QVERIFY(appState().dbT && appState().dbH && appState().dbTaal); // open again
        QCOMPARE(GetLangStr(0), QString("Nederlands"));
        QCOMPARE(openChildren(p), 0);
        QCOMPARE(p.endedWith(), -1);

        frmMain::setProgramStarter([&](const QString&, const QStringList&) {
            // The databases are released before the update runs.
            return !appState().dbT && !appState().dbH && !appState().dbTaal;
        });
        p.main()->barMain_Click("mnu8Sub6");
        QCOMPARE(p.endedWith(), 0);
        frmMain::setProgramStarter({});
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
