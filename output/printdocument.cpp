#include "printdocument.h"

#include "db/apperror.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// A4 in twips: 210 x 297 mm.
constexpr int A4Short = 11906;
constexpr int A4Long = 16838;
constexpr double MaxFontSize = 400;
// Lines are spaced as Arial's are, whichever face the system gives: the block
// positions of the reports were made for it.
constexpr double LineSpacing = 1.15;
constexpr double Ascent = 0.905;
// A cell's text that is too wide for its cell is set smaller down to this share
// of its size and stays on its lines; a longer one wraps at its words.
constexpr double MinShrink = 0.75;
const char* const Source = "PrintDocument";

QStringList& documentFamilies()
{
    // Arial, or a face with its widths: the column widths of the reports were
    // made to fit its figures.
    static QStringList families{"Arial",     "Liberation Sans", "Arimo",
                                "Helvetica", "Nimbus Sans",     "DejaVu Sans Condensed"};
    return families;
}

[[noreturn]] void fail(int number, const QString& description)
{
    throw AppError(number, Source, description);
}

void checkFontSize(double points)
{
    if (!(points > 0 && points <= MaxFontSize))
        fail(PrintError::InvalidValue, QString("Invalid font size %1").arg(points));
}

int lineHeight(double points)
{
    return int(std::lround(points * Twips::PerPoint * LineSpacing));
}

// A text set smaller than its cell's size stands on the baseline of the row's
// other texts.
int baselineShift(double points, const FittedText& fit)
{
    return textBaseline(points) - textBaseline(fit.fontSize);
}

int textWidth(const QString& text, const QFont& font)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

QStringList splitLines(const QString& text)
{
    static const QRegularExpression breaks("\r\n|\n|\r");
    return text.split(breaks);
}

} // namespace

QFont documentFont(double points, bool bold)
{
    QFont font;
    font.setFamilies(documentFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(points * Twips::PerPoint))));
    font.setBold(bold);
    // Hinting would make the measured widths depend on the device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void setDocumentFamilies(const QStringList& families)
{
    documentFamilies() = families;
}

int textBaseline(double points)
{
    return int(std::lround(points * Twips::PerPoint * Ascent));
}

FittedText fitText(const QString& text, double points, bool bold, int width)
{
    width = std::max(1, width);
    const QStringList lines = splitLines(text);
    auto widest = [&](const QStringList& pieces, double size) {
        const QFont font = documentFont(size, bold);
        int w = 0;
        for (const QString& piece : pieces)
            w = std::max(w, textWidth(piece, font));
        return w;
    };
    // The largest size, in steps of a twentieth of a point, at which the pieces fit.
    auto sizeToFit = [&](const QStringList& pieces) {
        const int full = widest(pieces, points);
        if (full <= width)
            return points;
        double size = std::floor(points * width / full * Twips::PerPoint) / Twips::PerPoint;
        while (size > 1.0 / Twips::PerPoint && widest(pieces, size) > width)
            size -= 1.0 / Twips::PerPoint;
        return size;
    };

    const double shrunk = sizeToFit(lines);
    if (shrunk >= points * MinShrink)
        return {shrunk, lines};
    // Too long to shrink: wrap at the words, each word whole on its line.
    static const QRegularExpression blanks("\\s+");
    const double size = sizeToFit(text.split(blanks, Qt::SkipEmptyParts));
    return {size, wrapText(text, documentFont(size, bold), width)};
}

QStringList wrapText(const QString& text, const QFont& font, int width)
{
    QStringList out;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : splitLines(text)) {
        if (paragraph.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    return out;
}

// --- Settings and document ---------------------------------------------------

void PrintDocument::setOrientation(int orientation)
{
    if (orientation != DocOrientation::Portrait && orientation != DocOrientation::Landscape)
        fail(PrintError::InvalidValue, QString("Invalid orientation %1").arg(orientation));
    m_orientation = orientation;
}

void PrintDocument::setPaperSize(int code)
{
    if (code != PaperCode::A4)
        fail(PrintError::InvalidValue, QString("Paper size %1 is not available").arg(code));
}

void PrintDocument::startDoc()
{
    m_docOrientation = m_orientation;
    m_pages.clear();
    m_table.reset();
    m_header.clear();
    m_left = Margin;
    m_top = Margin;
    m_bold = false;
    m_fontSize = 10;
    m_started = true;
    m_ended = false;
    addPage();
}

void PrintDocument::endDoc()
{
    requireOpen("endDoc");
    if (m_table)
        endTable();
    m_ended = true;
}

int PrintDocument::pageWidth() const
{
    const int o = m_started ? m_docOrientation : m_orientation;
    return o == DocOrientation::Landscape ? A4Long : A4Short;
}

int PrintDocument::pageHeight() const
{
    const int o = m_started ? m_docOrientation : m_orientation;
    return o == DocOrientation::Landscape ? A4Short : A4Long;
}

void PrintDocument::newPage()
{
    requireOpen("newPage");
    addPage();
    m_top = Margin;
}

void PrintDocument::addPage()
{
    DocPage p;
    layoutHeader(p);
    m_pages.push_back(std::move(p));
}

void PrintDocument::setHeader(const QString& parts)
{
    requireOpen("setHeader");
    m_header = parts;
    for (DocPage& p : m_pages)
        layoutHeader(p);
}

void PrintDocument::layoutHeader(DocPage& p) const
{
    p.header.clear();
    if (m_header.isEmpty())
        return;
    const QStringList parts = m_header.split('|');
    const QFont font = documentFont(HeaderFontSize, false);
    const int h = lineHeight(HeaderFontSize);
    const TextAlign aligns[3] = {TextAlign::Left, TextAlign::Centre, TextAlign::Right};
    for (int i = 0; i < 3 && i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        const int w = std::max(1, textWidth(parts[i], font));
        const int x = i == 0 ? Margin : i == 1 ? (pageWidth() - w) / 2 : pageWidth() - Margin - w;
        p.header.push_back({QRect(x, HeaderTop, w, h), parts[i], HeaderFontSize, false, aligns[i]});
    }
}

void PrintDocument::requireOpen(const char* operation) const
{
    if (!isOpen())
        fail(PrintError::InvalidCall, QString("%1: no document started").arg(operation));
}

// --- Position and font -------------------------------------------------------

void PrintDocument::setLeft(int twips)
{
    if (twips < 0)
        fail(PrintError::InvalidValue, QString("Invalid left edge %1").arg(twips));
    m_left = twips;
}

void PrintDocument::setTop(int twips)
{
    if (twips < 0)
        fail(PrintError::InvalidValue, QString("Invalid top %1").arg(twips));
    m_top = twips;
}

void PrintDocument::setFontSize(double points)
{
    checkFontSize(points);
    m_fontSize = points;
}

// --- Placement -----------------------------------------------------------------

int PrintDocument::clearTop(int x, int width, int height, int top, int limit) const
{
    const DocPage& p = m_pages.back();
    int y = top;
    for (;;) {
        const QRect box(x, y, std::max(1, width), std::max(1, height));
        int below = -1;
        for (const QRect& r : p.occupied)
            if (r.intersects(box))
                below = std::max(below, r.bottom() + 1);
        for (const DocText& t : p.header)
            if (t.box.intersects(box))
                below = std::max(below, t.box.bottom() + 1);
        if (below < 0)
            break;
        y = below;
    }
    return y + height > (limit > 0 ? limit : bottomLimit()) ? -1 : y;
}

int PrintDocument::placeBlock(int x, int width, int height, int top, int limit)
{
    int y = clearTop(x, width, height, top, limit);
    if (y >= 0)
        return y;
    addPage();
    y = clearTop(x, width, height, top, limit);
    if (y < 0)
        y = clearTop(x, width, height, Margin, limit);
    return y < 0 ? Margin : y; // taller than a page: it starts at the top margin all the same
}

// --- Tables --------------------------------------------------------------------

std::vector<PrintDocument::Column> PrintDocument::parseFormat(const QString& format)
{
    static const QRegularExpression piece("^\\s*([<>]?)\\s*\\+?\\s*(\\d+)\\s*$");
    QStringList pieces = format.split('|');
    if (pieces.size() > 1 && pieces.back().trimmed().isEmpty())
        pieces.removeLast();
    std::vector<Column> columns;
    for (const QString& p : pieces) {
        const QRegularExpressionMatch m = piece.match(p);
        bool ok = m.hasMatch();
        const int width = ok ? m.captured(2).toInt(&ok) : 0;
        if (!ok || width <= 0 || width > 100000)
            fail(PrintError::InvalidValue, QString("Invalid column format \"%1\"").arg(format));
        columns.push_back({width, m.captured(1) == ">" ? TextAlign::Right : TextAlign::Left});
    }
    return columns;
}

std::vector<PrintDocument::Cell> PrintDocument::emptyRow(const Table& table) const
{
    Cell c;
    c.fontSize = table.fontSize;
    return std::vector<Cell>(table.columns.size(), c);
}

void PrintDocument::addTable(const QString& format, const QString& header, const QString& body, int rows)
{
    requireOpen("addTable");
    if (rows < 0)
        fail(PrintError::InvalidValue, QString("Invalid number of rows %1").arg(rows));
    Table t;
    t.columns = parseFormat(format);
    t.fontSize = m_fontSize;

    auto fill = [&](std::vector<Cell>& row, const QString& line) {
        const QStringList cells = line.split('|');
        for (int c = 0; c < cells.size() && c < int(row.size()); ++c)
            row[c].text = cells[c];
    };
    t.rows.push_back(emptyRow(t));
    t.hasHeader = !header.isEmpty();
    if (t.hasHeader) {
        fill(t.rows[0], header);
        for (Cell& c : t.rows[0])
            c.bold = m_bold;
    }
    QStringList lines = body.isEmpty() ? QStringList() : splitLines(body);
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast(); // a closing line break
    for (int r = 0; r < std::max(rows, int(lines.size())); ++r) {
        t.rows.push_back(emptyRow(t));
        if (r < lines.size())
            fill(t.rows.back(), lines[r]);
    }
    if (m_table)
        endTable();
    m_table = std::move(t);
}

PrintDocument::Table& PrintDocument::requireTable(const char* operation)
{
    requireOpen(operation);
    if (!m_table)
        fail(PrintError::InvalidCall, QString("%1: no table open").arg(operation));
    return *m_table;
}

const PrintDocument::Table& PrintDocument::requireTable(const char* operation) const
{
    if (!m_table)
        fail(PrintError::InvalidCall, QString("%1: no table open").arg(operation));
    return *m_table;
}

int PrintDocument::rows() const
{
    return int(requireTable("rows").rows.size()) - 1;
}

PrintDocument::Cell& PrintDocument::cellAt(int row, int column)
{
    Table& t = requireTable("cell");
    if (column < 1 || column > int(t.columns.size()) || row < 0)
        fail(PrintError::OutOfRange,
             QString("Cell (%1, %2) is outside the table of %3 columns").arg(row).arg(column).arg(t.columns.size()));
    if (row == 0)
        t.hasHeader = true;
    if (row >= int(t.rows.size()))
        t.rows.resize(row + 1, emptyRow(t));
    return t.rows[row][column - 1];
}

void PrintDocument::setCell(int row, int column, const QString& text)
{
    cellAt(row, column).text = text;
}

void PrintDocument::setCellFontSize(int row, int column, double points)
{
    checkFontSize(points);
    cellAt(row, column).fontSize = points;
}

void PrintDocument::setTableFontSize(double points)
{
    Table& t = requireTable("setTableFontSize");
    checkFontSize(points);
    t.fontSize = points;
    for (auto& row : t.rows)
        for (Cell& c : row)
            c.fontSize = points;
}

void PrintDocument::setCellSpan(int row, int column, int columns)
{
    if (columns < 1)
        fail(PrintError::InvalidValue, QString("Invalid column span %1").arg(columns));
    cellAt(row, column).span = columns;
}

void PrintDocument::setCellAlign(int row, int column, TextAlign align)
{
    cellAt(row, column).align = align;
}

void PrintDocument::setBorder(TableBorder border)
{
    requireTable("setBorder").border = border;
}

void PrintDocument::setRowRule(int row)
{
    Table& t = requireTable("setRowRule");
    if (row < 0 || row >= int(t.rows.size()))
        fail(PrintError::OutOfRange, QString("Row %1 is outside the table").arg(row));
    t.rowRules.insert(row);
}

void PrintDocument::setColumnRule(int column)
{
    Table& t = requireTable("setColumnRule");
    if (column < 1 || column > int(t.columns.size()))
        fail(PrintError::OutOfRange, QString("Column %1 is outside the table").arg(column));
    t.columnRules.insert(column);
}

void PrintDocument::setCellBorder(int row, int column, int edges)
{
    cellAt(row, column).edges = edges & CellEdge::All;
}

int PrintDocument::cellX(const Table& table, int column) const
{
    int x = m_left;
    for (int c = 1; c < column; ++c)
        x += table.columns[c - 1].width;
    return x;
}

int PrintDocument::spanWidth(const Table& table, int column, int span) const
{
    int w = 0;
    for (int c = column; c < column + span && c <= int(table.columns.size()); ++c)
        w += table.columns[c - 1].width;
    return w;
}

namespace {

// The cells of a row that are drawn: (column, span), spans cut at the last column.
std::vector<std::pair<int, int>> visibleCells(int columns, const auto& row)
{
    std::vector<std::pair<int, int>> out;
    for (int c = 1; c <= columns;) {
        const int span = std::clamp(row[c - 1].span, 1, columns - c + 1);
        out.emplace_back(c, span);
        c += span;
    }
    return out;
}

} // namespace

int PrintDocument::rowHeight(const Table& table, int row) const
{
    int h = 1;
    const auto& cells = table.rows[row];
    for (auto [c, span] : visibleCells(int(table.columns.size()), cells)) {
        const Cell& cell = cells[c - 1];
        h = std::max(h, lineHeight(cell.fontSize));
        if (cell.text.isEmpty())
            continue;
        const FittedText fit =
            fitText(cell.text, cell.fontSize, cell.bold, spanWidth(table, c, span) - 2 * CellPadding);
        h = std::max(h, baselineShift(cell.fontSize, fit) + int(fit.lines.size()) * lineHeight(fit.fontSize));
    }
    return h;
}

void PrintDocument::drawRow(const Table& table, int row, int y)
{
    const auto& cells = table.rows[row];
    for (auto [c, span] : visibleCells(int(table.columns.size()), cells)) {
        const Cell& cell = cells[c - 1];
        if (cell.text.isEmpty())
            continue;
        const int w = spanWidth(table, c, span) - 2 * CellPadding;
        const FittedText fit = fitText(cell.text, cell.fontSize, cell.bold, w);
        const int lh = lineHeight(fit.fontSize);
        const int top = y + baselineShift(cell.fontSize, fit);
        for (int i = 0; i < fit.lines.size(); ++i)
            if (!fit.lines[i].isEmpty())
                page().texts.push_back(DocText{QRect(cellX(table, c) + CellPadding, top + i * lh, std::max(1, w), lh),
                                               fit.lines[i], fit.fontSize, cell.bold,
                                               cell.align.value_or(table.columns[c - 1].align)});
    }
}

void PrintDocument::drawBorders(const Table& table, const std::vector<PlacedRow>& placed)
{
    const int columns = int(table.columns.size());
    const int x0 = m_left;
    const int x1 = m_left + spanWidth(table, 1, columns);
    std::set<std::tuple<int, int, int, int, int>> drawn; // page, from, to: a shared edge is drawn once
    auto line = [&](int pageIndex, int ax, int ay, int bx, int by) {
        if (drawn.insert({pageIndex, ax, ay, bx, by}).second)
            m_pages[pageIndex].lines.push_back(DocLine{QPoint(ax, ay), QPoint(bx, by)});
    };

    // Runs of rows that stand one under the other on one page.
    for (size_t i = 0; i < placed.size();) {
        size_t j = i + 1;
        while (j < placed.size() && placed[j].page == placed[i].page &&
               placed[j].y == placed[j - 1].y + placed[j - 1].height)
            ++j;
        const int pg = placed[i].page;
        const int top = placed[i].y;
        const int bottom = placed[j - 1].y + placed[j - 1].height;
        if (table.border == TableBorder::Box) {
            line(pg, x0, top, x1, top);
            line(pg, x0, bottom, x1, bottom);
            line(pg, x0, top, x0, bottom);
            line(pg, x1, top, x1, bottom);
        }
        for (size_t k = i; k < j; ++k) {
            const PlacedRow& pr = placed[k];
            const auto& cells = table.rows[pr.row];
            const int y0 = pr.y;
            const int y1 = pr.y + pr.height;
            for (auto [c, span] : visibleCells(columns, cells)) {
                const int cx0 = cellX(table, c);
                const int cx1 = cx0 + spanWidth(table, c, span);
                int edges = cells[c - 1].edges;
                if (table.border == TableBorder::All)
                    edges = CellEdge::All;
                for (int rule : table.columnRules) {
                    if (rule >= c && rule < c + span - 1)
                        continue; // the rule would cut through a spanning cell
                    if (rule == c + span - 1)
                        edges |= CellEdge::Right;
                }
                if (table.rowRules.count(pr.row))
                    edges |= CellEdge::Bottom;
                if (edges & CellEdge::Left)
                    line(pg, cx0, y0, cx0, y1);
                if (edges & CellEdge::Top)
                    line(pg, cx0, y0, cx1, y0);
                if (edges & CellEdge::Right)
                    line(pg, cx1, y0, cx1, y1);
                if (edges & CellEdge::Bottom)
                    line(pg, cx0, y1, cx1, y1);
            }
        }
        i = j;
    }
}

void PrintDocument::endTable()
{
    Table& t = requireTable("endTable");
    const int x = m_left;
    const int width = std::max(1, spanWidth(t, 1, int(t.columns.size())));
    const bool repeatHeader =
        t.hasHeader && std::any_of(t.rows[0].begin(), t.rows[0].end(), [](const Cell& c) { return !c.text.isEmpty(); });

    std::vector<PlacedRow> placed;
    auto put = [&](int row, int y, int h) {
        drawRow(t, row, y);
        page().occupied.push_back(QRect(x, y, width, h));
        placed.push_back({row, currentPage(), y, h});
        return y + h;
    };

    int y = m_top;
    for (int row = t.hasHeader ? 0 : 1; row < int(t.rows.size()); ++row) {
        const int h = rowHeight(t, row);
        if (placed.empty()) {
            y = put(row, placeBlock(x, width, h, m_top), h);
            continue;
        }
        int next = clearTop(x, width, h, y);
        if (next < 0) {
            // The rest of the table continues on a fresh page, under its header again.
            addPage();
            y = Margin;
            if (repeatHeader) {
                const int hh = rowHeight(t, 0);
                y = put(0, y, hh);
            }
            next = clearTop(x, width, h, y);
            if (next < 0)
                next = y; // a row taller than a page
        }
        y = put(row, next, h);
    }
    drawBorders(t, placed);
    if (!placed.empty())
        m_top = y;
    m_table.reset();
}

// --- Other blocks ---------------------------------------------------------------

void PrintDocument::printText(const QString& text)
{
    requireOpen("printText");
    const QFont font = documentFont(m_fontSize, m_bold);
    const int lh = lineHeight(m_fontSize);
    const int width = std::max(Twips::PerInch / 2, pageWidth() - Margin - m_left);
    int y = m_top;
    bool first = true;
    for (const QString& line : wrapText(text, font, width)) {
        const int w = std::max(1, textWidth(line, font));
        if (first) {
            y = placeBlock(m_left, w, lh, y);
            first = false;
        } else {
            int next = clearTop(m_left, w, lh, y);
            if (next < 0) {
                addPage();
                next = clearTop(m_left, w, lh, Margin);
                if (next < 0)
                    next = Margin;
            }
            y = next;
        }
        if (!line.isEmpty())
            page().texts.push_back(DocText{QRect(m_left, y, w, lh), line, m_fontSize, m_bold, TextAlign::Left});
        page().occupied.push_back(QRect(m_left, y, w, lh));
        y += lh;
    }
    m_top = y;
}

void PrintDocument::drawPicture(const QImage& picture, int x, int y, int width, int height)
{
    requireOpen("drawPicture");
    if (width <= 0 || height <= 0 || x < 0 || y < 0)
        fail(PrintError::InvalidValue,
             QString("Invalid picture box %1, %2, %3, %4").arg(x).arg(y).arg(width).arg(height));
    // A picture may stand in the margins; only the paper's edge limits it.
    const int top = placeBlock(x, width, height, y, pageHeight());
    const QRect box(x, top, width, height);
    page().pictures.push_back(DocPicture{box, picture});
    page().occupied.push_back(box);
}
