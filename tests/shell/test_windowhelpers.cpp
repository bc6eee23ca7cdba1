// Window helpers: control arrays, captions, busy texts, colours and the
// bookmark arithmetic of unbound grids.
#include "appstate.h"
#include "frmmain.h"
#include "testdatabases.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

class TestWindowHelpers : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        TestSupport::makeDefaultDatabases(m_dir.path());
        appState().dbTaal = std::make_unique<Database>(m_dir.filePath("PlomLang.mdb"));
        OpenRsLang();
    }

    void controlArrays()
    {
        QWidget window;
        ControlArray<QLabel> labels("lblTest");
        labels.add(0, new QLabel("nul", &window));
        QCOMPARE(labels[0]->objectName(), QString("lblTest_0"));
        try {
            labels.at(3);
            QFAIL("a missing member must raise 340");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), 340);
        }
        QCOMPARE(SetCaptionLang(labels, 3, 999100001), qint16(0)); // passed over
        QCOMPARE(SetCaptionLang(labels, 0, 999100001), qint16(0));
        QCOMPARE(labels[0]->text(), GetLangStr(999100001));

        MakeLabelText(labels, 12, 1500, 300, 900, 1, 1);
        QVERIFY(labels.contains(12));
        QLabel* made = labels[12];
        QCOMPARE(made->objectName(), QString("lblTest_12"));
        QCOMPARE(made->parentWidget(), &window);
        QCOMPARE(made->property("Tag").toString(), QString("unload"));
        QCOMPARE(made->geometry().left(), 100);
        QCOMPARE(made->width(), 60);
        QVERIFY(made->alignment() & Qt::AlignRight);
        QCOMPARE(made->font().pointSize(), 8);
        QVERIFY(made->text().isEmpty());
        QCOMPARE(labels.count(), 2);
        MakeLabelText(labels, 12, 0, 0, 300, 0, 0); // reused, not made twice
        QCOMPARE(labels.count(), 2);

        ControlArray<QLineEdit> boxes("txtTest");
        boxes.add(0, new QLineEdit(&window));
        boxes.add(1, new QLineEdit(&window));
        appState().ID_HISTORIE = 3;
        SetArrayEnabled(boxes);
        QVERIFY(!boxes[0]->isEnabled() && !boxes[1]->isEnabled());
        appState().ID_HISTORIE = 0;
        SetArrayEnabled(boxes);
        QVERIFY(boxes[0]->isEnabled() && boxes[1]->isEnabled());
    }

    void busyTextsAndPointer()
    {
        frmMain main;
        ShowStatusLang(&main, -3);
        QCOMPARE(main.statusPanelText(1), GetLangStr(999100003));
        QVERIFY(QApplication::overrideCursor());
        ShowStatusLang(&main, -1); // busy twice ...
        QCOMPARE(main.statusPanelText(1), GetLangStr(999100001));
        ShowStatusLang(&main, 0); // ... and done once
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(main.statusPanelText(1), QString());
        ShowStatusLang(&main, -9);
        QCOMPARE(main.statusPanelText(1), QString());
        ShowStatusLang(&main, 1, "eigen tekst");
        QCOMPARE(main.statusPanelText(1), QString("eigen tekst"));
        ShowStatusLang(&main, 2);
        QVERIFY(QApplication::overrideCursor());
        ShowStatusLang(&main, 0);
        QVERIFY(main.statusPanelText(3).startsWith("Versie : "));
    }

    void colours()
    {
        qint32 white = 0xFFFFFF;
        float r = 0, g = 0, b = 0;
        QCOMPARE(AdjustColor(white, r, g, b).toInt(), 240 + 240 * 256 + 240 * 65536);
        qint32 dark = 10 + 100 * 256 + 200 * 65536;
        QCOMPARE(AdjustColor(dark, r, g, b).toInt(), 0 + 85 * 256 + 185 * 65536);
        float half = 0.5f, none = 0, twice = 2;
        qint32 grey = 100 + 100 * 256 + 100 * 65536;
        QCOMPARE(AdjustColor(grey, half, none, twice).toInt(), 50 + 100 * 256 + 200 * 65536);
        QCOMPARE(none, 1.0f); // a zero factor counts as 1 and is written back
        qint32 system = qint32(0x8000000Fu);
        AdjustColor(system, r, g, b);
        QVERIFY(system >= 0); // the system colour was replaced by its RGB value
        QCOMPARE(TranslateColor(qint32(0x80000099u)), 0);
    }

    void bookmarks()
    {
        QCOMPARE(IndexFromBookmark(QVariant(), 1, 10), 0);
        QCOMPARE(IndexFromBookmark(QVariant(), -1, 10), 9);
        QCOMPARE(IndexFromBookmark(QString(" 3"), 2, 10), 5);
        QCOMPARE(IndexFromBookmark(QString(" 9"), 1, 10), -9999);
        QVERIFY(GetRelativeBookmark(QVariant(), 1, 0).isNull());
        QCOMPARE(GetRelativeBookmark(QString(" 3"), 1, 10).toString(), QString(" 4"));
        QCOMPARE(IndexFromBookmark(GetRelativeBookmark(QString(" 3"), 1, 10), 0, 10), 4);
    }

    void unboundGrid()
    {
        QList<QStringList> rows = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
        QTableView grid;
        auto* model = new UnboundGridModel(
            {"Naam", "Kg"},
            [&](int row, int col, int role) { return role == Qt::DisplayRole ? QVariant(rows[row][col]) : QVariant(); },
            {}, &grid);
        grid.setModel(model);
        SetGridLook(&grid, 0);
        QVERIFY(grid.verticalHeader()->isHidden()); // no record selectors in the list look
        QVERIFY(grid.property("HighlightRow_plat").value<QColor>().isValid());
        RebindGrid(&grid, 3);
        QCOMPARE(model->rowCount(), 3);
        grid.setCurrentIndex(model->index(2, 1));
        rows.removeLast();
        RebindGrid(&grid, 2);
        QCOMPARE(grid.currentIndex().row(), 1); // the last row that is left
        QCOMPARE(model->index(1, 0).data().toString(), QString("b"));
        SetGridLook(&grid, 1);
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 21);
    }

    void onlyTheBoxWithTheKeyboardShowsASelection()
    {
        InstallSelectionFollowsFocus();
        QWidget window;
        auto* first = new QLineEdit("12", &window);
        auto* second = new QLineEdit("34", &window);
        second->move(0, 40);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        // Selecting on focus, done a moment later, when the keyboard has moved on.
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(second->hasFocus());
        first->selectAll();
        QTRY_VERIFY(!first->hasSelectedText());
        second->selectAll();
        QCoreApplication::processEvents();
        QVERIFY(second->hasSelectedText());
        // Selecting to replace at once is untouched.
        first->selectAll();
        first->insert("5");
        QCOMPARE(first->text(), QString("5"));
    }

    void askSaveChanges()
    {
        TestSupport::scriptDialogs();
        QCOMPARE(AskSaveChanges(false), qint16(7));
        QVERIFY(MessageBox::shown().isEmpty());
        MessageBox::setNextAnswer(MsgBox::Yes);
        QCOMPARE(AskSaveChanges(true), qint16(6));
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
    }
};

QTEST_MAIN(TestWindowHelpers)
#include "test_windowhelpers.moc"
