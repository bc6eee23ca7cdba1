#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <vector>

class QFont;

// The reports' print document: the operations the advice report and the order
// list call, building a display list of pages in twips (1440 to the inch, 20 to
// the point; origin at the paper's top-left corner). The list is plain data, so
// tests can read it; documentrenderer.h draws it into a preview, onto a printer
// or into a PDF file.
//
// Placement follows one rule: nothing drawn ever covers what is already on the
// page. A table, a text or a picture that would land on earlier content moves
// down below it; what no longer fits above the bottom margin goes on a new page
// (a table's remaining rows at the top margin, a block that has not started yet
// at the top it asked for when it fits there). Thin rules and borders are drawn
// where they are asked for.
//
// Errors of the calling code (an invalid column format, a cell outside the
// table, an operation before startDoc) throw AppError with the numbers below.
//
//   doc.setOrientation(DocOrientation::Landscape);
//   doc.setPaperSize(PaperCode::A4);
//   doc.startDoc();
//   doc.setLeft(6000);
//   doc.setTop(1000);
//   doc.setHeader("|" + title + "|" + date);
//   doc.setBold(true);
//   doc.addTable("<+3250|>+900|<+700", headingA + "||", "", 16);
//   doc.setBold(false);
//   doc.setCell(1, 1, naam);
//   doc.setBorder(TableBorder::Box);
//   doc.endTable();
//   ...
//   doc.endDoc();

namespace PrintError {
constexpr int InvalidCall = 5;    // no document started, no table open
constexpr int InvalidValue = 380; // a font size, paper code or column format that cannot be used
constexpr int OutOfRange = 381;   // a row or column outside the table
} // namespace PrintError

namespace Twips {
constexpr int PerInch = 1440;
constexpr int PerPoint = 20;
} // namespace Twips

namespace DocOrientation {
enum : int { Portrait = 0, Landscape = 1 };
}

// The paper codes the document accepts (the Windows numbering).
namespace PaperCode {
enum : int { A4 = 9 };
}

enum class TableBorder { None, Box, All };
enum class TextAlign { Left, Centre, Right };

// Edges of one table cell, for setCellBorder.
namespace CellEdge {
enum : int { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };
}

// One line of text in its box, with the box's alignment; the baseline stands
// textBaseline(fontSize) below the box's top.
struct DocText {
    QRect box;
    QString text;
    double fontSize = 10; // points
    bool bold = false;
    TextAlign align = TextAlign::Left;
};

// A thin rule or border line.
struct DocLine {
    QPoint from;
    QPoint to;
};

struct DocPicture {
    QRect box;
    QImage image;
};

// One page: drawn pictures first, then texts, then lines.
struct DocPage {
    std::vector<DocText> header; // the three-part page header
    std::vector<DocText> texts;
    std::vector<DocLine> lines;
    std::vector<DocPicture> pictures;
    std::vector<QRect> occupied; // what later blocks keep clear of (table rows, texts, pictures)
};

class PrintDocument {
public:
    static constexpr int Margin = 1000;    // left, right, top and bottom margins of every page
    static constexpr int HeaderTop = 500;  // the page header's line, within the top margin
    static constexpr int CellPadding = 40; // between a cell's edge and its text, left and right
    static constexpr double HeaderFontSize = 10;

    // --- Settings read when a document starts (they keep their values between documents).
    // DocOrientation::Portrait (0) or Landscape (1); other values throw InvalidValue.
    void setOrientation(int orientation);
    int orientation() const { return m_orientation; }
    // PaperCode::A4 (9) only; other codes throw InvalidValue.
    void setPaperSize(int code);

    // --- Document.
    // Starts a new document with one empty page, replacing everything held
    // before; the position goes to the top-left margins, the header is empty,
    // the font is 10 pt regular.
    void startDoc();
    // Ends the document (an open table is drawn first). The pages stay.
    void endDoc();
    bool isOpen() const { return m_started && !m_ended; }
    // Page size of the current document (or of the settings, before one starts).
    int pageWidth() const;
    int pageHeight() const;
    // Continues on a fresh page, at the top margin.
    void newPage();

    // The page header drawn on every page of the started document, within the
    // top margin: "left|centre|right".
    void setHeader(const QString& parts);

    // --- Position and font of what comes next (startDoc resets them).
    // Left edge of the next tables and texts; it stays until changed.
    void setLeft(int twips);
    // Top of the next block on the current page (a table or text moves it below itself).
    void setTop(int twips);
    int top() const { return m_top; }
    void setBold(bool bold) { m_bold = bold; }
    // Points, above 0 and at most 400; other sizes throw InvalidValue.
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }

    // --- Tables. A table is built between addTable and endTable and drawn by
    // endTable at the left edge and top that hold then. Rows are 0 for the
    // header and 1.. for the body; columns count from 1.
    //
    // format: one piece per column, separated by "|": "<" left or ">" right
    // aligned (neither: left), an optional "+", the width in twips; an empty
    // last piece is ignored ("<+2000|>+800|" is two columns).
    // header: the header row's cells separated by "|"; "" gives no header row.
    // body: cells separated by "|", rows by line breaks.
    // rows: number of body rows; the body text's rows count when there are more.
    // Cells take the current font size; the header row is bold when bold is on
    // at this call, the body rows are regular. A table still open is drawn first.
    void addTable(const QString& format, const QString& header, const QString& body, int rows = 0);
    int rows() const;
    // Setting a cell past the last body row adds rows up to it; row 0 adds a
    // header row when the table had none.
    void setCell(int row, int column, const QString& text);
    void setCellFontSize(int row, int column, double points);
    void setTableFontSize(double points); // every cell of the table
    // The cell runs across `columns` columns from its own (ending at the last
    // column at most); the cells it covers are not drawn.
    void setCellSpan(int row, int column, int columns);
    // A cell's own alignment instead of its column's.
    void setCellAlign(int row, int column, TextAlign align);
    void setBorder(TableBorder border);
    // Thin rules: under a row, at the right edge of a column, or on chosen edges of one cell.
    void setRowRule(int row);
    void setColumnRule(int column);
    void setCellBorder(int row, int column, int edges);
    // Lays the table out and draws it; the top moves below its last row.
    void endTable();

    // --- Other blocks.
    // Prints the text at the left edge and top in the current font, wrapped at
    // the right margin; line breaks start new lines. The top moves below it.
    void printText(const QString& text);
    // Draws the picture scaled into the box (twips) on the current page; it
    // may stand in the margins. Like any block it moves down when it would
    // cover earlier content (and to a new page when the paper ends first), and
    // what comes later keeps clear of it. The position does not change the top.
    void drawPicture(const QImage& picture, int x, int y, int width, int height);
    void drawPicture(const QPixmap& picture, int x, int y, int width, int height)
    {
        drawPicture(picture.toImage(), x, y, width, height);
    }

    // --- The display list.
    const std::vector<DocPage>& pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }
    int currentPage() const { return int(m_pages.size()) - 1; } // 0-based

private:
    struct Cell {
        QString text;
        double fontSize = 10;
        bool bold = false;
        int span = 1;
        int edges = 0;
        std::optional<TextAlign> align;
    };
    struct Column {
        int width = 0;
        TextAlign align = TextAlign::Left;
    };
    struct Table {
        std::vector<Column> columns;
        std::vector<std::vector<Cell>> rows; // rows[0] the header
        bool hasHeader = false;
        double fontSize = 10;
        TableBorder border = TableBorder::None;
        std::set<int> rowRules;
        std::set<int> columnRules;
    };
    struct PlacedRow {
        int row;
        int page;
        int y;
        int height;
    };

    void requireOpen(const char* operation) const;
    Table& requireTable(const char* operation);
    const Table& requireTable(const char* operation) const;
    Cell& cellAt(int row, int column);
    std::vector<Cell> emptyRow(const Table& table) const;
    static std::vector<Column> parseFormat(const QString& format);
    int cellX(const Table& table, int column) const;
    int spanWidth(const Table& table, int column, int span) const;
    int rowHeight(const Table& table, int row) const;
    void drawRow(const Table& table, int row, int y);
    void drawBorders(const Table& table, const std::vector<PlacedRow>& placed);
    DocPage& page() { return m_pages.back(); }
    void addPage();
    void layoutHeader(DocPage& page) const;
    int bottomLimit() const { return pageHeight() - Margin; }
    // The top at which a block of the given box lands: at or below `top`,
    // clear of everything on the current page. -1 when it does not fit above
    // `limit` (0: the bottom margin).
    int clearTop(int x, int width, int height, int top, int limit = 0) const;
    // Places a block that has not started yet: on this page when it fits,
    // else on a fresh page. Returns its top.
    int placeBlock(int x, int width, int height, int top, int limit = 0);

    int m_orientation = DocOrientation::Portrait;
    int m_docOrientation = DocOrientation::Portrait;
    bool m_started = false;
    bool m_ended = false;
    std::vector<DocPage> m_pages;
    QString m_header;
    int m_left = Margin;
    int m_top = Margin;
    bool m_bold = false;
    double m_fontSize = 10;
    std::optional<Table> m_table;
};

// The faces the documents ask for, first found first (Arial, then faces with
// its widths). Tests set a face of their own.
void setDocumentFamilies(const QStringList& families);

// The font of the document at a size and weight. Its pixel size is in twips, so
// it measures and draws alike on every device that is scaled to twips.
QFont documentFont(double points, bool bold);

// The distance from the top of a line to its baseline, in twips.
int textBaseline(double points);

// A cell's text as it is drawn: never cut, whatever face the system gives.
// A text wider than its width (twips) is set smaller, down to three quarters
// of its size, on its own lines; a longer one wraps at its words, set small
// enough that its longest word fits whole.
struct FittedText {
    double fontSize;
    QStringList lines;
};
FittedText fitText(const QString& text, double points, bool bold, int width);

// Breaks a text into the lines that fit a width (twips) in the font, at word
// boundaries where it can; line breaks in the text always break.
QStringList wrapText(const QString& text, const QFont& font, int width);
