// The print preview window and the print dialog class: the held document is
// shown, printed and saved as PDF, and the dialog's choices come back; every
// dialog is answered by the test.
#include "appstate.h"
#include "clsprintdialog.h"
#include "db/apperror.h"
#include "defaultstate.h"
#include "frmprintpreview.h"
#include "fulldisk.h"
#include "pdftext.h"
#include "programfixture.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

using TestSupport::typeKey;

// The keys run while the preview is open as the program opens it; it is
// closed after them when they did not close it.
void whileOpen(const std::function<void(frmPrintPreview&)>& keys)
{
    frmPrintPreview& preview = frmPrintPreview::instance();
    QTimer::singleShot(0, [&] {
        [&] {
            QVERIFY(QTest::qWaitForWindowActive(&preview));
            keys(preview);
        }();
        if (preview.isVisible())
            preview.reject();
    });
    preview.showModal();
}

// The tools' buttons in the order of the bar.
QList<QToolButton*> tools(const frmPrintPreview& preview)
{
    auto* bar = preview.findChild<QToolBar*>();
    QList<QToolButton*> out;
    for (QAction* a : bar->actions())
        if (!a->isSeparator())
            out << qobject_cast<QToolButton*>(bar->widgetForAction(a));
    return out;
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_program;
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { m_program = TestSupport::openDefaultState(TestSupport::Open::TextsOnly); }

    void init()
    {
        MessageBox::clear();
        FileDialog::clear();
        setPrintDialogPresenter({});
        // Every window test starts on a document of two pages.
        PrintDocument& doc = frmPrintPreview::instance().vspBestelling;
        doc.startDoc();
        doc.printText("Blad een");
        doc.newPage();
        doc.printText("Blad twee");
        doc.endDoc();
    }

    void cleanup()
    {
        appState().languageID = 0;
        OpenRsLang();
    }

    void cleanupTestCase()
    {
        setPrintDialogPresenter({});
        frmPrintPreview::release();
        resetAppState();
    }

    void showModalShowsTheDocumentUntilTheUserCloses()
    {
        frmPrintPreview& preview = frmPrintPreview::instance();
        int pages = 0;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            pages = preview.previewPageCount();
            modal = QApplication::activeModalWidget() == &preview;
            preview.findChild<QAction*>("actClose")->trigger();
        });
        preview.showModal();
        QCOMPARE(pages, 2);
        QVERIFY(modal);
        QVERIFY(!preview.isVisible());
    }

    // With a desktop's title bar above it, the window still ends on the screen.
    void theWindowLeavesRoomOnTheScreenForATitleBar()
    {
        whileOpen([](frmPrintPreview& preview) {
            QVERIFY(preview.height() + 40 <= preview.screen()->availableGeometry().height());
        });
    }

    void saveAsPdfWritesWhereTheUserChose()
    {
        frmPrintPreview& preview = frmPrintPreview::instance();

        // A name without extension gets ".pdf".
        FileDialog::setNextAnswer(m_dir.filePath("advies"));
        preview.findChild<QAction*>("actPdf")->trigger();
        const QString pdf = m_dir.filePath("advies.pdf");
        QVERIFY(QFileInfo::exists(pdf));
        QVERIFY(PdfText::layout(pdf, 1).contains("Blad een"));
        QVERIFY(PdfText::layout(pdf, 2).contains("Blad twee"));
        QVERIFY(MessageBox::shown().isEmpty());

        // Cancelled: nothing written, nothing said.
        FileDialog::setNextAnswer("");
        preview.saveAsPdf();
        QVERIFY(MessageBox::shown().isEmpty());

        // A place that cannot be written: the error dialog names the file.
        const QString bad = m_dir.filePath("geen/map/advies.pdf");
        FileDialog::setNextAnswer(bad);
        preview.saveAsPdf();
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::last().text.contains("75"));
        QVERIFY(MessageBox::last().text.contains("advies.pdf"));
        QVERIFY(!QFileInfo::exists(bad));
    }

    void printGoesToThePrinterWithThePagesAndCopiesChosen()
    {
        frmPrintPreview& preview = frmPrintPreview::instance();
        const QString out = m_dir.filePath("printer.pdf");
        int maxPage = 0;
        setPrintDialogPresenter([&](QPrinter& printer, const PrintDialogRequest& request) {
            maxPage = request.maxPage;
            printer.setOutputFileName(out);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 2);
            return true;
        });
        preview.findChild<QAction*>("actPrint")->trigger();
        QCOMPARE(maxPage, 2);
        QCOMPARE(PdfText::pages(out), 1);
        QVERIFY(PdfText::layout(out).contains("Blad twee"));
        QVERIFY(!PdfText::layout(out).contains("Blad een"));

        // Copies a file printer leaves to the program: each copy whole, in turn.
        bool zelf = true;
        setPrintDialogPresenter([&](QPrinter& printer, const PrintDialogRequest&) {
            printer.setOutputFileName(out);
            printer.setCopyCount(2);
            zelf = printer.supportsMultipleCopies();
            return true;
        });
        preview.printDocument();
        QVERIFY(!zelf);
        QCOMPARE(PdfText::pages(out), 4);
        for (int blad : {1, 3})
            QVERIFY(PdfText::layout(out, blad).contains("Blad een"));
        for (int blad : {2, 4})
            QVERIFY(PdfText::layout(out, blad).contains("Blad twee"));

        // Cancelled: nothing printed.
        QFile::remove(out);
        setPrintDialogPresenter([&](QPrinter& printer, const PrintDialogRequest&) {
            printer.setOutputFileName(out);
            return false;
        });
        preview.printDocument();
        QVERIFY(!QFileInfo::exists(out));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void savingOnAFullDiskSaysTheDiskIsFull_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("Dutch") << qint16(0)
                               << "De schijf is vol: '%1' is niet opgeslagen. Maak ruimte vrij op de schijf en "
                                  "probeer het opnieuw.";
        QTest::newRow("English") << qint16(1)
                                 << "The disk is full: '%1' was not saved. Make room on the disk and try again.";
    }

    // Another name would not help there.
    void savingOnAFullDiskSaysTheDiskIsFull()
    {
        QFETCH(qint16, language);
        QFETCH(QString, message);
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        QVERIFY(disk.fill());
        appState().languageID = language;
        OpenRsLang();
        const QString out = disk.path() + "advies.pdf";
        FileDialog::setNextAnswer(out);
        frmPrintPreview::instance().saveAsPdf();
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY2(MessageBox::last().text.endsWith("\n" + message.arg(out)), qPrintable(MessageBox::last().text));
    }

    // Printing to a file that cannot be written whole is told as the
    // preview's own save tells it, and an older file of the name stays.
    void printToAFileOnAFullDiskKeepsTheOlderFile()
    {
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        const QString out = disk.path() + "advies.pdf";
        const QByteArray older = "%PDF-1.4 eerder advies\n";
        {
            QFile f(out);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(older) == older.size());
        }
        QVERIFY(disk.fill());
        auto files = [&] { return QDir(disk.path()).entryList(QDir::Files | QDir::Hidden); };
        frmPrintPreview& preview = frmPrintPreview::instance();
        setPrintDialogPresenter([&](QPrinter& printer, const PrintDialogRequest&) {
            printer.setOutputFileName(out);
            return true;
        });
        preview.findChild<QAction*>("actPrint")->trigger();
        FileDialog::setNextAnswer(out);
        preview.saveAsPdf();
        QCOMPARE(MessageBox::shown().size(), 2);
        QVERIFY(MessageBox::shown()[0].text.contains("advies.pdf"));
        QCOMPARE(MessageBox::shown()[0].text, MessageBox::shown()[1].text);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), older);
        QCOMPARE(files(), QStringList({"advies.pdf", "filler"}));

        // Without an older file, none is left under the name.
        QVERIFY(QFile::remove(out) && disk.fill());
        preview.printDocument();
        QCOMPARE(MessageBox::shown().size(), 3);
        QCOMPARE(files(), QStringList{"filler"});
    }

    void everyToolFollowsItsShortcut()
    {
        bool asked = false;
        setPrintDialogPresenter([&](QPrinter&, const PrintDialogRequest&) { return asked = true, false; });
        const QString pdf = m_dir.filePath("toetsen");
        FileDialog::setNextAnswer(pdf);
        whileOpen([&](frmPrintPreview& preview) {
            auto* view = preview.findChild<QPrintPreviewWidget*>();
            for (const auto& [key, page] :
                 {std::pair{Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 1}, {Qt::Key_End, 2}, {Qt::Key_Home, 1}}) {
                typeKey(key);
                QCOMPARE(view->currentPage(), page);
            }
            for (const auto& [key, in] :
                 {std::pair{Qt::Key_Plus, true}, {Qt::Key_Equal, true}, {Qt::Key_Minus, false}}) {
                const qreal before = view->zoomFactor();
                typeKey(key, Qt::ControlModifier);
                QVERIFY2(in ? view->zoomFactor() > before : view->zoomFactor() < before,
                         qPrintable(QKeySequence(key).toString()));
            }
            typeKey(Qt::Key_0, Qt::ControlModifier);
            QCOMPARE(view->zoomMode(), QPrintPreviewWidget::FitInView);
            typeKey(Qt::Key_P, Qt::ControlModifier);
            QVERIFY(asked);
            typeKey(Qt::Key_S, Qt::ControlModifier);
            QVERIFY(QFileInfo::exists(pdf + ".pdf"));
            typeKey(Qt::Key_W, Qt::ControlModifier);
            QVERIFY(!preview.isVisible());
        });
        whileOpen([](frmPrintPreview& preview) {
            typeKey(Qt::Key_Escape);
            QVERIFY(!preview.isVisible());
        });
    }

    // In each language, on a screen 1024 pixels wide, every tool shows on the
    // bar (none behind its overflow) and Alt with the letter it marks presses
    // it; a letter two tools mark presses neither.
    void everyToolShowsOnTheBarWithALetterOfItsOwnInBothLanguages()
    {
        setPrintDialogPresenter([](QPrinter&, const PrintDialogRequest&) { return false; });
        QStringList printCaptions;
        for (const qint16 language : {0, 1}) {
            appState().languageID = language;
            OpenRsLang();
            whileOpen([&](frmPrintPreview& preview) {
                QVERIFY(preview.width() <= 1024);
                const QRect bar = preview.findChild<QToolBar*>()->rect();
                for (const QToolButton* tool : tools(preview))
                    QVERIFY2(tool->isVisible() && bar.contains(tool->geometry()), qPrintable(tool->text()));
                printCaptions << tools(preview).first()->text();
                for (QToolButton* tool : tools(preview)) {
                    const qsizetype mark = tool->text().indexOf('&');
                    QVERIFY2(mark >= 0 && mark + 1 < tool->text().size(), qPrintable(tool->text()));
                    QSignalSpy pressed(tool->defaultAction(), &QAction::triggered);
                    FileDialog::setNextAnswer("");
                    typeKey(Qt::Key_A + tool->text()[mark + 1].toUpper().unicode() - 'A', Qt::AltModifier);
                    QTRY_VERIFY2(pressed.count() == 1, qPrintable(tool->text()));
                }
            });
        }
        // The window outlives a change of language; its captions follow it.
        QVERIFY(printCaptions.first() != printCaptions.last());
    }

    void tabReachesEveryToolShowingWhereItIsAndEnterPressesIt()
    {
        whileOpen([](frmPrintPreview& preview) {
            const QList<QToolButton*> buttons = tools(preview);
            QSet<QWidget*> reached;
            for (qsizetype i = 0; i < 2 * buttons.size(); ++i) {
                typeKey(Qt::Key_Tab);
                reached << QApplication::focusWidget();
            }
            for (QToolButton* tool : buttons)
                QVERIFY2(reached.contains(tool), qPrintable(tool->text()));

            QToolButton* next = *std::find_if(buttons.begin(), buttons.end(), [](const QToolButton* b) {
                return b->defaultAction()->objectName() == "actNext";
            });
            while (QApplication::focusWidget() != next)
                typeKey(Qt::Key_Tab);
            const QImage focused = next->grab().toImage();
            typeKey(Qt::Key_Tab);
            QVERIFY(next->grab().toImage() != focused);
            typeKey(Qt::Key_Tab, Qt::ShiftModifier);
            typeKey(Qt::Key_Return);
            QCOMPARE(preview.findChild<QPrintPreviewWidget*>()->currentPage(), 2);
        });
    }

    void pageBoundsKeepTheirOrder()
    {
        clsPrintDialog d;
        auto bounds = [&] { return QList<int>{d.Min(), d.FromPage(), d.ToPage(), d.Max()}; };
        QCOMPARE(bounds(), QList<int>({0, 0, 0, 0}));

        d.setFromPage(5); // pushes To and Max up
        QCOMPARE(bounds(), QList<int>({0, 5, 5, 5}));
        d.setMax(3); // pulls To and From down
        QCOMPARE(bounds(), QList<int>({0, 3, 3, 3}));
        d.setMin(-4); // below 1 counts as 1
        QCOMPARE(bounds(), QList<int>({1, 3, 3, 3}));
        d.setToPage(0);
        QCOMPARE(bounds(), QList<int>({1, 1, 1, 3}));
        d.setMin(2);
        QCOMPARE(bounds(), QList<int>({2, 2, 2, 3}));
    }

    void dialogGivesBackTheChoiceOnlyWhenConfirmed()
    {
        clsPrintDialog d;
        d.setMin(1);
        d.setMax(9);
        d.setFromPage(2);
        d.setToPage(4);
        d.Flags = PrintDlgFlag::PageNums | PrintDlgFlag::NoSelection;

        // Cancelled: false, or the cancel error when asked for; nothing taken over.
        setPrintDialogPresenter([](QPrinter& printer, const PrintDialogRequest&) {
            printer.setFromTo(5, 6);
            return false;
        });
        QVERIFY(!d.ShowPrinter());
        d.CancelError = true;
        try {
            d.ShowPrinter();
            QFAIL("a cancelled dialog with CancelError must throw");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), 32755);
        }
        QCOMPARE(d.FromPage(), 2);
        QCOMPARE(d.Copies(), 0);

        PrintDialogRequest asked;
        int fromAsked = 0;
        setPrintDialogPresenter([&](QPrinter& printer, const PrintDialogRequest& request) {
            asked = request;
            fromAsked = printer.fromPage();
            printer.setOutputFileName(m_dir.filePath("bestand.pdf"));
            printer.setFromTo(3, 7);
            printer.setCopyCount(2);
            printer.setCollateCopies(true);
            return true;
        });
        QVERIFY(d.ShowPrinter());
        QCOMPARE(asked.minPage, 1);
        QCOMPARE(asked.maxPage, 9);
        QCOMPARE(fromAsked, 2);
        QVERIFY(!(asked.options & QAbstractPrintDialog::PrintSelection));
        QCOMPARE(QList<int>({d.FromPage(), d.ToPage(), d.Copies()}), QList<int>({3, 7, 2}));
        QCOMPARE(d.Flags, PrintDlgFlag::PageNums | PrintDlgFlag::NoSelection | PrintDlgFlag::Collate |
                              PrintDlgFlag::PrintToFile);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "test_printpreview.moc"
