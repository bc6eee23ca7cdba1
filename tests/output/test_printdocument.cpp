// The print document: what the reports build is drawn into a PDF file whose
// text reads back in place, and nothing drawn ever covers anything else.
#include "db/apperror.h"
#include "documentrenderer.h"
#include "fulldisk.h"
#include "pdftext.h"
#include "printdocument.h"
#include "wideface.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString TankFormat = "<+3250|>+900|<+700|100|<+3250|>+900|<+700";

// Texts of a page that share any part of their boxes.
QStringList overlaps(const DocPage& page)
{
    QStringList out;
    std::vector<DocText> all = page.header;
    all.insert(all.end(), page.texts.begin(), page.texts.end());
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            if (all[i].box.intersects(all[j].box))
                out << all[i].text + " / " + all[j].text;
    return out;
}

const DocText* findText(const PrintDocument& doc, const QString& text, int* pageOut = nullptr)
{
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const DocText& t : doc.pages()[p].texts)
            if (t.text == text) {
                if (pageOut)
                    *pageOut = p;
                return &t;
            }
    return nullptr;
}

template <typename F> int errorNumber(F f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

QImage logo()
{
    QImage image(96, 114, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

// A landscape document with what the advice report draws: header, tank table,
// settings table with spanning cells, bordered element
// table with a small cell, a logo and a version line.
void buildReport(PrintDocument& doc)
{
    doc.setOrientation(DocOrientation::Landscape);
    doc.setPaperSize(PaperCode::A4);
    doc.startDoc();
    doc.setLeft(6000);
    doc.setTop(1000);
    doc.setHeader("|Bemestingsadvies|maandag, 2 jun 2025");
    doc.setBold(true);
    doc.addTable(TankFormat, "Bak A||||Bak B||", "", 16);
    doc.setBold(false);
    doc.setTableFontSize(10);
    doc.setCell(1, 1, "Kalksalpeter");
    doc.setCell(1, 2, "12.5");
    doc.setCell(1, 3, "kg");
    doc.setCell(2, 1, "Kalisalpeter");
    doc.setCell(2, 2, "1234.5");
    doc.setCell(2, 3, "kg");
    doc.setCell(1, 5, "Fosforzuur");
    doc.setCell(1, 6, "3");
    doc.setCell(1, 7, "liter");
    doc.endTable();

    doc.setLeft(1000);
    doc.setTop(2200);
    doc.addTable("<+2000|>+800|<+1100|", "Instellingen", "", 3);
    doc.setCellSpan(0, 1, 4);
    doc.setCell(1, 1, "Gewas");
    doc.setCell(1, 2, "Trostomaat");
    doc.setCellSpan(1, 2, 6);
    doc.setCellAlign(1, 2, TextAlign::Left);
    doc.setCell(2, 1, "Bakgrootte");
    doc.setCell(2, 2, "1,000");
    doc.setCell(2, 3, "liter");
    doc.endTable();

    doc.setTop(6800);
    doc.addTable("<+2000|>+800|>+800", "|NH4|K", "Basis|1.25|7.00", 1);
    doc.setBorder(TableBorder::All);
    doc.setCellFontSize(1, 1, 6);
    doc.endTable();

    doc.drawPicture(logo(), 14000, 8500, 1440, 1717);
    doc.setLeft(1000);
    doc.setTop(10100);
    doc.setFontSize(8);
    doc.printText("Versie 1.0.0");
    doc.endDoc();
}

} // namespace

class TestPrintDocument : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY2(WideFace::use(), "no face wider than Arial on this machine"); }

    void reportReadsBackFromItsPdfInPlace()
    {
        PrintDocument doc;
        buildReport(doc);
        QCOMPARE(doc.pageCount(), 1);
        QVERIFY2(overlaps(doc.pages()[0]).isEmpty(), qPrintable(overlaps(doc.pages()[0]).join("; ")));
        const QString pdf = m_dir.filePath("report.pdf");
        QVERIFY(writePdf(doc, pdf));
        QCOMPARE(PdfText::pages(pdf), 1);
        const QString text = PdfText::layout(pdf);

        // Page header: title in the middle, date to its right.
        const QString header = PdfText::lineWith(text, "Bemestingsadvies");
        QVERIFY(header.indexOf("maandag") > header.indexOf("Bemestingsadvies"));
        QVERIFY(header.indexOf("Bemestingsadvies") > 30);

        // Names left aligned under each other, amounts right aligned.
        const QString row1 = PdfText::lineWith(text, "Kalksalpeter");
        const QString row2 = PdfText::lineWith(text, "Kalisalpeter");
        QCOMPARE(row1.indexOf("Kalksalpeter"), row2.indexOf("Kalisalpeter"));
        QCOMPARE(row1.indexOf("12.5") + 4, row2.indexOf("1234.5") + 6);
        QVERIFY(row1.indexOf("Fosforzuur") > row1.indexOf("kg"));

        // A spanning cell keeps its text on one line where one column would wrap it.
        QVERIFY(PdfText::lineWith(text, "Gewas").contains("Trostomaat"));
        QVERIFY(text.contains("Basis") && PdfText::lineWith(text, "1.25").contains("7.00"));
        QVERIFY(text.contains("Versie 1.0.0"));

        // Only the header row is bold, and the bold font reaches the file; the
        // small font goes to the cell asked for, not to its header.
        QVERIFY(findText(doc, "Bak A")->bold && !findText(doc, "Kalksalpeter")->bold);
        QCOMPARE(findText(doc, "Basis")->fontSize, 6.0);
        QVERIFY(PdfText::run("/usr/bin/pdffonts", {pdf}).contains("Bold"));
        // The logo is in the file (two header lines and one image).
        QCOMPARE(doc.pages()[0].pictures.size(), size_t(1));
        QCOMPARE(doc.pages()[0].pictures[0].box, QRect(14000, 8500, 1440, 1717));
        QCOMPARE(PdfText::run("/usr/bin/pdfimages", {"-list", pdf}).trimmed().split('\n').size(), 3);
    }

    void textsTooWideForTheirCellsAreSetSmallerNeverCut()
    {
        PrintDocument doc;
        doc.startDoc();
        doc.addTable(TankFormat, "", "", 3);
        doc.setCell(1, 1, "Big bag voor een bakinhoud van");
        doc.setCell(1, 2, "12,345,678.9");
        doc.setCell(1, 3, "liter");
        const QString opmerking =
            "Een lange opmerking die over meer regels loopt dan een cel breed is, woord voor woord";
        doc.setCell(2, 1, opmerking);
        doc.endTable();

        // A label and a number a little too wide stay whole on their line,
        // smaller, on the baseline of the row's other texts.
        const DocText* label = findText(doc, "Big bag voor een bakinhoud van");
        const DocText* getal = findText(doc, "12,345,678.9");
        QVERIFY(label && getal);
        QVERIFY(label->fontSize < 10 && label->fontSize >= 7.5);
        QCOMPARE(label->box.top() + textBaseline(label->fontSize),
                 findText(doc, "liter")->box.top() + textBaseline(10));
        // A long text wraps at its words: every word whole, in order.
        QStringList woorden;
        for (const DocText& t : doc.pages()[0].texts) {
            QVERIFY2(QFontMetricsF(documentFont(t.fontSize, t.bold)).horizontalAdvance(t.text) <= t.box.width(),
                     qPrintable(t.text));
            if (t.box.left() == label->box.left() && t.box.top() > label->box.top())
                woorden << t.text.split(' ');
        }
        QCOMPARE(woorden.join(' '), opmerking);
    }

    void aPdfThatCannotBeWrittenOutIsNotThere()
    {
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        QVERIFY(disk.fill());
        PrintDocument doc;
        doc.startDoc();
        doc.printText("Kort");
        QVERIFY(!writePdf(doc, disk.path() + "advies.pdf"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"filler"});
    }

    void bordersFollowTheTableSetting()
    {
        PrintDocument doc;
        doc.startDoc();
        QCOMPARE(doc.pageCount(), 1);
        auto linesOf = [&](TableBorder border) {
            const size_t before = doc.pages()[0].lines.size();
            doc.addTable("<+1000|<+1000", "a|b", "c|d", 1);
            doc.setBorder(border);
            doc.endTable();
            return doc.pages()[0].lines.size() - before;
        };
        QCOMPARE(linesOf(TableBorder::None), size_t(0));
        QCOMPARE(linesOf(TableBorder::Box), size_t(4));
        QCOMPARE(linesOf(TableBorder::All), size_t(12)); // every edge of a 2 x 2 grid, once

        // A rule under a row and one beside a column, but not through a spanning cell.
        const size_t before = doc.pages()[0].lines.size();
        doc.addTable("<+1000|<+1000|<+1000", "kop", "a|b|c\nd|e|f", 2);
        doc.setCellSpan(0, 1, 3);
        doc.setRowRule(1);
        doc.setColumnRule(1);
        doc.endTable();
        QCOMPARE(doc.pages()[0].lines.size() - before,
                 size_t(5)); // under the cells of row 1, beside column 1 in rows 1 and 2
    }

    void longTableContinuesOnTheNextPageWithoutCoveringAnything()
    {
        PrintDocument doc;
        doc.setOrientation(DocOrientation::Portrait);
        doc.startDoc();
        doc.setHeader("||dinsdag");
        doc.setLeft(2000);
        doc.setTop(3500);
        doc.setBold(true);
        doc.addTable("<+3250|>+900|<+1400", "Meststof|Kg|Eenheid", "", 60);
        doc.setBold(false);
        for (int r = 1; r <= 60; ++r) {
            doc.setCell(r, 1, QString("Meststof %1").arg(r));
            doc.setCell(r, 2, QString::number(r * 10));
        }
        // Rows past the count are added, none is lost.
        doc.setCell(75, 1, "Meststof 75");
        QCOMPARE(doc.rows(), 75);
        doc.endTable();
        doc.setTop(15200);
        doc.setFontSize(8);
        doc.printText("Versie 1.0.0");
        doc.endDoc();

        QCOMPARE(doc.pageCount(), 2);
        for (const DocPage& page : doc.pages()) {
            QVERIFY2(overlaps(page).isEmpty(), qPrintable(overlaps(page).join("; ")));
            for (const DocText& t : page.texts)
                QVERIFY2(t.box.bottom() < doc.pageHeight() - PrintDocument::Margin, qPrintable(t.text));
        }
        int page = -1;
        const DocText* footer = findText(doc, "Versie 1.0.0", &page);
        QVERIFY(footer && page == 1 && footer->box.top() >= 15200);

        const QString pdf = m_dir.filePath("long.pdf");
        QVERIFY(writePdf(doc, pdf));
        QCOMPARE(PdfText::pages(pdf), 2);
        const QString first = PdfText::layout(pdf, 1);
        const QString second = PdfText::layout(pdf, 2);
        for (int r = 1; r <= 60; ++r) {
            const QString name = QString("Meststof %1 ").arg(r);
            QCOMPARE(int(first.contains(name)) + int(second.contains(name)), 1);
        }
        // The header row comes again above the rows that continue.
        const int eenheid = second.indexOf("Eenheid");
        QVERIFY(eenheid >= 0 && eenheid < second.indexOf(QRegularExpression("Meststof \\d")));
        QVERIFY(second.contains("dinsdag"));
        // Row by row, in order, on the new page too.
        QVERIFY(second.indexOf("Meststof 60") < second.indexOf("Meststof 75"));
    }

    void blocksPlacedOnEarlierOnesMoveBelowThem()
    {
        PrintDocument doc;
        doc.startDoc();
        doc.setLeft(1000);
        doc.setTop(1000);
        doc.addTable("<+1500|>+800", "", "Een naam die niet op een regel past|1", 2);
        doc.endTable();
        QVERIFY(!findText(doc, "Een naam die niet op een regel past")); // broken over lines
        const int tableBottom = doc.top();

        // Same spot again: a table, a text and a picture all land below.
        doc.setLeft(1500);
        doc.setTop(1100);
        doc.addTable("<+2000", "", "Tweede tabel", 1);
        doc.endTable();
        QVERIFY(findText(doc, "Tweede tabel")->box.top() >= tableBottom);
        doc.setTop(1100);
        doc.printText("Losse tekst");
        QVERIFY(findText(doc, "Losse tekst")->box.top() >= tableBottom);
        doc.drawPicture(logo(), 1200, 1050, 500, 500);
        QCOMPARE(doc.pages()[0].pictures.size(), size_t(1));
        QVERIFY(doc.pages()[0].pictures[0].box.top() >= tableBottom);
        // Beside it there is room: a block to the right keeps its place.
        doc.setLeft(8000);
        doc.setTop(1000);
        doc.printText("Ernaast");
        QCOMPARE(findText(doc, "Ernaast")->box.top(), 1000);
        QVERIFY(overlaps(doc.pages()[0]).isEmpty());

        // A block that no longer fits goes to a new page at the top it asked for.
        doc.setLeft(1000);
        doc.setTop(doc.pageHeight() - PrintDocument::Margin - 50);
        doc.printText("Onderaan");
        int page = -1;
        const DocText* bottom = findText(doc, "Onderaan", &page);
        QCOMPARE(page, 1);
        QVERIFY(bottom->box.top() >= PrintDocument::Margin);
    }

    void callerMistakesAreRefused()
    {
        PrintDocument doc;
        QCOMPARE(errorNumber([&] { doc.addTable("<+1000", "", "", 1); }), PrintError::InvalidCall);
        QCOMPARE(errorNumber([&] { doc.setPaperSize(1); }), PrintError::InvalidValue);
        QCOMPARE(errorNumber([&] { doc.setOrientation(2); }), PrintError::InvalidValue);
        doc.startDoc();
        QCOMPARE(errorNumber([&] { doc.setCell(1, 1, "x"); }), PrintError::InvalidCall);
        QCOMPARE(errorNumber([&] { doc.addTable("<+abc|>+900", "", "", 1); }), PrintError::InvalidValue);
        QCOMPARE(errorNumber([&] { doc.setFontSize(0); }), PrintError::InvalidValue);
        doc.addTable("<+1000|>+900", "", "", 1);
        QCOMPARE(errorNumber([&] { doc.setCell(1, 3, "x"); }), PrintError::OutOfRange);
        QCOMPARE(errorNumber([&] { doc.setCell(-1, 1, "x"); }), PrintError::OutOfRange);
        doc.endTable();

        // A new document starts empty.
        doc.printText("Oud");
        doc.startDoc();
        QCOMPARE(doc.pageCount(), 1);
        QVERIFY(doc.pages()[0].texts.empty());
    }
};

QTEST_MAIN(TestPrintDocument)
#include "test_printdocument.moc"
