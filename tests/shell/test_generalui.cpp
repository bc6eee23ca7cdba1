// The general library: error dialog, list filling, the key filter, the
// settings file and registry helpers.
#include "appstate.h"
#include "general.h"
#include "generalui.h"
#include "registry/registry.h"
#include "testdatabases.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

class TestGeneralUi : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;

    int filtered(QWidget* w, int key, const QVariant& mode = {}, const QString& list = {}, bool keypad = false)
    {
        CheckKeyAscii(w, key, mode, list, keypad);
        return key;
    }

private slots:
    void initTestCase()
    {
        TestSupport::makeDefaultDatabases(m_dir.path());
        m_db = std::make_unique<Database>(m_dir.filePath("ZelvoraT.mdb"));
        Registry::setRootDirectory(m_dir.filePath("registry"));
    }

    void init()
    {
        TestSupport::scriptDialogs();
        Beep::reset();
        appState().ZoekFoutMarker = 0;
        QLocale::setDefault(QLocale::c());
    }

    void errorDialog()
    {
        qint16 marker = 9999;
        ErrorHandler(marker, AppError(3265, "DAO.Fields", "Item not found in this collection."));
        QCOMPARE(marker, qint16(99));
        QVERIFY(MessageBox::shown().isEmpty());

        marker = 0;
        MessageBox::setNextAnswer(MsgBox::Retry);
        ErrorHandler(marker, AppError(3265, "DAO.Fields", "Item not found in this collection."));
        QCOMPARE(marker, qint16(0));
        const auto shown = MessageBox::last();
        QCOMPARE(shown.text.split('\n'),
                 QStringList({"Nummer:  3265", "Bron: DAO.Fields", "Item not found in this collection."}));
        QCOMPARE(shown.title, QString("Melding"));
        QCOMPARE(shown.style, MsgBox::RetryCancel | MsgBox::Exclamation);

        MessageBox::setNextAnswer(MsgBox::Cancel);
        ErrorHandler(marker, AppError(-5, "x", "y"));
        QCOMPARE(marker, qint16(999));
        QVERIFY(MessageBox::last().text.startsWith("Nummer: -5\n"));
    }

    void errorDialogShowsNoSql()
    {
        // The statement and the driver's text go to standard error only.
        QTemporaryFile errors;
        QVERIFY(errors.open());
        fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(errors.handle(), STDERR_FILENO);
        MessageBox::setNextAnswer(MsgBox::Cancel);
        RunUserAction([&] { m_db->execute("UPDATE Nergens SET Naam = ? WHERE ID = 1", {"x"}); });
        fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QCOMPARE(MessageBox::last().text.split('\n'),
                 QStringList({"Nummer:  3078", "Bron: DAO.Database",
                              "The database engine cannot find the input table or query 'Nergens'."}));
        errors.seek(0);
        const QString logged = QString::fromUtf8(errors.readAll());
        QVERIFY2(logged.contains("UPDATE Nergens SET Naam = ? WHERE ID = 1"), qPrintable(logged));
        QVERIFY(logged.contains("no such table: Nergens"));
    }

    void fillingLists()
    {
        m_db->execute("DELETE FROM ALG_Afleveradres");
        for (int slot : {2, 1})
            m_db->execute("INSERT INTO ALG_Afleveradres (ID_ALG_Tuinder, Code_Afleveradres, AfleverAdres, Woonplaats) "
                          "VALUES (1, ?, ?, ?)",
                          {slot, QString("Adres %1").arg(slot), slot == 1 ? QVariant("'s-Gravenzande") : QVariant()});
        QComboBox combo;
        qint16 flag = 1;
        FillComboList(
            &combo, *m_db,
            "SELECT Code_Afleveradres, AfleverAdres, Woonplaats FROM ALG_Afleveradres ORDER BY Code_Afleveradres",
            flag);
        QCOMPARE(flag, qint16(1));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(0), QString("<Geen selectie>"));
        QCOMPARE(combo.itemData(0).toInt(), 0);
        QCOMPARE(combo.itemText(1), QString("Adres 1, 's-Gravenzande"));
        QCOMPARE(combo.itemText(2), QString("Adres 2, ")); // a Null field adds only its separator
        QCOMPARE(combo.itemData(2).toInt(), 2);
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(appState().ZoekFoutMarker, qint16(0));

        SelectListItem(2, &combo);
        QCOMPARE(combo.currentIndex(), 2);
        SelectListItem(77, &combo);
        QCOMPARE(combo.currentIndex(), 0);

        QListWidget list;
        flag = 0;
        FillComboList(&list, *m_db, "SELECT Code_Afleveradres, AfleverAdres FROM Nergens", flag);
        QCOMPARE(list.count(), 0);
        QCOMPARE(MessageBox::last().text,
                 QString("SELECT Code_Afleveradres, AfleverAdres FROM Nergens ,Query bestaat niet"));
        QCOMPARE(MessageBox::last().title, QString("Vullen combo/list box"));
        QCOMPARE(appState().ZoekFoutMarker, qint16(0));
        QCOMPARE(MessageBox::shown().size(), 1); // the silent error dialog showed nothing

        flag = 1;
        FillComboList(&list, *m_db, "SELECT Code_Afleveradres FROM ALG_Afleveradres", flag);
        QCOMPARE(list.count(), 1); // a single field gives no entries
    }

    void keyFilter()
    {
        QLineEdit box;
        SetInsertMode(true);
        QCOMPARE(filtered(&box, 'a', 1), 0);
        QCOMPARE(Beep::count(), 1);
        for (int key : {'7', ',', '.', '-', '%'})
            QCOMPARE(filtered(&box, key, 1), key);
        for (int key : {8, 13, 9})
            QCOMPARE(filtered(&box, key, 1), key);
        QCOMPARE(Beep::count(), 1);

        QCOMPARE(filtered(&box, 'A', 2, "65;66"), int('A'));
        QCOMPARE(filtered(&box, 'B', 2, "65;66"), int('B'));
        QCOMPARE(filtered(&box, 'C', 2, "65;66"), 0);
        QCOMPARE(filtered(&box, 3, 0), 0); // Ctrl+C
        QCOMPARE(filtered(&box, 'x', 0), int('x'));

        box.setProperty("Tag", "1"); // the mode from the box
        QCOMPARE(filtered(&box, 'x'), 0);

        QTableView grid;
        QCOMPARE(filtered(&grid, 'x', 1), 1);
        QWidget other;
        QCOMPARE(filtered(&other, 'x', 1), int('x'));
    }

    void keypadDecimalFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(GetDecimalSeparator(), QString(","));
        QLineEdit box;
        QCOMPARE(filtered(&box, '.', 1, {}, true), int(','));
        box.setText("1,5");
        QCOMPARE(filtered(&box, '.', 1, {}, true), 0); // one separator is enough
        QTableView grid;
        QCOMPARE(filtered(&grid, '.', 1, {}, true), int(','));
    }

    void overwriteModeReplacesTheNextCharacter()
    {
        QLineEdit box("123");
        box.setCursorPosition(1);
        SetInsertMode(false);
        QCOMPARE(filtered(&box, '9', 1), int('9'));
        QCOMPARE(box.selectedText(), QString("2"));
        SetInsertMode(true);
        box.setCursorPosition(1);
        filtered(&box, '9', 1);
        QVERIFY(!box.hasSelectedText());
    }

    void settingsFileHelpers()
    {
        const QString ini = m_dir.filePath("Zelvora.ini");
        QCOMPARE(GetIniString("Algemeen", "AfwijkingBestelmarge", ini, "10"), QString("10"));
        QCOMPARE(GetIniString("Algemeen", "SMTPservername", ini, ""), QString());
        QFile f(ini);
        f.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains("AfwijkingBestelmarge=10"));
        QVERIFY(!text.contains("SMTPservername")); // an empty default is not written
        QString value = "  mail.example.nl  ";
        QVERIFY(WriteIniString(value, "algemeen", "SMTPservername", ini) != 0);
        QCOMPARE(value, QString("mail.example.nl"));
        QCOMPARE(GetIniString("ALGEMEEN", "smtpservername", ini, ""), QString("mail.example.nl"));
    }

    void registryHelpers()
    {
        Registry::write(RegistryHive::CurrentUser, "Software\\Zelvora", "Pad",
                        {RegistryValue::ExpandString, "%HOME%/kas"});
        Registry::write(RegistryHive::CurrentUser, "Software\\Zelvora", "Aantal", {RegistryValue::DWord, 3u});
        QCOMPARE(GetRegString("Software\\Zelvora", "Pad"), qEnvironmentVariable("HOME") + "/kas");
        QCOMPARE(GetRegString("Software\\Zelvora", "Aantal", HKEY_CURRENT_USER), QString("3"));
        QCOMPARE(GetRegString("Software\\Zelvora", "Geen"), QString());
        QVariant v = "onveranderd";
        QCOMPARE(ReadRegValue(HKEY_CURRENT_USER, "Software\\Zelvora", "Geen", v), ERROR_FILE_NOT_FOUND);
        QCOMPARE(v.toString(), QString("onveranderd"));
        Registry::setMailHandlerQuery([] { return QString("evolution.desktop"); });
        QCOMPARE(GetRegString(Registry::mailtoCommandKey(), "", HKEY_LOCAL_MACHINE), QString("evolution.desktop"));
        Registry::setMailHandlerQuery({});
        QCOMPARE(GetFileName("/home/a/kasT.mdb"), QString("kasT.mdb"));
        QCOMPARE(GetFileName("kasT.mdb"), QString("kasT.mdb"));
    }
};

QTEST_MAIN(TestGeneralUi)
#include "test_generalui.moc"
