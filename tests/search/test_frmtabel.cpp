// The search window driven offscreen through the library, as the program
// drives it: loading, sorting, incremental search, selection and the ways
// out of the window.
#include "db/apperror.h"
#include "db/database.h"
#include "desktopinput.h"
#include "searchsession.h"
#include "testdatabases.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace SearchSession;

namespace {

const QString CropQuery = "SELECT Code, Lang0, Lang1 FROM TEELT;";

QTableView* grid(QWidget* w)
{
    return w->findChild<QTableView*>("tdbTabel");
}
QLineEdit* searchBox(QWidget* w)
{
    return w->findChild<QLineEdit*>("txtTabel");
}
QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(name);
}

QStringList column(QWidget* w, int c)
{
    QStringList texts;
    const QAbstractItemModel* m = grid(w)->model();
    for (int r = 0; r < m->rowCount(); ++r)
        texts << m->index(r, c).data().toString();
    return texts;
}

QList<int> ids(QWidget* w) // field 0 of every row, in the shown order
{
    QList<int> out;
    for (const QString& id : column(w, 0))
        out << id.toInt();
    return out;
}

int currentId(QWidget* w)
{
    const QModelIndex current = grid(w)->currentIndex();
    return current.sibling(current.row(), 0).data().toInt();
}

QString caption(QWidget* w, int c)
{
    return grid(w)->model()->headerData(c, Qt::Horizontal).toString();
}

// The search box as the user sees it: the part the next key replaces in
// braces, else the caret as "|".
QString shown(const QLineEdit* box)
{
    QString text = box->text();
    if (!box->hasSelectedText())
        return text.insert(box->cursorPosition(), '|');
    const int start = box->selectionStart();
    return text.insert(start + int(box->selectedText().size()), '}').insert(start, '{');
}

// A key typed where the window has the keyboard, through the window as the
// desktop delivers it.
void typeKey(QWidget* w, QKeyCombination key)
{
    TestSupport::typeKeyIn(w->windowHandle(), key.key(), key.keyboardModifiers());
}

bool marked(QWidget* w, int c)
{
    return grid(w)->model()->headerData(c, Qt::Horizontal, Qt::ForegroundRole).value<QColor>() == QColor(Qt::red);
}

void clickHeader(QWidget* w, int c)
{
    QHeaderView* header = grid(w)->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
}

QPoint rowPoint(QWidget* w, int id)
{
    QTableView* view = grid(w);
    const int row = int(ids(w).indexOf(id));
    const QModelIndex index = view->model()->index(row, 1);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

// A widget's double click comes after the press and release of the first click.
void doubleClick(QWidget* target, QPoint at)
{
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
}

QList<int> selectieIDs(QObject* zoeken)
{
    QList<int> out;
    QObject* collection = member(zoeken, "SelectieIDs");
    for (int i = 1; i <= count(collection); ++i)
        out << item(collection, i)->property("ID").toInt();
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

class TestFrmTabel : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A search over the crops of the grower database, sorted by name.
    std::unique_ptr<QObject> cropSearch(const QStringList& headers = {"", "Naam;40", "Engels;30"},
                                        const QString& query = CropQuery, int id = 0)
    {
        auto zoeken = create();
        for (const QString& h : headers)
            add(member(zoeken.get(), "Headers"), h);
        zoeken->setProperty("DatabaseDirectory", m_dir.path() + "/");
        zoeken->setProperty("DatabaseName", "ZelvoraT.mdb");
        zoeken->setProperty("Caption", "Gewas zoeken");
        zoeken->setProperty("Query", query);
        zoeken->setProperty("ID", id);
        return zoeken;
    }

private slots:
    void initTestCase()
    {
        TestSupport::scriptDialogs();
        TestSupport::makeDefaultDatabases(m_dir.path());
        Registry::setRootDirectory(m_dir.filePath("registry"));
        QCOMPARE(callExport("DllRegisterServer"), ComClass::Ok);

        Database db(m_dir.filePath("ZelvoraT.mdb"));
        const QList<QVariantList> crops = {{1, "Tomaat", "Tomato"},
                                           {2, "Komkommer", "Cucumber"},
                                           {3, "anjer", "Carnation"},
                                           {4, "Aubergine", "Eggplant"},
                                           {5, "Roos", "Rose"},
                                           {6, "'s-Gravenzande tulp", "Tulip"},
                                           {7, "Gerbera", "Gerbera"},
                                           {8, "Paprika [rood]", "Pepper"},
                                           {9, "Paprika", "Sweet pepper"},
                                           {10, QVariant(), "Unknown"}};
        for (const QVariantList& c : crops)
            db.execute("INSERT INTO TEELT (Code, Lang0, Lang1) VALUES (?, ?, ?)", c);
        const QList<QVariantList> sets = {{1, "2024-03-05 10:00:00", "Voorjaar"},
                                          {2, "2023-12-20 08:00:00", "Winter"},
                                          {3, "2024-01-15 00:00:00", "Januari"},
                                          {4, QVariant(), "Zonder datum"}};
        for (const QVariantList& s : sets)
            db.execute("INSERT INTO HISTORIE (ID, Datum, ID_ALG_Tuinder, Omschrijving) VALUES (?, ?, 1, ?)", s);
    }

    void init() { MessageBox::clear(); }

    void sortsByEachHeaderAndBack()
    {
        auto zoeken = cropSearch({"", "Naam;40", "Engels;30"}, CropQuery, 7);
        QObject* headers = member(zoeken.get(), "Headers");
        show(zoeken.get(), [&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QString("Gewas zoeken"));
            QVERIFY(grid(w)->isColumnHidden(0));
            // Without a sorted header the first is sorted; text ignores case, Null comes first.
            QCOMPARE(ids(w), QList<int>({10, 6, 3, 4, 7, 2, 9, 8, 5, 1}));
            QCOMPARE(caption(w, 1), QString("Naam (A)"));
            QVERIFY(marked(w, 1) && !marked(w, 2));
            QCOMPARE(currentId(w), 7);

            clickHeader(w, 2);
            QCOMPARE(ids(w), QList<int>({3, 2, 4, 7, 8, 5, 9, 1, 6, 10}));
            QCOMPARE(caption(w, 1), QString("Naam"));
            QCOMPARE(caption(w, 2), QString("Engels (A)"));
            QVERIFY(marked(w, 2) && !marked(w, 1));
            QCOMPARE(currentId(w), 7);
            QCOMPARE(searchBox(w)->text(), QString("Gerbera"));

            clickHeader(w, 2);
            QCOMPARE(ids(w), QList<int>({10, 6, 1, 9, 5, 8, 7, 4, 2, 3}));
            QCOMPARE(caption(w, 2), QString("Engels (Z)"));
            QCOMPARE(item(headers, 2)->property("Sort").toInt(), 2);

            clickHeader(w, 1);
            QCOMPARE(ids(w), QList<int>({10, 6, 3, 4, 7, 2, 9, 8, 5, 1}));
            QCOMPARE(caption(w, 1), QString("Naam (A)"));
            QCOMPARE(caption(w, 2), QString("Engels"));
            QCOMPARE(item(headers, 2)->property("Sort").toInt(), 0);
            QCOMPARE(currentId(w), 7);
        });
        QCOMPARE(item(headers, 1)->property("VeldNaam").toString(), QString("TEELT.Lang0"));
        QVERIFY(item(headers, 1)->property("Lengte").toInt() > 40 * 15);
    }

    void clientSortFlagsOrderAndMark()
    {
        auto zoeken = cropSearch({"Code;10", "Naam;40;D", "Engels;30;a"}, "SELECT Code, Code, Lang0, Lang1 FROM TEELT");
        show(zoeken.get(), [&](QWidget* w) {
            QCOMPARE(ids(w), QList<int>({1, 5, 8, 9, 2, 7, 4, 3, 6, 10}));
            QCOMPARE(caption(w, 1), QString("Code"));
            QCOMPARE(caption(w, 2), QString("Naam (Z)"));
            QCOMPARE(caption(w, 3), QString("Engels"));
            QVERIFY(marked(w, 2));
            // The sort column is the one searched.
            QTest::keyClicks(searchBox(w), "ko");
            QCOMPARE(currentId(w), 2);
        });

        // A query with its own order keeps it; the first shown column is searched.
        auto ordered =
            cropSearch({"", "Naam;40", "Engels;30"}, "SELECT Code, Lang0, Lang1 FROM TEELT ORDER BY Code DESC");
        show(ordered.get(), [&](QWidget* w) {
            QCOMPARE(ids(w), QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
            QVERIFY(!marked(w, 1) && !marked(w, 2));
            clickHeader(w, 2);
            QCOMPARE(ids(w), QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
            QTest::keyClicks(searchBox(w), "ko");
            QCOMPARE(currentId(w), 2);
        });
    }

    void typingSearchesTheSortColumn()
    {
        auto zoeken = cropSearch();
        show(zoeken.get(), [&](QWidget* w) {
            QLineEdit* box = searchBox(w);
            QTest::keyClicks(box, "p");
            QCOMPARE(currentId(w), 9);
            QCOMPARE(box->text(), QString("Paprika"));
            QCOMPARE(box->selectedText(), QString("aprika"));

            QTest::keyClicks(box, "aprika [");
            QCOMPARE(currentId(w), 8);
            QCOMPARE(box->text(), QString("Paprika [rood]"));
            QCOMPARE(box->selectionStart(), 9);

            // Letters without a match stay as typed, in the order typed, the caret after the last.
            QTest::keyClicks(box, "xyz");
            QCOMPARE(box->text(), QString("Paprika [xyz"));
            QCOMPARE(box->cursorPosition(), 12);
            QVERIFY(!box->hasSelectedText());
            QCOMPARE(currentId(w), 8);

            // Backspace widens the completed part instead of deleting.
            box->clear();
            QTest::keyClicks(box, "TO");
            QCOMPARE(box->text(), QString("Tomaat"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->text(), QString("Tomaat"));
            QCOMPARE(box->selectedText(), QString("omaat"));

            // A quote is text like any other.
            box->clear();
            QTest::keyClicks(box, "'s");
            QCOMPARE(currentId(w), 6);
            QCOMPARE(box->text(), QString("'s-Gravenzande tulp"));
        });
    }

    void searchingAnywhereStepsThroughMatches()
    {
        auto zoeken = cropSearch();
        show(zoeken.get(), [&](QWidget* w) {
            QLineEdit* box = searchBox(w);
            QPushButton* next = button(w, "cmdTekst_0");
            QPushButton* previous = button(w, "cmdTekst_1");
            QVERIFY(next->isHidden());
            QTest::keyClicks(box, "Go");
            QTest::mouseClick(w->findChild<QCheckBox*>("chkTekst"), Qt::LeftButton);
            QCOMPARE(box->text(), QString());
            QVERIFY(!next->isHidden() && !previous->isHidden());

            QTest::keyClicks(box, "BER");
            QCOMPARE(currentId(w), 4);
            QCOMPARE(box->text(), QString("BER"));
            QTest::mouseClick(next, Qt::LeftButton);
            QCOMPARE(currentId(w), 7);
            QTest::mouseClick(next, Qt::LeftButton);
            QCOMPARE(currentId(w), 7);
            QTest::mouseClick(previous, Qt::LeftButton);
            QCOMPARE(currentId(w), 4);

            box->clear();
            QTest::keyClicks(box, "[ro");
            QCOMPARE(currentId(w), 8);
            QCOMPARE(box->text(), QString("[ro"));
        });
    }

    void choosingGivesTheRowsId()
    {
        // The client's ID is the current row, its text selected for overtyping.
        auto byEnter = cropSearch({"", "Naam;40"}, CropQuery, 7);
        QVERIFY(show(byEnter.get(), [&](QWidget* w) {
            QCOMPARE(searchBox(w)->text(), QString("Gerbera"));
            QCOMPARE(searchBox(w)->selectedText(), QString("Gerbera"));
            QTest::keyClick(searchBox(w), Qt::Key_Return);
        }));
        QCOMPARE(byEnter->property("ID").toInt(), 7);

        auto byDoubleClick = cropSearch();
        QVERIFY(show(byDoubleClick.get(), [&](QWidget* w) { doubleClick(grid(w)->viewport(), rowPoint(w, 5)); }));
        QCOMPARE(byDoubleClick->property("ID").toInt(), 5);

        auto byButton = cropSearch({"", "Naam;40"}, CropQuery, 99);
        QVERIFY(show(byButton.get(), [&](QWidget* w) {
            // An ID the query does not hold leaves the first row current and the box empty.
            QCOMPARE(currentId(w), 10);
            QCOMPARE(searchBox(w)->text(), QString());
            QTest::keyClicks(searchBox(w), "kom");
            QTest::keyClick(grid(w), Qt::Key_Down);
            QTest::mouseClick(button(w, "cmdTabel_1"), Qt::LeftButton);
        }));
        QCOMPARE(byButton->property("ID").toInt(), 9);

        // The ID is the number the first field starts with.
        auto textId = cropSearch({"", "Naam;40"}, "SELECT Code || 'A', Lang0 FROM TEELT WHERE Code = 7");
        QVERIFY(show(textId.get(), [](QWidget* w) { QTest::keyClick(searchBox(w), Qt::Key_Return); }));
        QCOMPARE(textId->property("ID").toInt(), 7);
    }

    void everyOtherWayOutChoosesNothing()
    {
        const std::function<void(QWidget*)> cancels[] = {
            [](QWidget* w) { QTest::mouseClick(button(w, "cmdTabel_0"), Qt::LeftButton); },
            [](QWidget* w) { QTest::keyClick(searchBox(w), Qt::Key_Escape); },
            [](QWidget* w) {
                QTest::keyClick(grid(w), Qt::Key_Down);
                QTest::keyClick(grid(w), Qt::Key_Escape);
            },
        };
        for (const auto& cancel : cancels) {
            auto zoeken = cropSearch({"", "Naam;40"}, CropQuery, 7);
            QVERIFY(!show(zoeken.get(), cancel));
            QCOMPARE(zoeken->property("ID").toInt(), 0);
        }
    }

    void closingFromTheFrameLeavesTheClientsId()
    {
        // Other programs that use the component read their own ID back.
        auto zoeken = cropSearch({"", "Naam;40"}, CropQuery, 7);
        zoeken->setProperty("SelectieAktief", 1);
        QVERIFY(!show(zoeken.get(), [](QWidget* w) {
            QTest::keyClick(grid(w), Qt::Key_Down);
            w->close();
        }));
        QCOMPARE(zoeken->property("ID").toInt(), 7);
        QCOMPARE(zoeken->property("SelectieAktief").toInt(), 1);
    }

    void gridKeysGoBackToTheSearchBox()
    {
        auto zoeken = cropSearch();
        show(zoeken.get(), [&](QWidget* w) {
            QTest::keyClick(searchBox(w), Qt::Key_Down);
            QCOMPARE(w->focusWidget(), grid(w));
            QTest::keyClick(grid(w), Qt::Key_Down);
            QCOMPARE(currentId(w), 6);
            QCOMPARE(searchBox(w)->text(), QString("'s-Gravenzande tulp"));
            // A typed letter moves to the box and searches there.
            QTest::keyClick(grid(w), Qt::Key_R);
            QCOMPARE(w->focusWidget(), searchBox(w));
            QCOMPARE(currentId(w), 5);
        });
    }

    void typingAfterAMoveInTheListGoesOnFromWhatWasTyped()
    {
        // Each key is followed by the box it leaves; none where the key only takes the keyboard to the list.
        const std::pair<QKeyCombination, const char*> steps[] = {
            {Qt::Key_G, "G{erbera}"},
            {Qt::Key_Down, nullptr},
            {Qt::Key_Down, "{Komkommer}"}, // does not start with the typed "G"
            {Qt::Key_E, "Ge{rbera}"},
            {Qt::Key_Up, nullptr},
            {Qt::Key_Up, "{Aubergine}"},
            {Qt::Key_Down, "Ge{rbera}"}, // starts with it again
            {Qt::Key_X, "Gex|"},
            {Qt::Key_PageDown, nullptr},
            {Qt::Key_PageDown, "{Tomaat}"},
            {Qt::Key_PageUp, "|"},    // the row without a name, shorter than the prefix
            {Qt::Key_Backspace, "|"}, // from the list back to the box
            {Qt::Key_Backspace, "Ge{x}"},
            {Qt::Key_R, "Ger{bera}"},
            {Qt::Key_Down, nullptr},
            {Qt::Key_Space, nullptr}, // the row stays; the box lost its selection with the keyboard
            {Qt::Key_B, "Gerb{era}"},
            {Qt::CTRL | Qt::Key_A, nullptr},
            {Qt::Key_Delete, nullptr},
            {Qt::Key_Down, nullptr},
            {Qt::Key_Down, "{Komkommer}"}, // the emptied box has no prefix left
            {Qt::Key_K, "K{omkommer}"},
        };
        auto zoeken = cropSearch();
        show(zoeken.get(), [&](QWidget* w) {
            // Active, so that the keyboard moving between box and list is seen by both.
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QLineEdit* box = searchBox(w);
            for (const auto& [key, after] : steps) {
                typeKey(w, key);
                if (after)
                    QCOMPARE(shown(box), QString(after));
            }
            // A sort on another column shows that column's value; the next key goes on from the typed "K".
            clickHeader(w, 2);
            QCOMPARE(shown(box), QString("{Cucumber}"));
            typeKey(w, Qt::Key_E);
            QCOMPARE(shown(box), QString("Ke|"));

            // Searching anywhere, the box keeps the typed text while the row moves.
            QTest::mouseClick(w->findChild<QCheckBox*>("chkTekst"), Qt::LeftButton);
            box->setFocus();
            for (const Qt::Key key : {Qt::Key_U, Qt::Key_M, Qt::Key_Down, Qt::Key_Down})
                typeKey(w, key);
            QCOMPARE(shown(box), QString("um|"));
        });
    }

    void aSelectionMadeByHandAfterAMoveIsTypedOver()
    {
        const std::pair<const char*, std::function<void(QWidget*, QLineEdit*)>> ways[] = {
            {"a click, Home, Shift+End",
             [](QWidget* w, QLineEdit* box) {
                 QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, box->mapTo(w, box->rect().center()));
                 typeKey(w, Qt::Key_Home);
                 typeKey(w, Qt::SHIFT | Qt::Key_End);
             }},
            {"Shift+Tab, Ctrl+A",
             [](QWidget* w, QLineEdit*) {
                 typeKey(w, Qt::SHIFT | Qt::Key_Backtab);
                 typeKey(w, Qt::CTRL | Qt::Key_A);
             }},
            {"Ctrl+A in the list", [](QWidget* w, QLineEdit*) { typeKey(w, Qt::CTRL | Qt::Key_A); }},
            {"a drag",
             [](QWidget* w, QLineEdit* box) {
                 const QPoint from = box->mapTo(w, QPoint(1, box->height() / 2));
                 const QPoint to = box->mapTo(w, QPoint(box->width() - 2, box->height() / 2));
                 QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, from);
                 QTest::mouseMove(w->windowHandle(), to);
                 QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, to);
             }},
        };
        auto zoeken = cropSearch();
        show(zoeken.get(), [&](QWidget* w) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QLineEdit* box = searchBox(w);
            for (const auto& [way, select] : ways) {
                box->setFocus();
                box->clear();
                for (const Qt::Key key : {Qt::Key_G, Qt::Key_Down, Qt::Key_Down})
                    typeKey(w, key);
                QCOMPARE(shown(box), QString("{Komkommer}")); // the typed "G" is held for the next key
                select(w, box);
                QVERIFY2(w->focusWidget() == box && box->selectedText() == "Komkommer", way);
                typeKey(w, Qt::Key_R);
                typeKey(w, Qt::Key_O);
                QVERIFY2(shown(box) == "Ro{os}", qPrintable(QString(way) + ": " + shown(box)));
            }
        });
    }

    void multipleSelectionStartsFromTheClientsIds()
    {
        auto zoeken = cropSearch();
        zoeken->setProperty("SelectieAktief", 1);
        add(member(zoeken.get(), "SelectieIDs"), 5);
        add(member(zoeken.get(), "SelectieIDs"), 9);

        auto cancelled = cropSearch();
        cancelled->setProperty("SelectieAktief", 1);
        add(member(cancelled.get(), "SelectieIDs"), 5);
        QVERIFY(!show(cancelled.get(), [](QWidget* w) { QTest::keyClick(searchBox(w), Qt::Key_Escape); }));
        QCOMPARE(selectieIDs(cancelled.get()), QList<int>({5}));

        QVERIFY(show(zoeken.get(), [&](QWidget* w) {
            auto* counter = w->findChild<QLineEdit*>("txtSelectie");
            QVERIFY(counter->isVisible());
            QCOMPARE(counter->text(), QString("2"));
            QTest::mouseClick(grid(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 1));
            QCOMPARE(counter->text(), QString("3"));
            QCOMPARE(currentId(w), 1);
            QTest::mouseClick(grid(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 9));
            QCOMPARE(counter->text(), QString("2"));
            QTest::mouseClick(button(w, "cmdTabel_1"), Qt::LeftButton);
        }));
        QCOMPARE(zoeken->property("ID").toInt(), 9);
        QCOMPARE(selectieIDs(zoeken.get()), QList<int>({1, 5}));

        // In single selection the count stays hidden and accepting leaves no selected IDs.
        auto single = cropSearch();
        add(member(single.get(), "SelectieIDs"), 5);
        QVERIFY(show(single.get(), [](QWidget* w) {
            QVERIFY(w->findChild<QLineEdit*>("txtSelectie")->isHidden());
            QTest::keyClick(searchBox(w), Qt::Key_Return);
        }));
        QCOMPARE(selectieIDs(single.get()), QList<int>());
    }

    void dateColumnsShowDayMonthYear()
    {
        auto zoeken = cropSearch({"", "Datum;10", "Omschrijving;30"},
                                 "SELECT ID, Datum, Omschrijving FROM HISTORIE WHERE Omschrijving <> 'a;b'");
        show(zoeken.get(), [&](QWidget* w) {
            QCOMPARE(column(w, 1), QStringList({"", "20-12-23", "15-01-24", "05-03-24"}));
            clickHeader(w, 1);
            QCOMPARE(column(w, 1), QStringList({"05-03-24", "15-01-24", "20-12-23", ""}));
            QTest::keyClicks(searchBox(w), "15");
            QCOMPARE(currentId(w), 3);
            QCOMPARE(searchBox(w)->text(), QString("15-01-24"));
        });
    }

    void windowTextsComeFromTheClient()
    {
        // The check box without a caption is described, by the client's text when it gives one.
        auto plain = cropSearch();
        show(plain.get(), [](QWidget* w) {
            QCOMPARE(w->findChild<QCheckBox*>("chkTekst")->toolTip(), QString("Zoek overal in de tekst"));
        });

        auto zoeken = cropSearch();
        QObject* regels = member(zoeken.get(), "TekstRegels");
        add(regels, 1, QString("Eerst"));
        add(regels, 1, QString("Zoek:"));
        add(regels, 2, QString("Stoppen"));
        add(regels, 5, QString("Overal zoeken"));
        show(zoeken.get(), [](QWidget* w) {
            QCOMPARE(w->findChild<QLabel*>("lblTabel")->text(), QString("Zoek:"));
            QCOMPARE(button(w, "cmdTabel_0")->text(), QString("Stoppen"));
            auto* anywhere = w->findChild<QCheckBox*>("chkTekst");
            QCOMPARE(anywhere->toolTip(), QString("Overal zoeken"));
            QCOMPARE(anywhere->accessibleName(), QString("Overal zoeken"));
        });
    }

    void theWindowHoldsItsTitleAndItsFrames()
    {
        // A narrow column under a long title, as in a fertiliser search.
        auto zoeken = cropSearch({"", "Naam;10"});
        zoeken->setProperty("Caption", "Choose a fertiliser for the second phosphate source");
        show(zoeken.get(), [](QWidget* w) {
            QFont bold = QApplication::font();
            bold.setBold(true);
            // Beside the title, room for a desktop's icon and three caption buttons of 46 pixels.
            QVERIFY(w->width() - QFontMetrics(bold).horizontalAdvance(w->windowTitle()) >=
                    (16 + 3 * 46) * w->logicalDpiX() / 96);
            // Every frame lies inside the window, the lowest as near its edge as the others to theirs.
            const QRect top = w->findChild<QWidget*>("fraTabvintop")->geometry();
            const QRect bottom = w->findChild<QWidget*>("fraTabvinbottom")->geometry();
            QVERIFY(w->rect().contains(top) && w->rect().contains(bottom));
            QVERIFY(w->height() - 1 - bottom.bottom() <= w->width() - 1 - bottom.right());
        });
    }

    void emptyResultShowsTheMessageAndChoosesNothing()
    {
        auto plain = cropSearch({"", "Naam;40"}, "SELECT Code, Lang0 FROM TEELT WHERE Code < 0", 7);
        QVERIFY(!show(plain.get(), [](QWidget*) { QFAIL("the window opened"); }));
        QCOMPARE(plain->property("ID").toInt(), 0);
        QCOMPARE(MessageBox::last().text, QString("Er zijn nog geen tabelgegevens bekend"));
        QCOMPARE(MessageBox::last().title, QString("Zoeken gegevens"));

        auto ownTexts = cropSearch({"", "Naam;40"}, "SELECT Code, Lang0 FROM TEELT WHERE Code < 0");
        add(member(ownTexts.get(), "TekstRegels"), 3, QString("Geen gewassen"));
        add(member(ownTexts.get(), "TekstRegels"), 4, QString("Let op"));
        QVERIFY(!show(ownTexts.get()));
        QCOMPARE(MessageBox::last().text, QString("Geen gewassen"));
        QCOMPARE(MessageBox::last().title, QString("Let op"));
    }

    // The texts the program gives the database layer reach the library's own copy of that layer.
    void databaseErrorsReadInTheProgramsTexts()
    {
        SetDatabaseErrorTexts([](int number) {
            return number == JetError::TableNotFound ? QString("Tabel '%1' ontbreekt.") : QString();
        });
        auto badTable = cropSearch({"", "Naam;40"}, "SELECT Code, Lang0 FROM Onbekend", 7);
        MessageBox::setNextAnswer(MsgBox::Cancel);
        QVERIFY(!show(badTable.get(), [](QWidget* w) { QTest::keyClick(searchBox(w), Qt::Key_Escape); }));
        SetDatabaseErrorTexts(nullptr);
        QCOMPARE(MessageBox::shown().first().text, QString("Nummer:  3078\n\nTabel 'Onbekend' ontbreekt."));
    }

    void failuresShowTheErrorDialog()
    {
        auto badTable = cropSearch({"", "Naam;40"}, "SELECT Code, Lang0 FROM Onbekend", 7);
        MessageBox::setNextAnswer(MsgBox::Retry);
        MessageBox::setNextAnswer(MsgBox::Cancel);
        MessageBox::setNextAnswer(MsgBox::Cancel);
        QVERIFY(!show(badTable.get(), [](QWidget* w) {
            // Loading was left: nothing to accept, and the window stays until cancelled.
            QTest::keyClick(searchBox(w), Qt::Key_Return);
            QVERIFY(w->isVisible());
            QTest::keyClick(searchBox(w), Qt::Key_Escape);
        }));
        QCOMPARE(badTable->property("ID").toInt(), 0);
        const auto shown = MessageBox::shown();
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[0].text.startsWith("Nummer:  3078\n\n"));
        QCOMPARE(shown[0].title, QString("Melding"));
        QCOMPARE(shown[0].style, MsgBox::RetryCancel | MsgBox::Exclamation);
        QCOMPARE(shown[1].text, shown[0].text);
        QVERIFY(shown[2].text.startsWith("Nummer:  3021\n\n"));

        MessageBox::clear();
        auto noFile = cropSearch({"", "Naam;40"});
        noFile->setProperty("DatabaseName", "Elders.mdb");
        MessageBox::setNextAnswer(MsgBox::Cancel);
        QVERIFY(!show(noFile.get()));
        QVERIFY(MessageBox::last().text.startsWith("Nummer:  3024\n\n"));

        // The search only reads: a statement that writes is refused.
        MessageBox::clear();
        auto writing = cropSearch({"", "Naam;40"}, "DELETE FROM TEELT");
        MessageBox::setNextAnswer(MsgBox::Cancel);
        QVERIFY(!show(writing.get()));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(Database(m_dir.filePath("ZelvoraT.mdb")).openRecordset("SELECT * FROM TEELT").recordCount(), 10);
    }

    void headerWidthsSurviveASecondShow()
    {
        // An empty caption has no characters to measure: the font's average width stands in.
        auto zoeken = cropSearch({"", ";", "Engels;30"});
        QObject* first = item(member(zoeken.get(), "Headers"), 1);
        first->setProperty("Lengte", 10);
        int widths[2] = {};
        for (int& width : widths) {
            QVERIFY(show(zoeken.get(), [&](QWidget* w) {
                QCOMPARE(caption(w, 1), QString(" (A)"));
                QVERIFY(grid(w)->columnWidth(1) > 0);
                width = grid(w)->columnWidth(2);
                QTest::keyClick(searchBox(w), Qt::Key_Return);
            }));
        }
        QVERIFY(widths[0] > 0);
        QCOMPARE(widths[1], widths[0]);
        QCOMPARE(MessageBox::shown().size(), 0);
    }
};

QTEST_MAIN(TestFrmTabel)
#include "test_frmtabel.moc"
