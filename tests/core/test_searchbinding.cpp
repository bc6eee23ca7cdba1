// The program's search binding over the real search library, created by its
// registered class name.
#include "appstate.h"
#include "com/createobject.h"
#include "general.h"
#include "mdlgenzoeken.h"
#include "registry/registry.h"
#include "testdatabases.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLibrary>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestSearchBinding : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Runs the search; once its window is up, `drive` works it.
    qint32 search(const std::function<void(QWidget*)>& drive, const QString& path = {}, qint32 initial = 0)
    {
        QTimer::singleShot(0, [drive] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window)
                return;
            drive(window);
            if (window->isVisible())
                window->close();
        });
        return ShowSearchTable({"", "Naam;40"}, "SELECT Code, Lang0 FROM MEST ORDER BY Code", initial, "Meststof",
                               path);
    }

    static void registerLibrary(bool on)
    {
        QLibrary library(TABVIN_LIBRARY);
        const auto entry =
            reinterpret_cast<int (*)()>(library.resolve(on ? "DllRegisterServer" : "DllUnregisterServer"));
        QVERIFY(entry && entry() == 0);
    }

private slots:
    void initTestCase()
    {
        Registry::setRootDirectory(m_dir.filePath("registry"));
        TestSupport::makeDefaultDatabases(m_dir.path());
        AppState& s = appState();
        s.AppPath = m_dir.path() + "/";
        s.ZoekDatabase = "ZelvoraH.mdb";
        s.dbTaal = std::make_unique<Database>(s.AppPath + "PlomLang.mdb");
        OpenRsLang();
        registerLibrary(true);
    }

    void init() { TestSupport::scriptDialogs(); }

    void chosenRowComesBack()
    {
        const qint32 id = search([](QWidget* w) {
            auto* grid = w->findChild<QTableView*>("tdbTabel");
            QVERIFY(grid);
            grid->setCurrentIndex(grid->model()->index(2, 1));
            QTest::keyClick(w, Qt::Key_Return);
        });
        Database reference(m_dir.filePath("ZelvoraH.mdb"));
        RecordSet codes = reference.openRecordset("SELECT Code FROM MEST ORDER BY Code");
        codes.move(2);
        QCOMPARE(id, codes.value(0).toInt());
        QCOMPARE(appState().ZoekFoutMarker, qint16(0));
    }

    void theCheckBoxSaysWhatItDoesInTheUsersLanguage()
    {
        appState().languageID = 1;
        OpenRsLang();
        const auto dutch = qScopeGuard([] {
            appState().languageID = 0;
            OpenRsLang();
        });
        search([](QWidget* w) {
            auto* anywhere = w->findChild<QCheckBox*>("chkTekst");
            QVERIFY(anywhere);
            QCOMPARE(anywhere->toolTip(), QString("Search anywhere in the text"));
            QCOMPARE(anywhere->accessibleName(), anywhere->toolTip());
        });
    }

    void nothingChosenGivesNought()
    {
        QCOMPARE(search([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, {}, 5), 0);
        QCOMPARE(search([](QWidget* w) { w->close(); }, {}, 5), 0); // closed from its frame
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void databaseByPath()
    {
        // A full path: the name after the last separator, the rest the directory.
        const qint32 id =
            search([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, m_dir.filePath("ZelvoraH.mdb"));
        QVERIFY(id > 0);
        // A name alone is looked for in AppPath.
        QVERIFY(search([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, "ZelvoraH.mdb") > 0);
    }

    void theLibraryBesideTheProgramServesEveryUser()
    {
        // A program folder of its own, with the library beside the program.
        QTemporaryDir program;
        const QString beside = program.filePath("libTabvin.so");
        QVERIFY(QFile::copy(TABVIN_LIBRARY, beside));
        const QString appPath = appState().AppPath;
        appState().AppPath = program.path() + "/";
        const auto restore = qScopeGuard([&] {
            appState().AppPath = appPath;
            Registry::setRootDirectory(m_dir.filePath("registry"));
        });
        // A user with an empty home, one whose registered library is gone, and
        // one whose registration names another program folder's library.
        const QString registrations[] = {{}, program.filePath("gone/libTabvin.so"), TABVIN_LIBRARY};
        for (const QString& registered : registrations) {
            QTemporaryDir home;
            Registry::setRootDirectory(home.filePath("registry"));
            if (!registered.isEmpty())
                QVERIFY(ComClass::registerClass("Tabvin.Zoeken", registered));
            QVERIFY(search([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, m_dir.filePath("ZelvoraH.mdb")) > 0);
            QVERIFY(MessageBox::shown().isEmpty());
            QCOMPARE(QFileInfo(ComClass::registeredLibrary("Tabvin.Zoeken")).canonicalFilePath(),
                     QFileInfo(beside).canonicalFilePath());
        }
    }

    void withoutTheLibrary()
    {
        registerLibrary(false);
        MessageBox::setNextAnswer(MsgBox::Retry);  // tries the creation again ...
        MessageBox::setNextAnswer(MsgBox::Cancel); // ... and gives up
        QCOMPARE(ShowSearchTable({"", "Naam;40"}, "SELECT Code, Lang0 FROM MEST"), 0);
        QCOMPARE(MessageBox::shown().size(), 2);
        QVERIFY(MessageBox::last().text.startsWith("Nummer:  429"));
        QCOMPARE(MessageBox::last().title, QString("Melding"));
        QCOMPARE(appState().ZoekFoutMarker, qint16(0));
        registerLibrary(true);
    }
};

QTEST_MAIN(TestSearchBinding)
#include "test_searchbinding.moc"
