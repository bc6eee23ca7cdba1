#include "clsprintdialog.h"

#include "db/apperror.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace {

PrintDialogPresenter& presenter()
{
    static PrintDialogPresenter p;
    return p;
}

qint16 to16(int value)
{
    return qint16(std::clamp(value, 0, 32767));
}

} // namespace

bool showPrintDialog(QPrinter& printer, const PrintDialogRequest& request)
{
    if (presenter())
        return presenter()(printer, request);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOptions(request.options);
    if (request.maxPage > 0 && request.maxPage >= request.minPage)
        dialog.setMinMax(std::max(1, request.minPage), request.maxPage);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogPresenter(PrintDialogPresenter p)
{
    presenter() = std::move(p);
}

void clsPrintDialog::setMin(qint16 value)
{
    m_min = std::max<qint16>(value, 1);
    m_from = std::max(m_from, m_min);
    m_to = std::max(m_to, m_from);
    m_max = std::max(m_max, m_to);
}

void clsPrintDialog::setFromPage(qint16 value)
{
    m_from = std::max<qint16>(value, 1);
    m_min = std::min(m_min, m_from);
    m_to = std::max(m_to, m_from);
    m_max = std::max(m_max, m_to);
}

void clsPrintDialog::setToPage(qint16 value)
{
    m_to = std::max<qint16>(value, 1);
    m_from = std::min(m_from, m_to);
    m_min = std::min(m_min, m_from);
    m_max = std::max(m_max, m_to);
}

void clsPrintDialog::setMax(qint16 value)
{
    m_max = std::max<qint16>(value, 1);
    m_to = std::min(m_to, m_max);
    m_from = std::min(m_from, m_to);
    m_min = std::min(m_min, m_from);
}

bool clsPrintDialog::ShowPrinter()
{
    using namespace PrintDlgFlag;
    QPrinter printer(QPrinter::HighResolution);

    PrintDialogRequest request;
    request.options = QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintSelection |
                      QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize;
    if (Flags & NoSelection)
        request.options &= ~QAbstractPrintDialog::PrintSelection;
    if (Flags & NoPageNums)
        request.options &= ~QAbstractPrintDialog::PrintPageRange;
    if (Flags & NoCurrentPage)
        request.options &= ~QAbstractPrintDialog::PrintCurrentPage;
    if (Flags & (DisablePrintToFile | HidePrintToFile))
        request.options &= ~QAbstractPrintDialog::PrintToFile;
    request.minPage = m_min;
    request.maxPage = m_max;

    printer.setPrintRange(Flags & Selection     ? QPrinter::Selection
                          : Flags & PageNums    ? QPrinter::PageRange
                          : Flags & CurrentPage ? QPrinter::CurrentPage
                                                : QPrinter::AllPages);
    if (m_from > 0 && m_to >= m_from)
        printer.setFromTo(m_from, m_to);
    printer.setCopyCount(std::max<int>(m_copies, 1));
    printer.setCollateCopies(Flags & Collate);

    if (!showPrintDialog(printer, request)) {
        if (CancelError)
            throw AppError(CancelErrorNumber, "Orvel PrintDialog", "Cancel.");
        return false;
    }

    qint32 flags = Flags & ~(Selection | PageNums | CurrentPage | Collate | PrintToFile);
    switch (printer.printRange()) {
    case QPrinter::Selection:
        flags |= Selection;
        break;
    case QPrinter::PageRange:
        flags |= PageNums;
        break;
    case QPrinter::CurrentPage:
        flags |= CurrentPage;
        break;
    case QPrinter::AllPages:
        break;
    }
    if (printer.collateCopies())
        flags |= Collate;
    if (!printer.outputFileName().isEmpty())
        flags |= PrintToFile;
    Flags = flags;
    // An unchosen range leaves the pages as they were set.
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        m_from = to16(printer.fromPage());
        m_to = to16(printer.toPage());
    }
    m_deviceName = printer.printerName().toUpper();
    m_copies = to16(printer.copyCount());
    return true;
}
